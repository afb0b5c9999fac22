#pragma once
// The popup menus of the panes, and the small list helpers that go with them.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "mainwindow/CommandTable.h"

namespace glimmora {

// Items in the lists whose popups open only when they hold something.
struct ListCounts {
  int file = 0;       // ListViewFile
  int pict = 0;       // ListViewPict
  int clipboard = 0;  // ListViewIcoClipboard
  int libIco = 0;     // ListViewLIco
  int webSite = 0;    // ListViewWebSite
};

// The menu a pane pops up, or "" when its list has no items or the pane has no popup. The trees
// always have their popup. The icon panes of a file and of a library share one menu.
std::string_view PopupMenuFor(Pane pane, const ListCounts& counts);

// Items disabled when the source page is built; a selection enables them later.
std::span<const std::string_view> StartupDisabledItems();
// Items of the icon menu hidden while it pops up under the mouse.
std::span<const std::string_view> IcoMenuMouseHiddenItems();


// The top-level menus the page switch shows on each page; all others are hidden.
std::span<const std::string_view> PageMenus(Page page);
std::span<const std::string_view> AllPageMenus();

}  // namespace glimmora
