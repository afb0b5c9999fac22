#pragma once
// The two picture surfaces of the picture-to-icon tool: the reduced view of the picture with the
// selection frame over it (ImageS and ShapeGet), and the icon preview that a click picks the
// transparent colour from (PictureD). Both draw the tool's model and pass the mouse on to it.

#include <QImage>
#include <QWidget>
#include <functional>

#include "picturetool/PictureToolModel.h"

namespace glimmora {

class PictureView : public QWidget {
  Q_OBJECT
 public:
  PictureView(PictureToolModel& model, QWidget* parent = nullptr);

  // The reduced copy of the model's picture, made again after every load.
  void SetReducedImage(QImage image);

 signals:
  // The frame changed while dragging (the selection label follows it).
  void FrameMoved();
  // A drag ended: the part was copied again.
  void DragEnded();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  PictureToolModel& model_;
  QImage reduced_;
};

class PreviewBox : public QWidget {
  Q_OBJECT
 public:
  PreviewBox(PictureToolModel& model, QWidget* parent = nullptr);

 signals:
  void ColourPicked();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  PictureToolModel& model_;
};

}  // namespace glimmora
