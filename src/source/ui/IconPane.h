#pragma once
// The icon pane of the source page (ListViewPict): the icons of one page of the file chosen in the
// file list, shown in a report, list or large-icon view over one model and one selection, with the
// page arrows and the status panels under them. The pane owns its page state; the commands of the
// menus, toolbar and keys reach it through its public methods.

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "scan/IconTypeTally.h"
#include "scan/IconWalker.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "icons/Raster.h"
#include "save/SaveFormat.h"
#include "settings/ModifierKeys.h"
#include "settings/Panes.h"
#include "settings/SaveParams.h"
#include "shared/PictureToIcon.h"
#include "source/IconPages.h"
#include "source/IconPaneStatus.h"
#include "source/IconSaving.h"
#include "source/SourceLinks.h"

class QAbstractItemView;
class QItemSelection;
class QLabel;
class QListView;
class QModelIndex;
class QProgressBar;
class QStackedWidget;
class QToolButton;
class QTreeView;

namespace glimmora {

class IconListModel;
class RealSizePreview;

// The icon the pane shows when it was made from a picture file by the picture-to-icon tool.
struct PaneIconFromPicture {
  std::vector<std::uint8_t> Ico;  // one-image icon file
  Raster Picture;                 // the whole picture, for bitmaps and the clipboard
};

struct IconPaneEnv {
  const LanguageTable* Lang = nullptr;  // required
  Prompter* Ask = nullptr;              // required
  SaveParams* Params = nullptr;         // required: SaveIcoDir and SaveFileDir
  ModifierKeys* Keys = nullptr;
  const Clock* Time = nullptr;          // null: the system clock
  const IcoTypeNames* TypeNames = nullptr;
  std::string AppPath;
  std::string AppTitle;
  SearchPattern Pattern = kDefaultSearchPattern;
  // Picture files (BMP, JPG, GIF, WMF) searched or saved go to the picture-to-icon tool instead
  // of the scanner; null means every file is scanned. Not owned.
  PictureConverter* Pictures = nullptr;
};

class IconPane : public QWidget, public IconPaneLink {
  Q_OBJECT
 public:
  explicit IconPane(IconPaneEnv env, QWidget* parent = nullptr);
  ~IconPane() override;

  // The file list, the icon clipboard pane and the progress bar of the page; not owned. Without a
  // clipboard link the icon clipboard folder is read directly; without a progress bar the pane
  // shows its own.
  void SetFileList(FileListLink* files) { files_ = files; }
  void SetIconClipboard(IconClipboardLink* clip) { clip_ = clip; }
  void SetProgressBar(QProgressBar* bar);
  // Ticks or clears a row of the file list by name (used by the checked-files saves).
  void SetCheckMarks(std::function<void(const std::string&, bool)> setChecked) { setChecked_ = std::move(setChecked); }

  // --- IconPaneLink ---------------------------------------------------------------------------
  FoundIcons SearchIcon(const std::string& folder, const std::string& fileName) override;
  void ClearListViewPict() override;
  void SelectIco() override;
  void ShowFilePreview(const std::string& filePath) override;
  void HidePreview() override;
  bool PictureToolOpen() const override;

  // --- Pages ----------------------------------------------------------------------------------
  // Index 0 previous page, 1 next page: the page arrows and the page
  // commands.
  void TurnIconPage(int index);

  // --- Selection ------------------------------------------------------------------------------
  void SelSomeIco(int acSize, int acColor);
  void SelectAllIcons();
  void CancelIconSelection();
  void InvertSelection();

  // --- Saving ---------------------------------------------------------------------------------
  // The pane's icons (selected or all, in size `sizeSel`) or the icons of the checked (or all)
  // files, F4..F7.
  void SaveIcotoIcoBmp(int sizeSel, SaveSource mmod, SaveFormat icoBmp, bool allIco, bool toIconClipboard);
  // F3 on the icon pane and F2 on the file list: with the pane's / the file list's parameters,
  // without asking where they say where.
  void SaveIconsWithDefaults();
  void SaveFileIconsWithDefaults();
  // The checked files' icons (index 0) or every file's icons into the icon clipboard. False as
  // for SaveRun.
  bool SaveFileIconsToIconClipboard(int index);
  // The same, then at most 50 of the saved files leave the file list, and after a Yes to the file
  // list's question the disk too. When an icon could not be written, every file stays.
  void MoveFileIconsToIconClipboard(int index);

  // --- Clipboards -----------------------------------------------------------------------------
  void CopyIcotoIcoClipBoard(int sizeSel, bool cutMod);
  void CopyIcotoSysClipBoard(int sizeSel, bool cutMod);
  // Drops the selected icons from the pane (the file is not changed).
  void DeleteSelectedIcons();

  // --- Views and state ------------------------------------------------------------------------
  void SetViewMode(ListViewMode view);
  ListViewMode ViewMode() const { return view_; }
  QAbstractItemView* CurrentView() const;
  QTreeView* ReportView() const { return report_; }
  QListView* LargeIconView() const { return large_; }
  IconListModel* Model() const { return model_; }
  QLabel* StatusPanel(int n) const;  // StatusBarSico panels 1..3
  QToolButton* Arrow(int index) const { return arrows_[index == 0 ? 0 : 1]; }
  QProgressBar* Progress() const { return progress_; }
  RealSizePreview* Preview() const { return preview_; }
  const IconPageState& PageState() const { return page_; }
  const IconPaneStatus& Status() const { return status_; }
  PageControls PageControlState() const { return PageControlsFor(page_); }
  std::vector<int> SelectedRows() const;
  void SetSelectedRows(const std::vector<int>& rows);
  // The item the clipboard copy and the preview use: the current item when selected, else the
  // first selected one; -1 when none.
  int FocusedRow() const;
  // The real-size preview of a row at a screen position (the pane calls it on a left press).
  void ShowRealSizePreview(int row, QPoint globalPos);

 signals:
  // The pane's status and the enabling of the icon commands were recomputed.
  void StatusChanged();
  // The page arrows and the two page menu items changed.
  void PageControlsChanged();
  // Right button on the pane: the icon menu.
  void PopupRequested(glimmora::Pane pane);
  // Folders written into by a save, and icons put into the icon clipboard.
  void FolderMade(const QString& folder);
  void IconClipboardChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  // False when the run was refused or cancelled, or an icon could not be written.
  bool SaveRun(int sizeSel, SaveSource mode, SaveFormat icoBmp, bool allIco, bool toIconClipboard, bool useNow);
  void ApplyHeading();
  // Drops the rows and the status texts; the page state stays (a search refills the pane).
  void EmptyPane();
  // The report's columns as shares of the pane's width.
  void LayOutColumns();
  void ApplyPageControls();
  void RunPageSearch();
  void FillFromScan(const ScanRequest& request, bool firstMod, ScanResult* result);
  void ShowPictureIcon(const std::string& folder, const std::string& fileName, PictureToIconResult& made);
  void OnPressed(const QModelIndex& index);
  std::vector<PaneIcon> PaneIcons() const;
  IconClipboardState ClipboardState() const;
  SaveRunEnv RunEnv();
  const Clock& Time() const;
  SaveDirRec& IcoDir() const { return env_.Params->SaveIcoDir; }

  IconPaneEnv env_;
  SystemClock systemClock_;
  FileListLink* files_ = nullptr;
  IconClipboardLink* clip_ = nullptr;
  std::function<void(const std::string&, bool)> setChecked_;
  IconListModel* model_ = nullptr;
  QStackedWidget* views_ = nullptr;
  QTreeView* report_ = nullptr;
  QListView* list_ = nullptr;
  QListView* large_ = nullptr;
  QToolButton* arrows_[2] = {nullptr, nullptr};
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  QProgressBar* progress_ = nullptr;
  QProgressBar* ownProgress_ = nullptr;
  RealSizePreview* preview_ = nullptr;
  bool columnsLaidOut_ = false;
  ListViewMode view_ = ListViewMode::Report;  // as the library lists: report until the user picks a view
  IconPageState page_;
  IconPaneStatus status_;
  PaneIconFromPicture pictureIcon_;
  bool searching_ = false;
  bool saving_ = false;
  bool realSizeReq_ = false;
  bool rightPress_ = false;
  QPoint pressPos_;
};

}  // namespace glimmora
