// The command table against the menu table: every menu item a command names exists.

#include <gtest/gtest.h>

#include "mainwindow/CommandTable.h"
#include "mainwindow/MenuTable.h"
#include "support/MenuLookup.h"

namespace glimmora {
namespace {

using testing::FindMenuEntry;

TEST(CommandTable, MenuItemsOfTheCommandsExistInTheMenuTable) {
  for (const CommandRow& r : CommandRows()) {
    if (r.menu.empty()) continue;
    if (r.menuIndex < 0) {
      const MenuEntry* e = FindMenuEntry(r.menu);
      ASSERT_NE(e, nullptr) << r.menu;
      EXPECT_EQ(e->kind, MenuKind::Item) << r.menu;
      continue;
    }
    for (int i = r.menuIndex; i < r.menuIndex + r.span; ++i) {
      const MenuEntry* e = FindMenuEntry(r.menu, i);
      ASSERT_NE(e, nullptr) << r.menu << "(" << i << ")";
      EXPECT_EQ(e->kind, MenuKind::Item) << r.menu << "(" << i << ")";
    }
  }
}

TEST(CommandTable, EveryMenuItemWithACaptionHasOneCommand) {
  for (const MenuEntry& e : MenuTable()) {
    if (e.kind != MenuKind::Item) continue;
    int hits = 0;
    for (const CommandRow& r : CommandRows()) {
      if (r.menu != e.name) continue;
      if (r.menuIndex < 0 ? e.index < 0 : (e.index >= r.menuIndex && e.index < r.menuIndex + r.span))
        ++hits;
    }
    EXPECT_EQ(hits, 1) << MenuEntryKey(e.name, e.index);
  }
}

}  // namespace
}  // namespace glimmora
