#pragma once
// The selection frame drawn with the mouse over the reduced view of a picture, and the part of the
// full-size picture it stands for. Coordinates are pixels of the reduced view, (0, 0) at its top
// left corner; the view is viewWidth x viewHeight.

#include <optional>

#include "icons/Raster.h"

namespace glimmora {

struct FrameRect {
  double left = 0;
  double top = 0;
  double width = 0;
  double height = 0;

  bool operator==(const FrameRect&) const = default;
};

// A rectangle of whole picture pixels.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;

  bool Empty() const { return width < 1 || height < 1; }
  bool operator==(const PixelRect&) const = default;
};

// The frame a new picture starts with: 32 x 32 view pixels, 3 pixels in from the corner.
constexpr FrameRect kStartFrame{3, 3, 32, 32};

class SelectionModel {
 public:
  // A fresh frame over a view of viewWidth x viewHeight (no drag, no anchor).
  void Reset(int viewWidth, int viewHeight);

  // A button went down on the view.
  void MouseDown() { dragging_ = true; }
  // The pointer moved to (x, y) of the view. The first move of a drag takes the anchor and moves
  // the frame's corner there; then the right button moves the frame centred on the pointer, any
  // other button draws it from the anchor. Returns true when the frame's size changed by drawing
  // (the selection label follows it).
  bool MouseMove(bool rightButton, double x, double y);
  // The button came up: true when a drag was running (the part is copied again).
  bool MouseUp();

  // The frame covers the whole view; the anchor is dropped.
  void SelectWholeView();

  const FrameRect& Frame() const { return frame_; }
  void SetFrame(const FrameRect& frame) { frame_ = frame; }

 private:
  int viewWidth_ = 0;
  int viewHeight_ = 0;
  FrameRect frame_ = kStartFrame;
  bool dragging_ = false;
  std::optional<std::pair<int, int>> anchor_;
};

// The picture pixels under `frame`, for a view scaled by `ratio` from a picture of pictureWidth x
// pictureHeight: each side divided by the ratio and taken to the nearest pixel (halves to even),
// then cut to the picture. Empty when the ratio is 0 or nothing of the picture is inside.
PixelRect SourceRectOf(const FrameRect& frame, float ratio, int pictureWidth, int pictureHeight);

// `part` of `picture` stretched to width x height by nearest neighbour (colours are never
// blended, so every pixel of the icon is a pixel of the picture). Empty when the part is.
Raster CopyPart(const Raster& picture, const PixelRect& part, int width, int height);

}  // namespace glimmora
