// Scratch keys for the registry tests, and plain registry access that goes straight to
// advapi32 (past any RegistrySeam) to set up what a test reads and to check what it wrote.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace regtest {

// A key of one test's own below HKEY_CURRENT_USER ("Software\DiscPilot tests\<test name>"),
// made empty when the test starts and removed with everything below it when the test ends.
class ScratchKey {
 public:
  ScratchKey();
  ~ScratchKey();
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  const std::string& Path() const { return path_; }
  // Path of a key below the scratch key.
  std::string Path(const std::string& below) const { return path_ + "\\" + below; }

 private:
  std::string path_;
};

struct StoredValue {
  DWORD type = REG_NONE;
  std::string data;
};

std::optional<StoredValue> ReadValue(HKEY root, const std::string& path, const std::string& name);
void WriteValue(HKEY root, const std::string& path, const std::string& name, DWORD type,
                const std::string& data);
bool KeyPresent(HKEY root, const std::string& path);
void MakeKey(HKEY root, const std::string& path);
// Makes the subkey `name` of path through path's handle, so that the whole path may be longer
// than the system accepts in one piece.
void MakeKey(HKEY root, const std::string& path, const std::string& name);
// Removes path with all its subkeys, however long their names; a missing key is no error.
void DeleteTree(HKEY root, const std::string& path);
// Names below path in the platform's index order.
std::vector<std::string> SubkeyNames(HKEY root, const std::string& path);
std::vector<std::string> ValueNames(HKEY root, const std::string& path);

}  // namespace regtest
