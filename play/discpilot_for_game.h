// The discpilot that keeps the game's "CD Drive" right while the game is played: one that
// already runs, or one that pilotplay starts for the game and closes after it.
#pragma once

#include <optional>
#include <string>

#include "platform/process.h"

class DiscPilotForGame {
 public:
  // Uses the running discpilot, or starts discpilot.exe from folder, minimised and without taking
  // the focus, and waits until its window shows (by then its start-up scan has written the
  // game's value), 20 seconds at most.
  static DiscPilotForGame Ready(const std::string& folder);

  // Why there is no discpilot for the game, for the player; empty when there is one.
  const std::string& Problem() const { return problem_; }
  // Closes the discpilot that Ready() started, as pilotstop does, and waits a little for it to
  // end; one that was already running is left running.
  void CloseIfStarted();

 private:
  std::optional<platform::Process> started_;
  std::string problem_;
};
