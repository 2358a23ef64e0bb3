#include "shellnotify/event_name.h"

namespace shellnotify {
namespace {

struct EventNameRow {
  DWORD code;
  const char* name;
};

constexpr EventNameRow kEventNames[] = {
    {0x00000001, "SHCNE_RENAMEITEM"},
    {0x00000002, "SHCNE_CREATE"},
    {0x00000004, "SHCNE_DELETE"},
    {0x00000008, "SHCNE_MKDIR"},
    {0x00000010, "SHCNE_RMDIR"},
    {0x00000020, "SHCNE_MEDIAINSERTED"},
    {0x00000040, "SHCNE_MEDIAREMOVED"},
    {0x00000080, "SHCNE_DRIVEREMOVED"},
    {0x00000100, "SHCNE_DRIVEADD"},
    {0x00000200, "SHCNE_NETSHARE"},
    {0x00000400, "SHCNE_NETUNSHARE"},
    {0x00000800, "SHCNE_ATTRIBUTES"},
    {0x00001000, "SHCNE_UPDATEDIR"},
    {0x00002000, "SHCNE_UPDATEITEM"},
    {0x00004000, "SHCNE_SERVERDISCONNECT"},
    {0x00008000, "SHCNE_UPDATEIMAGE"},
    {0x00010000, "SHCNE_DRIVEADDGUI"},
    {0x00020000, "SHCNE_RENAMEFOLDER"},
    {0x00040000, "SHCNE_FREESPACE"},
    {0x0002381F, "SHCNE_DISKEVENTS"},
    {0x08000000, "SHCNE_ASSOCCHANGED"},
    {0x0C0581E0, "SHCNE_GLOBALEVENTS"},
    {0x7FFFFFFF, "SHCNE_ALLEVENTS"},
    {0x80000000, "SHCNE_INTERRUPT"},
};

}  // namespace

std::string EventName(LONG lEvent) {
  const auto code = static_cast<DWORD>(lEvent);
  for (const auto& row : kEventNames) {
    if (row.code == code) return row.name;
  }
  return {};
}

}  // namespace shellnotify
