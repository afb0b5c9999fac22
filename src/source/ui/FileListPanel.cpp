#include "source/ui/FileListPanel.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "common/Paths.h"
#include "platform/BackgroundJob.h"
#include "shared/PictureToIcon.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/ListViews.h"
#include "shared/ui/PaneShade.h"
#include "source/FileListRows.h"
#include "source/PaneLayout.h"
#include "source/ui/FileListModel.h"
#include "source/ui/SourceViews.h"
#include "text/AsciiCase.h"
#include "text/FaultText.h"
#include "text/LangRows.h"

namespace glimmora {

FileListPanel::FileListPanel(const SourcePanelEnv& env, QWidget* parent) : QWidget(parent), env_(env) {
  BuildViews();
  ConnectViews();
}

FileListPanel::~FileListPanel() {
  if (listing_) listing_->Stop = true;
  // The views outlive this body and report focus changes while they go: nobody listens by then.
  static_cast<FileListTable*>(viewWidgets_[0])->Hooks = {};
  static_cast<FileListGrid*>(viewWidgets_[1])->Hooks = {};
  static_cast<FileListGrid*>(viewWidgets_[2])->Hooks = {};
  model_->OnUserCheck = nullptr;
}

void FileListPanel::BuildViews() {
  const LanguageTable& lang = *env_.Lang;
  model_ = new FileListModel(lang, this);
  auto* table = new FileListTable;
  table->setObjectName(QStringLiteral("ListViewFileReport"));
  auto* list = new FileListGrid;
  list->setObjectName(QStringLiteral("ListViewFileList"));
  auto* icons = new FileListGrid;
  icons->setObjectName(QStringLiteral("ListViewFileIcons"));
  // Named as the control: focus in any of the three views counts as the file list.
  views_ = new QStackedWidget;
  views_->setObjectName(QStringLiteral("ListViewFile"));
  BuildListViews(views_, {table, list, icons}, model_, QAbstractItemView::SingleSelection, QSize(96, 72));
  table->setItemsExpandable(false);
  table->header()->setStretchLastSection(false);
  for (FileListGrid* grid : {list, icons}) grid->setUniformItemSizes(true);
  for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{table, list, icons}) {
    v->setToolTip(QString::fromStdString(lang.Row(kRowFileListTooltip)));
    SetControlName(v, lang.Row(kRowFileListName));
    ShadePane(v, false);
    viewWidgets_.push_back(v);
  }

  auto* statusBar = new QWidget;
  statusBar->setObjectName(QStringLiteral("StatusBarSfile"));
  auto* statusLayout = new QHBoxLayout(statusBar);
  statusLayout->setContentsMargins(0, 0, 0, 0);
  statusLayout->setSpacing(2);
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel;
    panels_[i]->setObjectName(QStringLiteral("Statusfile %1").arg(i + 1));
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels_[i]->setMinimumWidth(1);
    statusLayout->addWidget(panels_[i], 1);
  }
  // The row is as tall as its texts will be from the start: Chinese characters stand taller than
  // the empty row, and the list above would lose a pixel when the first folder's count arrives.
  panels_[0]->setText(
      QString::fromStdString(lang.Row(kRowSourceTotal) + " 0 " + lang.Row(kRowFilesPlural) + " (0.9 KB)"));
  const int statusHeight = panels_[0]->sizeHint().height();
  panels_[0]->clear();
  for (QLabel* p : panels_) p->setMinimumHeight(statusHeight);

  progress_ = new QProgressBar;
  progress_->setObjectName(QStringLiteral("ProgressBarS"));
  progress_->setRange(1, 110);
  progress_->setTextVisible(false);
  progress_->setFixedHeight(6);
  // Its place is kept while it is hidden: the fills that show it do not yield, so no layout
  // would make room for it before it is painted.
  QSizePolicy keepPlace = progress_->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keepPlace);
  progress_->hide();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(1);
  layout->addWidget(views_, 1);
  layout->addWidget(statusBar);
  layout->addWidget(progress_);
  views_->setMinimumHeight(kFileListMinTwips / kTwipsPerPixel);

  previewTimer_ = new QTimer(this);
  previewTimer_->setInterval(100);
  connect(previewTimer_, &QTimer::timeout, this, &FileListPanel::PreviewTick);
}

void FileListPanel::ConnectViews() {
  FileViewHooks hooks;
  hooks.MouseDown = [this](bool left, bool right) {
    FileListPressed(left);
    pendingPopup_ = right;
  };
  hooks.ItemClick = [this](int row) { FileRowClicked(row); };
  hooks.DblClick = [this](int row) { FileRowDoubleClicked(row); };
  hooks.MouseUp = [this] {
    FileListReleased();
    if (pendingPopup_) {
      pendingPopup_ = false;
      emit PopupRequested(Pane::ListViewFile);
    }
  };
  hooks.Focus = [this](bool in) {
    for (QWidget* v : viewWidgets_) ShadePane(v, in);
  };
  static_cast<FileListTable*>(viewWidgets_[0])->Hooks = hooks;
  static_cast<FileListGrid*>(viewWidgets_[1])->Hooks = hooks;
  static_cast<FileListGrid*>(viewWidgets_[2])->Hooks = hooks;

  // A keyboard move to another row counts as a click on it, as a mouse press does.
  auto* table = static_cast<FileListTable*>(viewWidgets_[0]);
  connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (current.isValid() && !AnyViewPressing() && !quietSelection_) FileRowClicked(current.row());
          });
  model_->OnUserCheck = [this](int row) { FileRowTicked(row); };
}

bool FileListPanel::AnyViewPressing() const {
  return static_cast<FileListTable*>(viewWidgets_[0])->Pressing ||
         static_cast<FileListGrid*>(viewWidgets_[1])->Pressing ||
         static_cast<FileListGrid*>(viewWidgets_[2])->Pressing;
}

namespace {

// What the reading of a folder gives the list.
struct FolderRows {
  FsError Error = FsError::None;
  std::vector<FileListRow> Rows;
};

}  // namespace

FsError FileListPanel::Fill(const std::string& folder) {
  // The files are read and looked at beside the window, which goes on answering (a folder of
  // 100,000 files on a cold disk takes seconds); the list takes them in one reset. A fill started
  // meanwhile (another folder clicked) supersedes this one, which then stops and changes nothing.
  const int fill = ++*fillGeneration_;
  if (listing_) listing_->Stop = true;
  auto progress = listing_ = std::make_shared<ListingProgress>();
  FolderReader* const reader = env_.Reader;
  BusyCursor busy;
  QTimer tick;
  tick.setInterval(50);
  connect(&tick, &QTimer::timeout, this, [this, progress, fill] {
    const std::size_t n = progress->Total;
    if (n == 0 || fill != *fillGeneration_) return;
    progress_->setValue(static_cast<int>(static_cast<double>(progress->Done) / static_cast<double>(n) * 105) + 1);
    progress_->show();
  });
  tick.start();
  FolderRows read = RunWhileEventsFlow<FolderRows>(
      [reader, folder, progress, generation = fillGeneration_, fill](const std::atomic<bool>& stop) {
        // Without a reader of its own the disk is read directly, which outlives any window.
        FileListing listing = reader ? reader->Files(folder) : ReadFolderFiles(folder, progress.get());
        if (stop || *generation != fill) return FolderRows{};
        return FolderRows{listing.Error, MakeFileRows(listing)};
      });
  tick.stop();
  if (fill != *fillGeneration_) return FsError::None;
  progress_->hide();
  if (read.Error != FsError::None) return read.Error;
  if (iconLink_) iconLink_->ClearListViewPict();
  {
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    model_->SetRows(std::move(read.Rows), folder);
  }
  // Another folder starts at its first file; reading the same folder again keeps the place.
  if (folder != folder_)
    for (QWidget* v : viewWidgets_) static_cast<QAbstractItemView*>(v)->scrollToTop();
  folder_ = folder;
  return FsError::None;
}

void FileListPanel::ShowFolder(const std::string& folder) {
  Fill(DropTrailingSlash(folder));
  SelectIcoSourceIco();
}

void FileListPanel::Clear() {
  {
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    model_->Clear();
  }
  if (iconLink_) iconLink_->ClearListViewPict();
}

void FileListPanel::SelectIcoSourceIco() {
  status_ = glimmora::SelectIcoSourceIco(StatusRows(model_->Rows()), *env_.Lang);
  for (int i = 0; i < 3; ++i) panels_[i]->setText(QString::fromStdString(status_.Panel[i]));
  emit FileStatusChanged();
}

std::vector<ListedFile> FileListPanel::ListedFiles() const {
  std::vector<ListedFile> out;
  out.reserve(model_->Rows().size());
  for (const FileListRow& r : model_->Rows()) out.push_back({r.Name, r.Checked});
  return out;
}

void FileListPanel::SetFoundIcons(const std::string& fileName, const FoundIcons& found) {
  if (!found.HasColumnTexts) return;
  model_->SetFoundIcons(model_->FindName(fileName), found.Icons, found.Details);
}

void FileListPanel::SetFileChecked(const std::string& fileName, bool checked) {
  const int row = model_->FindName(fileName);
  if (row < 0) return;
  model_->SetChecked(row, checked);
  SelectIcoSourceIco();
}

int FileListPanel::CurrentRow() const {
  auto* table = static_cast<FileListTable*>(viewWidgets_[0]);
  const QModelIndex index = table->selectionModel()->currentIndex();
  if (!index.isValid() || !table->selectionModel()->isRowSelected(index.row(), {})) return -1;
  return index.row();
}

std::string FileListPanel::RowPath(int row) const { return JoinPath(folder_, model_->Row(row).Name); }

bool FileListPanel::RunSearch(int row) {
  if (row < 0 || row >= model_->Count()) return false;
  const std::string name = model_->Row(row).Name;
  // Every search is remembered, so a later click on the same file does not scan it again.
  lastClickPath_ = folder_;
  lastClickName_ = name;
  if (!iconLink_) return false;
  const std::string folder = folder_;
  const FoundIcons found = iconLink_->SearchIcon(folder, name);
  // The picture tool keeps the window working while it is open: when the list has moved to
  // another folder meanwhile, a row of the same name there is another file.
  if (folder_ == folder) SetFoundIcons(name, found);
  return found.PictureToolOpened;
}

void FileListPanel::FileRowClicked(int row) {
  previewTimer_->stop();
  previewTicks_ = 0;
  if (row < 0 || row >= model_->Count()) return;
  const bool checkedAndSelected = model_->Row(row).Checked && CurrentRow() == row;
  bool pictureTool = false;
  const std::string name = model_->Row(row).Name;
  if (folder_ != lastClickPath_ || name != lastClickName_) {
    if (checkedAndSelected) {
      pictureTool = RunSearch(row);
      SelectIcoSourceIco();
    }
    lastClickPath_ = folder_;
    lastClickName_ = name;
  }
  if (checkedAndSelected && pictureTool) return;
  if (EndsWithIgnoringCase(lastClickName_, "ico")) {
    if (realSizeReq_ && iconLink_) iconLink_->ShowFilePreview(JoinPath(lastClickPath_, lastClickName_));
  } else if (!PictureType(lastClickName_).empty()) {
    previewTimer_->start();
  }
}

void FileListPanel::PreviewTick() {
  if (iconLink_ && iconLink_->PictureToolOpen()) {
    previewTimer_->stop();
    previewTicks_ = 0;
    return;
  }
  if (++previewTicks_ < 5) return;
  previewTicks_ = 0;
  previewTimer_->stop();
  const int row = CurrentRow();
  if (realSizeReq_ && iconLink_ && row >= 0) iconLink_->ShowFilePreview(RowPath(row));
}

void FileListPanel::FileRowDoubleClicked(int row) {
  if (row < 0 || row >= model_->Count()) return;
  model_->SetChecked(row, true);
  RunSearch(row);
  SelectIcoSourceIco();
}

void FileListPanel::FileRowTicked(int row) {
  if (row >= 0 && row < model_->Count() && model_->Row(row).Checked && CurrentRow() == row) RunSearch(row);
  SelectIcoSourceIco();
}

void FileListPanel::FileListPressed(bool left) { realSizeReq_ = left; }

void FileListPanel::FileListReleased() {
  realSizeReq_ = false;
  if (iconLink_) iconLink_->HidePreview();
}

void FileListPanel::SelectAllFiles() {
  model_->SetAllChecked([](const FileListRow&) { return true; });
  SelectIcoSourceIco();
}

void FileListPanel::CancelFileSelection() {
  model_->SetAllChecked([](const FileListRow&) { return false; });
  SelectIcoSourceIco();
}

void FileListPanel::InvertFileTicks() {
  model_->SetAllChecked([](const FileListRow& r) { return !r.Checked; });
  SelectIcoSourceIco();
}

void FileListPanel::ShowFileInList(const std::string& fileName) {
  const int row = model_->FindName(fileName);
  if (row < 0) return;
  auto* table = static_cast<FileListTable*>(viewWidgets_[0]);
  const QModelIndex index = model_->index(row, 0);
  {
    // The save moves the selection, not the user: the file is not searched.
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  for (QWidget* v : viewWidgets_) static_cast<QAbstractItemView*>(v)->scrollTo(index);
}

void FileListPanel::RemoveCheckedFiles() {
  std::vector<bool> drop;
  drop.reserve(model_->Rows().size());
  for (const FileListRow& r : model_->Rows()) drop.push_back(r.Checked);
  {
    // The current row moving to a neighbour is no click of the user's.
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    model_->RemoveRows(drop);
  }
  SelectIcoSourceIco();
}

bool FileListPanel::AskDeleteFiles(int limit) {
  if (env_.Keys) ResetShiftKeys(*env_.Keys, 0);
  // The question says how many files and which: a double click ticks files the user may have
  // scrolled out of sight.
  constexpr std::size_t kNamesShown = 5;
  std::vector<std::string> names;
  for (const FileListRow& row : model_->Rows())
    if (row.Checked && static_cast<int>(names.size()) < limit) names.push_back(row.Name);
  PromptRequest r;
  r.text = env_.Lang->Row(kRowAskDeleteTickedFiles) + "\n\n" + env_.Lang->Row(kRowFilesToDelete) +
           std::to_string(names.size());
  for (std::size_t i = 0; i < names.size() && i < kNamesShown; ++i) r.text += "\n" + names[i];
  if (names.size() > kNamesShown) r.text += "\n...";
  r.row = kRowAskDeleteTickedFiles;
  r.buttons = PromptButtons::YesNo;
  r.icon = PromptIcon::Question;
  return env_.Ask->AskToDelete(r) == PromptAnswer::Yes;
}

DeleteOutcome FileListPanel::DeleteCheckedFiles(bool ask) {
  DeleteOutcome out;
  const auto& rows = model_->Rows();
  if (std::none_of(rows.begin(), rows.end(), [](const FileListRow& r) { return r.Checked; })) return out;
  out.Asked = ask;
  if (ask && !AskDeleteFiles(std::numeric_limits<int>::max())) return out;
  out.Confirmed = true;
  DropCheckedRows(true, std::numeric_limits<int>::max(), out);
  return out;
}

DeleteOutcome FileListPanel::MoveCheckedFilesOut(int limit) {
  DeleteOutcome out;
  const auto& rows = model_->Rows();
  if (std::none_of(rows.begin(), rows.end(), [](const FileListRow& r) { return r.Checked; })) return out;
  out.Asked = true;
  out.Confirmed = AskDeleteFiles(limit);
  DropCheckedRows(out.Confirmed, limit, out);
  return out;
}

// Checked rows leave the list in one pass, at most `limit` of them. With `deleteFiles` each file
// is deleted before its row goes; a row whose file stays on disk stays in the list.
void FileListPanel::DropCheckedRows(bool deleteFiles, int limit, DeleteOutcome& out) {
  const auto& rows = model_->Rows();
  std::vector<bool> drop(rows.size(), false);
  int dropped = 0;
  std::string report;
  for (std::size_t i = 0; i < rows.size() && dropped < limit; ++i) {
    if (!rows[i].Checked) continue;
    const std::string path = JoinPath(folder_, rows[i].Name);
    const Result<void> deleted = deleteFiles ? DeleteFileFromDisk(path) : Result<void>();
    if (deleted) {
      drop[i] = true;
      ++dropped;
      if (deleteFiles) ++out.Deleted;
    } else {
      out.Failed.push_back(path);
      if (out.Failed.size() <= 10) report += "\n" + FaultText(*env_.Lang, deleted.Error());
    }
  }
  {
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    model_->RemoveRows(drop);
  }
  SelectIcoSourceIco();
  if (!out.Failed.empty()) {
    if (out.Failed.size() > 10) report += "\n... (" + std::to_string(out.Failed.size()) + ")";
    if (env_.Keys) ResetShiftKeys(*env_.Keys, 0);
    PromptRequest r;
    r.text = env_.Lang->Row(kRowFilesNotDeleted) + report;
    r.row = kRowFilesNotDeleted;
    r.buttons = PromptButtons::Ok;
    r.icon = PromptIcon::Warning;
    env_.Ask->Ask(r);
  }
}

void FileListPanel::SetFileViewMode(ListViewMode mode) { ShowListView(views_, mode); }


void FileListPanel::Abandon(const std::string& folder) {
  folder_ = folder;
  // Emptied before the status is computed, so the panels do not show the old counts.
  Clear();
  SelectIcoSourceIco();
}

void FileListPanel::Collapse() {
  Clear();
  if (iconLink_) iconLink_->SelectIco();
  SelectIcoSourceIco();
}

int FileListPanel::Count() const { return model_->Count(); }

void FileListPanel::AddPathToTree(const std::string& folder) {
  if (AddPath) AddPath(folder);
}

void FileListPanel::FitColumns(int width) {
  const double wf = std::max(1, width);
  auto* table = static_cast<FileListTable*>(viewWidgets_[0]);
  const double fractions[] = {1 / 3.8, 1 / 6.5, 1 / 5.2, 1 / 6.8, 1 / 10.0, 1.5};
  for (int c = 0; c < FileListModel::kColumnCount; ++c)
    table->setColumnWidth(c, static_cast<int>(wf * fractions[c]));
  // The date column keeps room for a whole date and time, whatever the font's width.
  const int dateWidth = table->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00  00:00:00")) + 16;
  if (table->columnWidth(FileListModel::kDate) < dateWidth) table->setColumnWidth(FileListModel::kDate, dateWidth);
}

int FileListPanel::ListHeight() const { return views_->height(); }

QWidget* FileListPanel::ListViewFile() const { return views_->currentWidget(); }
QLabel* FileListPanel::StatusPanel(int n) const { return (n >= 1 && n <= 3) ? panels_[n - 1] : nullptr; }

}  // namespace glimmora
