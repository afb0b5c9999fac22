#include "mainwindow/ui/WebSitePage.h"

namespace glimmora {

WebSitePage::WebSitePage(AppState& state, QWidget* parent) : MainPage(parent), state_(state) {
  setObjectName("FrameW");
}

}  // namespace glimmora
