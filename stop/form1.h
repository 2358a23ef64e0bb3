// pilotstop's only form. It is never shown: all of the work happens in its load event, which
// closes a running discpilot (found by its main window's caption), reports the result unless
// the program was given any argument, and unloads the form, which ends the program.
#pragma once

#include "platform/form.h"

class Form1 : public platform::Form {
 public:
  // How the run ended, as the program's exit status.
  enum ExitStatus : int {
    kClosed = 0,      // a main window was found and its close request returned
    kNotRunning = 1,  // no main window was found
    kNoResponse = 2,  // the close request was not answered in time
  };

  Form1();
  ExitStatus Result() const { return result_; }

 protected:
  void Form_Load() override;

 private:
  ExitStatus result_ = kNotRunning;
};
