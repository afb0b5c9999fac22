#include "icons/Raster.h"

#include <algorithm>
#include <cassert>

namespace glimmora {

Raster::Raster(int width, int height, Rgb fill)
    : width_(width > 0 && height > 0 ? width : 0),
      height_(width > 0 && height > 0 ? height : 0),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill & 0xFFFFFF) {}

std::size_t Raster::Index(int x, int y) const {
  assert(x >= 0 && x < width_ && y >= 0 && y < height_);
  return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x);
}

Raster ScaleNearest(const Raster& src, int srcWidth, int srcHeight, int dstWidth, int dstHeight) {
  Raster dst(dstWidth, dstHeight);
  srcWidth = std::min(srcWidth, src.Width());
  srcHeight = std::min(srcHeight, src.Height());
  if (dst.Empty() || srcWidth <= 0 || srcHeight <= 0) return dst;
  for (int dy = 0; dy < dst.Height(); ++dy) {
    const int sy = NearestSource(dy, srcHeight, dst.Height());
    for (int dx = 0; dx < dst.Width(); ++dx) {
      const int sx = NearestSource(dx, srcWidth, dst.Width());
      dst.Set(dx, dy, src.At(sx, sy));
    }
  }
  return dst;
}

}  // namespace glimmora
