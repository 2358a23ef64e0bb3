// The controls a form carries. A control is declared as a member of its form, with its design
// place in twips and its tab index; the form creates the controls in the order they were
// declared, when it loads, and then arranges the windowed ones in tab order (that is the order
// the Tab key follows and the order in which they lie on top of one another).
#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace platform {

class Form;

// A control's place on the form's client area, in twips.
struct TwipsRect {
  int left;
  int top;
  int width;
  int height;
};

class Control {
 public:
  Control(Form& form, TwipsRect design, int tabIndex);
  virtual ~Control() = default;
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  // The control's window; null for a windowless control and before its form has loaded.
  HWND hWnd() const { return window_; }
  int TabIndex() const { return tabIndex_; }

 protected:
  // Creates the control's child window at its design place, in the form's dialog font.
  HWND CreateChild(HWND parent, int id, const char* windowClass, const std::string& text,
                   DWORD style, DWORD extendedStyle = 0, int extraHeightPixels = 0);
  const TwipsRect& Design() const { return design_; }

  HWND window_ = nullptr;

 private:
  friend class Form;
  // Called by the form, in declaration order, once its window exists.
  virtual void Create(HWND parent, int id) = 0;
  // Draws a windowless control on the form's surface.
  virtual void Paint(HDC) {}
  // A notification (WM_COMMAND code) from the control's window.
  virtual void Notify(WORD) {}
  void Forget() { window_ = nullptr; }

  TwipsRect design_;
  int tabIndex_;
};

// A drop-down list of the system's drives, filled when the form loads: every drive Windows
// reports, in letter order (A first), each entry the upper-case letter and a colon, followed by
// the volume label in brackets when the drive has one ("D: [FIFA2001]"). Removable drives
// (floppies) are listed without a label, so that listing them never touches the drive.
class DriveListBox : public Control {
 public:
  using Control::Control;

  int ListCount() const;
  // Entry index (0 to ListCount() - 1); the empty text for any other index.
  std::string List(int index) const;

 private:
  void Create(HWND parent, int id) override;
};

// A multi-line text box.
class TextBox : public Control {
 public:
  TextBox(Form& form, TwipsRect design, int tabIndex, std::string text);

  std::string Text() const;
  void Text(const std::string& text);
  // The caret position, a character offset from 0; setting it scrolls the caret into view.
  int SelStart() const;
  void SelStart(int position);
  // New place and size, in twips.
  void Move(int left, int top, int width, int height);
  // Adds text after the last character without rewriting what is there; the caret ends up
  // after the added text.
  void AppendText(const std::string& text);
  // Lifts the box's default limit (about 32 000 characters) up to what the system allows.
  void LiftTextLimit();

 private:
  void Create(HWND parent, int id) override;
  std::string designText_;
};

// A label without a window of its own: its caption is drawn on the form's surface, so windowed
// controls placed over it hide it.
class Label : public Control {
 public:
  Label(Form& form, TwipsRect design, int tabIndex, std::string caption);

  const std::string& Caption() const { return caption_; }

 private:
  void Create(HWND, int) override {}
  void Paint(HDC dc) override;
  std::string caption_;
};

// A push button. Click runs when it is pressed; without a handler, pressing it does nothing.
class CommandButton : public Control {
 public:
  CommandButton(Form& form, TwipsRect design, int tabIndex, std::string caption);

  std::function<void()> Click;

 private:
  void Create(HWND parent, int id) override;
  void Notify(WORD code) override;
  std::string caption_;
};

// A timer on a form: while it is enabled, its interval is above 0 and the form is loaded,
// Elapsed runs every Interval milliseconds from the message loop.
class Timer {
 public:
  explicit Timer(Form& form, unsigned interval = 0);
  ~Timer();
  Timer(const Timer&) = delete;
  Timer& operator=(const Timer&) = delete;

  unsigned Interval() const { return interval_; }
  void Interval(unsigned milliseconds);
  bool Enabled() const { return enabled_; }
  void Enabled(bool enabled);

  std::function<void()> Elapsed;

 private:
  friend class Form;
  void Apply();
  void Tick();

  Form& form_;
  unsigned interval_;
  bool enabled_ = true;
};

}  // namespace platform
