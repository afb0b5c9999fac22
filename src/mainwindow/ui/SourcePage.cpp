#include "mainwindow/ui/SourcePage.h"

namespace glimmora {

SourcePage::SourcePage(AppState& state, QWidget* parent) : MainPage(parent), state_(state) {
  setObjectName("FrameS");
}

}  // namespace glimmora
