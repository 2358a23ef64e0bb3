#include "shellnotify/receiver.h"

namespace shellnotify {
namespace {

NotificationReceiver*& Receiver() {
  static NotificationReceiver* receiver = nullptr;
  return receiver;
}

}  // namespace

void SetNotificationReceiver(NotificationReceiver* receiver) { Receiver() = receiver; }

void DeliverNotification(WPARAM wParam, LPARAM lParam) noexcept {
  NotificationReceiver* receiver = Receiver();
  if (!receiver) return;
  platform::ReportErrorsTo(
      [receiver](const platform::ErrorReport& error) { receiver->NotificationFailed(error); },
      [&] { receiver->NotificationReceipt(wParam, lParam); });
}

}  // namespace shellnotify
