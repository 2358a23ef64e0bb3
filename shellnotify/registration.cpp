#include "shellnotify/registration.h"

#include "platform/win32.h"
#include "shellnotify/item_list.h"
#include "shellnotify/notification.h"

namespace shellnotify {
namespace {

// The low eight source bits (interrupt-level and shell-level among them), without
// SHCNRF_NewDelivery, so that wParam points to a ShellNotifyRecord.
constexpr int kAllSources = 0xFF;
constexpr LONG kAllEvents = static_cast<LONG>(SHCNE_ALLEVENTS | SHCNE_INTERRUPT);
// fRecursive with all bits set: the whole tree below the desktop is watched.
constexpr BOOL kWholeTree = -1;

ULONG registration = 0;
PIDLIST_ABSOLUTE watchedDesktop = nullptr;

void FreeWatchedDesktop() {
  platform::ole32().CoTaskMemFree(watchedDesktop);
  watchedDesktop = nullptr;
}

}  // namespace

bool RegisterShellNotify(HWND hWnd) {
  if (registration != 0) return false;
  watchedDesktop = GetSpecialFolderItemList(nullptr, CSIDL_DESKTOP);
  if (!watchedDesktop) return false;
  const SHChangeNotifyEntry entry = {watchedDesktop, kWholeTree};
  registration = platform::shell32().SHChangeNotifyRegister(hWnd, kAllSources, kAllEvents,
                                                            WM_SHELLNOTIFY, 1, &entry);
  if (registration == 0) {
    // Nothing watches the list when the shell refused, so it is released at once.
    FreeWatchedDesktop();
    return false;
  }
  return true;
}

bool UnregisterShellNotify() {
  if (registration == 0) return false;
  if (!platform::shell32().SHChangeNotifyDeregister(registration)) return false;
  registration = 0;
  FreeWatchedDesktop();
  return true;
}

ULONG hShellNotify() { return registration; }

PCIDLIST_ABSOLUTE pidlDesktop() { return watchedDesktop; }

}  // namespace shellnotify
