#include "shared/IconSelection.h"

namespace glimmora {
namespace {

bool IsSquare(const IconFacts& icon, int side) { return icon.Width == side && icon.Height == side; }

}  // namespace

bool SaveTakesIcon(bool all, std::size_t count, bool selected) { return all || count == 1 || selected; }

bool SizeChoiceMatches(int acSize, const IconFacts& icon) {
  switch (acSize) {
    case 0: return IsSquare(icon, 16);
    case 1: return IsSquare(icon, 32);
    case 2: return IsSquare(icon, 48);
    case 3: return !IsSquare(icon, 16) && !IsSquare(icon, 32) && !IsSquare(icon, 48);
    default: return false;
  }
}

bool ColourChoiceMatches(int acColor, const IconFacts& icon) {
  static constexpr int kChoiceBits[] = {4, 8, 16, 24, 1};
  if (acColor >= 0 && acColor < 5) return icon.BitCount == kChoiceBits[acColor];
  if (acColor == 5) {
    for (int bits : kChoiceBits) {
      if (icon.BitCount == bits) return false;
    }
    return true;
  }
  return false;
}

std::vector<bool> SelSomeIco(const std::vector<IconFacts>& items, std::vector<bool> selected, int acSize,
                             int acColor) {
  selected.resize(items.size(), false);
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (acSize >= 0) {
      if (SizeChoiceMatches(acSize, items[i])) selected[i] = true;
    } else if (acColor >= 0) {
      if (ColourChoiceMatches(acColor, items[i])) selected[i] = true;
    }
  }
  return selected;
}

}  // namespace glimmora
