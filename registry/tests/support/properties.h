// Snapshots of a cRegistry's properties, so that a test can show which ones an operation
// changed, and readable gtest output for Variant and RaisedError.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <string>

#include "registry/cRegistry.h"

inline void PrintTo(const Variant& value, std::ostream* out) {
  switch (value.kind()) {
    case Variant::kEmpty:
      *out << "(empty)";
      return;
    case Variant::kInteger:
      *out << "(int16)" << value.AsInteger();
      return;
    case Variant::kLong:
      *out << "(int32)" << value.AsLong();
      return;
    case Variant::kString:
      *out << "(text)\"";
      for (char c : value.AsString()) {
        if (c == '\0') {
          *out << "\\0";
        } else {
          *out << c;
        }
      }
      *out << '"';
      return;
    case Variant::kByteArray:
      *out << "(bytes)";
      for (auto byte : value.AsBytes()) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        *out << hex;
      }
      return;
  }
}

namespace regtest {

struct Properties {
  RegistryRootKey classKey;
  std::string sectionKey;
  std::string valueKey;
  Variant defaultValue;
  RegistryValueType valueType;

  friend bool operator==(const Properties& a, const Properties& b) {
    return a.classKey == b.classKey && a.sectionKey == b.sectionKey && a.valueKey == b.valueKey &&
           a.defaultValue == b.defaultValue && a.valueType == b.valueType;
  }
  friend void PrintTo(const Properties& p, std::ostream* out) {
    *out << "{ClassKey " << static_cast<std::int32_t>(p.classKey) << ", SectionKey '"
         << p.sectionKey << "', ValueKey '" << p.valueKey << "', Default ";
    ::PrintTo(p.defaultValue, out);
    *out << ", ValueType " << static_cast<std::int32_t>(p.valueType) << "}";
  }
};

inline Properties PropertiesOf(const cRegistry& registry) {
  return {registry.ClassKey(), registry.SectionKey(), registry.ValueKey(), registry.Default(),
          registry.ValueType()};
}

// The parts of a raised error that a test compares in one go.
struct Raised {
  std::int32_t number;
  std::string source;
  std::string description;

  friend bool operator==(const Raised& a, const Raised& b) {
    return a.number == b.number && a.source == b.source && a.description == b.description;
  }
  friend void PrintTo(const Raised& r, std::ostream* out) {
    *out << "{" << r.number << ", '" << r.source << "', '" << r.description << "'}";
  }
};

// Runs operation and returns what it raised; fails the test when it raises nothing.
template <typename Operation>
Raised RaisedBy(Operation operation) {
  try {
    operation();
  } catch (const RaisedError& e) {
    return {e.Number(), e.Source(), e.Description()};
  }
  ADD_FAILURE() << "nothing was raised";
  return {};
}

}  // namespace regtest
