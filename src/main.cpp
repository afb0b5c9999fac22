// Glimmora: find, keep and catalogue icons.
#include <QApplication>

#include "mainwindow/ui/Startup.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  return glimmora::RunGlimmora(app);
}
