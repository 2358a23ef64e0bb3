// Registration of the main window for the shell's change notifications: every event, from every
// source, anywhere below the desktop, delivered as WM_SHELLNOTIFY. The registration owns the
// desktop item-ID list it watches and frees it when it ends.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace shellnotify {

// Registers hWnd. False, changing nothing, when already registered; false when the desktop list
// is unavailable or the shell refuses (the list is then freed again).
bool RegisterShellNotify(HWND hWnd);

// Ends the registration and frees its desktop list. False, changing nothing, when nothing is
// registered or the shell refuses.
bool UnregisterShellNotify();

// The shell's registration handle; 0 when not registered.
ULONG hShellNotify();
// The desktop list the registration watches; null when not registered.
PCIDLIST_ABSOLUTE pidlDesktop();

}  // namespace shellnotify
