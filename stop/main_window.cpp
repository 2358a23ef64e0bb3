#include "stop/main_window.h"

#include <string>

#include "platform/win32.h"

namespace {

constexpr char kMainWindowCaption[] = "Goalvista DiscPilot";
// discpilot's message boxes carry its caption too (its run-time error box, say).
constexpr char kMessageBoxClass[] = "#32770";
// The close request is synchronous; a main program that does not handle it within this time
// (or whose window is hung) is not waited for any longer.
constexpr UINT kCloseTimeoutMs = 10000;

}  // namespace

HWND FindMainWindow() { return platform::user32().FindWindowA(nullptr, kMainWindowCaption); }

HWND FindMainWindowOf(DWORD processId) {
  auto& user = platform::user32();
  HWND window = nullptr;
  while ((window = user.FindWindowExA(nullptr, window, nullptr, kMainWindowCaption)) != nullptr) {
    DWORD owner = 0;
    user.GetWindowThreadProcessId(window, &owner);
    char windowClass[sizeof kMessageBoxClass + 1] = {};
    user.GetClassNameA(window, windowClass, sizeof windowClass);
    if (owner == processId && std::string(windowClass) != kMessageBoxClass) return window;
  }
  return nullptr;
}

bool CloseMainWindow(HWND window) {
  DWORD_PTR ignored = 0;
  return platform::user32().SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG,
                                                kCloseTimeoutMs, &ignored) != 0;
}
