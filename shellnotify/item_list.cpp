#include "shellnotify/item_list.h"

#include "platform/win32.h"

namespace shellnotify {

PIDLIST_ABSOLUTE GetSpecialFolderItemList(HWND hOwner, int nFolder) {
  PIDLIST_ABSOLUTE pidl = nullptr;
  if (platform::shell32().SHGetSpecialFolderLocation(hOwner, nFolder, &pidl) != S_OK) {
    return nullptr;
  }
  return pidl;
}

std::string GetItemPath(PCIDLIST_ABSOLUTE pidl) {
  if (!pidl) return {};
  char buffer[MAX_PATH] = {};
  if (!platform::shell32().SHGetPathFromIDListA(pidl, buffer)) return {};
  return TrimAtNull(std::string(buffer, sizeof buffer));
}

std::string GetItemDisplayName(PCIDLIST_ABSOLUTE pidl) {
  if (!pidl) return {};
  SHFILEINFOA info = {};
  static_assert(sizeof info == 352, "the shell's 32-bit SHFILEINFOA record");
  // With SHGFI_PIDL the shell takes the item-ID list in place of a path.
  if (!platform::shell32().SHGetFileInfoA(reinterpret_cast<LPCSTR>(pidl), 0, &info, sizeof info,
                                          SHGFI_PIDL | SHGFI_DISPLAYNAME)) {
    return {};
  }
  return TrimAtNull(std::string(info.szDisplayName, sizeof info.szDisplayName));
}

std::string TrimAtNull(const std::string& sBuffer) { return sBuffer.substr(0, sBuffer.find('\0')); }

}  // namespace shellnotify
