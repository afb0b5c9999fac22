#pragma once
// The file list of the source panel with its status row and progress bar: fills it from a folder
// beside the window, answers its clicks and check boxes, and removes or deletes the ticked files.
// It is the file side the icon pane talks to.

#include <QWidget>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/Panes.h"
#include "source/FileListStatus.h"
#include "source/SourceLinks.h"
#include "source/ui/SourcePanelEnv.h"

class QLabel;
class QProgressBar;
class QStackedWidget;
class QTimer;

namespace glimmora {

class FileListModel;

class FileListPanel : public QWidget, public FileListLink {
  Q_OBJECT
 public:
  explicit FileListPanel(const SourcePanelEnv& env, QWidget* parent = nullptr);
  ~FileListPanel() override;

  // What the file list calls of the icon pane (null: no pane).
  void SetIconLink(IconPaneLink* link) { iconLink_ = link; }
  // Adds a folder's nodes to the folder tree: the file list knows no tree of its own.
  std::function<void(const std::string& folder)> AddPath;

  // Lists `folder`: fill, then status.
  void ShowFolder(const std::string& folder);
  // Reads `folder` into the list without recomputing the status; a fill superseded meanwhile
  // changes nothing and counts as done.
  FsError Fill(const std::string& folder);
  // Empties the list, which then stands for `folder` without reading it, and recomputes the status.
  void Abandon(const std::string& folder);
  // Empties the list and the icon pane and recomputes the status of both (the tree's collapse).
  void Collapse();
  int Count() const;

  std::string CurrentFolder() const override { return folder_; }
  std::vector<ListedFile> ListedFiles() const override;
  void SetFoundIcons(const std::string& fileName, const FoundIcons& found) override;
  void SelectIcoSourceIco() override;
  DeleteOutcome DeleteCheckedFiles(bool ask) override;
  DeleteOutcome MoveCheckedFilesOut(int limit) override;
  void AddPathToTree(const std::string& folder) override;
  void ShowFileInList(const std::string& fileName) override;
  // Ticks or clears the row of `fileName` as the program (no search; the status is recomputed).
  void SetFileChecked(const std::string& fileName, bool checked);

  // Commands of the file menu.
  void SelectAllFiles();
  void CancelFileSelection();
  void InvertFileTicks();     // invert every check box
  void RemoveCheckedFiles();  // from the list only; DeleteCheckedFiles(true) from the disk too
  // The view of the file list: report, list or large icons (one model, one selection).
  void SetFileViewMode(ListViewMode mode);
  // The last computed status (panel texts and enabling).
  const FileListStatus& FileStatus() const { return status_; }

  // The click on row `row` (also run for a keyboard move to the row), the double click, the tick,
  // the mouse press and release.
  void FileRowClicked(int row);
  void FileRowDoubleClicked(int row);
  void FileRowTicked(int row);
  void FileListPressed(bool left);
  void FileListReleased();

  // The columns' widths as fractions of the list's width `width` in pixels.
  void FitColumns(int width);
  // The height of the list itself, without its status row and progress bar.
  int ListHeight() const;

  QWidget* ListViewFile() const;     // the view shown now
  QLabel* StatusPanel(int n) const;  // panels 1..3 of the status row
  // The progress bar under the status row, for the icon search.
  QProgressBar* ProgressBarS() const { return progress_; }
  FileListModel* FileModel() const { return model_; }

 signals:
  // Right button on the list.
  void PopupRequested(glimmora::Pane pane);
  // The file status and the enabling of the file commands were recomputed.
  void FileStatusChanged();

 private:
  void BuildViews();
  void Clear();  // the list and the icon pane
  void ConnectViews();
  bool AnyViewPressing() const;
  void PreviewTick();
  int CurrentRow() const;
  std::string RowPath(int row) const;
  bool RunSearch(int row);
  // Whether the ticked files, at most `limit` of them, may be deleted from the disk.
  bool AskDeleteFiles(int limit);
  void DropCheckedRows(bool deleteFiles, int limit, DeleteOutcome& out);

  const SourcePanelEnv& env_;
  FileListModel* model_ = nullptr;
  QStackedWidget* views_ = nullptr;
  std::vector<QWidget*> viewWidgets_;  // report, list, large icons
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  QProgressBar* progress_ = nullptr;
  QTimer* previewTimer_ = nullptr;
  IconPaneLink* iconLink_ = nullptr;

  bool pendingPopup_ = false;
  bool quietSelection_ = false;  // the program changes the rows: current-row moves are no clicks
  std::string folder_;           // the folder the list shows
  // The fills of the list, counted: a fill that is no longer the last one changes nothing.
  std::shared_ptr<std::atomic<int>> fillGeneration_ = std::make_shared<std::atomic<int>>(0);
  std::shared_ptr<ListingProgress> listing_;  // the reading of the last fill
  std::string lastClickPath_;
  std::string lastClickName_;
  int previewTicks_ = 0;
  bool realSizeReq_ = false;
  FileListStatus status_;
};

}  // namespace glimmora
