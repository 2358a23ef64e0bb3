// pilotplay's round trip: a discpilot around the game, the game, and discpilot closed after it.
#pragma once

#include <string>

// pilotplay's own exit statuses; after the game has run, its exit status is the game's own.
// They follow the usual statuses of programs that start another one.
enum PlayStatus : int {
  kNoGameGiven = 125,       // the command line names no game
  kGameNotStartable = 126,  // the game's file is there, but the system cannot start it
  kGameNotFound = 127,      // there is no file at the game's path
};

// Plays the game that argumentText names ("GAME [ARGUMENTS]") and returns the exit status.
// Problems are told in boxes titled with the application title.
int PlayGame(const std::string& argumentText);
