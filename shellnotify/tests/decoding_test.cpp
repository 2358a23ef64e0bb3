#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/win32.h"
#include "shellnotify/event_name.h"
#include "shellnotify/item_list.h"
#include "tests/support/item_list.h"

namespace shellnotify {
namespace {

struct NameCase {
  DWORD code;
  const char* name;
};

class EventNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(EventNames, NameExactlyTheTableCodes) {
  EXPECT_EQ(EventName(static_cast<LONG>(GetParam().code)), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(
    Named, EventNames,
    ::testing::Values(
        NameCase{0x1, "SHCNE_RENAMEITEM"}, NameCase{0x2, "SHCNE_CREATE"},
        NameCase{0x4, "SHCNE_DELETE"}, NameCase{0x8, "SHCNE_MKDIR"}, NameCase{0x10, "SHCNE_RMDIR"},
        NameCase{0x20, "SHCNE_MEDIAINSERTED"}, NameCase{0x40, "SHCNE_MEDIAREMOVED"},
        NameCase{0x80, "SHCNE_DRIVEREMOVED"}, NameCase{0x100, "SHCNE_DRIVEADD"},
        NameCase{0x200, "SHCNE_NETSHARE"}, NameCase{0x400, "SHCNE_NETUNSHARE"},
        NameCase{0x800, "SHCNE_ATTRIBUTES"}, NameCase{0x1000, "SHCNE_UPDATEDIR"},
        NameCase{0x2000, "SHCNE_UPDATEITEM"}, NameCase{0x4000, "SHCNE_SERVERDISCONNECT"},
        NameCase{0x8000, "SHCNE_UPDATEIMAGE"}, NameCase{0x10000, "SHCNE_DRIVEADDGUI"},
        NameCase{0x20000, "SHCNE_RENAMEFOLDER"}, NameCase{0x40000, "SHCNE_FREESPACE"},
        NameCase{0x2381F, "SHCNE_DISKEVENTS"}, NameCase{0x8000000, "SHCNE_ASSOCCHANGED"},
        NameCase{0xC0581E0, "SHCNE_GLOBALEVENTS"}, NameCase{0x7FFFFFFF, "SHCNE_ALLEVENTS"},
        NameCase{0x80000000, "SHCNE_INTERRUPT"}));

INSTANTIATE_TEST_SUITE_P(Unnamed, EventNames,
                         ::testing::Values(NameCase{0x0, ""}, NameCase{0x3, ""},
                                           NameCase{0x4000000, ""}, NameCase{0x80000020, ""},
                                           NameCase{0x2381E, ""}, NameCase{0xFFFFFFFF, ""}));

struct TrimCase {
  std::string buffer;
  std::string trimmed;
};

class TrimmingAtNull : public ::testing::TestWithParam<TrimCase> {};

TEST_P(TrimmingAtNull, CutsAtTheFirstNul) {
  EXPECT_EQ(TrimAtNull(GetParam().buffer), GetParam().trimmed);
}

INSTANTIATE_TEST_SUITE_P(Table, TrimmingAtNull,
                         ::testing::Values(TrimCase{"abc", "abc"}, TrimCase{"", ""},
                                           TrimCase{std::string("\0abc", 4), ""},
                                           TrimCase{std::string("abc\0def", 7), "abc"},
                                           TrimCase{std::string("abc\0\0\0", 6), "abc"}));

using test_support::ItemList;

TEST(ItemPath, OfDriveCsRootIsItsRoot) {
  ItemList root("C:\\");
  ASSERT_NE(root.get(), nullptr);
  EXPECT_EQ(GetItemPath(root.get()), "C:\\");
}

TEST(ItemPath, OfAnItemOutsideTheFileSystemIsEmpty) {
  ItemList computer(CSIDL_DRIVES);
  ASSERT_NE(computer.get(), nullptr);
  EXPECT_EQ(GetItemPath(computer.get()), "");
  EXPECT_EQ(GetItemPath(nullptr), "");
}

struct DisplayNameCase {
  const char* root;
  const char* name;
};

class DriveDisplayName : public ::testing::TestWithParam<DisplayNameCase> {};

TEST_P(DriveDisplayName, IsTheLabelAndTheLetter) {
  ItemList root(GetParam().root);
  ASSERT_NE(root.get(), nullptr);
  EXPECT_EQ(GetItemDisplayName(root.get()), GetParam().name);
}

INSTANTIATE_TEST_SUITE_P(TestDrives, DriveDisplayName,
                         ::testing::Values(DisplayNameCase{"D:\\", "FIFA2001 (D:)"},
                                           DisplayNameCase{"E:\\", "OTHERDISC (E:)"}));

// The shell fails, yet leaves text behind in the record: none of it may be taken for a name.
DWORD_PTR WINAPI FailingFileInfo(LPCSTR, DWORD, SHFILEINFOA* info, UINT, UINT) {
  std::strcpy(info->szDisplayName, "stale name");
  return 0;
}

TEST(ItemDisplayName, IsEmptyWhenTheShellCannotNameTheItem) {
  ItemList root("C:\\");
  platform::shell32().SHGetFileInfoA.Replace(&FailingFileInfo);
  const std::string name = GetItemDisplayName(root.get());
  platform::shell32().SHGetFileInfoA.Restore();
  EXPECT_EQ(name, "");
  EXPECT_EQ(GetItemDisplayName(nullptr), "");
}

}  // namespace
}  // namespace shellnotify
