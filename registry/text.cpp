#include "registry/text.h"

#include <cstdio>

#include "registry/errors.h"

namespace registry {

std::string ToText(const Variant& value) {
  switch (value.kind()) {
    case Variant::kEmpty:
      return {};
    case Variant::kInteger:
      return std::to_string(value.AsInteger());
    case Variant::kLong:
      return std::to_string(value.AsLong());
    case Variant::kString:
      return value.AsString();
    case Variant::kByteArray:
      break;
  }
  RaiseGeneralError(kTypeMismatch);
}

std::string DescriptionText(const Variant& value) {
  if (value.kind() != Variant::kByteArray) return ToText(value);
  std::string text;
  for (const auto byte : value.AsBytes()) {
    char hex[4];
    std::snprintf(hex, sizeof hex, "%02X", byte);
    if (!text.empty()) text += ' ';
    text += hex;
  }
  return text;
}

std::string RootText(RegistryRootKey root) {
  return std::to_string(static_cast<std::int32_t>(root));
}

bool HasEnvironmentReference(const std::string& text) {
  const auto first = text.find('%');
  return first != std::string::npos && text.find('%', first + 2) != std::string::npos;
}

}  // namespace registry
