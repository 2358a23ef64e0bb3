// The program's one main-window object, as the subclassing window procedure sees it: it takes
// each shell notification, and is told, in place of an exception, when handling one failed.
#pragma once

#include <windows.h>

#include "platform/run_time_error.h"

namespace shellnotify {

class NotificationReceiver {
 public:
  // One WM_SHELLNOTIFY: wParam points to the ShellNotifyRecord, lParam is the event code.
  virtual void NotificationReceipt(const WPARAM& wParam, const LPARAM& lParam) = 0;
  // NotificationReceipt ended with an error instead: its number and description, as
  // platform::DescribeError gives them. Errors thrown here are dropped.
  virtual void NotificationFailed(const platform::ErrorReport& error) = 0;

 protected:
  ~NotificationReceiver() = default;
};

// The program calls this once with its main window; null detaches it (notifications are then
// only passed on).
void SetNotificationReceiver(NotificationReceiver* receiver);

// Hands one notification to the receiver. Whatever the receiver throws is reported back to it
// through NotificationFailed; nothing leaves this function.
void DeliverNotification(WPARAM wParam, LPARAM lParam) noexcept;

}  // namespace shellnotify
