#include "main/volume_change.h"

#include "main/drive_roots.h"
#include "main/game_disc.h"

namespace {

constexpr char kNewLine[] = "\r\n";
constexpr char kArrival[] = "DBT_DEVICEARRIVAL";
constexpr char kRemoveComplete[] = "DBT_DEVICEREMOVECOMPLETE";

}  // namespace

std::string ReceiveVolumeChange(const platform::VolumeChange& change) {
  const bool arrival = change.event == platform::VolumeChange::Event::Arrival;
  std::string entry = std::string(arrival ? kArrival : kRemoveComplete) + kNewLine;
  // As in the start-up scan, only CD-ROM drives have their label read, and with two game discs
  // the later letter is the one the game is left with.
  for (const std::string& rootPath : DriveRoots(change.unitMask)) {
    if (arrival && IsCdRomDrive(rootPath) && IsGameDisc(rootPath)) StoreGameDrive(rootPath);
    entry += rootPath + kNewLine;
  }
  return entry;
}
