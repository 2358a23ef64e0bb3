#include "play/tests/stand_in.h"

#include <fstream>

#include <gtest/gtest.h>

#include "tests/support/process.h"

namespace pilotplay_test {
namespace {

const std::string kReport = std::string(kTestFolder) + "\\game-record.txt";

void Copy(const std::string& from, const std::string& to) {
  ASSERT_TRUE(CopyFileA(test_support::WindowsPath(from).c_str(), to.c_str(), FALSE))
      << from << " -> " << to << ": error " << GetLastError();
}

std::optional<Record> ReadRecord(const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return std::nullopt;
  Record record;
  std::string line;
  while (std::getline(in, line)) {
    const auto equals = line.find('=');
    if (equals != std::string::npos) record[line.substr(0, equals)] = line.substr(equals + 1);
  }
  return record;
}

void RemoveFolder(const std::string& folder) {
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      const std::string path = folder + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RemoveFolder(path);
      else
        DeleteFileA(path.c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
  }
  RemoveDirectoryA(folder.c_str());
}

}  // namespace

void InstallPrograms() {
  UninstallPrograms();
  const std::string test = kTestFolder;
  for (const char* folder : {"", "\\DiscPilot", "\\Alone", "\\Game Folder"})
    ASSERT_TRUE(CreateDirectoryA((test + folder).c_str(), nullptr)) << test + folder;
  Copy(PILOTPLAY_EXE, kInstalledPilotplay);
  Copy(DISCPILOT_EXE, test + "\\DiscPilot\\discpilot.exe");
  Copy(PILOTPLAY_EXE, kLonePilotplay);
  Copy(STAND_IN_GAME_EXE, kGame);
  SetEnvironmentVariableA("PILOTPLAY_STAND_IN_REPORT", kReport.c_str());
  SetGameExitStatus(0);
}

void UninstallPrograms() {
  for (const char* name :
       {"PILOTPLAY_STAND_IN_REPORT", "PILOTPLAY_STAND_IN_EXIT", "PILOTPLAY_STAND_IN_CHILD_MS"})
    SetEnvironmentVariableA(name, nullptr);
  RemoveFolder(kTestFolder);
}

void SetGameExitStatus(DWORD status) {
  SetEnvironmentVariableA("PILOTPLAY_STAND_IN_EXIT", std::to_string(status).c_str());
}

void SetGameStartsChild(DWORD childMs) {
  SetEnvironmentVariableA("PILOTPLAY_STAND_IN_CHILD_MS", std::to_string(childMs).c_str());
}

std::optional<Record> GameRecord() { return ReadRecord(kReport); }

std::optional<Record> ChildRecord() { return ReadRecord(kReport + ".child"); }

}  // namespace pilotplay_test
