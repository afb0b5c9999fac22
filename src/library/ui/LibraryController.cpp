#include "library/ui/LibraryController.h"

#include "common/Paths.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/IconClipboardActions.h"
#include "library/ui/KeywordRowActions.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryPage.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTree.h"
#include "library/ui/LibraryTreeActions.h"
#include "settings/AppState.h"
#include "shared/ui/Preview.h"

namespace glimmora {

LibraryController::LibraryController(LibraryPage& page, AppState& state, QObject* parent)
    : QObject(parent), ctx_(page, state) {
  const std::string app = state.AppPath;
  ctx_.Tree = new LibraryTree(page.TreeViewL(), JoinPath(app, "IconLib"), state.LangStr, this);
  ctx_.Clip = new ClipboardPane(page.ListViewIcoClipboard(), page.StatusPanel(1), JoinPath(app, "IconClipBoard"),
                                state.LangStr, state.ClipGrpSize, this);
  ctx_.Icons = new LibIconList(page.ListViewLIco(), JoinPath(app, "LibIconTemp"), state.LangStr, this);
  ctx_.Preview = new RealSizePreview(&page);
  pane_ = std::make_unique<LibraryPaneActions>(ctx_);
  tree_ = std::make_unique<LibraryTreeActions>(ctx_, *pane_);
  clip_ = std::make_unique<IconClipboardActions>(ctx_, *pane_);
  keywords_ = std::make_unique<KeywordRowActions>(ctx_, *pane_);

  connect(ctx_.Clip, &ClipboardPane::SwitchesChanged, this, &LibraryController::SwitchesChanged);
  connect(pane_.get(), &LibraryPaneActions::SwitchesChanged, this, &LibraryController::SwitchesChanged);
  connect(pane_.get(), &LibraryPaneActions::CaptionChanged, this, &LibraryController::CaptionChanged);
  connect(tree_.get(), &LibraryTreeActions::CaptionChanged, this, &LibraryController::CaptionChanged);
  connect(keywords_.get(), &KeywordRowActions::CaptionText, this, &LibraryController::CaptionText);
}

LibraryController::~LibraryController() = default;

void LibraryController::Detach() {
  ctx_.Detached = true;
  blockSignals(true);
}

void LibraryController::SetServices(LibraryServices services) { ctx_.Services = std::move(services); }

void LibraryController::Start() {
  tree_->ResetTreeViewL();
  ctx_.Clip->RelistIconClipboard(false);
  pane_->SelectLibIco();
}

}  // namespace glimmora
