#include "icons/IcoFile.h"

#include <gtest/gtest.h>

#include "support/IconTestBytes.h"

namespace glimmora {
namespace {

using testing::Bytes;

std::int64_t FileSize(int width, int height, int bits) {
  const auto s = IconRowSizes(width, 2 * height, bits);
  return s ? s->imageSize + 22 : -1;
}

TEST(IcoFile, SizeRules) {
  EXPECT_EQ(FileSize(32, 32, 4), 766);  // 22 + 40 + 64 + 16*32 + 4*32
  EXPECT_EQ(FileSize(16, 16, 24), 894);  // 22 + 40 + 48*16 + 4*16
  EXPECT_EQ(FileSize(16, 16, 4), 318);
  EXPECT_EQ(FileSize(72, 72, 24), 16456 + 22);
  EXPECT_EQ(FileSize(16, 16, 32), 22 + 40 + 64 * 16 + 4 * 16);  // 4-byte pixels
  EXPECT_EQ(FileSize(16, 16, 1), 22 + 40 + 8 + 4 * 16 + 4 * 16);
  EXPECT_EQ(FileSize(32, 32, 8), 22 + 40 + 1024 + 32 * 32 + 4 * 32);
  EXPECT_EQ(FileSize(3, 1, 16), 22 + 40 + 8 + 4);                // 6 bytes of pixels filled to 8

  EXPECT_EQ(MaskRowBytes(40), 8);
  EXPECT_EQ(MaskRowBytes(32), 4);
  EXPECT_EQ(MaskRowBytes(33), 8);
  EXPECT_EQ(MaskRowBytes(72), 12);
  EXPECT_EQ(ColorRowBytes(5, 4), 4);
  EXPECT_EQ(ColorRowBytes(9, 4), 8);
  EXPECT_EQ(ColorRowBytes(5, 24), 16);

  // Nothing sound follows from these.
  EXPECT_FALSE(IconRowSizes(16, 32, 2));
  EXPECT_FALSE(IconRowSizes(16, 32, 0));
  EXPECT_FALSE(IconRowSizes(0, 32, 4));
  EXPECT_FALSE(IconRowSizes(16, 0, 4));
  EXPECT_FALSE(IconRowSizes(16, 31, 4));
  EXPECT_FALSE(IconRowSizes(32768, 64, 4));  // negative as a 16-bit value
  EXPECT_FALSE(IconRowSizes(16, -32, 4));
}

TEST(IcoFile, HeadBytes) {
  const auto head = EncodeIcoFileHead(MakeIcoFileHead(32, 32, 4, 744));
  // A standard directory entry: 16 colours, reserved 0, one plane, 4 bits.
  const Bytes expected{0, 0, 1, 0, 1, 0, 32, 32, 16, 0, 1, 0, 4, 0, 0xE8, 0x02, 0, 0, 22, 0, 0, 0};
  EXPECT_EQ(Bytes(head.begin(), head.end()), expected);

  const auto wide = EncodeIcoFileHead(MakeIcoFileHead(256, 256, 24, 0x030028));
  EXPECT_EQ(wide[6], 0);
  EXPECT_EQ(wide[7], 0);
  EXPECT_EQ(wide[16], 3);
  // The colour count of every depth: 2^bits below 8 bits, else 0 (256 does not fit the byte).
  for (const auto& [bits, colours] : {std::pair{1, 2}, {4, 16}, {8, 0}, {16, 0}, {24, 0}, {32, 0}}) {
    const auto h = EncodeIcoFileHead(MakeIcoFileHead(16, 16, bits, 1));
    EXPECT_EQ(Bytes(h.begin() + 8, h.begin() + 14), (Bytes{static_cast<std::uint8_t>(colours), 0, 1, 0,
                                                           static_cast<std::uint8_t>(bits), 0}))
        << bits << " bits";
  }
  // A height that does not fit the byte becomes 0 rather than wrapping round.
  EXPECT_EQ(EncodeIcoFileHead(MakeIcoFileHead(40, 300, 8, 1))[7], 0);

  EXPECT_EQ(DecodeIcoFileHead(expected), MakeIcoFileHead(32, 32, 4, 744));
  EXPECT_FALSE(DecodeIcoFileHead(Bytes(21, 0)));
}

TEST(IcoFile, FoundImageIsCopiedBehindItsHead) {
  // A 16 x 16 4-bit image with a biSizeImage the program did not write: kept as it is.
  Bytes image = testing::InfoHeader(16, 32, 4);
  image[20] = 0x80;
  image.resize(296, 0x5A);
  const auto file = MakeSingleImageIco(image);
  ASSERT_TRUE(file);
  ASSERT_EQ(file->size(), 318u);
  EXPECT_EQ(Bytes(file->begin(), file->begin() + 22), testing::IcoHead(16, 16, 4, 296));
  EXPECT_EQ(Bytes(file->begin() + 22, file->end()), image);
  EXPECT_EQ(file->at(22), 0x28);  // the scanner's pattern sits here

  EXPECT_FALSE(MakeSingleImageIco(Bytes(39, 0)));
  EXPECT_FALSE(MakeSingleImageIco(testing::InfoHeader(0, 0, 4)));
}

TEST(IcoFile, ImageBytesStayInsideTheFile) {
  Bytes file = testing::Cat({testing::IcoHead(1, 1, 24, 48), Bytes(10, 7)});
  auto image = IcoImageBytes(file);
  ASSERT_TRUE(image);
  EXPECT_EQ(image->size(), 10u);  // cut at the end of the file
  file[18] = 200;                 // image offset beyond the end
  EXPECT_FALSE(IcoImageBytes(file));
  file[18] = 22;
  file[2] = 2;  // a cursor file, not an icon
  EXPECT_FALSE(IcoImageBytes(file));
}

}  // namespace
}  // namespace glimmora
