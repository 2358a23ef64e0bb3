// pilotstop end to end: the real pilotstop.exe against the real discpilot.exe and stand-in
// windows, under Wine. Message boxes are found and dismissed from outside the process.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace {

using test_support::DismissMessageBox;
using test_support::MessageBoxSeen;
using test_support::Program;
using test_support::WaitForMessageBox;
using test_support::WaitForTopLevelWindow;

constexpr char kMainCaption[] = "Goalvista DiscPilot";
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 30000;

Program StartPilotstop(const std::string& arguments = {}) {
  return Program::Start(PILOTSTOP_EXE, arguments);
}

// A running discpilot whose main window is up.
struct RunningDiscPilot {
  Program program = Program::Start(DISCPILOT_EXE);
  HWND window = WaitForTopLevelWindow(kMainCaption, program.Id(), kStartTimeoutMs);
};

// A stand-in window with the given caption that takes blockMs to answer WM_CLOSE.
struct CaptionWindow {
  CaptionWindow(const std::string& caption, DWORD blockMs)
      : program(Program::Start(CAPTION_WINDOW_EXE, std::to_string(blockMs) + " " + caption)),
        window(WaitForTopLevelWindow(caption, program.Id(), kStartTimeoutMs)) {}
  Program program;
  HWND window;
};

// Waits for pilotstop's box, checks its text, title and icon, presses OK. (The exact style is
// checked by the load event's own tests, which see the box through the message-box hook.)
void ExpectBoxAndDismiss(Program& pilotstop, const std::string& text) {
  const MessageBoxSeen box = WaitForMessageBox(pilotstop.Id(), kStartTimeoutMs);
  ASSERT_NE(box.window, nullptr) << "no message box appeared";
  EXPECT_EQ(box.text, text);
  EXPECT_EQ(box.title, "Pilotstop");
  EXPECT_TRUE(box.hasInformationIcon);
  EXPECT_FALSE(box.hasStopIcon);
  EXPECT_TRUE(DismissMessageBox(box.window));
}

TEST(PilotstopWithNothingRunning, SilentRunShowsNothingAndExits1) {
  // A box would hold the program until OK is pressed, so ending on its own proves there was none.
  Program pilotstop = StartPilotstop("x");
  EXPECT_EQ(pilotstop.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(1));
}

TEST(PilotstopWithNothingRunning, ReportsThatDiscPilotIsNotRunning) {
  Program pilotstop = StartPilotstop();
  ExpectBoxAndDismiss(pilotstop, "Goalvista DiscPilot was not installed in your memory.");
  EXPECT_EQ(pilotstop.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(1));
}

struct ClosingCase {
  const char* name;
  bool hideMainWindow;
  const char* arguments;  // non-empty: silent
};

class PilotstopClosesDiscPilot : public testing::TestWithParam<ClosingCase> {};

TEST_P(PilotstopClosesDiscPilot, AndDiscPilotEndsNormally) {
  RunningDiscPilot discpilot;
  ASSERT_NE(discpilot.window, nullptr);
  if (GetParam().hideMainWindow) ShowWindow(discpilot.window, SW_HIDE);

  Program pilotstop = StartPilotstop(GetParam().arguments);
  if (*GetParam().arguments == '\0')
    ExpectBoxAndDismiss(pilotstop, "Goalvista DiscPilot has been terminated!");
  EXPECT_EQ(pilotstop.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
  EXPECT_EQ(discpilot.program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Table, PilotstopClosesDiscPilot,
                         testing::Values(ClosingCase{"Shown", false, ""},
                                         ClosingCase{"Hidden", true, ""},
                                         ClosingCase{"Silently", false, "/quiet"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PilotstopWithTwoDiscPilots, EachRunClosesOneOfThem) {
  RunningDiscPilot first;
  RunningDiscPilot second;
  ASSERT_NE(first.window, nullptr);
  ASSERT_NE(second.window, nullptr);

  Program run1 = StartPilotstop("x");
  EXPECT_EQ(run1.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
  const bool firstEnded = first.program.WaitForExit(2000).has_value();
  const bool secondEnded = second.program.WaitForExit(firstEnded ? 0 : 2000).has_value();
  EXPECT_NE(firstEnded, secondEnded) << "exactly one copy must have been closed";

  Program run2 = StartPilotstop("x");
  EXPECT_EQ(run2.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
  EXPECT_EQ(first.program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
  EXPECT_EQ(second.program.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(0));
}

struct CaptionCase {
  const char* name;
  const char* caption;
  DWORD expectedExit;
};

class PilotstopCaptionMatch : public testing::TestWithParam<CaptionCase> {};

TEST_P(PilotstopCaptionMatch, IgnoresLetterCaseOnly) {
  CaptionWindow stand_in(GetParam().caption, 0);
  ASSERT_NE(stand_in.window, nullptr);
  Program pilotstop = StartPilotstop("x");
  EXPECT_EQ(pilotstop.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(GetParam().expectedExit));
  const bool closed =
      stand_in.program.WaitForExit(GetParam().expectedExit == 0 ? 5000 : 0).has_value();
  EXPECT_EQ(closed, GetParam().expectedExit == 0);
}

INSTANTIATE_TEST_SUITE_P(Table, PilotstopCaptionMatch,
                         testing::Values(CaptionCase{"UpperCase", "GOALVISTA DISCPILOT", 0},
                                         CaptionCase{"LowerCase", "goalvista discpilot", 0},
                                         CaptionCase{"TrailingSpace", "Goalvista DiscPilot ", 1},
                                         CaptionCase{"ExtraWord", "Goalvista DiscPilot Pilotstop",
                                                     1},
                                         CaptionCase{"MissingLetter", "Goalvista DiscPilo", 1}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PilotstopWithUnansweringWindow, GivesUpWithoutClaimingSuccess) {
  CaptionWindow hung(kMainCaption, 120000);
  ASSERT_NE(hung.window, nullptr);
  Program pilotstop = StartPilotstop();
  ExpectBoxAndDismiss(pilotstop, "Goalvista DiscPilot did not respond to the close request.");
  EXPECT_EQ(pilotstop.WaitForExit(kExitTimeoutMs), std::optional<DWORD>(2));
}

}  // namespace
