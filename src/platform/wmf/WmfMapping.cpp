#include "platform/wmf/WmfPlayback.h"

#include <algorithm>
#include <cmath>

namespace glimmora::wmf {

namespace {

constexpr int kIsotropic = 7;
// Window and viewport extents stay within these sizes, so that the mapping stays finite.
constexpr double kMinExtent = 1e-9;
constexpr double kMaxExtent = 1e9;

}  // namespace

// The window set by the file maps onto its viewport, which is the whole picture until the file
// sets one; an isotropic map keeps the shape.
void Player::Rescale() {
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
QPointF Player::ViewportExt() const {
  const QPointF unit = vpUnit_.value_or(QPointF(1, 1));
  return state_.vpExt.value_or(QPointF(width_ / unit.x(), height_ / unit.y()));
}

// An extent scaled by the record's x and y fractions (numerator and denominator, y first); a
// fraction that would leave it empty, or shrink or grow it past what the mapping can hold,
// changes nothing.
QPointF Player::Scaled(QPointF ext, const Record& r) {
  if (r.I16(0) == 0 || r.I16(2) == 0) return ext;
  const QPointF scaled(ext.x() * r.I16(3) / r.I16(2), ext.y() * r.I16(1) / r.I16(0));
  const auto fits = [](double v) { return std::abs(v) >= kMinExtent && std::abs(v) <= kMaxExtent; };
  return fits(scaled.x()) && fits(scaled.y()) ? scaled : ext;
}

QPointF Player::Map(double x, double y) const {
  return {(x - state_.winOrg.x()) * sx_ + ox_ - shift_.x(), (y - state_.winOrg.y()) * sy_ + oy_ - shift_.y()};
}

// The pixels whose centres lie inside the logical rectangle from `a` to `b`.
QRect Player::DeviceRect(QPointF a, QPointF b) const {
  const QRectF f = QRectF(Map(a), Map(b)).normalized();
  const auto px = [](double v) { return static_cast<int>(std::lround(std::clamp(v, -1e8, 1e8))); };
  return QRect(QPoint(px(f.left()), px(f.top())), QPoint(px(f.right()) - 1, px(f.bottom()) - 1));
}

// Counts a drawing record over `device` (plus `extra` work) before it is drawn; false when it
// must not be drawn: past a bound, or because the player only measures.
bool Player::Charge(const QRectF& device, double perPixel, double extra) {
  if (measuring_) {
    bounds_ |= device.normalized();
    return false;
  }
  if (!budget_.Afford(prices_.Area(device, perPixel) + extra)) return false;
  drawn_ = true;
  return true;
}

// Draws `paint` over `device` at the cost of `cost`: at once when that is small, else in bands of
// picture rows, each clipped to its rows and counted before it is drawn. The bands share the cost
// evenly by rows, plus what `rowCost` (the work of each picture row, or empty) puts on each row.
void Player::InPieces(const QRectF& device, double cost, const std::vector<double>& rowCost, const Paint& paint) {
  if (measuring_) {
    bounds_ |= device.normalized();
    return;
  }
  const QRectF area = device.normalized();
  const int top = std::clamp(static_cast<int>(std::floor(std::max(area.top(), -1.0))), 0, height_);
  const int bottom = std::clamp(static_cast<int>(std::ceil(std::min(area.bottom(), 1e9))), top, height_);
  if (cost <= kPieceCost || bottom - top < 2) {
    if (!budget_.Afford(cost)) return;
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
    if (!budget_.Afford(band + kShapeCost)) return;
    drawn_ = true;
    painter_.save();
    painter_.setClipRect(QRect(0, from, width_, y + 1 - from), Qt::IntersectClip);
    paint();
    painter_.restore();
    from = y + 1;
    band = 0;
  }
}

}  // namespace glimmora::wmf
