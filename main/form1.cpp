#include "main/form1.h"

#include <windows.h>

#include "main/game_disc.h"
#include "main/resource.h"
#include "platform/win32.h"

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

// Only CD-ROM drives are examined, so no other drive is touched by the label query.
constexpr UINT kExaminedDriveType = DRIVE_CDROM;

}  // namespace

Form1::Form1()
    : platform::Form(MainWindowDesign()),
      Drive1(*this, {2280, 120, 1695, 315}, 3),
      Command1(*this, {240, 120, 1575, 375}, 2, "Nascondi finestra"),
      Text1(*this, {240, 1080, 3615, 495}, 0, "Text1"),
      Label1(*this, {240, 600, 3735, 375}, 1, "Label1") {}

void Form1::Form_Load() {
  HookShellNotifications();
  ScanDrivesForGameDisc();
}

void Form1::HookShellNotifications() {}

// Every CD-ROM drive whose disc matches is written, in list order, so the value ends up naming
// the last of them. A refused write ends the scan and reaches the form machinery.
void Form1::ScanDrivesForGameDisc() {
  const int last = Drive1.ListCount() - 1;
  for (int i = 0; i <= last; ++i) {
    const std::string rootPath = Drive1.List(i).substr(0, 2) + "\\";
    if (platform::kernel32().GetDriveTypeA(rootPath.c_str()) != kExaminedDriveType) continue;
    if (IsGameDisc(rootPath)) StoreGameDrive(rootPath);
  }
}

void Form1::Form_Resize() {
  try {
    Text1.Move(0, 0, ScaleWidth(), ScaleHeight());
  } catch (...) {
    // The log box keeps its place when it cannot take the new size; nothing to tell the user.
  }
}

void Form1::Form_Unload(std::int16_t& Cancel) { (void)Cancel; }
