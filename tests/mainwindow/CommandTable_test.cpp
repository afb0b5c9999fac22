// The command table against the menu table: every menu item a command names exists, and the
// menus written as places run, at each place, the command written there.

#include <gtest/gtest.h>

#include <set>
#include <utility>

#include "mainwindow/CommandMenus.h"
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

TEST(CommandTable, EachPlaceOfACommandMenuRunsItsOwnCommandAndEveryCommandHasAPlace) {
  for (const SlotMenu& menu : kSlotMenus) {
    std::set<std::pair<Proc, int>> seen;
    for (int i = 0; i < static_cast<int>(menu.places.size()); ++i) {
      const MenuSlot& place = menu.places[static_cast<std::size_t>(i)];
      const MenuHit hit = FindMenuRow(menu.name, i);
      if (place.proc == Proc::None) {
        EXPECT_EQ(hit.row, nullptr) << MenuEntryKey(menu.name, i) << " is a separator";
        continue;
      }
      ASSERT_NE(hit.row, nullptr) << MenuEntryKey(menu.name, i);
      EXPECT_EQ(hit.row->proc, place.proc) << MenuEntryKey(menu.name, i);
      EXPECT_EQ(hit.arg, place.arg) << MenuEntryKey(menu.name, i);
      EXPECT_TRUE(seen.insert({place.proc, place.arg}).second) << MenuEntryKey(menu.name, i) << " repeats a command";
    }
  }
  for (int c = 0; c < kLibTreeCommandCount; ++c) EXPECT_GE(LibTreePlace(static_cast<LibTreeCommand>(c)), 0) << c;
  for (int c = 0; c < kClipCommandCount; ++c) EXPECT_GE(ClipPlace(static_cast<ClipCommand>(c)), 0) << c;
  for (int c = 0; c < kWebCommandCount; ++c) EXPECT_GE(WebPlace(static_cast<WebCommand>(c)), 0) << c;
  for (ListViewMode m : {ListViewMode::Report, ListViewMode::List, ListViewMode::LargeIcons}) {
    EXPECT_GE(ViewPlace(m), 0);
    EXPECT_GE(ClipViewPlace(m), 0);
  }
}

}  // namespace
}  // namespace glimmora
