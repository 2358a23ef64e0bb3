// The start-up scan's report in the log: through the real discpilot.exe over the test prefix's
// drives (C: and Z: fixed drives, CD-ROM drives D:, E:, F:, and a hard disk H: labelled FIFA2001),
// and, for what Wine cannot produce (a virtualised registry view), through the token query's
// seam with the window hosted in the test process.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>

#include "main/tests/hosted_form1.h"
#include "main/tests/test_prefix.h"
#include "platform/win32.h"
#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace discpilot_test {
namespace {

constexpr DWORD kTimeoutMs = 30000;

constexpr char kHardDiskLine[] =
    "H:\\ fixed drive, label FIFA2001: not examined as the game disc, since it is not a CD-ROM "
    "drive\r\n";

// The report as the prefix's drives give it, with the lines of D:, E: and F: and the value line.
std::string Report(const std::string& d, const std::string& e, const std::string& f,
                   const std::string& valueLine) {
  return "Text1\r\nStart-up scan\r\nC:\\ fixed drive\r\n" + d + "\r\n" + e + "\r\n" + f + "\r\n" +
         kHardDiskLine + "Z:\\ fixed drive\r\n" + valueLine + "\r\n\r\n";
}

// The log of the real program once its window shows; the program is then closed.
std::string LogOfARun() {
  auto program = test_support::Program::Start(DISCPILOT_EXE);
  HWND window = test_support::WaitForTopLevelWindow(kCaption, program.Id(), kTimeoutMs);
  if (!window) return "(no window)";
  const std::string log = test_support::WindowText(FindWindowExA(window, nullptr, "Edit", nullptr));
  SendMessageA(window, WM_CLOSE, 0, 0);
  program.WaitForExit(kTimeoutMs);
  return log;
}

struct ReportCase {
  const char* name;
  const char* discInD;  // "" for no disc
  const char* discInE;
  bool driveFolderOfFPresent;
  const char* valueBefore;  // nullptr: no value
  std::string expected;
};

class StartUpReport : public TestPrefix, public testing::WithParamInterface<ReportCase> {};

TEST_P(StartUpReport, FollowsTheDesignTextAsTheLogsFirstEntry) {
  const ReportCase& c = GetParam();
  SetDisc('d', c.discInD);
  SetDisc('e', c.discInE);
  SetDriveFolderPresent('f', c.driveFolderOfFPresent);
  if (c.valueBefore) WriteGameValue(kDriveValueName, REG_SZ, c.valueBefore);
  EXPECT_EQ(LogOfARun(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Drives, StartUpReport,
    testing::Values(
        ReportCase{"GameDiscWritten", "FIFA2001", "OTHERDISC", true, nullptr,
                   Report("D:\\ CD-ROM drive, label FIFA2001: the game disc",
                          "E:\\ CD-ROM drive, label OTHERDISC", "F:\\ CD-ROM drive, no label",
                          "CD Drive = D:\\ (written)")},
        // The value names the drive written last.
        ReportCase{"TwoGameDiscs", "fifa2001", "FIFA2001 WORLD CUP", true, "X:\\",
                   Report("D:\\ CD-ROM drive, label fifa2001: the game disc",
                          "E:\\ CD-ROM drive, label FIFA2001 WORLD CUP: the game disc",
                          "F:\\ CD-ROM drive, no label", "CD Drive = E:\\ (written)")},
        ReportCase{"ValueKept", "FIFA 2001", "OTHERDISC", true, "X:\\",
                   Report("D:\\ CD-ROM drive, label FIFA 2001",
                          "E:\\ CD-ROM drive, label OTHERDISC", "F:\\ CD-ROM drive, no label",
                          "CD Drive = X:\\ (kept: no CD-ROM drive holds the game disc)")},
        ReportCase{"ValueNotSet", "OTHERDISC", "OTHERDISC", true, nullptr,
                   Report("D:\\ CD-ROM drive, label OTHERDISC",
                          "E:\\ CD-ROM drive, label OTHERDISC", "F:\\ CD-ROM drive, no label",
                          "CD Drive not set: no CD-ROM drive holds the game disc")},
        // An empty text names no drive either.
        ReportCase{"EmptyValueIsNotSet", "OTHERDISC", "OTHERDISC", true, "",
                   Report("D:\\ CD-ROM drive, label OTHERDISC",
                          "E:\\ CD-ROM drive, label OTHERDISC", "F:\\ CD-ROM drive, no label",
                          "CD Drive not set: no CD-ROM drive holds the game disc")}),
    [](const testing::TestParamInfo<ReportCase>& info) { return std::string(info.param.name); });

class StartUpReportRun : public TestPrefix {};

TEST_F(StartUpReportRun, NamesNoDriveForAValueOfAnotherType) {
  SetDisc('d', "OTHERDISC");
  WriteGameValue(kDriveValueName, REG_DWORD, std::string("\x04\x00\x00\x00", 4));
  const std::string log = LogOfARun();
  EXPECT_NE(log.find("\r\nCD Drive not set: no CD-ROM drive holds the game disc\r\n\r\n"),
            std::string::npos)
      << log;
}

// A refused write ends the program with its error box before any report.
TEST_F(StartUpReportRun, IsNotMadeWhenTheWriteIsRefused) {
  ASSERT_NO_FATAL_FAILURE(RefuseGameKeyCreation());
  auto program = test_support::Program::Start(DISCPILOT_EXE);
  const auto box = test_support::WaitForMessageBox(program.Id(), kTimeoutMs);
  ASSERT_NE(box.window, nullptr);
  HWND window = test_support::WaitForTopLevelWindow(kCaption, program.Id(), 0, false);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(test_support::WindowText(FindWindowExA(window, nullptr, "Edit", nullptr)), "Text1");
  test_support::DismissMessageBox(box.window);
  EXPECT_NE(program.WaitForExit(kTimeoutMs), 0u);
}

// The log of the main window loaded in the test process, once its load event has run.
std::string LogOfAHostedLoad() {
  BoxRecorder boxes;
  std::string log;
  {
    Form1 form;
    if (!form.Load()) return "(no window)";
    log = form.Text1.Text();
    SendMessageA(form.hWnd(), WM_CLOSE, 0, 0);
  }
  DropQuitRequest();
  EXPECT_EQ(boxes.boxes, std::vector<std::string>{});
  return log;
}

// Wine answers the label query of an empty CD-ROM drive with an empty label, where Windows fails
// it; the failure is made here for F: alone.
BOOL WINAPI LabelOfFUnreadable(LPCSTR root, LPSTR label, DWORD labelSize, LPDWORD serial,
                               LPDWORD componentLength, LPDWORD flags, LPSTR fileSystem,
                               DWORD fileSystemSize) {
  if (std::string(root) == "F:\\") {
    SetLastError(ERROR_NOT_READY);
    return FALSE;
  }
  return platform::kernel32().GetVolumeInformationA.Real()(
      root, label, labelSize, serial, componentLength, flags, fileSystem, fileSystemSize);
}

class StartUpReportOfAnUnreadableDrive : public TestPrefix {
 protected:
  void TearDown() override {
    platform::kernel32().GetVolumeInformationA.Restore();
    TestPrefix::TearDown();
  }
};

TEST_F(StartUpReportOfAnUnreadableDrive, SaysItHoldsNoDisc) {
  platform::kernel32().GetVolumeInformationA.Replace(&LabelOfFUnreadable);
  EXPECT_EQ(LogOfAHostedLoad(), Report("D:\\ CD-ROM drive, label FIFA2001: the game disc",
                                       "E:\\ CD-ROM drive, label OTHERDISC",
                                       "F:\\ CD-ROM drive, no disc", "CD Drive = D:\\ (written)"));
}

DWORD tokenVirtualisation = 0;

BOOL WINAPI TokenWithVirtualisation(HANDLE, TOKEN_INFORMATION_CLASS kind, LPVOID data, DWORD size,
                                    PDWORD returned) {
  if (kind != TokenVirtualizationEnabled || size < sizeof(DWORD)) return FALSE;
  *static_cast<DWORD*>(data) = tokenVirtualisation;
  *returned = sizeof(DWORD);
  return TRUE;
}

struct VirtualisedCase {
  const char* name;
  DWORD virtualisation;
  const char* discInD;
  bool lineExpected;
};

class StartUpReportOnWindows : public TestPrefix,
                               public testing::WithParamInterface<VirtualisedCase> {
 protected:
  void TearDown() override {
    platform::advapi32().GetTokenInformation.Restore();
    TestPrefix::TearDown();
  }
};

// Only a value that was written can be in the user's own view; the token says whether it is.
TEST_P(StartUpReportOnWindows, SaysWhenTheValueIsKeptForThisUserOnly) {
  const VirtualisedCase& c = GetParam();
  SetDisc('d', c.discInD);
  tokenVirtualisation = c.virtualisation;
  platform::advapi32().GetTokenInformation.Replace(&TokenWithVirtualisation);
  const std::string log = LogOfAHostedLoad();
  const std::string line =
      "\r\nWindows keeps this value for this user only: a game started with \"Run as "
      "administrator\" does not see it\r\n\r\n";
  const auto found = log.find(line);
  EXPECT_EQ(found != std::string::npos, c.lineExpected) << log;
  if (c.lineExpected) {
    EXPECT_EQ(found + line.size(), log.size()) << "the report's last line, right after the value";
    EXPECT_NE(log.find("\r\nCD Drive = D:\\ (written)" + line), std::string::npos) << log;
  }
}

INSTANTIATE_TEST_SUITE_P(Token, StartUpReportOnWindows,
                         testing::Values(VirtualisedCase{"VirtualisedWrite", 1, "FIFA2001", true},
                                         VirtualisedCase{"ElevatedWrite", 0, "FIFA2001", false},
                                         VirtualisedCase{"VirtualisedWithoutWrite", 1, "OTHERDISC",
                                                         false}),
                         [](const testing::TestParamInfo<VirtualisedCase>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace discpilot_test
