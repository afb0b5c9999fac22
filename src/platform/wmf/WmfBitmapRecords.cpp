#include "platform/wmf/WmfPlayback.h"

#include <algorithm>
#include <cstring>

namespace glimmora::wmf {

namespace {

constexpr std::uint32_t kSrcPaint = 0xEE0086;
constexpr std::uint32_t kSrcAnd = 0x8800C6;
constexpr int kPatternStyle = 3;  // a pattern brush whose colour table holds colours, never palette indexes

// The Qt mode of a raster operation that draws a bitmap; nullopt for one that uses none.
std::optional<QPainter::CompositionMode> SourceMode(std::uint32_t rop) {
  switch (rop) {
    case 0xCC0020: return QPainter::CompositionMode_SourceOver;
    case kSrcPaint: return QPainter::RasterOp_SourceOrDestination;
    case kSrcAnd: return QPainter::RasterOp_SourceAndDestination;
    case 0x660046: return QPainter::RasterOp_SourceXorDestination;
    case 0x440328: return QPainter::RasterOp_SourceAndNotDestination;
    case 0x330008: return QPainter::RasterOp_NotSource;
    case 0x1100A6: return QPainter::RasterOp_NotSourceAndNotDestination;
    case 0xBB0226: return QPainter::RasterOp_NotSourceOrDestination;
    default: return std::nullopt;
  }
}

}  // namespace

// The part `part` of a bitmap (its rows counted from the top of its picture), decoded a band of
// rows at a time, each band counted before it is decoded: no band takes long, and a stopped load
// ends between them. A bitmap of run-length rows is counted and decoded whole. nullopt when
// the part is empty, does not decode, or passes a bound.
std::optional<QImage> Player::Decode(const Bitmap& bitmap, QRect part) {
  part = part.intersected(QRect(0, 0, bitmap.Width(), bitmap.Height()));
  if (part.isEmpty()) return std::nullopt;
  // An old monochrome bitmap shows its set bits in the background colour and the others in the
  // text colour.
  const auto rows = [&](int top, int count) {
    return bitmap.Rows(top, count, state_.text.rgb(), state_.background.rgb(), state_.palette);
  };
  const double rowCost = kDecodeCost * bitmap.Width();
  if (!bitmap.Banded()) {
    if (!budget_.Afford(rowCost * bitmap.Height())) return std::nullopt;
    const std::optional<QImage> whole = rows(0, bitmap.Height());
    if (!whole) return std::nullopt;
    return whole->copy(part);
  }
  const int band = static_cast<int>(std::clamp(kPieceCost / rowCost, 1.0, static_cast<double>(part.height())));
  if (band == part.height()) {
    if (!budget_.Afford(rowCost * band)) return std::nullopt;
    std::optional<QImage> got = rows(part.top(), band);
    if (!got || part.width() == bitmap.Width()) return got;
    return got->copy(part.left(), 0, part.width(), band);
  }
  QImage out(part.size(), QImage::Format_RGB32);
  if (out.isNull()) return std::nullopt;
  for (int top = part.top(); top <= part.bottom(); top += band) {
    const int count = std::min(band, part.bottom() + 1 - top);
    if (!budget_.Afford(rowCost * count)) return std::nullopt;
    const std::optional<QImage> got = rows(top, count);
    if (!got || got->format() != QImage::Format_RGB32 || got->width() != bitmap.Width() || got->height() != count)
      return std::nullopt;
    for (int y = 0; y < count; ++y)
      std::memcpy(out.scanLine(top - part.top() + y), got->constScanLine(y) + 4 * part.left(),
                  4 * static_cast<std::size_t>(part.width()));
  }
  return out;
}

// A pattern brush's bitmap. A tile larger than the picture shows only its top-left part there,
// so only that part is decoded and kept.
Brush Player::PatternBrush(const Record& r) {
  Brush brush;
  brush.style = 5;
  if (r.Words() < 2 || measuring_) return brush;
  // Whatever the style says, the bitmap is a DIB; the bitmap style only forbids palette indexes.
  const bool indexes = r.U16(0) != kPatternStyle && r.U16(1) == 1;
  const std::optional<Bitmap> bitmap = Bitmap::Read(r.BytesFrom(2), indexes ? Bits::DibOfPaletteIndexes : Bits::Dib);
  if (!bitmap) return brush;
  if (std::optional<QImage> image = Decode(*bitmap, QRect(0, 0, width_, height_))) brush.pattern = std::move(*image);
  return brush;
}

// Old and DIB blits share their fields; without a bitmap a reserved word follows the source
// position and the blit fills with the brush.
void Player::BitBlt(const Record& r, Bits bits) {
  if (r.Words() == 9) return PatBlt(r.U32(0), r.I16(8), r.I16(7), r.I16(6), r.I16(5));
  if (r.Words() < 8) return;
  Blit(r.U32(0), r.BytesFrom(8), bits, QRect(r.I16(3), r.I16(2), r.I16(5), r.I16(4)), r.I16(7), r.I16(6),
       r.I16(5), r.I16(4));
}

void Player::StretchBlt(const Record& r, Bits bits) {
  if (r.Words() == 11) return PatBlt(r.U32(0), r.I16(10), r.I16(9), r.I16(8), r.I16(7));
  if (r.Words() < 10) return;
  Blit(r.U32(0), r.BytesFrom(10), bits, QRect(r.I16(5), r.I16(4), r.I16(3), r.I16(2)), r.I16(9), r.I16(8),
       r.I16(7), r.I16(6));
}

// Fills a rectangle by a raster operation that uses no bitmap (brush, black, white, inverse).
void Player::PatBlt(std::uint32_t rop, int x, int y, int w, int h) {
  const QRectF rect = QRectF(Map(x, y), Map(x + w, y + h)).normalized();
  InPieces(rect, prices_.Area(rect, BrushCost()), {}, [&] {
    painter_.save();
    painter_.setPen(Qt::NoPen);
    switch (rop) {
      case 0x000042: painter_.fillRect(rect, Qt::black); break;
      case 0xFF0062: painter_.fillRect(rect, Qt::white); break;
      case 0x550009:
        painter_.setCompositionMode(QPainter::RasterOp_NotDestination);
        painter_.fillRect(rect, Qt::black);
        break;
      case 0x5A0049:
        painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter_.fillRect(rect, CurrentBrush());
        break;
      case 0xAA0029: break;  // leaves the picture as it is
      default: painter_.fillRect(rect, CurrentBrush()); break;
    }
    painter_.restore();
  });
}

// Draws the part `src` of a bitmap (its y counted as the bitmap stores its rows) into the
// logical rectangle at (x, y) of w x h; a negative width or height mirrors the bitmap.
void Player::Blit(std::uint32_t rop, std::span<const std::uint8_t> bytes, Bits bits, QRect src, int x, int y, int w,
                  int h) {
  if (SourceMode(rop) == std::nullopt && rop != 0xC000CA) return PatBlt(rop, x, y, w, h);
  const QPointF p1 = Map(x, y);
  const QPointF p2 = Map(x + w, y + h);
  const QRectF target = QRectF(p1, p2).normalized();
  // The record is counted before the bitmap is read, and each band of the bitmap before it is
  // decoded; only the rows and columns the blit shows are decoded.
  if (!Charge(target, 0)) return;
  const double drawCost = prices_.Area(target, kImageCost) - kShapeCost;
  const std::optional<Bitmap> bitmap = Bitmap::Read(bytes, bits);
  if (!bitmap) return;
  if (bitmap->FromBottom()) src.moveTop(bitmap->Height() - src.top() - src.height());
  const std::optional<QImage> image = Decode(*bitmap, src.normalized());
  if (!image) return;
  QImage part = image->mirrored(p2.x() < p1.x(), p2.y() < p1.y());
  // Office suites write a partly transparent bitmap as two: a grey mask OR-ed onto the picture, then
  // the bitmap AND-ed onto the same place. Played bit by bit the two leave false colours and black
  // where the bitmap is see-through; the mask is meant as the bitmap's opacity, so it is drawn so.
  if (rop == kSrcPaint) {
    if (!budget_.Afford(drawCost)) return;
    DrawPendingMask();
    pendingMask_.emplace(PendingMask{std::move(part), target});
    return;
  }
  if (rop == kSrcAnd && pendingMask_ && pendingMask_->target == target && pendingMask_->mask.size() == part.size()) {
    if (!budget_.Afford(kDecodeCost * part.width() * part.height())) return;
    QImage blended = part.convertToFormat(QImage::Format_ARGB32);
    for (int row = 0; row < blended.height(); ++row) {
      QRgb* px = reinterpret_cast<QRgb*>(blended.scanLine(row));
      for (int col = 0; col < blended.width(); ++col)
        px[col] = (px[col] & 0xFFFFFF) | (static_cast<QRgb>(qGray(pendingMask_->mask.pixel(col, row))) << 24);
    }
    pendingMask_.reset();
    if (budget_.Afford(drawCost)) painter_.drawImage(target, blended);
    return;
  }
  DrawPendingMask();
  InPieces(target, drawCost, {}, [&] { DrawImage(rop, target, part); });
}

void Player::DrawImage(std::uint32_t rop, const QRectF& target, const QImage& image) {
  painter_.save();
  painter_.setCompositionMode(SourceMode(rop).value_or(QPainter::CompositionMode_SourceOver));
  painter_.drawImage(target, image);
  painter_.restore();
}

// A mask not followed by its bitmap is drawn as the file says: OR-ed onto the picture.
void Player::DrawPendingMask() {
  if (!pendingMask_) return;
  DrawImage(kSrcPaint, pendingMask_->target, pendingMask_->mask);
  pendingMask_.reset();
}

}  // namespace glimmora::wmf
