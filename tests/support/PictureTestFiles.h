#pragma once
// Small pictures written byte by byte for the loader tests: a 24-bit BMP, a GIF whose LZW data is
// sent uncompressed, a placeable metafile of two filled rectangles, and sound metafiles that are
// costly to draw.

#include <cstddef>
#include <cstdint>
#include <random>
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

// Record writers: a record's head (its size in words, its function), and a pen (style, width,
// colour) or a solid brush created and selected as object `index`.
inline void PutRecordHead(std::vector<std::uint8_t>& recs, std::uint32_t words, unsigned function) {
  Put32(recs, words);
  Put16(recs, function);
}
inline void PutSelectedPen(std::vector<std::uint8_t>& recs, unsigned style, unsigned width, std::uint32_t colour,
                           unsigned index) {
  PutRecordHead(recs, 8, 0x02FA);  // CreatePenIndirect
  Put16(recs, style);
  Put16(recs, width);
  Put16(recs, 0);
  Put32(recs, colour);
  PutRecordHead(recs, 4, 0x012D);  // SelectObject
  Put16(recs, index);
}
inline void PutSelectedBrush(std::vector<std::uint8_t>& recs, std::uint32_t colour, unsigned index) {
  PutRecordHead(recs, 7, 0x02FC);  // CreateBrushIndirect: solid
  Put16(recs, 0);
  Put32(recs, colour);
  Put16(recs, 0);
  PutRecordHead(recs, 4, 0x012D);
  Put16(recs, index);
}

// Records (ending in the end record) behind a placeable header with the frame 0,0 to right,bottom
// and a metafile header that counts `objects` and the largest record.
inline std::vector<std::uint8_t> PlaceableWmf(const std::vector<std::uint8_t>& recs, unsigned right, unsigned bottom,
                                              unsigned inch, unsigned objects, std::uint32_t largest) {
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
  Put16(f, objects);
  Put32(f, largest);
  Put16(f, 0);
  f.insert(f.end(), recs.begin(), recs.end());
  return f;
}

// A 64 x 48 pixel metafile (bounds 0..64 x 0..48 at 96 units an inch): a red rectangle over the
// whole picture and a blue one from (8, 8) to (56, 40), no pen. `right` and `bottom` change the
// placeable bounds only.
inline std::vector<std::uint8_t> Wmf64x48(unsigned right = 64, unsigned bottom = 48, unsigned inch = 96) {
  std::vector<std::uint8_t> recs;
  PutRecordHead(recs, 5, 0x020B);  // SetWindowOrg y, x
  Put16(recs, 0);
  Put16(recs, 0);
  PutRecordHead(recs, 5, 0x020C);  // SetWindowExt height, width
  Put16(recs, 48);
  Put16(recs, 64);
  PutSelectedPen(recs, 5, 0, 0, 0);  // null pen
  PutSelectedBrush(recs, 0x000000FF, 1);
  PutRecordHead(recs, 7, 0x041B);  // Rectangle bottom, right, top, left
  Put16(recs, 48);
  Put16(recs, 64);
  Put16(recs, 0);
  Put16(recs, 0);
  PutSelectedBrush(recs, 0x00FF0000, 2);
  PutRecordHead(recs, 7, 0x041B);
  Put16(recs, 40);
  Put16(recs, 56);
  Put16(recs, 8);
  Put16(recs, 8);
  PutRecordHead(recs, 3, 0x0000);  // end
  return PlaceableWmf(recs, right, bottom, inch, 3, 8);
}

// Sound metafiles that cost a drawing engine dearly, for the time limits of the player and its
// benchmark; all on a 1000 x 1000 picture. `count` polylines (or, `filled`, polygons crossing
// themselves everywhere) of `points` random points, with a solid blue pen `penWidth` units wide
// and a red brush.
inline std::vector<std::uint8_t> RandomPolyWmf(int count, int points, int penWidth, bool filled, unsigned seed = 1) {
  std::vector<std::uint8_t> recs;
  PutSelectedPen(recs, 0, static_cast<unsigned>(penWidth), 0x00FF0000, 0);
  PutSelectedBrush(recs, 0x000000FF, 1);
  const std::uint32_t words = 4 + 2 * static_cast<std::uint32_t>(points);
  std::mt19937 random(seed);
  for (int i = 0; i < count; ++i) {
    PutRecordHead(recs, words, filled ? 0x0324 : 0x0325);  // Polygon or Polyline: count, x, y, ...
    Put16(recs, static_cast<unsigned>(points));
    for (int k = 0; k < 2 * points; ++k) Put16(recs, random() % 1000);
  }
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, 1000, 1000, 96, 2, words);
}

// `count` text records of `glyphs` letters each, in a font `glyphHeight` units high, spread over
// the picture and past its left edge.
inline std::vector<std::uint8_t> BigTextWmf(int count, int glyphs, int glyphHeight) {
  std::vector<std::uint8_t> recs;
  PutRecordHead(recs, 12, 0x02FB);  // CreateFontIndirect: height -glyphHeight, weight 400, no face name
  Put16(recs, static_cast<unsigned>(-glyphHeight) & 0xFFFF);
  for (unsigned w : {0u, 0u, 0u, 400u, 0u, 0u, 0u, 0u}) Put16(recs, w);
  PutRecordHead(recs, 4, 0x012D);
  Put16(recs, 0);
  const unsigned words = static_cast<unsigned>(glyphs + 1) / 2;
  for (int i = 0; i < count; ++i) {
    PutRecordHead(recs, 6 + words, 0x0521);  // TextOut: length, letters, y, x
    Put16(recs, static_cast<unsigned>(glyphs));
    for (int k = 0; k < 2 * static_cast<int>(words); ++k) recs.push_back(k < glyphs ? 'A' + (i + k) % 26 : 0);
    Put16(recs, static_cast<unsigned>(i * 37) % 1000);
    Put16(recs, static_cast<unsigned>(i * 53 % 1000 - 500) & 0xFFFF);
  }
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, 1000, 1000, 96, 1, 6 + words);
}

}  // namespace glimmora::testing
