// The source panel's file list: filling it, its clicks and check boxes, removing and deleting
// the checked files.
#include <QAbstractItemView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QStackedWidget>
#include <QTimer>
#include <algorithm>
#include <limits>

#include "text/AsciiCase.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "shared/PictureToIcon.h"
#include "platform/BackgroundJob.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/ListViews.h"
#include "source/FileListRows.h"
#include "source/ui/FileListModel.h"
#include "source/ui/SourcePanel.h"
#include "source/ui/SourceViews.h"

namespace glimmora {

// --- File list --------------------------------------------------------------------------------

namespace {

// What the reading of a folder gives the list.
struct FolderRows {
  FsError Error = FsError::None;
  std::vector<FileListRow> Rows;
};

}  // namespace

FsError SourcePanel::SetListFile(const std::string& folder) {
  // The files are read and looked at beside the window, which goes on answering (a folder of
  // 100,000 files on a cold disk takes seconds); the list takes them in one reset. A fill started
  // meanwhile (another folder clicked) supersedes this one, which then stops and changes nothing.
  const int fill = ++*fillGeneration_;
  if (listing_) listing_->Stop = true;
  auto progress = listing_ = std::make_shared<ListingProgress>();
  FolderReader* const reader = reader_ == diskReader_.get() ? nullptr : reader_;
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
        // The panel's own disk reader is stateless: a fresh one outlives any window.
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
    fileModel_->SetRows(std::move(read.Rows), folder);
  }
  // Another folder starts at its first file; reading the same folder again keeps the place.
  if (folder != fileFolder_)
    for (QWidget* v : fileViewWidgets_) static_cast<QAbstractItemView*>(v)->scrollToTop();
  fileFolder_ = folder;
  return FsError::None;
}

void SourcePanel::ShowFolder(const std::string& folder) {
  SetListFile(DropTrailingSlash(folder));
  SelectIcoSourceIco();
}

void SourcePanel::ClearFileList() {
  {
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    fileModel_->Clear();
  }
  if (iconLink_) iconLink_->ClearListViewPict();
}

void SourcePanel::SelectIcoSourceIco() {
  status_ = glimmora::SelectIcoSourceIco(StatusRows(fileModel_->Rows()), *env_.Lang);
  for (int i = 0; i < 3; ++i) panels_[i]->setText(QString::fromStdString(status_.Panel[i]));
  emit FileStatusChanged();
}

std::vector<ListedFile> SourcePanel::ListedFiles() const {
  std::vector<ListedFile> out;
  out.reserve(fileModel_->Rows().size());
  for (const FileListRow& r : fileModel_->Rows()) out.push_back({r.Name, r.Checked});
  return out;
}

void SourcePanel::SetFoundIcons(const std::string& fileName, const FoundIcons& found) {
  if (!found.HasColumnTexts) return;
  fileModel_->SetFoundIcons(fileModel_->FindName(fileName), found.Icons, found.Details);
}

void SourcePanel::SetFileChecked(const std::string& fileName, bool checked) {
  const int row = fileModel_->FindName(fileName);
  if (row < 0) return;
  fileModel_->SetChecked(row, checked);
  SelectIcoSourceIco();
}

int SourcePanel::CurrentRow() const {
  auto* table = static_cast<FileListTable*>(fileViewWidgets_[0]);
  const QModelIndex index = table->selectionModel()->currentIndex();
  if (!index.isValid() || !table->selectionModel()->isRowSelected(index.row(), {})) return -1;
  return index.row();
}

std::string SourcePanel::RowPath(int row) const { return JoinPath(fileFolder_, fileModel_->Row(row).Name); }

bool SourcePanel::RunSearch(int row) {
  if (row < 0 || row >= fileModel_->Count()) return false;
  const std::string name = fileModel_->Row(row).Name;
  // Every search is remembered, so a later click on the same file does not scan it again.
  lastClickPath_ = fileFolder_;
  lastClickName_ = name;
  if (!iconLink_) return false;
  const std::string folder = fileFolder_;
  const FoundIcons found = iconLink_->SearchIcon(folder, name);
  // The picture tool keeps the window working while it is open: when the list has moved to
  // another folder meanwhile, a row of the same name there is another file.
  if (fileFolder_ == folder) SetFoundIcons(name, found);
  return found.PictureToolOpened;
}

void SourcePanel::FileRowClicked(int row) {
  previewTimer_->stop();
  previewTicks_ = 0;
  if (row < 0 || row >= fileModel_->Count()) return;
  const bool checkedAndSelected = fileModel_->Row(row).Checked && CurrentRow() == row;
  bool pictureTool = false;
  const std::string name = fileModel_->Row(row).Name;
  if (fileFolder_ != lastClickPath_ || name != lastClickName_) {
    if (checkedAndSelected) {
      pictureTool = RunSearch(row);
      SelectIcoSourceIco();
    }
    lastClickPath_ = fileFolder_;
    lastClickName_ = name;
  }
  if (checkedAndSelected && pictureTool) return;
  if (EndsWithIgnoringCase(lastClickName_, "ico")) {
    if (realSizeReq_ && iconLink_) iconLink_->ShowFilePreview(JoinPath(lastClickPath_, lastClickName_));
  } else if (!PictureType(lastClickName_).empty()) {
    previewTimer_->start();
  }
}

void SourcePanel::PreviewTick() {
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

void SourcePanel::FileRowDoubleClicked(int row) {
  if (row < 0 || row >= fileModel_->Count()) return;
  fileModel_->SetChecked(row, true);
  RunSearch(row);
  SelectIcoSourceIco();
}

void SourcePanel::FileRowTicked(int row) {
  if (row >= 0 && row < fileModel_->Count() && fileModel_->Row(row).Checked && CurrentRow() == row) RunSearch(row);
  SelectIcoSourceIco();
}

void SourcePanel::FileListPressed(bool left) { realSizeReq_ = left; }

void SourcePanel::FileListReleased() {
  realSizeReq_ = false;
  if (iconLink_) iconLink_->HidePreview();
}

void SourcePanel::SelectAllFiles() {
  fileModel_->SetAllChecked([](const FileListRow&) { return true; });
  SelectIcoSourceIco();
}

void SourcePanel::CancelFileSelection() {
  fileModel_->SetAllChecked([](const FileListRow&) { return false; });
  SelectIcoSourceIco();
}

void SourcePanel::InvertFileTicks() {
  fileModel_->SetAllChecked([](const FileListRow& r) { return !r.Checked; });
  SelectIcoSourceIco();
}

void SourcePanel::ShowFileInList(const std::string& fileName) {
  const int row = fileModel_->FindName(fileName);
  if (row < 0) return;
  auto* table = static_cast<FileListTable*>(fileViewWidgets_[0]);
  const QModelIndex index = fileModel_->index(row, 0);
  {
    // The save moves the selection, not the user: the file is not searched.
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  for (QWidget* v : fileViewWidgets_) static_cast<QAbstractItemView*>(v)->scrollTo(index);
}

void SourcePanel::RemoveCheckedFiles() {
  std::vector<bool> drop;
  drop.reserve(fileModel_->Rows().size());
  for (const FileListRow& r : fileModel_->Rows()) drop.push_back(r.Checked);
  {
    // The current row moving to a neighbour is no click of the user's.
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    fileModel_->RemoveRows(drop);
  }
  SelectIcoSourceIco();
}

bool SourcePanel::AskDeleteFiles(int limit) {
  if (env_.Keys) ResetShiftKeys(*env_.Keys, 0);
  // The question says how many files and which: a double click ticks files the user may have
  // scrolled out of sight.
  constexpr std::size_t kNamesShown = 5;
  std::vector<std::string> names;
  for (const FileListRow& row : fileModel_->Rows())
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

DeleteOutcome SourcePanel::DeleteCheckedFiles(bool ask) {
  DeleteOutcome out;
  const auto& rows = fileModel_->Rows();
  if (std::none_of(rows.begin(), rows.end(), [](const FileListRow& r) { return r.Checked; })) return out;
  out.Asked = ask;
  if (ask && !AskDeleteFiles(std::numeric_limits<int>::max())) return out;
  out.Confirmed = true;
  DropCheckedRows(true, std::numeric_limits<int>::max(), out);
  return out;
}

DeleteOutcome SourcePanel::MoveCheckedFilesOut(int limit) {
  DeleteOutcome out;
  const auto& rows = fileModel_->Rows();
  if (std::none_of(rows.begin(), rows.end(), [](const FileListRow& r) { return r.Checked; })) return out;
  out.Asked = true;
  out.Confirmed = AskDeleteFiles(limit);
  DropCheckedRows(out.Confirmed, limit, out);
  return out;
}

// Checked rows leave the list in one pass, at most `limit` of them. With `deleteFiles` each file
// is deleted before its row goes; a row whose file stays on disk stays in the list.
void SourcePanel::DropCheckedRows(bool deleteFiles, int limit, DeleteOutcome& out) {
  const auto& rows = fileModel_->Rows();
  std::vector<bool> drop(rows.size(), false);
  int dropped = 0;
  std::string report;
  for (std::size_t i = 0; i < rows.size() && dropped < limit; ++i) {
    if (!rows[i].Checked) continue;
    const std::string path = JoinPath(fileFolder_, rows[i].Name);
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
    fileModel_->RemoveRows(drop);
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

void SourcePanel::SetFileViewMode(ListViewMode mode) { ShowListView(fileViews_, mode); }

}  // namespace glimmora
