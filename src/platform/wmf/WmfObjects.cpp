#include "platform/wmf/WmfObjects.h"

#include <cstddef>
#include <cstdlib>
#include <vector>

#include "icons/Dib.h"
#include "icons/IcoFile.h"
#include "platform/RasterImages.h"
#include "platform/wmf/WmfText.h"

namespace glimmora::wmf {

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

std::optional<Region> ReadRegion(const Record& r, std::size_t maxRects) {
  // After the header (chain, kind, count, size, scan count, largest scan, bounds: 11 words) each scan
  // holds its number of x coordinates, its top and bottom, the coordinates and the number again.
  Region region;
  std::size_t word = 11;
  for (std::size_t scan = 0; scan < r.U16(5) && word + 3 <= r.Words(); ++scan) {
    const std::size_t xs = r.U16(word);
    if (r.Words() - word - 3 < xs) break;
    if (region.rects.size() + xs / 2 > maxRects) return std::nullopt;
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

std::optional<Bitmap> Bitmap::Read(std::span<const std::uint8_t> b, Kind kind) {
  Bitmap bitmap;
  bitmap.bytes_ = b;
  bitmap.kind_ = kind;
  std::int64_t width = 0;
  std::int64_t height = 0;
  if (kind == Kind::Old) {
    if (b.size() < 10) return std::nullopt;
    width = static_cast<std::int16_t>(le::U16(b.data() + 2));
    height = static_cast<std::int16_t>(le::U16(b.data() + 4));
    const std::int64_t rowBytes = static_cast<std::int16_t>(le::U16(b.data() + 6));
    const int bits = b[9];
    if (b[8] != 1 || (bits != 1 && bits != 24 && bits != 32)) return std::nullopt;
    if (width < 1 || height < 1 || width * height > kMaxDecodedPixels) return std::nullopt;
    if (rowBytes < (width * bits + 7) / 8 || static_cast<std::int64_t>(b.size() - 10) / rowBytes < height)
      return std::nullopt;
    bitmap.rowsAt_ = 10;
    bitmap.rowBytes_ = static_cast<std::size_t>(rowBytes);
  } else {
    const std::optional<DibHeader> h = ParseDibHeader(b);
    if (!h || h->size < 40 || h->size > b.size()) return std::nullopt;
    width = h->width;
    height = std::abs(static_cast<std::int64_t>(h->height));
    if (width < 1 || height < 1 || width * height > kMaxDecodedPixels) return std::nullopt;
    bitmap.bottomUp_ = h->height > 0;
    // Plain rows lie after the header, the colour masks that may follow it and the colour table
    // (of 2-byte palette indexes for the bitmap's own colours when it has them).
    const int bits = h->bitCount;
    const bool plain = h->compression == 0 || h->compression == 3 || h->compression == 6;
    if (plain && IsKnownBitCount(bits)) {
      const std::size_t masks = PackedDibMaskBytes(*h);
      const std::size_t entries = PackedDibTableEntries(*h);
      const std::size_t indexes = kind == Kind::DibOfPaletteIndexes && bits <= 8 ? entries : 0;
      const auto rowBytes = static_cast<std::size_t>(ColorRowBytes(width, bits));
      const std::size_t rowsAt = h->size + masks + 2 * indexes + 4 * (entries - indexes);
      if (entries <= b.size() && rowsAt <= b.size() && (b.size() - rowsAt) / rowBytes >= static_cast<std::size_t>(height)) {
        bitmap.rowsAt_ = rowsAt;
        bitmap.rowBytes_ = rowBytes;
      }
    }
  }
  bitmap.width_ = static_cast<int>(width);
  bitmap.height_ = static_cast<int>(height);
  return bitmap;
}

std::optional<QImage> Bitmap::Rows(int top, int count, QRgb zero, QRgb one, const Palette& palette) const {
  const bool whole = top == 0 && count == height_;
  if (top < 0 || count < 1 || top + count > height_ || (!Banded() && !whole)) return std::nullopt;
  if (kind_ == Kind::Old) {
    const int bits = bytes_[9];
    QImage image(width_, count, QImage::Format_RGB32);
    if (image.isNull()) return std::nullopt;
    for (int y = 0; y < count; ++y) {
      const std::uint8_t* row = bytes_.data() + rowsAt_ + static_cast<std::size_t>(top + y) * rowBytes_;
      QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
      for (int x = 0; x < width_; ++x) {
        if (bits == 1) line[x] = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? one : zero;
        else line[x] = qRgb(row[x * bits / 8 + 2], row[x * bits / 8 + 1], row[x * bits / 8]);
      }
    }
    return image;
  }
  const bool indexes = kind_ == Kind::DibOfPaletteIndexes;
  if (whole) return DecodeDib(bytes_, indexes, palette);
  // The band as a bitmap of its own: the same header, masks and colours, with its height and rows.
  const int first = bottomUp_ ? height_ - top - count : top;
  const std::size_t rows = static_cast<std::size_t>(count) * rowBytes_;
  std::vector<std::uint8_t> band(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(rowsAt_));
  const auto from = bytes_.begin() + static_cast<std::ptrdiff_t>(rowsAt_ + static_cast<std::size_t>(first) * rowBytes_);
  band.insert(band.end(), from, from + static_cast<std::ptrdiff_t>(rows));
  const auto put32 = [&](std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) band[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
  };
  put32(8, static_cast<std::uint32_t>(bottomUp_ ? count : -count));
  put32(20, static_cast<std::uint32_t>(rows));
  return DecodeDib(band, indexes, palette);
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
