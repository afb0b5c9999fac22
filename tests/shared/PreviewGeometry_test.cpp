#include "shared/PreviewGeometry.h"

#include <gtest/gtest.h>

namespace glimmora {
namespace {

TEST(PreviewGeometryTest, CaptionAndWidthBySize) {
  const PreviewLayout small = PreviewGeometry(PreviewList::IconPane, 100, 100, 16, 16, 1280, 1024);
  EXPECT_EQ(small.Caption, "16x16");
  EXPECT_EQ(small.Width, 64);
  EXPECT_EQ(small.ImageLeft, 21);
  EXPECT_EQ(small.X, 100 + 11);  // half the window before its width was widened
  const PreviewLayout large = PreviewGeometry(PreviewList::IconPane, 100, 100, 128, 128, 1280, 1024);
  EXPECT_EQ(large.Caption, " 128 x 128");
  EXPECT_EQ(large.Width, 134);
  EXPECT_EQ(large.Height, 150);
}

TEST(PreviewGeometryTest, EdgesOfTheScreen) {
  const PreviewLayout pane = PreviewGeometry(PreviewList::IconPane, 1270, 1010, 32, 32, 1280, 1024);
  EXPECT_EQ(pane.X + pane.Width, 1280);
  EXPECT_EQ(pane.Y, 1024 - 54 - 26);
  const PreviewLayout file = PreviewGeometry(PreviewList::FileList, 1270, 1010, 32, 32, 1280, 1024);
  EXPECT_EQ(file.X, (1280 - 38) / 2);
  EXPECT_EQ(file.Y, 1010 + 45);  // the file list keeps no bottom margin
  const PreviewLayout wide = PreviewGeometry(PreviewList::FileList, 10, 10, 1500, 100, 1280, 1024);
  EXPECT_EQ(wide.X, 0);  // never off the left edge
}

}  // namespace
}  // namespace glimmora
