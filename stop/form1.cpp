#include "stop/form1.h"

#include <windows.h>

#include "platform/app.h"
#include "platform/message_box.h"
#include "platform/win32.h"
#include "stop/resource.h"

namespace {

// The caption by which discpilot's main window is found (any window class matches).
constexpr char kMainWindowCaption[] = "Goalvista DiscPilot";
constexpr char kTerminatedText[] = "Goalvista DiscPilot has been terminated!";
constexpr char kNotRunningText[] = "Goalvista DiscPilot was not installed in your memory.";
constexpr char kNoResponseText[] = "Goalvista DiscPilot did not respond to the close request.";
constexpr UINT kMessageStyle = MB_OK | MB_ICONINFORMATION;
// The close request is synchronous; a main program that does not handle it within this time
// (or whose window is hung) is not waited for any longer.
constexpr UINT kCloseTimeoutMs = 10000;
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

// True when the window handled WM_CLOSE within the time limit.
bool RequestClose(HWND window) {
  DWORD_PTR ignored = 0;
  return platform::user32().SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG,
                                                kCloseTimeoutMs, &ignored) != 0;
}

}  // namespace

Form1::Form1() : Form(Design()) {}

void Form1::Form_Load() {
  const HWND mainWindow = platform::user32().FindWindowA(nullptr, kMainWindowCaption);
  if (mainWindow) {
    result_ = RequestClose(mainWindow) ? kClosed : kNoResponse;
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
