// Shell notifications in the real main window, hosted in this test process. Wine's shell hands
// SHChangeNotify of this process synchronously to the registered window; notifications that Wine
// cannot make (free space, image updates, codes it drops) are built here and sent to the window as
// the shell's own message.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

#include <cstdint>
#include <cstdio>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "main/form1.h"
#include "main/tests/hosted_form1.h"
#include "main/tests/test_prefix.h"
#include "platform/win32.h"
#include "shellnotify/notification.h"
#include "shellnotify/registration.h"
#include "tests/support/window_search.h"
#include "tests/support/item_list.h"

namespace discpilot_test {
namespace {

using shellnotify::WM_SHELLNOTIFY;

constexpr char kFolder[] = "C:\\discpilot-notify";

using test_support::ItemList;

// The data item that free-space and image notifications carry in place of a first item: a
// 16-bit size, a 32-bit number, and the two zero bytes that end an item-ID list.
#pragma pack(push, 1)
struct PayloadItem {
  USHORT size = sizeof(USHORT) + sizeof(LONG);
  LONG value;
  USHORT end = 0;
};
#pragma pack(pop)

// The main window, with a folder for the files that the notifications name.
class NotifiedForm1 : public HostedForm1 {
 protected:
  void SetUp() override {
    CreateDirectoryA(kFolder, nullptr);
    HostedForm1::SetUp();
  }

  void TearDown() override {
    HostedForm1::TearDown();
    for (const char* file : {"created.txt", "new.txt"})
      DeleteFileA((std::string(kFolder) + "\\" + file).c_str());
    RemoveDirectoryA((std::string(kFolder) + "\\folder").c_str());
    RemoveDirectoryA(kFolder);
  }

  // Sends a notification record to the window as the shell sends it.
  void SendRecord(LONG event, const void* item1, const void* item2 = nullptr) const {
    const shellnotify::ShellNotifyRecord record = {static_cast<PCIDLIST_ABSOLUTE>(item1),
                                                   static_cast<PCIDLIST_ABSOLUTE>(item2)};
    SendMessageA(Window(), WM_SHELLNOTIFY, reinterpret_cast<WPARAM>(&record), event);
  }
};

// Files the notifications name. The shell's names do not depend on the files being there, but
// real ones make the case the shell reports.
void MakeFile(const std::string& path) {
  CloseHandle(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
}

// An item of a kind no shell folder knows: the shell can give it no display name.
const BYTE kUnknownItem[] = {4, 0, 0x99, 0, 0, 0};

struct ShellCase {
  const char* name;
  LONG event;
  UINT flags;
  const void* item1;
  const void* item2;
  const char* entry;
  const char* gameDrive;  // "CD Drive" afterwards
};

void PrintTo(const ShellCase& c, std::ostream* out) { *out << c.name; }

class RealNotification : public NotifiedForm1, public testing::WithParamInterface<ShellCase> {};

TEST_P(RealNotification, IsLoggedExactly) {
  const ShellCase& c = GetParam();
  MakeFile(std::string(kFolder) + "\\created.txt");
  MakeFile(std::string(kFolder) + "\\new.txt");
  CreateDirectoryA((std::string(kFolder) + "\\folder").c_str(), nullptr);
  const std::string before = Log();

  SHChangeNotify(c.event, c.flags, c.item1, c.item2);

  EXPECT_EQ(Log(), before + c.entry);
  ExpectCaretAtTheEnd();
  EXPECT_EQ(GameDrive(), c.gameDrive);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RealNotification,
    testing::Values(
        ShellCase{"Create", SHCNE_CREATE, SHCNF_PATHA, "C:\\discpilot-notify\\created.txt", nullptr,
                  "SHCNE_CREATE\r\n"
                  "first item displayname: created.txt\r\n"
                  "first item path: C:\\discpilot-notify\\created.txt\r\n\r\n",
                  kUntouchedDrive},
        ShellCase{"RenameItem", SHCNE_RENAMEITEM, SHCNF_PATHA, "C:\\discpilot-notify\\old.txt",
                  "C:\\discpilot-notify\\new.txt",
                  "SHCNE_RENAMEITEM\r\n"
                  "first item displayname: old.txt\r\n"
                  "first item path: C:\\discpilot-notify\\old.txt\r\n"
                  "second item displayname: new.txt\r\n"
                  "second item path: C:\\discpilot-notify\\new.txt\r\n\r\n",
                  kUntouchedDrive},
        ShellCase{"MkDir", SHCNE_MKDIR, SHCNF_PATHA, "C:\\discpilot-notify\\folder", nullptr,
                  "SHCNE_MKDIR\r\n"
                  "first item displayname: folder\r\n"
                  "first item path: C:\\discpilot-notify\\folder\r\n\r\n",
                  kUntouchedDrive},
        ShellCase{"ItemWithoutDisplayName", SHCNE_CREATE, SHCNF_IDLIST, kUnknownItem, nullptr,
                  "SHCNE_CREATE\r\nfirst item is invalid\r\n\r\n", kUntouchedDrive},
        // Two event bits make a code without a name: the entry starts with an empty line, and
        // the media bit among them makes no media insertion.
        ShellCase{"UnknownCodeWithTheMediaBit", SHCNE_MEDIAINSERTED | SHCNE_MEDIAREMOVED,
                  SHCNF_PATHA, "D:\\", nullptr,
                  "\r\nfirst item displayname: FIFA2001 (D:)\r\nfirst item path: D:\\\r\n\r\n",
                  kUntouchedDrive},
        ShellCase{"GameDiscInserted", SHCNE_MEDIAINSERTED, SHCNF_PATHA, "D:\\", nullptr,
                  "SHCNE_MEDIAINSERTED\r\n"
                  "first item displayname: FIFA2001 (D:)\r\nfirst item path: D:\\\r\n\r\n",
                  "D:\\"},
        ShellCase{"OtherDiscInserted", SHCNE_MEDIAINSERTED, SHCNF_PATHA, "E:\\", nullptr,
                  "SHCNE_MEDIAINSERTED\r\n"
                  "first item displayname: OTHERDISC (E:)\r\nfirst item path: E:\\\r\n\r\n",
                  kUntouchedDrive},
        ShellCase{"EmptyDriveInserted", SHCNE_MEDIAINSERTED, SHCNF_PATHA, "F:\\", nullptr,
                  "SHCNE_MEDIAINSERTED\r\n"
                  "first item displayname:  (F:)\r\nfirst item path: F:\\\r\n\r\n",
                  kUntouchedDrive}),
    [](const testing::TestParamInfo<ShellCase>& info) { return std::string(info.param.name); });

// Records built by the test. The current directory is on the drive holding the game disc, and
// the volume queries are counted: no case here may judge a disc at all.
enum class Item { None, Payload, GameDiscRoot, ItemWithoutPath };

struct RecordCase {
  const char* name;
  LONG event;
  Item item1;
  LONG payload;
  const char* entry;
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

int volumeQueries = 0;

BOOL WINAPI CountingVolumeQuery(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD serial,
                                LPDWORD maximumLength, LPDWORD flags, LPSTR fileSystem,
                                DWORD fileSystemSize) {
  ++volumeQueries;
  return platform::kernel32().GetVolumeInformationA.Real()(
      root, label, labelSize, serial, maximumLength, flags, fileSystem, fileSystemSize);
}

class BuiltRecord : public NotifiedForm1, public testing::WithParamInterface<RecordCase> {
 protected:
  void SetUp() override {
    NotifiedForm1::SetUp();
    GetCurrentDirectoryA(sizeof previousDirectory_, previousDirectory_);
    ASSERT_TRUE(SetCurrentDirectoryA("D:\\"));
    volumeQueries = 0;
    platform::kernel32().GetVolumeInformationA.Replace(&CountingVolumeQuery);
  }
  void TearDown() override {
    platform::kernel32().GetVolumeInformationA.Restore();
    SetCurrentDirectoryA(previousDirectory_);
    NotifiedForm1::TearDown();
  }

 private:
  char previousDirectory_[MAX_PATH] = {};
};

TEST_P(BuiltRecord, IsLoggedExactlyWithoutJudgingADisc) {
  const RecordCase& c = GetParam();
  PayloadItem payload;
  payload.value = c.payload;
  ItemList gameDiscRoot("D:\\");
  ItemList computer(CSIDL_DRIVES);
  const void* item1 = nullptr;
  switch (c.item1) {
    case Item::None:
      break;
    case Item::Payload:
      item1 = &payload;
      break;
    case Item::GameDiscRoot:
      item1 = gameDiscRoot.get();
      break;
    case Item::ItemWithoutPath:
      item1 = computer.get();
      break;
  }
  const std::string before = Log();

  SendRecord(c.event, item1);

  EXPECT_EQ(Log(), before + c.entry);
  ExpectCaretAtTheEnd();
  EXPECT_EQ(GameDrive(), kUntouchedDrive);
  EXPECT_EQ(volumeQueries, 0);
}

constexpr LONG kDriveBit(int letterIndex) { return static_cast<LONG>(1u << letterIndex); }

INSTANTIATE_TEST_SUITE_P(
    Table, BuiltRecord,
    testing::Values(
        RecordCase{"FreeSpaceMask20", SHCNE_FREESPACE, Item::Payload, 20,
                   "SHCNE_FREESPACE\r\nC:\\\r\nE:\\\r\n\r\n"},
        RecordCase{"FreeSpaceMask1", SHCNE_FREESPACE, Item::Payload, 1,
                   "SHCNE_FREESPACE\r\nA:\\\r\n\r\n"},
        RecordCase{"FreeSpaceMask0", SHCNE_FREESPACE, Item::Payload, 0, "SHCNE_FREESPACE\r\n\r\n"},
        // Bits 26 to 31 name no drive; Z: is bit 25.
        RecordCase{"FreeSpaceBitsAboveZ", SHCNE_FREESPACE, Item::Payload,
                   kDriveBit(25) | kDriveBit(26) | kDriveBit(31),
                   "SHCNE_FREESPACE\r\nZ:\\\r\n\r\n"},
        RecordCase{"FreeSpaceWithoutItem", SHCNE_FREESPACE, Item::None, 0,
                   "SHCNE_FREESPACE\r\n\r\n"},
        RecordCase{"UpdateImage7", SHCNE_UPDATEIMAGE, Item::Payload, 7,
                   "SHCNE_UPDATEIMAGE\r\nIndex of image in system imagelist: 7\r\n\r\n"},
        RecordCase{"UpdateImageNegative", SHCNE_UPDATEIMAGE, Item::Payload, -1,
                   "SHCNE_UPDATEIMAGE\r\nIndex of image in system imagelist: -1\r\n\r\n"},
        RecordCase{"UpdateImageWithoutItem", SHCNE_UPDATEIMAGE, Item::None, 0,
                   "SHCNE_UPDATEIMAGE\r\n\r\n"},
        RecordCase{"MediaInsertedWithoutItem", SHCNE_MEDIAINSERTED, Item::None, 0,
                   "SHCNE_MEDIAINSERTED\r\n\r\n"},
        // Only the code 0x20 itself is a media insertion; Wine's shell drops this code.
        RecordCase{"MediaInsertedWithTheInterruptBit",
                   static_cast<LONG>(SHCNE_MEDIAINSERTED | SHCNE_INTERRUPT), Item::GameDiscRoot, 0,
                   "\r\nfirst item displayname: FIFA2001 (D:)\r\nfirst item path: D:\\\r\n\r\n"},
        // An item without a path names no volume; the current directory's drive holds the game
        // disc, and must not be taken for it.
        RecordCase{"MediaInsertedItemWithoutPath", SHCNE_MEDIAINSERTED, Item::ItemWithoutPath, 0,
                   "SHCNE_MEDIAINSERTED\r\nfirst item displayname: My Computer\r\n"
                   "first item path: \r\n\r\n"}),
    [](const testing::TestParamInfo<RecordCase>& info) { return std::string(info.param.name); });

TEST_F(NotifiedForm1, ANotificationWithoutRecordHasNoItems) {
  const std::string before = Log();
  SendMessageA(Window(), WM_SHELLNOTIFY, 0, SHCNE_CREATE);
  EXPECT_EQ(Log(), before + "SHCNE_CREATE\r\n\r\n");
}

// The start-up scan's report follows the design text on a line of its own and ends, as every
// entry does, with an empty line; notification entries follow it.
TEST_F(NotifiedForm1, EntriesFollowTheStartUpReportInOrder) {
  const std::string report = Log();
  EXPECT_EQ(report.rfind("Text1\r\nStart-up scan\r\n", 0), 0u) << report;
  EXPECT_EQ(report.substr(report.size() - 4), "\r\n\r\n") << report;
  PayloadItem seven;
  seven.value = 7;
  SendRecord(SHCNE_UPDATEIMAGE, &seven);
  SHChangeNotify(SHCNE_MEDIAINSERTED, SHCNF_PATHA, "E:\\", nullptr);
  EXPECT_EQ(Log(), report +
                       "SHCNE_UPDATEIMAGE\r\nIndex of image in system imagelist: 7\r\n\r\n"
                       "SHCNE_MEDIAINSERTED\r\nfirst item displayname: OTHERDISC (E:)\r\n"
                       "first item path: E:\\\r\n\r\n");
  ExpectCaretAtTheEnd();
}

TEST_F(NotifiedForm1, TheGameDriveIsWrittenBeforeTheEntryReachesTheLog) {
  const std::string before = Log();
  std::vector<std::string> logsAtWrite;
  {
    LogAtEachWrite recorder(form->Text1.hWnd());
    SHChangeNotify(SHCNE_MEDIAINSERTED, SHCNF_PATHA, "D:\\", nullptr);
    logsAtWrite = recorder.Logs();
  }

  EXPECT_EQ(logsAtWrite, std::vector<std::string>{before});
  EXPECT_EQ(GameDrive(), "D:\\");
  EXPECT_NE(Log(), before);
}

// The window procedure the subclassing replaced, as WindowProc finds it: here a recorder in
// front of the form machinery's own procedure.
WNDPROC formProcedure = nullptr;
std::vector<UINT> passedOn;

LRESULT CALLBACK RecordingFormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHELLNOTIFY) passedOn.push_back(message);
  return CallWindowProcA(formProcedure, window, message, wParam, lParam);
}

TEST_F(NotifiedForm1, ARefusedWriteIsLoggedAndLaterNotificationsStillAre) {
  DeleteGameKeys();
  ASSERT_NO_FATAL_FAILURE(RefuseGameKeyCreation());
  formProcedure = reinterpret_cast<WNDPROC>(GetPropA(Window(), "OldWndProc"));
  ASSERT_NE(formProcedure, nullptr);
  SetPropA(Window(), "OldWndProc", reinterpret_cast<HANDLE>(&RecordingFormProcedure));
  passedOn.clear();
  const std::string before = Log();

  SHChangeNotify(SHCNE_MEDIAINSERTED, SHCNF_PATHA, "D:\\", nullptr);
  SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, "C:\\discpilot-notify", nullptr);

  EXPECT_EQ(Log(), before +
                       "Run-time error '26001':\r\n"
                       "Failed to set registry value Key: '-2147483646',Section: "
                       "'Software\\EA SPORTS\\FIFA 2001\\',Key: 'CD Drive' to value: 'D:\\'\r\n"
                       "\r\n"
                       "SHCNE_MKDIR\r\nfirst item displayname: discpilot-notify\r\n"
                       "first item path: C:\\discpilot-notify\r\n\r\n");
  ExpectCaretAtTheEnd();
  EXPECT_EQ(passedOn, (std::vector<UINT>{WM_SHELLNOTIFY, WM_SHELLNOTIFY}));
  EXPECT_FALSE(KeyExists(kGameKeyPath));

  SetPropA(Window(), "OldWndProc", reinterpret_cast<HANDLE>(formProcedure));
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameParentKeyPath);
}

// A log of a thousand characters (the start-up report takes a third), so that trimming shows
// after a few entries.
class SmallLog : public NotifiedForm1 {
 protected:
  std::size_t LogCapacity() const override { return 1000; }
};

std::string ImageEntry(int index) {
  return "SHCNE_UPDATEIMAGE\r\nIndex of image in system imagelist: " + std::to_string(index) +
         "\r\n\r\n";
}

TEST_F(SmallLog, KeepsTheNewestWholeEntriesWithinItsCapacity) {
  // The design text and the start-up scan's report count as the first entry.
  const std::string first = Log();
  ASSERT_LT(first.size(), LogCapacity() / 2);
  std::vector<std::string> entries;
  bool trimmed = false;
  for (int i = 0; i < 60; ++i) {
    PayloadItem item;
    item.value = i;
    SendRecord(SHCNE_UPDATEIMAGE, &item);
    entries.push_back(ImageEntry(i));

    const std::string log = Log();
    ASSERT_LE(log.size(), LogCapacity()) << "after entry " << i;
    // The log is the newest entries, whole: after a trim the design text and the report have
    // gone with the first entry.
    std::string newest;
    std::size_t kept = 0;
    while (newest.size() < log.size() && kept < entries.size())
      newest = entries[entries.size() - ++kept] + newest;
    if (log.rfind(first, 0) == 0) {
      ASSERT_FALSE(trimmed);
      ASSERT_EQ(log, first + newest) << "after entry " << i;
    } else {
      trimmed = true;
      ASSERT_EQ(log, newest) << "after entry " << i;
      ASSERT_GE(kept, 3u) << "a trim keeps most of the log";
    }
    ExpectCaretAtTheEnd();
  }
  EXPECT_TRUE(trimmed);
}

// The box's own limit (about 32 000 characters) does not end the log.
TEST_F(NotifiedForm1, TheLogGrowsPastTheTextBoxDefaultLimit) {
  std::string expected = Log();
  PayloadItem everyDrive;
  everyDrive.value = (1 << 26) - 1;
  std::string entry = "SHCNE_FREESPACE\r\n";
  for (char letter = 'A'; letter <= 'Z'; ++letter) entry += std::string(1, letter) + ":\\\r\n";
  entry += "\r\n";
  while (expected.size() < 40000) {
    SendRecord(SHCNE_FREESPACE, &everyDrive);
    expected += entry;
  }
  EXPECT_EQ(Log(), expected);
  ExpectCaretAtTheEnd();
}

// Lines wider than the box wrap between words, never inside one.
TEST_F(NotifiedForm1, LongLinesWrapBetweenWords) {
  const std::string path =
      std::string(kFolder) + "\\a file whose name is far too long for one line of the log.txt";
  MakeFile(path);
  SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, path.c_str(), nullptr);
  DeleteFileA(path.c_str());

  const HWND box = form->Text1.hWnd();
  const std::string log = Log();
  ASSERT_NE(log.find(path), std::string::npos);
  int wraps = 0;
  const auto lines = static_cast<int>(SendMessageA(box, EM_GETLINECOUNT, 0, 0));
  for (int line = 1; line < lines; ++line) {
    const auto start = static_cast<std::size_t>(SendMessageA(box, EM_LINEINDEX, line, 0));
    ASSERT_LE(start, log.size());
    if (log[start - 1] == '\n') continue;
    ++wraps;
    EXPECT_EQ(log[start - 1], ' ')
        << "wrapped inside a word at " << start << ": " << log.substr(start - 10, 20);
  }
  EXPECT_GT(wraps, 0) << "the lines did not need wrapping: the case shows nothing";
}

// Closing: what ran, in order.
std::vector<std::string> calls;

BOOL WINAPI RecordingDeregister(ULONG id) {
  calls.push_back("deregister");
  return platform::shell32().SHChangeNotifyDeregister.Real()(id);
}

HANDLE WINAPI RecordingRemoveProp(HWND window, LPCSTR name) {
  calls.push_back(std::string("remove ") + name);
  return platform::user32().RemovePropA.Real()(window, name);
}

LONG WINAPI RecordingSetWindowLong(HWND window, int index, LONG value) {
  if (index == GWL_WNDPROC) calls.push_back("restore procedure");
  return platform::user32().SetWindowLongA.Real()(window, index, value);
}

int flashes = 0;
BOOL WINAPI CountingFlashWindow(HWND, BOOL) {
  ++flashes;
  return TRUE;
}

// The flash timer is designed off; once started, it flashes six times and stops itself.
TEST_F(NotifiedForm1, FlashTimerFlashesSixTimesThenStopsItself) {
  EXPECT_FALSE(form->tmrFlashMe.Enabled());
  EXPECT_EQ(form->tmrFlashMe.Interval(), 0u);

  flashes = 0;
  platform::user32().FlashWindow.Replace(&CountingFlashWindow);
  form->tmrFlashMe.Interval(1);
  form->tmrFlashMe.Enabled(true);
  const DWORD deadline = GetTickCount() + 10000;
  while (form->tmrFlashMe.Enabled() && GetTickCount() < deadline) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    Sleep(10);
  }
  platform::user32().FlashWindow.Restore();

  EXPECT_EQ(flashes, 6);
  EXPECT_FALSE(form->tmrFlashMe.Enabled());
  EXPECT_EQ(form->tmrFlashMe.Interval(), 1u);
}

class Closing : public NotifiedForm1 {
 protected:
  void SetUp() override {
    NotifiedForm1::SetUp();
    calls.clear();
    platform::shell32().SHChangeNotifyDeregister.Replace(&RecordingDeregister);
    platform::user32().RemovePropA.Replace(&RecordingRemoveProp);
    platform::user32().SetWindowLongA.Replace(&RecordingSetWindowLong);
  }
  void TearDown() override {
    platform::shell32().SHChangeNotifyDeregister.Restore();
    platform::user32().RemovePropA.Restore();
    platform::user32().SetWindowLongA.Restore();
    NotifiedForm1::TearDown();
  }
};

TEST_F(Closing, WmCloseDeregistersThenUnsubclassesWithoutABox) {
  const HWND window = Window();
  ASSERT_NE(shellnotify::hShellNotify(), 0u);

  SendMessageA(window, WM_CLOSE, 0, 0);

  EXPECT_EQ(calls,
            (std::vector<std::string>{"deregister", "remove OldWndProc", "restore procedure"}));
  EXPECT_FALSE(IsWindow(window));
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_EQ(shellnotify::hShellNotify(), 0u);
  EXPECT_EQ(shellnotify::pidlDesktop(), nullptr);
  // TearDown finds no box.
}

// A window whose subclassing failed at load runs without notifications and still closes quietly.
TEST(Form1WithoutSubclassing, LoadsWithoutRegistrationAndClosesQuietly) {
  SavedGameDrive savedGameDrive;
  BoxRecorder boxes;
  auto form = std::make_unique<Form1>();
  ASSERT_TRUE(LoadWithSubclassingRefused(*form));
  const HWND window = form->hWnd();
  char handle[16];
  std::snprintf(handle, sizeof handle, "%lX",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
  EXPECT_EQ(boxes.boxes, std::vector<std::string>{std::string(kCaption) +
                                                  ": Unable to successfully subclass &H" + handle});
  EXPECT_EQ(shellnotify::hShellNotify(), 0u);
  EXPECT_EQ(GameDrive(), "D:\\") << "the scan runs all the same";

  const std::string before = test_support::WindowText(form->Text1.hWnd());
  SHChangeNotify(SHCNE_MKDIR, SHCNF_PATHA, kFolder, nullptr);
  EXPECT_EQ(test_support::WindowText(form->Text1.hWnd()), before);

  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(boxes.boxes.size(), 1u) << "closing shows no box";
  form.reset();
  DropQuitRequest();
}

}  // namespace
}  // namespace discpilot_test
