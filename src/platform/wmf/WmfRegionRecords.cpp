#include "platform/wmf/WmfPlayback.h"

#include <algorithm>
#include <cmath>

#include "platform/wmf/WmfRegions.h"

namespace glimmora::wmf {

namespace {

constexpr std::size_t kMaxFloodRuns = 1'000'000;

}  // namespace

void Player::ClipRect(const Record& r) {
  const QRect rect = DeviceRect(QPointF(r.I16(3), r.I16(2)), QPointF(r.I16(1), r.I16(0)));
  const QRegion current = state_.clipped ? state_.clip : QRegion(0, 0, width_, height_);
  if (!AffordArea(current)) return;
  state_.clip = r.function == kIntersectClipRect ? current.intersected(rect) : current.subtracted(rect);
  state_.clipped = true;
  ApplyClip();
}

// Sets the painter's clip to the state's, counting its rectangles first.
void Player::ApplyClip() {
  if (!state_.clipped) return painter_.setClipping(false);
  if (AffordArea(state_.clip)) painter_.setClipRegion(state_.clip);
}

// Counts a step over every rectangle of `area` (`times` such steps) before it is taken; an area
// of more rectangles than one step may take ends the drawing.
bool Player::AffordArea(const QRegion& area, double times) {
  if (area.rectCount() > kMaxAreaRects) return budget_.Halt(WorkBudget::Limit::Work);
  return budget_.Afford(times * kClipRectCost * area.rectCount());
}

// A region on the picture as the present mapping places it, kept with the region for its next
// use under the same mapping. Its rectangles are counted before they are placed; rectangles
// that overlap are merged band by band within the work left. nullopt when that is not enough,
// and the drawing ends there.
std::optional<QRegion> Player::DeviceRegion(Region& region) {
  const std::array<double, 6> mapping = {state_.winOrg.x(), state_.winOrg.y(), sx_, sy_, ox_, oy_};
  if (region.placed && region.placed->mapping == mapping) return region.placed->area;
  std::vector<QRect> device;
  device.reserve(region.rects.size());
  const auto piece = static_cast<std::size_t>(kPieceCost / kRegionRectCost);
  for (std::size_t i = 0; i < region.rects.size(); ++i) {
    if (i % piece == 0 && !budget_.Afford(kRegionRectCost * static_cast<double>(std::min(piece, region.rects.size() - i))))
      return std::nullopt;
    const QRect& r = region.rects[i];
    device.push_back(DeviceRect(QPointF(r.left(), r.top()), QPointF(r.right() + 1, r.bottom() + 1)));
  }
  std::optional<QRegion> area = BandedRegion(device);
  if (!area) {
    // Only forged regions overlap themselves. The sweep may look at no more rectangles than the
    // work left pays for, nor make more than could then be drawn.
    const double left = budget_.Left();
    const United united =
        UniteRects(std::move(device), static_cast<std::int64_t>(left / kMergedRectCost),
                        static_cast<std::int64_t>(std::min(left / kClipRectCost, kMaxAreaRects)),
                        [&] { return budget_.InTime(kMergedRectCost * kAskEvery); });
    if (!budget_.Spent(kMergedRectCost * static_cast<double>(united.looks)) || !united.area) {
      budget_.Halt(WorkBudget::Limit::Work);
      return std::nullopt;
    }
    area = united.area;
  }
  region.placed = Region::Placed{mapping, *area};
  return area;
}

void Player::SelectClip(Region* region) {
  if (region) {
    const std::optional<QRegion> area = DeviceRegion(*region);
    if (!area) return;
    state_.clip = *area;
  }
  state_.clipped = region != nullptr;
  ApplyClip();
}

void Player::OffsetClip(int x, int y) {
  if (!state_.clipped || !AffordArea(state_.clip)) return;
  state_.clip = Moved(state_.clip, std::round(x * sx_), std::round(y * sy_));
  ApplyClip();
}

// The region and the brush a record names from word `at` on. Writers disagree on which comes
// first; the kinds of the two objects tell them apart.
std::pair<Region*, const Brush*> Player::RegionAndBrush(const Record& r, std::size_t at) {
  if (Region* region = ObjectAt<Region>(r.U16(at))) return {region, ObjectAt<Brush>(r.U16(at + 1))};
  return {ObjectAt<Region>(r.U16(at + 1)), ObjectAt<Brush>(r.U16(at))};
}

// The frame's region and brush come first and its height and width after them, or the other way round.
void Player::FrameRegion(const Record& r) {
  const bool sizesFirst = !RegionAndBrush(r, 0).first;
  const auto [region, brush] = RegionAndBrush(r, sizesFirst ? 2 : 0);
  if (!region || !brush) return;
  const int height = r.I16(sizesFirst ? 0 : 2);
  const int width = r.I16(sizesFirst ? 1 : 3);
  const auto px = [](double v) { return static_cast<int>(std::clamp(std::lround(std::abs(v)), 1L, 100000L)); };
  const std::optional<QRegion> area = DeviceRegion(*region);
  if (!area || !AffordArea(*area, 4)) return;
  PaintArea(FrameOf(*area, px(width * sx_), px(height * sy_)), *brush);
}

// Fills an area with a brush, mixed with the picture as pens and brushes are.
void Player::PaintArea(const std::optional<QRegion>& area, const Brush& brush) {
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
void Player::FloodFill(int x, int y, std::uint32_t colour, bool surface) {
  const QPointF at = Map(x, y);
  if (!QRectF(0, 0, width_, height_).contains(at)) return;
  const QPoint start(static_cast<int>(at.x()), static_cast<int>(at.y()));
  if (state_.clipped && !state_.clip.contains(start)) return;
  if (!budget_.Afford(kFloodMapCost * width_ * height_)) return;
  // It may read no more pixels than the work left pays for, and ends soon when the load is
  // stopped or the time is up.
  const auto looks = static_cast<std::int64_t>(budget_.Left() / kFloodLookCost) + 1;
  const Flood flood =
      FloodArea(image_, start, ColourOf(colour, state_.palette).rgb(), surface, kMaxFloodRuns, looks,
                     [&] { return budget_.InTime(kFloodLookCost * kAskEvery); });
  if (!budget_.Spent(kFloodLookCost * static_cast<double>(flood.looked)) || !budget_.Afford(kRegionRectCost * static_cast<double>(flood.runs)))
    return;
  PaintArea(flood.area, state_.brush);
  if (!flood.whole) budget_.Halt(WorkBudget::Limit::FloodFill);
}

void Player::InvertArea(const std::optional<QRegion>& area) {
  if (!area || area->isEmpty() || !AffordArea(*area)) return;
  const QRectF bounds(area->boundingRect());
  if (!Charge(bounds)) return;
  painter_.save();
  painter_.setClipRegion(*area, Qt::IntersectClip);
  painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
  painter_.fillRect(bounds, Qt::black);
  painter_.restore();
}

}  // namespace glimmora::wmf
