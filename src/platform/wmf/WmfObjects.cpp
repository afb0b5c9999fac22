#include "platform/wmf/WmfObjects.h"

#include <cstdlib>

#include "common/Dib.h"
#include "platform/RasterImages.h"
#include "platform/wmf/WmfText.h"

namespace glimmora::wmf {

namespace {

constexpr int kPatternStyle = 3;  // a brush whose DIB's colour table holds colours, never palette indexes

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
  if (!raster) return std::nullopt;
  QImage image = ImageFromRaster(*raster);
  if (image.isNull()) return std::nullopt;
  return image;
}

}  // namespace glimmora::wmf
