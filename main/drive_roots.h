// Drive masks, as free-space notifications and volume changes carry them: bit 0 for A:, bit 1
// for B:, up to bit 25 for Z:.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The root path ("E:\", upper case) of each drive in mask, lowest bit first. Bits 26 to 31
// name no drive.
std::vector<std::string> DriveRoots(DWORD mask);
