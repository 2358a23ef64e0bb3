// Test stand-ins for the program's main window: a plain top-level window whose own procedure
// records what reaches it, a receiver that records notifications, and a message-box hook that
// records boxes instead of showing them.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/message_box.h"
#include "shellnotify/receiver.h"

namespace shellnotify::testing {

struct SeenMessage {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

// A hidden top-level window of a class of its own. Its procedure records WM_NCDESTROY and every
// message from WM_USER on, and answers the latter with ResultFor(); the rest go to
// DefWindowProcA.
class TestWindow {
 public:
  TestWindow();
  ~TestWindow();
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;

  HWND hWnd() const { return hWnd_; }
  const std::vector<SeenMessage>& Seen() const { return seen_; }
  // How many recorded messages carried msg.
  int CountOf(UINT msg) const;
  void Destroy();

  static WNDPROC OwnProcedure();
  static LRESULT ResultFor(UINT msg, WPARAM wParam, LPARAM lParam);
  // The window's procedure as it is in force now.
  WNDPROC CurrentProcedure() const;

 private:
  static LRESULT CALLBACK Procedure(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

  HWND hWnd_ = nullptr;
  std::vector<SeenMessage> seen_;
};

// Set as the notification receiver while it lives. OnReceipt runs for each notification (and may
// throw to play a failing receipt).
class TestReceiver : public NotificationReceiver {
 public:
  TestReceiver();
  ~TestReceiver();

  void NotificationReceipt(const WPARAM& wParam, const LPARAM& lParam) override;
  void NotificationFailed(const platform::ErrorReport& error) override;

  struct Receipt {
    WPARAM wParam;
    LPARAM lParam;
  };

  std::function<void(WPARAM, LPARAM)> OnReceipt;
  std::vector<Receipt> receipts;
  std::vector<platform::ErrorReport> failures;
};

struct ShownBox {
  std::string text;
  std::string title;
  UINT style;
};

// Records every message box while it lives; OnBox runs when a box would be on screen.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();

  std::function<void(const ShownBox&)> OnBox;
  std::vector<ShownBox> boxes;

 private:
  platform::MessageBoxHook previous_;
};

}  // namespace shellnotify::testing
