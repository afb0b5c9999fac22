#pragma once
// The menus whose items are one array of commands, each written as what stands at its places in
// order: a command (procedure and argument) or a separator. The menu table makes the items from
// these lists, and the command table and the frame find a command's place here, so a place is
// written down once: an item inserted moves the others without anyone renumbering them.

#include <span>
#include <string_view>

#include "mainwindow/CommandTable.h"
#include "text/LangRows.h"

namespace glimmora {

struct MenuSlot {
  Proc proc = Proc::None;  // Proc::None: a separator, which still takes its place
  int arg = 0;
  int captionRow = 0;
  bool hiddenUnderMouse = false;  // left out while the menu pops up under the mouse
};

// The place of a command in a menu; -1 when the menu does not hold it.
constexpr int MenuPlace(std::span<const MenuSlot> places, Proc proc, int arg) {
  for (std::size_t i = 0; i < places.size(); ++i)
    if (places[i].proc == proc && places[i].arg == arg) return static_cast<int>(i);
  return -1;
}

inline constexpr std::string_view kLibTreeMenu = "mnTreeViewLPopMenuSub";
inline constexpr MenuSlot kLibTreeMenuSlots[] = {
    {Proc::RunLibraryTreeCommand, Arg(LibTreeCommand::NewCategoryOrLibrary), kRowNewCategoryOrLibrary},
    {Proc::RunLibraryTreeCommand, Arg(LibTreeCommand::DeleteCategoryOrLibrary), kRowDeleteCategoryOrLibrary},
    {},
    {Proc::RunLibraryTreeCommand, Arg(LibTreeCommand::CollapseAll), kRowCollapseAll},
    {Proc::RunLibraryTreeCommand, Arg(LibTreeCommand::ExpandAll), kRowExpandAll},
    {Proc::RunLibraryTreeCommand, Arg(LibTreeCommand::Refresh), kRowRefreshTree},
    {Proc::RunLibraryTreeCommand, Arg(LibTreeCommand::ShowSelected), kRowShowSelectedItem},
};

// Under the mouse the clipboard menu leaves out what goes to a folder or to the system clipboard.
inline constexpr std::string_view kClipMenu = "mnIcoClipBoardMenuSub";
inline constexpr MenuSlot kClipMenuSlots[] = {
    {Proc::RunClipboardCommand, Arg(ClipCommand::MoveSelectedIntoLibrary), kRowMoveSelectedIntoLibrary},
    {Proc::RunClipboardCommand, Arg(ClipCommand::MoveAllIntoLibrary), kRowMoveAllIntoLibrary},
    {},
    {Proc::RunClipboardCommand, Arg(ClipCommand::CopySelectedToFolder), kRowCopySelectedToFolder, true},
    {Proc::RunClipboardCommand, Arg(ClipCommand::CopyAllToFolder), kRowCopyAllToFolder, true},
    {.hiddenUnderMouse = true},
    {Proc::RunClipboardCommand, Arg(ClipCommand::MoveSelectedToFolder), kRowMoveSelectedToFolder, true},
    {Proc::RunClipboardCommand, Arg(ClipCommand::MoveAllToFolder), kRowMoveAllToFolder, true},
    {.hiddenUnderMouse = true},
    {Proc::RunClipboardCommand, Arg(ClipCommand::SelectAll), kRowSelectAllClipboardIcons},
    {Proc::RunClipboardCommand, Arg(ClipCommand::ClearSelection), kRowClearClipboardSelection},
    {},
    {Proc::RunClipboardCommand, Arg(ClipCommand::DeleteSelected), kRowDeleteSelectedClipboardIcons},
    {Proc::RunClipboardCommand, Arg(ClipCommand::DeleteAll), kRowDeleteAllClipboardIcons},
    {},
    {Proc::ViewMode, Arg(ListViewMode::Report), kRowClipboardDetailsView},
    {Proc::ViewMode, Arg(ListViewMode::List), kRowClipboardListView},
    {Proc::ViewMode, Arg(ListViewMode::LargeIcons), kRowClipboardLargeIconsView},
    {.hiddenUnderMouse = true},
    {Proc::RunClipboardCommand, Arg(ClipCommand::CopyToSystemClipboard), kRowClipboardCopyToSystemClipboard, true},
    {Proc::RunClipboardCommand, Arg(ClipCommand::CutToSystemClipboard), kRowClipboardCutToSystemClipboard, true},
    {},
    {Proc::RunClipboardCommand, Arg(ClipCommand::Refresh), kRowRefreshIconClipboard},
    {},
    {Proc::RunClipboardCommand, Arg(ClipCommand::OpenInEditor), kRowOpenInIconEditor},
};

inline constexpr std::string_view kWebMenu = "mnWebSiteSub";
inline constexpr MenuSlot kWebMenuSlots[] = {
    {Proc::RunWebSiteCommand, Arg(WebCommand::Open), kRowOpenWebPage},
    {},
    {Proc::RunWebSiteCommand, Arg(WebCommand::Edit), kRowEditWebSite},
    {Proc::RunWebSiteCommand, Arg(WebCommand::Add), kRowAddWebSite},
    {Proc::RunWebSiteCommand, Arg(WebCommand::DeleteTicked), kRowDeleteTickedWebSites},
};

// The icon menu's view items.
inline constexpr std::string_view kViewMenu = "mnIcodispSub";
inline constexpr MenuSlot kViewMenuSlots[] = {
    {Proc::ViewMode, Arg(ListViewMode::Report), kRowDetailsView},
    {Proc::ViewMode, Arg(ListViewMode::List), kRowListView},
    {Proc::ViewMode, Arg(ListViewMode::LargeIcons), kRowLargeIconsView},
};

constexpr int LibTreePlace(LibTreeCommand c) {
  return MenuPlace(kLibTreeMenuSlots, Proc::RunLibraryTreeCommand, Arg(c));
}
constexpr int ClipPlace(ClipCommand c) { return MenuPlace(kClipMenuSlots, Proc::RunClipboardCommand, Arg(c)); }
constexpr int WebPlace(WebCommand c) { return MenuPlace(kWebMenuSlots, Proc::RunWebSiteCommand, Arg(c)); }
constexpr int ClipViewPlace(ListViewMode m) { return MenuPlace(kClipMenuSlots, Proc::ViewMode, Arg(m)); }
constexpr int ViewPlace(ListViewMode m) { return MenuPlace(kViewMenuSlots, Proc::ViewMode, Arg(m)); }

// Every menu written as places, by its name.
struct SlotMenu {
  std::string_view name;
  std::span<const MenuSlot> places;
};
inline constexpr SlotMenu kSlotMenus[] = {
    {kLibTreeMenu, kLibTreeMenuSlots},
    {kClipMenu, kClipMenuSlots},
    {kWebMenu, kWebMenuSlots},
    {kViewMenu, kViewMenuSlots},
};

}  // namespace glimmora
