// A volume that arrived or went, as discpilot takes it: the entry it adds to the log and, when
// the game disc arrived in a CD-ROM drive, the drive it records for the game. This is how the
// program follows the disc where the shell reports no media insertion: a disc image mounted as a
// new drive, or a disc that Wine's auto-mounter brings.
#pragma once

#include <string>

#include "platform/volume_change.h"

// Returns the change's log entry: "DBT_DEVICEARRIVAL" or "DBT_DEVICEREMOVECOMPLETE", then the
// root of each drive of the mask, each line ending with CR LF. On an arrival every CD-ROM drive
// of the mask that holds the game disc is written into the game's value, in letter order, before
// this returns; a refused write throws the registry's RaisedError and gives no entry. A removal
// never touches the registry.
std::string ReceiveVolumeChange(const platform::VolumeChange& change);
