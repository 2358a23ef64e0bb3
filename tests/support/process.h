// Starting a program under test and waiting for it to end.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <utility>

#include "platform/process.h"

namespace test_support {

// The path by which a Windows program reaches a file that the build named by its Unix path
// (the tests run under Wine); a path that already is a Windows path comes back unchanged.
std::string WindowsPath(const std::string& path);

// A running program started by a test. It is ended (TerminateProcess) if it still runs when
// the object goes, so that a failed test leaves no program behind.
// How a program under test is started, beyond its arguments.
struct StartOptions {
  std::string folder;             // its working directory; "" for the test's own
  std::optional<WORD> showState;  // the show state it is started with (SW_...); none: default
};

class Program {
 public:
  // Starts exePath with the argument text; throws std::runtime_error when it cannot start.
  static Program Start(const std::string& exePath, const std::string& arguments = {},
                       const StartOptions& options = {});

  Program(Program&& other) noexcept = default;
  Program& operator=(Program&&) = delete;
  Program(const Program&) = delete;
  ~Program();

  DWORD Id() const { return process_.Id(); }
  HANDLE Handle() const { return process_.Handle(); }

  // The exit status once the program has ended, or nothing when it still runs after timeoutMs.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs);

 private:
  explicit Program(platform::Process process) : process_(std::move(process)) {}

  platform::Process process_;
};

}  // namespace test_support
