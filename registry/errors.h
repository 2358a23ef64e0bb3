// The error numbers that cRegistry raises, and the two ways it raises them: with the class's
// own source and description, or as a general error with the standard text.
#pragma once

#include <cstdint>
#include <string>

namespace registry {

// General errors, raised without a source or description of the class's own.
constexpr std::int32_t kInvalidArgument = 5;
constexpr std::int32_t kSubscriptOutOfRange = 9;
constexpr std::int32_t kTypeMismatch = 13;

// A key cannot be created, opened or deleted, or a value cannot be deleted.
constexpr std::int32_t kKeyFailed = 26001;

// The object-defined range (FACILITY_ITF) that the class's other numbers lie in.
constexpr std::int32_t kObjectErrorBase = static_cast<std::int32_t>(0x80040000u);
constexpr std::int32_t kSetValueFailed = kObjectErrorBase + 27049;
constexpr std::int32_t kEnumerateSectionsFailed = kObjectErrorBase + 27050;
constexpr std::int32_t kInvalidAssociationItems = kObjectErrorBase + 27052;
constexpr std::int32_t kAssociationClassMissing = kObjectErrorBase + 27053;

// The running program's name followed by ".cRegistry".
std::string ClassSource();

// Raises number with the class's source and the given description.
[[noreturn]] void RaiseClassError(std::int32_t number, const std::string& description);

// Raises number with the program's name as source and the standard text for the number.
[[noreturn]] void RaiseGeneralError(std::int32_t number);

}  // namespace registry
