#include "platform/wmf/WmfRegions.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace glimmora::wmf {

std::optional<QRegion> BandedRegion(std::vector<QRect>& rects) {
  std::erase_if(rects, [](const QRect& r) { return r.isEmpty(); });
  std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) {
    return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
  });
  std::vector<QRect> bands;
  bands.reserve(rects.size());
  for (const QRect& r : rects) {
    if (!bands.empty()) {
      QRect& last = bands.back();
      const bool sameRow = r.top() == last.top() && r.height() == last.height();
      if (sameRow && r.left() <= last.right() + 1) {
        last.setRight(std::max(last.right(), r.right()));
        continue;
      }
      if (!sameRow && r.top() <= last.bottom()) return std::nullopt;
    }
    bands.push_back(r);
  }
  QRegion region;
  region.setRects(bands.data(), static_cast<int>(bands.size()));
  return region;
}

QRegion UniteRects(std::span<const QRect> rects) {
  // Like a binary counter: a region of 2^k rectangles is merged with the one before it of the same
  // rank, so at most log n of them are held at a time.
  std::vector<std::pair<QRegion, int>> ranks;
  for (const QRect& rect : rects) {
    if (rect.isEmpty()) continue;
    QRegion merged(rect);
    int rank = 0;
    while (!ranks.empty() && ranks.back().second == rank) {
      merged = ranks.back().first.united(merged);
      ranks.pop_back();
      ++rank;
    }
    ranks.emplace_back(std::move(merged), rank);
  }
  QRegion all;
  while (!ranks.empty()) {
    all = ranks.back().first.united(all);
    ranks.pop_back();
  }
  return all;
}

QRegion Moved(const QRegion& area, double dx, double dy) {
  const QRect b = area.boundingRect();
  const auto far = [](double v) { return std::abs(v) > 1e9; };
  if (far(b.left() + dx) || far(b.right() + dx) || far(b.top() + dy) || far(b.bottom() + dy)) return {};
  return area.translated(static_cast<int>(dx), static_cast<int>(dy));
}

QRegion FrameOf(const QRegion& area, int width, int height) {
  // What stays inside when the area is moved by the frame's width or height either way is its inside.
  const QRegion inside = area.intersected(area.translated(width, 0))
                             .intersected(area.translated(-width, 0))
                             .intersected(area.translated(0, height))
                             .intersected(area.translated(0, -height));
  return area.subtracted(inside);
}

}  // namespace glimmora::wmf
