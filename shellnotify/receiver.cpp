#include "shellnotify/receiver.h"

#include <exception>

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
  try {
    receiver->NotificationReceipt(wParam, lParam);
  } catch (...) {
    try {
      receiver->NotificationFailed(platform::DescribeError(std::current_exception()));
    } catch (...) {
      // The receiver could not even record the failure (out of memory): there is nowhere left
      // to report it, and it must not reach the system's message dispatch.
    }
  }
}

}  // namespace shellnotify
