#include <gtest/gtest.h>

#include "source/PaneLayout.h"
#include "source/PathHistory.h"
#include "source/TypedPath.h"

namespace glimmora {
namespace {

TEST(NormaliseTypedPath, BackslashesHomeAndRelativePaths) {
  EXPECT_EQ(NormaliseTypedPath("/usr/share/", "/home/u", "/"), "/usr/share");
  EXPECT_EQ(NormaliseTypedPath("\\usr\\share", "/home/u", "/"), "/usr/share");
  EXPECT_EQ(NormaliseTypedPath("~", "/home/u", "/"), "/home/u");
  EXPECT_EQ(NormaliseTypedPath("~/Pictures\\icons", "/home/u", "/"), "/home/u/Pictures/icons");
  // Without a leading slash the path is taken on the current volume.
  EXPECT_EQ(NormaliseTypedPath("icons/x", "/home/u", "/media/usb"), "/media/usb/icons/x");
  EXPECT_EQ(NormaliseTypedPath("a/./b/../c//", "/h", "/"), "/a/c");
  EXPECT_EQ(NormaliseTypedPath("/../..", "/h", "/"), "/");
  EXPECT_EQ(NormaliseTypedPath("  /tmp  ", "/h", "/"), "/tmp");
  EXPECT_EQ(NormaliseTypedPath("~user", "/h", "/v"), "/v/~user");  // only "~" alone or "~/" is home
}

TEST(ComponentsBelow, SplitsThePartUnderTheVolume) {
  EXPECT_EQ(ComponentsBelow("/home/a/b", "/home"), (std::vector<std::string>{"a", "b"}));
  EXPECT_EQ(ComponentsBelow("/home/a", "/"), (std::vector<std::string>{"home", "a"}));
  EXPECT_TRUE(ComponentsBelow("/home", "/home").empty());
}

TEST(PathHistory, KeepsTwentyOneEntriesTheOldestLeavingFirst) {
  PathHistoryState box;
  for (int i = 1; i <= 22; ++i) AddToPathHistory(box, "/f" + std::to_string(i), 9);
  ASSERT_EQ(box.Items.size(), 21u);
  EXPECT_EQ(box.Items.front().Path, "/f2");
  EXPECT_EQ(box.Items.back().Path, "/f22");
  EXPECT_EQ(box.Selected, 20);
  EXPECT_EQ(box.Text, "/f22");
}

TEST(PathHistory, RevisitingSelectsTheEntryAndTakesTheImageWithoutDroppingAny) {
  PathHistoryState box;
  for (int i = 1; i <= 21; ++i) AddToPathHistory(box, "/f" + std::to_string(i), 9);
  AddToPathHistory(box, "/f5", 5);
  ASSERT_EQ(box.Items.size(), 21u);
  EXPECT_EQ(box.Items.front().Path, "/f1");
  EXPECT_EQ(box.Selected, 4);
  EXPECT_EQ(box.Items[4].Image, 5);
  // Compared with case: another spelling is another entry.
  AddToPathHistory(box, "/F5", 9);
  EXPECT_EQ(box.Items.back().Path, "/F5");
  EXPECT_EQ(box.Items.front().Path, "/f2");
  AddToPathHistory(box, "mycomputer", 3);
  EXPECT_EQ(box.Items.back().Path, "/F5");
}

TEST(PaneSizes, SavedSizesAreAcceptedOnlyInsideTheirOpenRanges) {
  const int w = 15000, h = 9000;
  EXPECT_EQ(AcceptTreeWidth(0, w), 2850);
  EXPECT_EQ(AcceptTreeWidth(150, w), 2850);
  EXPECT_EQ(AcceptTreeWidth(151, w), 151);
  EXPECT_EQ(AcceptTreeWidth(w - 375, w), 2850);
  EXPECT_EQ(AcceptTreeWidth(w - 376, w), w - 376);
  EXPECT_EQ(AcceptTreeWidth(-500, w), 2850);
  EXPECT_EQ(AcceptFileListHeight(0, h), h * 2 / 5);
  EXPECT_EQ(AcceptFileListHeight(600, h), h * 2 / 5);
  EXPECT_EQ(AcceptFileListHeight(601, h), 601);
  EXPECT_EQ(AcceptFileListHeight(h - 1200, h), h * 2 / 5);
  EXPECT_EQ(AcceptFileListHeight(h - 1201, h), h - 1201);
}

}  // namespace
}  // namespace glimmora
