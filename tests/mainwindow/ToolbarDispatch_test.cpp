// Toolbar commands against every pane: which page procedure runs, with which argument.

#include <gtest/gtest.h>

#include "icons/SizeChoices.h"
#include "support/FrameFakes.h"

namespace glimmora::testing {
namespace {

struct Context {
  Page page;
  Pane pane;  // Pane::None: the page shown without a current pane
};

std::vector<Context> AllContexts() {
  std::vector<Context> out;
  for (Pane p : {Pane::TreeViewL, Pane::ListViewLIco, Pane::ListViewIcoClipboard,
                 Pane::ImageComboLRD, Pane::TreeViewS, Pane::ListViewFile, Pane::ListViewPict,
                 Pane::ListViewWebSite, Pane::TextWebSite})
    out.push_back({PageOfPane(p), p});
  for (Page g : {Page::Library, Page::Source, Page::WebSite}) out.push_back({g, Pane::None});
  return out;
}

// What each command does, as the toolbar's description puts it.
std::string Expected(int cmd, Context c) {
  const bool file = c.pane == Pane::ListViewFile;
  const bool icons = c.pane == Pane::ListViewPict || c.pane == Pane::ListViewLIco;
  const bool clip = c.pane == Pane::ListViewIcoClipboard;
  const bool web = c.pane == Pane::ListViewWebSite;
  const bool lib = c.page == Page::Library;
  switch (cmd) {
    case 1: return lib ? "LibTree(CollapseAll)" : "mn2CloseTreeViewS";
    case 2: return lib ? "LibTree(Refresh)" : "mn3RefeshTreeViewS";
    case 3: return "LibTree(NewCategoryOrLibrary)";
    case 6: return "Clip(MoveSelectedIntoLibrary)";
    case 7: return "Clip(CopySelectedToFolder)";
    case 8: return "Clip(DeleteAll)";
    case 11: return "mn12SaveSelectedIcoAsIcoSub(0)";
    case 12: return "mn12SaveSelectedIcoAsBmpSub(0)";
    case 13: return file ? "mnSaveFileIconUsedef" : "mnSaveIcoUsedef";
    case 14: return "mnCopyIcoToIcoClipperSub(0)";
    case 16:
      if (file) return "mn5DelSelectedFile";
      if (icons) return "mn8DeleteIco";
      if (clip) return "Clip(DeleteSelected)";
      if (web) return "Web(DeleteTicked)";
      return "";
    case 17:
      if (file) return "mn3SelectedAllFile";
      if (icons) return "mn3SelectedAllIco";
      if (clip) return "Clip(SelectAll)";
      return "";
    case 18:
      if (file) return "mn4cancleselectedFile";
      if (icons) return "mn4cancleselectedIco";
      if (clip) return "Clip(ClearSelection)";
      return "";
    case 26: return "Web(Open)";
    case 27: return "Web(Edit)";
    case 28: return "Web(Add)";
    case 29: return "Web(DeleteTicked)";
    case 31: return "mnHelpContents";
    case 32: return "OpenSupportMail";
    default: return "";
  }
}

TEST(ToolbarDispatch, EveryCommandAgainstEveryPane) {
  for (const Context& c : AllContexts()) {
    for (int cmd = 0; cmd <= 33; ++cmd) {
      FrameRig rig;
      if (c.pane == Pane::None) rig.ShowPage(c.page);
      else rig.MakeCurrent(c.pane);
      rig.Clear();
      rig.frame.RunToolbarButton(cmd);
      const std::string want = Expected(cmd, c);
      SCOPED_TRACE("command " + std::to_string(cmd) + " pane '" + std::string(PaneName(c.pane)) +
                   "' page " + std::to_string(static_cast<int>(c.page)));
      if (want.empty()) {
        EXPECT_TRUE(rig.pages.calls.empty()) << rig.pages.Last();
      } else {
        ASSERT_EQ(rig.pages.calls.size(), 1u);
        EXPECT_EQ(rig.pages.calls[0], want);
      }
      // Every command first makes the remembered pane current again.
      EXPECT_EQ(rig.frame.FocusObj(), c.pane);
    }
  }
}

TEST(ToolbarDispatch, VisibleButtonsCarryTheTooltipRowsInOrder) {
  std::vector<int> tips;
  for (int i = 1; i <= kToolbarSlots; ++i)
    if (ToolbarSlotKind(i) == SlotKind::Command) tips.push_back(ToolbarTipRow(i));
  std::vector<int> want = {242, 243, 244, 376};
  for (int r = 245; r <= 262; ++r) want.push_back(r);
  EXPECT_EQ(tips, want);
  for (int hidden : {4, 9, 19, 24}) EXPECT_EQ(ToolbarSlotKind(hidden), SlotKind::Hidden);
  for (int sep : {5, 10, 15, 20, 25, 30}) EXPECT_EQ(ToolbarSlotKind(sep), SlotKind::Separator);
}

TEST(ToolbarDispatch, PageSwitchSetsTheButtonsOfThePage) {
  FrameRig rig;
  rig.frame.SetToolButtonsEnabled(1, 32, false);
  rig.frame.SetToolButtonsEnabled(31, 32, true);
  rig.ShowPage(Page::WebSite);
  const ToolbarState& t = rig.view.toolbar;
  for (int i = 1; i <= 23; ++i) EXPECT_FALSE(t.Enabled(i)) << i;
  for (int i = 26; i <= 29; ++i) EXPECT_TRUE(t.Enabled(i)) << i;
  EXPECT_TRUE(t.Enabled(31));
  EXPECT_TRUE(t.Enabled(32));

  rig.MakeCurrent(Pane::ListViewPict);
  EXPECT_FALSE(rig.view.toolbar.Enabled(3));
  EXPECT_TRUE(rig.view.toolbar.Enabled(2));
  for (int i = 26; i <= 29; ++i) EXPECT_FALSE(rig.view.toolbar.Enabled(i)) << i;

  rig.MakeCurrent(Pane::ListViewLIco);
  EXPECT_TRUE(rig.view.toolbar.Enabled(3));
}

TEST(ToolbarDispatch, NoCurrentPaneSwitchesOffTheListCommands) {
  FrameRig rig;
  rig.ShowPage(Page::Source);  // nothing focused on the source page yet
  for (int i = 6; i <= 30; ++i) EXPECT_FALSE(rig.view.toolbar.Enabled(i)) << i;
  EXPECT_TRUE(rig.view.toolbar.Enabled(1));
  EXPECT_FALSE(rig.view.Enabled("mnOptSet"));
  EXPECT_FALSE(rig.view.Enabled("PopFileMenu"));
}

TEST(ToolbarDispatch, SetToolBarEnIgnoresOtherCallers) {
  FrameRig rig;
  rig.frame.SetToolButtonsEnabled(1, 32, false);
  rig.frame.SetToolBarEn("ListViewFile", 0);
  for (int i = 1; i <= 32; ++i) EXPECT_FALSE(rig.frame.Toolbar().Enabled(i));
}

TEST(ViewButtons, OnTheWebPageOnlyTheButtonChangesUntilTheSourcePageShows) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewWebSite);
  rig.Clear();
  rig.frame.RunToolbarButton(22);
  EXPECT_EQ(rig.view.toolbar.pressedView, ListViewMode::List);
  EXPECT_TRUE(rig.pages.viewModes.empty());

  rig.ShowPage(Page::Source);
  ASSERT_FALSE(rig.pages.viewModes.empty());
  EXPECT_EQ(rig.pages.viewModes.back(), std::make_pair(Pane::ListViewPict, ListViewMode::List));
  EXPECT_FALSE(rig.view.ItemEnabled("mnIcodispSub", 1));
  EXPECT_TRUE(rig.view.ItemEnabled("mnIcodispSub", 0));
}

TEST(ViewButtons, ClipboardListUsesItsOwnMenuItems) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewIcoClipboard);
  rig.Clear();
  rig.view.itemEnabled.clear();
  rig.frame.RunToolbarButton(22);
  EXPECT_EQ(rig.pages.viewModes,
            (std::vector<std::pair<Pane, ListViewMode>>{{Pane::ListViewIcoClipboard, ListViewMode::List}}));
  EXPECT_TRUE(rig.view.ItemEnabled("mnIcoClipBoardMenuSub", 15));
  EXPECT_FALSE(rig.view.ItemEnabled("mnIcoClipBoardMenuSub", 16));
  EXPECT_TRUE(rig.view.ItemEnabled("mnIcoClipBoardMenuSub", 17));
  for (int i = 0; i <= 2; ++i) EXPECT_EQ(rig.view.itemEnabled.count({"mnIcodispSub", i}), 0u);
}

TEST(ViewButtons, ReportChosenOnSourcePageReachesLibraryIcons) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewPict);
  rig.frame.RunToolbarButton(21);
  rig.Clear();
  rig.MakeCurrent(Pane::ListViewLIco);
  ASSERT_FALSE(rig.pages.viewModes.empty());
  EXPECT_EQ(rig.pages.viewModes.back(),
            std::make_pair(Pane::ListViewLIco, ListViewMode::Report));
}

TEST(ViewButtons, ViewMenuItemsAreTheViewButtons) {
  for (int i = 0; i <= 2; ++i) {
    FrameRig byMenu, byButton;
    byMenu.MakeCurrent(Pane::ListViewPict);
    byButton.MakeCurrent(Pane::ListViewPict);
    byMenu.Clear();
    byButton.Clear();
    EXPECT_TRUE(byMenu.frame.RunMenuItem("mnIcodispSub", i));
    byButton.frame.RunToolbarButton(21 + i);
    EXPECT_EQ(byMenu.view.toolbar.pressedView, ViewModeOfButton(21 + i));
    EXPECT_EQ(byMenu.pages.viewModes, byButton.pages.viewModes);
    EXPECT_EQ(byMenu.view.itemEnabled, byButton.view.itemEnabled);
  }
}

TEST(MenuItems, ItemsRunTheirProcedureWhateverPaneIsCurrent) {
  FrameRig rig;
  rig.MakeCurrent(Pane::TreeViewS);
  struct Case {
    const char* menu;
    int index;
    const char* call;
  } cases[] = {
      {"mn12SaveSelectedIcoAsIcoSub", 5, "mn12SaveSelectedIcoAsIcoSub(5)"},
      {"mn6CutIcoToClipperSub", 0, "mn6CutIcoToClipperSub(0)"},
      {"mn6CutIcoToClipperSub", 7, "mn6CutIcoToClipperSub(7)"},
      {"mn5CopyIcoToClipperSub", 3, "mn5CopyIcoToClipperSub(3)"},
      {"mn3SelectedIcoWithColorSub", 5, "mn3SelectedIcoWithColorSub(5)"},
      {"mnIcoClipBoardMenuSub", 24, "Clip(OpenInEditor)"},
      {"mnIcoClipBoardMenuSub", 22, "Clip(Refresh)"},
      {"mnTreeViewLPopMenuSub", 1, "LibTree(DeleteCategoryOrLibrary)"},
      {"mnWebSiteSub", 2, "Web(Edit)"},
      {"mnchglangsub", 2, "mnchglangsub(2)"},
      {"mnSaveFileIconUsedef", -1, "mnSaveFileIconUsedef"},
      {"mn5RealDelSelectedFile", -1, "mn5RealDelSelectedFile"},
      {"mnHelpAbout", -1, "mnHelpAbout"},
  };
  for (const Case& c : cases) {
    rig.pages.Clear();
    EXPECT_TRUE(rig.frame.RunMenuItem(c.menu, c.index)) << c.menu;
    EXPECT_EQ(rig.pages.Last(), c.call);
  }
  EXPECT_FALSE(rig.frame.RunMenuItem("mnIcoClipBoardMenuSub", 23));
  EXPECT_FALSE(rig.frame.RunMenuItem("mn6CutIcoToClipperSub", kSizeChoiceCount));
  EXPECT_FALSE(rig.frame.RunMenuItem("PopIcoMenu"));
}

TEST(MenuItems, OptionsOpenOnlyForListsWithSaveParameters) {
  for (Pane p : {Pane::ListViewLIco, Pane::ListViewPict, Pane::ListViewFile,
                 Pane::ListViewIcoClipboard, Pane::TreeViewS, Pane::TreeViewL,
                 Pane::ImageComboLRD, Pane::ListViewWebSite}) {
    FrameRig rig;
    rig.MakeCurrent(p);
    rig.frame.RunMenuItem("mnOptSet");
    const bool has = p == Pane::ListViewLIco || p == Pane::ListViewPict ||
                     p == Pane::ListViewFile || p == Pane::ListViewIcoClipboard;
    EXPECT_EQ(rig.view.optionsOpened, has ? std::vector<Pane>{p} : std::vector<Pane>{})
        << PaneName(p);
  }
}

}  // namespace
}  // namespace glimmora::testing
