#include "common/BmpFile.h"

#include <gtest/gtest.h>

#include "common/IconTestBytes.h"

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
  EXPECT_EQ(ReadBmpFile(kSampleBmp), Sample());

  // 8 bits, top-down, 2 palette entries (blue, red) behind the header; pixels at bfOffBits 62.
  const Bytes eight = Cat({{'B', 'M'}, testing::Le32(70), testing::Le32(0), testing::Le32(62),
                           testing::InfoHeader(2, -2, 8, 2), {255, 0, 0, 0, 0, 0, 255, 0},
                           {1, 0, 0, 0, 0, 1, 0, 0}});
  const auto picture = ReadBmpFile(eight);
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->Pixels(), (std::vector<Rgb>{0xFF0000, 0x0000FF, 0x0000FF, 0xFF0000}));

  Bytes broken = kSampleBmp;
  broken[10] = 0x80;  // pixels beyond the end
  EXPECT_FALSE(ReadBmpFile(broken));
  EXPECT_FALSE(ReadBmpFile(Bytes(kSampleBmp.begin(), kSampleBmp.end() - 1)));
  broken = kSampleBmp;
  broken[0] = 'X';
  EXPECT_FALSE(ReadBmpFile(broken));
}

}  // namespace
}  // namespace glimmora
