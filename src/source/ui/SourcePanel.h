#pragma once
// SourcePanel, the main window's source page (FrameS) as laid out: the folder tree with the path
// box under it on the left, the file list over the icon pane on the right, split by two splitters
// whose sizes it keeps. The three parts do their own work (FolderTreePanel, PathBoxPanel,
// FileListPanel); the icon pane is a widget of its own that plugs in through SetIconPane (a
// placeholder stands there until then).

#include <QWidget>
#include <memory>

#include "settings/ConfigFile.h"
#include "settings/PaneTwips.h"
#include "source/SourceLinks.h"
#include "source/ui/SourcePanelEnv.h"

class QSplitter;

namespace glimmora {

class DiskFolderReader;
class FileListPanel;
class FolderTreePanel;
class PathBoxPanel;

class SourcePanel : public QWidget {
  Q_OBJECT
 public:
  explicit SourcePanel(SourcePanelEnv env, QWidget* parent = nullptr);
  ~SourcePanel() override;

  FolderTreePanel& Folders() const { return *folders_; }
  PathBoxPanel& Path() const { return *path_; }
  FileListPanel& Files() const { return *files_; }

  // The icon pane: `pane` takes the placeholder's place (the page takes ownership); `link` is
  // what the file list calls. Either may be null to go back to the placeholder / no pane.
  void SetIconPane(QWidget* pane, IconPaneLink* link);

  // Saved sizes, judged by the acceptance rules against the page's size once it is laid out.
  void SetSavedPaneSizes(int treeWidthTwips, int fileListHeightTwips);
  int TreeWidthTwips() const;
  int FileListHeightTwips() const;
  void StorePaneSizes(PaneSizes& sizes) const;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  void ApplySavedSizes();

  SourcePanelEnv env_;
  std::unique_ptr<DiskFolderReader> diskReader_;  // reads the tree when the env gives no reader
  // Destroyed before the widgets they made: their views report focus changes while they go.
  std::unique_ptr<PathBoxPanel> path_;
  FileListPanel* files_ = nullptr;  // a widget of the page
  std::unique_ptr<FolderTreePanel> folders_;
  QSplitter* vertical_ = nullptr;    // tree | lists
  QSplitter* horizontal_ = nullptr;  // file list / icon pane
  QWidget* iconSlot_ = nullptr;
  QWidget* iconPane_ = nullptr;

  int savedTreeTwips_ = 0;
  int savedListTwips_ = 0;
  bool sizesPending_ = true;
  ShownPaneSize shownTree_;
  ShownPaneSize shownList_;
  bool treeMoved_ = false;  // the user dragged the splitter since start-up
  bool listMoved_ = false;
};

}  // namespace glimmora
