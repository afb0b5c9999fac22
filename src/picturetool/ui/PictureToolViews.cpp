#include "picturetool/ui/PictureToolViews.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>

#include "platform/RasterImages.h"

namespace glimmora {

PictureView::PictureView(PictureToolModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("ImageS");
  setCursor(Qt::CrossCursor);
}

void PictureView::SetReducedImage(QImage image) {
  reduced_ = std::move(image);
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (!reduced_.isNull()) p.drawImage(0, 0, reduced_);
  // The frame in two strokes, white under black dashes, so it shows on any picture.
  const FrameRect& f = model_.Frame();
  const QRectF r(f.left, f.top, f.width, f.height);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Qt::white, 1, Qt::SolidLine));
  p.drawRect(r);
  p.setPen(QPen(Qt::black, 1, Qt::DashLine));
  p.drawRect(r);
}

void PictureView::mousePressEvent(QMouseEvent* event) {
  model_.MouseDown();
  event->accept();
}

void PictureView::mouseMoveEvent(QMouseEvent* event) {
  const QPointF pos = event->position();
  model_.MouseMove((event->buttons() & Qt::RightButton) != 0, pos.x(), pos.y());
  update();
  emit FrameMoved();
}

void PictureView::mouseReleaseEvent(QMouseEvent* event) {
  model_.MouseUp();
  event->accept();
  update();
  emit DragEnded();
}

PreviewBox::PreviewBox(PictureToolModel& model, QWidget* parent) : QWidget(parent), model_(model) {
  setObjectName("PictureD");
  setFixedSize(kPreviewWidth, kPreviewHeight);
  setCursor(Qt::PointingHandCursor);
}

void PreviewBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, ImageFromRaster(model_.Preview()));
}

void PreviewBox::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  model_.PickMaskColour(pos.x(), pos.y());
  event->accept();
  emit ColourPicked();
}

}  // namespace glimmora
