#include "websites/ui/WebSitePage.h"

#include <QVBoxLayout>

#include "websites/ui/WebSitePanel.h"

namespace glimmora {

WebSitePage::WebSitePage(AppState& state, Prompter& prompter, WebOpener& opener, QWidget* parent)
    : MainPage(parent), state_(state) {
  setObjectName("FrameW");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  panel_ = new WebSitePanel(state_.LangStr, prompter, opener, state_.AppPath, this);
  layout->addWidget(panel_);
  panel_->SetListHeightTwips(state_.Panes.ListViewWebSiteHeight);
}

void WebSitePage::StorePaneSizes(PaneSizes& sizes) const {
  sizes.ListViewWebSiteHeight = TwipsToInteger(panel_->ListHeightTwips());
}

}  // namespace glimmora
