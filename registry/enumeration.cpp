// Listing the names of the values and of the subkeys directly below the addressed key.
#include <windows.h>

#include <algorithm>
#include <new>

#include "platform/win32.h"
#include "registry/cRegistry.h"
#include "registry/errors.h"
#include "registry/registry_key.h"

namespace {

using registry::RegistryKey;

// Subkey names are read into a buffer of 255 characters, terminator included.
constexpr std::size_t kSubkeyNameCapacity = 255;
// Names may need more bytes than characters in the system code page, or a longer name may
// appear while the list is read: a buffer that is too small grows up to this size.
constexpr std::size_t kLongestNameBytes = 65536;

// Doubles buffer when it may still grow; false when it already has the largest size.
bool Grow(std::string& buffer) {
  if (buffer.size() >= kLongestNameBytes) return false;
  buffer.assign(std::min(buffer.size() * 2, kLongestNameBytes), '\0');
  return true;
}

DWORD LongestValueName(const RegistryKey& key, LONG& result) {
  DWORD longest = 0;
  result =
      platform::advapi32().RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr,
                                            nullptr, nullptr, &longest, nullptr, nullptr, nullptr);
  return longest;
}

std::string DescriptionOf(const std::exception& error) {
  if (const auto* raised = dynamic_cast<const RaisedError*>(&error)) return raised->Description();
  if (dynamic_cast<const std::bad_alloc*>(&error)) return "Out of memory";
  return error.what();
}

}  // namespace

bool cRegistry::EnumerateValues(std::vector<std::string>& sKeyNames, std::int32_t& iKeyCount) {
  iKeyCount = 0;
  sKeyNames.clear();

  RegistryKey key;
  if (key.Open(classKey_, sectionKey_, registry::kQueryAccess) != ERROR_SUCCESS) return true;
  LONG result = ERROR_SUCCESS;
  const DWORD longest = LongestValueName(key, result);
  if (result != ERROR_SUCCESS) return true;

  std::string buffer(longest + 1, '\0');
  for (DWORD index = 0;;) {
    std::fill(buffer.begin(), buffer.end(), '\0');
    DWORD length = static_cast<DWORD>(buffer.size());
    result = platform::advapi32().RegEnumValueA(key.get(), index, buffer.data(), &length, nullptr,
                                                nullptr, nullptr, nullptr);
    if (result == ERROR_MORE_DATA && Grow(buffer)) continue;
    if (result != ERROR_SUCCESS) break;  // past the last value, or the list cannot be read on
    sKeyNames.emplace_back(buffer.data(), length);
    ++iKeyCount;
    ++index;
  }
  return true;
}

bool cRegistry::EnumerateSections(std::vector<std::string>& sSect, std::int32_t& iSectCount) {
  iSectCount = 0;
  sSect.clear();

  try {
    RegistryKey key;
    LONG result = key.Open(classKey_, sectionKey_, KEY_ENUMERATE_SUB_KEYS);
    std::string buffer(kSubkeyNameCapacity, '\0');
    for (DWORD index = 0; result == ERROR_SUCCESS;) {
      std::fill(buffer.begin(), buffer.end(), '\0');
      result = platform::advapi32().RegEnumKeyA(key.get(), index, buffer.data(),
                                                static_cast<DWORD>(buffer.size()));
      // A name that does not fit the buffer with its terminator (ERROR_MORE_DATA) ends the
      // list, as the end of the subkeys does.
      if (result != ERROR_SUCCESS) break;
      sSect.emplace_back(buffer.data(), std::min(buffer.find('\0'), buffer.size()));
      ++iSectCount;
      ++index;
    }
  } catch (const std::exception& error) {
    // The key has been closed on the way out of the block above.
    registry::RaiseClassError(registry::kEnumerateSectionsFailed, DescriptionOf(error));
  }
  return true;
}
