// Modal message boxes. Every box the programs show goes through ShowMessageBox, whose hook a
// test can replace to see the text, title and style instead of a real box.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace platform {

using MessageBoxHook =
    std::function<int(HWND owner, const std::string& text, const std::string& title, UINT style)>;

// Shows a modal box and returns the button pressed (IDOK, ...). An empty title shows the
// application title (AppTitle()).
int ShowMessageBox(const std::string& text, UINT style, const std::string& title = {},
                   HWND owner = nullptr);

// Replaces the real box; an empty hook restores it. Returns the hook that was in force.
MessageBoxHook SetMessageBoxHook(MessageBoxHook hook);

}  // namespace platform
