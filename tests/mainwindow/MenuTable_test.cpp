#include "mainwindow/MenuTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace glimmora {
namespace {

struct Expected {
  const char* name;
  int index;
  int row;
};

// Every captioned control of the main window's menus with its language row, written out from the
// caption list item by item (arrays of eight spelt out by their first row).
std::vector<Expected> CaptionList() {
  std::vector<Expected> e = {
      {"PopTreeViewSMenu", -1, 1}, {"mn2CloseTreeViewS", -1, 2}, {"mn3RefeshTreeViewS", -1, 3},
      {"mn1GotoCurDirTreeViewS", -1, 4}, {"PopTreeViewLMenu", -1, 5},
      {"mnTreeViewLPopMenuSub", 0, 6}, {"mnTreeViewLPopMenuSub", 1, 411},
      {"mnTreeViewLPopMenuSub", 3, 2}, {"mnTreeViewLPopMenuSub", 4, 454},
      {"mnTreeViewLPopMenuSub", 5, 3}, {"mnTreeViewLPopMenuSub", 6, 7}, {"PopFileMenu", -1, 8},
      {"mn1SaveIcoOfSelectedFile", -1, 9}, {"mnSaveSelFileIcotoIco", -1, 10},
      {"mnSaveSelFileIcotoBmp", -1, 11}, {"mn2SaveIconOfAllFile", -1, 12},
      {"mnSaveAllFileIcotoIco", -1, 13}, {"mnSaveAllFileIcotoBmp", -1, 14},
      {"mnSaveFileIconUsedef", -1, 15}, {"mnSaveFileIcotoIcoClipBoard", -1, 16},
      {"mnSaveFileIcotoIcoClipBoardSub", 0, 17}, {"mnSaveFileIcotoIcoClipBoardSub", 1, 18},
      {"mnMoveFileIcotoIcoClipBoard", -1, 19}, {"mnMoveFileIcotoIcoClipBoardSub", 0, 20},
      {"mnMoveFileIcotoIcoClipBoardSub", 1, 21}, {"mn3SelectedAllFile", -1, 22},
      {"mn4cancleselectedFile", -1, 23}, {"mn4antiselectedFile", -1, 24},
      {"mn5DelSelectedFile", -1, 25}, {"mn5RealDelSelectedFile", -1, 26},
      {"PopIcoMenu", -1, 27}, {"mn1SaveSelectedIco", -1, 28},
      {"mn11SaveSelectedIcoAsIco", -1, 29}, {"mn12SaveSelectedIcoAsBmp", -1, 38},
      {"mn2SaveAllIco", -1, 47}, {"mn21SaveAllIcoAsIco", -1, 48},
      {"mn22SaveAllIcoAsBmp", -1, 57}, {"mnSaveIcoUsedef", -1, 66},
      {"mn3SelectedAllIco", -1, 67}, {"mn3SelectedIcoWithHW", -1, 68},
      {"mn3SelectedIcoWithColor", -1, 73}, {"mn4cancleselectedIco", -1, 80},
      {"mnCopyIcoToIcoClipper", -1, 81}, {"mnCutIcoToIcoClipper", -1, 90},
      {"mn5CopyIcoToClipper", -1, 99}, {"mn6CutIcoToClipper", -1, 108},
      {"mn8DeleteIco", -1, 117}, {"mn9LastGrpIcon", -1, 118}, {"mn10NextGrpIcon", -1, 119},
      {"PoPIcoClipBoardMenu", -1, 120}, {"mnIcoClipBoardMenuSub", 22, 137},
      {"mnIcoClipBoardMenuSub", 24, 413}, {"PopWebMenu", -1, 138}, {"mnWebSiteSub", 0, 139},
      {"mnWebSiteSub", 2, 140}, {"mnWebSiteSub", 3, 141}, {"mnWebSiteSub", 4, 142},
      {"mnOptSet", -1, 143}, {"mnchglang", -1, 144}, {"mnchglangsub", 0, 145},
      {"mnchglangsub", 1, 146}, {"mnchglangsub", 2, 147}, {"mnHelp", -1, 148},
      {"mnHelpContents", -1, 149}, {"mnHelpWebsite", -1, 150}, {"mnHelpFrdLink", -1, 152},
      {"mnHelpAbout", -1, 153}, {"mnIcodispSub", 0, 455}, {"mnIcodispSub", 1, 456},
      {"mnIcodispSub", 2, 457},
  };
  const std::pair<const char*, int> eights[] = {
      {"mn12SaveSelectedIcoAsIcoSub", 30}, {"mn12SaveSelectedIcoAsBmpSub", 39},
      {"mn22SaveAllIcoAsIcoSub", 49},      {"mn22SaveAllIcoAsBmpSub", 58},
      {"mnCopyIcoToIcoClipperSub", 82},    {"mnCutIcoToIcoClipperSub", 91},
      {"mn5CopyIcoToClipperSub", 100},     {"mn6CutIcoToClipperSub", 109}};
  for (const auto& [name, first] : eights)
    for (int i = 0; i < 8; ++i) e.push_back({name, i, first + i});
  for (int i = 0; i < 4; ++i) e.push_back({"mn3SelectedIcoWithHWSub", i, 69 + i});
  for (int i = 0; i < 6; ++i) e.push_back({"mn3SelectedIcoWithColorSub", i, 74 + i});
  const int clip[] = {0, 1, 3, 4, 6, 7, 9, 10, 12, 13, 15, 16, 17, 19, 20};
  for (int i = 0; i < 15; ++i) e.push_back({"mnIcoClipBoardMenuSub", clip[i], 121 + i});
  return e;
}

TEST(MenuTableTest, EveryCaptionedItemIsThereWithItsRow) {
  const std::vector<Expected> expected = CaptionList();
  for (const Expected& x : expected) {
    const MenuEntry* e = FindMenuEntry(x.name, x.index);
    ASSERT_NE(e, nullptr) << x.name << "(" << x.index << ")";
    EXPECT_EQ(e->captionRow, x.row) << x.name << "(" << x.index << ")";
    EXPECT_NE(e->kind, MenuKind::Separator) << x.name;
  }
  // Nothing captioned beyond the list: every other entry is a separator.
  std::size_t captioned = 0;
  for (const MenuEntry& e : MenuTable())
    if (e.kind != MenuKind::Separator) ++captioned;
  EXPECT_EQ(captioned, expected.size());
}

TEST(MenuTableTest, ArrayIndexesWithoutACaptionAreSeparatorsThatKeepTheirPlace) {
  for (int i : {2, 5, 8, 11, 14, 18, 21, 23}) {
    const MenuEntry* e = FindMenuEntry("mnIcoClipBoardMenuSub", i);
    ASSERT_NE(e, nullptr) << i;
    EXPECT_EQ(e->kind, MenuKind::Separator);
  }
  ASSERT_NE(FindMenuEntry("mnWebSiteSub", 1), nullptr);
  EXPECT_EQ(FindMenuEntry("mnWebSiteSub", 1)->kind, MenuKind::Separator);
  ASSERT_NE(FindMenuEntry("mnTreeViewLPopMenuSub", 2), nullptr);
  ASSERT_NE(FindMenuEntry("mnbreak21"), nullptr);

  // The clipboard menu runs 0..24 in index order, as its dispatcher numbers them.
  int next = 0;
  for (const MenuEntry* e : MenuChildren("PoPIcoClipBoardMenu")) EXPECT_EQ(e->index, next++);
  EXPECT_EQ(next, 25);
}

TEST(MenuTableTest, ParentsComeFirstAndKeysAreUnique) {
  std::set<std::string> menus{""};
  std::set<std::string> keys;
  for (const MenuEntry& e : MenuTable()) {
    EXPECT_TRUE(menus.count(std::string(e.parent))) << e.name << " before its parent " << e.parent;
    if (e.kind == MenuKind::Menu) menus.insert(std::string(e.name));
    EXPECT_TRUE(keys.insert(MenuEntryKey(e.name, e.index)).second) << MenuEntryKey(e.name, e.index);
  }
  // The menu bar: the pane menus, then options, language and help.
  std::vector<std::string> top;
  for (const MenuEntry* e : MenuChildren("")) top.emplace_back(e->name);
  EXPECT_EQ(top, (std::vector<std::string>{"PopTreeViewSMenu", "PopTreeViewLMenu", "PopFileMenu",
                                           "PopIcoMenu", "PoPIcoClipBoardMenu", "PopWebMenu",
                                           "mnOptSet", "mnchglang", "mnHelp"}));
}

TEST(MenuTableTest, CaptionIsTheRowInTheCurrentLanguageWithItsKeyHint) {
  LanguageTable table;
  table.LangStr[0][121] = "&Move to library";
  table.LangStr[2][121] = "移入圖庫";
  table.LangStr[0][27] = "&Icons";
  const MenuEntry& move = *FindMenuEntry("mnIcoClipBoardMenuSub", 0);
  EXPECT_EQ(MenuCaption(move, table), "&Move to library\tCtrl+M");
  EXPECT_EQ(MenuCaption(*FindMenuEntry("PopIcoMenu"), table), "&Icons");
  table.CurLang = Language::ChineseBig5;
  EXPECT_EQ(MenuCaption(move, table), "移入圖庫\tCtrl+M");
  // A row the language files leave empty gives an empty caption.
  EXPECT_EQ(MenuCaption(*FindMenuEntry("PopIcoMenu"), table), "");
  EXPECT_EQ(MenuCaption(*FindMenuEntry("mnCutIcoToIcoClipperSub", 3), table),
            "\tCtrl+Alt+Shift+F4");
  // A text with its own key column is not given a second one.
  table.LangStr[2][121] = "移入圖庫\tCtrl+M";
  EXPECT_EQ(MenuCaption(move, table), "移入圖庫\tCtrl+M");
}

}  // namespace
}  // namespace glimmora
