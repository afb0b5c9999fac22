// Stored pane sizes of the library page, its columns and captions.

#include <gtest/gtest.h>

#include "library/LibraryLayout.h"

namespace glimmora {
namespace {

TEST(LibraryLayout, StoredTreeWidthIsTakenOnlyInsideItsRange) {
  const int w = 19200;
  EXPECT_EQ(AcceptTreeLWidth(0, w), 2550);
  EXPECT_EQ(AcceptTreeLWidth(150, w), 2550);
  EXPECT_EQ(AcceptTreeLWidth(151, w), 151);
  EXPECT_EQ(AcceptTreeLWidth(static_cast<std::int16_t>(w - 1200), w), 2550);
  EXPECT_EQ(AcceptTreeLWidth(static_cast<std::int16_t>(w - 1201), w), w - 1201);
  EXPECT_EQ(AcceptTreeLWidth(-3000, w), 2550);
}

TEST(LibraryLayout, StoredTreeHeightIsTakenOnlyInsideItsRange) {
  const int h = 10000;
  EXPECT_EQ(AcceptTreeLHeight(0, h), 6600);
  EXPECT_EQ(AcceptTreeLHeight(450, h), 6600);
  EXPECT_EQ(AcceptTreeLHeight(451, h), 451);
  EXPECT_EQ(AcceptTreeLHeight(static_cast<std::int16_t>(h - 1050), h), 6600);
  EXPECT_EQ(AcceptTreeLHeight(static_cast<std::int16_t>(h - 1051), h), h - 1051);
  EXPECT_EQ(AcceptTreeLHeight(-1, h), 6600);
}

TEST(LibraryLayout, ColumnsCarryTheirKeysRowsAndWidths) {
  LanguageTable lang;
  lang.LangStr[0][168] = "Filename";
  auto clip = ClipboardColumns();
  ASSERT_EQ(clip.size(), 6u);
  EXPECT_EQ(clip[4].key, "Filename");
  EXPECT_EQ(ColumnHeading(clip[4], lang), "   Filename");
  EXPECT_DOUBLE_EQ(clip[0].widthTwips, 742.5);
  EXPECT_DOUBLE_EQ(clip[2].widthTwips, 1350);
  auto lib = LibIcoColumns();
  ASSERT_EQ(lib.size(), 9u);
  const char* keys[] = {"ID",         "Type/Keyword", "Size",           "Color", "Bytes",
                        "AuthorName", "AuthorEmail",  "AuthorHomepage", "Note"};
  const int rows[] = {170, 171, 172, 173, 174, 450, 451, 452, 175};
  for (std::size_t i = 0; i < lib.size(); ++i) {
    EXPECT_EQ(lib[i].key, keys[i]);
    EXPECT_EQ(lib[i].row, rows[i]);
  }
  EXPECT_DOUBLE_EQ(lib[8].widthTwips, 12000);
}

TEST(LibraryLayout, TabCaptionsAndStatusKeys) {
  LanguageTable lang;
  lang.LangStr[0][162] = "Source";
  EXPECT_EQ(TabCaption(2, lang), "  Source  ");
  EXPECT_EQ(TabCaption(1, lang), "    ");
  EXPECT_EQ(StatusPanelKey(3), "Statusico 3");
}

TEST(LibraryLayoutTest, LibraryPageCaptionsAndTooltips) {
  int tooltips = 0;
  for (const ControlCaption& c : ControlCaptions()) {
    if (c.tooltip) {
      ++tooltips;
      EXPECT_EQ(c.row, c.index == 0 ? 267 : 268) << c.control;
    }
  }
  EXPECT_EQ(tooltips, 4);
  EXPECT_EQ(ControlCaptions()[0].row, 263);
}

}  // namespace
}  // namespace glimmora
