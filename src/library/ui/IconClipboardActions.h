#pragma once
// The icon clipboard's commands: moving its icons into the library selected in the tree,
// exporting, selecting and deleting them, copying one to the system clipboard, listing them again,
// and opening one in the icon editor. Its list is listed again before the user acts on it when the
// editor may have changed the files.

#include <QObject>

#include "library/LibraryCommands.h"
#include "library/ui/LibraryPageContext.h"

namespace glimmora {

class LibraryPaneActions;

class IconClipboardActions : public QObject {
  Q_OBJECT
 public:
  IconClipboardActions(LibraryPageContext& ctx, LibraryPaneActions& pane, QObject* parent = nullptr);

  void RunClipboardCommand(ClipCommand command);
  void SelectClipIco();
  void ShowToolTip();
  // Moves the selected (or all) icons into the library or category selected in the tree.
  void MoveIcoToLib(bool allIco);
  // The current icon of the clipboard on the system clipboard.
  void CopyIcotoSysClipBoard(int size);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  LibraryPageContext& ctx_;
  LibraryPaneActions& pane_;
};

}  // namespace glimmora
