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

Flood FloodArea(const QImage& image, QPoint start, QRgb colour, bool surface, std::size_t maxRuns,
                std::int64_t maxLooked) {
  Flood out;
  if (!image.rect().contains(start) || image.depth() != 32) return out;
  const int width = image.width();
  const int height = image.height();
  const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
  const std::size_t stride = static_cast<std::size_t>(image.bytesPerLine()) / 4;
  std::vector<std::uint64_t> seen((static_cast<std::size_t>(width) * height + 63) / 64);
  const QRgb key = colour & 0xFFFFFF;
  const auto fills = [&](const QRgb* row, std::size_t at, int x) {
    const std::size_t bit = at + static_cast<std::size_t>(x);
    return ((row[x] & 0xFFFFFF) == key) == surface && !((seen[bit >> 6] >> (bit & 63)) & 1);
  };
  // Each run is widened as far as it goes; the runs above and below it are found from where each
  // of them starts.
  std::vector<QRect> runs;
  std::vector<QPoint> todo{start};
  while (!todo.empty() && runs.size() < maxRuns && out.looked < maxLooked) {
    const int x0 = todo.back().x();
    const int y0 = todo.back().y();
    todo.pop_back();
    const QRgb* row = pixels + static_cast<std::size_t>(y0) * stride;
    const std::size_t at = static_cast<std::size_t>(y0) * width;
    ++out.looked;
    if (!fills(row, at, x0)) continue;
    int left = x0;
    int right = x0;
    while (left > 0 && fills(row, at, left - 1)) --left;
    while (right + 1 < width && fills(row, at, right + 1)) ++right;
    out.looked += right - left + 2;
    for (int x = left; x <= right; ++x) seen[(at + x) >> 6] |= std::uint64_t{1} << ((at + x) & 63);
    runs.emplace_back(QPoint(left, y0), QPoint(right, y0));
    for (const int y : {y0 - 1, y0 + 1}) {
      if (y < 0 || y >= height) continue;
      const QRgb* next = pixels + static_cast<std::size_t>(y) * stride;
      const std::size_t nextAt = static_cast<std::size_t>(y) * width;
      bool before = false;
      for (int x = left; x <= right; ++x) {
        const bool now = fills(next, nextAt, x);
        if (now && !before) todo.emplace_back(x, y);
        before = now;
      }
      out.looked += right - left + 1;
    }
  }
  out.runs = runs.size();
  out.area = BandedRegion(runs).value_or(QRegion());  // rows one pixel tall never overlap
  return out;
}

}  // namespace glimmora::wmf
