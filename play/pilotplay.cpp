// pilotplay: starts the game with discpilot around it. "pilotplay.exe GAME [ARGUMENTS]"; its exit
// status is the game's, or one of its own (play/play.h) when the game could not be started.
#include <windows.h>

#include "platform/app.h"
#include "platform/run_time_error.h"
#include "play/play.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::SetAppTitle("Pilotplay");
  try {
    return PlayGame(platform::CommandLineArguments());
  } catch (...) {
    platform::EndWithUnhandledError();
  }
}
