// What pilotplay is told to start: "GAME [ARGUMENTS]".
#pragma once

#include <optional>
#include <string>

struct GameCommand {
  std::string game;       // the game's program as given, without the quotes around it
  std::string arguments;  // everything after it, exactly as given
};

// Reads pilotplay's argument text; nothing when it names no game.
std::optional<GameCommand> ReadGameCommand(const std::string& argumentText);
