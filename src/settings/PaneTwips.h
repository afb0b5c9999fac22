#pragma once
// Pane sizes in twips (15 to a pixel), the unit Glimmora.cfg keeps them in, while the panes
// themselves are laid out in whole pixels.

#include <cstdint>

namespace glimmora {

inline constexpr int kTwipsPerPixel = 15;

// The whole pixels a stored size in twips is laid out at: the nearest, halves up, never below 1.
int TwipsToPixels(double twips);

// A size in twips as the file stores it: the nearest whole number (halves to even), and 0 when it
// does not fit a 16-bit integer.
std::int16_t TwipsToInteger(double twips);

// The size a pane was given at start-up: the twips it was laid out from (a stored size or a
// default) and the whole pixels that became on screen.
struct ShownPaneSize {
  int Twips = 0;
  int Pixels = -1;  // -1: not laid out yet
};

// What goes back into the file for a pane now `pixels` long. Twips are finer than pixels, so a
// pane that still has the pixel size it was given keeps the twips it came from: sizes nobody
// changed never creep from one run to the next. Any other size is measured again.
std::int16_t PaneTwipsToStore(int pixels, const ShownPaneSize& shown);

}  // namespace glimmora
