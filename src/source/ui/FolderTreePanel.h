#pragma once
// The folder tree of the source panel: builds it from the roots, reads a folder's next level when
// it is expanded, and walks to the folder typed in the path box. A folder chosen either way is
// listed in the file list and recorded in the path box's history.

#include <QObject>
#include <memory>
#include <string>

#include "settings/Panes.h"
#include "source/ui/SourcePanelEnv.h"

class QModelIndex;
class QWidget;

namespace glimmora {

class FileListPanel;
class FolderTree;
class FolderTreeModel;
class FolderTreeView;
class PathBoxPanel;

class FolderTreePanel : public QObject {
  Q_OBJECT
 public:
  FolderTreePanel(const SourcePanelEnv& env, FolderReader& reader, FileListPanel& files, PathBoxPanel& path,
                  QObject* parent = nullptr);
  ~FolderTreePanel() override;

  // Builds the tree; `setup` true reads no volume (start-up), false reads every volume's first
  // level.
  void ResetTreeViewS(bool setup);
  // The tree's click: lists the selected folder, reads the next level after an expand, records
  // the folder in the path history.
  void ListSelectedFolder();
  // Walks the tree to the folder typed or picked in the path box and lists it; `setupMod` (the
  // start-up) offers no retry.
  void GoToTypedPath(bool setupMod);
  // Commands of the tree's menu.
  void CollapseFolderTree();  // collapse the roots, empty the file list and the icon pane
  // Rebuilds with every volume's first level and lists the folder again; `treeDirty` is the main
  // window's TreeViewSDirty (the page was not shown since the tree was last built).
  void RefreshFolderTree(bool treeDirty = false);
  void GotoCurrentFolder();  // scroll to and expand the selected node
  // Adds the nodes of an existing folder below its volume (or the user folder holding it).
  void AddPathToTree(const std::string& folder);
  std::string SelectedNodeKey() const;

  QWidget* TreeViewS() const;
  FolderTree& Tree() const { return *tree_; }
  FolderTreeModel* TreeModel() const { return model_; }

 signals:
  // Right button on the tree.
  void PopupRequested(glimmora::Pane pane);
  // The selected node changed: the caption is to be refreshed.
  void CaptionChanged();

 private:
  void ExpandQuietly(int node);
  void SelectNode(int node);
  int SelectedNode() const;
  void OnTreeExpanded(const QModelIndex& index);
  void AddToPathHistory(const std::string& trkey);
  // Offers `what` again after `error` (a folder not found, no device, no permission).
  bool RetryOrCancel(const std::string& what, FsError error);
  int WalkToFolder(const std::string& folder);

  const SourcePanelEnv& env_;
  FolderReader& reader_;
  FileListPanel& files_;
  PathBoxPanel& path_;
  std::unique_ptr<FolderTree> tree_;
  FolderTreeModel* model_ = nullptr;
  FolderTreeView* view_ = nullptr;

  bool expanding_ = false;    // an expand waits for its click to read the next level
  bool quietExpand_ = false;  // the program expands a node: no expand-click
  std::string lastFolderPath_;
  int lastFileCount_ = -1;
};

}  // namespace glimmora
