// Finding the windows and message boxes of a program under test from outside it.
#pragma once

#include <windows.h>

#include <string>

namespace test_support {

// The top-level window whose caption is exactly caption (letter case included), waiting up to
// timeoutMs for it to appear; message boxes do not count, even when titled the same. With
// processId not 0, only that process's windows count; with mustBeVisible, only a shown window
// counts. Null when none appeared in time.
HWND WaitForTopLevelWindow(const std::string& caption, DWORD processId, DWORD timeoutMs,
                           bool mustBeVisible = true);

// A message box that a program shows: its window, title, text and icon. The icon is recognised
// by its pixels on the screen, so the box must not be covered.
struct MessageBoxSeen {
  HWND window = nullptr;
  std::string title;
  std::string text;
  bool hasStopIcon = false;
  bool hasInformationIcon = false;
};

// The first shown message box of processId, waiting up to timeoutMs; window is null when none
// appeared in time.
MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs);

// Presses the box's OK button (or its Cancel button when it has no OK). False when it has
// neither.
bool DismissMessageBox(HWND box);

// The text of a window (a caption, or the content of an edit control), in the ANSI code page.
std::string WindowText(HWND window);

}  // namespace test_support
