#include "library/ui/ClipboardPane.h"

#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QProcess>
#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTreeView>

#include <algorithm>
#include <filesystem>

#include "text/LangRows.h"
#include "text/NumberText.h"
#include "common/Paths.h"
#include "library/LibFiles.h"
#include "library/ui/LibraryPageList.h"
#include "shared/ToolbarSlots.h"
#include "shared/ui/ListRowIcons.h"
#include "shared/ui/QtText.h"
#include "text/RowPrompts.h"

namespace glimmora {
namespace {

// Val of a text: its leading number after blanks, 0 when there is none.
int LeadingNumber(const QString& text) {
  const QString t = text.trimmed();
  int n = 0;
  for (QChar c : t) {
    if (!c.isDigit()) break;
    n = n * 10 + c.digitValue();
  }
  return n;
}

}  // namespace

bool StartDetachedEditor(const std::string& program, const std::string& file) {
  return QProcess::startDetached(Q(program), {Q(file)});
}

ClipboardPane::ClipboardPane(LibraryPageList* list, QLabel* panel1, std::string clipDir, const LanguageTable& lang,
                             int clipGrpSize, QObject* parent)
    : QObject(parent), list_(list), panel1_(panel1), clipDir_(std::move(clipDir)), lang_(lang),
      clipGrpSize_(clipGrpSize) {}

IconClipboardState ClipboardPane::ClipboardState() const {
  IconClipboardState s;
  s.ItemCount = Count();
  // The real name: the letter of its prefix keeps its case, so the next name follows it.
  if (!files_.empty()) s.LastKey = files_.back().FileName;
  return s;
}

void ClipboardPane::AddRows(const std::vector<ClipFile>& files, int firstNumber) {
  QStandardItemModel* model = list_->Model();
  list_->setUpdatesEnabled(false);
  int number = firstNumber;
  for (const ClipFile& f : files) {
    const ClipItemTexts t = MakeClipItemTexts(f, number++, lang_);
    QList<QStandardItem*> row;
    for (const std::string* text : {&t.Text, &t.Size, &t.Color, &t.Bytes, &t.Filename, &t.Source}) {
      auto* cell = new QStandardItem(Q(*text));
      cell->setEditable(false);
      row.append(cell);
    }
    row[0]->setIcon(ListRowIconOfFile(JoinPath(clipDir_, f.FileName)));
    model->appendRow(row);
    files_.push_back(f);
    ++imagesAdded_;
  }
  list_->FitColumns();
  list_->setUpdatesEnabled(true);
}

void ClipboardPane::RelistIconClipboard(bool addNewIco) {
  if (!addNewIco) {
    list_->Model()->removeRows(0, list_->Model()->rowCount());
    files_.clear();
    imagesAdded_ = 0;
    AddRows(ListIcoClipBoard(clipDir_, lang_.CurLang), 1);
  } else {
    std::vector<std::string> listed;
    for (const ClipFile& f : files_) listed.push_back(f.FileName);
    QStandardItemModel* model = list_->Model();
    const int last = model->rowCount() > 0 ? LeadingNumber(model->item(model->rowCount() - 1, 0)->text()) : 0;
    AddRows(ListIcoClipBoard(clipDir_, lang_.CurLang, listed), last + 1);
  }
  SelectClipIco();
}

std::vector<int> ClipboardPane::SelectedRows() const {
  std::vector<int> rows;
  const QItemSelectionModel* sel = list_->Selection();
  for (int r = 0; r < Count(); ++r)
    if (sel->isRowSelected(r, QModelIndex())) rows.push_back(r);
  return rows;
}

std::vector<std::string> ClipboardPane::Files(bool all) const {
  std::vector<std::string> names;
  if (all) {
    for (const ClipFile& f : files_) names.push_back(f.FileName);
  } else {
    for (int r : SelectedRows()) names.push_back(files_[static_cast<std::size_t>(r)].FileName);
  }
  return names;
}

int ClipboardPane::FocusedRow() const {
  const QModelIndex current = list_->Selection()->currentIndex();
  if (current.isValid() && list_->Selection()->isRowSelected(current.row(), QModelIndex())) return current.row();
  const auto rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

std::string ClipboardPane::PathOf(int row) const {
  if (row < 0 || row >= Count()) return {};
  return JoinPath(clipDir_, files_[static_cast<std::size_t>(row)].FileName);
}

QString ClipboardPane::ToolTip() const {
  const auto rows = SelectedRows();
  if (list_->Mode() == ListViewMode::Report || Count() == 0 || rows.size() != 1)
    return Q(lang_.Row(kRowClipboardTooltip));
  const int r = rows.front();
  return Q(ClipInfoText(MakeClipItemTexts(files_[static_cast<std::size_t>(r)],
                                          LeadingNumber(list_->Model()->item(r, 0)->text()), lang_)));
}

void ClipboardPane::ShowToolTip() {
  const QString tip = ToolTip();
  list_->ReportView()->setToolTip(tip);
  list_->IconView()->setToolTip(tip);
}

ClipSelectState ClipboardPane::SelectClipIco() {
  const int sel = static_cast<int>(SelectedRows().size());
  const ClipSelectState s = glimmora::SelectClipIco(Count(), sel, lang_);
  if (panel1_) panel1_->setText(Q(s.Panel1));
  ShowToolTip();

  CommandSwitches w;
  w.Whole("PoPIcoClipBoardMenu", s.Menu);
  for (int b : {kToolOpenWebSite, kToolEditWebSite, kToolAddWebSite, kToolSaveAsIco, kToolSaveAsBmp,
                kToolSaveWithOptions, kToolCopyToIconClipboard})
    w.Button(b, false);
  for (ClipCommand c : {ClipCommand::CopyToSystemClipboard, ClipCommand::CutToSystemClipboard})
    w.Item(c, s.SysClipboardItems);
  for (ClipCommand c : {ClipCommand::MoveSelectedIntoLibrary, ClipCommand::CopySelectedToFolder,
                        ClipCommand::MoveSelectedToFolder, ClipCommand::ClearSelection})
    w.Item(c, s.SelectedItems);
  for (int b : {kToolMoveClipboardIntoLibrary, kToolCopyClipboardToFolder, kToolDeleteAllClipboardIcons, kToolDelete,
                kToolCancelSelection, kToolReportView, kToolListView, kToolLargeIconsView})
    w.Button(b, s.SelectedItems);
  w.Item(ClipCommand::SelectAll, s.SelectAll);
  w.Button(kToolSelectAll, s.SelectAll);
  emit SwitchesChanged(w);
  return s;
}

void ClipboardPane::SelectAll() { list_->Selection()->select(QItemSelection(list_->Model()->index(0, 0),
    list_->Model()->index(Count() - 1, list_->Model()->columnCount() - 1)), QItemSelectionModel::Select); }

void ClipboardPane::ClearSelection() { list_->Selection()->clearSelection(); }

void ClipboardPane::DelIcoClipBoard(bool delAll, Prompter& prompter) {
  std::vector<std::string> failed;
  if (delAll) {
    failed = DelAllClipFiles(clipDir_);
    RelistIconClipboard(false);
  } else {
    const std::vector<std::string> names = Files(false);
    failed = DelClipFiles(clipDir_, names);
    std::vector<std::string> gone;
    for (const auto& n : names)
      if (std::find(failed.begin(), failed.end(), n) == failed.end()) gone.push_back(n);
    RemoveFiles(gone);
  }
  TellClipFilesNotDeleted(clipDir_, failed, prompter, lang_);
  SelectClipIco();
}

void ClipboardPane::RemoveFiles(const std::vector<std::string>& fileNames) {
  // From the bottom, so the rows above keep their place; one pass with the view held still.
  list_->setUpdatesEnabled(false);
  for (int r = Count() - 1; r >= 0; --r) {
    if (std::find(fileNames.begin(), fileNames.end(), files_[static_cast<std::size_t>(r)].FileName) ==
        fileNames.end())
      continue;
    list_->Model()->removeRow(r);
    files_.erase(files_.begin() + r);
  }
  list_->setUpdatesEnabled(true);
  if (imagesAdded_ > clipGrpSize_ + 2) RelistIconClipboard(false);
  else SelectClipIco();
}

void ClipboardPane::Export(bool all, bool move, FolderBrowser& browser, Prompter& prompter) {
  const std::string folder = browser.BrowseForFolder(std::string());
  if (folder.empty()) return;
  std::vector<std::string> copied;
  std::vector<std::string> failed;
  bool renamed = false;
  int k = 0;
  namespace fs = std::filesystem;
  for (int r = 0; r < Count(); ++r) {
    if (!all && !list_->Selection()->isRowSelected(r, QModelIndex())) continue;
    list_->ReportView()->scrollTo(list_->Model()->index(r, 0));
    const ClipFile& f = files_[static_cast<std::size_t>(r)];
    // The copy keeps the name the pane shows; a file already there is never overwritten.
    std::string target = JoinPath(folder, f.Key());
    std::error_code ec;
    while (fs::exists(target, ec)) {
      const std::string key = f.Key();
      target = JoinPath(folder, key.substr(0, key.size() - 4) + "-" + std::to_string(++k) + ".ico");
      renamed = true;
    }
    if (fs::copy_file(JoinPath(clipDir_, f.FileName), target, ec) && !ec) copied.push_back(f.FileName);
    else failed.push_back(f.FileName);
  }
  if (renamed) AskRow(prompter, lang_, kRowClipNameTaken);
  if (!failed.empty()) {
    std::string text = lang_.Row(kRowClipIconsNotCopied) + "\n" + folder;
    for (const auto& n : failed) text += "\n" + n;
    prompter.Tell(text, kRowClipIconsNotCopied, PromptIcon::Warning);
  }
  if (move) {
    // Only icons whose copy is safely in the folder leave the clipboard.
    const std::vector<std::string> notDeleted = DelClipFiles(clipDir_, copied);
    TellClipFilesNotDeleted(clipDir_, notDeleted, prompter, lang_);
    std::vector<std::string> gone;
    for (const auto& n : copied)
      if (std::find(notDeleted.begin(), notDeleted.end(), n) == notDeleted.end()) gone.push_back(n);
    RemoveFiles(gone);
  }
}

void ClipboardPane::OpenInEditor(const std::string& editor, Prompter& prompter,
                                 const std::function<bool(const std::string&, const std::string&)>& start) {
  if (Count() == 0) return;
  int row = FocusedRow();
  if (row < 0) {
    const QModelIndex current = list_->Selection()->currentIndex();
    row = current.isValid() ? current.row() : 0;
  }
  if (editor.empty()) {
    AskRow(prompter, lang_, kRowNoIconEditorSet);
    return;
  }
  QString program = Q(editor);
  if (!QFileInfo(program).isAbsolute()) program = QStandardPaths::findExecutable(program);
  if (program.isEmpty() || !QFileInfo(program).isFile()) {
    AskRow(prompter, lang_, kRowIconEditorNotFound);
    return;
  }
  dirty_ = true;
  if (start) start(program.toStdString(), PathOf(row));
}

}  // namespace glimmora
