// discpilot's main window: a small fixed window with the notification log, a drive list, a
// label and a button. Loading it scans the drives once, records the drive that holds the game
// disc and reports in the log what it found; while it runs, it logs every shell change notification
// and follows the game disc into whichever drive the shell reports it inserted in, or that Windows
// announces as arrived.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "main/notification_log.h"
#include "platform/controls.h"
#include "platform/form.h"
#include "platform/run_time_error.h"
#include "shellnotify/receiver.h"

class Form1 : public platform::Form, public shellnotify::NotificationReceiver {
 public:
  // logCapacity: the characters the notification log holds at most.
  explicit Form1(std::size_t logCapacity = NotificationLog::kCapacity);
  ~Form1() override;

  // Declared in creation order.
  platform::DriveListBox Drive1;
  platform::CommandButton Command1;  // "Nascondi finestra": it has no click handler
  platform::TextBox Text1;           // the notification log
  platform::Label Label1;
  // Flashes the title bar when enabled: six ticks 200 ms apart, then it stops itself. Designed
  // disabled with an interval of 0; nothing in the program starts it.
  platform::Timer tmrFlashMe;

  // One shell notification: logs its entry in Text1 and, when the game disc was inserted,
  // records its drive for the game first.
  void NotificationReceipt(const WPARAM& wParam, const LPARAM& lParam) override;
  // A notification that could not be handled (the game's value could not be written): the log
  // shows the error, with its number and description, as an entry of its own.
  void NotificationFailed(const platform::ErrorReport& error) override;

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload(std::int16_t& Cancel) override;
  // A volume arrived or went: logged like a notification; a game disc arriving in a CD-ROM
  // drive is recorded for the game first.
  void Form_VolumeChange(const platform::VolumeChange& change) override;

 private:
  // Routes the shell's change notifications to this window, before the scan; the scan does not
  // depend on it.
  void HookShellNotifications();
  // Returns the scan's report for the log.
  std::string ScanDrivesForGameDisc();
  void tmrFlashMe_Timer();

  NotificationLog log_;
  std::int16_t FlashCount = 0;  // ticks of the flash sequence under way
};
