// One shell change notification as discpilot takes it: the entry it adds to the log and, for a
// media insertion of the game disc, the drive it records for the game.
#pragma once

#include <windows.h>

#include <string>

// Reads one WM_SHELLNOTIFY (wParam points to the shell's record, lParam is the event code) and
// returns its log entry: the event name and the lines of its items, each ending with CR LF. When
// the shell reports that the game disc was inserted, the drive is written into the game's value
// before this returns; a refused write throws the registry's RaisedError and gives no entry.
// A zero wParam stands for a notification without items.
std::string ReceiveNotification(const WPARAM& wParam, const LPARAM& lParam);
