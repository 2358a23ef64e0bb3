#include "play/play.h"

#include <windows.h>

#include "platform/app.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "play/discpilot_for_game.h"
#include "play/game.h"

namespace {

constexpr char kUsageText[] =
    "No game was given.\r\n\r\n"
    "Start pilotplay with the path of the game's program, followed by the game's own arguments:"
    "\r\n\r\npilotplay.exe GAME [ARGUMENTS]";

bool IsNotFound(DWORD error) {
  return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
         error == ERROR_INVALID_NAME || error == ERROR_BAD_PATHNAME;
}

}  // namespace

int PlayGame(const std::string& argumentText) {
  const auto command = ReadGameCommand(argumentText);
  if (!command) {
    platform::ShowMessageBox(kUsageText, MB_OK | MB_ICONEXCLAMATION);
    return kNoGameGiven;
  }
  DWORD error = 0;
  auto game = Game::Prepare(*command, error);
  if (!game) {
    platform::ShowMessageBox("The game cannot be started:\r\n\r\n" + Game::ProgramOf(*command) +
                                 "\r\n\r\n" + platform::SystemErrorText(error),
                             MB_OK | MB_ICONSTOP);
    return IsNotFound(error) ? kGameNotFound : kGameNotStartable;
  }

  DiscPilotForGame discpilot = DiscPilotForGame::Ready(platform::ProgramFolder());
  if (!discpilot.Problem().empty())
    platform::ShowMessageBox(discpilot.Problem(), MB_OK | MB_ICONEXCLAMATION);

  game->Start();
  const DWORD status = game->WaitForEnd();
  discpilot.CloseIfStarted();
  return static_cast<int>(status);
}
