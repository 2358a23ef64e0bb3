// The game that pilotplay's tests and benchmark play. When it starts it records what a game
// would see: the "CD Drive" value, its working directory, its command line, and discpilot's
// window (there, minimised, in the foreground). It is told what to do through its environment,
// so that its command line is free for the arguments under test:
//   PILOTPLAY_STAND_IN_REPORT    the file it writes its record to (required)
//   PILOTPLAY_STAND_IN_EXIT      its exit status (default 0)
//   PILOTPLAY_STAND_IN_CHILD_MS  when set, it starts a copy of itself that lives that many
//                                milliseconds longer and writes REPORT.child when it ends, and
//                                ends at once (a launcher that only starts the real game)
#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace {

constexpr char kCaption[] = "Goalvista DiscPilot";
constexpr char kRoleVariable[] = "PILOTPLAY_STAND_IN_ROLE";

std::string Variable(const char* name) {
  char value[2048] = {};
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value ? std::string(value, length) : std::string();
}

std::string GameDriveValue() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\EA SPORTS\\FIFA 2001", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return "(absent)";
  char data[MAX_PATH] = {};
  DWORD size = sizeof data - 1;
  DWORD type = 0;
  const LONG result =
      RegQueryValueExA(key, "CD Drive", nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  return result == ERROR_SUCCESS && type == REG_SZ ? std::string(data) : "(absent)";
}

const char* YesNo(bool value) { return value ? "yes" : "no"; }

// discpilot's window as the game sees it.
std::string DiscPilotFields() {
  std::ostringstream fields;
  const HWND window = FindWindowA(nullptr, kCaption);
  DWORD process = 0;
  if (window) GetWindowThreadProcessId(window, &process);
  fields << "discpilot_window=" << YesNo(window != nullptr) << "\n"
         << "discpilot_process=" << process << "\n"
         << "discpilot_minimised=" << YesNo(window && IsIconic(window)) << "\n"
         << "discpilot_foreground=" << YesNo(window && GetForegroundWindow() == window) << "\n";
  return fields.str();
}

// Written whole under another name first, so a reader never sees half a record.
void WriteRecord(const std::string& file, const std::string& record) {
  const std::string partial = file + ".partial";
  { std::ofstream(partial, std::ios::binary | std::ios::trunc) << record; }
  MoveFileExA(partial.c_str(), file.c_str(), MOVEFILE_REPLACE_EXISTING);
}

void StartChild(DWORD lifetimeMs) {
  SetEnvironmentVariableA(kRoleVariable, std::to_string(lifetimeMs).c_str());
  char program[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, program, MAX_PATH);
  std::string commandLine = std::string("\"") + program + "\"";
  STARTUPINFOA startup = {};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info = {};
  if (CreateProcessA(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                     &startup, &info)) {
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  LARGE_INTEGER started;
  QueryPerformanceCounter(&started);
  const std::string report = Variable("PILOTPLAY_STAND_IN_REPORT");
  if (report.empty()) return 99;

  const std::string childLifetime = Variable(kRoleVariable);
  if (!childLifetime.empty()) {
    Sleep(static_cast<DWORD>(std::atol(childLifetime.c_str())));
    WriteRecord(report + ".child", DiscPilotFields());
    return 0;
  }

  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, folder);
  std::ostringstream record;
  record << "started=" << started.QuadPart << "\n"
         << "cd_drive=" << GameDriveValue() << "\n"
         << "folder=" << folder << "\n"
         << "command_line=" << GetCommandLineA() << "\n"
         << DiscPilotFields();
  WriteRecord(report, record.str());

  const std::string childMs = Variable("PILOTPLAY_STAND_IN_CHILD_MS");
  if (!childMs.empty()) StartChild(static_cast<DWORD>(std::atol(childMs.c_str())));
  return std::atoi(Variable("PILOTPLAY_STAND_IN_EXIT").c_str());
}
