#include "platform/wmf/WmfPlayer.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <utility>

#include "platform/RasterImages.h"
#include "platform/wmf/WmfPlayback.h"
#include "platform/wmf/WmfRecord.h"

namespace glimmora {

namespace {

using wmf::Frame;
using wmf::Player;
using wmf::Record;
using wmf::RecordWalker;
using Clock = Player::Clock;

constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;
constexpr std::size_t kPlaceableSize = 22;
constexpr std::size_t kHeaderSize = 18;

std::uint16_t Le16(std::span<const std::uint8_t> b, std::size_t at) { return le::U16(b.data() + at); }

bool IsPlaceable(std::span<const std::uint8_t> b) { return b.size() >= kPlaceableSize && le::U32(b.data()) == kPlaceableKey; }

bool IsMetaHeader(std::span<const std::uint8_t> b, std::size_t at) {
  if (b.size() < at + kHeaderSize) return false;
  const std::uint16_t type = Le16(b, at);
  const std::uint16_t version = Le16(b, at + 4);
  return (type == 1 || type == 2) && Le16(b, at + 2) == 9 && (version == 0x100 || version == 0x300);
}

// The frame from the placeable header: its bounds and units per inch.
std::optional<Frame> PlaceableFrame(std::span<const std::uint8_t> b, PictureRefusal& refusal) {
  const auto at = [&](std::size_t i) { return static_cast<std::int16_t>(Le16(b, i)); };
  const int left = at(6), top = at(8), right = at(10), bottom = at(12);
  const unsigned inch = Le16(b, 14);
  if (inch == 0) {
    refusal = PictureRefusal::WmfHeaderDamaged;  // 0 units per inch
    return std::nullopt;
  }
  if (left == right || top == bottom) {
    refusal = PictureRefusal::WmfHeaderDamaged;  // an empty frame
    return std::nullopt;
  }
  Frame f;
  f.org = QPointF(std::min(left, right), std::min(top, bottom));
  f.ext = QPointF(std::abs(right - left), std::abs(bottom - top));
  f.width = static_cast<int>(std::max(1L, std::lround(f.ext.x() * 96.0 / inch)));
  f.height = static_cast<int>(std::max(1L, std::lround(f.ext.y() * 96.0 / inch)));
  return f;
}

// Without a placeable header the records give the size: the viewport's extent when they set one,
// else the window's, both taken as pixels. nullopt when they set neither.
std::optional<Frame> PlainFrame(std::span<const std::uint8_t> b, std::size_t at, const WmfBudget& budget) {
  RecordWalker walker(b, at);
  Record r;
  std::optional<QPointF> window;
  std::optional<QPointF> viewport;
  QPointF org;
  for (std::int64_t count = 0; walker.Next(r) && ++count <= budget.records && !(window && viewport);) {
    if (count % 65536 == 0 && budget.cancel != nullptr && budget.cancel->load(std::memory_order_relaxed)) break;
    if (r.Words() < 2) continue;
    if (r.function == wmf::kSetWindowOrg && !window) org = QPointF(r.I16(1), r.I16(0));
    if (r.I16(0) == 0 || r.I16(1) == 0) continue;  // an empty extent sizes nothing
    if (r.function == wmf::kSetWindowExt && !window) window = QPointF(r.I16(1), r.I16(0));
    if (r.function == wmf::kSetViewportExt && !viewport) viewport = QPointF(r.I16(1), r.I16(0));
  }
  const std::optional<QPointF> size = viewport ? viewport : window;
  if (!size) return std::nullopt;
  Frame f;
  f.width = static_cast<int>(std::abs(size->x()));
  f.height = static_cast<int>(std::abs(size->y()));
  f.org = org;
  f.ext = window ? *window : QPointF(f.width, f.height);
  return f;
}

// A plain metafile that sets no size is as large as what it draws, one unit a pixel, from the first
// pixel drawn: a first pass over its records measures that without drawing.
std::optional<Frame> DrawnFrame(std::span<const std::uint8_t> b, std::size_t at, std::size_t objects,
                                const WmfBudget& budget, Clock::time_point start, WmfPicture& out) {
  // One unit a pixel on a picture as large as any may be, so that nothing is cut to its size.
  QImage none(1, 1, QImage::Format_RGB32);
  Frame unit;
  unit.width = kMaxWmfSide;
  unit.height = kMaxWmfSide;
  unit.ext = QPointF(kMaxWmfSide, kMaxWmfSide);
  RecordWalker walker(b, at);
  Player measure(none, unit, objects, budget, start, true);
  WmfPicture measured;
  measure.Play(walker, measured);
  if (budget.cancel != nullptr && budget.cancel->load()) {
    out.refusal = PictureRefusal::WmfNothingDrawn;  // a stopped load keeps nothing
    return std::nullopt;
  }
  const QRectF drawn = measure.Bounds();
  if (drawn.isNull()) {
    out.refusal = PictureRefusal::WmfNoSize;
    return std::nullopt;
  }
  // Whole pixels from the first one drawn; sizes far beyond the limits are refused after this.
  const QPointF first(std::floor(drawn.left()), std::floor(drawn.top()));
  const auto pixels = [](double from, double to) {
    return static_cast<int>(std::clamp(std::ceil(to) - from, 1.0, 1e9));
  };
  Frame f;
  f.width = pixels(first.x(), drawn.right());
  f.height = pixels(first.y(), drawn.bottom());
  f.ext = QPointF(f.width, f.height);
  f.shift = first;
  return f;
}

// Whether the records draw over more than kUnjustifiedPixels of a frame larger than that: a few
// bytes must not claim a picture of hundreds of megabytes. A first pass measures without drawing.
bool FrameJustified(std::span<const std::uint8_t> b, std::size_t at, std::size_t objects, const Frame& frame,
                    const WmfBudget& budget, Clock::time_point start) {
  if (static_cast<std::int64_t>(frame.width) * frame.height <= kUnjustifiedPixels) return true;
  QImage none(1, 1, QImage::Format_RGB32);
  RecordWalker walker(b, at);
  Player measure(none, frame, objects, budget, start, true);
  WmfPicture measured;
  measure.Play(walker, measured);
  const QRectF drawn = measure.Bounds().intersected(QRectF(0, 0, frame.width, frame.height));
  return drawn.width() * drawn.height() > static_cast<double>(kUnjustifiedPixels);
}

}  // namespace

bool LooksLikeWmf(std::span<const std::uint8_t> bytes) { return IsPlaceable(bytes) || IsMetaHeader(bytes, 0); }

WmfPicture PlayWmf(std::span<const std::uint8_t> bytes, const WmfBudget& budget, Raster* canvas) {
  Clock::time_point start = Clock::now();
  WmfPicture out;
  const std::size_t headerAt = IsPlaceable(bytes) ? kPlaceableSize : 0;
  if (!IsMetaHeader(bytes, headerAt)) {
    out.refusal = PictureRefusal::WmfHeaderDamaged;
    return out;
  }
  const std::size_t recordsAt = headerAt + kHeaderSize;
  const std::size_t objects = Le16(bytes, headerAt + 10);
  std::optional<Frame> frame =
      headerAt != 0 ? PlaceableFrame(bytes, out.refusal) : PlainFrame(bytes, recordsAt, budget);
  const bool sizedByDrawing = !frame && headerAt == 0;
  if (sizedByDrawing) frame = DrawnFrame(bytes, recordsAt, objects, budget, start, out);
  if (!frame) return out;
  if (frame->width > kMaxWmfSide || frame->height > kMaxWmfSide ||
      static_cast<std::int64_t>(frame->width) * frame->height > kMaxWmfPixels) {
    out.refusal = PictureRefusal::WmfTooLarge;
    return out;
  }
  if (!sizedByDrawing && !FrameJustified(bytes, recordsAt, objects, *frame, budget, start)) {
    out.refusal = budget.cancel != nullptr && budget.cancel->load() ? PictureRefusal::WmfNothingDrawn
                                                                     : PictureRefusal::WmfHeaderDamaged;
    return out;
  }
  QImage image;
  if (canvas != nullptr) {
    *canvas = Raster(frame->width, frame->height);
    image = QImage(reinterpret_cast<uchar*>(canvas->MutablePixels()), frame->width, frame->height,
                   static_cast<qsizetype>(frame->width) * 4, QImage::Format_RGB32);
  } else {
    image = QImage(frame->width, frame->height, QImage::Format_RGB32);
  }
  if (image.isNull()) {
    out.refusal = PictureRefusal::NoMemory;
    return out;
  }
  // White a band of rows at a time: a large picture takes a good part of a second to whiten, and a
  // stopped load does not wait for that. The whitening is not the drawing's: its time is not
  // counted against the drawing's budget.
  const Clock::time_point whitening = Clock::now();
  const qsizetype band = std::max<qsizetype>(1, (qsizetype{4} << 20) / image.bytesPerLine());
  for (int top = 0; top < image.height(); top += static_cast<int>(band)) {
    if (budget.cancel != nullptr && budget.cancel->load(std::memory_order_relaxed)) {
      out.refusal = PictureRefusal::WmfNothingDrawn;  // a stopped load keeps nothing
      return out;
    }
    const qsizetype rows = std::min<qsizetype>(band, image.height() - top);
    std::memset(image.scanLine(top), 0xFF, static_cast<std::size_t>(rows * image.bytesPerLine()));
  }
  start += Clock::now() - whitening;
  RecordWalker walker(bytes, recordsAt);
  {
    Player player(image, *frame, objects, budget, start);
    player.Play(walker, out);
    out.work = player.Work();
    if (out.partial && !player.Drawn()) {
      out.refusal = PictureRefusal::WmfNothingDrawn;
      out.partial = false;
      return out;
    }
  }
  out.image = std::move(image);
  return out;
}

}  // namespace glimmora
