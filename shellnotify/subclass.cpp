#include "shellnotify/subclass.h"

#include <cstdint>
#include <string>

#include "platform/message_box.h"
#include "platform/win32.h"
#include "shellnotify/hex_text.h"
#include "shellnotify/notification.h"
#include "shellnotify/receiver.h"

namespace shellnotify {
namespace {

// SetWindowLongA holds a procedure address only because the programs are 32-bit.
static_assert(sizeof(LONG) == sizeof(LONG_PTR), "DiscPilot is a 32-bit program");

constexpr char kOldWndProc[] = "OldWndProc";
constexpr char kUnableToSubclass[] = "Unable to successfully subclass &H";
constexpr char kUnsubclassed[] = "Unsubclassed &H";
constexpr char kWndProcErrorTitle[] = "WndProc Error";
constexpr UINT kStopBox = MB_OK | MB_ICONSTOP;

std::string HandleText(HWND hWnd) { return HexText(reinterpret_cast<std::uintptr_t>(hWnd)); }

WNDPROC ReplacedProcedure(HWND hWnd) {
  return reinterpret_cast<WNDPROC>(platform::user32().GetPropA(hWnd, kOldWndProc));
}

// Sets hWnd's window procedure; returns the one it replaced, or null when refused.
WNDPROC SetProcedure(HWND hWnd, WNDPROC procedure) {
  const LONG previous = platform::user32().SetWindowLongA(
      hWnd, GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(procedure)));
  return reinterpret_cast<WNDPROC>(static_cast<LONG_PTR>(previous));
}

LRESULT PassOn(WNDPROC procedure, HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  return platform::user32().CallWindowProcA(procedure, hWnd, uMsg, wParam, lParam);
}

LRESULT RouteMessage(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  if (uMsg == WM_NCDESTROY) {
    // The window is going while still subclassed: its last message must still reach the
    // procedure it was created with, which the property about to be removed holds.
    const WNDPROC replaced = ReplacedProcedure(hWnd);
    UnsubclassForm(hWnd);
    platform::ShowMessageBox(kUnsubclassed + HandleText(hWnd), kStopBox, kWndProcErrorTitle);
    return PassOn(replaced, hWnd, uMsg, wParam, lParam);
  }
  if (uMsg == WM_SHELLNOTIFY) DeliverNotification(wParam, lParam);
  return PassOn(ReplacedProcedure(hWnd), hWnd, uMsg, wParam, lParam);
}

}  // namespace

bool SubclassForm(HWND hWnd) {
  if (!ReplacedProcedure(hWnd)) {
    const WNDPROC replaced = SetProcedure(hWnd, &WindowProc);
    if (replaced) {
      if (platform::user32().SetPropA(hWnd, kOldWndProc, reinterpret_cast<HANDLE>(replaced))) {
        return true;
      }
      SetProcedure(hWnd, replaced);
    }
  }
  // An empty title shows the application title.
  platform::ShowMessageBox(kUnableToSubclass + HandleText(hWnd), kStopBox);
  return false;
}

bool UnsubclassForm(HWND hWnd) {
  const WNDPROC replaced = ReplacedProcedure(hWnd);
  if (!replaced) return false;
  if (!platform::user32().RemovePropA(hWnd, kOldWndProc)) return false;
  return SetProcedure(hWnd, replaced) != nullptr;
}

LRESULT CALLBACK WindowProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
  try {
    return RouteMessage(hWnd, uMsg, wParam, lParam);
  } catch (...) {
    // Only a missing user32 entry or exhausted memory gets here (notification errors are
    // reported by DeliverNotification); an exception must never enter the system's dispatch.
    return 0;
  }
}

}  // namespace shellnotify
