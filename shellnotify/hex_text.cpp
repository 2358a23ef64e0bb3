#include "shellnotify/hex_text.h"

namespace shellnotify {

std::string HexText(std::uintptr_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

}  // namespace shellnotify
