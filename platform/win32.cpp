#include "platform/win32.h"

namespace platform {

Advapi32& advapi32() {
  static Advapi32 table;
  return table;
}

Kernel32& kernel32() {
  static Kernel32 table;
  return table;
}

User32& user32() {
  static User32 table;
  return table;
}

Shell32& shell32() {
  static Shell32 table;
  return table;
}

Ole32& ole32() {
  static Ole32 table;
  return table;
}

}  // namespace platform
