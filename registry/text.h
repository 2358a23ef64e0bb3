// Turning values into the texts that cRegistry stores and reports.
#pragma once

#include <string>

#include "registry/cRegistry.h"

namespace registry {

// A value as text, for storing: text unchanged, an integer in decimal digits (with "-" when
// negative), the empty value as the empty text. A byte array has no text: raises 13.
std::string ToText(const Variant& value);

// A value as text for an error description. Like ToText, but a byte array shows as its bytes
// in hexadecimal ("01 A0 FF"), so that describing a refused write never fails itself.
std::string DescriptionText(const Variant& value);

// A root as the signed decimal that error descriptions show (HKEY_LOCAL_MACHINE: -2147483646).
std::string RootText(RegistryRootKey root);

// True when text holds environment references: after its first "%", another "%" follows with
// at least one character between them. Such text is stored as REG_EXPAND_SZ.
bool HasEnvironmentReference(const std::string& text);

}  // namespace registry
