#include "source/ui/SourcePage.h"

#include <QVBoxLayout>

#include "scan/IconWalker.h"
#include "common/Paths.h"
#include "source/ui/IconPane.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/PathBoxPanel.h"
#include "source/ui/SourcePanel.h"

namespace glimmora {

SourcePage::SourcePage(AppState& state, Prompter& prompter, PictureConverter* pictures, QWidget* parent)
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

  IconPaneEnv icons;
  icons.Lang = &state_.LangStr;
  icons.Ask = &prompter;
  icons.Params = &state_;
  icons.Keys = &state_;
  icons.TypeNames = &state_.IcoTypeName;
  icons.AppPath = state_.AppPath;
  icons.AppTitle = state_.AppTitle;
  icons.Pattern = ReadSearchPattern(JoinPath(state_.AppPath, "IconHead.dat"));
  icons.Pictures = pictures;
  icons_ = new IconPane(std::move(icons));
  panel_->SetIconPane(icons_, icons_);
  icons_->SetFileList(&panel_->Files());
  icons_->SetProgressBar(panel_->Files().ProgressBarS());
  icons_->SetCheckMarks(
      [this](const std::string& name, bool checked) { panel_->Files().SetFileChecked(name, checked); });
  panel_->SetSavedPaneSizes(state_.Panes.TreeViewSWidth, state_.Panes.ListViewFileHeight);
  panel_->Path().SetPathHistory(state_.PathHistory, state_.PathText);
}

void SourcePage::StorePaneSizes(PaneSizes& sizes) const { panel_->StorePaneSizes(sizes); }

void SourcePage::StoreExitState() {
  state_.PathHistory = panel_->Path().PathHistory();
  state_.PathText = panel_->Path().PathText();
}

}  // namespace glimmora
