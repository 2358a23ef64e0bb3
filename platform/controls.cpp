#include "platform/controls.h"

#include <cctype>
#include <utility>

#include "platform/form.h"
#include "platform/run_time_error.h"
#include "platform/twips.h"

namespace platform {
namespace {

// Room below a drop-down list's field for its opened list, in pixels.
constexpr int kDropDownListPixels = 200;

HFONT DialogFont() { return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)); }

RECT PixelRect(const TwipsRect& r) {
  const int left = TwipsToPixelsX(r.left);
  const int top = TwipsToPixelsY(r.top);
  return {left, top, left + TwipsToPixelsX(r.width), top + TwipsToPixelsY(r.height)};
}

bool HasLabel(UINT driveType) {
  return driveType == DRIVE_FIXED || driveType == DRIVE_CDROM || driveType == DRIVE_RAMDISK ||
         driveType == DRIVE_REMOTE;
}

// "D:" or "D: [LABEL]"; an empty drive or an unreadable volume shows the letter alone.
std::string DriveEntry(char letter) {
  std::string entry{letter, ':'};
  const std::string root = entry + "\\";
  if (!HasLabel(GetDriveTypeA(root.c_str()))) return entry;
  char label[MAX_PATH + 1] = {};
  // An empty drive must not bring up the system's "insert a disk" box.
  const UINT previousMode = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
  const BOOL read = GetVolumeInformationA(root.c_str(), label, sizeof label, nullptr, nullptr,
                                          nullptr, nullptr, 0);
  SetErrorMode(previousMode);
  if (read && label[0]) entry += std::string(" [") + label + "]";
  return entry;
}

}  // namespace

Control::Control(Form& form, TwipsRect design, int tabIndex)
    : design_(design), tabIndex_(tabIndex) {
  form.Add(this);
}

HWND Control::CreateChild(HWND parent, int id, const char* windowClass, const std::string& text,
                          DWORD style, DWORD extendedStyle, int extraHeightPixels) {
  const RECT r = PixelRect(design_);
  window_ = CreateWindowExA(
      extendedStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style,
      r.left, r.top, r.right - r.left, r.bottom - r.top + extraHeightPixels, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
  if (window_) SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(DialogFont()), FALSE);
  return window_;
}

// Drive list.

void DriveListBox::Create(HWND parent, int id) {
  if (!CreateChild(parent, id, "COMBOBOX", "",
                   WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0,
                   kDropDownListPixels))
    return;
  const DWORD drives = GetLogicalDrives();
  char current[MAX_PATH] = {};
  GetCurrentDirectoryA(MAX_PATH, current);
  for (int bit = 0; bit < 26; ++bit) {
    if (!(drives & (1u << bit))) continue;
    const char letter = static_cast<char>('A' + bit);
    const std::string entry = DriveEntry(letter);
    const LRESULT index =
        SendMessageA(window_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    // The list shows the drive of the current folder, as the user expects.
    if (std::toupper(static_cast<unsigned char>(current[0])) == letter)
      SendMessageA(window_, CB_SETCURSEL, index, 0);
  }
}

int DriveListBox::ListCount() const {
  if (!window_) return 0;
  const LRESULT count = SendMessageA(window_, CB_GETCOUNT, 0, 0);
  return count == CB_ERR ? 0 : static_cast<int>(count);
}

std::string DriveListBox::List(int index) const {
  if (!window_) return {};
  const LRESULT length = SendMessageA(window_, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::string entry(static_cast<size_t>(length) + 1, '\0');
  const LRESULT copied =
      SendMessageA(window_, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(entry.data()));
  entry.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return entry;
}

// Text box.

TextBox::TextBox(Form& form, TwipsRect design, int tabIndex, std::string text)
    : Control(form, design, tabIndex), designText_(std::move(text)) {}

void TextBox::Create(HWND parent, int id) {
  CreateChild(parent, id, "EDIT", designText_,
              WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN,
              WS_EX_CLIENTEDGE);
}

std::string TextBox::Text() const {
  if (!window_) return designText_;
  const int length = GetWindowTextLengthA(window_);
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(window_, text.data(), length + 1)));
  return text;
}

void TextBox::Text(const std::string& text) {
  if (window_)
    SetWindowTextA(window_, text.c_str());
  else
    designText_ = text;
}

int TextBox::SelStart() const {
  if (!window_) return 0;
  DWORD start = 0;
  SendMessageA(window_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TextBox::SelStart(int position) {
  if (!window_) return;
  SendMessageA(window_, EM_SETSEL, position, position);
  SendMessageA(window_, EM_SCROLLCARET, 0, 0);
}

void TextBox::Move(int left, int top, int width, int height) {
  if (!window_) return;
  MoveWindow(window_, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
             TwipsToPixelsY(height), TRUE);
}

void TextBox::AppendText(const std::string& text) {
  if (!window_) {
    designText_ += text;
    return;
  }
  const int end = GetWindowTextLengthA(window_);
  SendMessageA(window_, EM_SETSEL, end, end);
  SendMessageA(window_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(window_, EM_SCROLLCARET, 0, 0);
}

void TextBox::LiftTextLimit() {
  if (window_) SendMessageA(window_, EM_LIMITTEXT, 0, 0);
}

// Label.

Label::Label(Form& form, TwipsRect design, int tabIndex, std::string caption)
    : Control(form, design, tabIndex), caption_(std::move(caption)) {}

void Label::Paint(HDC dc) {
  RECT r = PixelRect(Design());
  DrawTextA(dc, caption_.c_str(), -1, &r, DT_LEFT | DT_WORDBREAK);
}

// Command button.

CommandButton::CommandButton(Form& form, TwipsRect design, int tabIndex, std::string caption)
    : Control(form, design, tabIndex), caption_(std::move(caption)) {}

void CommandButton::Create(HWND parent, int id) {
  CreateChild(parent, id, "BUTTON", caption_, WS_TABSTOP | BS_PUSHBUTTON);
}

void CommandButton::Notify(WORD code) {
  if (code == BN_CLICKED && Click) RaiseEvent(Click);
}

// Timer.

Timer::Timer(Form& form, unsigned interval) : form_(form), interval_(interval) { form.Add(this); }

Timer::~Timer() {
  if (form_.hWnd()) KillTimer(form_.hWnd(), reinterpret_cast<UINT_PTR>(this));
}

void Timer::Interval(unsigned milliseconds) {
  interval_ = milliseconds;
  Apply();
}

void Timer::Enabled(bool enabled) {
  enabled_ = enabled;
  Apply();
}

void Timer::Apply() {
  HWND window = form_.hWnd();
  if (!window) return;
  const UINT_PTR id = reinterpret_cast<UINT_PTR>(this);
  if (enabled_ && interval_ > 0)
    SetTimer(window, id, interval_, nullptr);
  else
    KillTimer(window, id);
}

void Timer::Tick() {
  if (Elapsed) RaiseEvent(Elapsed);
}

}  // namespace platform
