#include "platform/wmf/WmfPlayer.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QtMath>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

#include "platform/RasterImages.h"
#include "platform/wmf/WmfObjects.h"
#include "platform/wmf/WmfRecord.h"
#include "platform/wmf/WmfRegions.h"
#include "platform/wmf/WmfText.h"

namespace glimmora {

namespace {

using wmf::Brush;
using wmf::Font;
using wmf::Object;
using wmf::Palette;
using wmf::Pen;
using wmf::Record;
using wmf::RecordWalker;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;

constexpr std::size_t kMaxSavedStates = 1024;

// What each step costs against the work budget, in pixels of plain fill (about 0.1 ns each here),
// measured on Qt's raster engine with random lines, tangled polygons and large letters.
constexpr double kShapeCost = 10'000;      // a drawing record, whatever its size
constexpr double kPointCost = 200;         // a point of a polygon or line
constexpr double kThinLineCost = 350;      // a pixel along a line one pixel wide
constexpr double kWideLineCost = 800;      // a pixel along a wide line, or of its width at each joint
constexpr double kStrokeAreaCost = 3;      // a pixel that a wide line covers
constexpr double kEdgeCost = 100;          // a row of the picture that an edge of a filled shape crosses,
constexpr double kTangleEdgeCost = 700;    // and more when the shape has many edges (up to 256 points)
constexpr double kPatternCost = 50;        // a pixel filled with a hatch or a bitmap pattern
constexpr double kImageCost = 4;           // a pixel of a bitmap stretched onto the picture
constexpr double kTextCost = 50'000;       // a text record: layout and shaping
constexpr double kGlyphCost = 1'500;       // a letter drawn
constexpr double kGlyphRowCost = 450;      // a pixel of its height (large letters are filled as outlines)
constexpr double kGlyphAreaCost = 6;       // and a pixel of the square of its height, the outline's inside
constexpr double kDecodeCost = 100;        // a pixel of a bitmap decoded
constexpr double kClipRectCost = 1'000;    // a rectangle of a clip region set, moved or cut
constexpr double kRegionRectCost = 2'000;  // a rectangle of a region, mapped and sorted
constexpr double kMergedRectCost = 200;    // a rectangle across a band of a region whose rows overlap
constexpr double kFloodLookCost = 20;      // a pixel a flood fill reads
constexpr double kFloodMapCost = 0.2;      // a pixel of the picture, for the map of those it reached
constexpr std::size_t kMaxFloodRuns = 1'000'000;
// The most rectangles a region or clip may have. Each use of one is a single step of Qt's that
// cannot be interrupted and takes time by its rectangles: this many take a few milliseconds (ten
// times that in a sanitizer build), so a stopped load still ends at once. Real pictures' regions
// have tens of rectangles.
constexpr double kMaxAreaRects = 200'000;
constexpr std::size_t kMaxObjects = 65535;
// Window and viewport extents stay within these sizes, so that the mapping stays finite.
constexpr double kMinExtent = 1e-9;
constexpr double kMaxExtent = 1e9;
constexpr int kPatternStyle = 3;  // a pattern brush whose colour table holds colours, never palette indexes

// Drawing larger than this (about 10 ms) goes in pieces, and the clock and the cancel flag are
// read between them, so a cancelled load ends at once whatever one record holds.
constexpr double kPieceCost = 1e8;
constexpr double kSecondsPerWork = 1e-10;
// The clock is read after this much work, or this many records, since it was last read.
constexpr double kWorkPerClockRead = 1e6;
constexpr std::int64_t kRecordsPerClockRead = 64;

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

constexpr std::uint32_t kSrcPaint = 0xEE0086;
constexpr std::uint32_t kSrcAnd = 0x8800C6;
constexpr int kIsotropic = 7;
constexpr int kCopyPen = 13;
constexpr int kNoOp = 11;
constexpr unsigned kUpdateCp = 1;
constexpr unsigned kEtoOpaque = 2;
constexpr unsigned kEtoClipped = 4;
constexpr unsigned kEtoGlyphIndex = 0x10;
constexpr unsigned kEtoPairs = 0x2000;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) { return le::U16(b.data() + at); }

bool IsPlaceable(std::span<const std::uint8_t> b) { return b.size() >= kPlaceableSize && le::U32(b.data()) == kPlaceableKey; }

bool IsMetaHeader(std::span<const std::uint8_t> b, std::size_t at) {
  if (b.size() < at + kHeaderSize) return false;
  const std::uint16_t type = Le16(b, at);
  const std::uint16_t version = Le16(b, at + 4);
  return (type == 1 || type == 2) && Le16(b, at + 2) == 9 && (version == 0x100 || version == 0x300);
}

// The drawing state that SaveDC keeps and RestoreDC brings back.
struct State {
  Pen pen;
  Brush brush;
  Font font;
  Palette palette;
  QColor text = Qt::black;
  QColor background = Qt::white;
  bool opaque = true;
  bool winding = false;
  unsigned align = 0;
  int breakExtra = 0;  // logical units the text's spaces share
  int breakCount = 0;
  int rop2 = kCopyPen;  // how pen and brush combine with the picture
  int mapMode = 1;
  QPointF winOrg;
  QPointF winExt{1, 1};
  QPointF vpOrg;                  // in the file's device units
  std::optional<QPointF> vpExt;   // none: the whole picture
  QPointF pos;
  bool clipped = false;
  QRegion clip;
};

// Where the picture's frame lies in logical units, and its size in pixels; `shift` moves what is
// drawn on the picture (a file sized by what it draws starts where its drawing starts).
struct Frame {
  int width = 0;
  int height = 0;
  QPointF org;
  QPointF ext;
  QPointF shift;
};

using Clock = std::chrono::steady_clock;

class Player {
 public:
  // With `measuring` nothing is drawn: the player only gathers the bounds of what would be.
  Player(QImage& image, const Frame& frame, std::size_t objects, const WmfBudget& budget, Clock::time_point start,
         bool measuring = false)
      : image_(image),
        painter_(&image),
        width_(frame.width),
        height_(frame.height),
        shift_(frame.shift),
        budget_(budget),
        start_(start),
        measuring_(measuring) {
    state_.winOrg = frame.org;
    state_.winExt = frame.ext;
    table_.resize(std::min(objects, kMaxObjects));
    Rescale();
  }

  void Play(RecordWalker& walker, WmfPicture& out) {
    Record r;
    std::int64_t count = 0;
    while (walker.Next(r)) {
      if (++count > budget_.records) return Stop(out, "more than " + std::to_string(budget_.records) + " records");
      if ((measuring_ || count % kRecordsPerClockRead == 0) && !InTime(0)) break;
      if (r.function != kStretchDib && r.function != kDibStretchBlt) DrawPendingMask();
      Dispatch(r);
      if (!halted_.empty()) break;
    }
    if (!halted_.empty()) return Stop(out, halted_);
    DrawPendingMask();
    if (walker.Stopped() == RecordWalker::Stop::Damaged)
      Stop(out, "damaged record at byte " + std::to_string(walker.Position()));
  }

  bool Drawn() const { return drawn_; }
  double Work() const { return work_; }
  // What a measuring player found the records draw, in pixels of a picture at one unit a pixel.
  const QRectF& Bounds() const { return bounds_; }

 private:
  void Stop(WmfPicture& out, std::string why) {
    out.partial = true;
    out.stopped = std::move(why);
  }

  static constexpr const char* kOverWork = "the drawing takes more work than a picture may";

  bool Halt(std::string why) {
    if (halted_.empty()) halted_ = std::move(why);
    return false;
  }

  // Whether the drawing may go on, with `ahead` more work to do before the clock is read again.
  bool InTime(double ahead) {
    if (!halted_.empty()) return false;
    if (budget_.cancel != nullptr && budget_.cancel->load(std::memory_order_relaxed)) return Halt("cancelled");
    sinceClockRead_ = 0;
    const std::chrono::duration<double> spent = Clock::now() - start_;
    if (spent.count() + ahead * kSecondsPerWork > std::chrono::duration<double>(budget_.time).count())
      return Halt("the drawing takes longer than a picture may");
    return true;
  }

  // Counts `cost` before a piece of drawing is done: false, and the drawing ends there, when it
  // would pass the work budget or the time left, when the load was cancelled, or when the cost is
  // not a number (a size run past the doubles).
  bool Afford(double cost) {
    if (!halted_.empty()) return false;
    if (!std::isfinite(cost) || cost < 0) return Halt("the drawing has a size beyond measure");
    if (work_ + cost > budget_.work) return Halt(kOverWork);
    work_ += cost;
    sinceClockRead_ += cost;
    return sinceClockRead_ < kWorkPerClockRead || InTime(cost);
  }

  // Counts work already done (what a flood fill or a region's merging read, within the work left
  // it was given): false, and the drawing ends there, when it passed a bound.
  bool Spent(double cost) {
    if (!halted_.empty()) return false;
    if (!std::isfinite(cost) || cost < 0) return Halt("the drawing has a size beyond measure");
    work_ += cost;
    if (work_ > budget_.work) return Halt(kOverWork);
    return InTime(0);
  }

  void Dispatch(const Record& r) {
    const std::size_t n = r.Words();
    State& s = state_;
    switch (r.function) {
      case kSetBkColor:
        if (n >= 2) s.background = wmf::ColourOf(r.U32(0), s.palette);
        break;
      case kSetBkMode:
        if (n >= 1) s.opaque = r.U16(0) != 1;
        break;
      case kSetMapMode:
        if (n >= 1) s.mapMode = r.U16(0);
        Rescale();
        break;
      case kSetRop2:
        if (n >= 1) s.rop2 = r.U16(0);
        break;
      case kSetPolyFillMode:
        if (n >= 1) s.winding = r.U16(0) == 2;
        break;
      case kSetTextColor:
        if (n >= 2) s.text = wmf::ColourOf(r.U32(0), s.palette);
        break;
      case kSetTextAlign:
        if (n >= 1) s.align = r.U16(0);
        break;
      case kSetTextJustification:
        if (n >= 2) {
          s.breakCount = r.U16(0);
          s.breakExtra = r.I16(1);
        }
        break;
      case kSetWindowOrg:
        if (n >= 2) s.winOrg = QPointF(r.I16(1), r.I16(0));
        break;
      case kSetWindowExt:
        if (n >= 2 && r.I16(0) != 0 && r.I16(1) != 0) s.winExt = QPointF(r.I16(1), r.I16(0));
        Rescale();
        break;
      case kOffsetWindowOrg:
        if (n >= 2) s.winOrg += QPointF(r.I16(1), r.I16(0));
        break;
      case kScaleWindowExt:
        if (n >= 4) s.winExt = Scaled(s.winExt, r);
        Rescale();
        break;
      case kSetViewportOrg:
        if (n >= 2) s.vpOrg = QPointF(r.I16(1), r.I16(0));
        Rescale();
        break;
      case kOffsetViewportOrg:
        if (n >= 2) s.vpOrg += QPointF(r.I16(1), r.I16(0));
        Rescale();
        break;
      case kSetViewportExt:
        if (n >= 2 && r.I16(0) != 0 && r.I16(1) != 0) {
          // The first extent the file sets stands for the whole picture, whatever device it was
          // written for; origins and later extents count in the same units.
          if (!vpUnit_)
            vpUnit_ = QPointF(static_cast<double>(width_) / std::abs(r.I16(1)),
                              static_cast<double>(height_) / std::abs(r.I16(0)));
          s.vpExt = QPointF(r.I16(1), r.I16(0));
        }
        Rescale();
        break;
      case kScaleViewportExt:
        if (n >= 4) s.vpExt = Scaled(ViewportExt(), r);
        Rescale();
        break;
      case kMoveTo:
        if (n >= 2) s.pos = QPointF(r.I16(1), r.I16(0));
        break;
      case kLineTo:
        if (n >= 2) LineTo(QPointF(r.I16(1), r.I16(0)));
        break;
      case kPolyline:
      case kPolygon:
        if (n >= 1 && n >= 1 + 2 * std::size_t{r.U16(0)}) Poly(r, r.function == kPolygon);
        break;
      case kPolyPolygon:
        PolyPolygon(r);
        break;
      case kRectangle:
      case kEllipse:
        if (n >= 4) Box(r.function, QRectF(Map(r.I16(3), r.I16(2)), Map(r.I16(1), r.I16(0))).normalized(), 0, 0);
        break;
      case kRoundRect:
        if (n >= 6)
          Box(r.function, QRectF(Map(r.I16(5), r.I16(4)), Map(r.I16(3), r.I16(2))).normalized(),
              std::abs(r.I16(1) * sx_) / 2, std::abs(r.I16(0) * sy_) / 2);
        break;
      case kArc:
      case kPie:
      case kChord:
        if (n >= 8) ArcFamily(r);
        break;
      case kFloodFill:
        if (n >= 4) FloodFill(r.I16(3), r.I16(2), r.U32(0), false);
        break;
      case kExtFloodFill:
        if (n >= 5) FloodFill(r.I16(4), r.I16(3), r.U32(1), r.U16(0) == 1);
        break;
      case kSetPixel:
        if (n >= 4) SetPixel(Map(r.I16(3), r.I16(2)), wmf::ColourOf(r.U32(0), s.palette));
        break;
      case kTextOut:
        TextOut(r);
        break;
      case kExtTextOut:
        ExtTextOut(r);
        break;
      case kSaveDC:
        if (saved_.size() < kMaxSavedStates) saved_.push_back(s);
        break;
      case kRestoreDC:
        if (n >= 1) RestoreDc(r.I16(0));
        break;
      case kIntersectClipRect:
      case kExcludeClipRect:
        if (n >= 4) ClipRect(r);
        break;
      case kSelectClipRegion:
        // An index that names no region takes the clipping away.
        SelectClip(n >= 1 ? ObjectAt<wmf::Region>(r.U16(0)) : nullptr);
        break;
      case kOffsetClipRegion:
        if (n >= 2) OffsetClip(r.I16(1), r.I16(0));
        break;
      case kFillRegion:
        if (const auto [region, brush] = RegionAndBrush(r, 0); n >= 2 && region && brush)
          PaintArea(DeviceRegion(*region), *brush);
        break;
      case kFrameRegion:
        if (n >= 4) FrameRegion(r);
        break;
      case kPaintRegion:
        if (n >= 1)
          if (wmf::Region* region = ObjectAt<wmf::Region>(r.U16(0))) PaintArea(DeviceRegion(*region), s.brush);
        break;
      case kInvertRegion:
        if (n >= 1)
          if (wmf::Region* region = ObjectAt<wmf::Region>(r.U16(0))) InvertArea(DeviceRegion(*region));
        break;
      case kSelectObject:
        if (n >= 1) Select(r.U16(0));
        break;
      case kSelectPalette:
        if (n >= 1)
          if (const Palette* p = ObjectAt<Palette>(r.U16(0))) s.palette = *p;
        break;
      case kDeleteObject:
        if (n >= 1 && r.U16(0) < table_.size()) {
          table_[r.U16(0)].reset();
          firstFree_ = std::min<std::size_t>(firstFree_, r.U16(0));
        }
        break;
      case kCreatePenIndirect:
        AddObject(wmf::ReadPen(r, s.palette));
        break;
      case kCreateBrushIndirect:
        AddObject(wmf::ReadBrush(r, s.palette));
        break;
      case kCreateFontIndirect:
        AddObject(wmf::ReadFont(r));
        break;
      case kCreatePalette:
        AddObject(wmf::ReadPalette(r));
        break;
      case kDibCreatePatternBrush:
        AddObject(PatternBrush(r));
        break;
      case kCreateRegion: {
        std::optional<wmf::Region> region = wmf::ReadRegion(r, static_cast<std::size_t>(kMaxAreaRects));
        if (!region) Halt(kOverWork);
        else if (Afford(kPointCost * static_cast<double>(region->rects.size()))) AddObject(std::move(*region));
        break;
      }
      case kCreatePatternBrush:
        AddObject(wmf::Placeholder{});
        break;
      case kPatBlt:
        if (n >= 6) PatBlt(r.U32(0), r.I16(5), r.I16(4), r.I16(3), r.I16(2));
        break;
      case kBitBlt:
      case kDibBitBlt:
        BitBlt(r, r.function == kBitBlt ? Bits::Old : Bits::Dib);
        break;
      case kStretchBlt:
      case kDibStretchBlt:
        StretchBlt(r, r.function == kStretchBlt ? Bits::Old : Bits::Dib);
        break;
      case kStretchDib:
        if (n >= 11)
          Blit(r.U32(0), r.BytesFrom(11), r.U16(2) == 1 ? Bits::DibOfPaletteIndexes : Bits::Dib,
               QRect(r.I16(6), r.I16(5), r.I16(4), r.I16(3)), r.I16(10), r.I16(9), r.I16(8), r.I16(7));
        break;
      default:
        break;  // a record the player does not know is skipped
    }
  }

  // --- Mapping -------------------------------------------------------------------------------

  // The window set by the file maps onto its viewport, which is the whole picture until the file
  // sets one; an isotropic map keeps the shape.
  void Rescale() {
    const QPointF unit = vpUnit_.value_or(QPointF(1, 1));
    const QPointF vpExt = ViewportExt();
    sx_ = unit.x() * vpExt.x() / state_.winExt.x();
    sy_ = unit.y() * vpExt.y() / state_.winExt.y();
    if (state_.mapMode == kIsotropic) {
      const double m = std::min(std::abs(sx_), std::abs(sy_));
      sx_ = std::copysign(m, sx_);
      sy_ = std::copysign(m, sy_);
    }
    ox_ = unit.x() * state_.vpOrg.x();
    oy_ = unit.y() * state_.vpOrg.y();
  }

  // The viewport's extent in the file's device units.
  QPointF ViewportExt() const {
    const QPointF unit = vpUnit_.value_or(QPointF(1, 1));
    return state_.vpExt.value_or(QPointF(width_ / unit.x(), height_ / unit.y()));
  }

  // An extent scaled by the record's x and y fractions (numerator and denominator, y first); a
  // fraction that would leave it empty, or shrink or grow it past what the mapping can hold,
  // changes nothing.
  static QPointF Scaled(QPointF ext, const Record& r) {
    if (r.I16(0) == 0 || r.I16(2) == 0) return ext;
    const QPointF scaled(ext.x() * r.I16(3) / r.I16(2), ext.y() * r.I16(1) / r.I16(0));
    const auto fits = [](double v) { return std::abs(v) >= kMinExtent && std::abs(v) <= kMaxExtent; };
    return fits(scaled.x()) && fits(scaled.y()) ? scaled : ext;
  }

  QPointF Map(double x, double y) const {
    return {(x - state_.winOrg.x()) * sx_ + ox_ - shift_.x(), (y - state_.winOrg.y()) * sy_ + oy_ - shift_.y()};
  }
  QPointF Map(QPointF p) const { return Map(p.x(), p.y()); }

  // What a drawing record costs for the pixels it covers; `perPixel` is how much dearer than a
  // plain fill each of them is.
  double AreaCost(const QRectF& device, double perPixel = 1) const {
    const QRectF visible = device.normalized().adjusted(-1, -1, 1, 1).intersected(QRectF(0, 0, width_, height_));
    return kShapeCost + perPixel * (visible.isEmpty() ? 0.0 : visible.width() * visible.height());
  }

  // Counts a drawing record over `device` (plus `extra` work) before it is drawn; false when it
  // must not be drawn: past a bound, or because the player only measures.
  bool Charge(const QRectF& device, double perPixel = 1, double extra = 0) {
    if (measuring_) {
      bounds_ |= device.normalized();
      return false;
    }
    if (!Afford(AreaCost(device, perPixel) + extra)) return false;
    drawn_ = true;
    return true;
  }

  // Draws `paint` over `device` at the cost of `cost`: at once when that is small, else in bands of
  // picture rows, each clipped to its rows and counted before it is drawn. The bands share the cost
  // evenly by rows, plus what `rowCost` (the work of each picture row, or empty) puts on each row.
  template <class PaintFn>
  void InPieces(const QRectF& device, double cost, const std::vector<double>& rowCost, PaintFn paint) {
    if (measuring_) {
      bounds_ |= device.normalized();
      return;
    }
    const QRectF area = device.normalized();
    const int top = std::clamp(static_cast<int>(std::floor(std::max(area.top(), -1.0))), 0, height_);
    const int bottom = std::clamp(static_cast<int>(std::ceil(std::min(area.bottom(), 1e9))), top, height_);
    if (cost <= kPieceCost || bottom - top < 2) {
      if (!Afford(cost)) return;
      drawn_ = true;
      paint();
      return;
    }
    double listed = 0;
    if (!rowCost.empty())
      for (int y = top; y < bottom; ++y) listed += rowCost[static_cast<std::size_t>(y)];
    const double even = std::max(0.0, cost - listed) / (bottom - top);
    const auto rowWork = [&](int y) { return even + (rowCost.empty() ? 0.0 : rowCost[static_cast<std::size_t>(y)]); };
    int from = top;
    double band = 0;
    for (int y = top; y < bottom; ++y) {
      band += rowWork(y);
      if (y + 1 < bottom && band + rowWork(y + 1) <= kPieceCost) continue;
      if (!Afford(band + kShapeCost)) return;
      drawn_ = true;
      painter_.save();
      painter_.setClipRect(QRect(0, from, width_, y + 1 - from), Qt::IntersectClip);
      paint();
      painter_.restore();
      from = y + 1;
      band = 0;
    }
  }

  // What a pen `width` pixels wide (at most the picture's diagonal; 1 for a thin one) costs along
  // `length` pixels of line with `joints` ends and corners.
  double PenCost(double width, double length, double joints) const {
    if (width <= 1) return kThinLineCost * length;
    return kWideLineCost * (length + joints * width) +
           kStrokeAreaCost * std::min(length * width, static_cast<double>(width_) * height_);
  }

  // The length of the line from a to b within `r`.
  static double LengthWithin(QPointF a, QPointF b, const QRectF& r) {
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const auto inside = [&](QPointF p) {
      return p.x() >= r.left() && p.x() <= r.right() && p.y() >= r.top() && p.y() <= r.bottom();
    };
    if (inside(a) && inside(b)) return std::sqrt(dx * dx + dy * dy);
    // Cut the line's parameter range to where it runs inside each side.
    double t0 = 0, t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
      if (p[i] == 0) {
        if (q[i] < 0) return 0;
        continue;
      }
      const double t = q[i] / p[i];
      if (p[i] < 0) t0 = std::max(t0, t);
      else t1 = std::min(t1, t);
      if (t0 > t1) return 0;
    }
    return (t1 - t0) * std::sqrt(dx * dx + dy * dy);
  }

  // What filling costs for each row an edge crosses, in a shape of `points` points: the more edges
  // a row meets, the dearer each one.
  static double CrossingCost(std::size_t points) {
    return kEdgeCost + kTangleEdgeCost * std::min(1.0, static_cast<double>(points) / 256);
  }

  // What the edges of `poly` cost beyond its area: the pen along them and `crossing` (nothing for a
  // shape not filled) for each row of the picture that each one crosses. With `rowCost` the work is
  // also put on the picture's rows it falls on.
  double EdgesCost(const QPolygonF& poly, bool closed, double crossing, const QPen& pen,
                   std::vector<double>* rowCost) const {
    const bool stroked = pen.style() != Qt::NoPen;
    const double width = std::clamp(pen.widthF(), 1.0, std::hypot(width_, height_));
    const double reach = stroked ? pen.widthF() / 2 + 1 : 0.0;
    const QRectF seen = QRectF(0, 0, width_, height_).adjusted(-reach, -reach, reach, reach);
    std::vector<double> slope;  // per row, the change of the work spread over the rows from there on
    if (rowCost) slope.assign(static_cast<std::size_t>(height_) + 1, 0.0);
    double total = 0;
    const qsizetype n = poly.size();
    for (qsizetype i = closed ? 0 : 1; i < n; ++i) {
      const QPointF a = poly[i == 0 ? n - 1 : i - 1];
      const QPointF b = poly[i];
      const double low = std::clamp(std::min(a.y(), b.y()), 0.0, static_cast<double>(height_));
      const double high = std::clamp(std::max(a.y(), b.y()), 0.0, static_cast<double>(height_));
      const double edge = (stroked ? PenCost(width, LengthWithin(a, b, seen), 1) : 0.0) + crossing * (high - low);
      total += edge;
      if (!rowCost || edge == 0) continue;
      const int top = std::min(static_cast<int>(low), height_ - 1);
      const int last = std::clamp(static_cast<int>(std::ceil(high)), top + 1, height_);
      slope[static_cast<std::size_t>(top)] += edge / (last - top);
      slope[static_cast<std::size_t>(last)] -= edge / (last - top);
    }
    if (rowCost) {
      rowCost->assign(static_cast<std::size_t>(height_), 0.0);
      double density = 0;
      for (std::size_t y = 0; y < rowCost->size(); ++y) (*rowCost)[y] = density += slope[y];
    }
    return total;
  }

  double BrushCost() const { return state_.brush.IsHatched() || state_.brush.IsPattern() ? kPatternCost : 1; }

  // --- Pens and brushes ----------------------------------------------------------------------

  QPen CurrentPen(const QRectF& bounds) const {
    const Pen& p = state_.pen;
    if (p.IsNull()) return Qt::NoPen;
    const double width = std::abs(p.width * sx_);
    QPen pen(p.colour);
    pen.setWidthF(width <= 1.0 ? 0.0 : std::min(width, 32000.0));  // Qt's limit is 32767
    // Wide pens are solid; a dash pattern along a line far longer than the picture is drawn solid
    // too, since its dashes could not be seen and would cost millions of steps.
    const bool dashable = width <= 1.0 && bounds.width() + bounds.height() < 8.0 * (width_ + height_);
    static constexpr Qt::PenStyle kStyles[] = {Qt::SolidLine, Qt::DashLine, Qt::DotLine, Qt::DashDotLine,
                                               Qt::DashDotDotLine};
    if (dashable && (p.style & 0xF) < 5) pen.setStyle(kStyles[p.style & 0xF]);
    switch (p.style & 0xF00) {
      case 0x100: pen.setCapStyle(Qt::SquareCap); break;
      case 0x200: pen.setCapStyle(Qt::FlatCap); break;
      default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (p.style & 0xF000) {
      case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
      case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
      default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
  }

  QBrush CurrentBrush() const {
    const Brush& b = state_.brush;
    if (b.IsNull()) return Qt::NoBrush;
    if (b.IsPattern()) return QBrush(b.pattern);
    if (b.IsHatched()) {
      static constexpr Qt::BrushStyle kHatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                    Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
      return QBrush(b.colour, b.hatch < 6 ? kHatches[b.hatch] : Qt::SolidPattern);
    }
    return QBrush(b.colour);
  }

  // The Qt mode for each of the sixteen ways a pen or brush combines with the picture.
  static QPainter::CompositionMode PenMode(int rop2) {
    static constexpr QPainter::CompositionMode kModes[] = {
        QPainter::RasterOp_ClearDestination,         QPainter::RasterOp_NotSourceAndNotDestination,
        QPainter::RasterOp_NotSourceAndDestination,  QPainter::RasterOp_NotSource,
        QPainter::RasterOp_SourceAndNotDestination,  QPainter::RasterOp_NotDestination,
        QPainter::RasterOp_SourceXorDestination,     QPainter::RasterOp_NotSourceOrNotDestination,
        QPainter::RasterOp_SourceAndDestination,     QPainter::RasterOp_NotSourceXorDestination,
        QPainter::CompositionMode_Destination,       QPainter::RasterOp_NotSourceOrDestination,
        QPainter::CompositionMode_SourceOver,        QPainter::RasterOp_SourceOrNotDestination,
        QPainter::RasterOp_SourceOrDestination,      QPainter::RasterOp_SetDestination,
    };
    return rop2 >= 1 && rop2 <= 16 ? kModes[rop2 - 1] : QPainter::CompositionMode_SourceOver;
  }

  // Draws a shape with the current brush (when `filled`) and pen. A hatched brush in opaque
  // background mode first fills with the background colour, as the gaps between hatch lines show it.
  // `edgeCost` is what its outline costs beyond its area (EdgesCost), `rowCost` where that falls.
  template <class DrawFn>
  void Shape(const QRectF& bounds, bool filled, DrawFn draw, double edgeCost = 0,
             const std::vector<double>& rowCost = {}) {
    const QPen pen = CurrentPen(bounds);
    // A wide pen paints outside the shape; a thin one the pixels right of and below its line.
    const double reach = pen.style() == Qt::NoPen ? 0.0 : pen.widthF() / 2;
    QRectF device = bounds.adjusted(-reach, -reach, reach, reach);
    if (pen.style() != Qt::NoPen && reach == 0) device.adjust(0, 0, 1, 1);
    if (state_.rop2 == kNoOp) {
      Charge(device, filled ? BrushCost() : 1, edgeCost);
      return;
    }
    const double cost = AreaCost(device, filled ? BrushCost() : 1) + edgeCost;
    InPieces(device, cost, rowCost, [&] { Paint(bounds, filled, pen, draw); });
  }

  // What Shape draws, at once or band by band.
  template <class DrawFn>
  void Paint(const QRectF& bounds, bool filled, const QPen& pen, DrawFn draw) {
    // Office suites clip a gradient to its shape by drawing it XOR-ed, filling the shape black, and
    // drawing the gradient XOR-ed again; drawn plainly the gradient would cover its whole box.
    painter_.setCompositionMode(PenMode(state_.rop2));
    struct PlainAfter {
      QPainter& painter;
      ~PlainAfter() { painter.setCompositionMode(QPainter::CompositionMode_SourceOver); }
    } plainAfter{painter_};
    // Drawing programs write hairlines as filled bands a fraction of a pixel thick and without a
    // pen; filled by pixel centres alone they would break up or vanish, so they fill one pixel's
    // width about their middle. (The specks where such lines meet are left as they are: widened,
    // they would stand off the corners of small pictures.)
    if (filled && pen.style() == Qt::NoPen && !state_.brush.IsNull() &&
        std::min(bounds.width(), bounds.height()) < 1 && std::max(bounds.width(), bounds.height()) >= 1) {
      const QRectF band = bounds.width() < 1 ? QRectF(bounds.center().x() - 0.5, bounds.top(), 1, bounds.height())
                                             : QRectF(bounds.left(), bounds.center().y() - 0.5, bounds.width(), 1);
      painter_.fillRect(band, CurrentBrush());
      return;
    }
    if (filled && state_.brush.IsHatched() && state_.opaque) {
      painter_.setPen(Qt::NoPen);
      painter_.setBrush(state_.background);
      draw();
    }
    painter_.setPen(pen);
    painter_.setBrush(filled ? CurrentBrush() : QBrush(Qt::NoBrush));
    draw();
  }

  // --- Shapes --------------------------------------------------------------------------------

  void LineTo(QPointF to) {
    const QLineF line(Map(state_.pos), Map(to));
    state_.pos = to;
    const QRectF bounds = QRectF(line.p1(), line.p2()).normalized();
    const double edges = EdgesCost({line.p1(), line.p2()}, false, 0, CurrentPen(bounds), nullptr);
    Shape(bounds, false, [&] { painter_.drawLine(line); }, edges);
  }

  QPolygonF Points(const Record& r, std::size_t firstWord, std::size_t count) {
    QPolygonF poly;
    if (!Afford(kPointCost * static_cast<double>(count))) return poly;
    poly.reserve(static_cast<qsizetype>(count));
    for (std::size_t i = 0; i < count; ++i) poly << Map(r.I16(firstWord + 2 * i), r.I16(firstWord + 2 * i + 1));
    return poly;
  }

  void Poly(const Record& r, bool closed) {
    const QPolygonF poly = Points(r, 1, r.U16(0));
    if (poly.isEmpty()) return;
    const QPen pen = CurrentPen(poly.boundingRect());
    const double crossing = closed ? CrossingCost(static_cast<std::size_t>(poly.size())) : 0;
    const double edges = EdgesCost(poly, closed, crossing, pen, nullptr);
    if (closed) {
      const Qt::FillRule rule = state_.winding ? Qt::WindingFill : Qt::OddEvenFill;
      std::vector<double> rows;
      if (edges > kPieceCost && !measuring_) EdgesCost(poly, true, crossing, pen, &rows);
      Shape(poly.boundingRect(), true, [&] { painter_.drawPolygon(poly, rule); }, edges, rows);
      return;
    }
    if (edges <= kPieceCost || measuring_)
      return Shape(poly.boundingRect(), false, [&] { painter_.drawPolyline(poly); }, edges);
    // A long line goes in runs of points, each drawn whole, so that no run takes long.
    qsizetype from = 0;
    double run = 0;
    for (qsizetype i = 1; i < poly.size(); ++i) {
      run += EdgesCost({poly[i - 1], poly[i]}, false, 0, pen, nullptr);
      if (i + 1 < poly.size() && run < kPieceCost / 2) continue;
      const QPolygonF part = poly.mid(from, i + 1 - from);
      Shape(part.boundingRect(), false, [&] { painter_.drawPolyline(part); }, run);
      if (!halted_.empty()) return;
      from = i;
      run = 0;
    }
  }

  void PolyPolygon(const Record& r) {
    const std::size_t polygons = r.U16(0);
    if (r.Words() < 1 + polygons) return;
    std::size_t points = 0;
    for (std::size_t i = 0; i < polygons; ++i) points += r.U16(1 + i);
    if (r.Words() < 1 + polygons + 2 * points) return;
    QPainterPath path;
    path.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
    const QPen pen = CurrentPen({});  // what its edges cost depends only on the pen's width
    const double crossing = CrossingCost(points);
    double edges = 0;
    std::size_t word = 1 + polygons;
    for (std::size_t i = 0; i < polygons; ++i) {
      const std::size_t count = r.U16(1 + i);
      QPolygonF poly = Points(r, word, count);
      if (!poly.isEmpty()) {
        poly << poly.front();
        edges += EdgesCost(poly, false, crossing, pen, nullptr);
        path.addPolygon(poly);
      }
      word += 2 * count;
    }
    std::vector<double> rows;
    if (edges > kPieceCost && !measuring_) {
      std::vector<double> part;
      for (const QPolygonF& poly : path.toSubpathPolygons()) {
        EdgesCost(poly, false, crossing, pen, &part);
        if (rows.empty()) rows.assign(part.size(), 0.0);
        for (std::size_t y = 0; y < part.size(); ++y) rows[y] += part[y];
      }
    }
    Shape(path.boundingRect(), true, [&] { painter_.drawPath(path); }, edges, rows);
  }

  void Box(std::uint16_t function, const QRectF& bounds, double rx, double ry) {
    // A rectangle leaves out its right and bottom edges; a thin outline stays inside them too.
    const bool thinPen = !state_.pen.IsNull() && std::abs(state_.pen.width * sx_) <= 1.0;
    const QRectF rect = function != kEllipse && thinPen ? bounds.adjusted(0, 0, -1, -1) : bounds;
    Shape(rect, true, [&] {
      if (function == kEllipse) painter_.drawEllipse(rect);
      else if (function == kRoundRect) painter_.drawRoundedRect(rect, rx, ry);
      else painter_.drawRect(rect);
    }, BoxEdgesCost(rect, true));
  }

  // The outline of a box-shaped record costs about what its box's would.
  double BoxEdgesCost(const QRectF& rect, bool filled) const {
    return EdgesCost(QPolygonF(rect), false, filled ? CrossingCost(4) : 0, CurrentPen(rect), nullptr);
  }

  void ArcFamily(const Record& r) {
    const QRectF rect = QRectF(Map(r.I16(7), r.I16(6)), Map(r.I16(5), r.I16(4))).normalized();
    if (rect.width() <= 0 || rect.height() <= 0) return;
    const QPointF c = rect.center();
    // The angle at which the line from the centre towards `p` meets the ellipse.
    const auto angle = [&](QPointF p) {
      return qRadiansToDegrees(std::atan2(-(p.y() - c.y()) * rect.width(), (p.x() - c.x()) * rect.height()));
    };
    const double a1 = angle(Map(r.I16(3), r.I16(2)));
    const double a2 = angle(Map(r.I16(1), r.I16(0)));
    // Arcs run counter-clockwise on the picture, whichever way the file's axes point.
    double span = a2 - a1;
    while (span <= 0) span += 360;
    QPainterPath path;
    if (r.function == kPie) {
      path.moveTo(c);
      path.arcTo(rect, a1, span);
      path.closeSubpath();
    } else {
      path.arcMoveTo(rect, a1);
      path.arcTo(rect, a1, span);
      if (r.function == kChord) path.closeSubpath();
    }
    Shape(rect, r.function != kArc, [&] { painter_.drawPath(path); }, BoxEdgesCost(rect, r.function != kArc));
  }

  void SetPixel(QPointF at, const QColor& colour) {
    if (!Charge(QRectF(at, QSizeF(1, 1)))) return;
    painter_.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), colour);
  }

  // --- Text ----------------------------------------------------------------------------------

  void TextOut(const Record& r) {
    const std::size_t length = r.U16(0);
    const std::size_t stringWords = (length + 1) / 2;
    if (r.Words() < 3 + stringWords) return;
    DrawText(QPointF(r.I16(2 + stringWords), r.I16(1 + stringWords)), r.BytesFrom(1).first(length), {}, 0, nullptr);
  }

  void ExtTextOut(const Record& r) {
    if (r.Words() < 4) return;
    const std::size_t length = r.U16(2);
    const unsigned options = r.U16(3);
    std::size_t word = 4;
    std::optional<QRectF> rect;
    if (options & (kEtoOpaque | kEtoClipped)) {
      if (r.Words() < 8) return;
      rect = QRectF(Map(r.I16(4), r.I16(5)), Map(r.I16(6), r.I16(7))).normalized();
      word = 8;
    }
    const std::size_t stringWords = (length + 1) / 2;
    if (r.Words() < word + stringWords) return;
    std::span<const std::uint8_t> text = r.BytesFrom(word).first(length);
    // Widths per byte, or with the pairs option a width and a height per byte of which the
    // heights are left out.
    std::vector<int> dx;
    const std::size_t step = (options & kEtoPairs) ? 2 : 1;
    if (r.Words() >= word + stringWords + step * length) {
      dx.reserve(length);
      for (std::size_t i = 0; i < length; ++i) dx.push_back(r.I16(word + stringWords + step * i));
    }
    if (options & kEtoGlyphIndex) text = {};  // glyph numbers of a font we do not have: only the box shows
    DrawText(QPointF(r.I16(1), r.I16(0)), text, dx, options, rect ? &*rect : nullptr);
  }

  // The Qt font for the selected font at the present scale; the last one is kept, as text records
  // mostly follow each other in one font.
  const QFont& CurrentFont() {
    if (!fontCache_ || fontCache_->font != state_.font || fontCache_->sx != sx_ || fontCache_->sy != sy_) {
      const QFont font = MakeFont();
      fontCache_.emplace(FontCache{state_.font, sx_, sy_, font, QFontMetricsF(font)});
    }
    return fontCache_->qfont;
  }

  QFont MakeFont() const {
    const Font& f = state_.font;
    QFont font = MatchWmfFont(f.face, f.charset, f.pitchAndFamily);
    const double limit = 2.0 * std::max(width_, height_);
    const double height = f.height == 0 ? 16.0 : std::min(std::abs(f.height * sy_), limit);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(height))));
    if (f.height > 0) {
      // A positive height is the whole cell, leading included: the letters are that much smaller.
      const QFontMetricsF m(font);
      const double cell = m.ascent() + m.descent();
      if (cell > 0) font.setPixelSize(std::max(1, static_cast<int>(std::lround(height * height / cell))));
    }
    font.setWeight(static_cast<QFont::Weight>(std::clamp(f.weight == 0 ? 400 : f.weight, 1, 1000)));
    font.setItalic(f.italic);
    font.setUnderline(f.underline);
    font.setStrikeOut(f.strikeOut);
    if (f.width != 0) {
      const double average = QFontMetricsF(font).averageCharWidth();
      const double wanted = std::abs(f.width * sx_);
      if (average > 0) font.setStretch(std::clamp(static_cast<int>(std::lround(100 * wanted / average)), 1, 4000));
    }
    return font;
  }

  void DrawText(QPointF at, std::span<const std::uint8_t> bytes, const std::vector<int>& dx, unsigned options,
                const QRectF* rect) {
    State& s = state_;
    const std::vector<WmfChar> chars = DecodeWmfText(bytes, s.font.charset, s.font.face);
    const QFont font = CurrentFont();
    const QFontMetricsF& metrics = fontCache_->metrics;
    // Advances: the file's own widths per byte when it gives them, else the font's for the whole
    // text. Justified text is laid out letter by letter too: its extra width, in whole pixels, is
    // shared by its spaces, the pixels left over going one each to the first of them.
    const bool justified = s.breakCount > 0 && s.breakExtra != 0;
    const bool byLetter = !dx.empty() || justified;
    const long extra = justified ? std::lround(std::clamp(s.breakExtra * std::abs(sx_), -1e6, 1e6)) : 0;
    const long share = justified ? extra / s.breakCount : 0;
    long rest = extra - share * s.breakCount;
    std::vector<double> advance;
    QString whole;
    std::size_t byte = 0;
    double total = 0;
    for (const WmfChar& c : chars) {
      whole += c.text;
      if (!byLetter) continue;
      double a = 0;
      if (dx.empty()) {
        a = metrics.horizontalAdvance(c.text);
      } else {
        for (int i = 0; i < c.bytes && byte < dx.size(); ++i) a += dx[byte++];
        a = std::abs(a * sx_);
      }
      if (justified && c.text == QLatin1String(" ")) {
        const long one = rest > 0 ? 1 : rest < 0 ? -1 : 0;
        a += static_cast<double>(share + one);
        rest -= one;
      }
      advance.push_back(a);
      total += a;
    }
    if (!byLetter) total = metrics.horizontalAdvance(whole);

    const bool updateCp = (s.align & kUpdateCp) != 0;
    const QPointF ref = Map(updateCp ? s.pos : at);
    double start = 0;
    if ((s.align & 6) == 6) start = -total / 2;
    else if (s.align & 2) start = -total;
    double baseline = metrics.ascent();
    if ((s.align & 24) == 24) baseline = 0;
    else if (s.align & 8) baseline = -metrics.descent();
    if (updateCp && sx_ != 0) s.pos.rx() += total / std::abs(sx_);

    const QRectF box(ref.x() + start, ref.y() + baseline - metrics.ascent(), total, metrics.height());
    if (!Charge(rect ? *rect : box, 1, kTextCost)) return;
    // Letters cost by their size; a record of many large ones is drawn a run of letters at a time.
    const double size = font.pixelSize();
    const double glyphCost =
        kGlyphCost + kGlyphRowCost * size + kGlyphAreaCost * std::min(size * size, static_cast<double>(width_) * height_);
    const std::size_t run = std::max<std::size_t>(1, static_cast<std::size_t>(kPieceCost / glyphCost));
    const auto affordRun = [&](std::size_t from) {
      return Afford(glyphCost * static_cast<double>(std::min(run, chars.size() - from)));
    };
    painter_.save();
    if (rect && (options & kEtoClipped)) painter_.setClipRect(*rect, Qt::IntersectClip);
    if (rect && (options & kEtoOpaque)) painter_.fillRect(*rect, s.background);
    painter_.translate(ref);
    painter_.rotate(-s.font.escapement / 10.0);
    if (s.opaque && !(rect && (options & kEtoOpaque)))
      painter_.fillRect(QRectF(start, baseline - metrics.ascent(), total, metrics.ascent() + metrics.descent()),
                        s.background);
    painter_.setFont(font);
    painter_.setPen(s.text);
    if (!byLetter && chars.size() <= run) {
      if (affordRun(0)) painter_.drawText(QPointF(start, baseline), whole);
    } else if (!byLetter) {
      double x = start;
      for (std::size_t i = 0; i < chars.size() && affordRun(i); i += run) {
        QString part;
        for (std::size_t k = i; k < std::min(i + run, chars.size()); ++k) part += chars[k].text;
        painter_.drawText(QPointF(x, baseline), part);
        x += metrics.horizontalAdvance(part);
      }
    } else {
      double x = start;
      for (std::size_t i = 0; i < chars.size(); ++i) {
        if (i % run == 0 && !affordRun(i)) break;
        painter_.drawText(QPointF(x, baseline), chars[i].text);
        x += advance[i];
      }
    }
    painter_.restore();
  }

  // --- State, clipping, objects --------------------------------------------------------------

  void RestoreDc(int which) {
    // Below 0: that many levels back; above 0: the level of that number.
    std::size_t keep = 0;
    if (which < 0 && static_cast<std::size_t>(-which) <= saved_.size()) keep = saved_.size() + which;
    else if (which > 0 && static_cast<std::size_t>(which) <= saved_.size()) keep = static_cast<std::size_t>(which) - 1;
    else return;
    state_ = saved_[keep];
    saved_.resize(keep);
    Rescale();
    ApplyClip();
  }

  // The pixels whose centres lie inside the logical rectangle from `a` to `b`.
  QRect DeviceRect(QPointF a, QPointF b) const {
    const QRectF f = QRectF(Map(a), Map(b)).normalized();
    const auto px = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e8, 1e8))); };
    return QRect(QPoint(px(f.left()), px(f.top())), QPoint(px(f.right()) - 1, px(f.bottom()) - 1));
  }

  void ClipRect(const Record& r) {
    const QRect rect = DeviceRect(QPointF(r.I16(3), r.I16(2)), QPointF(r.I16(1), r.I16(0)));
    const QRegion current = state_.clipped ? state_.clip : QRegion(0, 0, width_, height_);
    if (!AffordArea(current)) return;
    state_.clip = r.function == kIntersectClipRect ? current.intersected(rect) : current.subtracted(rect);
    state_.clipped = true;
    ApplyClip();
  }

  // Sets the painter's clip to the state's, counting its rectangles first.
  void ApplyClip() {
    if (!state_.clipped) return painter_.setClipping(false);
    if (AffordArea(state_.clip)) painter_.setClipRegion(state_.clip);
  }

  // Counts a step over every rectangle of `area` (`times` such steps) before it is taken; an area
  // of more rectangles than one step may take ends the drawing.
  bool AffordArea(const QRegion& area, double times = 1) {
    if (area.rectCount() > kMaxAreaRects) return Halt(kOverWork);
    return Afford(times * kClipRectCost * area.rectCount());
  }

  // --- Regions -------------------------------------------------------------------------------

  // A region on the picture as the present mapping places it, kept with the region for its next
  // use under the same mapping. Its rectangles are counted before they are placed; rectangles
  // that overlap are merged band by band within the work left. nullopt when that is not enough,
  // and the drawing ends there.
  std::optional<QRegion> DeviceRegion(wmf::Region& region) {
    const std::array<double, 6> mapping = {state_.winOrg.x(), state_.winOrg.y(), sx_, sy_, ox_, oy_};
    if (region.placed && region.placed->mapping == mapping) return region.placed->area;
    std::vector<QRect> device;
    device.reserve(region.rects.size());
    const auto piece = static_cast<std::size_t>(kPieceCost / kRegionRectCost);
    for (std::size_t i = 0; i < region.rects.size(); ++i) {
      if (i % piece == 0 && !Afford(kRegionRectCost * static_cast<double>(std::min(piece, region.rects.size() - i))))
        return std::nullopt;
      const QRect& r = region.rects[i];
      device.push_back(DeviceRect(QPointF(r.left(), r.top()), QPointF(r.right() + 1, r.bottom() + 1)));
    }
    std::optional<QRegion> area = wmf::BandedRegion(device);
    if (!area) {
      // Only forged regions overlap themselves. The sweep may look at no more rectangles than the
      // work left pays for, nor make more than could then be drawn.
      const double left = std::max(0.0, budget_.work - work_);
      const wmf::United united =
          wmf::UniteRects(std::move(device), static_cast<std::int64_t>(left / kMergedRectCost),
                          static_cast<std::int64_t>(std::min(left / kClipRectCost, kMaxAreaRects)),
                          [&] { return InTime(kMergedRectCost * wmf::kAskEvery); });
      if (!Spent(kMergedRectCost * static_cast<double>(united.looks)) || !united.area) {
        Halt(kOverWork);
        return std::nullopt;
      }
      area = united.area;
    }
    region.placed = wmf::Region::Placed{mapping, *area};
    return area;
  }

  void SelectClip(wmf::Region* region) {
    if (region) {
      const std::optional<QRegion> area = DeviceRegion(*region);
      if (!area) return;
      state_.clip = *area;
    }
    state_.clipped = region != nullptr;
    ApplyClip();
  }

  void OffsetClip(int x, int y) {
    if (!state_.clipped || !AffordArea(state_.clip)) return;
    state_.clip = wmf::Moved(state_.clip, std::round(x * sx_), std::round(y * sy_));
    ApplyClip();
  }

  // The region and the brush a record names from word `at` on. Writers disagree on which comes
  // first; the kinds of the two objects tell them apart.
  std::pair<wmf::Region*, const Brush*> RegionAndBrush(const Record& r, std::size_t at) {
    if (wmf::Region* region = ObjectAt<wmf::Region>(r.U16(at))) return {region, ObjectAt<Brush>(r.U16(at + 1))};
    return {ObjectAt<wmf::Region>(r.U16(at + 1)), ObjectAt<Brush>(r.U16(at))};
  }

  // The frame's region and brush come first and its height and width after them, or the other way round.
  void FrameRegion(const Record& r) {
    const bool sizesFirst = !RegionAndBrush(r, 0).first;
    const auto [region, brush] = RegionAndBrush(r, sizesFirst ? 2 : 0);
    if (!region || !brush) return;
    const int height = r.I16(sizesFirst ? 0 : 2);
    const int width = r.I16(sizesFirst ? 1 : 3);
    const auto px = [](double v) { return static_cast<int>(std::clamp(std::lround(std::abs(v)), 1L, 100000L)); };
    const std::optional<QRegion> area = DeviceRegion(*region);
    if (!area || !AffordArea(*area, 4)) return;
    PaintArea(wmf::FrameOf(*area, px(width * sx_), px(height * sy_)), *brush);
  }

  // Fills an area with a brush, mixed with the picture as pens and brushes are.
  void PaintArea(const std::optional<QRegion>& area, const Brush& brush) {
    if (!area || area->isEmpty() || !AffordArea(*area)) return;
    const Pen pen = std::exchange(state_.pen, Pen{.style = 5});
    const Brush selected = std::exchange(state_.brush, brush);
    const QRectF bounds(area->boundingRect());
    painter_.save();
    painter_.setClipRegion(*area, Qt::IntersectClip);
    Shape(bounds, true, [&] { painter_.drawRect(bounds); });
    painter_.restore();
    state_.pen = pen;
    state_.brush = selected;
  }

  // A fill starting at a point of the picture that the clip leaves visible.
  void FloodFill(int x, int y, std::uint32_t colour, bool surface) {
    const QPointF at = Map(x, y);
    if (!QRectF(0, 0, width_, height_).contains(at)) return;
    const QPoint start(static_cast<int>(at.x()), static_cast<int>(at.y()));
    if (state_.clipped && !state_.clip.contains(start)) return;
    if (!Afford(kFloodMapCost * width_ * height_)) return;
    // It may read no more pixels than the work left pays for, and ends soon when the load is
    // stopped or the time is up.
    const auto looks = static_cast<std::int64_t>(std::max(0.0, budget_.work - work_) / kFloodLookCost) + 1;
    const wmf::Flood flood =
        wmf::FloodArea(image_, start, wmf::ColourOf(colour, state_.palette).rgb(), surface, kMaxFloodRuns, looks,
                       [&] { return InTime(kFloodLookCost * wmf::kAskEvery); });
    if (!Spent(kFloodLookCost * static_cast<double>(flood.looked)) || !Afford(kRegionRectCost * static_cast<double>(flood.runs)))
      return;
    PaintArea(flood.area, state_.brush);
    if (!flood.whole) Halt("the flood fill takes more work than a picture may");
  }

  void InvertArea(const std::optional<QRegion>& area) {
    if (!area || area->isEmpty() || !AffordArea(*area)) return;
    const QRectF bounds(area->boundingRect());
    if (!Charge(bounds)) return;
    painter_.save();
    painter_.setClipRegion(*area, Qt::IntersectClip);
    painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter_.fillRect(bounds, Qt::black);
    painter_.restore();
  }

  template <class T>
  T* ObjectAt(std::size_t index) {
    if (index >= table_.size() || !table_[index]) return nullptr;
    return std::get_if<T>(&*table_[index]);
  }

  void Select(std::size_t index) {
    if (const Pen* p = ObjectAt<Pen>(index)) state_.pen = *p;
    else if (const Brush* b = ObjectAt<Brush>(index)) state_.brush = *b;
    else if (const Font* f = ObjectAt<Font>(index)) state_.font = *f;
    else if (wmf::Region* g = ObjectAt<wmf::Region>(index)) SelectClip(g);
  }

  // A new object takes the lowest free slot, as the file's indexes expect.
  void AddObject(Object object) {
    while (firstFree_ < table_.size() && table_[firstFree_]) ++firstFree_;
    if (firstFree_ == table_.size()) {
      if (table_.size() >= kMaxObjects) return;
      table_.emplace_back();
    }
    table_[firstFree_++] = std::move(object);
  }

  // --- Bitmaps -------------------------------------------------------------------------------

  using Bits = wmf::Bitmap::Kind;

  // The part `part` of a bitmap (its rows counted from the top of its picture), decoded a band of
  // rows at a time, each band counted before it is decoded: no band takes long, and a stopped load
  // ends between them. A bitmap of run-length rows is counted and decoded whole. nullopt when
  // the part is empty, does not decode, or passes a bound.
  std::optional<QImage> Decode(const wmf::Bitmap& bitmap, QRect part) {
    part = part.intersected(QRect(0, 0, bitmap.Width(), bitmap.Height()));
    if (part.isEmpty()) return std::nullopt;
    // An old monochrome bitmap shows its set bits in the background colour and the others in the
    // text colour.
    const auto rows = [&](int top, int count) {
      return bitmap.Rows(top, count, state_.text.rgb(), state_.background.rgb(), state_.palette);
    };
    const double rowCost = kDecodeCost * bitmap.Width();
    if (!bitmap.Banded()) {
      if (!Afford(rowCost * bitmap.Height())) return std::nullopt;
      const std::optional<QImage> whole = rows(0, bitmap.Height());
      if (!whole) return std::nullopt;
      return whole->copy(part);
    }
    const int band = static_cast<int>(std::clamp(kPieceCost / rowCost, 1.0, static_cast<double>(part.height())));
    if (band == part.height()) {
      if (!Afford(rowCost * band)) return std::nullopt;
      std::optional<QImage> got = rows(part.top(), band);
      if (!got || part.width() == bitmap.Width()) return got;
      return got->copy(part.left(), 0, part.width(), band);
    }
    QImage out(part.size(), QImage::Format_RGB32);
    if (out.isNull()) return std::nullopt;
    for (int top = part.top(); top <= part.bottom(); top += band) {
      const int count = std::min(band, part.bottom() + 1 - top);
      if (!Afford(rowCost * count)) return std::nullopt;
      const std::optional<QImage> got = rows(top, count);
      if (!got || got->format() != QImage::Format_RGB32 || got->width() != bitmap.Width() || got->height() != count)
        return std::nullopt;
      for (int y = 0; y < count; ++y)
        std::memcpy(out.scanLine(top - part.top() + y), got->constScanLine(y) + 4 * part.left(),
                    4 * static_cast<std::size_t>(part.width()));
    }
    return out;
  }

  // A pattern brush's bitmap. A tile larger than the picture shows only its top-left part there,
  // so only that part is decoded and kept.
  Brush PatternBrush(const Record& r) {
    Brush brush;
    brush.style = 5;
    if (r.Words() < 2 || measuring_) return brush;
    // Whatever the style says, the bitmap is a DIB; the bitmap style only forbids palette indexes.
    const bool indexes = r.U16(0) != kPatternStyle && r.U16(1) == 1;
    const std::optional<wmf::Bitmap> bitmap = wmf::Bitmap::Read(r.BytesFrom(2), indexes ? Bits::DibOfPaletteIndexes : Bits::Dib);
    if (!bitmap) return brush;
    if (std::optional<QImage> image = Decode(*bitmap, QRect(0, 0, width_, height_))) brush.pattern = std::move(*image);
    return brush;
  }

  // Old and DIB blits share their fields; without a bitmap a reserved word follows the source
  // position and the blit fills with the brush.
  void BitBlt(const Record& r, Bits bits) {
    if (r.Words() == 9) return PatBlt(r.U32(0), r.I16(8), r.I16(7), r.I16(6), r.I16(5));
    if (r.Words() < 8) return;
    Blit(r.U32(0), r.BytesFrom(8), bits, QRect(r.I16(3), r.I16(2), r.I16(5), r.I16(4)), r.I16(7), r.I16(6),
         r.I16(5), r.I16(4));
  }

  void StretchBlt(const Record& r, Bits bits) {
    if (r.Words() == 11) return PatBlt(r.U32(0), r.I16(10), r.I16(9), r.I16(8), r.I16(7));
    if (r.Words() < 10) return;
    Blit(r.U32(0), r.BytesFrom(10), bits, QRect(r.I16(5), r.I16(4), r.I16(3), r.I16(2)), r.I16(9), r.I16(8),
         r.I16(7), r.I16(6));
  }

  static std::optional<QPainter::CompositionMode> SourceMode(std::uint32_t rop) {
    switch (rop) {
      case 0xCC0020: return QPainter::CompositionMode_SourceOver;
      case kSrcPaint: return QPainter::RasterOp_SourceOrDestination;
      case kSrcAnd: return QPainter::RasterOp_SourceAndDestination;
      case 0x660046: return QPainter::RasterOp_SourceXorDestination;
      case 0x440328: return QPainter::RasterOp_SourceAndNotDestination;
      case 0x330008: return QPainter::RasterOp_NotSource;
      case 0x1100A6: return QPainter::RasterOp_NotSourceAndNotDestination;
      case 0xBB0226: return QPainter::RasterOp_NotSourceOrDestination;
      default: return std::nullopt;
    }
  }

  // Fills a rectangle by a raster operation that uses no bitmap (brush, black, white, inverse).
  void PatBlt(std::uint32_t rop, int x, int y, int w, int h) {
    const QRectF rect = QRectF(Map(x, y), Map(x + w, y + h)).normalized();
    InPieces(rect, AreaCost(rect, BrushCost()), {}, [&] {
      painter_.save();
      painter_.setPen(Qt::NoPen);
      switch (rop) {
        case 0x000042: painter_.fillRect(rect, Qt::black); break;
        case 0xFF0062: painter_.fillRect(rect, Qt::white); break;
        case 0x550009:
          painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
          painter_.fillRect(rect, Qt::black);
          break;
        case 0x5A0049:
          painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
          painter_.fillRect(rect, CurrentBrush());
          break;
        case 0xAA0029: break;  // leaves the picture as it is
        default: painter_.fillRect(rect, CurrentBrush()); break;
      }
      painter_.restore();
    });
  }

  // Draws the part `src` of a bitmap (its y counted as the bitmap stores its rows) into the
  // logical rectangle at (x, y) of w x h; a negative width or height mirrors the bitmap.
  void Blit(std::uint32_t rop, std::span<const std::uint8_t> bytes, Bits bits, QRect src, int x, int y, int w, int h) {
    if (SourceMode(rop) == std::nullopt && rop != 0xC000CA) return PatBlt(rop, x, y, w, h);
    const QPointF p1 = Map(x, y);
    const QPointF p2 = Map(x + w, y + h);
    const QRectF target = QRectF(p1, p2).normalized();
    // The record is counted before the bitmap is read, and each band of the bitmap before it is
    // decoded; only the rows and columns the blit shows are decoded.
    if (!Charge(target, 0)) return;
    const double drawCost = AreaCost(target, kImageCost) - kShapeCost;
    const std::optional<wmf::Bitmap> bitmap = wmf::Bitmap::Read(bytes, bits);
    if (!bitmap) return;
    if (bitmap->FromBottom()) src.moveTop(bitmap->Height() - src.top() - src.height());
    const std::optional<QImage> image = Decode(*bitmap, src.normalized());
    if (!image) return;
    QImage part = image->mirrored(p2.x() < p1.x(), p2.y() < p1.y());
    // Office suites write a partly transparent bitmap as two: a grey mask OR-ed onto the picture, then
    // the bitmap AND-ed onto the same place. Played bit by bit the two leave false colours and black
    // where the bitmap is see-through; the mask is meant as the bitmap's opacity, so it is drawn so.
    if (rop == kSrcPaint) {
      if (!Afford(drawCost)) return;
      DrawPendingMask();
      pendingMask_.emplace(PendingMask{std::move(part), target});
      return;
    }
    if (rop == kSrcAnd && pendingMask_ && pendingMask_->target == target && pendingMask_->mask.size() == part.size()) {
      if (!Afford(kDecodeCost * part.width() * part.height())) return;
      QImage blended = part.convertToFormat(QImage::Format_ARGB32);
      for (int row = 0; row < blended.height(); ++row) {
        QRgb* px = reinterpret_cast<QRgb*>(blended.scanLine(row));
        for (int col = 0; col < blended.width(); ++col)
          px[col] = (px[col] & 0xFFFFFF) | (static_cast<QRgb>(qGray(pendingMask_->mask.pixel(col, row))) << 24);
      }
      pendingMask_.reset();
      if (Afford(drawCost)) painter_.drawImage(target, blended);
      return;
    }
    DrawPendingMask();
    InPieces(target, drawCost, {}, [&] { DrawImage(rop, target, part); });
  }

  void DrawImage(std::uint32_t rop, const QRectF& target, const QImage& image) {
    painter_.save();
    painter_.setCompositionMode(SourceMode(rop).value_or(QPainter::CompositionMode_SourceOver));
    painter_.drawImage(target, image);
    painter_.restore();
  }

  // A mask not followed by its bitmap is drawn as the file says: OR-ed onto the picture.
  void DrawPendingMask() {
    if (!pendingMask_) return;
    DrawImage(kSrcPaint, pendingMask_->target, pendingMask_->mask);
    pendingMask_.reset();
  }

  const QImage& image_;  // read by flood fills
  QPainter painter_;
  const int width_;
  const int height_;
  const QPointF shift_;
  const WmfBudget budget_;
  const Clock::time_point start_;
  const bool measuring_;
  QRectF bounds_;
  std::string halted_;  // why the drawing stopped at a bound, or empty
  double sinceClockRead_ = 0;
  State state_;
  std::vector<State> saved_;
  std::vector<std::optional<Object>> table_;
  std::size_t firstFree_ = 0;
  double sx_ = 1;
  double sy_ = 1;
  double ox_ = 0;
  double oy_ = 0;
  std::optional<QPointF> vpUnit_;  // pixels per device unit of the file, from its first viewport extent
  double work_ = 0;
  bool drawn_ = false;
  struct FontCache {
    Font font;
    double sx;
    double sy;
    QFont qfont;
    QFontMetricsF metrics;
  };
  std::optional<FontCache> fontCache_;
  struct PendingMask {
    QImage mask;
    QRectF target;
  };
  std::optional<PendingMask> pendingMask_;
};

// The frame from the placeable header: its bounds and units per inch.
std::optional<Frame> PlaceableFrame(std::span<const std::uint8_t> b, PictureRefusal& refusal) {
  const auto at = [&](std::size_t i) { return static_cast<std::int16_t>(Le16(b, i)); };
  const int left = at(6), top = at(8), right = at(10), bottom = at(12);
  const unsigned inch = Le16(b, 14);
  if (inch == 0) {
    refusal = PictureRefusal::WmfHeaderDamaged;  // 0 units per inch
    return std::nullopt;
  }
  if (left == right || top == bottom) {
    refusal = PictureRefusal::WmfHeaderDamaged;  // an empty frame
    return std::nullopt;
  }
  Frame f;
  f.org = QPointF(std::min(left, right), std::min(top, bottom));
  f.ext = QPointF(std::abs(right - left), std::abs(bottom - top));
  f.width = static_cast<int>(std::max(1L, std::lround(f.ext.x() * 96.0 / inch)));
  f.height = static_cast<int>(std::max(1L, std::lround(f.ext.y() * 96.0 / inch)));
  return f;
}

// Without a placeable header the records give the size: the viewport's extent when they set one,
// else the window's, both taken as pixels. nullopt when they set neither.
std::optional<Frame> PlainFrame(std::span<const std::uint8_t> b, std::size_t at, const WmfBudget& budget) {
  RecordWalker walker(b, at);
  Record r;
  std::optional<QPointF> window;
  std::optional<QPointF> viewport;
  QPointF org;
  for (std::int64_t count = 0; walker.Next(r) && ++count <= budget.records && !(window && viewport);) {
    if (count % 65536 == 0 && budget.cancel != nullptr && budget.cancel->load(std::memory_order_relaxed)) break;
    if (r.Words() < 2) continue;
    if (r.function == kSetWindowOrg && !window) org = QPointF(r.I16(1), r.I16(0));
    if (r.I16(0) == 0 || r.I16(1) == 0) continue;  // an empty extent sizes nothing
    if (r.function == kSetWindowExt && !window) window = QPointF(r.I16(1), r.I16(0));
    if (r.function == kSetViewportExt && !viewport) viewport = QPointF(r.I16(1), r.I16(0));
  }
  const std::optional<QPointF> size = viewport ? viewport : window;
  if (!size) return std::nullopt;
  Frame f;
  f.width = static_cast<int>(std::abs(size->x()));
  f.height = static_cast<int>(std::abs(size->y()));
  f.org = org;
  f.ext = window ? *window : QPointF(f.width, f.height);
  return f;
}

// A plain metafile that sets no size is as large as what it draws, one unit a pixel, from the first
// pixel drawn: a first pass over its records measures that without drawing.
std::optional<Frame> DrawnFrame(std::span<const std::uint8_t> b, std::size_t at, std::size_t objects,
                                const WmfBudget& budget, Clock::time_point start, WmfPicture& out) {
  // One unit a pixel on a picture as large as any may be, so that nothing is cut to its size.
  QImage none(1, 1, QImage::Format_RGB32);
  Frame unit;
  unit.width = kMaxWmfSide;
  unit.height = kMaxWmfSide;
  unit.ext = QPointF(kMaxWmfSide, kMaxWmfSide);
  RecordWalker walker(b, at);
  Player measure(none, unit, objects, budget, start, true);
  WmfPicture measured;
  measure.Play(walker, measured);
  if (budget.cancel != nullptr && budget.cancel->load()) {
    out.refusal = PictureRefusal::WmfNothingDrawn;  // a stopped load keeps nothing
    return std::nullopt;
  }
  const QRectF drawn = measure.Bounds();
  if (drawn.isNull()) {
    out.refusal = PictureRefusal::WmfNoSize;
    return std::nullopt;
  }
  // Whole pixels from the first one drawn; sizes far beyond the limits are refused after this.
  const QPointF first(std::floor(drawn.left()), std::floor(drawn.top()));
  const auto pixels = [](double from, double to) {
    return static_cast<int>(std::clamp(std::ceil(to) - from, 1.0, 1e9));
  };
  Frame f;
  f.width = pixels(first.x(), drawn.right());
  f.height = pixels(first.y(), drawn.bottom());
  f.ext = QPointF(f.width, f.height);
  f.shift = first;
  return f;
}

// Whether the records draw over more than kUnjustifiedPixels of a frame larger than that: a few
// bytes must not claim a picture of hundreds of megabytes. A first pass measures without drawing.
bool FrameJustified(std::span<const std::uint8_t> b, std::size_t at, std::size_t objects, const Frame& frame,
                    const WmfBudget& budget, Clock::time_point start) {
  if (static_cast<std::int64_t>(frame.width) * frame.height <= kUnjustifiedPixels) return true;
  QImage none(1, 1, QImage::Format_RGB32);
  RecordWalker walker(b, at);
  Player measure(none, frame, objects, budget, start, true);
  WmfPicture measured;
  measure.Play(walker, measured);
  const QRectF drawn = measure.Bounds().intersected(QRectF(0, 0, frame.width, frame.height));
  return drawn.width() * drawn.height() > static_cast<double>(kUnjustifiedPixels);
}

}  // namespace

bool LooksLikeWmf(std::span<const std::uint8_t> bytes) { return IsPlaceable(bytes) || IsMetaHeader(bytes, 0); }

WmfPicture PlayWmf(std::span<const std::uint8_t> bytes, const WmfBudget& budget, Raster* canvas) {
  Clock::time_point start = Clock::now();
  WmfPicture out;
  const std::size_t headerAt = IsPlaceable(bytes) ? kPlaceableSize : 0;
  if (!IsMetaHeader(bytes, headerAt)) {
    out.refusal = PictureRefusal::WmfHeaderDamaged;
    return out;
  }
  const std::size_t recordsAt = headerAt + kHeaderSize;
  const std::size_t objects = Le16(bytes, headerAt + 10);
  std::optional<Frame> frame =
      headerAt != 0 ? PlaceableFrame(bytes, out.refusal) : PlainFrame(bytes, recordsAt, budget);
  const bool sizedByDrawing = !frame && headerAt == 0;
  if (sizedByDrawing) frame = DrawnFrame(bytes, recordsAt, objects, budget, start, out);
  if (!frame) return out;
  if (frame->width > kMaxWmfSide || frame->height > kMaxWmfSide ||
      static_cast<std::int64_t>(frame->width) * frame->height > kMaxWmfPixels) {
    out.refusal = PictureRefusal::WmfTooLarge;
    return out;
  }
  if (!sizedByDrawing && !FrameJustified(bytes, recordsAt, objects, *frame, budget, start)) {
    out.refusal = budget.cancel != nullptr && budget.cancel->load() ? PictureRefusal::WmfNothingDrawn
                                                                     : PictureRefusal::WmfHeaderDamaged;
    return out;
  }
  QImage image;
  if (canvas != nullptr) {
    *canvas = Raster(frame->width, frame->height);
    image = QImage(reinterpret_cast<uchar*>(canvas->MutablePixels()), frame->width, frame->height,
                   static_cast<qsizetype>(frame->width) * 4, QImage::Format_RGB32);
  } else {
    image = QImage(frame->width, frame->height, QImage::Format_RGB32);
  }
  if (image.isNull()) {
    out.refusal = PictureRefusal::NoMemory;
    return out;
  }
  // White a band of rows at a time: a large picture takes a good part of a second to whiten, and a
  // stopped load does not wait for that. The whitening is not the drawing's: its time is not
  // counted against the drawing's budget.
  const Clock::time_point whitening = Clock::now();
  const qsizetype band = std::max<qsizetype>(1, (qsizetype{4} << 20) / image.bytesPerLine());
  for (int top = 0; top < image.height(); top += static_cast<int>(band)) {
    if (budget.cancel != nullptr && budget.cancel->load(std::memory_order_relaxed)) {
      out.refusal = PictureRefusal::WmfNothingDrawn;  // a stopped load keeps nothing
      return out;
    }
    const qsizetype rows = std::min<qsizetype>(band, image.height() - top);
    std::memset(image.scanLine(top), 0xFF, static_cast<std::size_t>(rows * image.bytesPerLine()));
  }
  start += Clock::now() - whitening;
  RecordWalker walker(bytes, recordsAt);
  {
    Player player(image, *frame, objects, budget, start);
    player.Play(walker, out);
    out.work = player.Work();
    if (out.partial && !player.Drawn()) {
      out.refusal = PictureRefusal::WmfNothingDrawn;
      out.partial = false;
      return out;
    }
  }
  out.image = std::move(image);
  return out;
}

}  // namespace glimmora
