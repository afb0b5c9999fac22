#include "mainwindow/ui/LibraryPage.h"

namespace glimmora {

LibraryPage::LibraryPage(AppState& state, QWidget* parent) : MainPage(parent), state_(state) {
  setObjectName("FrameL");
}

}  // namespace glimmora
