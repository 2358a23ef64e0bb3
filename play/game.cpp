#include "play/game.h"

#include <utility>

std::string Game::ProgramOf(const GameCommand& command) {
  return platform::FullPathOf(command.game);
}

std::optional<Game> Game::Prepare(const GameCommand& command, DWORD& error) {
  platform::ProcessStart start;
  start.program = ProgramOf(command);
  start.commandLine = "\"" + start.program + "\"";
  if (!command.arguments.empty()) start.commandLine += " " + command.arguments;
  // Games of that time read their files relative to the working directory.
  start.folder = platform::FolderOf(start.program);
  start.suspended = true;
  auto process = platform::Process::Start(start, error);
  if (!process) return std::nullopt;
  return Game(std::move(*process));
}

// The group takes the game before it has run a single instruction, so no process it starts can
// escape it: a game whose program only starts the real one and ends is followed to that one's end.
Game::Game(platform::Process process)
    : process_(std::move(process)), group_(std::make_unique<platform::ProcessGroup>()) {
  groupFollows_ = group_->Follow(process_);
}

void Game::Start() { process_.Resume(); }

DWORD Game::WaitForEnd() {
  if (groupFollows_) group_->WaitUntilAllEnded();
  process_.WaitForEnd(INFINITE);
  return process_.ExitStatus();
}
