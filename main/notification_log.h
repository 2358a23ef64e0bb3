// The notification log shown in discpilot's text box. Entries are added at the end of the box
// without rewriting what is there, so adding one costs the same however long the log has grown.
// The log holds at most a few MB: when an entry would take it past its capacity, the oldest
// whole entries go first, so the newest are always kept and logging never stops.
#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "platform/controls.h"

class NotificationLog {
 public:
  // Characters the log holds at most (the box keeps two bytes each).
  static constexpr std::size_t kCapacity = 4 * 1024 * 1024;

  // box must outlive the log. Whatever the box holds before the first entry (its design text)
  // counts with that entry.
  explicit NotificationLog(platform::TextBox& box, std::size_t capacity = kCapacity);

  // Readies the box, once it exists, for a log that grows far past a few pages: lifts the box's
  // own limit (about 32 000 characters) and has long lines wrapped by a rule that looks at the
  // line alone.
  void PrepareBox();

  // Adds entry (its lines, each ending with CR LF) and the empty line that separates it from
  // the next; the caret then stands after the last character.
  void Append(const std::string& entry);

 private:
  void DropOldestEntriesFor(std::size_t incoming);

  platform::TextBox& box_;
  std::size_t capacity_;
  std::size_t length_ = 0;           // characters in the box after the last entry
  std::deque<std::size_t> entries_;  // characters of each entry in the box, oldest first
};
