#include "icons/IconResize.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "icons/BmpFile.h"
#include "support/IconTestBytes.h"

namespace glimmora {
namespace {

using testing::Bytes;

// A 24-bit icon file of w x h pixels from its colours and mask bits, both top row first.
Bytes Icon24(int w, int h, const std::vector<Rgb>& colours, const std::vector<std::uint8_t>& mask) {
  const int rowBytes = (w * 3 + 3) / 4 * 4;
  const int maskRow = (w + 31) / 32 * 4;
  Bytes image = testing::InfoHeader(w, 2 * h, 24);
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(rowBytes, 0);
    for (int x = 0; x < w; ++x) {
      const Rgb c = colours[y * w + x];
      row[3 * x] = BlueOf(c), row[3 * x + 1] = GreenOf(c), row[3 * x + 2] = RedOf(c);
    }
    testing::Append(image, row);
  }
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(maskRow, 0);
    for (int x = 0; x < w; ++x)
      if (mask[y * w + x]) row[x / 8] |= 0x80 >> (x % 8);
    testing::Append(image, row);
  }
  return testing::WithIcoHead(image, w, h, 24);
}

DecodedIcon Drawn(int w, int h, const std::vector<Rgb>& onWhite, const std::vector<std::uint8_t>& transparent) {
  DecodedIcon icon;
  icon.onWhite = Raster(w, h);
  for (int i = 0; i < w * h; ++i) icon.onWhite.Set(i % w, i / w, onWhite[i]);
  icon.transparent = transparent;
  icon.bitCount = 24;
  return icon;
}

TEST(KeyColour, WhiteThenTheFirstFreeGrey) {
  const Rgb red = 0xC00000;
  // Transparent pixel first, then one opaque white: white is still free.
  auto icon = Drawn(4, 1, {kWhite, kWhite, red, Grey(254)}, {1, 0, 0, 0});
  auto keyed = ReadIcoMask(icon);
  EXPECT_EQ(keyed.mask, MaskResult::Made);
  EXPECT_EQ(keyed.key, kWhite);
  EXPECT_FALSE(keyed.repainted);

  // White twice and 254 once: 254 is still acceptable, and the transparent pixels take it.
  icon = Drawn(4, 1, {kWhite, kWhite, kWhite, Grey(254)}, {1, 0, 0, 0});
  keyed = ReadIcoMask(icon);
  EXPECT_EQ(keyed.key, Grey(254));
  EXPECT_TRUE(keyed.repainted);
  EXPECT_EQ(keyed.picture.At(0, 0), Grey(254));
  EXPECT_EQ(keyed.picture.At(1, 0), kWhite);

  // Every candidate used twice: no key, no mask.
  std::vector<Rgb> greys{kBlack};
  for (int g = 255; g >= 150; --g) greys.insert(greys.end(), 2, Grey(static_cast<std::uint8_t>(g)));
  std::vector<std::uint8_t> mask(greys.size(), 0);
  mask[0] = 1;
  icon = Drawn(static_cast<int>(greys.size()), 1, greys, mask);
  EXPECT_FALSE(ChooseKeyColor(icon));
  EXPECT_EQ(ReadIcoMask(icon).mask, MaskResult::NoKeyColor);

  icon = Drawn(2, 1, {kWhite, red}, {0, 0});
  EXPECT_EQ(ReadIcoMask(icon).mask, MaskResult::NoTransparentPixel);
}

TEST(KeyColour, OnlyTestedCandidatesAndAnyTransparentPixelCount) {
  // Transparent pixels that invert show a colour, not white; white is used twice by opaque
  // pixels, so the key must be a grey that was tested, not an untested white.
  auto icon = Drawn(4, 1, {0x335577, kWhite, kWhite, 0x112233}, {1, 0, 0, 0});
  auto keyed = ReadIcoMask(icon);
  EXPECT_EQ(keyed.key, Grey(254));
  EXPECT_TRUE(keyed.repainted);

  // The last (here the only) transparent pixel shows black: the icon still has a mask.
  icon = Drawn(2, 1, {0x123456, kBlack}, {0, 1});
  keyed = ReadIcoMask(icon);
  EXPECT_EQ(keyed.mask, MaskResult::Made);
  EXPECT_EQ(keyed.key, kWhite);
  EXPECT_EQ(keyed.picture.At(1, 0), kWhite);
}

TEST(IconResize, SizeChoicesAndNames) {
  const Bytes source = Icon24(16, 16, std::vector<Rgb>(256, 0x808000), std::vector<std::uint8_t>(256, 0));
  for (int sel = 0; sel < kSizeChoiceCount; ++sel) {
    const auto out = ResizeIconToIco(source, sel, true);
    ASSERT_TRUE(out) << sel;
    // One 24-bit image of the size (the source's own 16 for choice 0): directory, header, rows of
    // colour and of mask, each row padded to four bytes.
    const int side = sel == 0 ? 16 : kSizeChoices[static_cast<std::size_t>(sel)].pixels;
    const int expected = 22 + 40 + side * ((side * 3 + 3) / 4 * 4) + side * ((side + 31) / 32 * 4);
    EXPECT_EQ(out->ico.size(), static_cast<std::size_t>(expected)) << sel;
  }
  EXPECT_FALSE(ResizeIconToIco(source, kSizeChoiceCount, true));
  const auto picture = ResizeIconToPicture(source, 3);
  ASSERT_TRUE(picture);
  EXPECT_EQ(WriteBmp24(*picture).size(), 54u + 120 * 40);
  EXPECT_FALSE(ResizeIconToIco(Bytes(source.begin(), source.end() - 1), 2, true));

  EXPECT_EQ(SizedTargetBase("a.ico", 2), "a_32x32");
  EXPECT_EQ(SizedTargetBase("a.ico", 7), "a_80x80");
  EXPECT_EQ(SizedTargetBase("a.ico", 0), "a");
  EXPECT_EQ(SizeChoicePixels(3), 40);
  EXPECT_EQ(SizeChoicePixels(-1), -1);
}

TEST(IconResize, WhiteKeyMakesEveryWhitePixelTransparent) {
  // 2 x 2: transparent top-left, one opaque white pixel, two coloured pixels.
  const Bytes source = Icon24(2, 2, {kBlack, kWhite, 0x00FF00, 0x0000FF}, {1, 0, 0, 0});
  const auto out = ResizeIconToIco(source, 1, true);
  ASSERT_TRUE(out);
  EXPECT_EQ(out->mask, MaskResult::Made);
  const auto back = DecodeIcoFile(out->ico);
  ASSERT_TRUE(back);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(back->IsTransparent(x, y), y < 8) << x << "," << y;
  // Colour data is black under the mask: drawn on white it shows white.
  EXPECT_EQ(back->onWhite.At(3, 3), kWhite);
  EXPECT_EQ(back->onWhite.At(3, 12), 0x00FF00);

  const auto opaque = ResizeIconToIco(source, 1, false);
  ASSERT_TRUE(opaque);
  EXPECT_EQ(opaque->mask, MaskResult::NotWanted);
  const auto drawn = DecodeIcoFile(opaque->ico);
  ASSERT_TRUE(drawn);
  EXPECT_EQ(std::count(drawn->transparent.begin(), drawn->transparent.end(), 1), 0);
  EXPECT_EQ(drawn->onWhite.At(0, 0), kWhite);  // transparent parts come out white
}

TEST(IconResize, RepaintedSixteenLeavesOutTheBottomRow) {
  // Each row its own colour; white used twice so the transparent corner is repainted with 254.
  std::vector<Rgb> colours(256);
  for (int i = 0; i < 256; ++i) colours[i] = MakeRgb(static_cast<std::uint8_t>(i / 16 * 10), 0, 100);
  colours[17] = colours[18] = kWhite;
  std::vector<std::uint8_t> mask(256, 0);
  mask[0] = 1;
  const auto out = ResizeIconToIco(Icon24(16, 16, colours, mask), 1, true);
  ASSERT_TRUE(out);
  const auto back = DecodeIcoFile(out->ico);
  ASSERT_TRUE(back);
  for (int dy = 0; dy < 16; ++dy) EXPECT_EQ(back->onWhite.At(5, dy), colours[(dy * 15 / 16) * 16 + 5]) << dy;

  // Without repainting the whole picture is used.
  colours[18] = 0x010203;
  colours[0] = kBlack;  // the transparent corner shows white
  const auto whole = DecodeIcoFile(ResizeIconToIco(Icon24(16, 16, colours, mask), 1, true)->ico);
  ASSERT_TRUE(whole);
  EXPECT_EQ(whole->onWhite.At(5, 15), colours[15 * 16 + 5]);
}

TEST(IconResize, IconAssemblyBytes) {
  Raster picture(2, 2);
  picture.Set(0, 0, 0xFF0000);
  picture.Set(1, 0, kBlack);
  picture.Set(0, 1, 0x0000FF);
  const Bytes expected{
      0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 24, 0, 0x40, 0, 0, 0, 22, 0, 0, 0,
      0x28, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,
      16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
      0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,  // bottom row: blue, white
      0, 0, 0xFF, 0, 0, 0, 0, 0,           // top row: red, black
      0, 0, 0, 0,                          // bottom mask row
      0x40, 0, 0, 0};                      // top mask row: the second pixel, padding bits 0
  EXPECT_EQ(MakeIco24(picture, std::vector<std::uint8_t>{0, 1, 0, 0}), expected);
}

TEST(PictureIcon, MaskFromTheExactColourOnly) {
  Raster picture(3, 1);
  picture.Set(0, 0, 0x102030);
  picture.Set(1, 0, 0x102031);
  picture.Set(2, 0, 0x102030);
  const auto made = IconFromPicture(picture, Rgb{0x102030});
  EXPECT_FALSE(made.maskRefused);
  auto back = DecodeIcoFile(made.ico);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->transparent, (std::vector<std::uint8_t>{1, 0, 1}));
  EXPECT_EQ(back->onWhite.At(0, 0), kWhite);  // painted black, shown on white

  back = DecodeIcoFile(IconFromPicture(picture, std::nullopt).ico);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->transparent, (std::vector<std::uint8_t>{0, 0, 0}));

  const auto large = IconFromPicture(Raster(201, 2, 0x102030), Rgb{0x102030});
  EXPECT_TRUE(large.maskRefused);
  back = DecodeIcoFile(large.ico);
  ASSERT_TRUE(back);
  EXPECT_EQ(std::count(back->transparent.begin(), back->transparent.end(), 1), 0);
}


// A 32-bit icon file of w x h pixels (0xAARRGGBB, top row first) with an all-clear mask, under the
// head older files of ours carry.
Bytes Icon32(int w, int h, const std::vector<std::uint32_t>& pixels, const std::vector<std::uint8_t>& mask = {}) {
  Bytes image = testing::InfoHeader(w, 2 * h, 32);
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x) testing::Append(image, testing::Le32(pixels[y * w + x]));
  const int maskRow = (w + 31) / 32 * 4;
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(maskRow, 0);
    for (int x = 0; x < w && !mask.empty(); ++x)
      if (mask[y * w + x]) row[x / 8] |= 0x80 >> (x % 8);
    testing::Append(image, row);
  }
  return testing::Cat({testing::OldIcoHead(w, h, 32, static_cast<std::uint32_t>(image.size())), image});
}

TEST(IconResize, ThirtyTwoBitIconsKeepTheirAlphaInEverySize) {
  // Shadow and lens levels between clear and opaque, in a 4 x 4 icon.
  const std::vector<std::uint8_t> levels{0, 31, 90, 128, 201, 255};
  std::vector<std::uint32_t> pixels(16);
  for (std::size_t i = 0; i < pixels.size(); ++i)
    pixels[i] = (std::uint32_t{levels[i % levels.size()]} << 24) | static_cast<std::uint32_t>(0x102030 + i);
  const Bytes file = Icon32(4, 4, pixels);
  for (int sizeSel : {0, 4}) {  // own size and 48 x 48
    const auto resized = ResizeIconToIco(file, sizeSel, true);
    ASSERT_TRUE(resized);
    EXPECT_EQ(resized->mask, MaskResult::Made);
    const Bytes& ico = resized->ico;
    const int side = sizeSel == 0 ? 4 : 48;
    // A standard entry and a 32-bit header, the image 40 + colour rows + mask rows long.
    EXPECT_EQ(Bytes(ico.begin() + 8, ico.begin() + 14), (Bytes{0, 0, 1, 0, 32, 0}));
    EXPECT_EQ(ico[22 + 14], 32);
    ASSERT_EQ(ico.size(), 22u + 40u + side * side * 4u + side * ((side + 31) / 32 * 4u));
    const auto out = DecodeIconArgb(std::span(ico).subspan(22));
    ASSERT_TRUE(out);
    for (int y = 0; y < side; ++y)
      for (int x = 0; x < side; ++x) {
        const std::uint32_t want = pixels[(y * 4 / side) * 4 + x * 4 / side];
        ASSERT_EQ(out->pixels[y * side + x], want) << x << "," << y;
      }
    // The mask is set exactly where the alpha is 0.
    const auto drawn = DecodeIcoFile(ico);
    ASSERT_TRUE(drawn);
    for (int i = 0; i < side * side; ++i) EXPECT_EQ(drawn->transparent[i] != 0, (out->pixels[i] >> 24) == 0);
  }
  // The clipboard copy carries the alpha too; the bitmap stays drawn on white.
  const auto argb = ResizeIconToArgb(file, 2);
  ASSERT_TRUE(argb);
  EXPECT_EQ(argb->pixels[0], pixels[0]);
  EXPECT_EQ(argb->width, 32);
}

TEST(IconResize, OlderThirtyTwoBitIconsTakeTheirAlphaFromTheMask) {
  // No alpha byte set: the mask says what is clear, every other pixel is opaque.
  const std::vector<std::uint32_t> pixels{0x000000, 0x804020, 0x00FF00, 0x0000FF};
  const auto resized = ResizeIconToIco(Icon32(2, 2, pixels, {1, 0, 0, 1}), 0, true);
  ASSERT_TRUE(resized);
  const auto out = DecodeIconArgb(std::span(resized->ico).subspan(22));
  ASSERT_TRUE(out);
  EXPECT_EQ(out->pixels, (std::vector<std::uint32_t>{0x000000, 0xFF804020, 0xFF00FF00, 0x0000FF}));
  // Without the mask asked for, the icon is drawn on white as 24 bits, as every other depth.
  const auto opaque = ResizeIconToIco(Icon32(2, 2, pixels, {1, 0, 0, 1}), 0, false);
  ASSERT_TRUE(opaque);
  EXPECT_EQ(opaque->ico[22 + 14], 24);
}

TEST(IconResize, OlderHeadsReadAsTheStandardOnes) {
  // The depth comes from the image's own header whichever directory entry stands before it.
  std::vector<Rgb> colours(16 * 16, 0x336699);
  std::vector<std::uint8_t> mask(16 * 16, 0);
  mask[3] = 1;
  Bytes standard = Icon24(16, 16, colours, mask);
  Bytes old = standard;
  std::copy_n(testing::OldIcoHead(16, 16, 24, static_cast<std::uint32_t>(standard.size() - 22)).begin(), 22,
              old.begin());
  ASSERT_NE(old, standard);
  const auto a = ResizeIconToIco(old, 4, true);
  const auto b = ResizeIconToIco(standard, 4, true);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(a->ico, b->ico);
}

}  // namespace
}  // namespace glimmora
