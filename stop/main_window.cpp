#include "stop/main_window.h"

#include "platform/win32.h"

namespace {

constexpr char kMainWindowCaption[] = "Goalvista DiscPilot";
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
    if (owner == processId) return window;
  }
  return nullptr;
}

bool CloseMainWindow(HWND window) {
  DWORD_PTR ignored = 0;
  return platform::user32().SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG,
                                                kCloseTimeoutMs, &ignored) != 0;
}
