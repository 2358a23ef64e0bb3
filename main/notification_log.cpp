#include "main/notification_log.h"

#include <windows.h>

#include <algorithm>

#include "platform/win32.h"

namespace {

constexpr char kEntrySeparator[] = "\r\n";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// A line may wrap before a character that follows a blank.
bool WrapsBefore(const char* line, int index) {
  return index > 0 && IsBlank(line[index - 1]) && !IsBlank(line[index]);
}

// Where the box may wrap a line: between words, as its own rule does. Its own rule analyses the
// whole text again after every change on some systems (Wine), so each entry would cost in
// proportion to the log; this one looks only at the line it is given (count characters).
int CALLBACK WrapBetweenWords(LPSTR line, int index, int count, int action) {
  index = std::max(0, std::min(index, count));
  switch (action) {
    case WB_LEFT:
      if (index > 0) --index;
      while (index > 0 && !WrapsBefore(line, index)) --index;
      return index;
    case WB_RIGHT:
      while (index < count && !WrapsBefore(line, index)) ++index;
      return index;
    case WB_ISDELIMITER:
      return index < count && IsBlank(line[index]);
    default:
      return 0;
  }
}

// Removing text from the front rewrites the whole box, so a trim makes room for many entries at
// once: afterwards the log fills at most this share of its capacity.
constexpr std::size_t KeptAfterTrim(std::size_t capacity) { return capacity - capacity / 4; }

}  // namespace

NotificationLog::NotificationLog(platform::TextBox& box, std::size_t capacity)
    : box_(box), capacity_(capacity) {}

void NotificationLog::PrepareBox() {
  box_.LiftTextLimit();
  platform::user32().SendMessageA(box_.hWnd(), EM_SETWORDBREAKPROC, 0,
                                  reinterpret_cast<LPARAM>(&WrapBetweenWords));
}

void NotificationLog::Append(const std::string& entry) {
  const std::string text = entry + kEntrySeparator;
  // In the system code page a character takes at least one byte, so the byte count is an upper
  // bound of what the entry adds.
  if (length_ + text.size() > capacity_) DropOldestEntriesFor(text.size());
  box_.AppendText(text);
  // The caret after the append is the box's length in characters. Text the user typed into the
  // box since the last entry counts with this entry.
  const std::size_t end = static_cast<std::size_t>(box_.SelStart());
  entries_.push_back(end > length_ ? end - length_ : 0);
  length_ = end;
}

void NotificationLog::DropOldestEntriesFor(std::size_t incoming) {
  const std::size_t kept = KeptAfterTrim(capacity_);
  std::size_t dropped = 0;
  // Text the user deleted from the box may leave the entries longer than the box: never drop
  // more than it holds.
  while (!entries_.empty() && dropped < length_ && length_ - dropped + incoming > kept) {
    dropped += entries_.front();
    entries_.pop_front();
  }
  dropped = std::min(dropped, length_);
  if (dropped == 0) return;
  HWND box = box_.hWnd();
  auto& user = platform::user32();
  user.SendMessageA(box, EM_SETSEL, 0, static_cast<LPARAM>(dropped));
  user.SendMessageA(box, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(""));
  length_ -= dropped;
}
