// The current pane, the page switch and the window caption.

#include <gtest/gtest.h>

#include "support/FrameFakes.h"

namespace glimmora::testing {
namespace {

TEST(CurrentPane, EachPageRemembersItsLastPane) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewIcoClipboard);
  rig.MakeCurrent(Pane::ListViewFile);
  rig.Clear();
  rig.ShowPage(Page::Library);
  EXPECT_EQ(rig.frame.FocusObj(), Pane::ListViewIcoClipboard);
  EXPECT_EQ(rig.frame.CurListView(), Pane::ListViewIcoClipboard);
  EXPECT_EQ(rig.view.focused, std::vector<Pane>{Pane::ListViewIcoClipboard});
  EXPECT_TRUE(rig.view.Enabled("PoPIcoClipBoardMenu"));
  EXPECT_FALSE(rig.view.Enabled("PopIcoMenu"));
  EXPECT_TRUE(rig.view.Enabled("mnOptSet"));
  rig.Clear();
  rig.ShowPage(Page::Source);
  EXPECT_EQ(rig.frame.CurListView(), Pane::ListViewFile);
  EXPECT_TRUE(rig.view.Enabled("PopFileMenu"));
  EXPECT_FALSE(rig.view.Enabled("PopIcoMenu"));
  EXPECT_EQ(rig.pages.summaries.back(), "SelectIcoSourceIco");
}

TEST(CurrentPane, WebPageWithoutPaneSwitchesNothingOff) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewPict);
  rig.frame.SetToolButtonsEnabled(6, 30, true);
  rig.view.menuEnabled.clear();
  rig.ShowPage(Page::WebSite);
  EXPECT_EQ(rig.frame.FocusObj(), Pane::None);
  EXPECT_EQ(rig.frame.CurListView(), Pane::None);
  EXPECT_EQ(rig.view.menuEnabled.count("PopIcoMenu"), 0u);
  EXPECT_TRUE(rig.view.toolbar.Enabled(26));
  EXPECT_FALSE(rig.view.Enabled("mnOptSet"));
}

TEST(CurrentPane, RecentLibraryBoxIsCurrentWithoutFocusOrMenus) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewLIco);
  rig.frame.PaneGotFocus(Pane::ImageComboLRD);
  rig.MakeCurrent(Pane::ListViewFile);
  rig.Clear();
  rig.view.menuEnabled.clear();
  rig.ShowPage(Page::Library);
  EXPECT_EQ(rig.frame.FocusObj(), Pane::ImageComboLRD);
  EXPECT_TRUE(rig.view.focused.empty());
  EXPECT_EQ(rig.view.menuEnabled.count("PopIcoMenu"), 0u);
  EXPECT_EQ(rig.view.menuEnabled.count("PoPIcoClipBoardMenu"), 0u);
  EXPECT_FALSE(rig.view.Enabled("mnOptSet"));
}

TEST(CurrentPane, InputBoxesLeaveNoPaneCurrent) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewLIco);
  rig.frame.InputBoxGotFocus(Page::Library);  // the keyword box
  EXPECT_FALSE(rig.view.Enabled("PopIcoMenu"));
  EXPECT_FALSE(rig.view.toolbar.Enabled(16));
  rig.Clear();
  rig.frame.RunToolbarButton(16);
  EXPECT_TRUE(rig.pages.calls.empty());
  EXPECT_EQ(rig.frame.CurListView(), Pane::None);
}

TEST(CurrentPane, TheTreesSwitchThePopupMenusAndLeaveTheToolbar) {
  for (Pane tree : {Pane::TreeViewS, Pane::TreeViewL}) {
    FrameRig rig;
    rig.MakeCurrent(tree == Pane::TreeViewS ? Pane::ListViewPict : Pane::ListViewLIco);
    rig.frame.SetToolButtonsEnabled(6, 30, true);  // e.g. clipboard icons selected: button 6 on
    rig.frame.PaneGotFocus(tree);
    EXPECT_EQ(rig.frame.FocusObj(), tree);
    EXPECT_FALSE(rig.view.Enabled("PopIcoMenu"));
    for (int b : {6, 11, 13, 16, 17, 18, 21, 23}) EXPECT_TRUE(rig.view.toolbar.Enabled(b)) << "button " << b;
  }
}

// Switching pages, Qt focuses a control of the new page before the tab click runs.
TEST(PageSwitch, FocusThatArrivesBeforeTheTabClickBelongsToTheNewPage) {
  struct Case {
    Pane from, arriving;
    Page to;
    int vk;
    std::string command;
  };
  const Case cases[] = {
      {Pane::TreeViewL, Pane::ListViewWebSite, Page::WebSite, 'E', "Web(Edit)"},
      {Pane::TreeViewL, Pane::TreeViewS, Page::Source, 'L', "mn2CloseTreeViewS"},
      {Pane::ListViewFile, Pane::ListViewWebSite, Page::WebSite, 'A', "Web(Add)"},
  };
  for (const Case& c : cases) {
    FrameRig rig;
    rig.MakeCurrent(c.from);
    rig.frame.PaneGotFocus(c.arriving);
    rig.ShowPage(c.to);
    EXPECT_EQ(rig.frame.FocusObj(), c.arriving);
    rig.frame.DispatchKey(c.vk, {true, false, false});
    EXPECT_EQ(rig.pages.Last(), c.command);
    rig.ShowPage(PageOfPane(c.from));  // the page left keeps its own pane
    EXPECT_EQ(rig.frame.FocusObj(), c.from);
  }
  // A box of the page being left takes nothing away from the page shown.
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewLIco);
  rig.frame.InputBoxGotFocus(Page::Source);
  EXPECT_TRUE(rig.view.Enabled("PopIcoMenu"));
  rig.frame.GetObjGet(true);
  EXPECT_EQ(rig.frame.CurListView(), Pane::ListViewLIco);
}

TEST(CurrentPane, FocusMovedByTheFrameDoesNotRecountTwice) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewPict);
  // The window reports the focus change the frame itself asked for.
  rig.view.focused.clear();
  rig.pages.summaries.clear();
  rig.view.onFocus = [&](Pane p) { rig.frame.PaneGotFocus(p); };
  rig.frame.GetObjGet(false);
  ASSERT_EQ(rig.view.focused, std::vector<Pane>{Pane::ListViewPict});
  EXPECT_EQ(rig.pages.summaries, std::vector<std::string>{"SelectIco"});
}

TEST(PageSwitch, FolderTreeIsRebuiltOncePerDirtyMark) {
  FrameRig rig;
  rig.treeDirty = true;
  rig.ShowPage(Page::Library);
  EXPECT_TRUE(rig.pages.calls.empty());
  rig.ShowPage(Page::Source);
  EXPECT_EQ(rig.pages.calls, std::vector<std::string>{"mn3RefeshTreeViewS"});
  EXPECT_FALSE(rig.treeDirty);
  rig.ShowPage(Page::Library);
  rig.ShowPage(Page::Source);
  EXPECT_EQ(rig.pages.calls.size(), 1u);
  EXPECT_FALSE(rig.view.waitCursor);
}

TEST(PageSwitch, ShowsTheFrameAndThePopupMenusOfThePage) {
  FrameRig rig;
  rig.ShowPage(Page::Source);
  EXPECT_EQ(rig.view.pagesShown.back(), Page::Source);
  const std::map<std::string, bool> source = {
      {"PopFileMenu", true},       {"PopIcoMenu", true},           {"PopTreeViewSMenu", true},
      {"PopTreeViewLMenu", false}, {"PoPIcoClipBoardMenu", false}, {"PopWebMenu", false}};
  EXPECT_EQ(rig.view.menuVisible, source);
  rig.ShowPage(Page::WebSite);
  for (const auto& [m, v] : rig.view.menuVisible) EXPECT_EQ(v, m == "PopWebMenu") << m;
  rig.ShowPage(Page::Library);
  EXPECT_TRUE(rig.view.menuVisible["PoPIcoClipBoardMenu"]);
  EXPECT_TRUE(rig.view.menuVisible["PopIcoMenu"]);
  EXPECT_FALSE(rig.view.menuVisible["PopFileMenu"]);
}

TEST(Caption, ShowsPageAndPlace) {
  FrameRig rig;
  rig.pages.libNode = TreeNodeInfo{"Arrows (12)", true, "Basics"};
  rig.ShowPage(Page::Library);
  EXPECT_EQ(rig.view.caption, "Glimmora -> Icon Library -> Basics -> Arrows");
  rig.pages.libNode = TreeNodeInfo{"Basics", false, ""};
  rig.frame.SetMeCaption();
  EXPECT_EQ(rig.view.caption, "Glimmora -> Icon Library -> Basics");
  rig.pages.libNode = TreeNodeInfo{"Basics", true, "Root"};
  rig.frame.SetMeCaption();
  EXPECT_EQ(rig.view.caption, "Glimmora -> Icon Library -> Basics");
  rig.pages.libNode.reset();
  rig.frame.SetMeCaption();
  EXPECT_EQ(rig.view.caption, "Glimmora -> Icon Library");

  rig.pages.folderKey = "/home/ann/icons";
  rig.ShowPage(Page::Source);
  EXPECT_EQ(rig.view.caption, "Glimmora -> Source Files -> /home/ann/icons");
  rig.ShowPage(Page::WebSite);
  EXPECT_EQ(rig.view.caption, "Glimmora -> Web Sites ");
}

TEST(Popups, OpenOnlyForListsWithItems) {
  // A pane without a popup of its own opens none.
  ListCounts none;
  EXPECT_EQ(PopupMenuFor(Pane::ListViewFile, none), "");
  EXPECT_EQ(PopupMenuFor(Pane::TreeViewS, none), "PopTreeViewSMenu");
  EXPECT_EQ(PopupMenuFor(Pane::TreeViewL, none), "PopTreeViewLMenu");
  ListCounts some{1, 0, 0, 2, 0};
  EXPECT_EQ(PopupMenuFor(Pane::ListViewLIco, some), "PopIcoMenu");
  EXPECT_EQ(PopupMenuFor(Pane::ListViewPict, some), "");
  EXPECT_EQ(PopupMenuFor(Pane::ListViewFile, some), "PopFileMenu");
  EXPECT_EQ(PopupMenuFor(Pane::ListViewIcoClipboard, some), "");
  EXPECT_EQ(PopupMenuFor(Pane::ImageComboLRD, some), "");
  EXPECT_EQ(PopupMenuFor(Pane::TextWebSite, some), "");
}

TEST(Popups, MousePopupLeavesItemsOutThatTheKeyboardShows) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewIcoClipboard);
  rig.pages.counts[Pane::ListViewIcoClipboard] = 2;
  rig.view.pointer = {40, 50};
  rig.frame.PopMenuFromMouse(Pane::ListViewIcoClipboard);
  ASSERT_EQ(rig.view.popups, std::vector<std::string>{"PoPIcoClipBoardMenu"});
  for (int i : {3, 4, 6, 7, 19, 20}) {
    EXPECT_FALSE((rig.view.itemVisibleAtPopup[0].at({"mnIcoClipBoardMenuSub", i}))) << i;
    EXPECT_TRUE((rig.view.itemVisible.at({"mnIcoClipBoardMenuSub", i}))) << i;
  }
  EXPECT_EQ(rig.view.itemVisibleAtPopup[0].count({"mnIcoClipBoardMenuSub", 0}), 0u);

  rig.frame.DispatchKey(kVkSpace, {});
  ASSERT_EQ(rig.view.popups.size(), 2u);
  EXPECT_TRUE((rig.view.itemVisibleAtPopup[1].at({"mnIcoClipBoardMenuSub", 19})));

  rig.MakeCurrent(Pane::ListViewLIco);
  rig.pages.counts[Pane::ListViewLIco] = 1;
  rig.frame.PopMenuFromMouse(Pane::ListViewLIco);
  EXPECT_EQ(rig.view.popups.back(), "PopIcoMenu");
  EXPECT_FALSE(rig.view.menuVisibleAtPopup.back().at("mn5CopyIcoToClipper"));
  EXPECT_TRUE(rig.view.menuVisible.at("mn5CopyIcoToClipper"));
  EXPECT_EQ(rig.frame.CursorPos(), (ScreenPoint{40, 50}));
}

TEST(ListHelpers, AntiSelectInvertsAndRecountsWithoutMovingThePointer) {
  FrameRig rig;
  rig.frame.AntiSelect(Pane::ListViewFile);
  EXPECT_EQ(rig.pages.calls, std::vector<std::string>{"Invert:ListViewFile"});
  EXPECT_EQ(rig.pages.summaries, std::vector<std::string>{"SelectIcoSourceIco"});
  rig.Clear();
  rig.frame.AntiSelect(Pane::ListViewLIco);
  EXPECT_EQ(rig.pages.summaries, std::vector<std::string>{"SelectLibIco"});
  rig.Clear();
  rig.frame.AntiSelect(Pane::ListViewWebSite);
  EXPECT_TRUE(rig.pages.calls.empty());
  EXPECT_TRUE(rig.view.pointerMoves.empty());
}

TEST(ListHelpers, SelectionBySizeColourOrCancelPutsThePointerBack) {
  FrameRig rig;
  rig.MakeCurrent(Pane::ListViewPict);
  rig.frame.RecordCursorPos({7, 9});
  rig.frame.DispatchKey('2', {true, false, false});
  EXPECT_EQ(rig.pages.Last(), "mn3SelectedIcoWithHWSub(1)");
  EXPECT_EQ(rig.view.pointerMoves, (std::vector<ScreenPoint>{ScreenPoint{7, 9}}));
  rig.frame.RunMenuItem("mn3SelectedAllIco");
  EXPECT_EQ(rig.view.pointerMoves.size(), 1u);
  rig.frame.RunMenuItem("mn4cancleselectedIco");
  rig.frame.RunMenuItem("mn3SelectedIcoWithColorSub", 5);
  EXPECT_EQ(rig.view.pointerMoves.size(), 3u);
  rig.ShowPage(Page::WebSite);  // the commands do nothing there, the pointer stays too
  rig.frame.RunMenuItem("mn4cancleselectedIco");
  EXPECT_EQ(rig.view.pointerMoves.size(), 3u);
}

}  // namespace
}  // namespace glimmora::testing
