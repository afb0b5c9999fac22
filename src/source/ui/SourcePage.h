#pragma once
// The source files page of the main window (FrameS): hosts the source panel (folder tree, path
// box, file list and icon pane).

#include "common/Prompter.h"
#include "settings/AppState.h"
#include "shared/ui/MainPage.h"

namespace glimmora {

class IconPane;
class PictureConverter;
class SourcePanel;

class SourcePage : public MainPage {
  Q_OBJECT
 public:
  // `pictures` (may be null, not owned) turns picture files into icons instead of scanning them.
  SourcePage(AppState& state, Prompter& prompter, PictureConverter* pictures = nullptr, QWidget* parent = nullptr);

  SourcePanel* Panel() const { return panel_; }
  IconPane* Icons() const { return icons_; }
  void StorePaneSizes(PaneSizes& sizes) const override;
  void StoreExitState() override;

 private:
  AppState& state_;
  SourcePanel* panel_ = nullptr;
  IconPane* icons_ = nullptr;
};

}  // namespace glimmora
