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

UINT DriveType(const std::string& rootPath) {
  return platform::kernel32().GetDriveTypeA(rootPath.c_str());
}

bool IsCdRomDrive(const std::string& rootPath) { return DriveType(rootPath) == DRIVE_CDROM; }

std::string VolumeLabel::Text() const {
  if (!read) return "";
  return buffer.substr(0, std::min(buffer.find('\0'), buffer.size()));
}

bool VolumeLabel::IsGameDisc() const {
  std::string start = buffer.substr(0, kComparedCharacters);
  std::transform(start.begin(), start.end(), start.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return start == kGameDiscLabel;
}

VolumeLabel ReadVolumeLabel(const std::string& rootPath) {
  VolumeLabel label;
  label.buffer.assign(kLabelBufferSize, ' ');
  DWORD serialNumber = 0;
  DWORD maximumComponentLength = 0;
  DWORD fileSystemFlags = 0;
  // The game disc is judged by the label buffer alone: a failed query leaves it as it was.
  label.read = platform::kernel32().GetVolumeInformationA(
                   rootPath.c_str(), label.buffer.data(), kLabelBufferSize, &serialNumber,
                   &maximumComponentLength, &fileSystemFlags, nullptr, 0) != FALSE;
  return label;
}

bool IsGameDisc(const std::string& rootPath) { return ReadVolumeLabel(rootPath).IsGameDisc(); }

namespace {

void AddressGameDrive(cRegistry& registry) {
  registry.ClassKey(RegistryRootKey::LocalMachine);
  registry.SectionKey(kGameKey);
  registry.ValueKey(kDriveValueName);
  registry.ValueType(RegistryValueType::String);
}

}  // namespace

void StoreGameDrive(const std::string& rootPath) {
  cRegistry registry;
  AddressGameDrive(registry);
  registry.Value(Variant(rootPath));
}

std::string StoredGameDrive() {
  try {
    cRegistry registry;
    AddressGameDrive(registry);
    const Variant value = registry.Value();
    return value.kind() == Variant::kString ? value.AsString() : std::string();
  } catch (const RaisedError&) {
    // An empty text value: it names no drive either.
    return "";
  }
}
