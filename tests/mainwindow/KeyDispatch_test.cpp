// Keyboard shortcuts: every key with every modifier combination against every pane.

#include <gtest/gtest.h>

#include "icons/SizeChoices.h"
#include "support/FrameFakes.h"

namespace glimmora::testing {
namespace {

constexpr int F(int n) { return 111 + n; }  // F1 = 112

std::string Arg(const char* name, int a) { return std::string(name) + "(" + std::to_string(a) + ")"; }

// The shortcut tables as the keyboard description gives them, first matching row wins.
std::string Expected(Pane pane, int vk, bool ctrl, bool alt, bool shift) {
  // F1 onwards and 2 onwards pick a size, one key a size.
  const bool fkey = vk >= F(1) && vk < F(1) + kSizeChoiceCount;
  const bool sizeDigit = vk >= '2' && vk < '1' + kSizeChoiceCount;
  const bool keepsAlt = fkey || vk == 'C' || vk == 'X' || sizeDigit;
  if (ctrl && alt && !keepsAlt) alt = false;
  const int n = vk - F(1);
  const int d = vk - '1';
  switch (pane) {
    case Pane::TreeViewS:
      if (ctrl && vk == 'L') return "mn2CloseTreeViewS";
      if (ctrl && vk == 'R') return "mn3RefeshTreeViewS";
      if (ctrl && vk == 'N') return "mn1GotoCurDirTreeViewS";
      if (!ctrl && vk == 32) return "popup:PopTreeViewSMenu";
      return "";
    case Pane::TreeViewL:
      if (ctrl && vk == 'B') return "LibTree(NewCategoryOrLibrary)";
      if (ctrl && vk == 'L') return "LibTree(CollapseAll)";
      if (ctrl && vk == 'E') return "LibTree(ExpandAll)";
      if (ctrl && vk == 'R') return "LibTree(Refresh)";
      if (ctrl && vk == 'N') return "LibTree(ShowSelected)";
      if (!ctrl && vk == 46) return "LibTree(DeleteCategoryOrLibrary)";
      if (!ctrl && (vk == 32 || vk == 13)) return "popup:PopTreeViewLMenu";
      return "";
    case Pane::ListViewFile:
      if (ctrl && vk == 'J') return Arg("mnSaveFileIcotoIcoClipBoardSub", 0);
      if (ctrl && vk == 'K') return Arg("mnSaveFileIcotoIcoClipBoardSub", 1);
      if (ctrl && vk == 'A') return "mn3SelectedAllFile";
      if (ctrl && vk == 'U') return "mn4cancleselectedFile";
      if (ctrl && vk == 'Z') return "mn4antiselectedFile";
      if (ctrl && vk == 'X') return "mn5RealDelSelectedFile";
      if (!ctrl && vk == 46) return "mn5DelSelectedFile";
      if (!ctrl && vk == F(2)) return "mnSaveFileIconUsedef";
      if (!ctrl && vk == F(4)) return "mnSaveSelFileIcotoIco";
      if (!ctrl && vk == F(5)) return "mnSaveSelFileIcotoBmp";
      if (!ctrl && vk == F(6)) return "mnSaveAllFileIcotoIco";
      if (!ctrl && vk == F(7)) return "mnSaveAllFileIcotoBmp";
      if (!ctrl && vk == 32) return "popup:PopFileMenu";  // Enter is the list's own
      return "";
    case Pane::ListViewPict:
    case Pane::ListViewLIco:
      if (ctrl && !alt) {
        if (fkey) return Arg(shift ? "mn12SaveSelectedIcoAsBmpSub" : "mn12SaveSelectedIcoAsIcoSub", n);
        if (vk == 'A') return "mn3SelectedAllIco";
        if (vk == 'U') return "mn4cancleselectedIco";
        if (vk == 'C') return Arg("mn5CopyIcoToClipperSub", 0);
        if (vk == 'X') return Arg("mn6CutIcoToClipperSub", 0);
        if (vk >= '1' && vk <= '4') return Arg("mn3SelectedIcoWithHWSub", d);
        if (vk == 'L') return "view:21";
        if (vk == 'S') return "view:22";
        if (vk == 'B') return "view:23";
        return "";
      }
      if (ctrl && alt) {
        if (fkey) return Arg(shift ? "mnCutIcoToIcoClipperSub" : "mnCopyIcoToIcoClipperSub", n);
        if (vk == 'C') return Arg("mnCopyIcoToIcoClipperSub", 0);
        if (vk == 'X') return Arg("mnCutIcoToIcoClipperSub", 0);
        if (sizeDigit)
          return Arg(shift ? "mn6CutIcoToClipperSub" : "mn5CopyIcoToClipperSub", d);
        return "";
      }
      if (alt) {
        if (fkey) return Arg(shift ? "mn22SaveAllIcoAsBmpSub" : "mn22SaveAllIcoAsIcoSub", n);
        if (vk >= '1' && vk <= '6') return Arg("mn3SelectedIcoWithColorSub", d);
        if (vk == 33) return "mn9LastGrpIcon";
        if (vk == 34) return "mn10NextGrpIcon";
        return "";
      }
      if (vk == 46) return "mn8DeleteIco";
      if (vk == F(3)) return "mnSaveIcoUsedef";
      if (vk == 32 || vk == 13) return "popup:PopIcoMenu";
      return "";
    case Pane::ListViewIcoClipboard: {
      if (ctrl) {
        const std::pair<char, const char*> keys[] = {
            {'M', "Clip(MoveSelectedIntoLibrary)"}, {'T', "Clip(MoveAllIntoLibrary)"},
            {'P', "Clip(CopySelectedToFolder)"},    {'W', "Clip(CopyAllToFolder)"},
            {'Y', "Clip(MoveSelectedToFolder)"},    {'G', "Clip(MoveAllToFolder)"},
            {'A', "Clip(SelectAll)"},               {'U', "Clip(ClearSelection)"},
            {'R', "Clip(DeleteAll)"},               {'L', "view:21"},
            {'B', "view:22"},                       {'S', "view:23"},
            {'C', "Clip(CopyToSystemClipboard)"},   {'X', "Clip(CutToSystemClipboard)"},
            {'F', "Clip(Refresh)"}};
        for (auto [k, what] : keys)
          if (vk == k) return what;
        return "";
      }
      if (vk == 46) return "Clip(DeleteSelected)";
      if (vk == 32 || vk == 13) return "popup:PoPIcoClipBoardMenu";
      return "";
    }
    case Pane::ListViewWebSite:
      if (ctrl && vk == 'I') return "Web(Open)";
      if (ctrl && vk == 'E') return "Web(Edit)";
      if (ctrl && vk == 'A') return "Web(Add)";
      if (!ctrl && vk == 46) return "Web(DeleteTicked)";
      if (!ctrl && (vk == 32 || vk == 13)) return "popup:PopWebMenu";
      return "";
    default:
      return "";
  }
}

std::vector<int> AllKeys() {
  std::vector<int> keys = {13, 32, 33, 34, 46, 9, 27, 45};
  for (int c = 'A'; c <= 'Z'; ++c) keys.push_back(c);
  for (int c = '0'; c <= '9'; ++c) keys.push_back(c);
  for (int k = 96; k <= 105; ++k) keys.push_back(k);  // number pad
  for (int k = F(1); k <= F(12); ++k) keys.push_back(k);
  return keys;
}

// What one key did, in the words of Expected().
std::string Outcome(FrameRig& rig) {
  if (!rig.view.popups.empty()) return "popup:" + rig.view.popups.back();
  if (rig.pages.calls.empty() && !rig.pages.viewModes.empty()) {
    switch (rig.pages.viewModes.back().second) {
      case ListViewMode::Report: return "view:21";
      case ListViewMode::List: return "view:22";
      case ListViewMode::LargeIcons: return "view:23";
    }
  }
  if (rig.pages.calls.size() == 1) return rig.pages.calls[0];
  std::string all;
  for (const auto& c : rig.pages.calls) all += c + ";";
  return all;
}

TEST(KeyDispatch, EveryKeyAgainstEveryPane) {
  for (Pane pane : {Pane::TreeViewL, Pane::ListViewLIco, Pane::ListViewIcoClipboard,
                    Pane::ImageComboLRD, Pane::TreeViewS, Pane::ListViewFile, Pane::ListViewPict,
                    Pane::ListViewWebSite, Pane::TextWebSite}) {
    FrameRig rig;
    rig.MakeCurrent(pane);
    for (Pane list : {Pane::ListViewFile, Pane::ListViewPict, Pane::ListViewIcoClipboard,
                      Pane::ListViewLIco, Pane::ListViewWebSite})
      rig.pages.counts[list] = 3;
    for (int vk : AllKeys()) {
      for (int m = 0; m < 8; ++m) {
        const bool ctrl = m & 1, alt = m & 2, shift = m & 4;
        rig.Clear();
        rig.frame.DispatchKey(vk, {ctrl, alt, shift});
        SCOPED_TRACE(std::string(PaneName(pane)) + " vk " + std::to_string(vk) + " ctrl " +
                     std::to_string(ctrl) + " alt " + std::to_string(alt) + " shift " +
                     std::to_string(shift));
        EXPECT_EQ(Outcome(rig), Expected(pane, vk, ctrl, alt, shift));
      }
    }
  }
}

TEST(KeyDispatch, ModifiersComeFromEachKeyAlone) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewPict);
  // Ctrl+Alt+A acts as Ctrl+A; the next Ctrl+Alt+C still copies into the icon clipboard.
  rig.frame.DispatchKey('A', {true, true, false});
  EXPECT_EQ(rig.pages.Last(), "mn3SelectedAllIco");
  rig.frame.DispatchKey('C', {true, true, false});
  EXPECT_EQ(rig.pages.Last(), "mnCopyIcoToIcoClipperSub(0)");
  // Ctrl+Alt+Shift+5 cuts to the system clipboard in size entry 4.
  rig.frame.DispatchKey('5', {true, true, true});
  EXPECT_EQ(rig.pages.Last(), "mn6CutIcoToClipperSub(4)");
  // Alt+F1 without Ctrl saves all icons; Ctrl+F1 the selected ones.
  rig.frame.DispatchKey(F(1), {false, true, false});
  EXPECT_EQ(rig.pages.Last(), "mn22SaveAllIcoAsIcoSub(0)");
  rig.frame.DispatchKey(F(1), {true, false, false});
  EXPECT_EQ(rig.pages.Last(), "mn12SaveSelectedIcoAsIcoSub(0)");
}

TEST(KeyDispatch, KeyDuringARunningCommandIsDropped) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewFile);
  int nested = 0;
  rig.pages.onCommand = [&] {
    // A long save yields to the event loop and another key arrives meanwhile.
    if (nested++ == 0) {
      EXPECT_FALSE(rig.frame.DispatchKey('A', {true, false, false}));
    }
    EXPECT_TRUE(rig.frame.KeyBusy());
  };
  EXPECT_TRUE(rig.frame.DispatchKey(F(4), {}));
  EXPECT_EQ(rig.pages.calls, std::vector<std::string>{"mnSaveSelFileIcotoIco"});
  EXPECT_FALSE(rig.frame.KeyBusy());
  rig.pages.onCommand = nullptr;
  EXPECT_TRUE(rig.frame.DispatchKey('A', {true, false, false}));
  EXPECT_EQ(rig.pages.Last(), "mn3SelectedAllFile");

  // The icon clipboard's view keys are its commands: they wait out a library change.
  rig.MakeCurrent(Pane::ListViewIcoClipboard);
  rig.pages.viewModes.clear();
  rig.pages.libraryBusy = true;
  rig.frame.DispatchKey('B', {true, false, false});
  EXPECT_TRUE(rig.pages.viewModes.empty());
  rig.pages.libraryBusy = false;
  rig.frame.DispatchKey('B', {true, false, false});
  EXPECT_FALSE(rig.pages.viewModes.empty());
}

TEST(KeyDispatch, ModifierKeysAndUnmatchedKeysStillLeaveThePaneCurrent) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewLIco);
  rig.frame.PaneLostFocus(Pane::ListViewLIco);
  EXPECT_EQ(rig.frame.FocusObj(), Pane::None);
  rig.Clear();
  for (int vk : {16, 17, 18}) EXPECT_FALSE(rig.frame.DispatchKey(vk, {true, true, true}));
  EXPECT_TRUE(rig.view.focused.empty());
  EXPECT_FALSE(rig.frame.DispatchKey('Q', {true, false, false}));
  EXPECT_EQ(rig.frame.FocusObj(), Pane::ListViewLIco);
  EXPECT_EQ(rig.view.focused, std::vector<Pane>{Pane::ListViewLIco});
}

TEST(KeyTable, NoTwoRowsOfAPaneShareAKey) {
  const auto rows = CommandRows();
  auto overlaps = [](Tri a, Tri b) { return a == Tri::Any || b == Tri::Any || a == b; };
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t j = i + 1; j < rows.size(); ++j) {
      const CommandRow& a = rows[i];
      const CommandRow& b = rows[j];
      if (!a.key.vk || !b.key.vk || (a.panes & b.panes) == 0) continue;
      const bool keys = a.key.vk < b.key.vk + b.span && b.key.vk < a.key.vk + a.span;
      const bool mods = overlaps(a.key.ctrl, b.key.ctrl) && overlaps(a.key.alt, b.key.alt) &&
                        overlaps(a.key.shift, b.key.shift);
      EXPECT_FALSE(keys && mods) << "rows " << i << " and " << j;
    }
  for (const CommandRow& r : rows) {
    if (r.key.vk) {
      EXPECT_FALSE(InSet(r.panes, Pane::None));
    }
  }
}

}  // namespace
}  // namespace glimmora::testing
