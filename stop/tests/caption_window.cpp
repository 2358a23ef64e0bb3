// A stand-in top-level window for pilotstop's tests: it carries the caption it is given and,
// when WM_CLOSE arrives, blocks for the given time before it closes (0 closes at once; a long
// time stands for a main program that never answers).
// Arguments: <block milliseconds> <caption...>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

DWORD blockMs = 0;

LRESULT CALLBACK CaptionWindowProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_CLOSE) {
    Sleep(blockMs);
    DestroyWindow(hWnd);
    return 0;
  }
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcA(hWnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR args, int) {
  char* rest = nullptr;
  blockMs = static_cast<DWORD>(std::strtoul(args, &rest, 10));
  while (*rest == ' ') ++rest;
  const std::string caption = rest;

  WNDCLASSA wc = {};
  wc.lpfnWndProc = CaptionWindowProc;
  wc.hInstance = instance;
  wc.lpszClassName = "PilotstopTestWindow";
  RegisterClassA(&wc);
  HWND window =
      CreateWindowExA(0, wc.lpszClassName, caption.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                      CW_USEDEFAULT, 200, 100, nullptr, nullptr, instance, nullptr);
  ShowWindow(window, SW_SHOWNOACTIVATE);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
