#pragma once
// Entries of the menu table by name, for tests that check single entries; the program itself
// walks the whole table.

#include <string_view>
#include <vector>

#include "mainwindow/MenuTable.h"

namespace glimmora::testing {

// The entry of `name` (with `index` for a menu array); nullptr when there is none.
inline const MenuEntry* FindMenuEntry(std::string_view name, int index = -1) {
  for (const MenuEntry& e : MenuTable())
    if (e.name == name && e.index == index) return &e;
  return nullptr;
}

// The entries directly under `parent` ("" = the menu bar), in menu order.
inline std::vector<const MenuEntry*> MenuChildren(std::string_view parent) {
  std::vector<const MenuEntry*> children;
  for (const MenuEntry& e : MenuTable())
    if (e.parent == parent) children.push_back(&e);
  return children;
}

}  // namespace glimmora::testing
