// Volumes that come and go: Windows announces each to every top-level window with
// WM_DEVICECHANGE, whether a disc was inserted, an image was mounted as a new drive, or a drive
// went away. Forms hear of them through Form_VolumeChange.
#pragma once

#include <windows.h>

#include <optional>

namespace platform {

struct VolumeChange {
  enum class Event { Arrival, RemoveComplete };
  Event event;
  DWORD unitMask;  // the drives concerned: bit 0 for A:, bit 1 for B:, and so on
};

// The volume change that one WM_DEVICECHANGE announces: only an arrival or a completed removal
// whose record (lParam) is a volume's, read no further than the record's own size says it is
// long. Nothing for every other device change.
std::optional<VolumeChange> ReadVolumeChange(WPARAM wParam, LPARAM lParam);

}  // namespace platform
