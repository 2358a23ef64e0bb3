#include "main/form1.h"

#include <windows.h>

#include <string>

#include "main/game_disc.h"
#include "main/notification.h"
#include "main/resource.h"
#include "main/startup_report.h"
#include "main/volume_change.h"
#include "platform/win32.h"
#include "shellnotify/registration.h"
#include "shellnotify/subclass.h"

namespace {

// The caption is how pilotstop finds the running program.
platform::FormDesign MainWindowDesign() {
  platform::FormDesign design;
  design.caption = "Goalvista DiscPilot";
  design.clientWidth = 4185;
  design.clientHeight = 1650;
  design.showInTaskbar = false;
  design.iconId = IDI_DISCPILOT;
  return design;
}

constexpr unsigned kFlashIntervalMs = 200;
constexpr std::int16_t kFlashTicks = 6;

}  // namespace

Form1::Form1(std::size_t logCapacity)
    : platform::Form(MainWindowDesign()),
      Drive1(*this, {2280, 120, 1695, 315}, 3),
      Command1(*this, {240, 120, 1575, 375}, 2, "Nascondi finestra"),
      Text1(*this, {240, 1080, 3615, 495}, 0, "Text1"),
      Label1(*this, {240, 600, 3735, 375}, 1, "Label1"),
      tmrFlashMe(*this, 0),
      log_(Text1, logCapacity) {
  tmrFlashMe.Enabled(false);
  tmrFlashMe.Elapsed = [this] { tmrFlashMe_Timer(); };
}

Form1::~Form1() { shellnotify::SetNotificationReceiver(nullptr); }

void Form1::Form_Load() {
  log_.PrepareBox();
  HookShellNotifications();
  log_.Append(ScanDrivesForGameDisc());
}

// Without the subclassing the shell's message would never reach the window, so the window is
// registered only when it succeeded (its failure has shown its own box). Either way the program
// goes on without notifications, quietly.
void Form1::HookShellNotifications() {
  shellnotify::SetNotificationReceiver(this);
  if (shellnotify::SubclassForm(hWnd())) shellnotify::RegisterShellNotify(hWnd());
}

// Every CD-ROM drive whose disc matches is written, in list order, so the value ends up naming
// the last of them. A refused write ends the scan and reaches the form machinery, with no report.
// Fixed drives have their label read for the report alone; no other drive is read.
std::string Form1::ScanDrivesForGameDisc() {
  StartUpReport report;
  const int last = Drive1.ListCount() - 1;
  for (int i = 0; i <= last; ++i) {
    const std::string rootPath = Drive1.List(i).substr(0, 2) + "\\";
    const UINT type = DriveType(rootPath);
    std::optional<VolumeLabel> label;
    if (type == DRIVE_CDROM || type == DRIVE_FIXED) label = ReadVolumeLabel(rootPath);
    if (type == DRIVE_CDROM && label->IsGameDisc()) {
      StoreGameDrive(rootPath);
      report.GameDriveWritten(rootPath);
    }
    report.AddDrive(rootPath, type, label);
  }
  return report.Entry();
}

// Each tick toggles the title bar between its active and inactive look; six ticks leave it as it
// was.
void Form1::tmrFlashMe_Timer() {
  if (FlashCount == 0) tmrFlashMe.Interval(kFlashIntervalMs);
  ++FlashCount;
  platform::user32().FlashWindow(hWnd(), TRUE);
  if (FlashCount == kFlashTicks) {
    FlashCount = 0;
    tmrFlashMe.Interval(1);
    tmrFlashMe.Enabled(false);
  }
}

void Form1::Form_Resize() {
  try {
    Text1.Move(0, 0, ScaleWidth(), ScaleHeight());
  } catch (...) {
    // The log box keeps its place when it cannot take the new size; nothing to tell the user.
  }
}

void Form1::NotificationReceipt(const WPARAM& wParam, const LPARAM& lParam) {
  log_.Append(ReceiveNotification(wParam, lParam));
}

// Handled like a shell notification: same log, and a refused write becomes an error entry, so
// the program goes on following the disc.
void Form1::Form_VolumeChange(const platform::VolumeChange& change) {
  platform::ReportErrorsTo(
      [this](const platform::ErrorReport& error) { NotificationFailed(error); },
      [&] { log_.Append(ReceiveVolumeChange(change)); });
}

// The entry reads like the first line of the run-time error box, then the description; the
// box's empty line between them would, in the log, read as the end of an entry.
void Form1::NotificationFailed(const platform::ErrorReport& error) {
  std::string text = platform::RunTimeErrorText(error);
  const std::size_t emptyLine = text.find("\r\n\r\n");
  if (emptyLine != std::string::npos) text.erase(emptyLine, 2);
  log_.Append(text + "\r\n");
}

// The shell stops sending before the window procedure is put back, so no notification can
// arrive at a window that no longer routes it; and the window is no longer subclassed when it is
// destroyed, so its going is no error. Cancel stays 0: nothing stops the close.
void Form1::Form_Unload(std::int16_t& Cancel) {
  (void)Cancel;
  shellnotify::UnregisterShellNotify();
  shellnotify::UnsubclassForm(hWnd());
}
