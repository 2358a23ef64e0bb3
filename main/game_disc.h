// The game disc and the registry value through which the game finds it.
#pragma once

#include <string>

// Whether rootPath ("D:\") is a CD-ROM drive: the only drives whose label is read, so that no
// other drive (floppy, hard disk, network) is touched by the label query.
bool IsCdRomDrive(const std::string& rootPath);

// Whether the volume at rootPath ("D:\") carries the game disc: its label begins with
// "fifa2001" in any letter case. An empty drive or an unreadable disc is no game disc.
bool IsGameDisc(const std::string& rootPath);

// Writes rootPath as the game's "CD Drive" (REG_SZ) under HKEY_LOCAL_MACHINE
// "Software\EA SPORTS\FIFA 2001\", creating the key when it is missing. Throws the registry's
// RaisedError when the write is refused.
void StoreGameDrive(const std::string& rootPath);
