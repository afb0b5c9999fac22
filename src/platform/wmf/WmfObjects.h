#pragma once
// The drawing objects a metafile creates (pens, brushes, fonts, palettes, regions), read from their
// records, and the bitmaps inside metafiles decoded through our own DIB decoder.

#include <QColor>
#include <QImage>
#include <QRect>
#include <QRegion>
#include <QString>
#include <array>
#include <cstddef>
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
  // Where the player last placed it on the picture and under which mapping (window origin, scale,
  // viewport origin): used again under the same mapping it is not placed again.
  struct Placed {
    std::array<double, 6> mapping;
    QRegion area;
  };
  std::optional<Placed> placed;
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
// The scans the record holds whole; empty spans drop out. nullopt when they hold more than
// `maxRects` rectangles.
std::optional<Region> ReadRegion(const Record& r, std::size_t maxRects);
// A bitmap inside a record, sized from its header before any pixel of it is decoded, so that its
// decoding can be counted first and, for plain rows, done a band of rows at a time.
class Bitmap {
 public:
  // An old device-dependent bitmap (its size, row bytes, planes and bits per pixel, then its rows
  // from the top), of one bit a pixel or of 24 or 32 bits of blue, green and red (other depths
  // index a device's palette that the file does not hold); or a DIB (header, colours, rows), whose
  // colour table may hold 16-bit indexes into the selected palette instead of colours.
  enum class Kind { Dib, DibOfPaletteIndexes, Old };

  // nullopt when the header is too short, names no picture, or one of more than kMaxDecodedPixels.
  static std::optional<Bitmap> Read(std::span<const std::uint8_t> bytes, Kind kind);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A DIB stored from its bottom row up: a blit's source rows count from the bottom.
  bool FromBottom() const { return kind_ != Kind::Old && bottomUp_; }
  // Plain rows decode a band at a time; run-length ones only whole.
  bool Banded() const { return rowsAt_ != 0; }

  // `count` rows from row `top` (counted from the top of the picture), whole rows; a bitmap that is
  // not Banded() gives only all of them. An old monochrome bitmap shows clear bits in `zero` and
  // set bits in `one`. nullopt when the rows do not decode.
  std::optional<QImage> Rows(int top, int count, QRgb zero, QRgb one, const Palette& palette) const;

 private:
  std::span<const std::uint8_t> bytes_;
  Kind kind_ = Kind::Dib;
  int width_ = 0;
  int height_ = 0;
  bool bottomUp_ = false;
  std::size_t rowsAt_ = 0;  // where plain rows start, 0 when they do not decode by bands
  std::size_t rowBytes_ = 0;
};

// The bitmap at the start of `dib` (header, colours, rows). With `paletteIndexes` its colour table
// holds 16-bit indexes into `palette` instead of colours. nullopt when it does not decode.
std::optional<QImage> DecodeDib(std::span<const std::uint8_t> dib, bool paletteIndexes, const Palette& palette);

}  // namespace glimmora::wmf
