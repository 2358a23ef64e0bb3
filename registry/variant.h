// The tagged value that cRegistry reads and writes: empty, 16-bit integer, 32-bit integer,
// text (system ANSI code page) or byte array. Kind() gives the automation type code.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

using ByteArray = std::vector<std::uint8_t>;

class Variant {
 public:
  enum Kind : std::int32_t {
    kEmpty = 0,
    kInteger = 2,       // 16-bit signed
    kLong = 3,          // 32-bit signed
    kString = 8,        // text
    kByteArray = 8209,  // one-dimensional array of bytes (0x2011)
  };

  Variant() = default;
  Variant(std::int16_t value) : value_(value) {}
  Variant(std::int32_t value) : value_(value) {}
  Variant(std::string value) : value_(std::move(value)) {}
  Variant(const char* value) : value_(std::string(value)) {}
  Variant(ByteArray value) : value_(std::move(value)) {}

  Kind kind() const;
  bool IsEmpty() const { return kind() == kEmpty; }

  // The held value; call only for the matching kind.
  std::int16_t AsInteger() const { return std::get<std::int16_t>(value_); }
  std::int32_t AsLong() const { return std::get<std::int32_t>(value_); }
  const std::string& AsString() const { return std::get<std::string>(value_); }
  const ByteArray& AsBytes() const { return std::get<ByteArray>(value_); }

  friend bool operator==(const Variant& a, const Variant& b) { return a.value_ == b.value_; }
  friend bool operator!=(const Variant& a, const Variant& b) { return !(a == b); }

 private:
  std::variant<std::monostate, std::int16_t, std::int32_t, std::string, ByteArray> value_;
};
