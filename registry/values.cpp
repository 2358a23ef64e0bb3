// Reading and writing the one value that ClassKey, SectionKey and ValueKey address.
#include <windows.h>

#include <algorithm>
#include <cstring>

#include "platform/win32.h"
#include "registry/cRegistry.h"
#include "registry/errors.h"
#include "registry/registry_key.h"
#include "registry/text.h"

namespace {

using registry::RegistryKey;

// Fetches the value's data into a buffer of size bytes. The probe has already found the value,
// so the result is not examined: if the value changed in between, the zeroed buffer stands.
std::string FetchBytes(const RegistryKey& key, const std::string& name, DWORD size) {
  std::string data(size, '\0');
  DWORD length = size;
  platform::advapi32().RegQueryValueExA(key.get(), name.c_str(), nullptr, nullptr,
                                        reinterpret_cast<BYTE*>(data.data()), &length);
  return data;
}

// A stored text without its last byte (its terminator). A text value of 0 bytes has no
// terminator to drop: the read is refused as an invalid argument (the key is closed on the way).
std::string FetchText(const RegistryKey& key, const std::string& name, DWORD size) {
  if (size == 0) registry::RaiseGeneralError(registry::kInvalidArgument);
  std::string text = FetchBytes(key, name, size);
  text.pop_back();
  return text;
}

std::int32_t FetchDWord(const RegistryKey& key, const std::string& name) {
  const std::string data = FetchBytes(key, name, sizeof(std::int32_t));
  std::int32_t value = 0;
  std::memcpy(&value, data.data(), sizeof value);
  return value;
}

LONG StoreBytes(const RegistryKey& key, const std::string& name, DWORD type, const void* data,
                std::size_t size) {
  return platform::advapi32().RegSetValueExA(
      key.get(), name.c_str(), 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
}

// Text is stored with its terminating NUL; the size is its byte count, so text that needs more
// than one byte per character in the system code page is stored whole.
LONG StoreText(const RegistryKey& key, const std::string& name, const Variant& value) {
  const std::string text = registry::ToText(value);
  const DWORD type = registry::HasEnvironmentReference(text) ? REG_EXPAND_SZ : REG_SZ;
  return StoreBytes(key, name, type, text.c_str(), text.size() + 1);
}

LONG StoreBinary(const RegistryKey& key, const std::string& name, const Variant& value) {
  if (value.kind() != Variant::kByteArray) registry::RaiseGeneralError(registry::kKeyFailed);
  const ByteArray& bytes = value.AsBytes();
  if (bytes.empty()) registry::RaiseGeneralError(registry::kSubscriptOutOfRange);
  return StoreBytes(key, name, REG_BINARY, bytes.data(), bytes.size());
}

// Both DWORD types are stored as a little-endian REG_DWORD. Only integers are stored; any other
// value leaves the registry as it was, and callers rely on that write not raising.
LONG StoreDWord(const RegistryKey& key, const std::string& name, const Variant& value) {
  std::int32_t number = 0;
  if (value.kind() == Variant::kInteger) {
    number = value.AsInteger();
  } else if (value.kind() == Variant::kLong) {
    number = value.AsLong();
  } else {
    return ERROR_SUCCESS;
  }
  return StoreBytes(key, name, REG_DWORD, &number, sizeof number);
}

}  // namespace

Variant cRegistry::Value() {
  RegistryKey key;
  if (key.Open(classKey_, sectionKey_, registry::kQueryAccess) != ERROR_SUCCESS) return default_;

  DWORD type = REG_NONE;
  DWORD size = 0;
  BYTE scratch[4] = {};
  const LONG probe = platform::advapi32().RegQueryValueExA(key.get(), valueKey_.c_str(), nullptr,
                                                           &type, scratch, &size);
  if (probe != ERROR_SUCCESS && probe != ERROR_MORE_DATA) return default_;

  Variant result;
  switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ:
      result = FetchText(key, valueKey_, size);
      break;
    case REG_EXPAND_SZ:
      result = ExpandEnvironmentText(FetchText(key, valueKey_, size));
      break;
    case REG_DWORD:
      result = FetchDWord(key, valueKey_);
      break;
    case REG_DWORD_BIG_ENDIAN:
      result = ReverseByteOrder(FetchDWord(key, valueKey_));
      break;
    default: {
      const std::string data = FetchBytes(key, valueKey_, size);
      result = ByteArray(data.begin(), data.end());
    }
  }
  valueType_ = static_cast<RegistryValueType>(type);
  return result;
}

void cRegistry::Value(const Variant& vValue) {
  const auto failure = [&] {
    return "Failed to set registry value Key: '" + registry::RootText(classKey_) + "',Section: '" +
           sectionKey_ + "',Key: '" + valueKey_ + "' to value: '" +
           registry::DescriptionText(vValue) + "'";
  };

  RegistryKey key;
  if (key.Create(classKey_, sectionKey_) != ERROR_SUCCESS) {
    registry::RaiseClassError(registry::kKeyFailed, failure());
  }

  LONG result = ERROR_INVALID_DATA;
  switch (valueType_) {
    case RegistryValueType::String:
    case RegistryValueType::ExpandString:
      result = StoreText(key, valueKey_, vValue);
      break;
    case RegistryValueType::Binary:
      result = StoreBinary(key, valueKey_, vValue);
      break;
    case RegistryValueType::DWord:
    case RegistryValueType::DWordBigEndian:
      result = StoreDWord(key, valueKey_, vValue);
      break;
    default:
      break;  // no other type can be written
  }
  if (result != ERROR_SUCCESS) registry::RaiseClassError(registry::kSetValueFailed, failure());
}

std::int32_t cRegistry::ReverseByteOrder(std::int32_t value) {
  const auto bits = static_cast<std::uint32_t>(value);
  return static_cast<std::int32_t>((bits >> 24) | ((bits >> 8) & 0x0000FF00u) |
                                   ((bits << 8) & 0x00FF0000u) | (bits << 24));
}

std::string cRegistry::ExpandEnvironmentText(const std::string& text) {
  auto& kernel = platform::kernel32();
  const DWORD needed = kernel.ExpandEnvironmentStringsA(text.c_str(), nullptr, 0);
  if (needed == 0) return text;  // the system cannot expand it: keep the text as stored

  // The size returned may count characters rather than bytes: grow until the expansion and its
  // terminator fit. The buffer holds no NUL until the expansion is complete.
  DWORD capacity = needed;
  for (int attempt = 0; attempt < 4; ++attempt) {
    std::string buffer(capacity, '\x01');
    const DWORD result = kernel.ExpandEnvironmentStringsA(text.c_str(), buffer.data(), capacity);
    const auto end = buffer.find('\0');
    if (result != 0 && result <= capacity && end != std::string::npos) {
      buffer.resize(end);
      return buffer;
    }
    capacity = std::max(result, capacity * 2);
  }
  return text;
}
