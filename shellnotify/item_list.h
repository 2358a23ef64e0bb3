// Item-ID lists: the special folder the registration watches, and an item's path and display
// name as the shell gives them. None of these keeps or frees a list it is given.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace shellnotify {

// The absolute item-ID list of the special folder nFolder (a CSIDL value; 0 is the desktop), or
// null when the shell cannot resolve it. The caller owns the list and frees it with
// CoTaskMemFree.
PIDLIST_ABSOLUTE GetSpecialFolderItemList(HWND hOwner, int nFolder);

// The item's file-system path ("C:\" for the root of drive C:), or "" when it has none.
std::string GetItemPath(PCIDLIST_ABSOLUTE pidl);

// The item's display name as the shell shows it ("FIFA2001 (D:)" for a drive), or "" when the
// shell cannot name it.
std::string GetItemDisplayName(PCIDLIST_ABSOLUTE pidl);

// sBuffer up to, and without, its first NUL character; sBuffer itself when it holds none.
std::string TrimAtNull(const std::string& sBuffer);

}  // namespace shellnotify
