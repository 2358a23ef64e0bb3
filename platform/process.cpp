#include "platform/process.h"

#include <utility>
#include <vector>

#include "platform/win32.h"

namespace platform {

std::optional<Process> Process::Start(const ProcessStart& start, DWORD& error) {
  // CreateProcessA may write into the command line it is given.
  std::vector<char> commandLine(start.commandLine.begin(), start.commandLine.end());
  commandLine.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (start.showState) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *start.showState;
  }
  PROCESS_INFORMATION info = {};
  auto& kernel = kernel32();
  if (!kernel.CreateProcessA(start.program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                             start.suspended ? CREATE_SUSPENDED : 0, nullptr,
                             start.folder.empty() ? nullptr : start.folder.c_str(), &startup,
                             &info)) {
    error = GetLastError();
    return std::nullopt;
  }
  error = ERROR_SUCCESS;
  return Process(info.hProcess, info.hThread, info.dwProcessId);
}

Process::Process(Process&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)),
      thread_(std::exchange(other.thread_, nullptr)),
      id_(other.id_) {}

Process& Process::operator=(Process&& other) noexcept {
  if (this != &other) {
    Release();
    process_ = std::exchange(other.process_, nullptr);
    thread_ = std::exchange(other.thread_, nullptr);
    id_ = other.id_;
  }
  return *this;
}

Process::~Process() { Release(); }

void Process::Release() {
  auto& kernel = kernel32();
  if (thread_) kernel.CloseHandle(thread_);
  if (process_) kernel.CloseHandle(process_);
  thread_ = process_ = nullptr;
}

void Process::Resume() {
  if (thread_) kernel32().ResumeThread(thread_);
}

bool Process::WaitForEnd(DWORD timeoutMs) {
  return kernel32().WaitForSingleObject(process_, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitStatus() const {
  DWORD status = STILL_ACTIVE;
  kernel32().GetExitCodeProcess(process_, &status);
  return status;
}

ProcessGroup::ProcessGroup() {
  auto& kernel = kernel32();
  job_ = kernel.CreateJobObjectA(nullptr, nullptr);
  if (!job_) return;
  // The job reports to the port when its last process has ended.
  port_ = kernel.CreateIoCompletionPort(INVALID_HANDLE_VALUE, nullptr, 0, 1);
  if (!port_) return;
  JOBOBJECT_ASSOCIATE_COMPLETION_PORT association = {};
  association.CompletionKey = job_;
  association.CompletionPort = port_;
  if (!kernel.SetInformationJobObject(job_, JobObjectAssociateCompletionPortInformation,
                                      &association, sizeof association)) {
    kernel.CloseHandle(port_);
    port_ = nullptr;
  }
}

ProcessGroup::~ProcessGroup() {
  auto& kernel = kernel32();
  if (port_) kernel.CloseHandle(port_);
  if (job_) kernel.CloseHandle(job_);
}

bool ProcessGroup::Follow(const Process& process) {
  return job_ && port_ && kernel32().AssignProcessToJobObject(job_, process.Handle());
}

void ProcessGroup::WaitUntilAllEnded() {
  auto& kernel = kernel32();
  DWORD message = 0;
  ULONG_PTR key = 0;
  LPOVERLAPPED detail = nullptr;
  while (kernel.GetQueuedCompletionStatus(port_, &message, &key, &detail, INFINITE)) {
    if (key == reinterpret_cast<ULONG_PTR>(job_) && message == JOB_OBJECT_MSG_ACTIVE_PROCESS_ZERO)
      return;
  }
}

std::string FullPathOf(const std::string& path) {
  auto& kernel = kernel32();
  std::string full(MAX_PATH, '\0');
  DWORD length =
      kernel.GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
  if (length >= full.size()) {
    full.resize(length);
    length = kernel.GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(),
                                     nullptr);
  }
  if (length == 0 || length >= full.size()) return path;
  full.resize(length);
  return full;
}

std::string FolderOf(const std::string& fullPath) {
  const auto slash = fullPath.find_last_of('\\');
  if (slash == std::string::npos) return "";
  // "C:\" stays a root; "C:\Games\" would otherwise leave "C:".
  if (slash == 2 && fullPath[1] == ':') return fullPath.substr(0, 3);
  return fullPath.substr(0, slash);
}

int StartupShowState() {
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  kernel32().GetStartupInfoA(&startup);
  if (!(startup.dwFlags & STARTF_USESHOWWINDOW)) return SW_SHOWNORMAL;
  // "Show as the program was started" cannot stand for itself in the first showing.
  if (startup.wShowWindow == SW_SHOWDEFAULT) return SW_SHOWNORMAL;
  return startup.wShowWindow;
}

std::string SystemErrorText(DWORD error) {
  char* text = nullptr;
  const DWORD length = kernel32().FormatMessageA(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result = length && text ? std::string(text, length) : std::string();
  if (text) LocalFree(text);
  while (!result.empty() &&
         (result.back() == '\r' || result.back() == '\n' || result.back() == ' '))
    result.pop_back();
  if (result.empty()) result = "Error " + std::to_string(error) + ".";
  return result;
}

}  // namespace platform
