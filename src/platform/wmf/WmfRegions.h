#pragma once
// Areas of the picture as regions: built from many rectangles at once, framed, and flooded.

#include <QImage>
#include <QRect>
#include <QRegion>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

namespace glimmora::wmf {

// How many rectangles or pixels the long loops below look at between asking whether to go on: a
// few milliseconds' worth.
constexpr std::int64_t kAskEvery = 1 << 16;

// The region of the rectangles when they lie in bands, as regions are stored (rows of equal top
// and height that do not overlap; spans that touch are joined): made as they stand, in one pass
// after sorting them. nullopt when two rows overlap.
std::optional<QRegion> BandedRegion(std::vector<QRect>& rects);

// The union of any rectangles, swept band by band from the top: each band between two rows where
// a rectangle starts or ends takes the spans of the rectangles across it. Rectangles that cross
// many bands cost once for each, so the sweep gives up (nullopt) once it has looked at more than
// `maxLooks` rectangles or made more than `maxRects`, or when `goOn`, asked after each kAskEvery
// looked at, says no; `looks` counts what it looked at.
struct United {
  std::optional<QRegion> area;
  std::int64_t looks = 0;
};
United UniteRects(std::vector<QRect> rects, std::int64_t maxLooks, std::int64_t maxRects,
                  const std::function<bool()>& goOn);

// The area moved by whole pixels; moved far off the picture it is empty, as kept it could run
// past the integers.
QRegion Moved(const QRegion& area, double dx, double dy);

// The band along the inside of `area`: `width` pixels wide at its left and right edges and
// `height` pixels tall at its top and bottom.
QRegion FrameOf(const QRegion& area, int width, int height);

// What a flood fill covers: the pixels reached from `start` through their neighbours above,
// below, left and right that are not of `colour` (it fills up to a border of that colour), or
// with `surface` those that are. It stops after `maxRuns` runs of pixels or once it has read
// `maxLooked` pixels, and asks `goOn` after each kAskEvery pixels read whether to go on. `looked`
// counts the pixels it read, `runs` the rows of the area; `whole` is false when it stopped early.
struct Flood {
  QRegion area;
  std::int64_t looked = 0;
  std::size_t runs = 0;
  bool whole = true;
};
Flood FloodArea(const QImage& image, QPoint start, QRgb colour, bool surface, std::size_t maxRuns,
                std::int64_t maxLooked, const std::function<bool()>& goOn);

}  // namespace glimmora::wmf
