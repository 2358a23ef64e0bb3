// What the shell hands the main window for each change in its namespace: the private message
// WM_SHELLNOTIFY, whose wParam points to a ShellNotifyRecord and whose lParam is the event code.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace shellnotify {

// The message number the registration asks the shell to send (WM_USER + 1).
constexpr UINT WM_SHELLNOTIFY = WM_USER + 1;

// The shell's notification record. Both item lists belong to the shell and are valid only while
// the message is handled. For SHCNE_UPDATEIMAGE and SHCNE_FREESPACE, dwItem1 is a small data
// item (a 16-bit size, then a 32-bit number) instead of a path.
struct ShellNotifyRecord {
  PCIDLIST_ABSOLUTE dwItem1;  // first item, or null when the event has none
  PCIDLIST_ABSOLUTE dwItem2;  // second item (the new name of a rename), or null
};
static_assert(sizeof(ShellNotifyRecord) == 8, "two 32-bit item addresses");

}  // namespace shellnotify
