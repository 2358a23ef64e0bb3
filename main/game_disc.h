// The game disc and the registry value through which the game finds it.
#pragma once

#include <windows.h>

#include <string>

// The drive type of rootPath ("D:\"), as the system reports it (DRIVE_CDROM, DRIVE_FIXED, ...).
UINT DriveType(const std::string& rootPath);
// Whether rootPath is a CD-ROM drive: the only drives examined for the game disc, so that no
// other drive (floppy, hard disk, network) is touched by the label query.
bool IsCdRomDrive(const std::string& rootPath);

// What one label query of a volume found.
struct VolumeLabel {
  bool read = false;   // the query succeeded
  std::string buffer;  // the label buffer as the query left it (spaces when it failed)

  // The label up to its end ("" for a disc without one, or when the query failed).
  std::string Text() const;
  // Whether the label begins with "fifa2001" in any letter case (at least 8 characters).
  bool IsGameDisc() const;
};

// Reads the label of the volume at rootPath ("D:\").
VolumeLabel ReadVolumeLabel(const std::string& rootPath);

// Whether the volume at rootPath ("D:\") carries the game disc: its label begins with
// "fifa2001" in any letter case. An empty drive or an unreadable disc is no game disc.
bool IsGameDisc(const std::string& rootPath);

// Writes rootPath as the game's "CD Drive" (REG_SZ) under HKEY_LOCAL_MACHINE
// "Software\EA SPORTS\FIFA 2001\", creating the key when it is missing. Throws the registry's
// RaisedError when the write is refused.
void StoreGameDrive(const std::string& rootPath);

// The game's "CD Drive" as it stands, when it holds text; "" when the value is missing,
// empty, of another type or cannot be read. Reading it never raises.
std::string StoredGameDrive();
