// Handle values as the plumbing's message boxes show them.
#pragma once

#include <cstdint>
#include <string>

namespace shellnotify {

// Upper-case hexadecimal digits without leading zeros and without a prefix ("A01B4", "0").
std::string HexText(std::uintptr_t value);

}  // namespace shellnotify
