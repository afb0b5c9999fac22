#pragma once
// The source files page of the main window (FrameS).

#include "mainwindow/AppState.h"
#include "mainwindow/ui/MainPage.h"

namespace glimmora {

class SourcePage : public MainPage {
  Q_OBJECT
 public:
  explicit SourcePage(AppState& state, QWidget* parent = nullptr);

 private:
  AppState& state_;
};

}  // namespace glimmora
