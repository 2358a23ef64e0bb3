// discpilot's main window: a small fixed window with the notification log, a drive list, a
// label and a button. Loading it scans the drives once and records the drive that holds the
// game disc.
#pragma once

#include <cstdint>

#include "platform/controls.h"
#include "platform/form.h"

class Form1 : public platform::Form {
 public:
  Form1();

  // Declared in creation order.
  platform::DriveListBox Drive1;
  platform::CommandButton Command1;  // "Nascondi finestra": it has no click handler
  platform::TextBox Text1;           // the notification log
  platform::Label Label1;

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(std::int16_t& Cancel) override;

 private:
  // Where the window is hooked to the shell's change notifications, before the scan; the scan
  // does not depend on it.
  void HookShellNotifications();
  void ScanDrivesForGameDisc();
};
