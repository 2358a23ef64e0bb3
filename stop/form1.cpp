#include "stop/form1.h"

#include <windows.h>

#include "platform/app.h"
#include "platform/message_box.h"
#include "platform/win32.h"
#include "stop/main_window.h"
#include "stop/resource.h"

namespace {

constexpr char kTerminatedText[] = "Goalvista DiscPilot has been terminated!";
constexpr char kNotRunningText[] = "Goalvista DiscPilot was not installed in your memory.";
constexpr char kNoResponseText[] = "Goalvista DiscPilot did not respond to the close request.";
constexpr UINT kMessageStyle = MB_OK | MB_ICONINFORMATION;
// The program stays this long after its report, so a script that starts it sees the main
// program gone before it goes on.
constexpr DWORD kPauseBeforeExitMs = 1000;

platform::FormDesign Design() {
  platform::FormDesign design;
  design.caption = "DiscPilot Pilotstop";
  design.clientWidth = 4680;
  design.clientHeight = 3195;
  design.showInTaskbar = false;
  design.visible = false;
  design.iconId = IDI_PILOTSTOP;
  return design;
}

}  // namespace

Form1::Form1() : Form(Design()) {}

void Form1::Form_Load() {
  const HWND mainWindow = FindMainWindow();
  if (mainWindow) {
    result_ = CloseMainWindow(mainWindow) ? kClosed : kNoResponse;
  } else {
    result_ = kNotRunning;
  }
  // Read only now: in the found case after the close request has returned.
  const bool silent = !platform::CommandLineArguments().empty();
  if (!silent) {
    const char* text = result_ == kClosed       ? kTerminatedText
                       : result_ == kNotRunning ? kNotRunningText
                                                : kNoResponseText;
    platform::ShowMessageBox(text, kMessageStyle);
  }
  platform::kernel32().Sleep(kPauseBeforeExitMs);
  Unload();
}
