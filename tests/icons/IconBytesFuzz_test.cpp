// Random, truncated and forged input for every function that reads icon or bitmap bytes: none may
// crash, read outside its input, hang, or allocate more than the input can justify.

#include <gtest/gtest.h>

#include <random>

#include "icons/BmpFile.h"
#include "icons/Dib.h"
#include "icons/IcoFile.h"
#include "icons/IconResize.h"
#include "support/IconTestBytes.h"

namespace glimmora {
namespace {

using testing::Bytes;

Bytes ValidIcon(int bits, int side, std::mt19937& rng) {
  const std::size_t palette = bits <= 8 ? (std::size_t{4} << bits) : 0;
  const std::size_t row = static_cast<std::size_t>((side * bits + 31) / 32 * 4);
  const std::size_t mask = static_cast<std::size_t>((side + 31) / 32 * 4);
  Bytes image = testing::InfoHeader(side, 2 * side, static_cast<unsigned>(bits));
  for (std::size_t i = 0; i < palette + (row + mask) * side; ++i) image.push_back(static_cast<std::uint8_t>(rng()));
  return testing::WithIcoHead(image, static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side),
                              static_cast<std::uint8_t>(bits));
}

// Feeds one input to every reader and checks what comes back stays within bounds.
void FeedAll(const Bytes& bytes) {
  const std::span<const std::uint8_t> in(bytes);
  (void)DecodeIcoFileHead(in);
  (void)ParseDibHeader(in);
  (void)MakeSingleImageIco(in);
  if (const auto image = IcoImageBytes(in)) {
    EXPECT_LE(image->data() + image->size(), bytes.data() + bytes.size());
  }
  for (const auto& icon : {DecodeIconImage(in), DecodeIcoFile(in)}) {
    if (!icon) continue;
    const auto pixels = static_cast<std::int64_t>(icon->onWhite.Width()) * icon->onWhite.Height();
    EXPECT_LE(pixels, kMaxDecodedPixels);
    EXPECT_LE(pixels, 8 * static_cast<std::int64_t>(bytes.size()));  // at least a bit per pixel was read
    EXPECT_EQ(icon->transparent.size(), static_cast<std::size_t>(pixels));
  }
  for (const DibPicture& picture : {ReadBmpPicture(in, kMaxDecodedPixels), DecodeFileDib(in, in, kMaxDecodedPixels)}) {
    if (picture.Ok()) {
      EXPECT_LE(static_cast<std::int64_t>(picture.picture.Width()) * picture.picture.Height(),
                8 * std::int64_t(bytes.size()));
    }
  }
  if (const auto resized = ResizeIconToIco(in, 2, true)) {
    // 32 x 32: 24 bits, or 32 bits for a 32-bit icon, which keeps its alpha.
    EXPECT_TRUE(resized->ico.size() == 3262u || resized->ico.size() == 4286u) << resized->ico.size();
  }
  (void)ResizeIconToPicture(in, 0);
}

TEST(IconBytesFuzz, RandomTruncatedAndForgedInput) {
  std::mt19937 rng(20240611);
  std::vector<Bytes> seeds;
  for (int bits : {1, 4, 8, 16, 24, 32}) seeds.push_back(ValidIcon(bits, bits == 8 ? 4 : 16, rng));
  Raster picture(3, 2, 0x204060);
  seeds.push_back(WriteBmp24(picture));

  for (const Bytes& seed : seeds) {
    ASSERT_TRUE(DecodeIcoFile(seed) || ReadBmpPicture(seed, kMaxDecodedPixels).Ok());
    for (std::size_t cut = 0; cut <= seed.size(); cut += 1 + seed.size() / 200)
      FeedAll(Bytes(seed.begin(), seed.begin() + static_cast<std::ptrdiff_t>(cut)));
    for (int round = 0; round < 300; ++round) {
      Bytes m = seed;
      const int flips = 1 + static_cast<int>(rng() % 8);
      for (int f = 0; f < flips; ++f) m[rng() % std::min<std::size_t>(m.size(), 80)] = static_cast<std::uint8_t>(rng());
      FeedAll(m);
    }
    // Forged fields of the icon head, the bitmap header and the bitmap file header.
    const std::uint32_t forged[] = {0, 1, 0x7FFF, 0x8000, 0xFFFF, 0x10000, 0x7FFFFFFF, 0x80000000, 0xFFFFFFFF};
    for (std::size_t field : {2u, 10u, 14u, 18u, 22u, 26u, 30u, 34u, 36u, 38u, 54u, 58u}) {
      for (std::uint32_t v : forged) {
        Bytes m = seed;
        if (field + 4 > m.size()) continue;
        const Bytes le = testing::Le32(v);
        std::copy(le.begin(), le.end(), m.begin() + static_cast<std::ptrdiff_t>(field));
        FeedAll(m);
      }
    }
  }
  for (int round = 0; round < 500; ++round) {
    Bytes noise(rng() % 300);
    for (auto& b : noise) b = static_cast<std::uint8_t>(rng());
    if (noise.size() > 30 && round % 2 == 0) noise[22] = 0x28, noise[23] = noise[24] = noise[25] = 0;
    FeedAll(noise);
  }
}

TEST(IconBytesFuzz, ForgedSizesAreRefusedBeforeAllocating) {
  // Headers claiming the largest sizes with almost nothing behind them.
  for (std::int32_t side : {32767, 0x7FFFFFFF, -1}) {
    for (unsigned bits : {1u, 24u, 32u}) {
      const Bytes image = testing::Cat({testing::InfoHeader(side, side, bits), Bytes(64, 0)});
      EXPECT_FALSE(DecodeIconImage(image));
      EXPECT_FALSE(DecodeFileDib(image, image, kMaxDecodedPixels).Ok());
      EXPECT_FALSE(ResizeIconToIco(testing::WithIcoHead(image, 0, 0, 24), 1, true));
    }
  }
  EXPECT_FALSE(IconRowSizes(0x7FFFFFFF, 0x7FFFFFFE, 24));
}

}  // namespace
}  // namespace glimmora
