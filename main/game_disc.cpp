#include "main/game_disc.h"

#include <windows.h>

#include <algorithm>
#include <cctype>

#include "platform/win32.h"
#include "registry/cRegistry.h"

namespace {

// The label is read into a buffer of 70 spaces, and its first 8 characters are compared after
// lower-casing: a label shorter than 8 characters brings its terminating NUL into the 8 and so
// never matches, and a failed query leaves 8 spaces.
constexpr int kLabelBufferSize = 70;
constexpr char kGameDiscLabel[] = "fifa2001";
constexpr std::size_t kComparedCharacters = sizeof kGameDiscLabel - 1;

constexpr char kGameKey[] = "Software\\EA SPORTS\\FIFA 2001\\";
constexpr char kDriveValueName[] = "CD Drive";

}  // namespace

bool IsCdRomDrive(const std::string& rootPath) {
  return platform::kernel32().GetDriveTypeA(rootPath.c_str()) == DRIVE_CDROM;
}

bool IsGameDisc(const std::string& rootPath) {
  std::string label(kLabelBufferSize, ' ');
  DWORD serialNumber = 0;
  DWORD maximumComponentLength = 0;
  DWORD fileSystemFlags = 0;
  // Only the label buffer counts: a failed query leaves it as it was.
  platform::kernel32().GetVolumeInformationA(rootPath.c_str(), label.data(), kLabelBufferSize,
                                             &serialNumber, &maximumComponentLength,
                                             &fileSystemFlags, nullptr, 0);
  std::string start = label.substr(0, kComparedCharacters);
  std::transform(start.begin(), start.end(), start.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return start == kGameDiscLabel;
}

void StoreGameDrive(const std::string& rootPath) {
  cRegistry registry;
  registry.ClassKey(RegistryRootKey::LocalMachine);
  registry.SectionKey(kGameKey);
  registry.ValueKey(kDriveValueName);
  registry.ValueType(RegistryValueType::String);
  registry.Value(Variant(rootPath));
}
