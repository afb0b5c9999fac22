#include "mainwindow/MenuTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "text/LangRows.h"
#include "text/LanguageFiles.h"
#include "icons/SizeChoices.h"
#include "support/MenuLookup.h"
#include "mainwindow/CommandTable.h"

namespace glimmora {
namespace {

using testing::FindMenuEntry;
using testing::MenuChildren;

// The captions as shipped: every captioned entry has its row's text in all three languages, and
// no two entries of one menu read alike (the accelerator's '&' aside), in any language.
TEST(MenuTableTest, EveryCaptionIsShippedInThreeLanguagesAndNoneRepeatsInItsMenu) {
  LanguageTable shipped;
  LoadLanguageStrings(GLIMMORA_APP_DIR, shipped);
  for (Language lang : {Language::English, Language::ChineseGB, Language::ChineseBig5}) {
    std::map<std::string_view, std::set<std::string>> captions;  // by menu
    for (const MenuEntry& e : MenuTable()) {
      const std::string entry = MenuEntryKey(e.name, e.index) + " in language " + std::to_string(static_cast<int>(lang));
      if (e.kind == MenuKind::Separator) {
        EXPECT_EQ(e.captionRow, 0) << entry;
        continue;
      }
      std::string text = shipped.Text(lang, e.captionRow);
      std::erase(text, '&');
      EXPECT_FALSE(text.empty()) << entry << ": row " << e.captionRow << " is not shipped";
      EXPECT_TRUE(captions[e.parent].insert(text).second) << entry << ": \"" << text << "\" twice in " << e.parent;
    }
  }
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

// Every menu of sizes offers exactly the size table's choices in its order, each captioned by the
// table's own row for that menu and running its command with the choice's index; no row captions
// two items, as the next menu's heading would if a menu took consecutive rows.
TEST(MenuTableTest, SizeMenusOfferExactlyTheTableSizesWithTheirRowsAndCommands) {
  std::set<int> rows;
  for (int m = 0; m < kSizeMenuCount; ++m) {
    const auto menu = static_cast<SizeMenu>(m);
    const auto own = std::find_if(MenuTable().begin(), MenuTable().end(), [&](const MenuEntry& e) {
      return e.captionRow == kSizeChoices[0].MenuRow(menu);
    });
    ASSERT_NE(own, MenuTable().end()) << "size menu " << m;
    std::vector<const MenuEntry*> items;
    for (const MenuEntry& e : MenuTable())
      if (e.name == own->name) items.push_back(&e);
    ASSERT_EQ(items.size(), kSizeChoices.size()) << own->name;
    for (int i = 0; i < kSizeChoiceCount; ++i) {
      const MenuEntry& item = *items[static_cast<std::size_t>(i)];
      const std::string key = MenuEntryKey(item.name, i);
      EXPECT_EQ(item.index, i) << key;
      EXPECT_EQ(item.captionRow, kSizeChoices[static_cast<std::size_t>(i)].MenuRow(menu)) << key;
      EXPECT_TRUE(rows.insert(item.captionRow).second) << key << " shares its row";
      const MenuHit hit = FindMenuRow(item.name, i);
      ASSERT_NE(hit.row, nullptr) << key << " runs nothing";
      EXPECT_EQ(hit.arg, i) << key;
    }
  }
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

  // The hints come from the command table's keys; a shipped text that carries its own key column
  // must name the same key.
  LanguageTable shipped;
  LoadLanguageStrings(GLIMMORA_APP_DIR, shipped);
  for (const MenuEntry& e : MenuTable()) {
    if (e.kind != MenuKind::Item) continue;
    for (Language lang : {Language::English, Language::ChineseGB, Language::ChineseBig5}) {
      const std::string& text = shipped.Text(lang, e.captionRow);
      const std::size_t tab = text.find('\t');
      if (tab != std::string::npos) {
        EXPECT_EQ(text.substr(tab + 1), MenuKeyHint(e.name, e.index)) << MenuEntryKey(e.name, e.index);
      }
    }
  }
}

// The rows a key column cannot check, or not across menus where keys repeat. The language files
// put a menu's heading just before its first entry and give each menu of the bar the rows from its
// heading to the next one's; the rows after the Help menu's were added later and stand anywhere.
// What these rules leave open is pinned: texts without a key, and rows borrowed from another menu.
TEST(MenuTableTest, CaptionRowsFollowTheLayoutOfTheLanguageFiles) {
  struct Pin {
    std::string_view name;
    int index;
    int row;
  };
  constexpr Pin kPins[] = {
      {"mnTreeViewLPopMenuSub", 3, kRowCollapseAll},
      {"mnTreeViewLPopMenuSub", 5, kRowRefreshTree},
      {"mnMoveFileIcotoIcoClipBoardSub", 0, kRowMoveTickedFileIconsToIconClipboard},
      {"mnMoveFileIcotoIcoClipBoardSub", 1, kRowMoveAllFileIconsToIconClipboard},
      {"mnIcoClipBoardMenuSub", 24, kRowOpenInIconEditor},
      {"mnOptSet", -1, kRowOptionsMenu},
      {"mnchglangsub", 0, kRowLanguageEnglish},
      {"mnchglangsub", 1, kRowLanguageChineseGb},
      {"mnchglangsub", 2, kRowLanguageChineseBig5},
      {"mnHelpContents", -1, kRowHelpContents},
      {"mnHelpWebsite", -1, kRowHelpHomePage},
      {"mnHelpFrdLink", -1, kRowHelpFriendlyLinks},
      {"mnHelpAbout", -1, kRowHelpAbout},
  };
  LanguageTable shipped;
  LoadLanguageStrings(GLIMMORA_APP_DIR, shipped);
  std::map<std::string_view, std::pair<int, int>> rowsOf;  // by menu of the bar: [first, end)
  const std::vector<const MenuEntry*> bar = MenuChildren("");
  for (std::size_t i = 0; i < bar.size(); ++i)
    rowsOf[bar[i]->name] = {bar[i]->captionRow, i + 1 < bar.size() ? bar[i + 1]->captionRow : kRowHelpAbout + 1};
  std::map<std::string_view, std::string_view> barMenuOf;
  std::size_t pinned = 0;
  for (const MenuEntry& e : MenuTable()) {
    barMenuOf[e.name] = e.parent.empty() ? e.name : barMenuOf[e.parent];
    if (e.kind == MenuKind::Separator) continue;
    const std::string key = MenuEntryKey(e.name, e.index);
    const auto pin = std::find_if(std::begin(kPins), std::end(kPins),
                                  [&](const Pin& p) { return p.name == e.name && p.index == e.index; });
    if (pin != std::end(kPins)) {
      EXPECT_EQ(e.captionRow, pin->row) << key;
      ++pinned;
      continue;
    }
    if (e.kind == MenuKind::Menu) {
      EXPECT_EQ(e.captionRow + 1, MenuChildren(e.name).at(0)->captionRow) << key;
    } else {
      EXPECT_NE(shipped.Row(e.captionRow).find('\t'), std::string::npos) << key << " has no key column: pin its row";
    }
    const auto [first, end] = rowsOf[barMenuOf[e.name]];
    EXPECT_TRUE(e.captionRow > kRowHelpAbout || (e.captionRow >= first && e.captionRow < end))
        << key << ": row " << e.captionRow << " belongs to another menu";
  }
  EXPECT_EQ(pinned, std::size(kPins)) << "a pin names no entry";
}

}  // namespace
}  // namespace glimmora
