#pragma once
// The menus of the main window as data: every menu, item and separator with its parent, its index
// in a menu array and the language row of its caption. The menu bar is built from this table, and
// the pane popups are the same menus opened at the pointer, so an item is found by its name (and
// index) wherever it is shown.

#include <span>
#include <string>
#include <string_view>

#include "text/LanguageTable.h"

namespace glimmora {

enum class MenuKind { Menu, Item, Separator };

struct MenuEntry {
  std::string_view name;    // control name, e.g. "mn8DeleteIco" or "mnIcoClipBoardMenuSub"
  int index = -1;           // index in its menu array; -1 for an item that is no array
  std::string_view parent;  // the menu holding it; "" for the menu bar
  MenuKind kind = MenuKind::Item;
  int captionRow = 0;       // language row of its caption; 0 for a separator
  std::string keyHint;      // the keys shown beside the caption (MenuKeyHint), worked out once
};

// Every entry, parents before their children, each menu's children in menu order.
std::span<const MenuEntry> MenuTable();

// The shown caption: the row text in the current language, then a tab and the key hint the command
// table gives the item (MenuKeyHint), unless the text already ends in a key column of its own.
std::string MenuCaption(const MenuEntry& entry, const LanguageTable& table);

// "name" or "name(index)": a readable key for an entry.
std::string MenuEntryKey(std::string_view name, int index = -1);

}  // namespace glimmora
