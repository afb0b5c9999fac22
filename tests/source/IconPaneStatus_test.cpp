#include "source/IconPaneStatus.h"

#include <gtest/gtest.h>

#include "shared/IconSelection.h"
#include "support/IconFixtures.h"

namespace glimmora {
namespace {

using testing::RowNumberTable;

TEST(IconPaneStatusTest, KbTextRoundsToTenthsHalfToEven) {
  EXPECT_EQ(KbText(1536), "1.5");
  EXPECT_EQ(KbText(1024), "1");
  EXPECT_EQ(KbText(512), ".5");
  EXPECT_EQ(KbText(0), "0");
  EXPECT_EQ(KbText(3174), "3.1");  // 3.0996... -> 3.1
  EXPECT_EQ(KbText(51), "0");      // 0.498 tenths -> 0
  EXPECT_EQ(KbText(256), ".2");    // 2.5 tenths: to the even tenth
  EXPECT_EQ(KbText(768), ".8");    // 7.5 tenths: to the even tenth
  // Fifty 256-pixel icons pass far beyond what 16 bits of tenths could hold.
  EXPECT_EQ(KbText(50LL * 263 * 1024), "13150");
}

TEST(IconPaneStatusTest, EmptyPaneClosesEveryIconCommand) {
  const IconPaneStatus s = ComputeIconPaneStatus({}, {}, RowNumberTable());
  EXPECT_EQ(s.Panel2, "");
  EXPECT_EQ(s.Panel3, "");
  EXPECT_FALSE(s.PopIcoMenu);
  EXPECT_FALSE(s.SelectAll);
  EXPECT_FALSE(s.SaveSelected || s.Delete || s.CopyToIconClipboard || s.SystemClipboard || s.SaveDefault);
}

TEST(IconPaneStatusTest, OneIconSelectedUsesTheSingularWords) {
  const IconPaneStatus s = ComputeIconPaneStatus({1536}, {true}, RowNumberTable());
  EXPECT_EQ(s.Panel2, "<222> 1 <387> (1.5 KB)");
  EXPECT_EQ(s.Panel3, "<224> 1 <393> (1.5 KB)");
  EXPECT_TRUE(s.SystemClipboard);
  EXPECT_TRUE(s.SelectAll);  // one of one still offers select all
  EXPECT_TRUE(s.SaveSelected && s.Delete && s.CopyToIconClipboard && s.CutToIconClipboard && s.CancelSelection);
}

TEST(IconPaneStatusTest, SeveralSelectedCloseTheSystemClipboard) {
  const LanguageTable lang = RowNumberTable();
  IconPaneStatus some = ComputeIconPaneStatus({1024, 1024, 2048}, {true, false, true}, lang);
  EXPECT_EQ(some.Panel2, "<222> 3 <223> (4 KB)");
  EXPECT_EQ(some.Panel3, "<224> 2 <357> (3 KB)");
  EXPECT_FALSE(some.SystemClipboard);
  EXPECT_TRUE(some.SelectAll);
  IconPaneStatus all = ComputeIconPaneStatus({1024, 1024, 2048}, {true, true, true}, lang);
  EXPECT_FALSE(all.SelectAll);
  EXPECT_FALSE(all.SystemClipboard);
  IconPaneStatus none = ComputeIconPaneStatus({1024, 1024}, {false, false}, lang);
  EXPECT_EQ(none.Panel3, "");
  EXPECT_TRUE(none.SelectAll);
  EXPECT_FALSE(none.SaveSelected || none.SaveDefault || none.ViewButtons);
  for (auto [button, on] : all.ToolbarButtons()) {
    if (button == 6 || button == 9 || button == 26 || button == 28) {
      EXPECT_FALSE(on) << button;
    }
  }
}

TEST(IconPaneStatusTest, TooltipNamesTheItemOutsideTheReportView) {
  const LanguageTable lang = RowNumberTable();
  EXPECT_EQ(IconItemTooltip(false, "a.dll_3.ico", "   32 x 32", "  <363>", lang), "a.dll_3.ico (32 x 32 - <363>)");
  EXPECT_EQ(IconItemTooltip(true, "a.dll_3.ico", "   32 x 32", "  <363>", lang), "<211>");
}

TEST(IconSelectionTest, ASaveTakesAllTheOnlyOrTheSelectedIcons) {
  EXPECT_TRUE(SaveTakesIcon(true, 3, false));
  EXPECT_TRUE(SaveTakesIcon(false, 1, false));  // the only icon, selected or not
  EXPECT_TRUE(SaveTakesIcon(false, 3, true));
  EXPECT_FALSE(SaveTakesIcon(false, 3, false));
  EXPECT_FALSE(SaveTakesIcon(false, 0, false));
}

TEST(IconSelectionTest, SizeChoicesCompareWidthAndHeight) {
  EXPECT_TRUE(SizeChoiceMatches(0, {16, 16, 4}));
  EXPECT_FALSE(SizeChoiceMatches(0, {16, 160, 4}));  // not a 16 x 16 icon
  EXPECT_FALSE(SizeChoiceMatches(0, {160, 16, 4}));
  EXPECT_TRUE(SizeChoiceMatches(1, {32, 32, 8}));
  EXPECT_TRUE(SizeChoiceMatches(2, {48, 48, 8}));
  EXPECT_TRUE(SizeChoiceMatches(3, {64, 64, 8}));
  EXPECT_TRUE(SizeChoiceMatches(3, {24, 24, 8}));
  EXPECT_TRUE(SizeChoiceMatches(3, {16, 160, 8}));
  EXPECT_FALSE(SizeChoiceMatches(3, {48, 48, 8}));
  EXPECT_FALSE(SizeChoiceMatches(4, {16, 16, 8}));
}

TEST(IconSelectionTest, ColourChoicesCompareTheBitCount) {
  const int bits[] = {1, 4, 8, 16, 24, 32};
  const int choiceOf[] = {4, 0, 1, 2, 3, 5};
  for (int i = 0; i < 6; ++i) {
    for (int choice = 0; choice <= 6; ++choice) {
      EXPECT_EQ(ColourChoiceMatches(choice, {32, 32, bits[i]}), choice == choiceOf[i])
          << bits[i] << " bits, choice " << choice;
    }
  }
}

TEST(IconSelectionTest, SelectionOnlyGrows) {
  const std::vector<IconFacts> items = {{16, 16, 4}, {32, 32, 8}, {48, 48, 24}, {64, 64, 32}};
  std::vector<bool> sel = SelSomeIco(items, {false, false, false, false}, 0, -1);
  EXPECT_EQ(sel, (std::vector<bool>{true, false, false, false}));
  sel = SelSomeIco(items, sel, 1, -1);
  EXPECT_EQ(sel, (std::vector<bool>{true, true, false, false}));
  sel = SelSomeIco(items, sel, -1, 5);
  EXPECT_EQ(sel, (std::vector<bool>{true, true, false, true}));
  EXPECT_EQ(SelSomeIco(items, {false, true, false, false}, -1, -1), (std::vector<bool>{false, true, false, false}));
  // A size choice wins over a colour choice given with it.
  EXPECT_EQ(SelSomeIco(items, {false, false, false, false}, 2, 0), (std::vector<bool>{false, false, true, false}));
}

}  // namespace
}  // namespace glimmora
