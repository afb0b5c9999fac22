#pragma once
// The window shown while the program starts, and again as the about box: a picture with the
// program title as its caption. Any key closes it.

#include <QWidget>

namespace glimmora {

class SplashWindow : public QWidget {
  Q_OBJECT
 public:
  explicit SplashWindow(const QString& title, QWidget* parent = nullptr);

  // Centres the window on the screen it is shown on.
  void CentreOnScreen();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace glimmora
