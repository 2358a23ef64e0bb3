// Resource numbers of discpilot.exe, shared by its resource script and its code.
#pragma once

#define IDI_DISCPILOT 1
