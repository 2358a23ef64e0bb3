#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/twips.h"

namespace {

int ScreenDpiX() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi;
}

platform::FormDesign SmallDesign(const std::string& caption) {
  platform::FormDesign design;
  design.caption = caption;
  design.clientWidth = 4185;
  design.clientHeight = 1650;
  design.showInTaskbar = false;
  return design;
}

TEST(Twips, AreAFifteenthOfAPixelAt96DotsPerInchAndFollowTheScreen) {
  const int dpi = ScreenDpiX();
  EXPECT_EQ(platform::TwipsToPixelsX(1440), dpi);
  EXPECT_EQ(platform::PixelsToTwipsX(dpi), 1440);
  if (dpi == 96) {
    EXPECT_EQ(platform::TwipsToPixelsX(4185), 279);
    EXPECT_EQ(platform::TwipsToPixelsY(1650), 110);
    EXPECT_EQ(platform::PixelsToTwipsY(110), 1650);
  }
}

// Records what happened to a form, in order, and lets a timer drive it from the message loop.
class RecordingForm : public platform::Form {
 public:
  explicit RecordingForm(platform::FormDesign design) : platform::Form(std::move(design)) {
    Steps.Elapsed = [this] { NextStep(); };
  }

  platform::TextBox Log{*this, {0, 0, 1000, 500}, 0, "log"};
  platform::Timer Steps{*this, 0};
  std::vector<std::string> events;
  std::vector<std::function<void()>> steps;  // one per timer tick
  bool unloadInLoad = false;
  int cancelUnloads = 0;

 protected:
  void Form_Load() override {
    events.push_back(std::string("Load") + (Log.hWnd() ? " controls" : "") +
                     (IsWindowVisible(hWnd()) ? " visible" : " hidden"));
    if (unloadInLoad) Unload();
    if (!steps.empty()) Steps.Interval(10);
  }
  void Form_Resize() override {
    events.push_back("Resize " + std::to_string(ScaleWidth()) + "x" +
                     std::to_string(ScaleHeight()));
  }
  void Form_Unload(std::int16_t& Cancel) override {
    events.push_back("Unload");
    if (cancelUnloads > 0) {
      --cancelUnloads;
      Cancel = -1;
    }
  }

 private:
  void NextStep() {
    if (next_ < steps.size()) steps[next_++]();
  }
  size_t next_ = 0;
};

void ResizeClientBy(HWND window, int extraPixels) {
  RECT frame;
  GetWindowRect(window, &frame);
  SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + extraPixels,
               frame.bottom - frame.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

TEST(FormEvents, LoadThenResizeOnFirstShowingAndOnEverySizeChangeThenUnload) {
  RecordingForm form(SmallDesign("Form events"));
  const int dpi = ScreenDpiX();
  form.steps = {[&] { ResizeClientBy(form.hWnd(), dpi / 6); },  // wider by 240 twips
                [&] { ResizeClientBy(form.hWnd(), 0); },        // same size: no event
                [&] { PostMessageA(form.hWnd(), WM_CLOSE, 0, 0); }};

  EXPECT_EQ(platform::Run(form), 0);

  EXPECT_FALSE(form.IsLoaded());
  const std::vector<std::string> expected = {
      "Load controls hidden",
      "Resize " + std::to_string(platform::PixelsToTwipsX(platform::TwipsToPixelsX(4185))) + "x" +
          std::to_string(platform::PixelsToTwipsY(platform::TwipsToPixelsY(1650))),
      "Resize " +
          std::to_string(platform::PixelsToTwipsX(platform::TwipsToPixelsX(4185) + dpi / 6)) + "x" +
          std::to_string(platform::PixelsToTwipsY(platform::TwipsToPixelsY(1650))),
      "Unload"};
  EXPECT_EQ(form.events, expected);
}

TEST(FormEvents, UnloadDuringLoadEndsTheProgramWithoutShowingTheForm) {
  RecordingForm form(SmallDesign("Form unloaded in load"));
  form.unloadInLoad = true;
  EXPECT_EQ(platform::Run(form), 0);
  EXPECT_EQ(form.events, (std::vector<std::string>{"Load controls hidden", "Unload"}));
}

TEST(FormEvents, CancelledUnloadKeepsTheWindowUntilTheNextCloseRequest) {
  RecordingForm form(SmallDesign("Form that cancels"));
  form.cancelUnloads = 1;
  bool aliveAfterCancel = false;
  form.steps = {[&] { SendMessageA(form.hWnd(), WM_CLOSE, 0, 0); },
                [&] {
                  aliveAfterCancel = IsWindow(form.hWnd()) && IsWindowVisible(form.hWnd());
                  PostMessageA(form.hWnd(), WM_CLOSE, 0, 0);
                }};
  EXPECT_EQ(platform::Run(form), 0);
  EXPECT_TRUE(aliveAfterCancel);
  ASSERT_EQ(form.events.size(), 4u);
  EXPECT_EQ(form.events[2], "Unload");
  EXPECT_EQ(form.events[3], "Unload");
}

TEST(FormWindow, HasTheDesignedClientSizeFixedBorderAndStaysOutOfTheTaskBar) {
  RecordingForm form(SmallDesign("Form window"));
  ASSERT_TRUE(form.Load());
  HWND window = form.hWnd();
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, platform::TwipsToPixelsX(4185));
  EXPECT_EQ(client.bottom, platform::TwipsToPixelsY(1650));
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_NE(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  // The hidden owner carries no caption, so a search by the form's caption finds the form.
  EXPECT_EQ(FindWindowA(nullptr, "Form window"), window);
  form.Unload();
  EXPECT_FALSE(IsWindow(window));
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

}  // namespace
