// pilotstop's load event inside the test process: the message box is seen through the
// message-box hook, so its exact style is checked, and a main window of this process stands in
// for a running discpilot.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/app.h"
#include "platform/message_box.h"
#include "stop/form1.h"

namespace {

struct BoxShown {
  std::string text;
  std::string title;
  UINT style;
};

class PilotstopLoad : public testing::Test {
 protected:
  void SetUp() override {
    platform::SetAppTitle("Pilotstop");
    platform::SetMessageBoxHook(
        [this](HWND, const std::string& text, const std::string& title, UINT style) {
          boxes.push_back({text, title, style});
          return IDOK;
        });
  }
  void TearDown() override { platform::SetMessageBoxHook({}); }

  std::vector<BoxShown> boxes;
};

// A window of this process with the main window's caption; WM_CLOSE destroys it.
class StandInMainWindow {
 public:
  StandInMainWindow() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "PilotstopStandIn";
    RegisterClassA(&wc);
    window_ = CreateWindowExA(0, wc.lpszClassName, "Goalvista DiscPilot", WS_OVERLAPPED, 0, 0, 100,
                              100, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~StandInMainWindow() {
    if (IsWindow(window_)) DestroyWindow(window_);
  }
  bool Closed() const { return !IsWindow(window_); }

 private:
  HWND window_;
};

TEST_F(PilotstopLoad, NoMainWindowShowsTheNotRunningBoxAndUnloads) {
  Form1 form;
  form.Load();
  EXPECT_EQ(form.Result(), Form1::kNotRunning);
  EXPECT_FALSE(form.IsLoaded());
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Goalvista DiscPilot was not installed in your memory.");
  EXPECT_EQ(boxes[0].title, "Pilotstop");
  EXPECT_EQ(boxes[0].style, UINT{MB_OK | MB_ICONINFORMATION});
}

TEST_F(PilotstopLoad, RunningMainWindowIsClosedAndReported) {
  StandInMainWindow mainWindow;
  Form1 form;
  form.Load();
  EXPECT_TRUE(mainWindow.Closed());
  EXPECT_EQ(form.Result(), Form1::kClosed);
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "Goalvista DiscPilot has been terminated!");
  EXPECT_EQ(boxes[0].style, UINT{MB_OK | MB_ICONINFORMATION});
}

}  // namespace
