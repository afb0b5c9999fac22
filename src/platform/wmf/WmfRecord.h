#pragma once
// The records of a metafile, walked with every size checked before a field is read.

#include <cstddef>
#include <cstdint>
#include <span>

#include "common/LeBytes.h"

namespace glimmora::wmf {

// The functions of the records the player draws or keeps track of.
enum Function : std::uint16_t {
  kSetBkColor = 0x0201,
  kSetBkMode = 0x0102,
  kSetMapMode = 0x0103,
  kSetRop2 = 0x0104,
  kSetPolyFillMode = 0x0106,
  kSetTextColor = 0x0209,
  kSetTextJustification = 0x020A,
  kSetTextAlign = 0x012E,
  kSetWindowOrg = 0x020B,
  kSetWindowExt = 0x020C,
  kSetViewportOrg = 0x020D,
  kSetViewportExt = 0x020E,
  kOffsetWindowOrg = 0x020F,
  kOffsetViewportOrg = 0x0211,
  kScaleWindowExt = 0x0410,
  kScaleViewportExt = 0x0412,
  kOffsetClipRegion = 0x0220,
  kFillRegion = 0x0228,
  kFrameRegion = 0x0429,
  kInvertRegion = 0x012A,
  kPaintRegion = 0x012B,
  kLineTo = 0x0213,
  kMoveTo = 0x0214,
  kExcludeClipRect = 0x0415,
  kIntersectClipRect = 0x0416,
  kFloodFill = 0x0419,
  kExtFloodFill = 0x0548,
  kArc = 0x0817,
  kEllipse = 0x0418,
  kPie = 0x081A,
  kRectangle = 0x041B,
  kRoundRect = 0x061C,
  kPatBlt = 0x061D,
  kSaveDC = 0x001E,
  kSetPixel = 0x041F,
  kTextOut = 0x0521,
  kPolygon = 0x0324,
  kPolyline = 0x0325,
  kRestoreDC = 0x0127,
  kSelectClipRegion = 0x012C,
  kSelectObject = 0x012D,
  kChord = 0x0830,
  kExtTextOut = 0x0A32,
  kSelectPalette = 0x0234,
  kPolyPolygon = 0x0538,
  kBitBlt = 0x0922,
  kStretchBlt = 0x0B23,
  kDibBitBlt = 0x0940,
  kDibStretchBlt = 0x0B41,
  kDibCreatePatternBrush = 0x0142,
  kStretchDib = 0x0F43,
  kDeleteObject = 0x01F0,
  kCreatePalette = 0x00F7,
  kCreatePatternBrush = 0x01F9,
  kCreatePenIndirect = 0x02FA,
  kCreateFontIndirect = 0x02FB,
  kCreateBrushIndirect = 0x02FC,
  kCreateRegion = 0x06FF,
};

// One record: its function and the words after the six-byte record head. Fields are read by word
// index; the caller checks Words() against what the record needs, and a read past the end still
// gives 0 rather than touching other bytes.
struct Record {
  std::uint16_t function = 0;
  std::span<const std::uint8_t> params;

  std::size_t Words() const { return params.size() / 2; }
  std::uint16_t U16(std::size_t word) const {
    return word < Words() ? le::U16(params.data() + 2 * word) : std::uint16_t{0};
  }
  std::int16_t I16(std::size_t word) const { return static_cast<std::int16_t>(U16(word)); }
  std::uint32_t U32(std::size_t word) const {
    return static_cast<std::uint32_t>(U16(word)) | (static_cast<std::uint32_t>(U16(word + 1)) << 16);
  }
  // The bytes from word `word` on (empty when it lies past the end).
  std::span<const std::uint8_t> BytesFrom(std::size_t word) const {
    return 2 * word <= params.size() ? params.subspan(2 * word) : std::span<const std::uint8_t>{};
  }
};

// Walks the records from `at`: each must hold at least its own head and end inside the bytes, so
// every step moves forward by at least six bytes.
class RecordWalker {
 public:
  enum class Stop { None, End, Damaged };

  RecordWalker(std::span<const std::uint8_t> bytes, std::size_t at) : bytes_(bytes), pos_(at) {}

  // The next record; false at the end record, at the end of the bytes or at a damaged record head.
  bool Next(Record& record) {
    if (stop_ != Stop::None) return false;
    // No end record, or a few bytes too short for a record: nothing is lost.
    if (bytes_.size() - pos_ < 6) return Halt(Stop::End);
    const std::uint32_t words = le::U32(bytes_.data() + pos_);
    if (words < 3 || words > (bytes_.size() - pos_) / 2) return Halt(Stop::Damaged);
    record.function = le::U16(bytes_.data() + pos_ + 4);
    record.params = bytes_.subspan(pos_ + 6, static_cast<std::size_t>(words) * 2 - 6);
    if (record.function == 0) return Halt(Stop::End);
    pos_ += static_cast<std::size_t>(words) * 2;
    return true;
  }

  Stop Stopped() const { return stop_; }
  std::size_t Position() const { return pos_; }

 private:
  bool Halt(Stop s) {
    stop_ = s;
    return false;
  }

  std::span<const std::uint8_t> bytes_;
  std::size_t pos_;
  Stop stop_ = Stop::None;
};

}  // namespace glimmora::wmf
