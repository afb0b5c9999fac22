#include "settings/PaneTwips.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace glimmora {

std::int16_t TwipsToInteger(double twips) {
  if (!std::isfinite(twips)) return 0;
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(twips);
  std::fesetround(saved);
  if (r < -32768.0 || r > 32767.0) return 0;
  return static_cast<std::int16_t>(r);
}

int TwipsToPixels(double twips) {
  return std::max(1, static_cast<int>(std::floor(twips / kTwipsPerPixel + 0.5)));
}

std::int16_t PaneTwipsToStore(int pixels, const ShownPaneSize& shown) {
  if (shown.Pixels >= 0 && pixels == shown.Pixels) return TwipsToInteger(shown.Twips);
  return TwipsToInteger(static_cast<double>(pixels) * kTwipsPerPixel);
}

}  // namespace glimmora
