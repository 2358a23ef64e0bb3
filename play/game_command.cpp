#include "play/game_command.h"

#include "platform/app.h"

std::optional<GameCommand> ReadGameCommand(const std::string& argumentText) {
  GameCommand command;
  command.game = platform::FirstArgumentOf(argumentText);
  if (command.game.empty()) return std::nullopt;
  // The game's arguments are handed on as the text they are, never taken apart and re-quoted.
  command.arguments = platform::ArgumentsOf(argumentText);
  return command;
}
