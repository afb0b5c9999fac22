#include "picturetool/Selection.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace glimmora {

namespace {

int RoundEven(double v) {
  if (!std::isfinite(v)) return 0;
  v = std::clamp(v, -2147483647.0, 2147483647.0);
  return static_cast<int>(std::nearbyint(v));
}

}  // namespace

void SelectionModel::Reset(int viewWidth, int viewHeight) {
  viewWidth_ = std::max(0, viewWidth);
  viewHeight_ = std::max(0, viewHeight);
  frame_ = kStartFrame;
  dragging_ = false;
  anchor_.reset();
}

bool SelectionModel::MouseMove(bool rightButton, double x, double y) {
  if (!dragging_) return false;
  if (!anchor_) {
    // The pointer is captured by the view during a drag and may be anywhere: the anchor is kept
    // on the view so that a frame never starts outside the picture.
    x = std::clamp(x, 0.0, static_cast<double>(viewWidth_));
    y = std::clamp(y, 0.0, static_cast<double>(viewHeight_));
    anchor_ = std::pair{RoundEven(x), RoundEven(y)};
    frame_.left = x;
    frame_.top = y;
  }
  if (rightButton) {
    double left = x - frame_.width / 2;
    if (left < 0) left = 0;
    if (left > viewWidth_ - frame_.width) left = viewWidth_ - frame_.width;
    double top = y - frame_.height / 2;
    if (top < 0) top = 0;
    if (top > viewHeight_ - frame_.height) top = viewHeight_ - frame_.height;
    frame_.left = left;
    frame_.top = top;
    return false;
  }
  double width = x - anchor_->first;
  if (width < 0) width = 0;
  if (width > viewWidth_ - anchor_->first) width = viewWidth_ - anchor_->first;
  double height = y - anchor_->second;
  if (height < 0) height = 0;
  if (height > viewHeight_ - anchor_->second) height = viewHeight_ - anchor_->second;
  frame_.width = width;
  frame_.height = height;
  return true;
}

bool SelectionModel::MouseUp() {
  const bool was = dragging_;
  dragging_ = false;
  anchor_.reset();
  return was;
}

void SelectionModel::SelectWholeView() {
  anchor_.reset();
  frame_ = FrameRect{0, 0, static_cast<double>(viewWidth_), static_cast<double>(viewHeight_)};
}

PixelRect SourceRectOf(const FrameRect& frame, float ratio, int pictureWidth, int pictureHeight) {
  if (!(ratio > 0) || pictureWidth <= 0 || pictureHeight <= 0) return {};
  const std::int64_t x = RoundEven(frame.left / ratio);
  const std::int64_t y = RoundEven(frame.top / ratio);
  const std::int64_t w = RoundEven(frame.width / ratio);
  const std::int64_t h = RoundEven(frame.height / ratio);
  // The part of the frame that lies on the picture: a frame moved partly off the picture (or
  // larger than it) never reaches outside it, so no pixel of the icon comes from nowhere.
  const std::int64_t x0 = std::clamp<std::int64_t>(x, 0, pictureWidth);
  const std::int64_t y0 = std::clamp<std::int64_t>(y, 0, pictureHeight);
  const std::int64_t x1 = std::clamp<std::int64_t>(x + w, 0, pictureWidth);
  const std::int64_t y1 = std::clamp<std::int64_t>(y + h, 0, pictureHeight);
  if (x1 <= x0 || y1 <= y0) return {};
  return PixelRect{static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1 - x0), static_cast<int>(y1 - y0)};
}

Raster CopyPart(const Raster& picture, const PixelRect& part, int width, int height) {
  if (part.Empty() || width < 1 || height < 1 || part.x < 0 || part.y < 0 ||
      part.x + part.width > picture.Width() || part.y + part.height > picture.Height())
    return {};
  Raster out(width, height);
  for (int dy = 0; dy < height; ++dy) {
    const int sy = part.y + static_cast<int>(static_cast<std::int64_t>(dy) * part.height / height);
    for (int dx = 0; dx < width; ++dx) {
      const int sx = part.x + static_cast<int>(static_cast<std::int64_t>(dx) * part.width / width);
      out.Set(dx, dy, picture.At(sx, sy));
    }
  }
  return out;
}

}  // namespace glimmora
