// An item-ID list that a test owns: made from a path or a special folder, freed when the test is
// done with it.
#pragma once

#include <windows.h>
#include <shlobj.h>

namespace test_support {

class ItemList {
 public:
  explicit ItemList(const char* path) : pidl_(ILCreateFromPathA(path)) {}
  explicit ItemList(int csidl) { SHGetSpecialFolderLocation(nullptr, csidl, &pidl_); }
  ~ItemList() { ILFree(pidl_); }
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;
  PCIDLIST_ABSOLUTE get() const { return pidl_; }

 private:
  PIDLIST_ABSOLUTE pidl_ = nullptr;
};

}  // namespace test_support
