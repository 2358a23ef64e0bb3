// Volumes that arrive and go while discpilot runs. The real discpilot.exe hears them as Wine's
// mount manager announces them: this test process broadcasts WM_DEVICECHANGE with a volume's
// record to every application, after changing the prefix's drives through the mount manager.
// Records that no system would broadcast are sent to a main window hosted in this process.
#include <gtest/gtest.h>

#include <windows.h>
#include <dbt.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "main/tests/hosted_form1.h"
#include "main/tests/test_prefix.h"
#include "platform/win32.h"
#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace discpilot_test {
namespace {

constexpr DWORD kTimeoutMs = 30000;

constexpr DWORD Drive(char letter) { return DWORD{1} << (letter - 'A'); }

DEV_BROADCAST_VOLUME VolumeRecord(DWORD unitMask, WORD flags) {
  DEV_BROADCAST_VOLUME volume = {};
  volume.dbcv_size = sizeof volume;
  volume.dbcv_devicetype = DBT_DEVTYP_VOLUME;
  volume.dbcv_unitmask = unitMask;
  volume.dbcv_flags = flags;
  return volume;
}

// A serial port's record: its name follows the header, and the record's size counts it.
struct PortRecord {
  DEV_BROADCAST_PORT_A port;
  char name[16];
};

PortRecord PortRecordOf(const char* name) {
  PortRecord record = {};
  record.port.dbcp_devicetype = DBT_DEVTYP_PORT;
  lstrcpynA(record.port.dbcp_name, name, sizeof record.name);
  record.port.dbcp_size =
      static_cast<DWORD>(offsetof(DEV_BROADCAST_PORT_A, dbcp_name) + lstrlenA(name) + 1);
  return record;
}

// Sends a device change to every application's top-level windows, as Wine's mount manager does;
// true when every window granted it.
bool Broadcast(WPARAM event, const void* record) {
  DWORD recipients = BSM_APPLICATIONS;
  return BroadcastSystemMessageA(BSF_FORCEIFHUNG | BSF_QUERY, &recipients, WM_DEVICECHANGE, event,
                                 reinterpret_cast<LPARAM>(record)) > 0;
}

bool BroadcastVolume(WPARAM event, DWORD unitMask, WORD flags = DBTF_MEDIA) {
  const DEV_BROADCAST_VOLUME volume = VolumeRecord(unitMask, flags);
  return Broadcast(event, &volume);
}

// discpilot.exe running in the test prefix, its start-up scan done, with "CD Drive" set to
// kUntouchedDrive afterwards. It must still be running, show no box and close normally when the
// test ends.
class RunningDiscpilot : public TestPrefix {
 protected:
  void SetUp() override {
    TestPrefix::SetUp();
    program_.emplace(test_support::Program::Start(DISCPILOT_EXE));
    window_ = test_support::WaitForTopLevelWindow(kCaption, program_->Id(), kTimeoutMs);
    ASSERT_NE(window_, nullptr);
    text1_ = FindWindowExA(window_, nullptr, "Edit", nullptr);
    ASSERT_NE(text1_, nullptr);
    WriteGameValue(kDriveValueName, REG_SZ, kUntouchedDrive);
  }

  void TearDown() override {
    if (program_) {
      const test_support::MessageBoxSeen box = test_support::WaitForMessageBox(program_->Id(), 0);
      if (box.window) test_support::DismissMessageBox(box.window);
      EXPECT_EQ(box.window, nullptr) << "\"" << box.title << "\": " << box.text;
      EXPECT_TRUE(IsWindow(window_)) << "discpilot ended";
      SendMessageA(window_, WM_CLOSE, 0, 0);
      EXPECT_EQ(program_->WaitForExit(kTimeoutMs), 0u);
      program_.reset();
    }
    TestPrefix::TearDown();
  }

  std::string Log() const { return test_support::WindowText(text1_); }

  // The log once it has grown past before (an entry reaches the log whole), or as it stands when
  // nothing came in time.
  std::string LogAfter(const std::string& before) const {
    const DWORD deadline = GetTickCount() + kTimeoutMs;
    std::string log = Log();
    while (log == before && GetTickCount() < deadline) {
      Sleep(20);
      log = Log();
    }
    return log;
  }

  std::optional<test_support::Program> program_;
  HWND window_ = nullptr;
  HWND text1_ = nullptr;
};

// What the prefix's drives hold before the broadcast. At start-up D: holds the game disc,
// E: OTHERDISC, F: no disc, and the hard disk H: is labelled FIFA2001.
enum class Drives { AsTheProgramStarted, NewCdRomDriveG, GameDiscSwappedIntoE };

struct BroadcastCase {
  const char* name;
  Drives drives;
  WPARAM event;
  DWORD unitMask;
  WORD flags;
  const char* entry;
  const char* gameDrive;  // "CD Drive" afterwards
};

void PrintTo(const BroadcastCase& c, std::ostream* out) { *out << c.name; }

class Broadcasts : public RunningDiscpilot, public testing::WithParamInterface<BroadcastCase> {};

TEST_P(Broadcasts, AreLoggedExactlyAndFollowTheGameDisc) {
  const BroadcastCase& c = GetParam();
  switch (c.drives) {
    case Drives::AsTheProgramStarted:
      break;
    case Drives::NewCdRomDriveG:
      ASSERT_NO_FATAL_FAILURE(AddCdRomDrive('g', "FIFA2001"));
      break;
    case Drives::GameDiscSwappedIntoE:
      ASSERT_NO_FATAL_FAILURE(SetDisc('e', "FIFA2001"));
      break;
  }
  const std::string before = Log();

  EXPECT_TRUE(BroadcastVolume(c.event, c.unitMask, c.flags)) << "the change was not granted";

  EXPECT_EQ(LogAfter(before), before + c.entry);
  EXPECT_EQ(GameDrive(), c.gameDrive);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Broadcasts,
    testing::Values(
        // A new volume comes without DBTF_MEDIA, a disc inserted into a drive with it: the
        // flag does not matter.
        BroadcastCase{"NewCdRomDriveWithTheGameDisc", Drives::NewCdRomDriveG, DBT_DEVICEARRIVAL,
                      Drive('G'), 0, "DBT_DEVICEARRIVAL\r\nG:\\\r\n\r\n", "G:\\"},
        BroadcastCase{"GameDiscSwappedIntoADrive", Drives::GameDiscSwappedIntoE, DBT_DEVICEARRIVAL,
                      Drive('E'), DBTF_MEDIA, "DBT_DEVICEARRIVAL\r\nE:\\\r\n\r\n", "E:\\"},
        BroadcastCase{"TwoGameDiscsInOneArrivalTheLaterLetterWins", Drives::GameDiscSwappedIntoE,
                      DBT_DEVICEARRIVAL, Drive('D') | Drive('E'), DBTF_MEDIA,
                      "DBT_DEVICEARRIVAL\r\nD:\\\r\nE:\\\r\n\r\n", "E:\\"},
        BroadcastCase{"HardDiskLabelledLikeTheGameDisc", Drives::AsTheProgramStarted,
                      DBT_DEVICEARRIVAL, Drive('H'), 0, "DBT_DEVICEARRIVAL\r\nH:\\\r\n\r\n",
                      kUntouchedDrive},
        BroadcastCase{"OtherDiscAndEmptyDrive", Drives::AsTheProgramStarted, DBT_DEVICEARRIVAL,
                      Drive('E') | Drive('F'), DBTF_MEDIA,
                      "DBT_DEVICEARRIVAL\r\nE:\\\r\nF:\\\r\n\r\n", kUntouchedDrive},
        // The game disc is still in D: as the drive goes; a removal never writes.
        BroadcastCase{"RemovalOfTheGameDiscDrive", Drives::AsTheProgramStarted,
                      DBT_DEVICEREMOVECOMPLETE, Drive('D'), DBTF_MEDIA,
                      "DBT_DEVICEREMOVECOMPLETE\r\nD:\\\r\n\r\n", kUntouchedDrive}),
    [](const testing::TestParamInfo<BroadcastCase>& info) { return std::string(info.param.name); });

// Device changes that concern no volume come and go without a trace; the removal broadcast after
// them shows that they were handled, in order, and added nothing.
TEST_F(RunningDiscpilot, OtherDeviceChangesAddNothing) {
  const std::string before = Log();
  const PortRecord port = PortRecordOf("COM7");
  EXPECT_TRUE(Broadcast(DBT_DEVICEARRIVAL, &port));
  EXPECT_TRUE(Broadcast(DBT_DEVNODES_CHANGED, nullptr));
  EXPECT_TRUE(BroadcastVolume(DBT_DEVICEQUERYREMOVE, Drive('D')));

  EXPECT_TRUE(BroadcastVolume(DBT_DEVICEREMOVECOMPLETE, Drive('F')));

  EXPECT_EQ(LogAfter(before), before + "DBT_DEVICEREMOVECOMPLETE\r\nF:\\\r\n\r\n");
  EXPECT_EQ(GameDrive(), kUntouchedDrive);
}

TEST_F(RunningDiscpilot, ARefusedWriteIsLoggedAndLaterArrivalsStillAre) {
  DeleteGameKeys();
  ASSERT_NO_FATAL_FAILURE(RefuseGameKeyCreation());
  ASSERT_NO_FATAL_FAILURE(AddCdRomDrive('g', "FIFA2001"));
  const std::string before = Log();

  EXPECT_TRUE(BroadcastVolume(DBT_DEVICEARRIVAL, Drive('G')));
  const std::string error = LogAfter(before);
  EXPECT_TRUE(BroadcastVolume(DBT_DEVICEARRIVAL, Drive('E')));

  EXPECT_EQ(LogAfter(error),
            before +
                "Run-time error '26001':\r\n"
                "Failed to set registry value Key: '-2147483646',Section: "
                "'Software\\EA SPORTS\\FIFA 2001\\',Key: 'CD Drive' to value: 'G:\\'\r\n"
                "\r\n"
                "DBT_DEVICEARRIVAL\r\nE:\\\r\n\r\n");
  EXPECT_FALSE(KeyExists(kGameKeyPath));
  // TearDown finds the program running, without a box, and closes it.
}

// Records sent straight to a main window hosted here: the volume queries are recorded, so that a
// case shows which drives had their label read.
std::vector<std::string> labelsRead;

BOOL WINAPI RecordingVolumeQuery(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD serial,
                                 LPDWORD maximumLength, LPDWORD flags, LPSTR fileSystem,
                                 DWORD fileSystemSize) {
  labelsRead.push_back(root ? root : "(null)");
  return platform::kernel32().GetVolumeInformationA.Real()(
      root, label, labelSize, serial, maximumLength, flags, fileSystem, fileSystemSize);
}

class HostedVolumeChange : public HostedForm1 {
 protected:
  void SetUp() override {
    HostedForm1::SetUp();
    labelsRead.clear();
    platform::kernel32().GetVolumeInformationA.Replace(&RecordingVolumeQuery);
  }
  void TearDown() override {
    platform::kernel32().GetVolumeInformationA.Restore();
    HostedForm1::TearDown();
  }

  LRESULT Send(WPARAM event, const void* record) const {
    return SendMessageA(Window(), WM_DEVICECHANGE, event, reinterpret_cast<LPARAM>(record));
  }
};

// A volume's record as a sender may make it: its size field may say it is shorter than the
// record, and the mask may name drives beyond Z:.
enum class Record { None, Volume, Port, DeviceInterface };

struct RecordCase {
  const char* name;
  WPARAM event;
  Record record;
  DWORD sizeField;  // of a volume's record; 0 for the full size
  DWORD unitMask;
  const char* entry;  // what the log gains
  std::vector<std::string> labelsRead;
  const char* gameDrive;  // "CD Drive" afterwards
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.name; }

class SentRecord : public HostedVolumeChange, public testing::WithParamInterface<RecordCase> {};

TEST_P(SentRecord, IsGrantedAndLoggedExactly) {
  const RecordCase& c = GetParam();
  DEV_BROADCAST_VOLUME volume = VolumeRecord(c.unitMask, DBTF_MEDIA);
  if (c.sizeField) volume.dbcv_size = c.sizeField;
  const PortRecord port = PortRecordOf("COM7");
  DEV_BROADCAST_DEVICEINTERFACE_A deviceInterface = {};
  deviceInterface.dbcc_size = sizeof deviceInterface;
  deviceInterface.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
  const void* record = nullptr;
  switch (c.record) {
    case Record::None:
      break;
    case Record::Volume:
      record = &volume;
      break;
    case Record::Port:
      record = &port;
      break;
    case Record::DeviceInterface:
      record = &deviceInterface;
      break;
  }
  const std::string before = Log();

  EXPECT_EQ(Send(c.event, record), TRUE) << "a device change must never be denied";

  EXPECT_EQ(Log(), before + c.entry);
  if (*c.entry) ExpectCaretAtTheEnd();
  EXPECT_EQ(labelsRead, c.labelsRead);
  EXPECT_EQ(GameDrive(), c.gameDrive);
}

constexpr DWORD kBeyondZ = 0xFC000000;  // bits 26 to 31

INSTANTIATE_TEST_SUITE_P(
    Table, SentRecord,
    testing::Values(
        // Only the CD-ROM drives of the mask have their label read: C: and H: are hard disks
        // (H: labelled FIFA2001), E: holds another disc.
        RecordCase{"OnlyCdRomDrivesAreRead",
                   DBT_DEVICEARRIVAL,
                   Record::Volume,
                   0,
                   Drive('C') | Drive('D') | Drive('E') | Drive('H'),
                   "DBT_DEVICEARRIVAL\r\nC:\\\r\nD:\\\r\nE:\\\r\nH:\\\r\n\r\n",
                   {"D:\\", "E:\\"},
                   "D:\\"},
        RecordCase{"BitsBeyondZNameNoDrive",
                   DBT_DEVICEARRIVAL,
                   Record::Volume,
                   0,
                   kBeyondZ | Drive('Z'),
                   "DBT_DEVICEARRIVAL\r\nZ:\\\r\n\r\n",
                   {},
                   kUntouchedDrive},
        RecordCase{"ArrivalWithoutADrive",
                   DBT_DEVICEARRIVAL,
                   Record::Volume,
                   0,
                   kBeyondZ,
                   "DBT_DEVICEARRIVAL\r\n\r\n",
                   {},
                   kUntouchedDrive},
        RecordCase{"RemovalReadsNoLabel",
                   DBT_DEVICEREMOVECOMPLETE,
                   Record::Volume,
                   0,
                   Drive('D') | Drive('E'),
                   "DBT_DEVICEREMOVECOMPLETE\r\nD:\\\r\nE:\\\r\n\r\n",
                   {},
                   kUntouchedDrive},
        RecordCase{"RemovalWithoutADrive",
                   DBT_DEVICEREMOVECOMPLETE,
                   Record::Volume,
                   0,
                   0,
                   "DBT_DEVICEREMOVECOMPLETE\r\n\r\n",
                   {},
                   kUntouchedDrive},
        // A record longer than a volume's is read as far as a volume's goes.
        RecordCase{"LongerRecord",
                   DBT_DEVICEARRIVAL,
                   Record::Volume,
                   sizeof(DEV_BROADCAST_VOLUME) + 8,
                   Drive('D'),
                   "DBT_DEVICEARRIVAL\r\nD:\\\r\n\r\n",
                   {"D:\\"},
                   "D:\\"},
        // The record says it ends before its mask: the mask behind it is not read.
        RecordCase{"RecordTooShortForItsMask",
                   DBT_DEVICEARRIVAL,
                   Record::Volume,
                   sizeof(DEV_BROADCAST_HDR),
                   Drive('D'),
                   "",
                   {},
                   kUntouchedDrive},
        RecordCase{"RecordTooShortForItsType",
                   DBT_DEVICEARRIVAL,
                   Record::Volume,
                   sizeof(DWORD),
                   Drive('D'),
                   "",
                   {},
                   kUntouchedDrive},
        RecordCase{
            "ArrivalWithoutRecord", DBT_DEVICEARRIVAL, Record::None, 0, 0, "", {}, kUntouchedDrive},
        RecordCase{
            "ArrivalOfAPort", DBT_DEVICEARRIVAL, Record::Port, 0, 0, "", {}, kUntouchedDrive},
        RecordCase{"ArrivalOfADeviceInterface",
                   DBT_DEVICEARRIVAL,
                   Record::DeviceInterface,
                   0,
                   0,
                   "",
                   {},
                   kUntouchedDrive},
        RecordCase{"DeviceNodesChanged",
                   DBT_DEVNODES_CHANGED,
                   Record::None,
                   0,
                   0,
                   "",
                   {},
                   kUntouchedDrive},
        // A query may be answered with a denial; discpilot always grants.
        RecordCase{"QueryRemoveOfTheGameDiscDrive",
                   DBT_DEVICEQUERYREMOVE,
                   Record::Volume,
                   0,
                   Drive('D'),
                   "",
                   {},
                   kUntouchedDrive},
        RecordCase{"RemovePending",
                   DBT_DEVICEREMOVEPENDING,
                   Record::Volume,
                   0,
                   Drive('D'),
                   "",
                   {},
                   kUntouchedDrive}),
    [](const testing::TestParamInfo<RecordCase>& info) { return std::string(info.param.name); });

// As for a media insertion: the upper-case root is written first, then the entry reaches the log.
TEST_F(HostedVolumeChange, TheGameDriveIsWrittenBeforeTheEntryReachesTheLog) {
  const std::string before = Log();
  const DEV_BROADCAST_VOLUME volume = VolumeRecord(Drive('D'), DBTF_MEDIA);
  std::vector<std::string> logsAtWrite;
  {
    LogAtEachWrite recorder(form->Text1.hWnd());
    Send(DBT_DEVICEARRIVAL, &volume);
    logsAtWrite = recorder.Logs();
  }

  EXPECT_EQ(logsAtWrite, std::vector<std::string>{before});
  EXPECT_EQ(GameDrive(), "D:\\");
  EXPECT_EQ(Log(), before + "DBT_DEVICEARRIVAL\r\nD:\\\r\n\r\n");
}

// Volume changes reach the form machinery's own window procedure, so a window whose
// subclassing failed at load still follows the disc.
TEST(Form1WithoutSubclassing, StillFollowsTheGameDiscIntoAnArrivedDrive) {
  SavedGameDrive savedGameDrive;
  BoxRecorder boxes;
  Form1 form;
  ASSERT_TRUE(LoadWithSubclassingRefused(form));
  ASSERT_EQ(boxes.boxes.size(), 1u) << "the subclassing failure";
  WriteGameValue(kDriveValueName, REG_SZ, kUntouchedDrive);
  const std::string before = test_support::WindowText(form.Text1.hWnd());

  const DEV_BROADCAST_VOLUME volume = VolumeRecord(Drive('D'), 0);
  EXPECT_EQ(SendMessageA(form.hWnd(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL,
                         reinterpret_cast<LPARAM>(&volume)),
            TRUE);

  EXPECT_EQ(GameDrive(), "D:\\");
  EXPECT_EQ(test_support::WindowText(form.Text1.hWnd()),
            before + "DBT_DEVICEARRIVAL\r\nD:\\\r\n\r\n");
  SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
  EXPECT_EQ(boxes.boxes.size(), 1u) << "closing shows no box";
  DropQuitRequest();
}

}  // namespace
}  // namespace discpilot_test
