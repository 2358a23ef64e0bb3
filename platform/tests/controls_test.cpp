#include <gtest/gtest.h>

#include <cctype>
#include <algorithm>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/form.h"
#include "platform/twips.h"

namespace {

platform::FormDesign Design(const std::string& caption) {
  platform::FormDesign design;
  design.caption = caption;
  design.clientWidth = 4185;
  design.clientHeight = 1650;
  return design;
}

// A loaded form for the duration of a test, gone (with its quit request) afterwards.
template <typename F>
class Loaded {
 public:
  Loaded() { EXPECT_TRUE(form.Load()); }
  ~Loaded() {
    form.Unload();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  }
  F form;
};

struct DeclaredOutOfTabOrder : platform::Form {
  DeclaredOutOfTabOrder() : platform::Form(Design("Tab order")) {}
  platform::DriveListBox Drives{*this, {2280, 120, 1695, 315}, 3};
  platform::CommandButton Button{*this, {240, 120, 1575, 375}, 2, "Press"};
  platform::TextBox Box{*this, {240, 1080, 3615, 495}, 0, "Box"};
  platform::Label Caption{*this, {240, 600, 3735, 375}, 1, "A label"};
};

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

TEST(Controls, AreCreatedInDeclarationOrderAndLayeredInTabOrder) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  auto& form = loaded.form;
  // Creation order shows in the control numbers the form hands out.
  EXPECT_LT(GetDlgCtrlID(form.Drives.hWnd()), GetDlgCtrlID(form.Button.hWnd()));
  EXPECT_LT(GetDlgCtrlID(form.Button.hWnd()), GetDlgCtrlID(form.Box.hWnd()));
  // Tab order is the order of the child windows; the windowless label has none.
  std::vector<HWND> children;
  for (HWND child = GetWindow(form.hWnd(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  EXPECT_EQ(children, (std::vector<HWND>{form.Box.hWnd(), form.Button.hWnd(), form.Drives.hWnd()}));
  EXPECT_EQ(form.Caption.hWnd(), nullptr);
  EXPECT_EQ(FindWindowExA(form.hWnd(), nullptr, nullptr, "A label"), nullptr);
  EXPECT_EQ(GetNextDlgTabItem(form.hWnd(), form.Box.hWnd(), FALSE), form.Button.hWnd());
}

TEST(Controls, SitAtTheirDesignPlaceInPixels) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  RECT r;
  GetWindowRect(loaded.form.Box.hWnd(), &r);
  MapWindowPoints(nullptr, loaded.form.hWnd(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, platform::TwipsToPixelsX(240));
  EXPECT_EQ(r.top, platform::TwipsToPixelsY(1080));
  EXPECT_EQ(r.right - r.left, platform::TwipsToPixelsX(3615));
  EXPECT_EQ(r.bottom - r.top, platform::TwipsToPixelsY(495));
  EXPECT_EQ(ClassOf(loaded.form.Box.hWnd()), "Edit");
  EXPECT_TRUE(GetWindowLongA(loaded.form.Box.hWnd(), GWL_STYLE) & ES_MULTILINE);
}

TEST(DriveList, ListsEveryDriveInLetterOrderWithTheUpperCaseLetterFirst) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  const auto& drives = loaded.form.Drives;
  std::string expectedLetters;
  const DWORD mask = GetLogicalDrives();
  for (int bit = 0; bit < 26; ++bit)
    if (mask & (1u << bit)) expectedLetters += static_cast<char>('A' + bit);
  ASSERT_EQ(drives.ListCount(), static_cast<int>(expectedLetters.size()));
  for (int i = 0; i < drives.ListCount(); ++i) {
    const std::string entry = drives.List(i);
    ASSERT_GE(entry.size(), 2u) << i;
    EXPECT_EQ(entry[0], expectedLetters[i]) << entry;
    EXPECT_EQ(entry[1], ':') << entry;
  }
  EXPECT_EQ(drives.List(drives.ListCount()), "");
  EXPECT_EQ(drives.List(-1), "");
}

// The drives that scripts/test.sh sets up in the test prefix.
TEST(DriveList, ShowsVolumeLabelsInBracketsAndAnEmptyDriveByItsLetter) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  std::vector<std::string> entries;
  for (int i = 0; i < loaded.form.Drives.ListCount(); ++i)
    entries.push_back(loaded.form.Drives.List(i));
  auto has = [&](const std::string& e) {
    return std::find(entries.begin(), entries.end(), e) != entries.end();
  };
  EXPECT_TRUE(has("D: [FIFA2001]"));
  EXPECT_TRUE(has("E: [OTHERDISC]"));
  EXPECT_TRUE(has("F:"));
  EXPECT_TRUE(has("H: [FIFA2001]"));
}

TEST(TextBox, TextSelStartAndAppendingAtTheEnd) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  auto& box = loaded.form.Box;
  EXPECT_EQ(box.Text(), "Box");
  box.Text("first\r\nsecond");
  EXPECT_EQ(box.Text(), "first\r\nsecond");
  box.SelStart(0);
  box.AppendText("\r\nthird");
  EXPECT_EQ(box.Text(), "first\r\nsecond\r\nthird");
  EXPECT_EQ(box.SelStart(), static_cast<int>(box.Text().size()));
  box.SelStart(5);
  EXPECT_EQ(box.SelStart(), 5);
}

TEST(TextBox, GrowsPastTheDefaultLimitOnceLifted) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  auto& box = loaded.form.Box;
  box.LiftTextLimit();
  const std::string line(78, 'x');
  for (int i = 0; i < 600; ++i) box.AppendText(line + "\r\n");  // 48 000 characters
  EXPECT_EQ(box.Text().size(), 3 + 600 * 80u);
  EXPECT_EQ(box.SelStart(), static_cast<int>(box.Text().size()));
}

TEST(TextBox, MoveTakesTwips) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  loaded.form.Box.Move(0, 0, loaded.form.ScaleWidth(), loaded.form.ScaleHeight());
  RECT box, client;
  GetWindowRect(loaded.form.Box.hWnd(), &box);
  MapWindowPoints(nullptr, loaded.form.hWnd(), reinterpret_cast<POINT*>(&box), 2);
  GetClientRect(loaded.form.hWnd(), &client);
  EXPECT_TRUE(EqualRect(&box, &client));
}

TEST(CommandButton, PressingRunsClickAndWithoutAHandlerDoesNothing) {
  Loaded<DeclaredOutOfTabOrder> loaded;
  SendMessageA(loaded.form.Button.hWnd(), BM_CLICK, 0, 0);
  EXPECT_TRUE(loaded.form.IsLoaded());
  int clicks = 0;
  loaded.form.Button.Click = [&] { ++clicks; };
  SendMessageA(loaded.form.Button.hWnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, 1);
}

struct TimedForm : platform::Form {
  TimedForm() : platform::Form(Design("Timer")) {
    Tick.Elapsed = [this] {
      if (++ticks == 3) Unload();
    };
  }
  platform::Timer Tick{*this, 20};
  int ticks = 0;
};

TEST(Timer, RaisesElapsedFromTheMessageLoopUntilStopped) {
  TimedForm form;
  EXPECT_EQ(platform::Run(form), 0);
  EXPECT_EQ(form.ticks, 3);
}

struct StoppedTimerForm : platform::Form {
  StoppedTimerForm() : platform::Form(Design("Stopped timer")) {
    Stopped.Enabled(false);
    Stopped.Elapsed = [this] { ++stoppedTicks; };
    Finish.Elapsed = [this] { Unload(); };
  }
  platform::Timer Stopped{*this, 10};
  platform::Timer Finish{*this, 200};
  int stoppedTicks = 0;
};

TEST(Timer, DisabledOrZeroIntervalNeverTicks) {
  StoppedTimerForm form;
  EXPECT_EQ(platform::Run(form), 0);
  EXPECT_EQ(form.stoppedTicks, 0);
}

}  // namespace
