#include "platform/app.h"

#include <windows.h>

namespace platform {
namespace {

std::string& Title() {
  static std::string title;
  return title;
}

}  // namespace

const std::string& AppTitle() { return Title(); }

void SetAppTitle(const std::string& title) { Title() = title; }

std::string ArgumentsOf(const std::string& commandLine) {
  std::string::size_type pos = 0;
  const auto n = commandLine.size();
  while (pos < n && (commandLine[pos] == ' ' || commandLine[pos] == '\t')) ++pos;
  if (pos < n && commandLine[pos] == '"') {
    const auto close = commandLine.find('"', pos + 1);
    pos = close == std::string::npos ? n : close + 1;
  } else {
    while (pos < n && commandLine[pos] != ' ' && commandLine[pos] != '\t') ++pos;
  }
  while (pos < n && (commandLine[pos] == ' ' || commandLine[pos] == '\t')) ++pos;
  return commandLine.substr(pos);
}

std::string CommandLineArguments() { return ArgumentsOf(GetCommandLineA()); }

std::string ProgramName() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string name(path, length);
  const auto slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

}  // namespace platform
