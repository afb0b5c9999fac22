#pragma once
// The sizes a save offers, in one table: the options dialog, the size menus, the keys and the
// savers all count and name them from here, so a new size is one row of kSizeChoices plus its
// texts.

#include <array>
#include <string_view>

#include "text/LangRows.h"

namespace glimmora {

// The menus that offer every size, one item a size. Each item has its own caption row, since the
// captions carry the item's key.
enum class SizeMenu : int {
  SaveSelectedAsIco,
  SaveSelectedAsBmp,
  SaveAllAsIco,
  SaveAllAsBmp,
  CopyToIconClipboard,
  CutToIconClipboard,
  CopyToSystemClipboard,
  CutToSystemClipboard,
};
inline constexpr int kSizeMenuCount = 8;

struct SizeChoice {
  int pixels;              // 0: the icon's own size
  std::string_view suffix; // added to the target's base name
  int captionRow;          // the options dialog's caption row; 0: the suffix without its '_'
  std::array<int, kSizeMenuCount> menuRows;  // the item's caption row in each SizeMenu

  int MenuRow(SizeMenu menu) const { return menuRows[static_cast<std::size_t>(menu)]; }
};

inline constexpr std::array kSizeChoices{
    SizeChoice{0, "", kRowOwnSizeChoice,
               {kRowSaveSelectedAsIcoOwnSize, kRowSaveSelectedAsBmpOwnSize, kRowSaveAllAsIcoOwnSize,
                kRowSaveAllAsBmpOwnSize, kRowCopyToIconClipboardOwnSize, kRowCutToIconClipboardOwnSize,
                kRowCopyToSystemClipboardOwnSize, kRowCutToSystemClipboardOwnSize}},
    SizeChoice{16, "_16x16", 0,
               {kRowSaveSelectedAsIco16, kRowSaveSelectedAsBmp16, kRowSaveAllAsIco16, kRowSaveAllAsBmp16,
                kRowCopyToIconClipboard16, kRowCutToIconClipboard16, kRowCopyToSystemClipboard16,
                kRowCutToSystemClipboard16}},
    SizeChoice{32, "_32x32", 0,
               {kRowSaveSelectedAsIco32, kRowSaveSelectedAsBmp32, kRowSaveAllAsIco32, kRowSaveAllAsBmp32,
                kRowCopyToIconClipboard32, kRowCutToIconClipboard32, kRowCopyToSystemClipboard32,
                kRowCutToSystemClipboard32}},
    SizeChoice{40, "_40x40", 0,
               {kRowSaveSelectedAsIco40, kRowSaveSelectedAsBmp40, kRowSaveAllAsIco40, kRowSaveAllAsBmp40,
                kRowCopyToIconClipboard40, kRowCutToIconClipboard40, kRowCopyToSystemClipboard40,
                kRowCutToSystemClipboard40}},
    SizeChoice{48, "_48x48", 0,
               {kRowSaveSelectedAsIco48, kRowSaveSelectedAsBmp48, kRowSaveAllAsIco48, kRowSaveAllAsBmp48,
                kRowCopyToIconClipboard48, kRowCutToIconClipboard48, kRowCopyToSystemClipboard48,
                kRowCutToSystemClipboard48}},
    SizeChoice{64, "_64x64", 0,
               {kRowSaveSelectedAsIco64, kRowSaveSelectedAsBmp64, kRowSaveAllAsIco64, kRowSaveAllAsBmp64,
                kRowCopyToIconClipboard64, kRowCutToIconClipboard64, kRowCopyToSystemClipboard64,
                kRowCutToSystemClipboard64}},
    SizeChoice{72, "_72x72", 0,
               {kRowSaveSelectedAsIco72, kRowSaveSelectedAsBmp72, kRowSaveAllAsIco72, kRowSaveAllAsBmp72,
                kRowCopyToIconClipboard72, kRowCutToIconClipboard72, kRowCopyToSystemClipboard72,
                kRowCutToSystemClipboard72}},
    SizeChoice{80, "_80x80", 0,
               {kRowSaveSelectedAsIco80, kRowSaveSelectedAsBmp80, kRowSaveAllAsIco80, kRowSaveAllAsBmp80,
                kRowCopyToIconClipboard80, kRowCutToIconClipboard80, kRowCopyToSystemClipboard80,
                kRowCutToSystemClipboard80}},
};
constexpr int kSizeChoiceCount = static_cast<int>(kSizeChoices.size());

}  // namespace glimmora
