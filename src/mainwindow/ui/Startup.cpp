#include "mainwindow/ui/Startup.h"

#include <QApplication>
#include <QMainWindow>

namespace glimmora {
int RunGlimmora(QApplication& app) {
  QMainWindow window;
  window.setWindowTitle("Glimmora");
  window.resize(1280, 800);
  window.show();
  return app.exec();
}
}  // namespace glimmora
