#pragma once
// What the main window's commands call on its pages. The source page, the library page and the
// web-site page implement these procedures; the toolbar, the menus, the popup menus and the
// keyboard reach them only through the command table, which calls them here.
//
// The names are the page procedures' own names, so a reader can follow a command from its row in
// the command table to the page that carries it out.

#include <optional>
#include <string>

#include "settings/Panes.h"

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
  virtual void mn2CloseTreeViewS_Click() = 0;
  virtual void mn3RefeshTreeViewS_Click() = 0;
  virtual void mn1GotoCurDirTreeViewS_Click() = 0;

  // --- source page: file list ---
  virtual void mnSaveFileIconUsedef_Click() = 0;
  virtual void mnSaveSelFileIcotoIco_Click() = 0;
  virtual void mnSaveSelFileIcotoBmp_Click() = 0;
  virtual void mnSaveAllFileIcotoIco_Click() = 0;
  virtual void mnSaveAllFileIcotoBmp_Click() = 0;
  virtual void mnSaveFileIcotoIcoClipBoardSub_Click(int index) = 0;
  // The same, then the saved files leave the list (and, after a Yes, the disk).
  virtual void mnMoveFileIcotoIcoClipBoardSub_Click(int index) = 0;
  virtual void mn5DelSelectedFile_Click() = 0;
  virtual void mn5RealDelSelectedFile_Click() = 0;
  virtual void mn3SelectedAllFile_Click() = 0;
  virtual void mn4cancleselectedFile_Click() = 0;
  virtual void mn4antiselectedFile_Click() = 0;

  // --- icon panes (the icon pane of the source page or the library icon list, whichever is
  // current) ---
  virtual void mn12SaveSelectedIcoAsIcoSub_Click(int size) = 0;
  virtual void mn12SaveSelectedIcoAsBmpSub_Click(int size) = 0;
  virtual void mn22SaveAllIcoAsIcoSub_Click(int size) = 0;
  virtual void mn22SaveAllIcoAsBmpSub_Click(int size) = 0;
  virtual void mnSaveIcoUsedef_Click() = 0;
  virtual void mn3SelectedAllIco_Click() = 0;
  virtual void mn4cancleselectedIco_Click() = 0;
  virtual void mn3SelectedIcoWithHWSub_Click(int index) = 0;
  virtual void mn3SelectedIcoWithColorSub_Click(int index) = 0;
  virtual void mn5CopyIcoToClipperSub_Click(int size) = 0;
  virtual void mn6CutIcoToClipperSub_Click(int size) = 0;
  virtual void mn9LastGrpIcon_Click() = 0;
  virtual void mn10NextGrpIcon_Click() = 0;
  virtual void mn8DeleteIco_Click() = 0;
  virtual void mnCopyIcoToIcoClipperSub_Click(int size) = 0;
  virtual void mnCutIcoToIcoClipperSub_Click(int size) = 0;
  virtual void CopyIcotoIcoClipBoard(int size, bool cutMod) = 0;

  // --- library page ---
  virtual void PopTreeViewLSub(int index) = 0;
  virtual void PopIcoClipBoardSub(int index) = 0;

  // --- web-site page ---
  virtual void WebSitePrg(int index) = 0;

  // --- selection summaries: counts into the status bars, commands enabled by selection ---
  virtual void SelectIco() = 0;
  virtual void SelectIcoSourceIco() = 0;
  virtual void SelectLibIco() = 0;
  virtual void SelectClipIco() = 0;

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
  virtual void mnHelpContents_Click() = 0;
  virtual void mnHelpWebsite_Click() = 0;
  virtual void mnHelpFrdLink_Click() = 0;
  virtual void mnHelpAbout_Click() = 0;
  virtual void mnchglangsub_Click(int language) = 0;
  // Opens the support mail address in the mail program.
  virtual void OpenSupportMail() = 0;
};

}  // namespace glimmora
