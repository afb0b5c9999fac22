#pragma once
// The library tree and the recent-library box under it: a node clicked or reached with the keys
// opens its library in the pane, the tree menu's commands (new and delete library, collapse,
// expand, reload, go to the selected node), and a library picked by name from the recent box.

#include <QObject>
#include <QPointer>

#include "library/LibraryCommands.h"
#include "library/ui/LibraryPageContext.h"

class QTreeWidgetItem;

namespace glimmora {

class LibraryManagerDialog;
class LibraryPaneActions;

class LibraryTreeActions : public QObject {
  Q_OBJECT
 public:
  LibraryTreeActions(LibraryPageContext& ctx, LibraryPaneActions& pane, QObject* parent = nullptr);
  ~LibraryTreeActions() override;

  void ResetTreeViewL();
  void RunLibraryTreeCommand(LibTreeCommand command);
  void NodeClick();
  // Opens the library named in the recent-library box.
  void OpenRecentLibrary();
  LibraryManagerDialog* Manager() const;

 signals:
  // The tree's selection changed what the window caption shows.
  void CaptionChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  LibraryPageContext& ctx_;
  LibraryPaneActions& pane_;
  QPointer<LibraryManagerDialog> manager_;
  QTreeWidgetItem* justLoaded_ = nullptr;
};

}  // namespace glimmora
