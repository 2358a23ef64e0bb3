// Twips, the unit of form and control geometry: 1440 to the inch at the screen's resolution
// (15 to the pixel at 96 dots per inch).
#pragma once

namespace platform {

constexpr int kTwipsPerInch = 1440;

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);
int PixelsToTwipsX(int pixels);
int PixelsToTwipsY(int pixels);

}  // namespace platform
