// Subclassing of the main window: WindowProc replaces the window's own procedure so that the
// shell's WM_SHELLNOTIFY reaches the notification receiver; every message, that one included,
// then goes on to the replaced procedure. The replaced procedure is kept only in the window
// property "OldWndProc", whose presence means the window is subclassed.
#pragma once

#include <windows.h>

namespace shellnotify {

// Installs WindowProc on hWnd. On failure (already subclassed, or the procedure or property
// cannot be set) the window is left as it was, a stop box "Unable to successfully subclass &H"
// plus the handle in hexadecimal is shown under the application title, and false is returned.
bool SubclassForm(HWND hWnd);

// Puts the replaced procedure back and removes "OldWndProc". False, silently, when the window
// is not subclassed or either step is refused.
bool UnsubclassForm(HWND hWnd);

// The subclassing window procedure. A window destroyed while still subclassed is unsubclassed
// and reported in a stop box "Unsubclassed &H" plus the handle, titled "WndProc Error".
LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam);

}  // namespace shellnotify
