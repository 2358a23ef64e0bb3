#include "platform/form.h"

#include <algorithm>
#include <utility>

#include "platform/controls.h"
#include "platform/process.h"
#include "platform/run_time_error.h"
#include "platform/twips.h"

namespace platform {
namespace {

constexpr char kFormClass[] = "PlatformForm";
// A hidden window that owns the forms kept out of the task bar: Windows lists only unowned
// top-level windows there. It has no caption, so a search by a form's caption never finds it.
constexpr char kOwnerClass[] = "PlatformFormOwner";
constexpr int kFirstControlId = 1000;

int liveForms = 0;

// The program's first showing of a window takes the show state it was started with (a shortcut's
// "Run: Minimized" shows it minimised and leaves the focus where it is); every later one shows
// the window normally.
int NextShowState() {
  static bool startupStateUsed = false;
  if (startupStateUsed) return SW_SHOWNORMAL;
  startupStateUsed = true;
  return StartupShowState();
}

HINSTANCE Instance() { return GetModuleHandleA(nullptr); }

void RegisterClasses(WNDPROC formProcedure) {
  static const bool registered = [formProcedure] {
    WNDCLASSA form = {};
    form.lpfnWndProc = formProcedure;
    form.hInstance = Instance();
    form.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormClass;
    RegisterClassA(&form);
    WNDCLASSA owner = {};
    owner.lpfnWndProc = DefWindowProcA;
    owner.hInstance = Instance();
    owner.lpszClassName = kOwnerClass;
    RegisterClassA(&owner);
    return true;
  }();
  (void)registered;
}

HWND HiddenOwner() {
  static HWND owner = CreateWindowExA(0, kOwnerClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      Instance(), nullptr);
  return owner;
}

bool IsFormWindow(HWND window) {
  char name[sizeof kFormClass + 1] = {};
  return window && GetClassNameA(window, name, sizeof name) && std::string(name) == kFormClass;
}

}  // namespace

Form::Form(FormDesign design) : design_(std::move(design)) {}

Form::~Form() {
  // The derived form's controls are gone already: forget them before the window goes.
  controls_.clear();
  timers_.clear();
  if (window_) DestroyWindow(window_);
}

int Form::ScaleWidth() const {
  RECT client = {};
  if (window_) GetClientRect(window_, &client);
  return PixelsToTwipsX(client.right - client.left);
}

int Form::ScaleHeight() const {
  RECT client = {};
  if (window_) GetClientRect(window_, &client);
  return PixelsToTwipsY(client.bottom - client.top);
}

bool Form::Load() {
  if (window_) return true;
  if (!CreateWindowAndControls()) return false;
  RaiseEvent([this] { Form_Load(); });
  if (window_ && design_.visible) Show();
  return true;
}

void Form::Unload() {
  if (!window_) return;
  std::int16_t cancel = 0;
  RaiseEvent([this, &cancel] { Form_Unload(cancel); });
  if (cancel == 0 && window_) DestroyWindow(window_);
}

void Form::Show() {
  if (!window_) return;
  if (!shown_) {
    shown_ = true;
    RaiseResizeIfChanged(true);
    if (!window_) return;
  }
  ShowWindow(window_, NextShowState());
  UpdateWindow(window_);
}

bool Form::CreateWindowAndControls() {
  RegisterClasses(&Form::Procedure);
  DWORD style = WS_CAPTION | WS_CLIPCHILDREN;
  if (design_.controlBox) style |= WS_SYSMENU;
  DWORD extendedStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (design_.showInTaskbar) extendedStyle |= WS_EX_APPWINDOW;
  RECT frame = {0, 0, TwipsToPixelsX(design_.clientWidth), TwipsToPixelsY(design_.clientHeight)};
  AdjustWindowRectEx(&frame, style, FALSE, extendedStyle);
  HWND owner = design_.showInTaskbar ? nullptr : HiddenOwner();
  // WM_NCCREATE stores the window in window_, so the handle is known from the first message.
  CreateWindowExA(extendedStyle, kFormClass, design_.caption.c_str(), style, CW_USEDEFAULT,
                  CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, owner, nullptr,
                  Instance(), this);
  if (!window_) return false;
  ++liveForms;
  if (design_.iconId) {
    HICON icon = LoadIconA(Instance(), MAKEINTRESOURCEA(design_.iconId));
    SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
  int id = kFirstControlId;
  for (Control* control : controls_) control->Create(window_, id++);
  ArrangeTabOrder();
  for (Timer* timer : timers_) timer->Apply();
  return true;
}

std::vector<Control*> Form::WindowedControlsInTabOrder() const {
  std::vector<Control*> ordered;
  for (Control* control : controls_)
    if (control->hWnd()) ordered.push_back(control);
  std::stable_sort(ordered.begin(), ordered.end(), [](const Control* a, const Control* b) {
    return a->TabIndex() < b->TabIndex();
  });
  return ordered;
}

void Form::ArrangeTabOrder() {
  HWND previous = HWND_TOP;
  for (Control* control : WindowedControlsInTabOrder()) {
    SetWindowPos(control->hWnd(), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = control->hWnd();
  }
}

void Form::RaiseResizeIfChanged(bool firstShowing) {
  RECT client = {};
  GetClientRect(window_, &client);
  const SIZE size = {client.right - client.left, client.bottom - client.top};
  if (!firstShowing && size.cx == lastClientSize_.cx && size.cy == lastClientSize_.cy) return;
  lastClientSize_ = size;
  RaiseEvent([this] { Form_Resize(); });
}

void Form::Paint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window_, &paint);
  HGDIOBJ previousFont = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  for (Control* control : controls_) control->Paint(dc);
  SelectObject(dc, previousFont);
  EndPaint(window_, &paint);
}

void Form::RememberFocus() {
  HWND focus = GetFocus();
  if (focus && IsChild(window_, focus)) focus_ = focus;
}

// Focus goes back where it was when the form was last left, or else to the first control in
// tab order that can take it.
void Form::RestoreFocus() {
  if (focus_ && IsWindow(focus_) && IsChild(window_, focus_)) {
    SetFocus(focus_);
    return;
  }
  for (Control* control : WindowedControlsInTabOrder()) {
    HWND child = control->hWnd();
    if ((GetWindowLongA(child, GWL_STYLE) & WS_TABSTOP) && IsWindowVisible(child) &&
        IsWindowEnabled(child)) {
      SetFocus(child);
      return;
    }
  }
}

LRESULT Form::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (shown_) RaiseResizeIfChanged(false);
      break;
    case WM_PAINT:
      Paint();
      return 0;
    case WM_COMMAND:
      for (Control* control : controls_)
        if (lParam && control->hWnd() == reinterpret_cast<HWND>(lParam))
          control->Notify(HIWORD(wParam));
      return 0;
    case WM_TIMER:
      for (Timer* timer : timers_)
        if (reinterpret_cast<UINT_PTR>(timer) == wParam) timer->Tick();
      return 0;
    case WM_CLOSE:
      Unload();
      return 0;
    case WM_DEVICECHANGE:
      if (const auto change = ReadVolumeChange(wParam, lParam))
        RaiseEvent([this, &change] { Form_VolumeChange(*change); });
      return TRUE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE)
        RememberFocus();
      else
        RestoreFocus();
      return 0;
    case WM_SETFOCUS:
      RestoreFocus();
      return 0;
    case WM_NCDESTROY:
      for (Control* control : controls_) control->Forget();
      SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
      window_ = nullptr;
      focus_ = nullptr;
      if (--liveForms == 0) PostQuitMessage(0);
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK Form::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    form->window_ = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!form) return DefWindowProcA(window, message, wParam, lParam);
  // Handlers are trapped one by one; this catches what the machinery itself may throw (out of
  // memory), so that nothing crosses into the system's message dispatch.
  try {
    return form->Handle(window, message, wParam, lParam);
  } catch (...) {
    EndWithUnhandledError();
  }
}

int Run(Form& mainForm) {
  if (!mainForm.Load()) return kRunTimeErrorExitStatus;
  MSG message;
  BOOL got;
  while ((got = GetMessageA(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) break;
    // Tab, arrow and mnemonic keys move between a form's controls.
    HWND top = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
    if (IsFormWindow(top) && IsDialogMessageA(top, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return got == -1 ? 1 : static_cast<int>(message.wParam);
}

}  // namespace platform
