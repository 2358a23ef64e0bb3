// The game as pilotplay runs it: started in its own folder with its arguments, and followed,
// together with every process it starts, until all of them have ended.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "play/game_command.h"
#include "platform/process.h"

class Game {
 public:
  // Creates the game's process, not yet running, so that nothing is started when the game cannot
  // be. Nothing when the system refuses; error then holds its error number.
  static std::optional<Game> Prepare(const GameCommand& command, DWORD& error);
  // The full path of the game's program file, as command named it.
  static std::string ProgramOf(const GameCommand& command);

  // Lets the game run.
  void Start();
  // Waits until the game and every process it started have ended, and returns the game's exit
  // status. Where the system refused to follow the processes it starts, only the game's own
  // process is waited for.
  DWORD WaitForEnd();

 private:
  explicit Game(platform::Process process);

  platform::Process process_;
  std::unique_ptr<platform::ProcessGroup> group_;
  bool groupFollows_ = false;
};
