// discpilot's main window as the other programs reach it: found by its caption, "Goalvista
// DiscPilot" (letter case aside, hidden windows too, any window class), and ended by the ordinary
// close request, with a bounded wait.
#pragma once

#include <windows.h>

// The first top-level window with discpilot's caption; null when no discpilot runs.
HWND FindMainWindow();
// The main window of the discpilot with that process id, found the same way but never one of its
// message boxes; null when it has none (yet).
HWND FindMainWindowOf(DWORD processId);

// Asks the window to close as its close box would. True when it handled the request within 10
// seconds; false when it did not (or its program is hung), and then it is not waited for longer.
bool CloseMainWindow(HWND window);
