// An open registry key owned by one operation of cRegistry: closed when the owner lets it go,
// on every path, so no operation can return or raise with a key left open.
#pragma once

#include <windows.h>

#include <string>

#include "registry/cRegistry.h"

namespace registry {

// What cRegistry asks for when it only reads a key.
constexpr REGSAM kQueryAccess = KEY_QUERY_VALUE;
// What it asks for when it creates a key or changes its values: query, set, create subkey,
// enumerate, notify and create link, without the standard rights (0x3F, not 0xF003F).
constexpr REGSAM kWriteAccess = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |
                                KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK;

// The predefined root handle that a RegistryRootKey value stands for, passed on unchanged.
HKEY RootHandle(RegistryRootKey root);

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() { Close(); }
  RegistryKey(RegistryKey&& other) noexcept : handle_(other.handle_) { other.handle_ = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // Opens path below root with the given access; returns the registry's result code.
  LONG Open(RegistryRootKey root, const std::string& path, REGSAM access);
  // Creates path below root, with every missing key along it, or opens it when it exists:
  // non-volatile, no class, kWriteAccess, default security. Returns the registry's result code.
  LONG Create(RegistryRootKey root, const std::string& path);
  void Close();

  HKEY get() const { return handle_; }
  bool is_open() const { return handle_ != nullptr; }

 private:
  HKEY handle_ = nullptr;
};

}  // namespace registry
