// The real main window, hosted in a test process: Form1 is loaded through the form machinery,
// so Form_Load hooks it to the shell exactly as in discpilot.exe, and messages sent to it take
// the program's own road.
#pragma once

#include <windows.h>

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "main/form1.h"
#include "main/tests/test_prefix.h"
#include "platform/message_box.h"

namespace discpilot_test {

// What "CD Drive" holds while a test runs, so that any write shows.
constexpr char kUntouchedDrive[] = "X:\\";

// Keeps the game's "CD Drive" (and whether its keys existed) and puts it back afterwards.
class SavedGameDrive {
 public:
  SavedGameDrive();
  ~SavedGameDrive();
  SavedGameDrive(const SavedGameDrive&) = delete;
  SavedGameDrive& operator=(const SavedGameDrive&) = delete;

 private:
  bool parentExisted_;
  bool keyExisted_;
  std::optional<RegistryValue> value_;
};

// "CD Drive" as it stands, or nothing when it is missing.
std::optional<std::string> GameDrive();

// Records every message box instead of showing it.
class BoxRecorder {
 public:
  BoxRecorder();
  ~BoxRecorder();
  BoxRecorder(const BoxRecorder&) = delete;
  BoxRecorder& operator=(const BoxRecorder&) = delete;

  std::vector<std::string> boxes;  // "title: text"

 private:
  platform::MessageBoxHook previous_;
};

// While it lives, every registry value write records the text that box shows at that moment.
class LogAtEachWrite {
 public:
  explicit LogAtEachWrite(HWND box);
  ~LogAtEachWrite();
  LogAtEachWrite(const LogAtEachWrite&) = delete;
  LogAtEachWrite& operator=(const LogAtEachWrite&) = delete;

  const std::vector<std::string>& Logs() const;
};

// Loads form as discpilot loads it, but with its subclassing refused (the window property cannot
// be set), so that it runs without shell notifications. True when the window loaded.
bool LoadWithSubclassingRefused(Form1& form);

// Drops the request to end the message loop that the last form's going leaves behind: a test has
// no loop to end.
void DropQuitRequest();

// The main window, loaded as discpilot loads it, with "CD Drive" set to kUntouchedDrive after
// the start-up scan. No test may leave a message box behind.
class HostedForm1 : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  virtual std::size_t LogCapacity() const { return NotificationLog::kCapacity; }

  HWND Window() const { return form->hWnd(); }
  std::string Log() const;
  void ExpectCaretAtTheEnd() const;

  SavedGameDrive savedGameDrive;
  BoxRecorder boxes;
  std::unique_ptr<Form1> form;
};

}  // namespace discpilot_test
