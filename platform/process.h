// Programs that a program starts: starting one (suspended if asked), following it together with
// every process it starts in turn, and waiting for its end. Also the paths it is given, the show
// state this program was started with, and the system's own text for an error number.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace platform {

// How a program is started.
struct ProcessStart {
  std::string program;            // the program file, a full path
  std::string commandLine;        // the whole command line, the program's own name first
  std::string folder;             // working directory; "" keeps this program's
  std::optional<WORD> showState;  // SW_... for the program's first window; none: its default
  bool suspended = false;         // created, but it runs only after Resume()
};

// A started program. It keeps running when the object goes: only the handles are released.
class Process {
 public:
  // Nothing when the system refuses to start it; error then holds the system's error number.
  static std::optional<Process> Start(const ProcessStart& start, DWORD& error);

  Process(Process&& other) noexcept;
  Process& operator=(Process&& other) noexcept;
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  ~Process();

  DWORD Id() const { return id_; }
  HANDLE Handle() const { return process_; }
  // Lets a process created suspended run.
  void Resume();
  // True once it has ended, waiting up to timeoutMs (INFINITE: until it ends).
  bool WaitForEnd(DWORD timeoutMs);
  // Its exit status; STILL_ACTIVE while it runs.
  DWORD ExitStatus() const;

 private:
  Process(HANDLE process, HANDLE thread, DWORD id) : process_(process), thread_(thread), id_(id) {}
  void Release();

  HANDLE process_ = nullptr;
  HANDLE thread_ = nullptr;
  DWORD id_ = 0;
};

// A process and every process it starts, followed together (a job object), so that a program
// that only starts another one and ends is waited for until that other one ends too.
class ProcessGroup {
 public:
  ProcessGroup();
  ~ProcessGroup();
  ProcessGroup(const ProcessGroup&) = delete;
  ProcessGroup& operator=(const ProcessGroup&) = delete;

  // Puts a process that has not run yet (created suspended) into the group. False when the
  // system refuses (a system where this program already runs in a group that allows none of
  // its own): the process is then not followed.
  bool Follow(const Process& process);
  // Waits until every process of the group has ended. Only after Follow() succeeded.
  void WaitUntilAllEnded();

 private:
  HANDLE job_ = nullptr;
  HANDLE port_ = nullptr;
};

// The full path of path, as the system resolves it against the working directory.
std::string FullPathOf(const std::string& path);
// Everything before the last backslash of a full path ("C:\Games\a.exe" gives "C:\Games"; a
// drive's root keeps its backslash: "C:\").
std::string FolderOf(const std::string& fullPath);

// The show state this program was started with (a shortcut's "Run: Minimized", start /min, or
// the program that started it), for its first window; SW_SHOWNORMAL when none was given.
int StartupShowState();

// The system's text for an error number, without the line break it ends with.
std::string SystemErrorText(DWORD error);

}  // namespace platform
