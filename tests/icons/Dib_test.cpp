#include "icons/Dib.h"

#include <gtest/gtest.h>

#include "support/IconTestBytes.h"

namespace glimmora {
namespace {

using testing::Bytes;
using testing::Cat;
using testing::InfoHeader;

// Mask rows of a 2-pixel-wide icon: `top` and `bottom` are the high bits of each row's first byte.
Bytes Mask2(std::uint8_t bottom, std::uint8_t top) { return {bottom, 0, 0, 0, top, 0, 0, 0}; }

std::vector<Rgb> Pixels(const DecodedIcon& icon) { return icon.onWhite.Pixels(); }

TEST(DibDecode, PaletteImagesHonourTheColoursUsed) {
  // 1 bit, 2 x 2: palette black, red; top row "0 1", bottom row "1 0"; bottom-right transparent.
  const Bytes oneBit = Cat({InfoHeader(2, 4, 1), {0, 0, 0, 0, 0, 0, 255, 0},
                            {0x80, 0, 0, 0, 0x40, 0, 0, 0}, Mask2(0x40, 0x00)});
  auto icon = DecodeIconImage(oneBit);
  ASSERT_TRUE(icon);
  // The transparent black pixel shows white.
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0x000000, 0xFF0000, 0xFF0000, 0xFFFFFF}));
  EXPECT_EQ(icon->transparent, (std::vector<std::uint8_t>{0, 0, 0, 1}));

  // 4 bits with only 2 palette entries: the rows follow 8 bytes of palette, not 64. Index 5 lies
  // beyond the palette and shows black.
  const Bytes fourBit = Cat({InfoHeader(2, 4, 4, 2), {255, 0, 0, 0, 0, 255, 0, 0},
                             {0x01, 0, 0, 0, 0x15, 0, 0, 0}, Mask2(0, 0)});
  icon = DecodeIconImage(fourBit);
  ASSERT_TRUE(icon);
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0x00FF00, 0x000000, 0x0000FF, 0x00FF00}));

  // 8 bits, 1 x 2, full palette: entry 200 is (B 1, G 2, R 3).
  Bytes palette(1024, 0);
  palette[800] = 1, palette[801] = 2, palette[802] = 3;
  const Bytes eightBit = Cat({InfoHeader(1, 4, 8), palette, {200, 0, 0, 0, 0, 0, 0, 0}, Mask2(0, 0)});
  icon = DecodeIconImage(eightBit);
  ASSERT_TRUE(icon);
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0x000000, 0x030201}));
}

TEST(DibDecode, DirectColourDepths) {
  // 16 bits, X1R5G5B5: pure red, and blue 16 which widens to (16 << 3) | (16 >> 2) = 132.
  const Bytes sixteen = Cat({InfoHeader(2, 2, 16), {0x00, 0x7C, 0x10, 0x00}, {0, 0, 0, 0}});
  auto icon = DecodeIconImage(sixteen);
  ASSERT_TRUE(icon);
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0xFF0000, 0x000084}));

  // 24 bits, 2 x 1: an opaque pixel and an inverting one: a set mask bit over a colour shows
  // white exclusive-or that colour.
  const Bytes twentyFour = Cat({InfoHeader(2, 2, 24), {0x30, 0x20, 0x10, 0x30, 0x20, 0x10, 0, 0}, {0x40, 0, 0, 0}});
  icon = DecodeIconImage(twentyFour);
  ASSERT_TRUE(icon);
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0x102030, 0xEFDFCF}));

  // 32 bits with alpha: blended over white, the mask leaves the colour alone. Red at alpha 128:
  // green and blue = (255 * 127 + 127) / 255 = 127.
  const Bytes alpha = Cat({InfoHeader(2, 2, 32), {0, 0, 255, 128, 0, 0, 0, 0}, {0xC0, 0, 0, 0}});
  icon = DecodeIconImage(alpha);
  ASSERT_TRUE(icon);
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0xFF7F7F, 0xFFFFFF}));
  EXPECT_EQ(icon->transparent, (std::vector<std::uint8_t>{1, 1}));

  // 32 bits with every alpha 0: drawn like 24 bits.
  const Bytes noAlpha = Cat({InfoHeader(2, 2, 32), {0, 0, 255, 0, 0, 0, 0, 0}, {0x40, 0, 0, 0}});
  icon = DecodeIconImage(noAlpha);
  ASSERT_TRUE(icon);
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0xFF0000, 0xFFFFFF}));
}

TEST(DibDecode, MaskIsReadWhereTheHeaderPutsIt) {
  // Trailing bytes after the image (a longer file) must not be taken for the mask.
  const Bytes image = Cat({InfoHeader(1, 2, 24), {0, 0, 0, 0}, {0x80, 0, 0, 0}});
  const Bytes file = Cat({testing::WithIcoHead(image, 1, 1, 24), Bytes(8, 0)});
  auto icon = DecodeIcoFile(file);
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->transparent, (std::vector<std::uint8_t>{1}));
  EXPECT_EQ(Pixels(*icon), (std::vector<Rgb>{0xFFFFFF}));
  // The same when the junk counts as part of the image.
  icon = DecodeIconImage(Cat({image, Bytes(8, 0)}));
  ASSERT_TRUE(icon);
  EXPECT_EQ(icon->transparent, (std::vector<std::uint8_t>{1}));
}

TEST(DibDecode, UnsoundHeadersAreRefused) {
  const Bytes body(64, 0);
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(0, 2, 24), body})));
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(2, 0, 24), body})));
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(0x8000, 2, 24), body})));
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(2, -4, 24), body})));
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(2, 3, 24), body})));
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(2, 4, 2), body})));
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(2, 4, 24, 0, 2), body})));
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(2, 4, 24, 0, 1, 1), body})));
  // One byte short of the mask.
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(2, 4, 24), Bytes(8 + 8 + 7, 0)})));
  EXPECT_TRUE(DecodeIconImage(Cat({InfoHeader(2, 4, 24), Bytes(8 + 8 + 8, 0)})));
  // A header that claims far more pixels than any icon, backed by enough bytes.
  EXPECT_FALSE(DecodeIconImage(Cat({InfoHeader(8192, 16384, 1), Bytes(2 * 1024 * 8192, 0)})));
}

}  // namespace
}  // namespace glimmora
