// The game as pilotplay runs it, inside the test process: what the command line names, and how
// long the game is followed, with the system's job and with the job refused.
#include <gtest/gtest.h>

#include <windows.h>

#include "platform/win32.h"
#include "play/game.h"
#include "play/game_command.h"
#include "play/tests/stand_in.h"

namespace pilotplay_test {
namespace {

struct CommandCase {
  const char* argumentText;
  const char* game;  // nullptr: no game named
  const char* arguments;
};

class GameCommandLine : public testing::TestWithParam<CommandCase> {};

TEST_P(GameCommandLine, NamesTheGameAndKeepsItsArgumentsAsGiven) {
  const auto command = ReadGameCommand(GetParam().argumentText);
  if (!GetParam().game) {
    EXPECT_FALSE(command.has_value());
    return;
  }
  ASSERT_TRUE(command.has_value());
  EXPECT_EQ(command->game, GetParam().game);
  EXPECT_EQ(command->arguments, GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GameCommandLine,
    testing::Values(CommandCase{"", nullptr, ""}, CommandCase{"   ", nullptr, ""},
                    CommandCase{"\"\"", nullptr, ""},
                    CommandCase{"C:\\Games\\fifa.exe", "C:\\Games\\fifa.exe", ""},
                    CommandCase{"\"C:\\My Games\\fifa.exe\"", "C:\\My Games\\fifa.exe", ""},
                    CommandCase{"\"C:\\My Games\\fifa.exe\" -window \"a b\"",
                                "C:\\My Games\\fifa.exe", "-window \"a b\""},
                    CommandCase{"  fifa.exe   a  \"\\\"q\\\"\"  b ", "fifa.exe",
                                "a  \"\\\"q\\\"\"  b "}));

BOOL WINAPI RefuseJob(HANDLE, HANDLE) {
  SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

class GameFollowed : public testing::TestWithParam<bool> {
 protected:
  void SetUp() override { ASSERT_NO_FATAL_FAILURE(InstallPrograms()); }
  void TearDown() override {
    platform::kernel32().AssignProcessToJobObject.Restore();
    // The child of a game that was not followed may still run: let it end before its folder goes.
    for (int i = 0; i < 100 && !ChildRecord(); ++i) Sleep(100);
    UninstallPrograms();
  }
};

// A launcher-style game ends at once and leaves its child running for a while: with the job,
// the wait lasts until the child has ended too; where the system refuses the job, it lasts for
// the game's own process only, and the game's exit status comes back either way.
TEST_P(GameFollowed, UntilEveryProcessItStartedHasEnded) {
  const bool jobAllowed = GetParam();
  if (!jobAllowed) platform::kernel32().AssignProcessToJobObject.Replace(&RefuseJob);
  SetGameStartsChild(3000);
  SetGameExitStatus(5);

  DWORD error = 0;
  auto game = Game::Prepare({kGame, ""}, error);
  ASSERT_TRUE(game.has_value()) << "error " << error;
  EXPECT_FALSE(GameRecord().has_value()) << "the game must not run before Start()";
  game->Start();
  EXPECT_EQ(game->WaitForEnd(), 5u);

  EXPECT_TRUE(GameRecord().has_value());
  EXPECT_EQ(ChildRecord().has_value(), jobAllowed);
}

INSTANTIATE_TEST_SUITE_P(Job, GameFollowed, testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Allowed" : "Refused"; });

}  // namespace
}  // namespace pilotplay_test
