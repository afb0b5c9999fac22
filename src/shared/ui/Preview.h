#pragma once
// The real-size preview: a small window with a caption over the picture at its own size, shown
// while the left button is held on an icon and hidden when it is released. It never takes the
// focus or the mouse, so the list under it keeps getting the release.

#include <QImage>
#include <QWidget>

#include "shared/PreviewGeometry.h"

class QLabel;

namespace glimmora {

class RealSizePreview : public QWidget {
  Q_OBJECT
 public:
  explicit RealSizePreview(QWidget* parent = nullptr);

  // Shows `image` for a press at `globalPos` on `list`; a null image shows nothing.
  void ShowImage(const QImage& image, PreviewList list, QPoint globalPos);
  QString Caption() const;
  const PreviewLayout& Layout() const { return layout_; }

 private:
  QLabel* caption_ = nullptr;
  QLabel* picture_ = nullptr;
  PreviewLayout layout_;
};

}  // namespace glimmora
