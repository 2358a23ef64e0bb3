// Forms: top-level windows whose controls are declared as members and whose events are virtual
// handlers named after the event (Form_Load, Form_Resize, Form_Unload).
//
// Life of a form: Load() creates the window hidden, creates the controls in the order they were
// declared, raises Form_Load and then shows the window, which raises Form_Resize for the first
// showing. The program's first showing takes the show state the program was started with
// (minimised, without taking the focus, from a "Run: Minimized" shortcut); later ones are normal.
// Every later change of the client size raises Form_Resize again. A volume that arrives or goes
// while the form is loaded raises Form_VolumeChange. A close request (WM_CLOSE, the close box, or
// Unload() from code) raises Form_Unload; unless the handler sets Cancel, the window is then
// destroyed. When the program's last form is gone, Run() returns.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/volume_change.h"

namespace platform {

class Control;
class Timer;

// How a form looks when it loads. Every form has the fixed dialog border (the user cannot
// resize it) and no minimise or maximise button; Windows chooses its position.
struct FormDesign {
  std::string caption;
  int clientWidth = 0;   // twips
  int clientHeight = 0;  // twips
  bool showInTaskbar = true;
  bool controlBox = true;  // system menu and close box
  bool visible = true;     // shown when the load event has run
  int iconId = 0;          // icon resource of the program file; 0 for none
};

class Form {
 public:
  explicit Form(FormDesign design);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Creates the window and its controls, raises Form_Load and shows the window (when the design
  // says so and the load event did not unload it). Does nothing when already loaded. False when
  // the window cannot be created (there is no desktop to show it on).
  bool Load();
  // A close request from code: raises Form_Unload and, unless cancelled, destroys the window.
  void Unload();
  // Shows the window; the first showing raises Form_Resize.
  void Show();

  // The window's handle; null before Load() and after the window is gone.
  HWND hWnd() const { return window_; }
  bool IsLoaded() const { return window_ != nullptr; }
  // The client area's size in twips.
  int ScaleWidth() const;
  int ScaleHeight() const;

 protected:
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_Unload(std::int16_t& Cancel) { (void)Cancel; }
  // A volume arrived or went (a disc inserted, an image mounted as a new drive, a drive gone).
  // The form always grants the device change, so no handler can hold one up.
  virtual void Form_VolumeChange(const VolumeChange& change) { (void)change; }

 private:
  friend class Control;
  friend class Timer;

  void Add(Control* control) { controls_.push_back(control); }
  void Add(Timer* timer) { timers_.push_back(timer); }
  bool CreateWindowAndControls();
  std::vector<Control*> WindowedControlsInTabOrder() const;
  void ArrangeTabOrder();
  void RaiseResizeIfChanged(bool firstShowing);
  void Paint();
  void RememberFocus();
  void RestoreFocus();
  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  FormDesign design_;
  HWND window_ = nullptr;
  HWND focus_ = nullptr;
  bool shown_ = false;
  SIZE lastClientSize_ = {-1, -1};
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
};

// Loads mainForm and dispatches messages until the program's last form is gone; returns the
// program's exit status: 0 after an ordinary close, kRunTimeErrorExitStatus when the window
// cannot be created.
int Run(Form& mainForm);

}  // namespace platform
