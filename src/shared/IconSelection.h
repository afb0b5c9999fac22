#pragma once
// Growing the icon pane's selection by size or by colour depth. Both compare the numbers each item
// stores (width, height, bit count), never the texts shown in its columns.

#include <cstddef>
#include <vector>

namespace glimmora {

struct IconFacts {
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
};

// Whether a save of a pane of `count` icons takes an icon: every icon when `all`, the only icon of
// a pane of one whether it is selected or not, otherwise the selected ones.
bool SaveTakesIcon(bool all, std::size_t count, bool selected);

// Size choices: 0 = 16 x 16, 1 = 32 x 32, 2 = 48 x 48, 3 = none of those three. Any other
// value matches nothing.
bool SizeChoiceMatches(int acSize, const IconFacts& icon);

// Colour choices: 0 = 16 colours (4 bits), 1 = 256 colours (8 bits), 2 = high colour (16 bits),
// 3 = true colour (24 bits), 4 = monochrome (1 bit), 5 = none of those five. Any other value
// matches nothing.
bool ColourChoiceMatches(int acColor, const IconFacts& icon);

// The selection after "select by size" (acSize >= 0) or, when acSize < 0, "select by colour"
// (acColor >= 0): matching items are added, nothing is taken away. Both below 0 change nothing.
std::vector<bool> SelSomeIco(const std::vector<IconFacts>& items, std::vector<bool> selected, int acSize,
                             int acColor);

}  // namespace glimmora
