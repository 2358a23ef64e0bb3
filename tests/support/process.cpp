#include "tests/support/process.h"

#include <stdexcept>
#include <utility>
#include <vector>

namespace test_support {

std::string WindowsPath(const std::string& path) {
  if (path.empty() || path[0] != '/') return path;
  // Wine's own translation, when the kernel offers it; drive Z: is the Unix root otherwise.
  using ToDosName = WCHAR*(CDECL*)(const char*);
  auto toDos = reinterpret_cast<ToDosName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (toDos) {
    if (WCHAR* wide = toDos(path.c_str())) {
      const int size = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
      std::string result(size > 0 ? size - 1 : 0, '\0');
      WideCharToMultiByte(CP_ACP, 0, wide, -1, result.data(), size, nullptr, nullptr);
      HeapFree(GetProcessHeap(), 0, wide);
      return result;
    }
  }
  std::string result = "Z:" + path;
  for (char& c : result)
    if (c == '/') c = '\\';
  return result;
}

Program Program::Start(const std::string& exePath, const std::string& arguments,
                       const StartOptions& options) {
  const std::string exe = WindowsPath(exePath);
  std::string commandLine = "\"" + exe + "\"";
  if (!arguments.empty()) commandLine += " " + arguments;
  std::vector<char> buffer(commandLine.begin(), commandLine.end());
  buffer.push_back('\0');
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  if (options.showState) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = *options.showState;
  }
  PROCESS_INFORMATION info = {};
  if (!CreateProcessA(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      options.folder.empty() ? nullptr : options.folder.c_str(), &startup, &info))
    throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(GetLastError()) +
                             ")");
  CloseHandle(info.hThread);
  return Program(info.hProcess, info.dwProcessId);
}

Program::Program(Program&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(other.id_) {}

Program::~Program() {
  if (!process_) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 255);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) {
  if (WaitForSingleObject(process_, timeoutMs) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return code;
}

}  // namespace test_support
