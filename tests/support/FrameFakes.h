#pragma once
// Recording fakes of the pages and of the window, for the command logic's tests.

#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "mainwindow/Commands.h"

namespace glimmora::testing {

// The page commands by name, as the fake records them: "LibTree(Refresh)", "Clip(SelectAll)",
// "Web(Open)".
inline std::string Named(LibTreeCommand c) {
  constexpr const char* kNames[] = {"NewCategoryOrLibrary", "DeleteCategoryOrLibrary", "CollapseAll",
                                    "ExpandAll",            "Refresh",                 "ShowSelected"};
  static_assert(std::size(kNames) == kLibTreeCommandCount);
  return std::string("LibTree(") + kNames[static_cast<int>(c)] + ")";
}
inline std::string Named(ClipCommand c) {
  constexpr const char* kNames[] = {"MoveSelectedIntoLibrary", "MoveAllIntoLibrary",    "CopySelectedToFolder",
                                    "CopyAllToFolder",         "MoveSelectedToFolder",  "MoveAllToFolder",
                                    "SelectAll",               "ClearSelection",        "DeleteSelected",
                                    "DeleteAll",               "CopyToSystemClipboard", "CutToSystemClipboard",
                                    "Refresh",                 "OpenInEditor"};
  static_assert(std::size(kNames) == kClipCommandCount);
  return std::string("Clip(") + kNames[static_cast<int>(c)] + ")";
}
inline std::string Named(WebCommand c) {
  constexpr const char* kNames[] = {"Open", "Edit", "Add", "DeleteTicked"};
  static_assert(std::size(kNames) == kWebCommandCount);
  return std::string("Web(") + kNames[static_cast<int>(c)] + ")";
}

class RecordingPages : public Pages {
 public:
  // Command procedures as "name(arg)", named by their menu item (the toolbar-only command by
  // its own name, a page's command as Named() gives it), so that a test reads as the menus do.
  std::vector<std::string> calls;
  std::vector<std::string> summaries;  // selection summaries
  std::vector<std::pair<Pane, ListViewMode>> viewModes;
  bool libraryBusy = false;
  std::map<Pane, int> counts;
  std::optional<TreeNodeInfo> libNode;
  std::optional<std::string> folderKey;
  std::function<void()> onCommand;  // runs inside every command procedure

  void Clear() {
    calls.clear();
    summaries.clear();
    viewModes.clear();
  }
  std::string Last() const { return calls.empty() ? std::string() : calls.back(); }

  void CollapseFolderTree() override { Call("mn2CloseTreeViewS"); }
  void RefreshFolderTree() override { Call("mn3RefeshTreeViewS"); }
  void GotoCurrentFolder() override { Call("mn1GotoCurDirTreeViewS"); }
  void SaveFileIconsWithDefaults() override { Call("mnSaveFileIconUsedef"); }
  void SaveCheckedFileIconsAsIco() override { Call("mnSaveSelFileIcotoIco"); }
  void SaveCheckedFileIconsAsBmp() override { Call("mnSaveSelFileIcotoBmp"); }
  void SaveAllFileIconsAsIco() override { Call("mnSaveAllFileIcotoIco"); }
  void SaveAllFileIconsAsBmp() override { Call("mnSaveAllFileIcotoBmp"); }
  void SaveFileIconsToIconClipboard(int i) override { Call("mnSaveFileIcotoIcoClipBoardSub", i); }
  void MoveFileIconsToIconClipboard(int i) override { Call("mnMoveFileIcotoIcoClipBoardSub", i); }
  void RemoveCheckedFiles() override { Call("mn5DelSelectedFile"); }
  void DeleteCheckedFiles() override { Call("mn5RealDelSelectedFile"); }
  void SelectAllFiles() override { Call("mn3SelectedAllFile"); }
  void CancelFileSelection() override { Call("mn4cancleselectedFile"); }
  void InvertFileTicks() override { Call("mn4antiselectedFile"); }
  void SaveSelectedIconsAsIco(int i) override { Call("mn12SaveSelectedIcoAsIcoSub", i); }
  void SaveSelectedIconsAsBmp(int i) override { Call("mn12SaveSelectedIcoAsBmpSub", i); }
  void SaveAllIconsAsIco(int i) override { Call("mn22SaveAllIcoAsIcoSub", i); }
  void SaveAllIconsAsBmp(int i) override { Call("mn22SaveAllIcoAsBmpSub", i); }
  void SaveIconsWithDefaults() override { Call("mnSaveIcoUsedef"); }
  void SelectAllIcons() override { Call("mn3SelectedAllIco"); }
  void CancelIconSelection() override { Call("mn4cancleselectedIco"); }
  void SelectIconsOfSize(int i) override { Call("mn3SelectedIcoWithHWSub", i); }
  void SelectIconsOfColors(int i) override { Call("mn3SelectedIcoWithColorSub", i); }
  void CopyIconToSystemClipboard(int i) override { Call("mn5CopyIcoToClipperSub", i); }
  void CutIconToSystemClipboard(int i) override { Call("mn6CutIcoToClipperSub", i); }
  void PreviousIconPage() override { Call("mn9LastGrpIcon"); }
  void NextIconPage() override { Call("mn10NextGrpIcon"); }
  void DeleteSelectedIcons() override { Call("mn8DeleteIco"); }
  void CopyIconsToIconClipboard(int i) override { Call("mnCopyIcoToIcoClipperSub", i); }
  void CutIconsToIconClipboard(int i) override { Call("mnCutIcoToIcoClipperSub", i); }
  void RunLibraryTreeCommand(LibTreeCommand c) override { Call(Named(c)); }
  void RunClipboardCommand(ClipCommand c) override { Call(Named(c)); }
  void RunWebSiteCommand(WebCommand c) override { Call(Named(c)); }
  void SelectIco() override { summaries.push_back("SelectIco"); }
  void SelectIcoSourceIco() override { summaries.push_back("SelectIcoSourceIco"); }
  void SelectLibIco() override { summaries.push_back("SelectLibIco"); }
  void SelectClipIco() override { summaries.push_back("SelectClipIco"); }
  void SetListViewMode(Pane list, ListViewMode mode) override { viewModes.emplace_back(list, mode); }
  bool LibraryBusy() const override { return libraryBusy; }
  int ListItemCount(Pane list) const override {
    auto it = counts.find(list);
    return it == counts.end() ? 0 : it->second;
  }
  void InvertSelection(Pane list) override { Call("Invert:" + std::string(PaneName(list))); }
  std::optional<TreeNodeInfo> SelectedTreeViewLNode() const override { return libNode; }
  std::optional<std::string> SelectedTreeViewSKey() const override { return folderKey; }
  void ShowHelpContents() override { Call("mnHelpContents"); }
  void ShowHomePage() override { Call("mnHelpWebsite"); }
  void ShowFriendLinks() override { Call("mnHelpFrdLink"); }
  void ShowAbout() override { Call("mnHelpAbout"); }
  void ChangeLanguage(int i) override { Call("mnchglangsub", i); }
  void OpenSupportMail() override { Call("OpenSupportMail"); }

 private:
  void Call(std::string name, std::optional<int> arg = std::nullopt) {
    if (arg) name += "(" + std::to_string(*arg) + ")";
    calls.push_back(name);
    if (onCommand) onCommand();
  }
};

class RecordingView : public FrameView {
 public:
  std::vector<Pane> focused;
  std::map<std::string, bool> menuEnabled;
  std::map<std::string, bool> menuVisible;
  std::map<std::pair<std::string, int>, bool> itemEnabled;
  std::map<std::pair<std::string, int>, bool> itemVisible;
  std::vector<std::string> popups;
  // What the item visibility was while each popup was open.
  std::vector<std::map<std::pair<std::string, int>, bool>> itemVisibleAtPopup;
  std::vector<std::map<std::string, bool>> menuVisibleAtPopup;
  ToolbarState toolbar;
  std::vector<Page> pagesShown;
  int waitCursorOn = 0;
  bool waitCursor = false;
  int repaints = 0;
  std::string caption;
  ScreenPoint pointer{0, 0};
  std::vector<ScreenPoint> pointerMoves;
  std::vector<Pane> optionsOpened;

  bool Enabled(const std::string& m) const {
    auto it = menuEnabled.find(m);
    return it != menuEnabled.end() && it->second;
  }
  bool ItemEnabled(const std::string& m, int i) const {
    auto it = itemEnabled.find({m, i});
    return it == itemEnabled.end() || it->second;  // items start enabled
  }

  std::function<void(Pane)> onFocus;  // the window reporting the focus change back

  void FocusPane(Pane pane) override {
    focused.push_back(pane);
    if (onFocus) onFocus(pane);
  }
  void SetMenuEnabled(std::string_view n, bool e) override { menuEnabled[std::string(n)] = e; }
  void SetMenuVisible(std::string_view n, bool v) override { menuVisible[std::string(n)] = v; }
  void SetMenuItemEnabled(std::string_view n, int i, bool e) override {
    itemEnabled[{std::string(n), i}] = e;
  }
  void SetMenuItemVisible(std::string_view n, int i, bool v) override {
    itemVisible[{std::string(n), i}] = v;
  }
  void ShowPopup(std::string_view menu) override {
    popups.emplace_back(menu);
    itemVisibleAtPopup.push_back(itemVisible);
    menuVisibleAtPopup.push_back(menuVisible);
  }
  void ShowToolbar(const ToolbarState& s) override { toolbar = s; }
  void ShowPageFrame(Page p) override { pagesShown.push_back(p); }
  void SetWaitCursor(bool w) override {
    waitCursor = w;
    if (w) ++waitCursorOn;
  }
  void Repaint() override { ++repaints; }
  void SetCaption(const std::string& c) override { caption = c; }
  ScreenPoint PointerPos() const override { return pointer; }
  void MovePointer(ScreenPoint p) override { pointerMoves.push_back(p); }
  void OpenOptionsDialog(Pane list) override { optionsOpened.push_back(list); }
};

// A frame wired to the two fakes, with the three page words in the language table.
struct FrameRig {
  RecordingPages pages;
  RecordingView view;
  LanguageTable lang;
  std::string title = "Glimmora";
  bool treeDirty = false;
  MainFrame frame{pages, view, lang, title, treeDirty};

  FrameRig() {
    lang.LangStr[0][354] = "Icon Library";
    lang.LangStr[0][355] = "Source Files";
    lang.LangStr[0][356] = "Web Sites";
  }

  // Shows the pane's page and gives the pane the focus, as a click on it would.
  void MakeCurrent(Pane pane) {
    frame.SwitchToPage(PageOfPane(pane));
    frame.PaneGotFocus(pane);
  }
  // Shows `page` with no pane of it ever focused.
  void ShowPage(Page page) { frame.SwitchToPage(page); }
  void Clear() {
    pages.Clear();
    view.popups.clear();
    view.focused.clear();
  }
};

}  // namespace glimmora::testing
