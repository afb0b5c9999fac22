#include "platform/wmf/WmfRegions.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace glimmora::wmf {

std::optional<QRegion> BandedRegion(std::vector<QRect>& rects) {
  std::erase_if(rects, [](const QRect& r) { return r.isEmpty(); });
  const auto before = [](const QRect& a, const QRect& b) {
    return a.top() != b.top() ? a.top() < b.top() : a.left() < b.left();
  };
  // A region's own scans come in order, and a mapping that flips it reverses them.
  if (std::is_sorted(rects.rbegin(), rects.rend(), before)) std::reverse(rects.begin(), rects.end());
  if (!std::is_sorted(rects.begin(), rects.end(), before)) std::sort(rects.begin(), rects.end(), before);
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

United UniteRects(std::vector<QRect> rects, std::int64_t maxLooks, std::int64_t maxRects,
                  const std::function<bool()>& goOn) {
  United out;
  std::erase_if(rects, [](const QRect& r) { return r.isEmpty(); });
  std::sort(rects.begin(), rects.end(), [](const QRect& a, const QRect& b) { return a.top() < b.top(); });
  std::vector<int> edges;
  edges.reserve(2 * rects.size());
  for (const QRect& r : rects) edges.insert(edges.end(), {r.top(), r.bottom() + 1});
  std::sort(edges.begin(), edges.end());
  edges.erase(std::unique(edges.begin(), edges.end()), edges.end());
  const auto byLeft = [](const QRect& a, const QRect& b) { return a.left() < b.left(); };
  std::vector<QRect> across;  // the rectangles across the present band, by their left edges
  std::vector<QRect> made;
  std::size_t next = 0;
  std::size_t lastBand = 0;  // where the band above starts in `made`
  std::int64_t nextAsk = kAskEvery;
  for (std::size_t e = 0; e + 1 < edges.size(); ++e) {
    const int top = edges[e];
    const int bottom = edges[e + 1] - 1;
    std::erase_if(across, [&](const QRect& r) { return r.bottom() < top; });
    const auto kept = static_cast<std::ptrdiff_t>(across.size());
    while (next < rects.size() && rects[next].top() == top) across.push_back(rects[next++]);
    std::sort(across.begin() + kept, across.end(), byLeft);
    std::inplace_merge(across.begin(), across.begin() + kept, across.end(), byLeft);
    out.looks += static_cast<std::int64_t>(across.size()) + 1;
    if (out.looks > maxLooks) return out;
    if (out.looks >= nextAsk) {
      if (!goOn()) return out;
      nextAsk = out.looks + kAskEvery;
    }
    const std::size_t band = made.size();
    for (const QRect& r : across) {
      if (made.size() > band && r.left() <= made.back().right() + 1)
        made.back().setRight(std::max(made.back().right(), r.right()));
      else
        made.emplace_back(QPoint(r.left(), top), QPoint(r.right(), bottom));
    }
    // A band with the same spans as the one right above it joins it.
    const std::size_t spans = made.size() - band;
    const bool same = band > lastBand && spans == band - lastBand && made[band - 1].bottom() + 1 == top &&
                      std::equal(made.begin() + static_cast<std::ptrdiff_t>(band), made.end(),
                                 made.begin() + static_cast<std::ptrdiff_t>(lastBand),
                                 [](const QRect& a, const QRect& b) { return a.left() == b.left() && a.right() == b.right(); });
    if (same) {
      made.resize(band);
      for (std::size_t i = lastBand; i < band; ++i) made[i].setBottom(bottom);
    } else if (spans > 0) {
      lastBand = band;
    }
    if (static_cast<std::int64_t>(made.size()) > maxRects) return out;
  }
  QRegion area;
  area.setRects(made.data(), static_cast<int>(made.size()));
  out.area = std::move(area);
  return out;
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
                std::int64_t maxLooked, const std::function<bool()>& goOn) {
  Flood out;
  if (!image.rect().contains(start) || image.depth() != 32) return out;
  const int width = image.width();
  const int height = image.height();
  const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
  const std::size_t stride = static_cast<std::size_t>(image.bytesPerLine()) / 4;
  const QRgb key = colour & 0xFFFFFF;
  const auto* first = pixels + static_cast<std::size_t>(start.y()) * stride;
  if (((first[start.x()] & 0xFFFFFF) == key) != surface) return out;
  std::vector<std::uint64_t> seen((static_cast<std::size_t>(width) * height + 63) / 64);
  const auto fills = [&](const QRgb* row, std::size_t at, int x) {
    const std::size_t bit = at + static_cast<std::size_t>(x);
    return ((row[x] & 0xFFFFFF) == key) == surface && !((seen[bit >> 6] >> (bit & 63)) & 1);
  };
  const auto mark = [&](std::size_t at, int from, int to) {
    std::size_t bit = at + static_cast<std::size_t>(from);
    const std::size_t end = at + static_cast<std::size_t>(to) + 1;
    for (; bit < end && (bit & 63) != 0; ++bit) seen[bit >> 6] |= std::uint64_t{1} << (bit & 63);
    for (; bit + 64 <= end; bit += 64) seen[bit >> 6] = ~std::uint64_t{0};
    for (; bit < end; ++bit) seen[bit >> 6] |= std::uint64_t{1} << (bit & 63);
  };
  // Spans of pixels still to fill, each marked when it is found so that it is found once: taken
  // from the list, a span is widened as far as it goes and the spans above and below it are found.
  struct Span {
    int left, right, y;
  };
  std::vector<QRect> runs;
  std::vector<Span> todo{{start.x(), start.x(), start.y()}};
  mark(static_cast<std::size_t>(start.y()) * width, start.x(), start.x());
  std::int64_t nextAsk = kAskEvery;
  while (!todo.empty()) {
    if (runs.size() >= maxRuns || out.looked >= maxLooked || todo.size() > maxRuns) {
      out.whole = false;
      break;
    }
    if (out.looked >= nextAsk) {
      if (!goOn()) {
        out.whole = false;
        break;
      }
      nextAsk = out.looked + kAskEvery;
    }
    const Span span = todo.back();
    todo.pop_back();
    const int y0 = span.y;
    const QRgb* row = pixels + static_cast<std::size_t>(y0) * stride;
    const std::size_t at = static_cast<std::size_t>(y0) * width;
    int left = span.left;
    int right = span.right;
    while (left > 0 && fills(row, at, left - 1)) --left;
    while (right + 1 < width && fills(row, at, right + 1)) ++right;
    out.looked += (span.left - left) + (right - span.right) + 2;
    if (left < span.left) mark(at, left, span.left - 1);
    if (right > span.right) mark(at, span.right + 1, right);
    runs.emplace_back(QPoint(left, y0), QPoint(right, y0));
    for (const int y : {y0 - 1, y0 + 1}) {
      if (y < 0 || y >= height) continue;
      const QRgb* near = pixels + static_cast<std::size_t>(y) * stride;
      const std::size_t nearAt = static_cast<std::size_t>(y) * width;
      for (int x = left; x <= right; ++x) {
        if (!fills(near, nearAt, x)) continue;
        const int from = x;
        while (x < right && fills(near, nearAt, x + 1)) ++x;
        mark(nearAt, from, x);
        todo.push_back({from, x, y});
      }
      out.looked += right - left + 1;
    }
  }
  out.runs = runs.size();
  out.area = BandedRegion(runs).value_or(QRegion());  // rows one pixel tall never overlap
  return out;
}

}  // namespace glimmora::wmf
