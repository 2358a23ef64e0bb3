#include "tests/support/process.h"

#include <stdexcept>
#include <utility>

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
  platform::ProcessStart start;
  start.program = WindowsPath(exePath);
  start.commandLine = "\"" + start.program + "\"";
  if (!arguments.empty()) start.commandLine += " " + arguments;
  start.folder = options.folder;
  start.showState = options.showState;
  DWORD error = 0;
  auto process = platform::Process::Start(start, error);
  if (!process)
    throw std::runtime_error("cannot start " + start.program + " (error " + std::to_string(error) +
                             ")");
  return Program(std::move(*process));
}

Program::~Program() {
  if (!Handle() || process_.WaitForEnd(0)) return;
  TerminateProcess(Handle(), 255);
  process_.WaitForEnd(5000);
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) {
  if (!process_.WaitForEnd(timeoutMs)) return std::nullopt;
  return process_.ExitStatus();
}

}  // namespace test_support
