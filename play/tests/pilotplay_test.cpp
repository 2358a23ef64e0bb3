// pilotplay end to end: the real pilotplay.exe, with the real discpilot.exe beside it, plays the
// stand-in game in the test prefix (CD-ROM drive D: holds the game disc). Boxes are found and
// dismissed from outside the process.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

#include "main/tests/test_prefix.h"
#include "play/tests/stand_in.h"
#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace pilotplay_test {
namespace {

using discpilot_test::kCaption;
using test_support::Program;

constexpr DWORD kTimeoutMs = 60000;

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

// The command line the game sees: its full path, quoted, then its arguments as given.
std::string GameCommandLine(const std::string& arguments) {
  return Quoted(kGame) + (arguments.empty() ? "" : " " + arguments);
}

class Pilotplay : public discpilot_test::TestPrefix {
 protected:
  void SetUp() override {
    TestPrefix::SetUp();
    ASSERT_NO_FATAL_FAILURE(InstallPrograms());
  }
  void TearDown() override {
    // A discpilot that a failed test left behind would be found by the next one.
    while (HWND window = FindWindowA(nullptr, kCaption)) {
      SendMessageA(window, WM_CLOSE, 0, 0);
      Sleep(200);
    }
    UninstallPrograms();
    TestPrefix::TearDown();
  }

  static Program Play(const std::string& arguments, const test_support::StartOptions& options = {},
                      const char* pilotplay = kInstalledPilotplay) {
    return Program::Start(pilotplay, arguments, options);
  }
};

// The round trip in a prefix where the game's value was absent: discpilot is up, minimised and
// in the background, with the value written, when the game starts; the game's status comes back;
// discpilot is gone afterwards.
TEST_F(Pilotplay, StartsDiscPilotFirstAndClosesItAfterTheGame) {
  ASSERT_FALSE(discpilot_test::KeyExists(discpilot_test::kGameKeyPath));
  SetGameExitStatus(7);

  Program pilotplay = Play(Quoted(kGame));
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), 7u);

  const auto record = GameRecord();
  ASSERT_TRUE(record.has_value()) << "the game did not start";
  EXPECT_EQ(record->at("cd_drive"), "D:\\");
  EXPECT_EQ(record->at("discpilot_window"), "yes");
  EXPECT_EQ(record->at("discpilot_minimised"), "yes");
  EXPECT_EQ(record->at("discpilot_foreground"), "no");
  EXPECT_EQ(record->at("command_line"), GameCommandLine(""));
  EXPECT_EQ(FindWindowA(nullptr, kCaption), nullptr) << "discpilot was not closed";
}

class PilotplayArguments : public Pilotplay, public testing::WithParamInterface<const char*> {};

TEST_P(PilotplayArguments, ReachTheGameUnchanged) {
  Program pilotplay = Play(Quoted(kGame) + " " + GetParam());
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), 0u);
  const auto record = GameRecord();
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->at("command_line"), GameCommandLine(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Table, PilotplayArguments,
                         testing::Values("-window", "\"two words\" -level 3",
                                         "say \"\\\"hi\\\"\"  twice  ", "\"C:\\a b\\c.ini\""));

struct FolderCase {
  const char* name;
  const char* startedIn;  // pilotplay's own working directory
  const char* game;       // as given to pilotplay
};

class PilotplayWorkingDirectory : public Pilotplay,
                                  public testing::WithParamInterface<FolderCase> {};

TEST_P(PilotplayWorkingDirectory, IsTheGamesOwnFolder) {
  test_support::StartOptions options;
  options.folder = GetParam().startedIn;
  Program pilotplay = Play(Quoted(GetParam().game), options);
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), 0u);
  const auto record = GameRecord();
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->at("folder"), kGameFolder);
  EXPECT_EQ(record->at("command_line"), GameCommandLine(""));
}

INSTANTIATE_TEST_SUITE_P(Table, PilotplayWorkingDirectory,
                         testing::Values(FolderCase{"FullPath", "C:\\windows", kGame},
                                         FolderCase{"RelativePath", kTestFolder,
                                                    "Game Folder\\game.exe"}),
                         [](const auto& info) { return std::string(info.param.name); });

class PilotplayExitStatus : public Pilotplay, public testing::WithParamInterface<DWORD> {};

TEST_P(PilotplayExitStatus, IsTheGames) {
  SetGameExitStatus(GetParam());
  Program pilotplay = Play(Quoted(kGame));
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Table, PilotplayExitStatus, testing::Values(0u, 1u, 125u, 70000u));

// A game whose program only starts the real one and ends: pilotplay waits for the real one, and
// discpilot stays until then.
TEST_F(Pilotplay, FollowsALauncherToTheEndOfTheGameItStarted) {
  SetGameStartsChild(4000);
  SetGameExitStatus(3);

  Program pilotplay = Play(Quoted(kGame));
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), 3u);

  const auto child = ChildRecord();
  ASSERT_TRUE(child.has_value()) << "pilotplay ended before the game the launcher started";
  EXPECT_EQ(child->at("discpilot_window"), "yes") << "discpilot closed before the game ended";
  EXPECT_EQ(FindWindowA(nullptr, kCaption), nullptr);
}

TEST_F(Pilotplay, LeavesADiscPilotThatAlreadyRuns) {
  Program discpilot = Program::Start(DISCPILOT_EXE);
  HWND window = test_support::WaitForTopLevelWindow(kCaption, discpilot.Id(), kTimeoutMs);
  ASSERT_NE(window, nullptr);

  Program pilotplay = Play(Quoted(kGame));
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), 0u);

  const auto record = GameRecord();
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->at("discpilot_process"), std::to_string(discpilot.Id()));
  EXPECT_EQ(record->at("discpilot_minimised"), "no");
  EXPECT_FALSE(discpilot.WaitForExit(0).has_value()) << "the running discpilot was closed";
  EXPECT_EQ(FindWindowA(nullptr, kCaption), window);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(discpilot.WaitForExit(kTimeoutMs), 0u);
}

struct UnplayableCase {
  const char* name;
  std::string arguments;
  const char* boxNames;  // text the box must contain
  DWORD status;
};

const std::string kMissingGame = std::string(kGameFolder) + "\\missing.exe";
const std::string kNotAProgram = std::string(kGameFolder) + "\\readme.txt";

class PilotplayWithoutAGame : public Pilotplay, public testing::WithParamInterface<UnplayableCase> {
 protected:
  void SetUp() override {
    Pilotplay::SetUp();
    std::ofstream(kNotAProgram) << "Not a program.\n";
  }
};

// Nothing is started: no discpilot comes up while the box is shown or after it.
TEST_P(PilotplayWithoutAGame, SaysSoAndStartsNothing) {
  Program pilotplay = Play(GetParam().arguments);
  const auto box = test_support::WaitForMessageBox(pilotplay.Id(), kTimeoutMs);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.title, "Pilotplay");
  EXPECT_NE(box.text.find(GetParam().boxNames), std::string::npos) << box.text;
  EXPECT_EQ(FindWindowA(nullptr, kCaption), nullptr);
  EXPECT_TRUE(test_support::DismissMessageBox(box.window));
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), GetParam().status);
  EXPECT_EQ(FindWindowA(nullptr, kCaption), nullptr);
  EXPECT_FALSE(GameRecord().has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Table, PilotplayWithoutAGame,
    testing::Values(UnplayableCase{"NoGameGiven", "", "pilotplay.exe GAME [ARGUMENTS]", 125},
                    UnplayableCase{"MissingGame", Quoted(kMissingGame) + " -x",
                                   kMissingGame.c_str(), 127},
                    UnplayableCase{"NotAProgram", Quoted(kNotAProgram), kNotAProgram.c_str(), 126}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(Pilotplay, WithoutDiscPilotBesideItSaysSoAndStartsTheGameAnyway) {
  SetGameExitStatus(4);
  Program pilotplay = Play(Quoted(kGame), {}, kLonePilotplay);
  const auto box = test_support::WaitForMessageBox(pilotplay.Id(), kTimeoutMs);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.title, "Pilotplay");
  EXPECT_NE(box.text.find("C:\\pilotplay-test\\Alone\\discpilot.exe"), std::string::npos)
      << box.text;
  EXPECT_FALSE(GameRecord().has_value()) << "the game starts once the box is answered";
  EXPECT_TRUE(test_support::DismissMessageBox(box.window));

  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), 4u);
  const auto record = GameRecord();
  ASSERT_TRUE(record.has_value());
  EXPECT_EQ(record->at("discpilot_window"), "no");
}

// discpilot cannot write the game's value: its own error box says why and it ends without showing
// its window; pilotplay then says that discpilot ended, and the game starts all the same.
TEST_F(Pilotplay, WhenDiscPilotEndsBeforeItsWindowShowsSaysSoAndStartsTheGame) {
  ASSERT_NO_FATAL_FAILURE(discpilot_test::RefuseGameKeyCreation());
  Program pilotplay = Play(Quoted(kGame));

  HWND discpilotBox = nullptr;
  const DWORD begin = GetTickCount();
  while (!discpilotBox && GetTickCount() - begin < kTimeoutMs) {
    HWND window = FindWindowA("#32770", kCaption);
    if (window && IsWindowVisible(window)) discpilotBox = window;
    Sleep(50);
  }
  ASSERT_NE(discpilotBox, nullptr) << "discpilot's error box did not appear";
  EXPECT_TRUE(test_support::DismissMessageBox(discpilotBox));

  const auto box = test_support::WaitForMessageBox(pilotplay.Id(), kTimeoutMs);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.title, "Pilotplay");
  EXPECT_NE(box.text.find("Goalvista DiscPilot ended before its window showed."), std::string::npos)
      << box.text;
  EXPECT_TRUE(test_support::DismissMessageBox(box.window));
  EXPECT_EQ(pilotplay.WaitForExit(kTimeoutMs), 0u);
  EXPECT_TRUE(GameRecord().has_value()) << "the game did not start";
}

// A window of the test's own that has the foreground, so that taking it is seen.
class ForegroundWindow {
 public:
  ForegroundWindow() {
    window_ = CreateWindowExA(0, "STATIC", "foreground", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                              200, 100, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    SetForegroundWindow(window_);
  }
  ~ForegroundWindow() { DestroyWindow(window_); }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

struct ShowCase {
  const char* name;
  std::optional<WORD> startedWith;
  bool minimised;
  bool takesForeground;
};

class DiscPilotShowState : public discpilot_test::TestPrefix,
                           public testing::WithParamInterface<ShowCase> {};

// As a "Run: Minimized" shortcut or start /min starts it.
TEST_P(DiscPilotShowState, IsTheOneItWasStartedWith) {
  ForegroundWindow other;
  ASSERT_EQ(GetForegroundWindow(), other.get());
  test_support::StartOptions options;
  options.showState = GetParam().startedWith;
  Program discpilot = Program::Start(DISCPILOT_EXE, "", options);
  HWND window = test_support::WaitForTopLevelWindow(kCaption, discpilot.Id(), kTimeoutMs);
  ASSERT_NE(window, nullptr);
  // The first showing is done once the program waits for input.
  WaitForInputIdle(discpilot.Handle(), 5000);
  EXPECT_EQ(IsIconic(window) != FALSE, GetParam().minimised);
  EXPECT_EQ(GetForegroundWindow() == window, GetParam().takesForeground);
  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(discpilot.WaitForExit(kTimeoutMs), 0u);
}

INSTANTIATE_TEST_SUITE_P(Table, DiscPilotShowState,
                         testing::Values(ShowCase{"Default", std::nullopt, false, true},
                                         ShowCase{"Normal", WORD{SW_SHOWNORMAL}, false, true},
                                         ShowCase{"MinimisedWithoutFocus", WORD{SW_SHOWMINNOACTIVE},
                                                  true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pilotplay_test
