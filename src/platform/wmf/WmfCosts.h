#pragma once
// What each step of a drawing costs against the work budget, in pixels of plain fill (about 0.1 ns
// each here), measured on Qt's raster engine with random lines, tangled polygons and large letters.

#include <QPen>
#include <QPolygonF>
#include <QRectF>
#include <cstddef>
#include <vector>

namespace glimmora::wmf {

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

// The most rectangles a region or clip may have. Each use of one is a single step of Qt's that
// cannot be interrupted and takes time by its rectangles: this many take a few milliseconds (ten
// times that in a sanitizer build), so a stopped load still ends at once. Real pictures' regions
// have tens of rectangles.
constexpr double kMaxAreaRects = 200'000;

// Drawing larger than this (about 10 ms) goes in pieces, and the clock and the cancel flag are
// read between them, so a cancelled load ends at once whatever one record holds.
constexpr double kPieceCost = 1e8;

// What shapes cost on a picture of a given size: only what lies on the picture costs its pixels.
class Prices {
 public:
  Prices(int width, int height) : width_(width), height_(height) {}

  // What a drawing record costs for the pixels it covers; `perPixel` is how much dearer than a
  // plain fill each of them is.
  double Area(const QRectF& device, double perPixel = 1) const;

  // What a pen `width` pixels wide (at most the picture's diagonal; 1 for a thin one) costs along
  // `length` pixels of line with `joints` ends and corners.
  double Pen(double width, double length, double joints) const;

  // What the edges of `poly` cost beyond its area: the pen along them and `crossing` (nothing for a
  // shape not filled) for each row of the picture that each one crosses. With `rowCost` the work is
  // also put on the picture's rows it falls on.
  double Edges(const QPolygonF& poly, bool closed, double crossing, const QPen& pen,
               std::vector<double>* rowCost) const;

  // What filling costs for each row an edge crosses, in a shape of `points` points: the more edges
  // a row meets, the dearer each one.
  static double Crossing(std::size_t points);

  // The length of the line from a to b within `r`.
  static double LengthWithin(QPointF a, QPointF b, const QRectF& r);

 private:
  int width_;
  int height_;
};

}  // namespace glimmora::wmf
