#pragma once
// The sizes a save offers, in one table: the options dialog, the size menus, the key rows and
// the savers all count and name them from here.

#include <array>
#include <string_view>

#include "text/LangRows.h"

namespace glimmora {

struct SizeChoice {
  int pixels;              // 0: the icon's own size
  std::string_view suffix; // added to the target's base name
  int captionRow;          // the choice's caption row; 0: the suffix without its '_' is the caption
};

// Choice 0 is the icon's own size, then 16, 32, 40, 48, 64, 72 and 80 pixels square.
inline constexpr std::array<SizeChoice, 8> kSizeChoices{{
    {0, "", kRowOwnSizeChoice},
    {16, "_16x16", 0},
    {32, "_32x32", 0},
    {40, "_40x40", 0},
    {48, "_48x48", 0},
    {64, "_64x64", 0},
    {72, "_72x72", 0},
    {80, "_80x80", 0},
}};
constexpr int kSizeChoiceCount = static_cast<int>(kSizeChoices.size());

}  // namespace glimmora
