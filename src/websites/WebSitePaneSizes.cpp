#include "websites/WebSitePaneSizes.h"

#include <cmath>

namespace glimmora {

int ClampWebListHeight(int h, int pageHeightTwips) {
  if (h < 600) h = 600;
  if (h > pageHeightTwips - 1200) h = pageHeightTwips - 1200;
  return h;
}

int WebListHeightFromSaved(int savedTwips, int pageHeightTwips) {
  int h = savedTwips;
  // Three quarters, rounded to the nearest whole twip with halves to even.
  if (h == 0) h = static_cast<int>(std::nearbyint(pageHeightTwips * 3.0 / 4.0));
  return ClampWebListHeight(h, pageHeightTwips);
}

}  // namespace glimmora
