// The names of the shell's change-notification event codes.
#pragma once

#include <windows.h>

#include <string>

namespace shellnotify {

// The "SHCNE_" name of an event code, or "" when the code is not exactly one of the 24 codes
// named (a code combining several event bits has no name, unless it equals a group mask).
std::string EventName(LONG lEvent);

}  // namespace shellnotify
