#pragma once
// The player of a metafile's records onto a picture. Its work is spread over files by record
// family: dispatch, state and objects (WmfDispatch.cpp), mapping and drawing in pieces
// (WmfMapping.cpp), shapes, pens and brushes (WmfShapeRecords.cpp), text (WmfTextRecords.cpp),
// clipping, regions and flood fills (WmfRegionRecords.cpp), bitmaps and blits
// (WmfBitmapRecords.cpp).

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QRectF>
#include <QRegion>
#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "platform/wmf/WmfCosts.h"
#include "platform/wmf/WmfObjects.h"
#include "platform/wmf/WmfPlayer.h"
#include "platform/wmf/WmfRecord.h"
#include "platform/wmf/WorkBudget.h"

namespace glimmora::wmf {

constexpr int kCopyPen = 13;  // the pen and brush replace the picture's pixels

// The drawing state that SaveDC keeps and RestoreDC brings back.
struct State {
  Pen pen;
  Brush brush;
  Font font;
  Palette palette;
  QColor text = Qt::black;
  QColor background = Qt::white;
  bool opaque = true;
  bool winding = false;
  unsigned align = 0;
  int breakExtra = 0;  // logical units the text's spaces share
  int breakCount = 0;
  int rop2 = kCopyPen;  // how pen and brush combine with the picture
  int mapMode = 1;
  QPointF winOrg;
  QPointF winExt{1, 1};
  QPointF vpOrg;                  // in the file's device units
  std::optional<QPointF> vpExt;   // none: the whole picture
  QPointF pos;
  bool clipped = false;
  QRegion clip;
};

// Where the picture's frame lies in logical units, and its size in pixels; `shift` moves what is
// drawn on the picture (a file sized by what it draws starts where its drawing starts).
struct Frame {
  int width = 0;
  int height = 0;
  QPointF org;
  QPointF ext;
  QPointF shift;
};

class Player {
 public:
  using Clock = WorkBudget::Clock;

  // With `measuring` nothing is drawn: the player only gathers the bounds of what would be.
  Player(QImage& image, const Frame& frame, std::size_t objects, const WmfBudget& budget, Clock::time_point start,
         bool measuring = false);

  void Play(RecordWalker& walker, WmfPicture& out);

  bool Drawn() const { return drawn_; }
  double Work() const { return budget_.Work(); }
  // What a measuring player found the records draw, in pixels of a picture at one unit a pixel.
  const QRectF& Bounds() const { return bounds_; }

 private:
  using Bits = Bitmap::Kind;
  using Paint = std::function<void()>;

  void Dispatch(const Record& r);

  // Mapping, and what is drawn counted before it is drawn.
  void Rescale();
  QPointF ViewportExt() const;
  static QPointF Scaled(QPointF ext, const Record& r);
  QPointF Map(double x, double y) const;
  QPointF Map(QPointF p) const { return Map(p.x(), p.y()); }
  QRect DeviceRect(QPointF a, QPointF b) const;
  bool Charge(const QRectF& device, double perPixel = 1, double extra = 0);
  void InPieces(const QRectF& device, double cost, const std::vector<double>& rowCost, const Paint& paint);

  // Pens, brushes and shapes.
  double BrushCost() const;
  QPen CurrentPen(const QRectF& bounds) const;
  QBrush CurrentBrush() const;
  static QPainter::CompositionMode PenMode(int rop2);
  void Shape(const QRectF& bounds, bool filled, const Paint& draw, double edgeCost = 0,
             const std::vector<double>& rowCost = {});
  void PaintShape(const QRectF& bounds, bool filled, const QPen& pen, const Paint& draw);
  void LineTo(QPointF to);
  QPolygonF Points(const Record& r, std::size_t firstWord, std::size_t count);
  void Poly(const Record& r, bool closed);
  void PolyPolygon(const Record& r);
  void Box(std::uint16_t function, const QRectF& bounds, double rx, double ry);
  double BoxEdgesCost(const QRectF& rect, bool filled) const;
  void ArcFamily(const Record& r);
  void SetPixel(QPointF at, const QColor& colour);

  // Text.
  void TextOut(const Record& r);
  void ExtTextOut(const Record& r);
  const QFont& CurrentFont();
  QFont MakeFont() const;
  void DrawText(QPointF at, std::span<const std::uint8_t> bytes, const std::vector<int>& dx, unsigned options,
                const QRectF* rect);

  // State, clipping, regions and objects.
  void RestoreDc(int which);
  void ClipRect(const Record& r);
  void ApplyClip();
  bool AffordArea(const QRegion& area, double times = 1);
  std::optional<QRegion> DeviceRegion(Region& region);
  void SelectClip(Region* region);
  void OffsetClip(int x, int y);
  std::pair<Region*, const Brush*> RegionAndBrush(const Record& r, std::size_t at);
  void FrameRegion(const Record& r);
  void PaintArea(const std::optional<QRegion>& area, const Brush& brush);
  void FloodFill(int x, int y, std::uint32_t colour, bool surface);
  void InvertArea(const std::optional<QRegion>& area);
  template <class T>
  T* ObjectAt(std::size_t index) {
    if (index >= table_.size() || !table_[index]) return nullptr;
    return std::get_if<T>(&*table_[index]);
  }
  void Select(std::size_t index);
  void AddObject(Object object);

  // Bitmaps and blits.
  std::optional<QImage> Decode(const Bitmap& bitmap, QRect part);
  Brush PatternBrush(const Record& r);
  void BitBlt(const Record& r, Bits bits);
  void StretchBlt(const Record& r, Bits bits);
  void PatBlt(std::uint32_t rop, int x, int y, int w, int h);
  void Blit(std::uint32_t rop, std::span<const std::uint8_t> bytes, Bits bits, QRect src, int x, int y, int w, int h);
  void DrawImage(std::uint32_t rop, const QRectF& target, const QImage& image);
  void DrawPendingMask();

  const QImage& image_;  // read by flood fills
  QPainter painter_;
  const int width_;
  const int height_;
  const QPointF shift_;
  const Prices prices_;
  const bool measuring_;
  WorkBudget budget_;
  QRectF bounds_;
  State state_;
  std::vector<State> saved_;
  std::vector<std::optional<Object>> table_;
  std::size_t firstFree_ = 0;
  double sx_ = 1;
  double sy_ = 1;
  double ox_ = 0;
  double oy_ = 0;
  std::optional<QPointF> vpUnit_;  // pixels per device unit of the file, from its first viewport extent
  bool drawn_ = false;
  struct FontCache {
    Font font;
    double sx;
    double sy;
    QFont qfont;
    QFontMetricsF metrics;
  };
  std::optional<FontCache> fontCache_;
  struct PendingMask {
    QImage mask;
    QRectF target;
  };
  std::optional<PendingMask> pendingMask_;
};

}  // namespace glimmora::wmf
