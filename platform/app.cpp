#include "platform/app.h"

#include <windows.h>

namespace platform {
namespace {

std::string& Title() {
  static std::string title;
  return title;
}

std::string ProgramPath() {
  char path[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::string(path, length);
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Where the first item of text begins and where it ends (after its closing quote, if quoted).
struct ItemBounds {
  std::string::size_type begin;
  std::string::size_type end;
};

ItemBounds FirstItem(const std::string& text) {
  std::string::size_type pos = 0;
  const auto n = text.size();
  while (pos < n && IsBlank(text[pos])) ++pos;
  const auto begin = pos;
  if (pos < n && text[pos] == '"') {
    const auto close = text.find('"', pos + 1);
    pos = close == std::string::npos ? n : close + 1;
  } else {
    while (pos < n && !IsBlank(text[pos])) ++pos;
  }
  return {begin, pos};
}

}  // namespace

const std::string& AppTitle() { return Title(); }

void SetAppTitle(const std::string& title) { Title() = title; }

std::string ArgumentsOf(const std::string& commandLine) {
  auto pos = FirstItem(commandLine).end;
  while (pos < commandLine.size() && IsBlank(commandLine[pos])) ++pos;
  return commandLine.substr(pos);
}

std::string FirstArgumentOf(const std::string& commandLine) {
  const ItemBounds item = FirstItem(commandLine);
  std::string first = commandLine.substr(item.begin, item.end - item.begin);
  if (!first.empty() && first.front() == '"') {
    first.erase(0, 1);
    if (!first.empty() && first.back() == '"') first.pop_back();
  }
  return first;
}

std::string CommandLineArguments() { return ArgumentsOf(GetCommandLineA()); }

std::string ProgramName() {
  std::string name = ProgramPath();
  const auto slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

std::string ProgramFolder() {
  const std::string path = ProgramPath();
  const auto slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace platform
