#pragma once
// Sizes of the web-site page in twips (15 to a pixel), the unit Glimmora.cfg keeps them in.

#include "settings/PaneTwips.h"

namespace glimmora {

// The list's height at start-up from the height saved in the configuration (0 when none was
// saved) and the height of the page: three quarters of the page when nothing was saved, never
// below 600 and never above the page less 1200 (which wins when the two limits cross).
int WebListHeightFromSaved(int savedTwips, int pageHeightTwips);

// Where a drag of the splitter may take the list's height: the same limits as at start-up.
int ClampWebListHeight(int requestedTwips, int pageHeightTwips);

}  // namespace glimmora
