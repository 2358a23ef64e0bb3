// What a program file carries, read as Windows reads it: version information, icon groups and
// manifests.
#pragma once

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

struct VersionInfo {
  DWORD fileVersionMS = 0;
  DWORD fileVersionLS = 0;
  DWORD productVersionMS = 0;
  DWORD productVersionLS = 0;
  WORD language = 0;
  WORD codePage = 0;
  // The strings of the block named by language and code page ("041004b0").
  std::map<std::string, std::string> strings;
};

// The version information of the program file at exePath (a Unix or Windows path), with the
// strings asked for by name; nothing when the file has none.
std::optional<VersionInfo> ReadVersionInfo(const std::string& exePath,
                                           const std::vector<std::string>& stringNames);

// One image of an icon group resource.
struct IconImage {
  int width;
  int height;
  int bitCount;
};

// The images of the icon group resource id in the given language; empty when there is none.
std::vector<IconImage> ReadIconGroup(const std::string& exePath, WORD id, WORD language);

// How many manifest resources the program file carries.
int CountManifests(const std::string& exePath);

}  // namespace test_support
