// The picture-to-icon tool without a window: the fit of the reduced view and its labels, the
// selection frame under the mouse, the icon size boxes, and the tool's state and buttons.
#include <gtest/gtest.h>

#include <set>

#include "picturetool/PictureFit.h"
#include "picturetool/PictureToolModel.h"
#include "picturetool/Selection.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

using testing::ScriptedPrompter;

LanguageTable ToolTexts() {
  LanguageTable lang;
  auto& rows = lang.LangStr[0];
  rows[270] = "Size:";
  rows[271] = "Zoom:";
  rows[272] = "Sel:";
  rows[280] = "No colour picked. Make it?";
  rows[458] = "Stop the rest?";
  return lang;
}

// Vertical stripes: column x has colour (x, 2x mod 256, 255 - x).
Raster Stripes(int width, int height) {
  Raster r(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) r.Set(x, y, MakeRgb(x & 0xFF, (2 * x) & 0xFF, 255 - (x & 0xFF)));
  return r;
}

TEST(PictureFitTest, SmallPicturesShowUnscaledOnlyWhenClearOfTheMargin) {
  // 5 pixels clear of the frame in both directions: shown as it is.
  PictureFit f = FitPictureIntoFrame(95, 95, 100, 100);
  EXPECT_EQ(f.viewWidth, 95);
  EXPECT_EQ(f.viewHeight, 95);
  EXPECT_FLOAT_EQ(f.ratio, 1.0f);
  // Exactly the margin short: scaled into the frame less the margin (equal quotients: by height).
  f = FitPictureIntoFrame(96, 48, 100, 100);
  EXPECT_EQ(f.viewWidth, 96);  // width decides: 100 / 48 > 100 / 96
  EXPECT_EQ(f.viewHeight, 48);
  EXPECT_FLOAT_EQ(f.ratio, 1.0f);
  f = FitPictureIntoFrame(200, 200, 100, 100);
  EXPECT_EQ(f.viewHeight, 96);
  EXPECT_EQ(f.viewWidth, 96);
  EXPECT_FLOAT_EQ(f.ratio, 0.48f);
  // A wide picture is fitted by its width, a tall one by its height.
  f = FitPictureIntoFrame(1000, 100, 404, 300);
  EXPECT_EQ(f.viewWidth, 400);
  EXPECT_EQ(f.viewHeight, 40);
  f = FitPictureIntoFrame(100, 1000, 400, 304);
  EXPECT_EQ(f.viewHeight, 300);
  EXPECT_EQ(f.viewWidth, 30);
  // No picture: nothing to show and nothing to copy.
  EXPECT_FLOAT_EQ(FitPictureIntoFrame(0, 0, 100, 100).ratio, 0.0f);
}

TEST(PictureFitTest, LabelsKeepTheirBlanks) {
  const LanguageTable lang = ToolTexts();
  EXPECT_EQ(PictureSizeLabel(std::pair{1, 1}, lang), "Size: 1 x 1   ");
  EXPECT_EQ(PictureSizeLabel(std::pair{640, 480}, lang), "Size: 640 x 480");
  EXPECT_EQ(PictureSizeLabel(std::nullopt, lang), "Size:----x----");
  EXPECT_EQ(ZoomLabel(1.0f, lang), "Zoom: 100%");
  EXPECT_EQ(ZoomLabel(FitPictureIntoFrame(1000, 10, 454, 454).ratio, lang), "Zoom: 45%");
  EXPECT_EQ(ZoomLabel(std::nullopt, lang), "Zoom:xxx%");
  EXPECT_EQ(SelectionLabel(0, 12, lang), "Sel: 0 x 12");
}

TEST(PictureFitTest, IconSideTextIsClampedAndRounded) {
  EXPECT_EQ(IconSideFromText("150"), 100);
  EXPECT_EQ(IconSideFromText(""), 1);
  EXPECT_EQ(IconSideFromText("abc"), 1);
  EXPECT_EQ(IconSideFromText("0"), 1);
  EXPECT_EQ(IconSideFromText("-20"), 1);
  EXPECT_EQ(IconSideFromText("12.5"), 12);
  EXPECT_EQ(IconSideFromText("13.5"), 14);
  EXPECT_EQ(IconSideFromText(" 48px"), 48);
}

TEST(PictureFitTest, ToolWindowSize) {
  EXPECT_EQ(ToolWindowSize(640, 480, 600, 400).width, 640);
  EXPECT_EQ(ToolWindowSize(640, 480, 600, 400).height, 480 - 15);
  const WindowSize s = ToolWindowSize(1920, 1080, 1000, 600);
  EXPECT_EQ(s.width, 900);
  EXPECT_EQ(s.height, 540);
  // Taller than 4:3: widened to 4:3.
  const WindowSize t = ToolWindowSize(1920, 1080, 600, 900);
  EXPECT_EQ(t.height, 810);
  EXPECT_EQ(t.width, 1080);
  EXPECT_EQ(ToolWindowSize(800, 600, 2000, 2000).width, 800);
}

TEST(SelectionTest, LeftDragDrawsFromTheFirstMoveAndStopsAtTheEdges) {
  SelectionModel s;
  s.Reset(100, 80);
  EXPECT_EQ(s.Frame(), kStartFrame);
  s.MouseMove(false, 50, 50);  // no button: nothing
  EXPECT_EQ(s.Frame(), kStartFrame);
  s.MouseDown();
  s.MouseMove(false, 10, 20);  // the first move takes the anchor and moves the corner there
  EXPECT_EQ(s.Frame().left, 10);
  EXPECT_EQ(s.Frame().top, 20);
  s.MouseMove(false, 40, 30);
  EXPECT_EQ(s.Frame(), (FrameRect{10, 20, 30, 10}));
  s.MouseMove(false, 500, 500);  // past the edges: stops there
  EXPECT_EQ(s.Frame(), (FrameRect{10, 20, 90, 60}));
  s.MouseMove(false, 5, 5);  // left of and above the anchor: nothing wide
  EXPECT_EQ(s.Frame().width, 0);
  EXPECT_EQ(s.Frame().height, 0);
  EXPECT_TRUE(s.MouseUp());
  EXPECT_FALSE(s.MouseUp());
  // A new drag takes a new anchor.
  s.MouseDown();
  s.MouseMove(false, 60, 60);
  s.MouseMove(false, 70, 65);
  EXPECT_EQ(s.Frame(), (FrameRect{60, 60, 10, 5}));
}

TEST(SelectionTest, RightDragMovesTheFrameCentredAndSourceStaysOnThePicture) {
  SelectionModel s;
  s.Reset(100, 80);
  s.MouseDown();
  s.MouseMove(true, 50, 40);  // centred on the pointer, size kept
  EXPECT_EQ(s.Frame(), (FrameRect{34, 24, 32, 32}));
  s.MouseMove(true, 1, 79);
  EXPECT_EQ(s.Frame(), (FrameRect{0, 48, 32, 32}));
  // A frame larger than the view: the far edge wins and the frame pokes out to the left.
  s.SetFrame(FrameRect{0, 0, 150, 20});
  s.MouseMove(true, 10, 10);
  EXPECT_EQ(s.Frame().left, -50);
  const PixelRect src = SourceRectOf(s.Frame(), 0.5f, 200, 160);
  EXPECT_EQ(src, (PixelRect{0, 0, 200, 40}));
  // A first move outside the view keeps the anchor on it.
  SelectionModel t;
  t.Reset(100, 80);
  t.MouseDown();
  t.MouseMove(false, -30, 200);
  EXPECT_EQ(t.Frame().left, 0);
  EXPECT_EQ(t.Frame().top, 80);
}

TEST(SelectionTest, SourceRectangleIsRoundedAndCutToThePicture) {
  // Halves go to the even pixel: 2.5 -> 2, 3.5 -> 4.
  EXPECT_EQ(SourceRectOf(FrameRect{2.5, 3.5, 10, 10}, 1.0f, 100, 100), (PixelRect{2, 4, 10, 10}));
  // Past the right and bottom edges: cut.
  EXPECT_EQ(SourceRectOf(FrameRect{40, 45, 40, 40}, 0.5f, 100, 100), (PixelRect{80, 90, 20, 10}));
  EXPECT_TRUE(SourceRectOf(FrameRect{10, 10, 0, 10}, 1.0f, 100, 100).Empty());
  EXPECT_TRUE(SourceRectOf(FrameRect{0, 0, 10, 10}, 0.0f, 100, 100).Empty());
  // Stretching never blends: every pixel of the copy is a pixel of its part.
  const Raster pic = Stripes(64, 8);
  const Raster half = CopyPart(pic, PixelRect{0, 0, 64, 8}, 32, 4);
  ASSERT_EQ(half.Width(), 32);
  for (int x = 0; x < 32; ++x) EXPECT_EQ(half.At(x, 0), pic.At(2 * x, 0));
  const Raster grown = CopyPart(pic, PixelRect{10, 2, 2, 2}, 4, 4);
  EXPECT_EQ(grown.At(0, 0), pic.At(10, 2));
  EXPECT_EQ(grown.At(3, 3), pic.At(11, 3));
  EXPECT_TRUE(CopyPart(pic, PixelRect{60, 0, 10, 8}, 4, 4).Empty());  // reaches outside
}

class ToolModelTest : public ::testing::Test {
 protected:
  LanguageTable lang = ToolTexts();
  ScriptedPrompter prompter;
  PictureToolModel model{lang, prompter};

  void Load(Raster picture, int frame = 400) {
    model.SetFrameSize(frame, frame);
    model.SetPicture(std::move(picture));
  }
};

TEST_F(ToolModelTest, WholePictureAt32MakesA32IconOfThePicturesColours) {
  Load(Stripes(200, 100));
  EXPECT_EQ(model.ZoomText(), "Zoom: 100%");
  EXPECT_FALSE(model.MakeEnabled());  // nothing chosen yet
  EXPECT_FALSE(model.PicSmall().has_value());
  model.Defaults();
  EXPECT_TRUE(model.MakeEnabled());
  EXPECT_EQ(model.SelectionText(), "Sel: 200 x 100");
  ASSERT_TRUE(model.PicSmall().has_value());
  EXPECT_EQ(model.PicSmall()->Width(), 32);
  EXPECT_EQ(model.PicSmall()->Height(), 32);
  std::set<Rgb> colours(model.Picture().Pixels().begin(), model.Picture().Pixels().end());
  for (Rgb c : model.PicSmall()->Pixels()) EXPECT_TRUE(colours.count(c)) << std::hex << c;
  // The preview shows the icon centred on its white ground.
  EXPECT_EQ(model.PreviewIconLeft(), 57);
  EXPECT_EQ(model.PreviewIconTop(), 34);
  EXPECT_EQ(model.Preview().At(57, 34), model.PicSmall()->At(0, 0));
  EXPECT_EQ(model.Preview().At(0, 0), kWhite);
  // Another size copies again.
  model.SetIconSide(0, 150);
  EXPECT_EQ(model.IconSide(0), 100);
  EXPECT_EQ(model.PicSmall()->Width(), 100);

  // A picture so thin that its view is a few pixels wide: the defaults still take all of it.
  Load(Stripes(50, 9000), 600);
  model.Defaults();
  EXPECT_EQ(model.SelectionText(), "Sel: 50 x 9000");
  EXPECT_EQ(*model.PicSmall(), CopyPart(model.Picture(), PixelRect{0, 0, 50, 9000}, 32, 32));
}

TEST_F(ToolModelTest, ColourPickedFromThePreviewIncludingItsGround) {
  Load(Stripes(64, 64));
  model.Defaults();
  EXPECT_TRUE(model.NoColourHintShown());
  model.PickMaskColour(model.PreviewIconLeft() + 3, model.PreviewIconTop());
  ASSERT_TRUE(model.MaskColour().has_value());
  EXPECT_EQ(*model.MaskColour(), model.PicSmall()->At(3, 0));
  EXPECT_FALSE(model.NoColourHintShown());
  model.PickMaskColour(1, 1);
  EXPECT_EQ(*model.MaskColour(), kWhite);
  model.PickMaskColour(500, 1);  // off the preview: nothing
  EXPECT_EQ(*model.MaskColour(), kWhite);
}

TEST_F(ToolModelTest, MakeIconAsksOnlyWithoutAPickedColour) {
  Load(Stripes(64, 64));
  model.Defaults();
  prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
  EXPECT_FALSE(model.MakeIcon());
  EXPECT_TRUE(model.MakeIcon());
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{280, 280}));
  prompter.asked.clear();
  model.PickMaskColour(0, 0);
  EXPECT_TRUE(model.MakeIcon());
  // A new picture shows the hint again, but the colour picked before still counts.
  model.SetPicture(Stripes(40, 40));
  EXPECT_TRUE(model.NoColourHintShown());
  EXPECT_TRUE(model.MakeIcon());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ToolModelTest, AnEmptySelectionMakesNoIcon) {
  Load(Stripes(64, 64));
  model.MouseDown();
  model.MouseMove(false, 30, 30);
  model.MouseMove(false, 10, 40);  // left of the anchor: 0 wide
  model.MouseUp();
  EXPECT_EQ(model.SelectionText(), "Sel: 0 x 10");
  EXPECT_FALSE(model.MakeEnabled());
  EXPECT_FALSE(model.PicSmall().has_value());
  EXPECT_FALSE(model.MakeIcon());
  // A proper drag enables it and copies on release.
  model.MouseDown();
  model.MouseMove(false, 10, 10);
  model.MouseMove(false, 26, 18);
  model.MouseUp();
  EXPECT_EQ(model.SelectionText(), "Sel: 16 x 8");
  EXPECT_TRUE(model.MakeEnabled());
  ASSERT_TRUE(model.PicSmall().has_value());
  EXPECT_EQ(model.PicSmall()->At(0, 0), model.Picture().At(10, 10));
}

TEST_F(ToolModelTest, NoPictureNeverFailsAndAbortAsks) {
  model.SetFrameSize(300, 300);
  EXPECT_EQ(model.SizeLabel(), "Size:----x----");
  model.MouseDown();
  model.MouseMove(false, 5, 5);
  model.MouseMove(false, 50, 50);
  model.MouseUp();
  EXPECT_EQ(model.SelectionText(), "Sel: 0 x 0");
  model.Defaults();
  EXPECT_FALSE(model.MakeEnabled());
  EXPECT_FALSE(model.MakeIcon());
  prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
  EXPECT_FALSE(model.Abort());
  EXPECT_FALSE(model.StopSaveIco());
  EXPECT_TRUE(model.Abort());
  EXPECT_TRUE(model.StopSaveIco());
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{458, 458}));
}

}  // namespace
}  // namespace glimmora
