#include "platform/wmf/WmfPlayback.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>

namespace glimmora::wmf {

namespace {

constexpr std::size_t kMaxSavedStates = 1024;
constexpr std::size_t kMaxObjects = 65535;

void Stop(WmfPicture& out, std::string why) {
  out.partial = true;
  out.stopped = std::move(why);
}

}  // namespace

Player::Player(QImage& image, const Frame& frame, std::size_t objects, const WmfBudget& budget,
               Clock::time_point start, bool measuring)
    : image_(image),
      painter_(&image),
      width_(frame.width),
      height_(frame.height),
      shift_(frame.shift),
      prices_(frame.width, frame.height),
      measuring_(measuring),
      budget_(budget, start) {
  state_.winOrg = frame.org;
  state_.winExt = frame.ext;
  table_.resize(std::min(objects, kMaxObjects));
  Rescale();
}

void Player::Play(RecordWalker& walker, WmfPicture& out) {
  Record r;
  while (walker.Next(r)) {
    if (!budget_.Record(measuring_)) break;
    if (r.function != kStretchDib && r.function != kDibStretchBlt) DrawPendingMask();
    Dispatch(r);
    if (budget_.Halted()) break;
  }
  if (budget_.Halted()) return Stop(out, budget_.Why());
  DrawPendingMask();
  if (walker.Stopped() == RecordWalker::Stop::Damaged)
    Stop(out, "damaged record at byte " + std::to_string(walker.Position()));
}

void Player::Dispatch(const Record& r) {
  const std::size_t n = r.Words();
  State& s = state_;
  switch (r.function) {
    case kSetBkColor:
      if (n >= 2) s.background = ColourOf(r.U32(0), s.palette);
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
      if (n >= 2) s.text = ColourOf(r.U32(0), s.palette);
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
      if (n >= 4) SetPixel(Map(r.I16(3), r.I16(2)), ColourOf(r.U32(0), s.palette));
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
      SelectClip(n >= 1 ? ObjectAt<Region>(r.U16(0)) : nullptr);
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
        if (Region* region = ObjectAt<Region>(r.U16(0))) PaintArea(DeviceRegion(*region), s.brush);
      break;
    case kInvertRegion:
      if (n >= 1)
        if (Region* region = ObjectAt<Region>(r.U16(0))) InvertArea(DeviceRegion(*region));
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
      AddObject(ReadPen(r, s.palette));
      break;
    case kCreateBrushIndirect:
      AddObject(ReadBrush(r, s.palette));
      break;
    case kCreateFontIndirect:
      AddObject(ReadFont(r));
      break;
    case kCreatePalette:
      AddObject(ReadPalette(r));
      break;
    case kDibCreatePatternBrush:
      AddObject(PatternBrush(r));
      break;
    case kCreateRegion: {
      std::optional<Region> region = ReadRegion(r, static_cast<std::size_t>(kMaxAreaRects));
      if (!region) budget_.Halt(WorkBudget::Limit::Work);
      else if (budget_.Afford(kPointCost * static_cast<double>(region->rects.size()))) AddObject(std::move(*region));
      break;
    }
    case kCreatePatternBrush:
      AddObject(Placeholder{});
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

void Player::RestoreDc(int which) {
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

void Player::Select(std::size_t index) {
  if (const Pen* p = ObjectAt<Pen>(index)) state_.pen = *p;
  else if (const Brush* b = ObjectAt<Brush>(index)) state_.brush = *b;
  else if (const Font* f = ObjectAt<Font>(index)) state_.font = *f;
  else if (Region* g = ObjectAt<Region>(index)) SelectClip(g);
}

// A new object takes the lowest free slot, as the file's indexes expect.
void Player::AddObject(Object object) {
  while (firstFree_ < table_.size() && table_[firstFree_]) ++firstFree_;
  if (firstFree_ == table_.size()) {
    if (table_.size() >= kMaxObjects) return;
    table_.emplace_back();
  }
  table_[firstFree_++] = std::move(object);
}

}  // namespace glimmora::wmf
