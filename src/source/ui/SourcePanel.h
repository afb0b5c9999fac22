#pragma once
// SourcePanel, everything the main window's source page (FrameS) shows: the folder tree with the
// path box under it on the left, the file list over the icon pane on the right, split by two
// splitters. The panel owns the file side; the icon pane is a widget of its own that plugs in
// through SetIconPane (a placeholder stands there until then).
//
// Commands of the menus, toolbar and keys reach the panel through its public methods; it tells
// the main window what changed through its signals.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/DriveTypes.h"
#include "text/LanguageTable.h"
#include "settings/PaneTwips.h"
#include "common/Prompter.h"
#include "settings/ModifierKeys.h"
#include "settings/ConfigFile.h"
#include "settings/Panes.h"
#include "source/FileListStatus.h"
#include "source/FolderReader.h"
#include "source/PathHistory.h"
#include "source/SourceLinks.h"

class QComboBox;
class QLabel;
class QModelIndex;
class QProgressBar;
class QSplitter;
class QStackedWidget;
class QTimer;

namespace glimmora {

class FileListModel;
class FolderTree;
class FolderTreeModel;
class FolderTreeView;
class PathBox;

// The roots of the folder tree: the volumes under My Computer and the two user folders.
struct SourceRoots {
  std::vector<Volume> Volumes;
  std::string Desktop;
  std::string Documents;
};

struct SourcePanelEnv {
  const LanguageTable* Lang = nullptr;  // required
  Prompter* Ask = nullptr;              // required
  ModifierKeys* Keys = nullptr;         // cleared before every message box when given
  std::string AppPath;                  // the program folder
  // The roots; the default reads the mounted volumes and the XDG folders.
  std::function<SourceRoots()> Roots;
  // The disk reader; the default reads the real file system. Not owned.
  FolderReader* Reader = nullptr;
};

class SourcePanel : public QWidget, public FileListLink {
  Q_OBJECT
 public:
  explicit SourcePanel(SourcePanelEnv env, QWidget* parent = nullptr);
  ~SourcePanel() override;

  // The icon pane: `pane` takes the placeholder's place (the page takes ownership); `link` is
  // what the file side calls. Either may be null to go back to the placeholder / no pane.
  void SetIconPane(QWidget* pane, IconPaneLink* link);
  // The progress bar between the file list and the icon pane, for the icon search.
  QProgressBar* ProgressBarS() const { return progress_; }

  // --- Folder tree --------------------------------------------------------------------------
  // Builds the tree; `setup` true reads no volume (start-up), false reads every volume's first
  // level.
  void ResetTreeViewS(bool setup);
  // The tree's click ("TreeViewS_Click"): lists the selected folder, reads the next level after
  // an expand, records the folder in the path history.
  void ListSelectedFolder();
  // Commands of the tree's menu.
  void CollapseFolderTree();  // collapse the roots, empty the file list and the icon pane
  // Rebuilds with every volume's first level and lists the folder again; `treeDirty` is the main
  // window's TreeViewSDirty (the page was not shown since the tree was last built).
  void RefreshFolderTree(bool treeDirty = false);
  void GotoCurrentFolder();   // scroll to and expand the selected node
  // Adds the nodes of an existing folder below its volume (or the user folder holding it).
  void AddPathToTree(const std::string& folder) override;
  void ShowFileInList(const std::string& fileName) override;
  std::string SelectedNodeKey() const;

  // --- Path box -----------------------------------------------------------------------------
  // Walks the tree to the folder typed or picked in the path box and lists it (the path box's
  // "ImageCobomKeyup").
  void GoToTypedPath(bool setupMod);
  void AddToPathHistory(const std::string& trkey);
  std::vector<PathEntry> PathHistory() const;
  std::string PathText() const;
  void SetPathHistory(const std::vector<PathEntry>& items, const std::string& text);

  // --- File list ----------------------------------------------------------------------------
  // Lists `folder` (FileViewFile_PathChange): fill, then status.
  void ShowFolder(const std::string& folder);
  std::string CurrentFolder() const override { return fileFolder_; }
  std::vector<ListedFile> ListedFiles() const override;
  void SetFoundIcons(const std::string& fileName, const FoundIcons& found) override;
  // Ticks or clears the row of `fileName` as the program (no search; the status is recomputed).
  void SetFileChecked(const std::string& fileName, bool checked);
  void SelectIcoSourceIco() override;
  DeleteOutcome DeleteCheckedFiles(bool ask) override;
  DeleteOutcome MoveCheckedFilesOut(int limit) override;
  // Commands of the file menu.
  void SelectAllFiles();
  void CancelFileSelection();
  void InvertFileTicks();     // invert every check box
  void RemoveCheckedFiles();  // from the list only; DeleteCheckedFiles(true) from the disk too
  // View of the file list: 0 report, 1 list, 2 large icons (one model, one selection).
  void SetFileViewMode(ListViewMode mode);
  // The last computed status (panel texts and enabling).
  const FileListStatus& FileStatus() const { return status_; }

  // --- Pane sizes in twips ------------------------------------------------------------------
  // Saved sizes, judged by the acceptance rules against the page's size once it is laid out.
  void SetSavedPaneSizes(int treeWidthTwips, int fileListHeightTwips);
  int TreeWidthTwips() const;
  int FileListHeightTwips() const;
  void StorePaneSizes(PaneSizes& sizes) const;

  // For the main window's pane model and tests.
  QWidget* TreeViewS() const;
  QWidget* ListViewFile() const;  // the view shown now
  QComboBox* ImageComboPath() const;
  QLabel* StatusPanel(int n) const;  // StatusBarSfile panels 1..3
  FileListModel* FileModel() const { return fileModel_; }
  FolderTree& Tree() const { return *tree_; }
  FolderTreeModel* TreeModel() const { return treeModel_; }

  // The file list's click on row `row` (also run for a keyboard move to the row), double click,
  // tick, mouse press and release: "ListViewFile_ItemClick", "ListViewFile_DblClick",
  // "ListViewFile_ItemCheck", "ListViewFile_MouseDown", "ListViewFile_MouseUp".
  void FileRowClicked(int row);
  void FileRowDoubleClicked(int row);
  void FileRowTicked(int row);
  void FileListPressed(bool left);
  void FileListReleased();

 signals:
  // A pane of the page took the focus: the tree or the file list, or Pane::None for the path box
  // (the icon pane reports itself).
  void PaneFocused(glimmora::Pane pane);
  // Right button on a pane: the tree or the file list.
  void PopupRequested(glimmora::Pane pane);
  // The selected node changed: the caption is to be refreshed.
  void CaptionChanged();
  // The file status and the enabling of the file commands were recomputed.
  void FileStatusChanged();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void BuildLayout();
  void ConnectViews();
  FsError SetListFile(const std::string& folder);
  void ClearFileList();
  void SyncPathBox();
  bool AnyViewPressing() const;
  void ExpandQuietly(int node);
  void SelectNode(int node);
  int SelectedNode() const;
  // Offers `what` again after `error` (a folder not found, no device, no permission).
  bool RetryOrCancel(const std::string& what, FsError error);
  // Whether the ticked files, at most `limit` of them, may be deleted from the disk.
  bool AskDeleteFiles(int limit);
  void DropCheckedRows(bool deleteFiles, int limit, DeleteOutcome& out);
  void OnTreeExpanded(const QModelIndex& index);
  void PreviewTick();
  void ApplySavedSizes();
  int CurrentRow() const;
  std::string RowPath(int row) const;
  bool RunSearch(int row);
  int WalkToFolder(const std::string& folder);

  SourcePanelEnv env_;
  std::unique_ptr<DiskFolderReader> diskReader_;
  FolderReader* reader_ = nullptr;
  std::unique_ptr<FolderTree> tree_;
  FolderTreeModel* treeModel_ = nullptr;
  FolderTreeView* treeView_ = nullptr;
  PathBox* pathBox_ = nullptr;
  FileListModel* fileModel_ = nullptr;
  QStackedWidget* fileViews_ = nullptr;
  std::vector<QWidget*> fileViewWidgets_;  // report, list, large icons
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  QProgressBar* progress_ = nullptr;
  QSplitter* vertical_ = nullptr;    // tree | lists
  QSplitter* horizontal_ = nullptr;  // file list / icon pane
  QWidget* iconSlot_ = nullptr;
  QWidget* iconPane_ = nullptr;
  IconPaneLink* iconLink_ = nullptr;
  QTimer* previewTimer_ = nullptr;

  PathHistoryState history_;
  bool expanding_ = false;  // TreeViewSExpanding
  bool quietExpand_ = false;  // the program expands a node: no expand-click
  bool pendingPopup_ = false;
  bool quietSelection_ = false;  // the program changes the rows: current-row moves are no clicks
  std::string lastFolderPath_;
  int lastFileCount_ = -1;
  std::string fileFolder_;  // the folder the file list shows (FileViewFile.Path)
  // The fills of the file list, counted: a fill that is no longer the last one changes nothing.
  std::shared_ptr<std::atomic<int>> fillGeneration_ = std::make_shared<std::atomic<int>>(0);
  std::shared_ptr<ListingProgress> listing_;  // the reading of the last fill
  std::string lastClickPath_;
  std::string lastClickName_;
  int previewTicks_ = 0;
  bool realSizeReq_ = false;
  FileListStatus status_;
  int savedTreeTwips_ = 0;
  int savedListTwips_ = 0;
  bool sizesPending_ = true;
  ShownPaneSize shownTree_;
  ShownPaneSize shownList_;
  bool treeMoved_ = false;  // the user dragged the splitter since start-up
  bool listMoved_ = false;
};

}  // namespace glimmora
