#pragma once
// The behaviour of the library page, by job: the tree and the recent-library box
// (LibraryTreeActions), the library pane (LibraryPaneActions), the icon clipboard
// (IconClipboardActions) and the keyword row (KeywordRowActions), over the page context they
// share. The page lays the controls out; this object makes the lists, starts the page, and tells
// the frame what changed.

#include <QObject>
#include <memory>

#include "library/ui/CommandSwitches.h"
#include "library/ui/LibraryPageContext.h"

namespace glimmora {

class IconClipboardActions;
class KeywordRowActions;
class LibraryPaneActions;
class LibraryTreeActions;

class LibraryController : public QObject {
  Q_OBJECT
 public:
  LibraryController(LibraryPage& page, AppState& state, QObject* parent = nullptr);
  ~LibraryController() override;

  void SetServices(LibraryServices services);
  // Stops watching the page's controls (the page is going).
  void Detach();
  // Start-up: the tree, the clipboard and the pane's status.
  void Start();

  LibraryTree* Tree() const { return ctx_.Tree; }
  ClipboardPane* Clip() const { return ctx_.Clip; }
  LibIconList* Icons() const { return ctx_.Icons; }
  // In the middle of a change that yields to the event loop (moving icons into a library, say).
  bool Busy() const { return ctx_.Busy; }

  LibraryTreeActions& TreeActions() const { return *tree_; }
  LibraryPaneActions& PaneActions() const { return *pane_; }
  IconClipboardActions& ClipboardActions() const { return *clip_; }
  KeywordRowActions& KeywordActions() const { return *keywords_; }

 signals:
  void SwitchesChanged(const glimmora::CommandSwitches& switches);
  // The tree's selection changed what the window caption shows.
  void CaptionChanged();
  // A caption of its own for the window (the search).
  void CaptionText(const QString& caption);

 private:
  LibraryPageContext ctx_;
  std::unique_ptr<LibraryPaneActions> pane_;
  std::unique_ptr<LibraryTreeActions> tree_;
  std::unique_ptr<IconClipboardActions> clip_;
  std::unique_ptr<KeywordRowActions> keywords_;
};

}  // namespace glimmora
