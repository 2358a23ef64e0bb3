// discpilot.exe end to end: started in the test prefix, watched and closed from outside.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "main/tests/test_prefix.h"
#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace discpilot_test {
namespace {

constexpr DWORD kTimeoutMs = 30000;

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

int TwipsToPixels(int twips, int index) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, index);
  ReleaseDC(nullptr, screen);
  return MulDiv(twips, dpi, 1440);
}

RECT ChildRectInClient(HWND parent, HWND child) {
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  return r;
}

// Read through the wide message: Wine hands another program's list entries to the ANSI message
// cut short.
std::vector<std::string> ComboEntries(HWND combo) {
  std::vector<std::string> entries;
  const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    wchar_t text[MAX_PATH] = {};
    SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
    char ansi[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
    entries.push_back(ansi);
  }
  return entries;
}

class Discpilot : public TestPrefix {};

TEST_F(Discpilot, ShowsItsWindowRecordsTheGameDriveAndEndsOnClose) {
  auto program = test_support::Program::Start(DISCPILOT_EXE);
  HWND window = test_support::WaitForTopLevelWindow(kCaption, program.Id(), kTimeoutMs);
  ASSERT_NE(window, nullptr);

  // The scan has run before the window showed; the value is read from outside the program.
  const auto value = ReadGameValue(kDriveValueName);
  ASSERT_TRUE(value.has_value());
  EXPECT_EQ(value->type, DWORD{REG_SZ});
  EXPECT_EQ(value->data, "D:\\");

  // A small fixed window with a close box, kept out of the task bar.
  const LONG style = GetWindowLongA(window, GWL_STYLE);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME));
  EXPECT_NE(GetWindow(window, GW_OWNER), nullptr);
  EXPECT_FALSE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  RECT client;
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, TwipsToPixels(4185, LOGPIXELSX));
  EXPECT_EQ(client.bottom, TwipsToPixels(1650, LOGPIXELSY));

  // The log box covers the whole client area; the button and the drive list lie beneath it in
  // tab order, and the label has no window.
  std::vector<HWND> children;
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    children.push_back(child);
  ASSERT_EQ(children.size(), 3u);
  HWND text1 = children[0], command1 = children[1], drive1 = children[2];
  EXPECT_EQ(ClassOf(text1), "Edit");
  EXPECT_EQ(ClassOf(command1), "Button");
  EXPECT_EQ(ClassOf(drive1), "ComboBox");
  const RECT logBox = ChildRectInClient(window, text1);
  EXPECT_TRUE(EqualRect(&logBox, &client));
  // The design text, then the start-up scan's report (its lines are checked on their own).
  const std::string log = test_support::WindowText(text1);
  EXPECT_EQ(log.rfind("Text1\r\nStart-up scan\r\n", 0), 0u) << log;
  EXPECT_EQ(test_support::WindowText(command1), "Nascondi finestra");
  // Created in the order Drive1, Command1, Text1.
  EXPECT_LT(GetDlgCtrlID(drive1), GetDlgCtrlID(command1));
  EXPECT_LT(GetDlgCtrlID(command1), GetDlgCtrlID(text1));
  const RECT button = ChildRectInClient(window, command1);
  EXPECT_EQ(button.left, TwipsToPixels(240, LOGPIXELSX));
  EXPECT_EQ(button.top, TwipsToPixels(120, LOGPIXELSY));
  const auto drives = ComboEntries(drive1);
  EXPECT_NE(std::find(drives.begin(), drives.end(), "D: [FIFA2001]"), drives.end())
      << testing::PrintToString(drives);

  // "Nascondi finestra" does nothing.
  SendMessageA(command1, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowVisible(window));
  EXPECT_EQ(test_support::WindowText(text1), log);

  SendMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(kTimeoutMs), 0u);
  EXPECT_FALSE(IsWindow(window));
}

// The running program routes the shell's notifications through its window; a close request
// undoes that before the window goes, so no box ("Unsubclassed &H...") holds the program up.
TEST_F(Discpilot, HookedToTheShellAndClosedByWmCloseWithoutABox) {
  auto program = test_support::Program::Start(DISCPILOT_EXE);
  HWND window = test_support::WaitForTopLevelWindow(kCaption, program.Id(), kTimeoutMs);
  ASSERT_NE(window, nullptr);
  EXPECT_NE(GetPropA(window, "OldWndProc"), nullptr) << "the window is subclassed";

  ASSERT_TRUE(PostMessageA(window, WM_CLOSE, 0, 0));
  const auto status = program.WaitForExit(kTimeoutMs);
  const test_support::MessageBoxSeen box = test_support::WaitForMessageBox(program.Id(), 0);
  if (box.window) test_support::DismissMessageBox(box.window);
  EXPECT_EQ(box.window, nullptr) << "\"" << box.title << "\": " << box.text;
  EXPECT_EQ(status, 0u);
}

TEST_F(Discpilot, ARefusedWriteEndsTheProgramWithTheErrorBox) {
  ASSERT_NO_FATAL_FAILURE(RefuseGameKeyCreation());
  SetDisc('e', "FIFA2001");  // a second game disc, which must not be examined after the failure

  auto program = test_support::Program::Start(DISCPILOT_EXE);
  const test_support::MessageBoxSeen box =
      test_support::WaitForMessageBox(program.Id(), kTimeoutMs);
  ASSERT_NE(box.window, nullptr);
  EXPECT_EQ(box.title, kCaption);
  EXPECT_EQ(box.text.rfind("Run-time error '26001':\r\n\r\nFailed to set registry value", 0), 0u)
      << box.text;
  EXPECT_EQ(test_support::WaitForTopLevelWindow(kCaption, program.Id(), 0), nullptr)
      << "the window is not shown after a failed load";
  ASSERT_TRUE(test_support::DismissMessageBox(box.window));

  const auto status = program.WaitForExit(kTimeoutMs);
  ASSERT_TRUE(status.has_value());
  EXPECT_NE(*status, 0u);
  EXPECT_FALSE(KeyExists(kGameKeyPath));
}

}  // namespace
}  // namespace discpilot_test
