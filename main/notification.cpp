#include "main/notification.h"

#include <shlobj.h>

#include "main/drive_roots.h"
#include "main/game_disc.h"
#include "platform/win32.h"
#include "shellnotify/event_name.h"
#include "shellnotify/item_list.h"
#include "shellnotify/notification.h"

namespace {

// The headers make RtlMoveMemory a macro for memmove; the parentheses reach the bound kernel32
// entry instead.
void CopyBytes(void* destination, const void* source, SIZE_T length) {
  (platform::kernel32().RtlMoveMemory)(destination, source, length);
}

constexpr char kNewLine[] = "\r\n";
constexpr char kMediaInserted[] = "SHCNE_MEDIAINSERTED";
constexpr char kImageIndexLine[] = "Index of image in system imagelist: ";

struct ItemTexts {
  const char* displayName;
  const char* path;
  const char* invalid;
};
constexpr ItemTexts kFirstItem = {
    "first item displayname: ", "first item path: ", "first item is invalid"};
constexpr ItemTexts kSecondItem = {
    "second item displayname: ", "second item path: ", "second item is invalid"};

// The shell's record is copied out before it is read; no record at all means no items.
shellnotify::ShellNotifyRecord CopyRecord(WPARAM wParam) {
  shellnotify::ShellNotifyRecord record = {};
  if (wParam) {
    CopyBytes(&record, reinterpret_cast<const void*>(wParam), sizeof record);
  }
  return record;
}

// The 32-bit number that image and free-space notifications carry in place of a first item,
// behind the item's 16-bit size.
LONG ReadPayload(PCIDLIST_ABSOLUTE item) {
  LONG payload = 0;
  CopyBytes(&payload, reinterpret_cast<const BYTE*>(item) + sizeof(USHORT), sizeof payload);
  return payload;
}

std::string DriveLines(LONG mask) {
  std::string lines;
  for (const std::string& root : DriveRoots(static_cast<DWORD>(mask))) lines += root + kNewLine;
  return lines;
}

std::string ItemLines(PCIDLIST_ABSOLUTE item, const ItemTexts& texts) {
  const std::string displayName = shellnotify::GetItemDisplayName(item);
  if (displayName.empty()) return std::string(texts.invalid) + kNewLine;
  return texts.displayName + displayName + kNewLine + texts.path + shellnotify::GetItemPath(item) +
         kNewLine;
}

// The disc is judged by the volume at the item's path alone, and that path, as the shell gives
// it, is what the game is told. An item without a path names no volume: it is no game disc.
void RecordGameDiscAt(PCIDLIST_ABSOLUTE item) {
  const std::string rootPath = shellnotify::GetItemPath(item);
  if (!rootPath.empty() && IsGameDisc(rootPath)) StoreGameDrive(rootPath);
}

}  // namespace

std::string ReceiveNotification(const WPARAM& wParam, const LPARAM& lParam) {
  const std::string name = shellnotify::EventName(static_cast<LONG>(lParam));
  // Only the code named so (0x20) counts: a code with further bits set has no name.
  const bool mediaInserted = name == kMediaInserted;
  std::string entry = name + kNewLine;
  const shellnotify::ShellNotifyRecord record = CopyRecord(wParam);

  switch (static_cast<LONG>(lParam)) {
    case SHCNE_UPDATEIMAGE:
      if (record.dwItem1) {
        entry += kImageIndexLine + std::to_string(ReadPayload(record.dwItem1)) + kNewLine;
      }
      break;
    case SHCNE_FREESPACE:
      if (record.dwItem1) entry += DriveLines(ReadPayload(record.dwItem1));
      break;
    default:
      if (record.dwItem1) {
        entry += ItemLines(record.dwItem1, kFirstItem);
        if (mediaInserted) RecordGameDiscAt(record.dwItem1);
      }
      if (record.dwItem2) entry += ItemLines(record.dwItem2, kSecondItem);
      break;
  }
  return entry;
}
