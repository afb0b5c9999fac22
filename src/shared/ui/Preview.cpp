#include "shared/ui/Preview.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPixmap>
#include <QScreen>

namespace glimmora {

namespace {
constexpr int kCaptionHeight = 18;
}

RealSizePreview::RealSizePreview(QWidget* parent)
    : QWidget(parent, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setObjectName("FormIcoRealSize");
  setStyleSheet("QWidget#FormIcoRealSize { background: white; border: 1px solid gray; }");
  caption_ = new QLabel(this);
  caption_->setAlignment(Qt::AlignCenter);
  caption_->setStyleSheet("background: #000080; color: white;");
  picture_ = new QLabel(this);
  picture_->setObjectName("Image1");
}

void RealSizePreview::ShowImage(const QImage& image, PreviewList list, QPoint globalPos) {
  if (image.isNull()) return;
  QRect screen(0, 0, 1024, 768);
  if (QScreen* s = QGuiApplication::screenAt(globalPos); s != nullptr) {
    screen = s->geometry();
  } else if (QScreen* p = QGuiApplication::primaryScreen(); p != nullptr) {
    screen = p->geometry();
  }
  layout_ = PreviewGeometry(list, globalPos.x() - screen.x(), globalPos.y() - screen.y(), image.width(),
                            image.height(), screen.width(), screen.height());
  caption_->setText(QString::fromStdString(layout_.Caption));
  caption_->setGeometry(0, 0, layout_.Width, kCaptionHeight);
  picture_->setPixmap(QPixmap::fromImage(image));
  picture_->setGeometry(layout_.ImageLeft + 3, kCaptionHeight + 1, image.width(), image.height());
  setGeometry(screen.x() + layout_.X, screen.y() + layout_.Y, layout_.Width, layout_.Height);
  show();
  raise();
}

QString RealSizePreview::Caption() const { return caption_->text(); }

}  // namespace glimmora
