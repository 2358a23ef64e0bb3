// discpilot: keeps the game told which drive holds its disc.
#include <windows.h>

#include "main/form1.h"
#include "platform/app.h"
#include "platform/form.h"
#include "platform/run_time_error.h"
#include "platform/win32.h"
#include "registry/raised_error.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::SetAppTitle("Goalvista DiscPilot");
  platform::ReportErrorsOfType<RaisedError>();
  // The program probes drives that may be empty: the system must not ask the user to insert a
  // disc, the query just fails.
  platform::kernel32().SetErrorMode(SEM_FAILCRITICALERRORS);
  Form1 form;
  return platform::Run(form);
}
