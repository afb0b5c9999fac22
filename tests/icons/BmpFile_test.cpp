#include "icons/BmpFile.h"

#include <gtest/gtest.h>

#include <string>

#include "support/IconTestBytes.h"

namespace glimmora {
namespace {

using testing::Bytes;
using testing::Cat;

// Top row red, green; bottom row blue, white.
Raster Sample() {
  Raster r(2, 2);
  r.Set(0, 0, 0xFF0000);
  r.Set(1, 0, 0x00FF00);
  r.Set(0, 1, 0x0000FF);
  r.Set(1, 1, 0xFFFFFF);
  return r;
}

const Bytes kSampleBmp{
    'B', 'M', 0x46, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0,                 // file header
    0x28, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,     // size, w, h, planes, bits, compr.
    16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,        // image size; resolution, colours 0
    0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,                                 // bottom row first
    0, 0, 0xFF, 0, 0xFF, 0, 0, 0};

TEST(BmpFile, WritesEveryHeaderFieldFixed) {
  EXPECT_EQ(WriteBmp24(Sample()), kSampleBmp);
  EXPECT_EQ(Bmp24RowBytes(5), 16);
}

TEST(BmpFile, ReadsUncompressedBitmaps) {
  EXPECT_EQ(ReadBmpPicture(kSampleBmp, kMaxDecodedPixels).picture, Sample());

  // 8 bits, top-down, 2 palette entries (blue, red) behind the header; pixels at bfOffBits 62.
  const Bytes eight = Cat({{'B', 'M'}, testing::Le32(70), testing::Le32(0), testing::Le32(62),
                           testing::InfoHeader(2, -2, 8, 2), {255, 0, 0, 0, 0, 0, 255, 0},
                           {1, 0, 0, 0, 0, 1, 0, 0}});
  const DibPicture picture = ReadBmpPicture(eight, kMaxDecodedPixels);
  ASSERT_TRUE(picture.Ok());
  EXPECT_EQ(picture.picture.Pixels(), (std::vector<Rgb>{0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000}));

  Bytes broken = kSampleBmp;
  broken[10] = 0x80;  // pixels beyond the end
  EXPECT_FALSE(ReadBmpPicture(broken, kMaxDecodedPixels).Ok());
  EXPECT_FALSE(ReadBmpPicture(Bytes(kSampleBmp.begin(), kSampleBmp.end() - 1), kMaxDecodedPixels).Ok());
  broken = kSampleBmp;
  broken[0] = 'X';
  EXPECT_FALSE(ReadBmpPicture(broken, kMaxDecodedPixels).Ok());
}

// A bitmap file around `info` (its header and what follows it up to the pixels) and `pixels`.
Bytes BmpFileOf(const Bytes& info, const Bytes& pixels) {
  const auto offBits = static_cast<std::uint32_t>(14 + info.size());
  return Cat({{'B', 'M'}, testing::Le32(offBits + static_cast<std::uint32_t>(pixels.size())), testing::Le32(0),
              testing::Le32(offBits), info, pixels});
}

// The kinds older programs and other systems write, which the picture loader reads with this
// decoder alone: each gives the sample picture, or is refused with the reason when damaged.
TEST(BmpFile, ReadsCompressedAndOldBitmapsAndSaysWhyDamagedOnesFail) {
  using testing::InfoHeader;
  using testing::Le16;
  using testing::Le32;
  const Bytes palette = {255, 0, 0, 0, 255, 255, 255, 0, 0, 0, 255, 0, 0, 255, 0, 0};  // blue, white, red, green
  // Two runs, end of row, three pixels as they are (the last one past the edge).
  const Bytes rle8 = {1, 0, 1, 1, 0, 0, 0, 3, 2, 3, 0, 0};
  const Bytes rle4 = {2, 0x01, 0, 0, 0, 3, 0x23, 0x00};
  const Bytes end = {0, 1};
  const Bytes masks565 = Cat({Le32(0xF800), Le32(0x07E0), Le32(0x001F)});
  const Bytes rows565 = Cat({Le16(0x001F), Le16(0xFFFF), Le16(0xF800), Le16(0x07E0)});
  // 32 bits, top row first, red in the lowest byte.
  const Bytes masks32 = Cat({Le32(0xFF), Le32(0xFF00), Le32(0xFF0000)});
  const Bytes rows32 = Cat({Le32(0xFF), Le32(0xFF00), Le32(0xFF0000), Le32(0xFFFFFF)});
  Bytes corePalette = {255, 0, 0, 255, 255, 255, 0, 0, 255, 0, 255, 0};
  corePalette.resize(48, 0);
  const auto core = [](unsigned bits) { return Cat({Le32(12), Le16(2), Le16(2), Le16(1), Le16(bits)}); };
  // Past a megapixel the runs must be able to paint the picture: one run and the end mark, or
  // moves past the top, are short; rows of long runs are sound.
  const Bytes oneRun = {1, 1, 0, 1};
  Raster oneRunPicture(1024, 1024, 0x0000FF);
  oneRunPicture.Set(0, 1023, 0xFFFFFF);
  Bytes pastTheTop = {1, 0};
  for (int k = 0; k < 17; ++k) pastTheTop.insert(pastTheTop.end(), {0, 2, 0, 255});
  Bytes longRuns;
  for (int row = 0; row < 1000; ++row) longRuns.insert(longRuns.end(), {255, 1, 255, 1, 255, 1, 255, 1, 80, 1, 0, 0});
  struct Case {
    const char* name;
    Bytes file;
    PictureRefusal why;
    Raster want = Sample();
  } cases[] = {
      {"8-bit runs", BmpFileOf(Cat({InfoHeader(2, 2, 8, 4, 1, 1), palette}), Cat({rle8, end})), PictureRefusal::None},
      {"8-bit runs without the end mark", BmpFileOf(Cat({InfoHeader(2, 2, 8, 4, 1, 1), palette}), rle8),
       PictureRefusal::None},
      // The blank bottom-left pixel skipped by a move.
      {"8-bit runs with a move", BmpFileOf(Cat({InfoHeader(2, 2, 8, 4, 1, 1), palette}),
                                           {0, 2, 1, 0, 1, 1, 0, 0, 1, 2, 1, 3, 0, 1}),
       PictureRefusal::None},
      {"a megapixel ending after one run", BmpFileOf(Cat({InfoHeader(1024, 1024, 8, 4, 1, 1), palette}), oneRun),
       PictureRefusal::None, oneRunPicture},
      {"rows of long runs", BmpFileOf(Cat({InfoHeader(1100, 1000, 8, 4, 1, 1), palette}), longRuns),
       PictureRefusal::None, Raster(1100, 1000, 0xFFFFFF)},
      {"4-bit runs", BmpFileOf(Cat({InfoHeader(2, 2, 4, 4, 1, 2), palette}), Cat({rle4, end})), PictureRefusal::None},
      {"16-bit masks", BmpFileOf(Cat({InfoHeader(2, 2, 16, 0, 1, 3), masks565}), rows565), PictureRefusal::None},
      {"32-bit masks, top-down", BmpFileOf(Cat({InfoHeader(2, -2, 32, 0, 1, 3), masks32}), rows32),
       PictureRefusal::None},
      {"old header, 24 bits", BmpFileOf(core(24), Bytes(kSampleBmp.begin() + 54, kSampleBmp.end())),
       PictureRefusal::None},
      {"old header, 4 bits", BmpFileOf(Cat({core(4), corePalette}), {0x01, 0, 0, 0, 0x23, 0, 0, 0}),
       PictureRefusal::None},
      {"runs ending before the top row", BmpFileOf(Cat({InfoHeader(2, 2, 8, 4, 1, 1), palette}), {1, 0, 1, 1, 0, 0}),
       PictureRefusal::BmpPixelsShort},
      {"16 megapixels ending after one run", BmpFileOf(Cat({InfoHeader(4096, 4096, 8, 4, 1, 1), palette}), oneRun),
       PictureRefusal::BmpPixelsShort},
      {"16 megapixels moved past the top", BmpFileOf(Cat({InfoHeader(4096, 4096, 8, 4, 1, 1), palette}), pastTheTop),
       PictureRefusal::BmpPixelsShort},
      {"runs painting nothing", BmpFileOf(Cat({InfoHeader(2, 2, 8, 4, 1, 1), palette}), end),
       PictureRefusal::BmpPixelsShort},
      {"rows under masks cut short", BmpFileOf(Cat({InfoHeader(2, 2, 16, 0, 1, 3), masks565}), Le16(0x001F)),
       PictureRefusal::BmpPixelsShort},
      {"old header cut inside its palette", BmpFileOf(core(4), {}), PictureRefusal::BmpPixelsShort},
      {"8-bit runs of 4-bit pixels", BmpFileOf(Cat({InfoHeader(2, 2, 4, 4, 1, 1), palette}), rle8),
       PictureRefusal::BmpNotRead},
      {"masks over 24-bit pixels", BmpFileOf(Cat({InfoHeader(2, 2, 24, 0, 1, 3), masks565}), rows565),
       PictureRefusal::BmpNotRead},
      {"2-bit pixels", BmpFileOf(InfoHeader(2, 2, 2), Bytes(8, 0)), PictureRefusal::BmpNotRead},
      {"top-down runs", BmpFileOf(Cat({InfoHeader(2, -2, 8, 4, 1, 1), palette}), rle8),
       PictureRefusal::BmpHeaderDamaged},
      {"no planes", BmpFileOf(InfoHeader(2, 2, 24, 0, 0), Bytes(16, 0)), PictureRefusal::BmpHeaderDamaged},
  };
  for (const Case& c : cases) {
    const DibPicture read = ReadBmpPicture(c.file, kMaxDecodedPixels);
    EXPECT_EQ(PictureRefusalName(read.refusal), std::string(PictureRefusalName(c.why))) << c.name;
    if (c.why == PictureRefusal::None) {
      EXPECT_EQ(read.picture, c.want) << c.name;
    }
  }
}

}  // namespace
}  // namespace glimmora
