// The test prefix as discpilot's tests use it: the discs in its CD-ROM drives, the game's
// registry key, and runs of the real discpilot.exe.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace discpilot_test {

constexpr char kCaption[] = "Goalvista DiscPilot";
constexpr char kGameKeyPath[] = "Software\\EA SPORTS\\FIFA 2001";
constexpr char kGameParentKeyPath[] = "Software\\EA SPORTS";
constexpr char kDriveValueName[] = "CD Drive";

// Puts a disc with label into the CD-ROM drive letter (d, e, f); an empty label leaves the drive
// without a disc. A program started afterwards sees the change.
void SetDisc(char letter, const std::string& label);
// Takes the drive's folder away altogether (a drive whose medium cannot be read at all), or puts
// it back.
void SetDriveFolderPresent(char letter, bool present);

// Adds a CD-ROM drive letter that the prefix does not have (as a disc image mounted as a new
// drive), holding a disc with label. The drive goes again when the test ends.
void AddCdRomDrive(char letter, const std::string& label);

struct RegistryValue {
  DWORD type = 0;
  std::string data;  // for REG_SZ without its terminating NUL
};

bool KeyExists(const char* path);
std::optional<RegistryValue> ReadGameValue(const char* name);
void WriteGameValue(const char* name, DWORD type, const std::string& data);
void DeleteGameKeys();
// Makes the game's parent key volatile, so that creating the game's (non-volatile) key below it
// is refused for real, as a write without rights below HKEY_LOCAL_MACHINE would be. Fails the
// test when the parent cannot be made so (it must not exist yet).
void RefuseGameKeyCreation();

// One run of the real discpilot.exe: it is started, its window is awaited (the scan has run once
// the window shows), and it is closed with WM_CLOSE.
struct RunResult {
  bool windowShown = false;
  std::optional<DWORD> exitStatus;
};
RunResult RunDiscpilot();

// Every test starts and ends with the discs as the prefix was made (D: FIFA2001, E: OTHERDISC,
// F: empty, H: FIFA2001 on a hard disk) and without the game's key.
class TestPrefix : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

}  // namespace discpilot_test
