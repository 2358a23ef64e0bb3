#include "registry/registry_key.h"

#include <cstdint>

#include "platform/win32.h"

namespace registry {

HKEY RootHandle(RegistryRootKey root) {
  return reinterpret_cast<HKEY>(
      static_cast<ULONG_PTR>(static_cast<std::uint32_t>(static_cast<std::int32_t>(root))));
}

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

LONG RegistryKey::Open(RegistryRootKey root, const std::string& path, REGSAM access) {
  Close();
  HKEY opened = nullptr;
  const LONG result =
      platform::advapi32().RegOpenKeyExA(RootHandle(root), path.c_str(), 0, access, &opened);
  if (result == ERROR_SUCCESS) handle_ = opened;
  return result;
}

LONG RegistryKey::Create(RegistryRootKey root, const std::string& path) {
  Close();
  char noClass[] = "";
  SECURITY_ATTRIBUTES security = {0, nullptr, FALSE};
  HKEY created = nullptr;
  DWORD disposition = 0;
  const LONG result = platform::advapi32().RegCreateKeyExA(
      RootHandle(root), path.c_str(), 0, noClass, REG_OPTION_NON_VOLATILE, kWriteAccess, &security,
      &created, &disposition);
  if (result == ERROR_SUCCESS) handle_ = created;
  return result;
}

void RegistryKey::Close() {
  if (handle_) platform::advapi32().RegCloseKey(handle_);
  handle_ = nullptr;
}

}  // namespace registry
