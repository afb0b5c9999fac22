#pragma once
// The icon libraries page of the main window (FrameL).

#include "mainwindow/AppState.h"
#include "mainwindow/ui/MainPage.h"

namespace glimmora {

class LibraryPage : public MainPage {
  Q_OBJECT
 public:
  explicit LibraryPage(AppState& state, QWidget* parent = nullptr);

 private:
  AppState& state_;
};

}  // namespace glimmora
