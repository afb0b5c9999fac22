#include "mainwindow/ui/SplashWindow.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>

namespace glimmora {
namespace {
constexpr int kWidth = 480;
constexpr int kHeight = 300;
}  // namespace

SplashWindow::SplashWindow(const QString& title, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint) {
  setObjectName("GlimmoraSplash");
  // A key press unloads the window; the about box then loads it again with the current title.
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(title);
  setFixedSize(kWidth, kHeight);
  setFocusPolicy(Qt::StrongFocus);
  CentreOnScreen();
}

void SplashWindow::CentreOnScreen() {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.x() + (area.width() - width()) / 2, area.y() + (area.height() - height()) / 2);
}

void SplashWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, height());
  sky.setColorAt(0, QColor(28, 44, 86));
  sky.setColorAt(1, QColor(8, 14, 30));
  p.fillRect(rect(), sky);

  // A scatter of small "icons" glimmering on the dark ground.
  const QColor colours[] = {QColor(255, 204, 64), QColor(96, 200, 255), QColor(255, 120, 96),
                            QColor(140, 230, 120), QColor(220, 150, 255)};
  int k = 0;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 10; ++col, ++k) {
      const int size = 8 + (k * 7) % 17;
      const int x = 24 + col * 44 + (row % 2) * 18;
      const int y = 24 + row * 34 + (k * 13) % 11;
      QColor c = colours[k % 5];
      c.setAlpha(90 + (k * 37) % 160);
      p.setPen(Qt::NoPen);
      p.setBrush(c);
      p.drawRoundedRect(x, y, size, size, 3, 3);
    }
  }

  QFont big = font();
  big.setPointSize(34);
  big.setBold(true);
  p.setFont(big);
  p.setPen(QColor(255, 230, 150));
  p.drawText(QRect(0, height() - 130, width(), 60), Qt::AlignCenter, QStringLiteral("Glimmora"));
  QFont small = font();
  small.setPointSize(11);
  p.setFont(small);
  p.setPen(QColor(200, 210, 230));
  p.drawText(QRect(0, height() - 70, width(), 30), Qt::AlignCenter,
             QStringLiteral("find, keep and catalogue icons"));
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
  event->accept();
  close();
}

}  // namespace glimmora
