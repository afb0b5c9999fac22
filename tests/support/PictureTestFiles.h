#pragma once
// Small pictures written byte by byte for the loader tests: a 24-bit BMP, a GIF whose LZW data is
// sent uncompressed, and a placeable metafile of two filled rectangles.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace glimmora::testing {

inline void Put16(std::vector<std::uint8_t>& v, unsigned x) {
  v.push_back(static_cast<std::uint8_t>(x & 0xFF));
  v.push_back(static_cast<std::uint8_t>((x >> 8) & 0xFF));
}
inline void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
  Put16(v, x & 0xFFFF);
  Put16(v, x >> 16);
}

// 2 x 2, 24 bits: top row red, green; bottom row blue, white.
inline std::vector<std::uint8_t> Bmp2x2() {
  return {'B', 'M', 70, 0, 0, 0, 0, 0, 0, 0, 54, 0, 0, 0,                    // file header
          40, 0, 0, 0, 2, 0, 0, 0, 2, 0, 0, 0, 1, 0, 24, 0, 0, 0, 0, 0,      // info header
          16, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
          0xFF, 0, 0, 0xFF, 0xFF, 0xFF, 0, 0,                                // bottom row (B, G, R)
          0, 0, 0xFF, 0, 0xFF, 0, 0, 0};                                     // top row
}

// A bitmap whose header claims `width` x `height` pixels of `bits` bits (a grey palette up to 8
// bits) and `compression`, followed by `dataBytes` bytes of pixel data (all 0x5A).
inline std::vector<std::uint8_t> BmpClaiming(std::int32_t width, std::int32_t height, unsigned bits,
                                             std::size_t dataBytes, std::uint32_t compression = 0) {
  const unsigned entries = bits <= 8 ? 1u << bits : 0;
  const std::uint32_t offBits = 54 + 4 * entries;
  std::vector<std::uint8_t> b = {'B', 'M'};
  Put32(b, static_cast<std::uint32_t>(offBits + dataBytes));
  Put32(b, 0);
  Put32(b, offBits);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(width));
  Put32(b, static_cast<std::uint32_t>(height));
  Put16(b, 1);
  Put16(b, bits);
  Put32(b, compression);
  b.resize(54, 0);
  for (unsigned i = 0; i < entries; ++i) {
    const auto grey = static_cast<std::uint8_t>(i * 255 / (entries - 1));
    b.insert(b.end(), {grey, grey, grey, 0});
  }
  b.resize(b.size() + dataBytes, 0x5A);
  return b;
}

// 2 x 2 GIF on a `screenWidth` x `screenHeight` screen: top row red, green; bottom row blue,
// white. The LZW codes are 3 bits wide: a clear code before every two pixels keeps the code table
// from growing.
inline std::vector<std::uint8_t> Gif2x2(unsigned screenWidth = 2, unsigned screenHeight = 2) {
  std::vector<std::uint8_t> g = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(g, screenWidth);
  Put16(g, screenHeight);
  g.insert(g.end(), {0x81, 0, 0});                                    // 4-colour global table
  g.insert(g.end(), {255, 255, 255, 255, 0, 0, 0, 255, 0, 0, 0, 255});  // white, red, green, blue
  g.push_back(0x2C);
  Put16(g, 0);
  Put16(g, 0);
  Put16(g, 2);
  Put16(g, 2);
  g.push_back(0);
  g.push_back(2);  // minimum code size: clear 4, end 5
  const unsigned codes[] = {4, 1, 2, 4, 3, 0, 5};
  std::uint32_t bits = 0;
  for (unsigned i = 0; i < 7; ++i) bits |= codes[i] << (3 * i);
  g.insert(g.end(), {3, static_cast<std::uint8_t>(bits), static_cast<std::uint8_t>(bits >> 8),
                     static_cast<std::uint8_t>(bits >> 16), 0, 0x3B});
  return g;
}

// A 64 x 48 pixel metafile (bounds 0..64 x 0..48 at 96 units an inch): a red rectangle over the
// whole picture and a blue one from (8, 8) to (56, 40), no pen. `right` and `bottom` change the
// placeable bounds only.
inline std::vector<std::uint8_t> Wmf64x48(unsigned right = 64, unsigned bottom = 48, unsigned inch = 96) {
  std::vector<std::uint8_t> recs;
  auto rec = [&](std::uint32_t words, unsigned function) {
    Put32(recs, words);
    Put16(recs, function);
  };
  rec(5, 0x020B);  // SetWindowOrg y, x
  Put16(recs, 0);
  Put16(recs, 0);
  rec(5, 0x020C);  // SetWindowExt height, width
  Put16(recs, 48);
  Put16(recs, 64);
  rec(8, 0x02FA);  // CreatePenIndirect: null pen
  Put16(recs, 5);
  Put16(recs, 0);
  Put16(recs, 0);
  Put32(recs, 0);
  rec(4, 0x012D);  // SelectObject 0
  Put16(recs, 0);
  rec(7, 0x02FC);  // CreateBrushIndirect: solid red
  Put16(recs, 0);
  Put32(recs, 0x000000FF);
  Put16(recs, 0);
  rec(4, 0x012D);
  Put16(recs, 1);
  rec(7, 0x041B);  // Rectangle bottom, right, top, left
  Put16(recs, 48);
  Put16(recs, 64);
  Put16(recs, 0);
  Put16(recs, 0);
  rec(7, 0x02FC);  // solid blue
  Put16(recs, 0);
  Put32(recs, 0x00FF0000);
  Put16(recs, 0);
  rec(4, 0x012D);
  Put16(recs, 2);
  rec(7, 0x041B);
  Put16(recs, 40);
  Put16(recs, 56);
  Put16(recs, 8);
  Put16(recs, 8);
  rec(3, 0x0000);  // end

  std::vector<std::uint8_t> f;
  const unsigned head[10] = {0xCDD7, 0x9AC6, 0, 0, 0, right, bottom, inch, 0, 0};
  unsigned check = 0;
  for (unsigned w : head) {
    Put16(f, w);
    check ^= w;
  }
  Put16(f, check);
  Put16(f, 1);      // in memory
  Put16(f, 9);      // header words
  Put16(f, 0x300);  // version
  Put32(f, static_cast<std::uint32_t>(9 + recs.size() / 2));
  Put16(f, 3);  // objects
  Put32(f, 8);  // largest record
  Put16(f, 0);
  f.insert(f.end(), recs.begin(), recs.end());
  return f;
}

}  // namespace glimmora::testing
