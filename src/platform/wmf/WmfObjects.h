#pragma once
// The drawing objects a metafile creates (pens, brushes, fonts, palettes, regions), read from their
// records, and the bitmaps inside metafiles decoded through our own DIB decoder.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>
#include <vector>

#include "platform/wmf/WmfRecord.h"

namespace glimmora::wmf {

struct Palette {
  std::vector<QRgb> colours;
};

// A colour reference: an explicit colour, or an entry of the selected palette.
QColor ColourOf(std::uint32_t ref, const Palette& palette);

struct Pen {
  int style = 0;  // line kind in the low 4 bits, end cap and join above
  int width = 0;  // in logical units; 0 draws one pixel wide
  QColor colour = Qt::black;
  bool IsNull() const { return (style & 0xF) == 5; }
};

struct Brush {
  int style = 0;  // solid, null, hatched, pattern
  QColor colour = Qt::white;
  int hatch = 0;
  QImage pattern;  // for pattern brushes
  bool IsNull() const { return style == 1 || (IsPattern() && pattern.isNull()); }
  bool IsHatched() const { return style == 2; }
  bool IsPattern() const { return style == 3 || style == 5 || style == 6; }
};

struct Font {
  int height = 0;  // logical units: below 0 the letters' height, above 0 the cell's height
  int width = 0;
  int escapement = 0;  // tenths of a degree, counter-clockwise
  int weight = 400;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;
  std::uint8_t charset = 0;
  std::uint8_t pitchAndFamily = 0;
  QString face;

  bool operator==(const Font&) const = default;
};

// A region: a rectangle in logical units for each span of each of its scans.
struct Region {
  std::vector<QRect> rects;
};

// Objects the player keeps only so that the indexes of the others stay right (old bitmap brushes).
struct Placeholder {};

using Object = std::variant<Placeholder, Pen, Brush, Font, Palette, Region>;

// Each reader checks the record's length first; a record too short for its object still gives an
// object (the defaults), since the file counts it in the object table.
Pen ReadPen(const Record& r, const Palette& palette);
Brush ReadBrush(const Record& r, const Palette& palette);
Font ReadFont(const Record& r);
Palette ReadPalette(const Record& r);
// The scans the record holds whole; empty spans drop out.
Region ReadRegion(const Record& r);
// A pattern brush from a bitmap inside the record; a bitmap that does not decode gives a null brush.
Brush ReadPatternBrush(const Record& r, const Palette& palette);

// An old device-dependent bitmap (its size, row bytes, planes and bits per pixel, then its rows
// from the top): of one bit a pixel, clear bits in `zero` and set bits in `one`, or of 24 or 32
// bits of blue, green and red. Other depths index a device's palette that the file does not hold,
// and give nullopt like a bitmap that does not fit its bytes.
std::optional<QImage> DecodeOldBitmap(std::span<const std::uint8_t> bitmap, QRgb zero, QRgb one);

// The bitmap at the start of `dib` (header, colours, rows). With `paletteIndexes` its colour table
// holds 16-bit indexes into `palette` instead of colours. nullopt when it does not decode.
std::optional<QImage> DecodeDib(std::span<const std::uint8_t> dib, bool paletteIndexes, const Palette& palette);

}  // namespace glimmora::wmf
