#include "platform/wmf/WmfCosts.h"

#include <algorithm>
#include <cmath>

namespace glimmora::wmf {

double Prices::Area(const QRectF& device, double perPixel) const {
  const QRectF visible = device.normalized().adjusted(-1, -1, 1, 1).intersected(QRectF(0, 0, width_, height_));
  return kShapeCost + perPixel * (visible.isEmpty() ? 0.0 : visible.width() * visible.height());
}

double Prices::Pen(double width, double length, double joints) const {
  if (width <= 1) return kThinLineCost * length;
  return kWideLineCost * (length + joints * width) +
         kStrokeAreaCost * std::min(length * width, static_cast<double>(width_) * height_);
}

double Prices::LengthWithin(QPointF a, QPointF b, const QRectF& r) {
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

double Prices::Crossing(std::size_t points) {
  return kEdgeCost + kTangleEdgeCost * std::min(1.0, static_cast<double>(points) / 256);
}

double Prices::Edges(const QPolygonF& poly, bool closed, double crossing, const QPen& pen,
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
    const double edge = (stroked ? Pen(width, LengthWithin(a, b, seen), 1) : 0.0) + crossing * (high - low);
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

}  // namespace glimmora::wmf
