#include "shellnotify/tests/fixtures.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace shellnotify::testing {
namespace {

constexpr char kClassName[] = "DiscPilotShellNotifyTestWindow";

std::map<HWND, TestWindow*>& Windows() {
  static std::map<HWND, TestWindow*> windows;
  return windows;
}

TestWindow*& Creating() {
  static TestWindow* creating = nullptr;
  return creating;
}

// A real box would wait for a click that never comes: every box a test did not expect is a
// failure instead.
class NoRealMessageBoxes : public ::testing::Environment {
 public:
  void SetUp() override {
    platform::SetMessageBoxHook([](HWND, const std::string& text, const std::string& title, UINT) {
      ADD_FAILURE() << "unexpected message box \"" << text << "\" titled \"" << title << "\"";
      return IDOK;
    });
  }
};

[[maybe_unused]] ::testing::Environment* const kNoRealMessageBoxes =
    ::testing::AddGlobalTestEnvironment(new NoRealMessageBoxes);

}  // namespace

TestWindow::TestWindow() {
  static const ATOM atom = [] {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &TestWindow::Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = kClassName;
    return RegisterClassA(&windowClass);
  }();
  if (!atom) throw std::runtime_error("cannot register the test window class");
  Creating() = this;
  hWnd_ = CreateWindowExA(0, kClassName, "shellnotify test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                          nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  Creating() = nullptr;
  if (!hWnd_) throw std::runtime_error("cannot create the test window");
}

TestWindow::~TestWindow() { Destroy(); }

void TestWindow::Destroy() {
  if (!hWnd_) return;
  DestroyWindow(hWnd_);
  Windows().erase(hWnd_);
  hWnd_ = nullptr;
}

int TestWindow::CountOf(UINT msg) const {
  int count = 0;
  for (const auto& seen : seen_) count += seen.msg == msg;
  return count;
}

WNDPROC TestWindow::OwnProcedure() { return &TestWindow::Procedure; }

LRESULT TestWindow::ResultFor(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Differs for every message and parameter the tests send, so a changed one shows.
  const ULONG_PTR mixed =
      0x5A000000u ^ (ULONG_PTR{msg} << 8) ^ wParam ^ (static_cast<ULONG_PTR>(lParam) << 4);
  return static_cast<LRESULT>(mixed);
}

WNDPROC TestWindow::CurrentProcedure() const {
  return reinterpret_cast<WNDPROC>(GetWindowLongA(hWnd_, GWL_WNDPROC));
}

LRESULT CALLBACK TestWindow::Procedure(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto found = Windows().find(hWnd);
  TestWindow* window = found != Windows().end() ? found->second : Creating();
  if (window && found == Windows().end()) Windows()[hWnd] = window;
  if (window && (msg == WM_NCDESTROY || msg >= WM_USER)) {
    window->seen_.push_back({msg, wParam, lParam});
  }
  if (msg >= WM_USER) return ResultFor(msg, wParam, lParam);
  return DefWindowProcA(hWnd, msg, wParam, lParam);
}

TestReceiver::TestReceiver() { SetNotificationReceiver(this); }

TestReceiver::~TestReceiver() { SetNotificationReceiver(nullptr); }

void TestReceiver::NotificationReceipt(const WPARAM& wParam, const LPARAM& lParam) {
  receipts.push_back({wParam, lParam});
  if (OnReceipt) OnReceipt(wParam, lParam);
}

void TestReceiver::NotificationFailed(const platform::ErrorReport& error) {
  failures.push_back(error);
}

BoxRecorder::BoxRecorder() {
  previous_ = platform::SetMessageBoxHook(
      [this](HWND, const std::string& text, const std::string& title, UINT style) {
        boxes.push_back({text, title, style});
        if (OnBox) OnBox(boxes.back());
        return IDOK;
      });
}

BoxRecorder::~BoxRecorder() { platform::SetMessageBoxHook(previous_); }

}  // namespace shellnotify::testing
