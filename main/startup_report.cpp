#include "main/startup_report.h"

#include "platform/token.h"

namespace {

constexpr char kNewLine[] = "\r\n";
constexpr char kNoGameDisc[] = "no CD-ROM drive holds the game disc";

const char* DriveKind(UINT driveType) {
  switch (driveType) {
    case DRIVE_CDROM:
      return "CD-ROM drive";
    case DRIVE_FIXED:
      return "fixed drive";
    case DRIVE_REMOVABLE:
      return "removable drive";
    case DRIVE_REMOTE:
      return "network drive";
    case DRIVE_RAMDISK:
      return "RAM disk";
    default:
      return "unknown drive";
  }
}

std::string CdRomFinding(const VolumeLabel& label) {
  if (!label.read) return ", no disc";
  const std::string text = label.Text();
  std::string finding = text.empty() ? ", no label" : ", label " + text;
  if (label.IsGameDisc()) finding += ": the game disc";
  return finding;
}

// The usual set-up mistake under Wine: the game's folder mapped as a hard disk.
std::string FixedDriveFinding(const VolumeLabel& label) {
  if (!label.IsGameDisc()) return "";
  return ", label " + label.Text() +
         ": not examined as the game disc, since it is not a CD-ROM drive";
}

}  // namespace

void StartUpReport::AddDrive(const std::string& rootPath, UINT driveType,
                             const std::optional<VolumeLabel>& label) {
  drives_ += rootPath + " " + DriveKind(driveType);
  if (label && driveType == DRIVE_CDROM) drives_ += CdRomFinding(*label);
  if (label && driveType == DRIVE_FIXED) drives_ += FixedDriveFinding(*label);
  drives_ += kNewLine;
}

std::string StartUpReport::Entry() const {
  std::string entry = std::string(kNewLine) + "Start-up scan" + kNewLine + drives_;
  if (written_) {
    entry += "CD Drive = " + *written_ + " (written)" + kNewLine;
    if (platform::RegistryWritesVirtualised())
      entry += std::string("Windows keeps this value for this user only: a game started with ") +
               "\"Run as administrator\" does not see it" + kNewLine;
    return entry;
  }
  const std::string kept = StoredGameDrive();
  if (kept.empty()) return entry + "CD Drive not set: " + kNoGameDisc + kNewLine;
  return entry + "CD Drive = " + kept + " (kept: " + kNoGameDisc + ")" + kNewLine;
}
