#include "mainwindow/ui/SourcePage.h"

#include <QVBoxLayout>

#include "source/ui/SourcePage.h"

namespace glimmora {

SourcePage::SourcePage(AppState& state, Prompter& prompter, QWidget* parent)
    : MainPage(parent), state_(state) {
  setObjectName("FrameS");
  SourcePanelEnv env;
  env.Lang = &state_.LangStr;
  env.Ask = &prompter;
  env.Keys = &state_;
  env.AppPath = state_.AppPath;
  panel_ = new SourcePanel(std::move(env), this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(panel_);
  panel_->SetSavedPaneSizes(state_.Panes.TreeViewSWidth, state_.Panes.ListViewFileHeight);
  panel_->SetPathHistory(state_.PathHistory, state_.PathText);
}

void SourcePage::StorePaneSizes(PaneSizes& sizes) const { panel_->StorePaneSizes(sizes); }

void SourcePage::StoreExitState() {
  state_.PathHistory = panel_->PathHistory();
  state_.PathText = panel_->PathText();
}

}  // namespace glimmora
