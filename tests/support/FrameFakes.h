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

class RecordingPages : public Pages {
 public:
  std::vector<std::string> calls;      // command procedures, "name(arg)"
  std::vector<std::string> summaries;  // selection summaries
  std::vector<std::pair<Pane, ListViewMode>> viewModes;
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

  void mn2CloseTreeViewS_Click() override { Call("mn2CloseTreeViewS"); }
  void mn3RefeshTreeViewS_Click() override { Call("mn3RefeshTreeViewS"); }
  void mn1GotoCurDirTreeViewS_Click() override { Call("mn1GotoCurDirTreeViewS"); }
  void mnSaveFileIconUsedef_Click() override { Call("mnSaveFileIconUsedef"); }
  void mnSaveSelFileIcotoIco_Click() override { Call("mnSaveSelFileIcotoIco"); }
  void mnSaveSelFileIcotoBmp_Click() override { Call("mnSaveSelFileIcotoBmp"); }
  void mnSaveAllFileIcotoIco_Click() override { Call("mnSaveAllFileIcotoIco"); }
  void mnSaveAllFileIcotoBmp_Click() override { Call("mnSaveAllFileIcotoBmp"); }
  void mnSaveFileIcotoIcoClipBoardSub_Click(int i) override { Call("mnSaveFileIcotoIcoClipBoardSub", i); }
  void mnMoveFileIcotoIcoClipBoardSub_Click(int i) override { Call("mnMoveFileIcotoIcoClipBoardSub", i); }
  void mn5DelSelectedFile_Click() override { Call("mn5DelSelectedFile"); }
  void mn5RealDelSelectedFile_Click() override { Call("mn5RealDelSelectedFile"); }
  void mn3SelectedAllFile_Click() override { Call("mn3SelectedAllFile"); }
  void mn4cancleselectedFile_Click() override { Call("mn4cancleselectedFile"); }
  void mn4antiselectedFile_Click() override { Call("mn4antiselectedFile"); }
  void mn12SaveSelectedIcoAsIcoSub_Click(int i) override { Call("mn12SaveSelectedIcoAsIcoSub", i); }
  void mn12SaveSelectedIcoAsBmpSub_Click(int i) override { Call("mn12SaveSelectedIcoAsBmpSub", i); }
  void mn22SaveAllIcoAsIcoSub_Click(int i) override { Call("mn22SaveAllIcoAsIcoSub", i); }
  void mn22SaveAllIcoAsBmpSub_Click(int i) override { Call("mn22SaveAllIcoAsBmpSub", i); }
  void mnSaveIcoUsedef_Click() override { Call("mnSaveIcoUsedef"); }
  void mn3SelectedAllIco_Click() override { Call("mn3SelectedAllIco"); }
  void mn4cancleselectedIco_Click() override { Call("mn4cancleselectedIco"); }
  void mn3SelectedIcoWithHWSub_Click(int i) override { Call("mn3SelectedIcoWithHWSub", i); }
  void mn3SelectedIcoWithColorSub_Click(int i) override { Call("mn3SelectedIcoWithColorSub", i); }
  void mn5CopyIcoToClipperSub_Click(int i) override { Call("mn5CopyIcoToClipperSub", i); }
  void mn6CutIcoToClipperSub_Click(int i) override { Call("mn6CutIcoToClipperSub", i); }
  void mn9LastGrpIcon_Click() override { Call("mn9LastGrpIcon"); }
  void mn10NextGrpIcon_Click() override { Call("mn10NextGrpIcon"); }
  void mn8DeleteIco_Click() override { Call("mn8DeleteIco"); }
  void mnCopyIcoToIcoClipperSub_Click(int i) override { Call("mnCopyIcoToIcoClipperSub", i); }
  void mnCutIcoToIcoClipperSub_Click(int i) override { Call("mnCutIcoToIcoClipperSub", i); }
  void CopyIcotoIcoClipBoard(int i, bool cut) override {
    Call("CopyIcotoIcoClipBoard", i, std::string(cut ? ",cut" : ""));
  }
  void PopTreeViewLSub(int i) override { Call("PopTreeViewLSub", i); }
  void PopIcoClipBoardSub(int i) override { Call("PopIcoClipBoardSub", i); }
  void WebSitePrg(int i) override { Call("WebSitePrg", i); }
  void SelectIco() override { summaries.push_back("SelectIco"); }
  void SelectIcoSourceIco() override { summaries.push_back("SelectIcoSourceIco"); }
  void SelectLibIco() override { summaries.push_back("SelectLibIco"); }
  void SelectClipIco() override { summaries.push_back("SelectClipIco"); }
  void SetListViewMode(Pane list, ListViewMode mode) override { viewModes.emplace_back(list, mode); }
  int ListItemCount(Pane list) const override {
    auto it = counts.find(list);
    return it == counts.end() ? 0 : it->second;
  }
  void InvertSelection(Pane list) override { Call("Invert:" + std::string(PaneName(list))); }
  std::optional<TreeNodeInfo> SelectedTreeViewLNode() const override { return libNode; }
  std::optional<std::string> SelectedTreeViewSKey() const override { return folderKey; }
  void mnHelpContents_Click() override { Call("mnHelpContents"); }
  void mnHelpWebsite_Click() override { Call("mnHelpWebsite"); }
  void mnHelpFrdLink_Click() override { Call("mnHelpFrdLink"); }
  void mnHelpAbout_Click() override { Call("mnHelpAbout"); }
  void mnchglangsub_Click(int i) override { Call("mnchglangsub", i); }
  void OpenSupportMail() override { Call("OpenSupportMail"); }

 private:
  void Call(std::string name, std::optional<int> arg = std::nullopt, std::string extra = {}) {
    if (arg) name += "(" + std::to_string(*arg) + extra + ")";
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
    frame.TabStrip1_Click(PageOfPane(pane));
    frame.PaneGotFocus(pane);
  }
  // Shows `page` with no pane of it ever focused.
  void ShowPage(Page page) { frame.TabStrip1_Click(page); }
  void Clear() {
    pages.Clear();
    view.popups.clear();
    view.focused.clear();
  }
};

}  // namespace glimmora::testing
