#include "platform/volume_change.h"

#include <dbt.h>

#include <cstddef>
#include <cstring>

namespace platform {
namespace {

// The record's fields are copied out one by one, each only when the record's size covers it:
// a record that says it is shorter than a volume's names no drive.
template <typename Field>
bool ReadField(const BYTE* record, DWORD recordSize, std::size_t offset, Field& field) {
  if (offset + sizeof field > recordSize) return false;
  std::memcpy(&field, record + offset, sizeof field);
  return true;
}

}  // namespace

std::optional<VolumeChange> ReadVolumeChange(WPARAM wParam, LPARAM lParam) {
  VolumeChange change;
  switch (wParam) {
    case DBT_DEVICEARRIVAL:
      change.event = VolumeChange::Event::Arrival;
      break;
    case DBT_DEVICEREMOVECOMPLETE:
      change.event = VolumeChange::Event::RemoveComplete;
      break;
    default:
      // Other device events carry no record of a volume that came or went; lParam is not even
      // a record for some of them.
      return std::nullopt;
  }
  const auto* record = reinterpret_cast<const BYTE*>(lParam);
  if (!record) return std::nullopt;
  DWORD size = 0;
  std::memcpy(&size, record + offsetof(DEV_BROADCAST_HDR, dbch_size), sizeof size);
  DWORD deviceType = 0;
  if (!ReadField(record, size, offsetof(DEV_BROADCAST_HDR, dbch_devicetype), deviceType) ||
      deviceType != DBT_DEVTYP_VOLUME)
    return std::nullopt;
  if (!ReadField(record, size, offsetof(DEV_BROADCAST_VOLUME, dbcv_unitmask), change.unitMask))
    return std::nullopt;
  return change;
}

}  // namespace platform
