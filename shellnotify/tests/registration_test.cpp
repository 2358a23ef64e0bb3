#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/win32.h"
#include "shellnotify/item_list.h"
#include "shellnotify/notification.h"
#include "shellnotify/registration.h"
#include "shellnotify/subclass.h"
#include "shellnotify/tests/fixtures.h"

namespace shellnotify {
namespace {

using testing::TestReceiver;
using testing::TestWindow;

// Seams on the real calls: what the shell handed out, what was freed, what was asked.
std::vector<const void*> freed;
std::vector<const void*> handedOut;
int registerCalls = 0;
int deregisterCalls = 0;

void WINAPI CountingFree(LPVOID pv) {
  freed.push_back(pv);
  platform::ole32().CoTaskMemFree.Real()(pv);
}

HRESULT WINAPI RecordingLocation(HWND hwnd, int csidl, PIDLIST_ABSOLUTE* ppidl) {
  const HRESULT result = platform::shell32().SHGetSpecialFolderLocation.Real()(hwnd, csidl, ppidl);
  if (result == S_OK) handedOut.push_back(*ppidl);
  return result;
}

HRESULT WINAPI UnavailableLocation(HWND, int, PIDLIST_ABSOLUTE* ppidl) {
  *ppidl = nullptr;
  return E_FAIL;
}

ULONG WINAPI CountingRegister(HWND hwnd, int sources, LONG events, UINT msg, int count,
                              const SHChangeNotifyEntry* entries) {
  ++registerCalls;
  return platform::shell32().SHChangeNotifyRegister.Real()(hwnd, sources, events, msg, count,
                                                           entries);
}

ULONG WINAPI RefusingRegister(HWND, int, LONG, UINT, int, const SHChangeNotifyEntry*) {
  ++registerCalls;
  return 0;
}

BOOL WINAPI CountingDeregister(ULONG id) {
  ++deregisterCalls;
  return platform::shell32().SHChangeNotifyDeregister.Real()(id);
}

BOOL WINAPI RefusingDeregister(ULONG) {
  ++deregisterCalls;
  return FALSE;
}

class Registration : public ::testing::Test {
 protected:
  void SetUp() override {
    freed.clear();
    handedOut.clear();
    registerCalls = deregisterCalls = 0;
    auto& shell = platform::shell32();
    platform::ole32().CoTaskMemFree.Replace(&CountingFree);
    shell.SHGetSpecialFolderLocation.Replace(&RecordingLocation);
    shell.SHChangeNotifyRegister.Replace(&CountingRegister);
    shell.SHChangeNotifyDeregister.Replace(&CountingDeregister);
  }
  void TearDown() override {
    auto& shell = platform::shell32();
    shell.SHChangeNotifyRegister.Restore();
    shell.SHChangeNotifyDeregister.Restore();
    shell.SHGetSpecialFolderLocation.Restore();
    UnregisterShellNotify();
    platform::ole32().CoTaskMemFree.Restore();
  }

  TestWindow window;
};

TEST_F(Registration, RegisterThenUnregisterFreesTheDesktopListExactlyOnce) {
  ASSERT_TRUE(RegisterShellNotify(window.hWnd()));
  EXPECT_NE(hShellNotify(), 0u);
  ASSERT_EQ(handedOut.size(), 1u);
  EXPECT_EQ(pidlDesktop(), handedOut[0]);
  EXPECT_TRUE(freed.empty());

  EXPECT_TRUE(UnregisterShellNotify());
  EXPECT_EQ(hShellNotify(), 0u);
  EXPECT_EQ(pidlDesktop(), nullptr);
  EXPECT_EQ(freed, handedOut);
  EXPECT_EQ(deregisterCalls, 1);
}

TEST_F(Registration, SecondRegisterFailsAndKeepsTheFirst) {
  ASSERT_TRUE(RegisterShellNotify(window.hWnd()));
  const ULONG first = hShellNotify();
  const auto watched = pidlDesktop();

  TestWindow other;
  EXPECT_FALSE(RegisterShellNotify(other.hWnd()));
  EXPECT_EQ(hShellNotify(), first);
  EXPECT_EQ(pidlDesktop(), watched);
  EXPECT_EQ(handedOut.size(), 1u);
  EXPECT_EQ(registerCalls, 1);
  EXPECT_TRUE(freed.empty());
}

TEST_F(Registration, UnregisterWithNothingRegisteredFails) {
  EXPECT_FALSE(UnregisterShellNotify());
  EXPECT_EQ(deregisterCalls, 0);
  EXPECT_TRUE(freed.empty());
}

TEST_F(Registration, RegisterAgainAfterUnregisterSucceeds) {
  ASSERT_TRUE(RegisterShellNotify(window.hWnd()));
  ASSERT_TRUE(UnregisterShellNotify());
  EXPECT_TRUE(RegisterShellNotify(window.hWnd()));
  EXPECT_NE(hShellNotify(), 0u);
  EXPECT_NE(pidlDesktop(), nullptr);
}

TEST_F(Registration, RefusedByTheShellLeavesNothingBehind) {
  platform::shell32().SHChangeNotifyRegister.Replace(&RefusingRegister);
  EXPECT_FALSE(RegisterShellNotify(window.hWnd()));
  EXPECT_EQ(hShellNotify(), 0u);
  EXPECT_EQ(pidlDesktop(), nullptr);
  ASSERT_EQ(handedOut.size(), 1u);
  EXPECT_EQ(freed, handedOut);
}

TEST_F(Registration, WithoutTheDesktopListNothingIsRegistered) {
  platform::shell32().SHGetSpecialFolderLocation.Replace(&UnavailableLocation);
  EXPECT_FALSE(RegisterShellNotify(window.hWnd()));
  EXPECT_EQ(registerCalls, 0);
  EXPECT_EQ(hShellNotify(), 0u);
  EXPECT_EQ(pidlDesktop(), nullptr);
  EXPECT_TRUE(freed.empty());
}

TEST_F(Registration, RefusedDeregistrationKeepsHandleAndList) {
  ASSERT_TRUE(RegisterShellNotify(window.hWnd()));
  const ULONG handle = hShellNotify();
  const auto watched = pidlDesktop();

  platform::shell32().SHChangeNotifyDeregister.Replace(&RefusingDeregister);
  EXPECT_FALSE(UnregisterShellNotify());
  EXPECT_EQ(hShellNotify(), handle);
  EXPECT_EQ(pidlDesktop(), watched);
  EXPECT_TRUE(freed.empty());

  platform::shell32().SHChangeNotifyDeregister.Replace(&CountingDeregister);
  EXPECT_TRUE(UnregisterShellNotify());
  EXPECT_EQ(freed, handedOut);
}

TEST(SpecialFolderItemList, TheDesktopResolves) {
  const PIDLIST_ABSOLUTE desktop = GetSpecialFolderItemList(nullptr, CSIDL_DESKTOP);
  ASSERT_NE(desktop, nullptr);
  CoTaskMemFree(desktop);
}

TEST(SpecialFolderItemList, AnUnresolvableFolderGivesNull) {
  EXPECT_EQ(GetSpecialFolderItemList(nullptr, 0xFF), nullptr);
}

// Real notifications: Wine's shell delivers SHChangeNotify synchronously to the registered
// windows of the calling process.
struct DeliveryCase {
  const char* name;
  LONG event;
  const char* firstPath;
  const char* secondPath;  // null: the event has one item
};

class RealNotification : public Registration, public ::testing::WithParamInterface<DeliveryCase> {
 protected:
  void SetUp() override {
    Registration::SetUp();
    ASSERT_TRUE(SubclassForm(window.hWnd()));
    ASSERT_TRUE(RegisterShellNotify(window.hWnd()));
  }
  void TearDown() override {
    Registration::TearDown();
    UnsubclassForm(window.hWnd());
  }
};

TEST_P(RealNotification, ReachesTheSubclassedWindowWithItsRecord) {
  const auto& c = GetParam();
  TestReceiver receiver;
  std::string firstPath = "(not read)";
  std::string secondPath = "(not read)";
  bool hasSecondItem = false;
  receiver.OnReceipt = [&](WPARAM wParam, LPARAM) {
    const auto* record = reinterpret_cast<const ShellNotifyRecord*>(wParam);
    firstPath = GetItemPath(record->dwItem1);
    hasSecondItem = record->dwItem2 != nullptr;
    secondPath = GetItemPath(record->dwItem2);
  };

  SHChangeNotify(c.event, SHCNF_PATHA, c.firstPath, c.secondPath);

  ASSERT_EQ(receiver.receipts.size(), 1u);
  EXPECT_EQ(receiver.receipts[0].lParam, c.event);
  EXPECT_EQ(firstPath, c.firstPath);
  EXPECT_EQ(hasSecondItem, c.secondPath != nullptr);
  EXPECT_EQ(secondPath, c.secondPath ? c.secondPath : "");
  ASSERT_EQ(window.CountOf(WM_SHELLNOTIFY), 1);
  EXPECT_EQ(window.Seen()[0].wParam, receiver.receipts[0].wParam);
  EXPECT_EQ(window.Seen()[0].lParam, c.event);

  ASSERT_TRUE(UnregisterShellNotify());
  SHChangeNotify(c.event, SHCNF_PATHA, c.firstPath, c.secondPath);
  EXPECT_EQ(receiver.receipts.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Table, RealNotification,
    ::testing::Values(DeliveryCase{"Create", SHCNE_CREATE, "C:\\discpilot-created.txt", nullptr},
                      DeliveryCase{"Rename", SHCNE_RENAMEITEM, "C:\\discpilot-old.txt",
                                   "C:\\discpilot-new.txt"}),
    [](const ::testing::TestParamInfo<DeliveryCase>& info) { return info.param.name; });

}  // namespace
}  // namespace shellnotify
