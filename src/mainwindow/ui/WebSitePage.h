#pragma once
// The web sites page of the main window (FrameW).

#include "mainwindow/AppState.h"
#include "mainwindow/ui/MainPage.h"

namespace glimmora {

class WebSitePage : public MainPage {
  Q_OBJECT
 public:
  explicit WebSitePage(AppState& state, QWidget* parent = nullptr);

 private:
  AppState& state_;
};

}  // namespace glimmora
