// pilotstop: closes a running discpilot. Exit status 0 when its window was found and closed,
// 1 when none was running, 2 when it did not answer the close request in time.
#include <windows.h>

#include "platform/app.h"
#include "platform/form.h"
#include "stop/form1.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  platform::SetAppTitle("Pilotstop");
  Form1 form;
  const int status = platform::Run(form);
  return status != 0 ? status : form.Result();
}
