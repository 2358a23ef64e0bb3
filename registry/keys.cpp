// Testing, creating and deleting the key that ClassKey and SectionKey address, and deleting the
// value that ValueKey names in it.
#include <windows.h>

#include "platform/win32.h"
#include "registry/cRegistry.h"
#include "registry/errors.h"
#include "registry/registry_key.h"
#include "registry/text.h"

using registry::RegistryKey;

bool cRegistry::KeyExists() const {
  RegistryKey key;
  return key.Open(classKey_, sectionKey_, registry::kQueryAccess) == ERROR_SUCCESS;
}

bool cRegistry::CreateKey() {
  RegistryKey key;
  if (key.Create(classKey_, sectionKey_) != ERROR_SUCCESS) {
    registry::RaiseClassError(registry::kKeyFailed,
                              "Failed to create registry Key: '" + sectionKey_);
  }
  return true;
}

bool cRegistry::DeleteKey() {
  const LONG result =
      platform::advapi32().RegDeleteKeyA(registry::RootHandle(classKey_), sectionKey_.c_str());
  if (result != ERROR_SUCCESS) {
    registry::RaiseClassError(registry::kKeyFailed, "Failed to delete registry Key: '" +
                                                        registry::RootText(classKey_) +
                                                        "',Section: '" + sectionKey_);
  }
  return true;
}

bool cRegistry::DeleteValue() {
  const std::string where = registry::RootText(classKey_) + "',Section: '" + sectionKey_;
  RegistryKey key;
  if (key.Open(classKey_, sectionKey_, registry::kWriteAccess) != ERROR_SUCCESS) {
    registry::RaiseClassError(registry::kKeyFailed,
                              "Failed to open key '" + where + "' for delete access");
  }
  if (platform::advapi32().RegDeleteValueA(key.get(), valueKey_.c_str()) != ERROR_SUCCESS) {
    registry::RaiseClassError(registry::kKeyFailed,
                              "Failed to delete registry Key: '" + where + "',Key: '" + valueKey_);
  }
  return true;
}
