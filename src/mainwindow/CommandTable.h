#pragma once
// The one command table of the main window. Each row is one procedure with its argument and
// every way the user reaches it: the toolbar command number, the key with its Ctrl/Alt/Shift
// rule, the menu item (by its name in the menu table, which the popup menus share) and the
// toolbar tooltip row. The toolbar, the menu actions, the popup menus and the key dispatcher are
// all built from this table; nothing else decides which procedure a command runs.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "library/LibraryCommands.h"
#include "settings/Panes.h"
#include "shared/ToolbarSlots.h"
#include "websites/WebSiteCommands.h"

namespace glimmora {

// The procedures the table can run. Each maps to one call on the pages or on the frame.
enum class Proc : std::uint8_t {
  None,
  // folder tree
  CollapseFolderTree, RefreshFolderTree, GotoCurrentFolder,
  // file list
  SaveFileIconsWithDefaults, SaveCheckedFileIconsAsIco, SaveCheckedFileIconsAsBmp, SaveAllFileIconsAsIco,
  SaveAllFileIconsAsBmp, SaveFileIconsToIconClipboard, MoveFileIconsToIconClipboard, RemoveCheckedFiles, DeleteCheckedFiles,
  SelectAllFiles, CancelFileSelection, InvertFileTicks,
  // icon panes
  SaveSelectedIconsAsIco, SaveSelectedIconsAsBmp, SaveAllIconsAsIco, SaveAllIconsAsBmp, SaveIconsWithDefaults,
  SelectAllIcons, CancelIconSelection, SelectIconsOfSize, SelectIconsOfColors,
  CopyIconToSystemClipboard, CutIconToSystemClipboard, PreviousIconPage, NextIconPage, DeleteSelectedIcons,
  CopyIconsToIconClipboard, CutIconsToIconClipboard,
  // library page (arg: a LibTreeCommand, a ClipCommand)
  RunLibraryTreeCommand, RunClipboardCommand,
  // web-site page (arg: a WebCommand)
  RunWebSiteCommand,
  // the frame's own
  ViewMode,       // arg: a ListViewMode, as the view buttons choose it
  PopMenu,        // arg: the Pane whose popup opens
  OpenOptions,
  ShowHelpContents, ShowHomePage, ShowFriendLinks, ShowAbout, ChangeLanguage, OpenSupportMail,
};

// A command's argument as the table holds it.
constexpr int Arg(LibTreeCommand c) { return static_cast<int>(c); }
constexpr int Arg(ClipCommand c) { return static_cast<int>(c); }
constexpr int Arg(WebCommand c) { return static_cast<int>(c); }
constexpr int Arg(ListViewMode m) { return static_cast<int>(m); }
constexpr int Arg(Pane p) { return static_cast<int>(p); }

// Windows key codes, as the keyboard dispatcher receives them.
constexpr int kVkEnter = 13;
constexpr int kVkShift = 16;
constexpr int kVkControl = 17;
constexpr int kVkAlt = 18;
constexpr int kVkSpace = 32;
constexpr int kVkPageUp = 33;
constexpr int kVkPageDown = 34;
constexpr int kVkDelete = 46;
constexpr int kVkNumpad0 = 96;  // keypad 0..9 = 96..105
constexpr int kVkF1 = 112;      // F1..F12 = 112..123

enum class Tri : std::uint8_t { Any, On, Off };

struct KeyRule {
  int vk = 0;  // first key code of the row's keys; 0 = the row has no key
  Tri ctrl = Tri::Any;
  Tri alt = Tri::Any;
  Tri shift = Tri::Any;
};

struct CommandRow {
  int command = 0;  // toolbar command number (the button's slot); 0 = none
  Proc proc = Proc::None;
  int arg = 0;
  // The row stands for `span` consecutive keys, menu-array indexes and arguments: key vk + i,
  // menu index menuIndex + i and argument arg + i belong together.
  int span = 1;
  // Toolbar and keys: the current pane must be one of these (menus do not test the pane: the
  // procedures behind menu items find their list themselves).
  PaneSet panes = kAnyPane;
  // Toolbar only: the selected page must be one of these.
  PageSet pages = kAnyPage;
  KeyRule key;
  std::string_view menu;  // item name in the menu table; "" = no menu item
  int menuIndex = -1;     // index in the menu array; -1 for a single item
  int tipRow = 0;         // toolbar tooltip row (language table)
};

std::span<const CommandRow> CommandRows();

// --- toolbar layout ---
enum class SlotKind : std::uint8_t { Command, Hidden, Separator };
// Kind of button `index` (a separator for a number that is no slot).
SlotKind ToolbarSlotKind(int index);
// The tooltip row of a command button (0 for hidden buttons and separators).
int ToolbarTipRow(int index);
// The first command-table row of a toolbar command whose pane and page fit, or nullptr.
const CommandRow* FindToolbarRow(int command, Pane focus, Page page);

// --- menus ---
// The row of a menu item, with the argument it runs with; nullptr when the item has no command.
struct MenuHit {
  const CommandRow* row = nullptr;
  int arg = 0;
};
MenuHit FindMenuRow(std::string_view menu, int index);

// The keys a menu item shows beside its caption, from the key rows of the item's command (the last
// such row in the table, the one a user is told about): the modifiers the row requires, then the
// key, as "Ctrl+Alt+Shift+F2", "Alt+PgUp" or "Del"; "" when no key runs the command.
std::string MenuKeyHint(std::string_view menu, int index);

}  // namespace glimmora
