#include "platform/twips.h"

#include <windows.h>

namespace platform {
namespace {

struct ScreenResolution {
  int x;
  int y;
};

// The screen's dots per inch, read once: the form machinery lays out every window with it.
const ScreenResolution& Screen() {
  static const ScreenResolution resolution = [] {
    HDC screen = GetDC(nullptr);
    ScreenResolution r{GetDeviceCaps(screen, LOGPIXELSX), GetDeviceCaps(screen, LOGPIXELSY)};
    ReleaseDC(nullptr, screen);
    if (r.x <= 0) r.x = 96;
    if (r.y <= 0) r.y = 96;
    return r;
  }();
  return resolution;
}

}  // namespace

int TwipsToPixelsX(int twips) { return MulDiv(twips, Screen().x, kTwipsPerInch); }
int TwipsToPixelsY(int twips) { return MulDiv(twips, Screen().y, kTwipsPerInch); }
int PixelsToTwipsX(int pixels) { return MulDiv(pixels, kTwipsPerInch, Screen().x); }
int PixelsToTwipsY(int pixels) { return MulDiv(pixels, kTwipsPerInch, Screen().y); }

}  // namespace platform
