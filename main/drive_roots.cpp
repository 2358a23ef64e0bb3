#include "main/drive_roots.h"

namespace {

constexpr int kDriveCount = 26;

}  // namespace

std::vector<std::string> DriveRoots(DWORD mask) {
  std::vector<std::string> roots;
  for (int bit = 0; bit < kDriveCount; ++bit) {
    if (mask & (DWORD{1} << bit))
      roots.push_back(std::string(1, static_cast<char>('A' + bit)) + ":\\");
  }
  return roots;
}
