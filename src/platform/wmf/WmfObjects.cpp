#include "platform/wmf/WmfObjects.h"

#include <cstdlib>

#include "common/Dib.h"
#include "platform/PictureFiles.h"
#include "platform/wmf/WmfText.h"

namespace glimmora::wmf {

namespace {

constexpr int kPatternStyle = 3;  // a brush whose DIB's colour table holds colours, never palette indexes

constexpr std::int64_t kMaxSide = 32767;

QRgb TableColour(std::span<const std::uint8_t> table, std::size_t index) {
  if (4 * index + 3 >= table.size()) return qRgb(0, 0, 0);
  const std::uint8_t* e = table.data() + 4 * index;
  return qRgb(e[2], e[1], e[0]);
}

// One channel of a pixel under a colour mask, widened to 8 bits.
int Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = 0;
  while (((mask >> shift) & 1u) == 0) ++shift;
  const std::uint32_t max = mask >> shift;
  return static_cast<int>(static_cast<std::uint64_t>((pixel & mask) >> shift) * 255 / max);
}

// 16- and 32-bit pixels whose channels lie where three masks say: the masks follow a 40-byte
// header, or sit inside a longer one.
std::optional<QImage> DecodeMasked(std::span<const std::uint8_t> dib, const DibHeader& h, int width, int height) {
  if (h.bitCount != 16 && h.bitCount != 32) return std::nullopt;
  const std::size_t masksAt = 40;
  const std::size_t rowsAt = (h.size == 40 ? h.size + 12 : h.size) + 4 * PackedDibTableEntries(h);
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * h.bitCount + 31) / 32 * 4;
  if (dib.size() < masksAt + 12 || rowsAt > dib.size() || (dib.size() - rowsAt) / rowBytes < static_cast<std::size_t>(height))
    return std::nullopt;
  const std::uint32_t masks[3] = {le::U32(dib.data() + 40), le::U32(dib.data() + 44), le::U32(dib.data() + 48)};
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return std::nullopt;
  for (int r = 0; r < height; ++r) {
    const std::uint8_t* row = dib.data() + rowsAt + static_cast<std::size_t>(r) * rowBytes;
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(h.height > 0 ? height - 1 - r : r));
    for (int x = 0; x < width; ++x) {
      const std::uint32_t v = h.bitCount == 16 ? le::U16(row + 2 * x) : le::U32(row + 4 * x);
      line[x] = qRgb(Channel(v, masks[0]), Channel(v, masks[1]), Channel(v, masks[2]));
    }
  }
  return image;
}

// Run-length rows of 8 or 4 bits, bottom row first. Runs that reach outside the picture are cut;
// every step reads at least two bytes, so the decoding ends with the bytes.
std::optional<QImage> DecodeRunLength(std::span<const std::uint8_t> dib, const DibHeader& h, int width, int height) {
  const bool four = h.compression == 2;
  if (h.bitCount != (four ? 4 : 8) || h.height < 0) return std::nullopt;
  const std::size_t tableAt = h.size;
  const std::size_t dataAt = tableAt + 4 * PackedDibTableEntries(h);
  if (dataAt > dib.size()) return std::nullopt;
  const std::span<const std::uint8_t> table = dib.subspan(tableAt, dataAt - tableAt);
  const std::span<const std::uint8_t> data = dib.subspan(dataAt);
  QImage image(width, height, QImage::Format_RGB32);
  if (image.isNull()) return std::nullopt;
  image.fill(TableColour(table, 0));
  int x = 0;
  int y = 0;  // counted from the bottom row
  const auto put = [&](std::size_t index) {
    if (x < width && y < height) image.setPixel(x, height - 1 - y, TableColour(table, index));
    ++x;
  };
  std::size_t i = 0;
  while (i + 1 < data.size() && y < height) {
    const std::uint8_t count = data[i];
    const std::uint8_t value = data[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count && x < width; ++k) put(four ? ((k & 1) ? value & 0xF : value >> 4) : value);
      continue;
    }
    if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      break;
    } else if (value == 2) {
      if (i + 1 >= data.size()) break;
      x += data[i];
      y += data[i + 1];
      i += 2;
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      if (data.size() - i < bytes) break;
      for (int k = 0; k < value && x < width; ++k)
        put(four ? ((k & 1) ? data[i + k / 2] & 0xF : data[i + k / 2] >> 4) : data[i + k]);
      i += (bytes + 1) & ~std::size_t{1};
    }
  }
  return image;
}

// Bitmaps with colour masks or run-length rows, which office files and old clip art carry.
std::optional<QImage> DecodeCompressed(std::span<const std::uint8_t> dib) {
  const std::optional<DibHeader> h = ParseDibHeader(dib);
  if (!h || h->size < 40 || h->size > dib.size() || h->planes != 1) return std::nullopt;
  const std::int64_t width = h->width;
  const std::int64_t height = std::abs(static_cast<std::int64_t>(h->height));
  if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide || width * height > kMaxDecodedPixels)
    return std::nullopt;
  if (h->compression == 3) return DecodeMasked(dib, *h, static_cast<int>(width), static_cast<int>(height));
  if (h->compression == 1 || h->compression == 2)
    return DecodeRunLength(dib, *h, static_cast<int>(width), static_cast<int>(height));
  return std::nullopt;
}

}  // namespace

QColor ColourOf(std::uint32_t ref, const Palette& palette) {
  if ((ref >> 24) == 1) {
    const std::size_t index = ref & 0xFFFF;
    return index < palette.colours.size() ? QColor(palette.colours[index]) : QColor(Qt::black);
  }
  return QColor(static_cast<int>(ref & 0xFF), static_cast<int>((ref >> 8) & 0xFF), static_cast<int>((ref >> 16) & 0xFF));
}

Pen ReadPen(const Record& r, const Palette& palette) {
  Pen pen;
  if (r.Words() < 5) return pen;
  pen.style = r.U16(0);
  pen.width = r.I16(1);
  pen.colour = ColourOf(r.U32(3), palette);
  return pen;
}

Brush ReadBrush(const Record& r, const Palette& palette) {
  Brush brush;
  if (r.Words() < 4) return brush;
  brush.style = r.U16(0);
  brush.colour = ColourOf(r.U32(1), palette);
  brush.hatch = r.U16(3);
  if (brush.IsPattern()) brush.style = 1;  // a pattern needs a bitmap, which this record has not
  return brush;
}

Font ReadFont(const Record& r) {
  Font font;
  if (r.Words() < 9) return font;
  font.height = r.I16(0);
  font.width = r.I16(1);
  font.escapement = r.I16(2);
  font.weight = r.I16(4);
  const std::span<const std::uint8_t> b = r.params;
  font.italic = b[10] != 0;
  font.underline = b[11] != 0;
  font.strikeOut = b[12] != 0;
  font.charset = b[13];
  font.pitchAndFamily = b[17];
  const std::span<const std::uint8_t> face = b.subspan(18);
  font.face = DecodeFaceName(face.first(std::min<std::size_t>(face.size(), 32)), font.charset);
  return font;
}

Palette ReadPalette(const Record& r) {
  Palette palette;
  const std::size_t count = r.U16(1);
  if (r.Words() < 2 + 2 * count) return palette;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = r.params.data() + 4 + 4 * i;
    palette.colours.push_back(qRgb(e[0], e[1], e[2]));
  }
  return palette;
}

Region ReadRegion(const Record& r) {
  // After the header (chain, kind, count, size, scan count, largest scan, bounds: 11 words) each scan
  // holds its number of x coordinates, its top and bottom, the coordinates and the number again.
  Region region;
  std::size_t word = 11;
  for (std::size_t scan = 0; scan < r.U16(5) && word + 3 <= r.Words(); ++scan) {
    const std::size_t xs = r.U16(word);
    if (r.Words() - word - 3 < xs) break;
    const int top = r.I16(word + 1);
    const int bottom = r.I16(word + 2);
    for (std::size_t i = 0; i + 1 < xs; i += 2) {
      const int left = r.I16(word + 3 + i);
      const int right = r.I16(word + 4 + i);
      if (left < right && top < bottom) region.rects.emplace_back(QPoint(left, top), QPoint(right - 1, bottom - 1));
    }
    word += 4 + xs;
  }
  return region;
}

Brush ReadPatternBrush(const Record& r, const Palette& palette) {
  Brush brush;
  brush.style = 5;
  if (r.Words() < 2) return brush;
  // Whatever the style says, the bitmap is a DIB; the bitmap style only forbids palette indexes.
  const bool paletteIndexes = r.U16(0) != kPatternStyle && r.U16(1) == 1;
  const std::optional<QImage> image = DecodeDib(r.BytesFrom(2), paletteIndexes, palette);
  if (image) brush.pattern = *image;
  return brush;
}

std::optional<QImage> DecodeOldBitmap(std::span<const std::uint8_t> b, QRgb zero, QRgb one) {
  if (b.size() < 10) return std::nullopt;
  const std::int64_t width = static_cast<std::int16_t>(le::U16(b.data() + 2));
  const std::int64_t height = static_cast<std::int16_t>(le::U16(b.data() + 4));
  const std::int64_t rowBytes = static_cast<std::int16_t>(le::U16(b.data() + 6));
  const int bits = b[9];
  if (b[8] != 1 || (bits != 1 && bits != 24 && bits != 32)) return std::nullopt;
  if (width < 1 || height < 1 || width * height > kMaxDecodedPixels) return std::nullopt;
  if (rowBytes < (width * bits + 7) / 8 || static_cast<std::int64_t>(b.size() - 10) / rowBytes < height)
    return std::nullopt;
  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) return std::nullopt;
  for (int y = 0; y < height; ++y) {
    const std::uint8_t* row = b.data() + 10 + y * rowBytes;
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < width; ++x) {
      if (bits == 1) line[x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? one : zero;
      else line[x] = qRgb(row[x * bits / 8 + 2], row[x * bits / 8 + 1], row[x * bits / 8]);
    }
  }
  return image;
}

std::optional<QImage> DecodeDib(std::span<const std::uint8_t> dib, bool paletteIndexes, const Palette& palette) {
  std::vector<std::uint8_t> withColours;
  if (paletteIndexes) {
    // Rewrite the table of 16-bit indexes as the colour table the decoder reads.
    const std::optional<DibHeader> h = ParseDibHeader(dib);
    if (!h || h->size < 40 || h->size > dib.size()) return std::nullopt;
    const std::size_t entries = h->bitCount <= 8 ? PackedDibTableEntries(*h) : 0;
    if (dib.size() - h->size < 2 * entries) return std::nullopt;
    withColours.assign(dib.begin(), dib.begin() + h->size);
    for (std::size_t i = 0; i < entries; ++i) {
      const std::size_t index = le::U16(dib.data() + h->size + 2 * i);
      const QRgb c = index < palette.colours.size() ? palette.colours[index] : qRgb(0, 0, 0);
      withColours.insert(withColours.end(), {static_cast<std::uint8_t>(qBlue(c)), static_cast<std::uint8_t>(qGreen(c)),
                                             static_cast<std::uint8_t>(qRed(c)), 0});
    }
    withColours.insert(withColours.end(), dib.begin() + h->size + 2 * entries, dib.end());
    dib = withColours;
  }
  const std::optional<Raster> raster = DecodePackedDib(dib);
  if (!raster) return DecodeCompressed(dib);
  QImage image = ImageFromRaster(*raster);
  if (image.isNull()) return std::nullopt;
  return image;
}

}  // namespace glimmora::wmf
