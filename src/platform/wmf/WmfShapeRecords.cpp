#include "platform/wmf/WmfPlayback.h"

#include <QPainterPath>
#include <QtMath>
#include <algorithm>
#include <cmath>

namespace glimmora::wmf {

namespace {

constexpr int kNoOp = 11;  // the pen and brush leave the picture as it is

}  // namespace

double Player::BrushCost() const { return state_.brush.IsHatched() || state_.brush.IsPattern() ? kPatternCost : 1; }

QPen Player::CurrentPen(const QRectF& bounds) const {
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

QBrush Player::CurrentBrush() const {
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
QPainter::CompositionMode Player::PenMode(int rop2) {
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
// `edgeCost` is what its outline costs beyond its area (Prices::Edges), `rowCost` where that falls.
void Player::Shape(const QRectF& bounds, bool filled, const Paint& draw, double edgeCost,
                   const std::vector<double>& rowCost) {
  const QPen pen = CurrentPen(bounds);
  // A wide pen paints outside the shape; a thin one the pixels right of and below its line.
  const double reach = pen.style() == Qt::NoPen ? 0.0 : pen.widthF() / 2;
  QRectF device = bounds.adjusted(-reach, -reach, reach, reach);
  if (pen.style() != Qt::NoPen && reach == 0) device.adjust(0, 0, 1, 1);
  if (state_.rop2 == kNoOp) {
    Charge(device, filled ? BrushCost() : 1, edgeCost);
    return;
  }
  const double cost = prices_.Area(device, filled ? BrushCost() : 1) + edgeCost;
  InPieces(device, cost, rowCost, [&] { PaintShape(bounds, filled, pen, draw); });
}

// What Shape draws, at once or band by band.
void Player::PaintShape(const QRectF& bounds, bool filled, const QPen& pen, const Paint& draw) {
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

void Player::LineTo(QPointF to) {
  const QLineF line(Map(state_.pos), Map(to));
  state_.pos = to;
  const QRectF bounds = QRectF(line.p1(), line.p2()).normalized();
  const double edges = prices_.Edges({line.p1(), line.p2()}, false, 0, CurrentPen(bounds), nullptr);
  Shape(bounds, false, [&] { painter_.drawLine(line); }, edges);
}

QPolygonF Player::Points(const Record& r, std::size_t firstWord, std::size_t count) {
  QPolygonF poly;
  if (!budget_.Afford(kPointCost * static_cast<double>(count))) return poly;
  poly.reserve(static_cast<qsizetype>(count));
  for (std::size_t i = 0; i < count; ++i) poly << Map(r.I16(firstWord + 2 * i), r.I16(firstWord + 2 * i + 1));
  return poly;
}

void Player::Poly(const Record& r, bool closed) {
  const QPolygonF poly = Points(r, 1, r.U16(0));
  if (poly.isEmpty()) return;
  const QPen pen = CurrentPen(poly.boundingRect());
  const double crossing = closed ? Prices::Crossing(static_cast<std::size_t>(poly.size())) : 0;
  const double edges = prices_.Edges(poly, closed, crossing, pen, nullptr);
  if (closed) {
    const Qt::FillRule rule = state_.winding ? Qt::WindingFill : Qt::OddEvenFill;
    std::vector<double> rows;
    if (edges > kPieceCost && !measuring_) prices_.Edges(poly, true, crossing, pen, &rows);
    Shape(poly.boundingRect(), true, [&] { painter_.drawPolygon(poly, rule); }, edges, rows);
    return;
  }
  if (edges <= kPieceCost || measuring_)
    return Shape(poly.boundingRect(), false, [&] { painter_.drawPolyline(poly); }, edges);
  // A long line goes in runs of points, each drawn whole, so that no run takes long.
  qsizetype from = 0;
  double run = 0;
  for (qsizetype i = 1; i < poly.size(); ++i) {
    run += prices_.Edges({poly[i - 1], poly[i]}, false, 0, pen, nullptr);
    if (i + 1 < poly.size() && run < kPieceCost / 2) continue;
    const QPolygonF part = poly.mid(from, i + 1 - from);
    Shape(part.boundingRect(), false, [&] { painter_.drawPolyline(part); }, run);
    if (budget_.Halted()) return;
    from = i;
    run = 0;
  }
}

void Player::PolyPolygon(const Record& r) {
  const std::size_t polygons = r.U16(0);
  if (r.Words() < 1 + polygons) return;
  std::size_t points = 0;
  for (std::size_t i = 0; i < polygons; ++i) points += r.U16(1 + i);
  if (r.Words() < 1 + polygons + 2 * points) return;
  QPainterPath path;
  path.setFillRule(state_.winding ? Qt::WindingFill : Qt::OddEvenFill);
  const QPen pen = CurrentPen({});  // what its edges cost depends only on the pen's width
  const double crossing = Prices::Crossing(points);
  double edges = 0;
  std::size_t word = 1 + polygons;
  for (std::size_t i = 0; i < polygons; ++i) {
    const std::size_t count = r.U16(1 + i);
    QPolygonF poly = Points(r, word, count);
    if (!poly.isEmpty()) {
      poly << poly.front();
      edges += prices_.Edges(poly, false, crossing, pen, nullptr);
      path.addPolygon(poly);
    }
    word += 2 * count;
  }
  std::vector<double> rows;
  if (edges > kPieceCost && !measuring_) {
    std::vector<double> part;
    for (const QPolygonF& poly : path.toSubpathPolygons()) {
      prices_.Edges(poly, false, crossing, pen, &part);
      if (rows.empty()) rows.assign(part.size(), 0.0);
      for (std::size_t y = 0; y < part.size(); ++y) rows[y] += part[y];
    }
  }
  Shape(path.boundingRect(), true, [&] { painter_.drawPath(path); }, edges, rows);
}

void Player::Box(std::uint16_t function, const QRectF& bounds, double rx, double ry) {
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
double Player::BoxEdgesCost(const QRectF& rect, bool filled) const {
  return prices_.Edges(QPolygonF(rect), false, filled ? Prices::Crossing(4) : 0, CurrentPen(rect), nullptr);
}

void Player::ArcFamily(const Record& r) {
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

void Player::SetPixel(QPointF at, const QColor& colour) {
  if (!Charge(QRectF(at, QSizeF(1, 1)))) return;
  painter_.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), colour);
}

}  // namespace glimmora::wmf
