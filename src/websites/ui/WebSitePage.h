#pragma once
// The web sites page of the main window (FrameW): hosts the web-site list panel.

#include <string>

#include "common/Prompter.h"
#include "shared/WebAddress.h"
#include "settings/AppState.h"
#include "shared/ui/MainPage.h"

namespace glimmora {

class WebSitePanel;

class WebSitePage : public MainPage {
  Q_OBJECT
 public:
  WebSitePage(AppState& state, Prompter& prompter, WebOpener& opener, QWidget* parent = nullptr);

  WebSitePanel* Panel() const { return panel_; }
  void StorePaneSizes(PaneSizes& sizes) const override;

 private:
  AppState& state_;
  WebSitePanel* panel_ = nullptr;
};

}  // namespace glimmora
