#include "play/discpilot_for_game.h"

#include <windows.h>

#include <utility>

#include "platform/win32.h"
#include "stop/main_window.h"

namespace {

constexpr char kProgramFile[] = "discpilot.exe";
constexpr DWORD kWindowTimeoutMs = 20000;
constexpr DWORD kPollMs = 20;
// After its close request has returned, discpilot ends at once; the wait only keeps pilotplay
// from ending before it (a Linux launcher then sees the whole Wine prefix end with the game).
constexpr DWORD kEndTimeoutMs = 10000;

constexpr char kGameStartsAnyway[] =
    "\r\n\r\nThe game starts all the same: the drive recorded for it last may still be right.";

bool WindowShows(DWORD processId) {
  const HWND window = FindMainWindowOf(processId);
  return window && platform::user32().IsWindowVisible(window);
}

}  // namespace

DiscPilotForGame DiscPilotForGame::Ready(const std::string& folder) {
  DiscPilotForGame discpilot;
  if (FindMainWindow()) return discpilot;

  platform::ProcessStart start;
  start.program = folder + "\\" + kProgramFile;
  start.commandLine = "\"" + start.program + "\"";
  start.folder = folder;
  start.showState = SW_SHOWMINNOACTIVE;  // the game is to have the foreground, not discpilot
  DWORD error = 0;
  auto process = platform::Process::Start(start, error);
  if (!process) {
    discpilot.problem_ = "Goalvista DiscPilot cannot be started:\r\n\r\n" + start.program +
                         "\r\n\r\n" + platform::SystemErrorText(error) + kGameStartsAnyway;
    return discpilot;
  }

  auto& kernel = platform::kernel32();
  const DWORD begin = kernel.GetTickCount();
  for (;;) {
    if (WindowShows(process->Id())) break;
    // A discpilot that ends here has told the player why in its own error box.
    if (process->WaitForEnd(kPollMs)) {
      discpilot.problem_ =
          std::string("Goalvista DiscPilot ended before its window showed.") + kGameStartsAnyway;
      return discpilot;
    }
    if (kernel.GetTickCount() - begin >= kWindowTimeoutMs) {
      discpilot.problem_ =
          std::string("Goalvista DiscPilot did not show its window within 20 seconds.") +
          kGameStartsAnyway;
      break;
    }
  }
  // Kept even when its window did not show in time: should it show later, it is closed too.
  discpilot.started_ = std::move(process);
  return discpilot;
}

void DiscPilotForGame::CloseIfStarted() {
  if (!started_ || started_->WaitForEnd(0)) return;
  const HWND window = FindMainWindowOf(started_->Id());
  if (window && CloseMainWindow(window)) started_->WaitForEnd(kEndTimeoutMs);
}
