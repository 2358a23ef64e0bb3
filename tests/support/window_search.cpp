#include "tests/support/window_search.h"

#include <vector>

namespace test_support {
namespace {

constexpr DWORD kPollMs = 20;
// The class of message boxes (and of dialog boxes in general).
constexpr char kDialogClass[] = "#32770";

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

BOOL CALLBACK CollectWindow(HWND window, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  return TRUE;
}

std::vector<HWND> TopLevelWindows() {
  std::vector<HWND> windows;
  EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

std::vector<HWND> ChildWindows(HWND parent) {
  std::vector<HWND> windows;
  EnumChildWindows(parent, CollectWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

bool BelongsTo(HWND window, DWORD processId) {
  if (processId == 0) return true;
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  return owner == processId;
}

// Polls find until it gives a window or timeoutMs has passed.
template <typename Find>
HWND Poll(DWORD timeoutMs, Find find) {
  const DWORD start = GetTickCount();
  for (;;) {
    if (HWND found = find()) return found;
    if (GetTickCount() - start >= timeoutMs) return nullptr;
    Sleep(kPollMs);
  }
}

}  // namespace

// WM_GETTEXT rather than GetWindowText, which does not ask another program's controls.
std::string WindowText(HWND window) {
  const LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(
      SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

HWND WaitForTopLevelWindow(const std::string& caption, DWORD processId, DWORD timeoutMs,
                           bool mustBeVisible) {
  return Poll(timeoutMs, [&]() -> HWND {
    for (HWND window : TopLevelWindows())
      if (BelongsTo(window, processId) && (!mustBeVisible || IsWindowVisible(window)) &&
          ClassOf(window) != kDialogClass && WindowText(window) == caption)
        return window;
    return nullptr;
  });
}

namespace {

// A 32-bit top-down picture of size x size pixels, selected into its own memory DC.
class Canvas {
 public:
  explicit Canvas(int size) : size_(size), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    pixels_ = static_cast<const DWORD*>(bits);
    previous_ = SelectObject(dc_, bitmap_);
  }
  ~Canvas() {
    SelectObject(dc_, previous_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HDC Dc() const { return dc_; }
  DWORD Pixel(int x, int y) const {
    GdiFlush();
    return pixels_[y * size_ + x] & 0xFFFFFF;
  }

 private:
  int size_;
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ previous_ = nullptr;
  const DWORD* pixels_ = nullptr;
};

bool CloseColours(DWORD a, DWORD b) {
  for (int shift = 0; shift < 24; shift += 8) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    if (ca - cb > 24 || cb - ca > 24) return false;
  }
  return true;
}

// Whether an icon control of another program shows the system icon `which`. Its icon handle
// means nothing in this process, so the control's pixels on the screen are compared with the
// same icon drawn here over the control's own background.
bool ShowsSystemIcon(HWND iconControl, LPCSTR which) {
  const int size = GetSystemMetrics(SM_CXICON);
  RECT r;
  GetWindowRect(iconControl, &r);
  Canvas shown(size), expected(size);
  HDC screen = GetDC(nullptr);
  BitBlt(shown.Dc(), 0, 0, size, size, screen, r.left, r.top, SRCCOPY);
  ReleaseDC(nullptr, screen);
  const DWORD corner = shown.Pixel(0, 0);  // 0x00RRGGBB
  HBRUSH background =
      CreateSolidBrush(RGB((corner >> 16) & 0xFF, (corner >> 8) & 0xFF, corner & 0xFF));
  RECT all = {0, 0, size, size};
  FillRect(expected.Dc(), &all, background);
  DeleteObject(background);
  DrawIconEx(expected.Dc(), 0, 0, LoadIconA(nullptr, which), size, size, 0, nullptr, DI_NORMAL);
  int matching = 0;
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x)
      if (CloseColours(shown.Pixel(x, y), expected.Pixel(x, y))) ++matching;
  return matching * 100 >= size * size * 95;
}

}  // namespace

MessageBoxSeen WaitForMessageBox(DWORD processId, DWORD timeoutMs) {
  MessageBoxSeen seen;
  seen.window = Poll(timeoutMs, [&]() -> HWND {
    for (HWND window : TopLevelWindows())
      if (BelongsTo(window, processId) && IsWindowVisible(window) &&
          ClassOf(window) == kDialogClass)
        return window;
    return nullptr;
  });
  if (!seen.window) return seen;
  seen.title = WindowText(seen.window);
  HWND iconControl = nullptr;
  for (HWND child : ChildWindows(seen.window)) {
    if (ClassOf(child) != "Static") continue;
    if ((GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      iconControl = child;
      continue;
    }
    const std::string text = WindowText(child);
    if (text.size() > seen.text.size()) seen.text = text;
  }
  // The box may still be painting when it has just appeared.
  for (int attempt = 0; iconControl && attempt < 40; ++attempt) {
    seen.hasStopIcon = ShowsSystemIcon(iconControl, IDI_HAND);
    seen.hasInformationIcon = ShowsSystemIcon(iconControl, IDI_ASTERISK);
    if (seen.hasStopIcon || seen.hasInformationIcon) break;
    Sleep(kPollMs);
  }
  return seen;
}

bool DismissMessageBox(HWND box) {
  for (int id : {IDOK, IDCANCEL}) {
    if (HWND button = GetDlgItem(box, id)) {
      PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
      return true;
    }
  }
  return false;
}

}  // namespace test_support
