#pragma once
// Small pictures written byte by byte for the loader tests: a 24-bit BMP, a GIF whose LZW data is
// sent uncompressed, a placeable metafile of two filled rectangles, sound metafiles that are
// costly to draw, and forged files whose few bytes claim a huge picture.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageWriter>
#include <cstddef>
#include <cstdint>
#include <random>
#include <string>
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

// An uncompressed bitmap whose header claims `width` x `height` pixels of `bits` bits (a grey
// palette up to 8 bits), followed by `dataBytes` bytes of pixel data (all 0x5A).
inline std::vector<std::uint8_t> BmpClaiming(std::int32_t width, std::int32_t height, unsigned bits,
                                             std::size_t dataBytes) {
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

// Forged metafiles that cost the player dearly unless each step is counted before it is taken; each
// starts with a red rectangle over the top left of its picture, so that what was drawn shows.
inline std::vector<std::uint8_t> RedCorner() {
  std::vector<std::uint8_t> recs;
  PutSelectedBrush(recs, 0x000000FF, 0);
  PutRecordHead(recs, 7, 0x041B);
  for (unsigned v : {10u, 10u, 0u, 0u}) Put16(recs, v);
  PutRecordHead(recs, 4, 0x01F0);  // DeleteObject: the brush's slot is free again
  Put16(recs, 0);
  return recs;
}
inline void PutRegion(std::vector<std::uint8_t>& recs, const std::vector<std::vector<unsigned>>& scans) {
  std::uint32_t words = 3 + 11;
  for (const auto& scan : scans) words += static_cast<std::uint32_t>(scan.size()) + 2;
  PutRecordHead(recs, words, 0x06FF);  // CreateRegion: 11 words of header, then top, bottom, xs per scan
  for (unsigned v : {0u, 6u, 0u, 0u, 0u, static_cast<unsigned>(scans.size()), 0u, 0u, 0u, 0u, 0u}) Put16(recs, v);
  for (const auto& scan : scans) {
    Put16(recs, static_cast<unsigned>(scan.size() - 2));
    for (unsigned v : scan) Put16(recs, v);
    Put16(recs, static_cast<unsigned>(scan.size() - 2));
  }
}

// One region of `n` thin columns and `n` thin rows across them, filled `uses` times: its union
// has n² rectangles.
inline std::vector<std::uint8_t> OverlappingRegionWmf(unsigned n, int uses) {
  std::vector<std::uint8_t> recs = RedCorner();
  PutSelectedBrush(recs, 0x00FF0000, 0);
  std::vector<std::vector<unsigned>> scans = {{0, 2 * n}};
  for (unsigned j = 0; j < n; ++j) scans[0].insert(scans[0].end(), {2 * j, 2 * j + 1});
  for (unsigned i = 0; i < n; ++i) scans.push_back({2 * i, 2 * i + 1, 0, 2 * n});
  PutRegion(recs, scans);
  for (int i = 0; i < uses; ++i) {
    PutRecordHead(recs, 5, 0x0228);  // FillRegion region, brush
    Put16(recs, 1);
    Put16(recs, 0);
  }
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, 100, 100, 96, 2, 0);
}

// `count` DIB pattern brushes (or, `old`, stretch-blits of old device bitmaps) of one bit a pixel,
// `side` pixels square, on a picture `picture` pixels square.
inline std::vector<std::uint8_t> LargeBitmapsWmf(int count, unsigned side, unsigned picture, bool old) {
  std::vector<std::uint8_t> recs = RedCorner();
  const std::size_t bits = std::size_t{side} / 8 * side;
  for (int i = 0; i < count; ++i) {
    if (old) {
      PutRecordHead(recs, static_cast<std::uint32_t>(3 + 10 + 5 + bits / 2), 0x0B23);  // StretchBlt
      Put32(recs, 0xCC0020);
      for (unsigned v : {side, side, 0u, 0u, picture, picture, 0u, 0u}) Put16(recs, v);
      for (unsigned v : {0u, side, side, side / 8}) Put16(recs, v);
      recs.insert(recs.end(), {1, 1});
    } else {
      PutRecordHead(recs, static_cast<std::uint32_t>(3 + 2 + 24 + bits / 2), 0x0142);  // DibCreatePatternBrush
      Put16(recs, 5);
      Put16(recs, 0);
      for (std::uint32_t v : {40u, side, side}) Put32(recs, v);
      Put16(recs, 1);
      Put16(recs, 1);
      for (std::uint32_t v : {0u, 0u, 0u, 0u, 2u, 0u}) Put32(recs, v);
      recs.insert(recs.end(), {0, 0, 0, 0, 255, 255, 255, 0});
    }
    recs.resize(recs.size() + bits, 0x5A);
  }
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, picture, picture, 96, static_cast<unsigned>(count) + 1, 0);
}

// A clip region of `rows` rows of 10000 spans, moved `moves` times.
inline std::vector<std::uint8_t> MovedClipWmf(unsigned rows, int moves) {
  std::vector<std::uint8_t> recs = RedCorner();
  std::vector<std::vector<unsigned>> scans;
  for (unsigned i = 0; i < rows; ++i) {
    scans.push_back({2 * i, 2 * i + 1});
    for (unsigned j = 0; j < 10000; ++j) scans.back().insert(scans.back().end(), {3 * j, 3 * j + 1});
  }
  PutRegion(recs, scans);
  PutRecordHead(recs, 4, 0x012C);  // SelectClipRegion
  Put16(recs, 0);
  for (int k = 0; k < moves; ++k) {
    PutRecordHead(recs, 5, 0x0220);  // OffsetClipRegion y, x
    Put16(recs, k % 2 == 0 ? 1 : 0xFFFF);
    Put16(recs, 0);
  }
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, 100, 100, 96, 1, 0);
}

// The viewport's extent scaled 80 times by 32767 (far past what a double holds), a rectangle
// drawn so, the scale taken back, then `fills` rectangles over the picture.
inline std::vector<std::uint8_t> ScaledPastDoublesWmf(int fills) {
  std::vector<std::uint8_t> recs = RedCorner();
  PutRecordHead(recs, 3, 0x001E);  // SaveDC
  for (int i = 0; i < 80; ++i) {
    PutRecordHead(recs, 7, 0x0412);  // ScaleViewportExt y denominator, y numerator, x denominator, x numerator
    for (unsigned v : {1u, 32767u, 1u, 32767u}) Put16(recs, v);
  }
  PutSelectedBrush(recs, 0x00FF0000, 0);
  for (int i = 0; i < fills + 1; ++i) {
    PutRecordHead(recs, 7, 0x041B);
    for (unsigned v : {100u, 100u, 0u, 0u}) Put16(recs, v);
    if (i > 0) continue;
    PutRecordHead(recs, 4, 0x0127);  // RestoreDC -1
    Put16(recs, 0xFFFF);
  }
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, 100, 100, 96, 1, 0);
}

// A picture `side` pixels square filled with a pattern of single black pixels, then flood-filled
// up to black from its corner.
inline std::vector<std::uint8_t> CombFloodWmf(unsigned side) {
  std::vector<std::uint8_t> recs = RedCorner();
  PutRecordHead(recs, 3 + 2 + 20 + 4 + 4, 0x0142);  // DibCreatePatternBrush: 2 x 2, one bit a pixel
  Put16(recs, 5);
  Put16(recs, 0);
  for (std::uint32_t v : {40u, 2u, 2u}) Put32(recs, v);
  Put16(recs, 1);
  Put16(recs, 1);
  for (std::uint32_t v : {0u, 0u, 0u, 0u, 2u, 0u}) Put32(recs, v);
  recs.insert(recs.end(), {0, 0, 0, 0, 255, 255, 255, 0, 0x40, 0, 0, 0, 0xC0, 0, 0, 0});
  PutRecordHead(recs, 4, 0x012D);
  Put16(recs, 0);
  PutRecordHead(recs, 9, 0x061D);  // PatBlt with the brush: rop, height, width, y, x
  Put32(recs, 0xF00021);
  for (unsigned v : {side, side, 0u, 0u}) Put16(recs, v);
  PutSelectedBrush(recs, 0x000000FF, 1);
  PutRecordHead(recs, 7, 0x0419);  // FloodFill to black: colour, y, x
  Put32(recs, 0);
  Put16(recs, 0);
  Put16(recs, 1);
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, side, side, 96, 2, 0);
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

// Files whose headers claim `side` x `side` pixels (10000 by default) that their few bytes could
// never paint: a GIF of 35 bytes whose screen and frame both claim it; a JPEG whose frame header
// claims it over the entropy data of a 16 x 16 picture; a PNG whose one data chunk inflates to a
// single byte; a metafile of 82 bytes whose frame claims it and whose one rectangle is small.
inline std::vector<std::uint8_t> GifClaiming(unsigned side = 10000) {
  std::vector<std::uint8_t> g = {'G', 'I', 'F', '8', '9', 'a'};
  Put16(g, side);
  Put16(g, side);
  g.insert(g.end(), {0, 0, 0});  // no colour table
  g.push_back(0x2C);
  for (unsigned v : {0u, 0u, side, side}) Put16(g, v);
  g.insert(g.end(), {0, 2, 8, 0x04, 0, 0, 0, 0, 0, 0, 0, 0, 0x3B});  // a clear code, then zeros
  return g;
}

// A picture of `width` x `height` pixels of one colour, as Qt's writer of `format` writes it
// (`progressive`: a JPEG in several scans).
inline std::vector<std::uint8_t> Encoded(int width, int height, const char* format, bool progressive = false) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(QColor(200, 60, 20));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QImageWriter writer(&buffer, format);
  writer.setProgressiveScanWrite(progressive);
  writer.write(image);
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

// A JPEG so made; with `claim` its frame header then claims claim x claim.
inline std::vector<std::uint8_t> Jpeg(int width, int height, bool progressive = false, unsigned claim = 0) {
  std::vector<std::uint8_t> j = Encoded(width, height, "jpeg", progressive);
  for (std::size_t i = 2; claim != 0 && i + 9 < j.size(); ++i) {
    if (j[i] == 0xFF && (j[i + 1] == 0xC0 || j[i + 1] == 0xC2)) {
      j[i + 5] = j[i + 7] = static_cast<std::uint8_t>(claim >> 8);
      j[i + 6] = j[i + 8] = static_cast<std::uint8_t>(claim & 0xFF);
      break;
    }
  }
  return j;
}
inline std::vector<std::uint8_t> JpegClaiming(unsigned side = 10000) { return Jpeg(16, 16, false, side); }

inline std::uint32_t Crc32(const std::uint8_t* data, std::size_t size) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}
inline void PutPngChunk(std::vector<std::uint8_t>& p, const char* type, const std::vector<std::uint8_t>& data) {
  for (int shift = 24; shift >= 0; shift -= 8) p.push_back(static_cast<std::uint8_t>(data.size() >> shift));
  const std::size_t start = p.size();
  p.insert(p.end(), type, type + 4);
  p.insert(p.end(), data.begin(), data.end());
  const std::uint32_t crc = Crc32(p.data() + start, p.size() - start);
  for (int shift = 24; shift >= 0; shift -= 8) p.push_back(static_cast<std::uint8_t>(crc >> shift));
}
inline std::vector<std::uint8_t> PngClaiming(unsigned side = 10000) {
  std::vector<std::uint8_t> p = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  std::vector<std::uint8_t> head;
  for (int k = 0; k < 2; ++k)
    for (int shift = 24; shift >= 0; shift -= 8) head.push_back(static_cast<std::uint8_t>(side >> shift));
  head.insert(head.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, not interlaced
  PutPngChunk(p, "IHDR", head);
  PutPngChunk(p, "IDAT", {0x78, 0x9C, 0x63, 0x00, 0x00, 0x00, 0x01, 0x00, 0x01});  // one zero byte
  PutPngChunk(p, "IEND", {});
  return p;
}

// A metafile `side` pixels square holding one red rectangle `drawn` pixels square at its corner.
inline std::vector<std::uint8_t> RectangleWmf(unsigned side, unsigned drawn) {
  std::vector<std::uint8_t> recs;
  PutSelectedBrush(recs, 0x000000FF, 0);
  PutRecordHead(recs, 7, 0x041B);
  for (unsigned v : {drawn, drawn, 0u, 0u}) Put16(recs, v);
  PutRecordHead(recs, 3, 0x0000);
  return PlaceableWmf(recs, side, side, 96, 1, 7);
}
inline std::vector<std::uint8_t> WmfClaiming(unsigned side = 10000) { return RectangleWmf(side, 10); }

}  // namespace glimmora::testing
