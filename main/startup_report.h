// The start-up scan's report, the log's first entry: every drive of the drive list with what the
// scan found there, then what became of the game's "CD Drive". It names the usual reasons why the
// game still asks for its disc: the disc in a drive that is no CD-ROM drive, a disc with another
// label, an empty drive, or a value that Windows keeps for this user only.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "main/game_disc.h"

class StartUpReport {
 public:
  // One drive, in list order: its type and, for a drive whose label was read, the label.
  void AddDrive(const std::string& rootPath, UINT driveType,
                const std::optional<VolumeLabel>& label);
  // The scan wrote rootPath into "CD Drive".
  void GameDriveWritten(const std::string& rootPath) { written_ = rootPath; }

  // The entry: it starts on a line of its own, and each line ends with CR LF. When nothing was
  // written, it reads the value that was kept.
  std::string Entry() const;

 private:
  std::string drives_;
  std::optional<std::string> written_;
};
