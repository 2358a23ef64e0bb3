#include <gtest/gtest.h>

#include <cstdio>
#include <new>
#include <stdexcept>

#include "platform/app.h"
#include "platform/run_time_error.h"
#include "platform/win32.h"
#include "registry/raised_error.h"
#include "shellnotify/hex_text.h"
#include "shellnotify/notification.h"
#include "shellnotify/subclass.h"
#include "shellnotify/tests/fixtures.h"

namespace shellnotify {
namespace {

using testing::BoxRecorder;
using testing::TestReceiver;
using testing::TestWindow;

constexpr char kAppTitle[] = "Goalvista DiscPilot";

// The handle as the boxes must show it, worked out independently of HexText.
std::string HexOf(HWND hWnd) {
  char text[16];
  std::snprintf(text, sizeof text, "%lX",
                static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(hWnd)));
  return text;
}

WNDPROC OldWndProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(GetPropA(hWnd, "OldWndProc")); }

struct HexCase {
  std::uintptr_t value;
  const char* text;
};

class HandleHexText : public ::testing::TestWithParam<HexCase> {};

TEST_P(HandleHexText, IsUpperCaseWithoutLeadingZeros) {
  EXPECT_EQ(HexText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(Table, HandleHexText,
                         ::testing::Values(HexCase{0x000A01B4, "A01B4"},
                                           HexCase{0x00010062, "10062"}, HexCase{0x0000000F, "F"},
                                           HexCase{0x00000010, "10"}, HexCase{0, "0"},
                                           HexCase{0xABCDEF12, "ABCDEF12"},
                                           HexCase{0xFFFFFFFF, "FFFFFFFF"}));

class Subclassing : public ::testing::Test {
 protected:
  void SetUp() override { platform::SetAppTitle(kAppTitle); }
  void TearDown() override {
    auto& user = platform::user32();
    user.SetPropA.Restore();
    user.RemovePropA.Restore();
    if (window.hWnd()) UnsubclassForm(window.hWnd());
  }

  BoxRecorder boxes;  // outlives the window, which may still be subclassed when it goes
  TestWindow window;
};

TEST_F(Subclassing, InstallsWindowProcAndKeepsTheReplacedProcedureInTheProperty) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  EXPECT_EQ(window.CurrentProcedure(), &WindowProc);
  EXPECT_EQ(OldWndProcOf(window.hWnd()), TestWindow::OwnProcedure());

  EXPECT_TRUE(UnsubclassForm(window.hWnd()));
  EXPECT_EQ(window.CurrentProcedure(), TestWindow::OwnProcedure());
  EXPECT_EQ(OldWndProcOf(window.hWnd()), nullptr);
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Subclassing, SecondSubclassFailsWithItsBoxAndKeepsTheFirst) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  EXPECT_FALSE(SubclassForm(window.hWnd()));

  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Unable to successfully subclass &H" + HexOf(window.hWnd()));
  EXPECT_EQ(boxes.boxes[0].title, kAppTitle);
  EXPECT_EQ(boxes.boxes[0].style, 16u);
  EXPECT_EQ(window.CurrentProcedure(), &WindowProc);
  EXPECT_EQ(OldWndProcOf(window.hWnd()), TestWindow::OwnProcedure());

  // Still routed once, not through WindowProc twice.
  TestReceiver receiver;
  SendMessageA(window.hWnd(), WM_SHELLNOTIFY, 1, 2);
  EXPECT_EQ(receiver.receipts.size(), 1u);
  EXPECT_EQ(window.CountOf(WM_SHELLNOTIFY), 1);
}

TEST_F(Subclassing, UnsubclassOfAPlainWindowFailsSilentlyAndChangesNothing) {
  EXPECT_FALSE(UnsubclassForm(window.hWnd()));
  EXPECT_EQ(window.CurrentProcedure(), TestWindow::OwnProcedure());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Subclassing, SubclassAgainAfterUnsubclassSucceeds) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  ASSERT_TRUE(UnsubclassForm(window.hWnd()));
  EXPECT_TRUE(SubclassForm(window.hWnd()));
  EXPECT_EQ(window.CurrentProcedure(), &WindowProc);
  EXPECT_EQ(OldWndProcOf(window.hWnd()), TestWindow::OwnProcedure());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Subclassing, AWindowThatIsGoneCannotBeSubclassed) {
  const HWND gone = window.hWnd();
  window.Destroy();
  EXPECT_FALSE(SubclassForm(gone));
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Unable to successfully subclass &H" + HexOf(gone));
}

BOOL WINAPI RefuseSetProp(HWND, LPCSTR, HANDLE) { return FALSE; }
HANDLE WINAPI RefuseRemoveProp(HWND, LPCSTR) { return nullptr; }

TEST_F(Subclassing, RefusedPropertyPutsTheProcedureBack) {
  platform::user32().SetPropA.Replace(&RefuseSetProp);
  EXPECT_FALSE(SubclassForm(window.hWnd()));
  EXPECT_EQ(window.CurrentProcedure(), TestWindow::OwnProcedure());
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Unable to successfully subclass &H" + HexOf(window.hWnd()));
}

TEST_F(Subclassing, RefusedPropertyRemovalLeavesTheWindowSubclassed) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  platform::user32().RemovePropA.Replace(&RefuseRemoveProp);
  EXPECT_FALSE(UnsubclassForm(window.hWnd()));
  platform::user32().RemovePropA.Restore();
  EXPECT_EQ(window.CurrentProcedure(), &WindowProc);
  EXPECT_EQ(OldWndProcOf(window.hWnd()), TestWindow::OwnProcedure());
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(Subclassing, DestroyedWhileSubclassedReportsUnsubclassesAndStillPassesOn) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  const HWND hWnd = window.hWnd();
  WNDPROC procedureAtBox = nullptr;
  HANDLE propertyAtBox = reinterpret_cast<HANDLE>(1);
  int destroysSeenAtBox = -1;
  boxes.OnBox = [&](const testing::ShownBox&) {
    procedureAtBox = window.CurrentProcedure();
    propertyAtBox = GetPropA(hWnd, "OldWndProc");
    destroysSeenAtBox = window.CountOf(WM_NCDESTROY);
  };

  window.Destroy();

  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "Unsubclassed &H" + HexOf(hWnd));
  EXPECT_EQ(boxes.boxes[0].text.find("&H0"), std::string::npos);
  EXPECT_EQ(boxes.boxes[0].title, "WndProc Error");
  EXPECT_EQ(boxes.boxes[0].style, 16u);
  EXPECT_EQ(procedureAtBox, TestWindow::OwnProcedure());
  EXPECT_EQ(propertyAtBox, nullptr);
  EXPECT_EQ(destroysSeenAtBox, 0);
  EXPECT_EQ(window.CountOf(WM_NCDESTROY), 1);
}

struct PassOnCase {
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
};

class OtherMessages : public Subclassing, public ::testing::WithParamInterface<PassOnCase> {};

TEST_P(OtherMessages, ReachTheReplacedProcedureUnchangedWithTheirResult) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  TestReceiver receiver;
  const auto& m = GetParam();

  const LRESULT result = SendMessageA(window.hWnd(), m.msg, m.wParam, m.lParam);

  EXPECT_EQ(result, TestWindow::ResultFor(m.msg, m.wParam, m.lParam));
  ASSERT_EQ(window.Seen().size(), 1u);
  EXPECT_EQ(window.Seen()[0].msg, m.msg);
  EXPECT_EQ(window.Seen()[0].wParam, m.wParam);
  EXPECT_EQ(window.Seen()[0].lParam, m.lParam);
  EXPECT_TRUE(receiver.receipts.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, OtherMessages,
                         ::testing::Values(PassOnCase{WM_USER, 7, 9},
                                           PassOnCase{WM_USER + 2, 0xFFFFFFFF, -1},
                                           PassOnCase{WM_APP + 1, 0, 0x12345678}));

TEST_F(Subclassing, AnOrdinaryMessageKeepsItsDefaultHandling) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  SendMessageA(window.hWnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed"));
  char caption[32] = {};
  EXPECT_EQ(
      SendMessageA(window.hWnd(), WM_GETTEXT, sizeof caption, reinterpret_cast<LPARAM>(caption)),
      7);
  EXPECT_STREQ(caption, "renamed");
}

TEST_F(Subclassing, ShellNotificationReachesTheReceiverFirstThenTheReplacedProcedure) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  TestReceiver receiver;
  int passedOnBeforeReceipt = -1;
  receiver.OnReceipt = [&](WPARAM, LPARAM) {
    passedOnBeforeReceipt = window.CountOf(WM_SHELLNOTIFY);
  };

  const LRESULT result = SendMessageA(window.hWnd(), WM_SHELLNOTIFY, 0x1000, SHCNE_CREATE);

  ASSERT_EQ(receiver.receipts.size(), 1u);
  EXPECT_EQ(receiver.receipts[0].wParam, 0x1000u);
  EXPECT_EQ(receiver.receipts[0].lParam, SHCNE_CREATE);
  EXPECT_EQ(passedOnBeforeReceipt, 0);
  ASSERT_EQ(window.CountOf(WM_SHELLNOTIFY), 1);
  EXPECT_EQ(window.Seen()[0].wParam, 0x1000u);
  EXPECT_EQ(window.Seen()[0].lParam, SHCNE_CREATE);
  EXPECT_EQ(result, TestWindow::ResultFor(WM_SHELLNOTIFY, 0x1000, SHCNE_CREATE));
}

TEST_F(Subclassing, ShellNotificationWithoutAReceiverIsPassedOn) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  EXPECT_EQ(SendMessageA(window.hWnd(), WM_SHELLNOTIFY, 3, 4),
            TestWindow::ResultFor(WM_SHELLNOTIFY, 3, 4));
  EXPECT_EQ(window.CountOf(WM_SHELLNOTIFY), 1);
}

struct FailureCase {
  const char* name;
  std::function<void()> raise;
  std::int32_t number;
  const char* description;
};

class FailingReceipt : public Subclassing, public ::testing::WithParamInterface<FailureCase> {
 protected:
  // As the program does at start, so that the registry's errors keep their number.
  static void SetUpTestSuite() { platform::ReportErrorsOfType<RaisedError>(); }
};

TEST_P(FailingReceipt, IsReportedToTheReceiverAndGoesNoFurther) {
  ASSERT_TRUE(SubclassForm(window.hWnd()));
  TestReceiver receiver;
  receiver.OnReceipt = [&](WPARAM, LPARAM) { GetParam().raise(); };

  const LRESULT result = SendMessageA(window.hWnd(), WM_SHELLNOTIFY, 5, SHCNE_MEDIAINSERTED);

  ASSERT_EQ(receiver.failures.size(), 1u);
  EXPECT_EQ(receiver.failures[0].number, GetParam().number);
  EXPECT_EQ(receiver.failures[0].description, GetParam().description);
  EXPECT_EQ(window.CountOf(WM_SHELLNOTIFY), 1);
  EXPECT_EQ(result, TestWindow::ResultFor(WM_SHELLNOTIFY, 5, SHCNE_MEDIAINSERTED));
  EXPECT_TRUE(boxes.boxes.empty());

  // The next notification is handled as usual.
  receiver.OnReceipt = nullptr;
  SendMessageA(window.hWnd(), WM_SHELLNOTIFY, 6, SHCNE_MEDIAREMOVED);
  EXPECT_EQ(receiver.receipts.size(), 2u);
  EXPECT_EQ(receiver.failures.size(), 1u);
  EXPECT_EQ(window.CountOf(WM_SHELLNOTIFY), 2);
}

INSTANTIATE_TEST_SUITE_P(
    Table, FailingReceipt,
    ::testing::Values(
        FailureCase{"RaisedError",
                    [] {
                      throw RaisedError(-2147194858, "discpilot.cRegistry",
                                        "Failed to set registry value Key: 'x',Value: 'y'");
                    },
                    -2147194858, "Failed to set registry value Key: 'x',Value: 'y'"},
        FailureCase{"OutOfMemory", [] { throw std::bad_alloc(); }, 7, "Out of memory"},
        FailureCase{"OtherException", [] { throw std::runtime_error("no such drive"); }, 51,
                    "no such drive"},
        FailureCase{"NotAnException", [] { throw 42; }, 51, "Internal error"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return info.param.name; });

TEST_F(Subclassing, AReceiverThatCannotRecordTheFailureDoesNotBreakTheWindow) {
  struct Unrecording : TestReceiver {
    void NotificationFailed(const platform::ErrorReport&) override { throw std::bad_alloc(); }
  } receiver;
  receiver.OnReceipt = [](WPARAM, LPARAM) { throw std::runtime_error("first"); };

  ASSERT_TRUE(SubclassForm(window.hWnd()));
  EXPECT_EQ(SendMessageA(window.hWnd(), WM_SHELLNOTIFY, 1, 2),
            TestWindow::ResultFor(WM_SHELLNOTIFY, 1, 2));
  EXPECT_EQ(window.CountOf(WM_SHELLNOTIFY), 1);
}

}  // namespace
}  // namespace shellnotify
