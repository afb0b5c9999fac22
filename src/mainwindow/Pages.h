#pragma once
// What the main window's commands call on its pages. The source page, the library page and the
// web-site page implement these procedures; the toolbar, the menus, the popup menus and the
// keyboard reach them only through the command table, which calls them here.
//
// A command has one name from the command table to the page: the table's procedure is called
// here by the same name, and the page's method bears it too unless the page carries several
// commands with one procedure (`SaveIcotoIcoBmp`, `CopyLibIco`, ...). A page with many commands
// is told which one by its own enum (`ClipCommand`, ...), never by a place in a menu.

#include <optional>
#include <string>

#include "library/LibraryCommands.h"
#include "settings/Panes.h"
#include "websites/WebSiteCommands.h"

namespace glimmora {

// The selected node of the library tree, for the window caption.
struct TreeNodeInfo {
  std::string text;
  bool hasParent = false;
  std::string parentText;
};

class Pages {
 public:
  virtual ~Pages() = default;

  // --- source page: folder tree ---
  virtual void CollapseFolderTree() = 0;
  virtual void RefreshFolderTree() = 0;
  virtual void GotoCurrentFolder() = 0;

  // --- source page: file list ---
  virtual void SaveFileIconsWithDefaults() = 0;
  virtual void SaveCheckedFileIconsAsIco() = 0;
  virtual void SaveCheckedFileIconsAsBmp() = 0;
  virtual void SaveAllFileIconsAsIco() = 0;
  virtual void SaveAllFileIconsAsBmp() = 0;
  virtual void SaveFileIconsToIconClipboard(int index) = 0;
  // The same, then the saved files leave the list (and, after a Yes, the disk).
  virtual void MoveFileIconsToIconClipboard(int index) = 0;
  virtual void RemoveCheckedFiles() = 0;
  virtual void DeleteCheckedFiles() = 0;
  virtual void SelectAllFiles() = 0;
  virtual void CancelFileSelection() = 0;
  virtual void InvertFileTicks() = 0;

  // --- icon panes (the icon pane of the source page or the library icon list, whichever is
  // current) ---
  virtual void SaveSelectedIconsAsIco(int size) = 0;
  virtual void SaveSelectedIconsAsBmp(int size) = 0;
  virtual void SaveAllIconsAsIco(int size) = 0;
  virtual void SaveAllIconsAsBmp(int size) = 0;
  virtual void SaveIconsWithDefaults() = 0;
  virtual void SelectAllIcons() = 0;
  virtual void CancelIconSelection() = 0;
  virtual void SelectIconsOfSize(int index) = 0;
  virtual void SelectIconsOfColors(int index) = 0;
  virtual void CopyIconToSystemClipboard(int size) = 0;
  virtual void CutIconToSystemClipboard(int size) = 0;
  virtual void PreviousIconPage() = 0;
  virtual void NextIconPage() = 0;
  virtual void DeleteSelectedIcons() = 0;
  virtual void CopyIconsToIconClipboard(int size) = 0;
  virtual void CutIconsToIconClipboard(int size) = 0;

  // --- library page ---
  virtual void RunLibraryTreeCommand(LibTreeCommand command) = 0;
  virtual void RunClipboardCommand(ClipCommand command) = 0;

  // --- web-site page ---
  virtual void RunWebSiteCommand(WebCommand command) = 0;

  // --- selection summaries: counts into the status bars, commands enabled by selection ---
  virtual void SelectIco() = 0;
  virtual void SelectIcoSourceIco() = 0;
  virtual void SelectLibIco() = 0;
  virtual void SelectClipIco() = 0;
  // The library page is in the middle of a change that yields to the event loop; its icon
  // clipboard's commands wait it out.
  virtual bool LibraryBusy() const = 0;

  // --- what the frame reads or sets on the pages' lists and trees ---
  // The display mode of an icon list (ListViewPict, ListViewLIco or ListViewIcoClipboard).
  virtual void SetListViewMode(Pane list, ListViewMode mode) = 0;
  // Number of items of a list (the popup of a list opens only when it has items).
  virtual int ListItemCount(Pane list) const = 0;
  // Inverts the ticks (file list) or the selection (icon lists) of a list, without refreshing.
  virtual void InvertSelection(Pane list) = 0;
  // The selected node of the library tree; nothing when no node is selected.
  virtual std::optional<TreeNodeInfo> SelectedTreeViewLNode() const = 0;
  // The key of the selected node of the folder tree (a folder's path); nothing when none.
  virtual std::optional<std::string> SelectedTreeViewSKey() const = 0;

  // --- the main window's own commands that are no page's ---
  virtual void ShowHelpContents() = 0;
  virtual void ShowHomePage() = 0;
  virtual void ShowFriendLinks() = 0;
  virtual void ShowAbout() = 0;
  virtual void ChangeLanguage(int language) = 0;
  // Opens the support mail address in the mail program.
  virtual void OpenSupportMail() = 0;
};

}  // namespace glimmora
