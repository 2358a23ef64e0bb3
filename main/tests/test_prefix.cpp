#include "main/tests/test_prefix.h"

#include <cstdlib>
#include <fstream>
#include <vector>

#include <winioctl.h>

#include "tests/support/process.h"
#include "tests/support/window_search.h"

namespace discpilot_test {
namespace {

constexpr DWORD kStartTimeoutMs = 30000;

std::string UnixDriveFolder(char letter) {
  const char* discs = std::getenv("DISCPILOT_DISCS");
  if (!discs) ADD_FAILURE() << "DISCPILOT_DISCS is not set: run the tests with scripts/test.sh";
  return std::string(discs ? discs : "") + "/" + letter;
}

std::string DriveFolder(char letter) { return test_support::WindowsPath(UnixDriveFolder(letter)); }

// Wine's mount manager reads a drive's label when the drive is defined and keeps it for as long
// as the wineserver runs; defining the drive anew makes it read the label file again.
constexpr DWORD kDefineUnixDrive =
    CTL_CODE(0x6D /* 'm' */, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);
struct UnixDriveDefinition {
  ULONG size;
  ULONG type;
  ULONG fsType;
  DWORD serial;
  ULONGLONG unixDevice;
  WCHAR letter;
  USHORT mountPointOffset;
  USHORT deviceOffset;
  USHORT labelOffset;
};

void DefineDrive(char letter, UINT type, const std::string& unixFolder) {
  HANDLE manager =
      CreateFileA("\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(manager, INVALID_HANDLE_VALUE);
  std::vector<char> buffer(sizeof(UnixDriveDefinition) + unixFolder.size() + 1, '\0');
  auto* definition = reinterpret_cast<UnixDriveDefinition*>(buffer.data());
  definition->size = static_cast<ULONG>(buffer.size());
  definition->type = type;
  definition->letter = static_cast<WCHAR>(letter);
  if (!unixFolder.empty()) {
    definition->mountPointOffset = sizeof(UnixDriveDefinition);
    unixFolder.copy(buffer.data() + sizeof(UnixDriveDefinition), unixFolder.size());
  }
  DWORD returned = 0;
  const BOOL defined =
      DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()),
                      nullptr, 0, &returned, nullptr);
  CloseHandle(manager);
  ASSERT_TRUE(defined) << "drive " << letter << ": error " << GetLastError();
}

void ReloadDrive(char letter, UINT type) {
  DefineDrive(letter, type, "");
  DefineDrive(letter, type, UnixDriveFolder(letter));
}

std::string addedDrives;

void RemoveAddedDrives() {
  for (char letter : addedDrives) {
    DefineDrive(letter, DRIVE_NO_ROOT_DIR, "");
    const std::string folder = DriveFolder(letter);
    DeleteFileA((folder + "\\.windows-label").c_str());
    RemoveDirectoryA(folder.c_str());
  }
  addedDrives.clear();
}

void RestorePrefixDiscs() {
  RemoveAddedDrives();
  SetDriveFolderPresent('f', true);
  SetDisc('d', "FIFA2001");
  SetDisc('e', "OTHERDISC");
  SetDisc('f', "");
}

}  // namespace

void SetDisc(char letter, const std::string& label) {
  const std::string file = DriveFolder(letter) + "\\.windows-label";
  if (label.empty()) {
    DeleteFileA(file.c_str());
  } else {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << label << "\n";
    ASSERT_TRUE(out.good()) << file;
  }
  ReloadDrive(letter, DRIVE_CDROM);
}

void AddCdRomDrive(char letter, const std::string& label) {
  const std::string folder = DriveFolder(letter);
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder << ": " << GetLastError();
  addedDrives += letter;
  std::ofstream(folder + "\\.windows-label", std::ios::binary) << label << "\n";
  DefineDrive(letter, DRIVE_CDROM, UnixDriveFolder(letter));
}

void SetDriveFolderPresent(char letter, bool present) {
  const std::string folder = DriveFolder(letter);
  const std::string away = folder + ".away";
  if (present)
    MoveFileA(away.c_str(), folder.c_str());
  else
    MoveFileA(folder.c_str(), away.c_str());
  ReloadDrive(letter, DRIVE_CDROM);
}

bool KeyExists(const char* path) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::optional<RegistryValue> ReadGameValue(const char* name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return std::nullopt;
  RegistryValue value;
  char data[512];
  std::fill(std::begin(data), std::end(data), '\xEE');
  DWORD size = sizeof data;
  const LONG result =
      RegQueryValueExA(key, name, nullptr, &value.type, reinterpret_cast<BYTE*>(data), &size);
  RegCloseKey(key);
  if (result != ERROR_SUCCESS) return std::nullopt;
  value.data.assign(data, size);
  if (value.type == REG_SZ && !value.data.empty() && value.data.back() == '\0')
    value.data.pop_back();
  return value;
}

void WriteGameValue(const char* name, DWORD type, const std::string& data) {
  HKEY key;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKeyPath, 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr),
            ERROR_SUCCESS);
  const std::string stored = type == REG_SZ ? data + '\0' : data;
  EXPECT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(stored.data()),
                           static_cast<DWORD>(stored.size())),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

void DeleteGameKeys() {
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameKeyPath);
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kGameParentKeyPath);
}

RunResult RunDiscpilot() {
  RunResult result;
  auto program = test_support::Program::Start(DISCPILOT_EXE);
  HWND window = test_support::WaitForTopLevelWindow(kCaption, program.Id(), kStartTimeoutMs);
  result.windowShown = window != nullptr;
  if (window) SendMessageA(window, WM_CLOSE, 0, 0);
  result.exitStatus = program.WaitForExit(kStartTimeoutMs);
  return result;
}

void RefuseGameKeyCreation() {
  HKEY parent;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameParentKeyPath, 0, nullptr, REG_OPTION_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &parent, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(parent);
}

void TestPrefix::SetUp() {
  RestorePrefixDiscs();
  DeleteGameKeys();
}

void TestPrefix::TearDown() {
  RestorePrefixDiscs();
  DeleteGameKeys();
}

}  // namespace discpilot_test
