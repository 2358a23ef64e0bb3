#include "tests/support/window_search.h"

#include <vector>

namespace test_support {
namespace {

constexpr DWORD kPollMs = 20;
// The class of message boxes (and of dialog boxes in general).
constexpr char kDialogClass[] = "#32770";

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool BelongsTo(HWND window, DWORD processId) {
  if (processId == 0) return true;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == processId;
}

// Polls find until it gives a window or timeoutMs has passed.
template <typename Find>
HWND Poll(DWORD timeoutMs, Find find) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = find()) return found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

}  // namespace

// WM_GETTEXT rather than GetWindowText, which does not ask another program's controls.
std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

HWND WaitForTopLevelWindow(const std::string& caption, DWORD processId, DWORD timeoutMs,
                           bool mustBeVisible) {
  return Poll(timeoutMs, [&]() -> HWND {
    for (HWND window : TopLevelWindows())
      if (BelongsTo(window, processId) && (!mustBeVisible || IsWindowVisible(window)) &&
          ClassOf(window) != kDialogClass && WindowText(window) == caption)
        return window;
    return nullptr;
  });
}

MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  MessageBoxSeen seen;
  seen.window = Poll(timeoutMs, [&]() -> HWND {
    for (HWND window : TopLevelWindows())
      if (BelongsTo(window, processId) && IsWindowVisible(window) &&
          ClassOf(window) == kDialogClass)
        return window;
    return nullptr;
  });
  if (!seen.window) return seen;
  seen.title = WindowText(seen.window);
  for (HWND child : ChildWindows(seen.window)) {
    if (ClassOf(child) != "Static") continue;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      const HICON icon = reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0));
      seen.hasStopIcon = seen.hasStopIcon || icon == LoadIconA(nullptr, IDI_HAND);
      seen.hasInformationIcon = seen.hasInformationIcon || icon == LoadIconA(nullptr, IDI_ASTERISK);
      continue;
    }
    const std::string text = WindowText(child);
    if (text.size() > seen.text.size()) seen.text = text;
  }
  return seen;
}

bool DismissMessageBox(HWND box) {
  for (int id : {IDOK, IDCANCEL}) {
    if (HWND button = GetDlgItem(box, id)) {
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return true;
    }
  }
  return false;
}

}  // namespace test_support
