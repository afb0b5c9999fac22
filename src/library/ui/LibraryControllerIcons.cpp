// The library page's icon commands: the pages of the library shown, its selection, deleting and
// copying its icons, the author window, and the icon clipboard's moves into a library.
#include <QApplication>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>
#include <map>


#include "save/CopyIcoFile.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
#include "library/CopyLibIco.h"
#include "library/LibEdits.h"
#include "library/LibPages.h"
#include "library/MoveToLib.h"
#include "library/ui/AuthorInfoDialog.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryController.h"
#include "library/ui/LibraryPage.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "shared/IconSelection.h"
#include "shared/BusyGuard.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/IconImages.h"
#include "shared/ui/QtText.h"
#include "text/RowPrompts.h"

namespace glimmora {
namespace {

// A run of std::vector<bool> as the contiguous flags the GUI-free calls take.
std::unique_ptr<bool[]> Flags(const std::vector<bool>& v) {
  auto flags = std::make_unique<bool[]>(v.size() + 1);
  for (std::size_t i = 0; i < v.size(); ++i) flags[i] = v[i];
  return flags;
}

}  // namespace

// ----- library pane -----

void LibraryController::ShowLibPages(int iconCount) {
  const LibPagesState s =
      MakeLibPagesState(iconCount, icons_->Count(), libGrpNo_, state_.LibGrpSize, state_.LangStr);
  libGrpCount_ = s.LibGrpCount;
  if (s.LibGrpNo > 0) libGrpNo_ = s.LibGrpNo;
  if (s.MultiPage) icons_->SetHeading(s.Caption);
  ShowPageButtons(s.MultiPage, s.PrevEnabled, s.NextEnabled);
}

void LibraryController::ShowPageButtons(bool shown, bool prev, bool next) {
  for (int i = 0; i < 2; ++i) {
    QToolButton* b = page_.PictureGrp(i);
    b->setVisible(shown);
    b->setEnabled(i == 0 ? prev : next);
  }
  CommandSwitches w;
  w.Whole("mn9LastGrpIcon", prev);
  w.Whole("mn10NextGrpIcon", next);
  emit SwitchesChanged(w);
}

void LibraryController::GetIcoFromLib() {
  if (busy_) return;
  BusyGuard busy(busy_);
  QTreeWidgetItem* node = tree_->Selected();
  page_.TextSelIcoKeyword()->clear();
  icons_->SetHeading(state_.Row(kRowLibColumnNumber));
  if (!node || LibraryTree::Kind(node) != LibNodeKind::Library) {
    const LibPage empty = CategoryPage(icons_->WorkDir(), state_.LangStr);
    icons_->Clear();
    paneSource_ = LibPaneSource::None;
    RecountLibIco();
    // A category shows an empty pane and says so.
    page_.StatusPanel(2)->setText(Q(empty.Status2));
    page_.StatusPanel(3)->clear();
    ShowLibPages(0);
    return;
  }
  const std::string name = NodeName(node->text(0).toStdString());
  page_.ImageComboLRD()->setEditText(Q(name));
  AddImageComboLRD();
  page_.ImageComboLRD()->setEditText(Q(name));

  LibPageRequest request;
  request.SrcPath = LibraryTree::SrcPath(node);
  request.CategoryName = node->parent() ? node->parent()->text(0).toStdString() : std::string();
  request.LibraryName = name;
  request.LibGrpNo = libGrpNo_;
  request.LibGrpSize = state_.LibGrpSize;
  request.WorkDir = icons_->WorkDir();
  LibPage page;
  {
    BusyCursor wait;
    page = glimmora::GetIcoFromLib(request, state_.LangStr, [this](int v) { Progress(v); });
    EndProgress();
  }
  icons_->Clear();
  paneSource_ = LibPaneSource::Page;
  if (page.Problem) {
    Ask().Tell(state_.LangStr.Row(kRowLibraryUnreadable) + "\n" + FaultText(state_.LangStr, *page.Problem),
               kRowLibraryUnreadable, PromptIcon::Warning);
    ShowLibPages(0);
    RecountLibIco();
    return;
  }
  if (page.IconCount == 0) {
    // An empty library shows an empty pane: no totals or page buttons of the library shown before.
    ShowLibPages(0);
    RecountLibIco();
    page_.StatusPanel(2)->clear();
    page_.StatusPanel(3)->clear();
    CommandSwitches w;
    w.Whole("PopIcoMenu", false);
    emit SwitchesChanged(w);
    return;
  }
  node->setText(0, Q(LibNodeText(name, page.IconCount)));
  libGrpNo_ = page.LibGrpNo;
  icons_->SetItems(page.Items);
  busy_ = false;
  ShowLibPages(page.IconCount);
  RecountLibIco();
  page_.StatusPanel(3)->clear();
  if (page.Unreadable > 0)
    Ask().Tell(state_.LangStr.Row(kRowPageIconsUnreadable) + " " + std::to_string(page.Unreadable),
               kRowPageIconsUnreadable, PromptIcon::Warning);
  if (page.WorkFolderNotReal) TellNotRealFolder(icons_->WorkDir(), Ask(), state_.LangStr);
  emit CaptionChanged();
}

void LibraryController::TurnIconPage(int index) {
  if (busy_) return;
  page_.ListViewLIco()->CurrentView()->setFocus();
  libGrpNo_ += index == 1 ? 1 : -1;
  if (libGrpNo_ < 1) libGrpNo_ = 1;
  if (libGrpCount_ > 0 && libGrpNo_ > libGrpCount_) libGrpNo_ = libGrpCount_;
  GetIcoFromLib();
  page_.ListViewLIco()->CurrentView()->setFocus();
}

// A library opened from the tree leaves the toolbar to the list that is current, so that the
// clipboard's move button stays usable while its icons are selected.
void LibraryController::RecountLibIco() {
  if (CurrentIs(Pane::ListViewLIco)) SelectLibIco();
  else icons_->SelectLibIco(page_.StatusPanel(2), page_.StatusPanel(3));
}

void LibraryController::SelectLibIco() {
  const LibSelectState s = icons_->SelectLibIco(page_.StatusPanel(2), page_.StatusPanel(3));
  page_.TextSelIcoKeyword()->setEnabled(s.KeywordBox);
  page_.CommandSaveKeyword()->setEnabled(s.KeywordBox);
  if (s.SetKeywordText) page_.TextSelIcoKeyword()->setText(Q(s.KeywordText));
  emit SwitchesChanged(LibIconList::Switches(s));
}

void LibraryController::SelectAllIcons() {
  icons_->SelectAll();
  SelectLibIco();
}

void LibraryController::CancelIconSelection() {
  icons_->ClearSelection();
  SelectLibIco();
}

void LibraryController::SelSomeIco(int acSize, int acColor) {
  if (busy_) return;
  std::vector<IconFacts> facts;
  for (const LibPaneItem& item : icons_->Items()) facts.push_back({item.Width, item.Height, item.BitCount});
  const std::vector<bool> now = glimmora::SelSomeIco(facts, icons_->SelectedFlags(), acSize, acColor);
  std::vector<int> rows;
  for (std::size_t i = 0; i < now.size(); ++i)
    if (now[i]) rows.push_back(static_cast<int>(i));
  icons_->SelectRows(rows);
  SelectLibIco();
}

void LibraryController::RenumberAfterDelete(const std::string& srcPath, const std::vector<int>& deletedEntries) {
  // The kept entries of that library moved up; the rows that still show them follow, with the
  // stamps of their new places, so later writes still find them.
  const LibraryReader reader = LibraryReader::Open(srcPath);
  for (int r = 0; r < icons_->Count(); ++r) {
    LibPaneItem& item = icons_->Item(r);
    if (item.SrcPath != srcPath) continue;
    const int before = static_cast<int>(
        std::count_if(deletedEntries.begin(), deletedEntries.end(), [&](int e) { return e < item.Entry; }));
    item.Entry -= before;
    const auto entry = reader.Item(item.Entry);
    item.Stamp = entry ? EntryStamp(*entry) : 0;
  }
}

void LibraryController::DeleteSelectedIcons() {
  if (busy_) return;
  ResetShiftKeys(state_, 0);
  const PromptAnswer answer = AskRowToDelete(Ask(), state_.LangStr, kRowAskDeleteLibIcons, PromptButtons::YesNo);
  const std::vector<int> rows = icons_->SelectedRows();
  if (answer == PromptAnswer::Yes) {
    // The library's own question comes even with nothing selected; then nothing is written.
    std::vector<LibPaneItem> chosen;
    for (int r : rows) chosen.push_back(icons_->Item(r));
    const KillResult result = KillIcoFromLib(chosen, Ask(), state_.LangStr);
    if (result.Cancelled) return;
    if (rows.empty()) {
      SelectLibIco();
      return;
    }
    for (const auto& [src, count] : result.NewCounts) tree_->SetLibraryCount(src, count);
    QTreeWidgetItem* node = tree_->Selected();
    const std::string shown = LibraryTree::SrcPath(node);
    if (paneSource_ == LibPaneSource::Page && result.NewCounts.count(shown) > 0) {
      libGrpNo_ = ClampLibPage(libGrpNo_, result.NewCounts.at(shown), state_.LibGrpSize);
      GetIcoFromLib();
      return;
    }
    // Search hits: the deleted rows go, the others of the same libraries are renumbered.
    std::vector<int> gone;
    std::map<std::string, std::vector<int>> deleted;
    for (int r : rows) {
      const LibPaneItem& item = icons_->Item(r);
      if (result.NewCounts.count(item.SrcPath) == 0) continue;
      gone.push_back(r);
      deleted[item.SrcPath].push_back(item.Entry);
    }
    icons_->RemoveRows(gone);
    for (const auto& [src, entries] : deleted) RenumberAfterDelete(src, entries);
    SelectLibIco();
    return;
  }
  // No: the icons leave the pane only; the library stays as it is.
  icons_->RemoveRows(rows);
  SelectLibIco();
}

std::vector<int> LibraryController::CopyLibIco(int subMnindex, SaveFormat icoBmp, bool allIco,
                                               bool toClipboard) {
  if (busy_ || icons_->Count() == 0) return {};
  CopyLibRequest request;
  request.SubMnindex = subMnindex;
  request.IcoBmp = icoBmp;
  request.AllIco = allIco;
  request.ToClipboard = toClipboard;
  request.WorkDir = icons_->WorkDir();
  request.ClipDir = clip_->ClipDir();
  request.ClipIcoCount = clip_->Count();
  request.LastClipKey = clip_->ClipboardState().LastKey;
  request.Mask = MaskAnswerOf(state_.SaveLibDir);
  if (!toClipboard) {
    ResetShiftKeys(state_, 0);
    std::optional<std::string> folder = ParamExportFolder(state_.SaveLibDir.UseNow != 0, state_.SaveLibDir.OtherDir);
    if (!folder) {
      if (!services_.Browser) return {};
      folder = ChooseExportFolder([this] { return services_.Browser->BrowseForFolder(std::string()); }, Ask(),
                                  state_.LangStr);
    }
    if (!folder) return {};
    request.TargetDir = *folder;
    // The readme names the library of the icons (the first one copied stands for a search's mix).
    const std::vector<int> sel = icons_->SelectedRows();
    const int first = allIco || sel.empty() ? 0 : sel.front();
    const LibPaneItem& item = icons_->Item(first);
    request.ReadmeLine = LibReadmeLine(state_.AppTitle, item.CategoryName, item.LibraryName + " (");
  }
  const std::vector<bool> selected = icons_->SelectedFlags();
  const auto flags = Flags(selected);
  CopyLibResult result;
  {
    BusyGuard busy(busy_);
    BusyCursor wait;
    result = glimmora::CopyLibIco(request, icons_->Items(), std::span<const bool>(flags.get(), selected.size()),
                                  Time(), Ask(), state_.LangStr, [] { QCoreApplication::processEvents(); });
  }
  if (allIco) icons_->ClearSelection();
  const std::string failed = FailedSaveText(result.Failed, result.Copied.size(), kRowIconsNotWritten, state_.LangStr);
  if (!failed.empty()) Ask().Tell(failed, kRowIconsNotWritten, PromptIcon::Warning);
  if (toClipboard) clip_->RelistIconClipboard(true);
  return result.Copied;
}

void LibraryController::CopyIcotoIcoClipBoard(int size, bool cut) {
  if (busy_) return;
  const std::vector<int> copied = CopyLibIco(size, SaveFormat::Ico, false, true);
  if (cut && !copied.empty()) {
    // Only the icons now in the clipboard leave the library.
    icons_->ClearSelection();
    icons_->SelectRows(copied);
    DeleteSelectedIcons();
  }
  page_.ListViewLIco()->CurrentView()->setFocus();
  SelectLibIco();
}

void LibraryController::CopyIcotoSysClipBoard(int size, bool cut, bool fromClipboardPane) {
  if (busy_) return;
  PutOnSystemClipboard(nullptr);
  const int row = fromClipboardPane ? clip_->FocusedRow() : icons_->FocusedRow();
  if (row < 0) return;
  CopyIcoRequest r;
  r.SizeSel = size;
  r.SourceDir = fromClipboardPane ? clip_->ClipDir() : icons_->WorkDir();
  r.FileName = fromClipboardPane ? clip_->File(row).FileName : icons_->Item(row).Key;
  r.TargetDir = "CopytoSysClipboard";
  r.TargetName = "CopytoSysClipboard";
  r.IcoBmp = SaveFormat::Bmp;
  r.ToSysClipboard = true;
  r.mask = MaskAnswer::No;
  const CopyIcoResult result = CopyIcoFile(r, Ask(), state_.LangStr);
  if (result.clipboard)
    PutOnSystemClipboard(&*result.clipboard, result.clipboardAlpha ? &*result.clipboardAlpha : nullptr);
  if (cut && !fromClipboardPane && result.clipboard) {
    icons_->ClearSelection();
    icons_->SelectRows({row});
    DeleteSelectedIcons();
  }
}

void LibraryController::SaveIconsWithDefaults() {
  SaveDirRec& rec = state_.SaveLibDir;
  if (rec.SaveSel > 1 || rec.SaveAs > 1) return;
  rec.UseNow = -1;
  CopyLibIco(rec.IcoSize, rec.SaveAs == 0 ? SaveFormat::Ico : SaveFormat::Bmp, rec.SaveSel == 1, false);
  rec.UseNow = 0;
}

void LibraryController::OpenAuthorInf() {
  if (!author_) {
    author_ = new AuthorInfoDialog(state_.LangStr, services_.Opener, &page_);
    author_->setWindowFlag(Qt::Window);
    connect(author_, &AuthorInfoDialog::SaveRequested, this, [this] { SaveAuthor(); });
  }
  LoadAuthor();
  author_->show();
  author_->raise();
  author_->activateWindow();
}

void LibraryController::LoadAuthor() {
  if (!author_) return;
  int row = icons_->FocusedRow();
  if (row < 0) {
    const QModelIndex current = page_.ListViewLIco()->Selection()->currentIndex();
    row = current.isValid() ? current.row() : -1;
  }
  authorRow_ = row;
  if (row < 0 || row >= icons_->Count()) {
    author_->Load({}, QString(), false);
    return;
  }
  const LibPaneItem& item = icons_->Item(row);
  // The boxes show what the library holds now, not what the pane showed when it was filled.
  const auto fields = ReadAuthorInf(item, state_.CurLang());
  author_->Load(fields.value_or(AuthorFields{}), Q(item.InfoText(state_.LangStr)), fields.has_value());
}

void LibraryController::SaveAuthor() {
  if (!author_ || authorRow_ < 0 || authorRow_ >= icons_->Count()) return;
  LibPaneItem& item = icons_->Item(authorRow_);
  if (!SaveAuthorInf(item, author_->Fields(), Ask(), state_.LangStr)) return;
  icons_->RefreshRows({authorRow_});
  // The boxes show what was stored, which a field too small for the text typed has cut.
  author_->Load(AuthorFields{item.AuthorName, item.AuthorEmail, item.AuthorHomepage, item.Note},
                Q(item.InfoText(state_.LangStr)), true);
}

// ----- icon clipboard -----

void LibraryController::SelectClipIco() { clip_->SelectClipIco(); }

void LibraryController::MoveIcoToLib(bool allIco) {
  QTreeWidgetItem* node = tree_->Selected();
  if (!node) return;
  MoveRequest request;
  request.Target.IsCategory = LibraryTree::Kind(node) != LibNodeKind::Library;
  request.Target.CategoryHasChildren = node->childCount() > 0;
  request.Target.NodeText = node->text(0).toStdString();
  request.Target.ParentText = node->parent() ? node->parent()->text(0).toStdString() : std::string();
  request.Target.SrcPath = LibraryTree::SrcPath(node);
  request.AllIco = allIco;
  request.ClipFiles = clip_->Files(allIco);
  request.ClipDir = clip_->ClipDir();
  request.WorkDir = icons_->WorkDir();
  request.LastPaneKey = icons_->Count() > 0 ? icons_->Items().back().Key : std::string();
  request.PaneCount = icons_->Count();
  request.LibGrpSize = state_.LibGrpSize;
  ResetShiftKeys(state_, 0);
  MoveResult result;
  {
    BusyCursor wait;
    result = glimmora::MoveIcoToLib(request, Ask(), state_.LangStr);
  }
  if (!result.Asked || !result.Ok) return;
  icons_->AddItems(result.NewPaneItems, state_.LibGrpSize);
  if (paneSource_ == LibPaneSource::None) paneSource_ = LibPaneSource::Page;
  if (!result.Moved.empty()) node->setText(0, Q(result.NodeText));
  ShowLibPages(result.IconCount);
  std::vector<std::string> gone;
  for (const auto& n : result.Moved)
    if (std::find(result.NotDeleted.begin(), result.NotDeleted.end(), n) == result.NotDeleted.end()) gone.push_back(n);
  clip_->RemoveFiles(gone);
  icons_->SelectLibIco(page_.StatusPanel(2), page_.StatusPanel(3));
}

void LibraryController::RunClipboardCommand(ClipCommand command) {
  if (busy_) return;
  switch (command) {
    case ClipCommand::MoveSelectedIntoLibrary: MoveIcoToLib(false); break;
    case ClipCommand::MoveAllIntoLibrary: MoveIcoToLib(true); break;
    case ClipCommand::CopySelectedToFolder:
    case ClipCommand::CopyAllToFolder:
    case ClipCommand::MoveSelectedToFolder:
    case ClipCommand::MoveAllToFolder: {
      ResetShiftKeys(state_, 0);
      const bool all = command == ClipCommand::CopyAllToFolder || command == ClipCommand::MoveAllToFolder;
      const bool move = command == ClipCommand::MoveSelectedToFolder || command == ClipCommand::MoveAllToFolder;
      if (services_.Browser) clip_->Export(all, move, *services_.Browser, Ask());
      break;
    }
    case ClipCommand::SelectAll: clip_->SelectAll(); break;
    case ClipCommand::ClearSelection: clip_->ClearSelection(); break;
    case ClipCommand::DeleteSelected:
    case ClipCommand::DeleteAll: {
      ResetShiftKeys(state_, 0);
      const bool all = command == ClipCommand::DeleteAll;
      if (AskRowToDelete(Ask(), state_.LangStr, all ? kRowAskDeleteAllClipIcons : kRowAskDeleteSelectedClipIcons,
                         PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
      clip_->DelIcoClipBoard(all, Ask());
      break;
    }
    case ClipCommand::CopyToSystemClipboard: CopyIcotoSysClipBoard(0, false, true); break;
    case ClipCommand::CutToSystemClipboard: {
      // Only the icon put on the system clipboard leaves the icon clipboard.
      const int row = clip_->FocusedRow();
      CopyIcotoSysClipBoard(0, false, true);
      if (row >= 0) {
        clip_->ClearSelection();
        clip_->List()->Selection()->select(clip_->List()->Model()->index(row, 0),
                                           QItemSelectionModel::Select | QItemSelectionModel::Rows);
        clip_->DelIcoClipBoard(false, Ask());
      }
      break;
    }
    case ClipCommand::Refresh: clip_->RelistIconClipboard(false); break;
    case ClipCommand::OpenInEditor: {
      const std::string editor = services_.EditorPath ? services_.EditorPath() : state_.SaveLibDir.IconEditTool;
      clip_->OpenInEditor(editor, Ask(), services_.StartEditor ? services_.StartEditor : StartDetachedEditor);
      break;
    }
  }
  SelectClipIco();
}

}  // namespace glimmora
