#include "library/ui/LibraryPaneActions.h"

#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <map>

#include "library/CopyLibIco.h"
#include "library/LibEdits.h"
#include "library/LibPages.h"
#include "library/ui/AuthorInfoDialog.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryPage.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "shared/BusyGuard.h"
#include "shared/IconSelection.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/IconImages.h"
#include "shared/ui/QtText.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
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

LibraryPaneActions::LibraryPaneActions(LibraryPageContext& ctx, QObject* parent) : QObject(parent), ctx_(ctx) {
  LibraryPageList* list = ctx_.Page.ListViewLIco();
  connect(list->Selection(), &QItemSelectionModel::selectionChanged, this, [this] {
    RecountLibIco();
    if (author_ && author_->isVisible()) LoadAuthor();
  });
  // A double click anywhere in the pane, on an icon or beside the icons, opens the author window
  // (the event filter); the views' own signal comes only for a click on an item.
  for (QAbstractItemView* v :
       {static_cast<QAbstractItemView*>(list->ReportView()), static_cast<QAbstractItemView*>(list->IconView())})
    v->viewport()->installEventFilter(this);
  for (int i = 0; i < 2; ++i)
    connect(ctx_.Page.PictureGrp(i), &QToolButton::clicked, this, [this, i] { TurnIconPage(i); });
}

LibraryPaneActions::~LibraryPaneActions() { delete author_.data(); }

AuthorInfoDialog* LibraryPaneActions::Author() const { return author_.data(); }

bool LibraryPaneActions::IsViewport(QObject* watched) const {
  LibraryPageList* list = ctx_.Page.ListViewLIco();
  return watched == list->ReportView()->viewport() || watched == list->IconView()->viewport();
}

bool LibraryPaneActions::eventFilter(QObject* watched, QEvent* event) {
  if (ctx_.Detached || !IsViewport(watched)) return false;
  switch (event->type()) {
    case QEvent::MouseButtonDblClick: OpenAuthorInf(); break;
    case QEvent::MouseButtonPress: {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      if (mouse->button() == Qt::LeftButton) ctx_.PreviewPressed(watched, *mouse, PreviewList::LibraryIcons);
      break;
    }
    case QEvent::MouseButtonRelease: ctx_.Preview->hide(); break;
    default: break;
  }
  return false;
}

void LibraryPaneActions::ShowLibPages(int iconCount) {
  const LibPagesState s =
      MakeLibPagesState(iconCount, ctx_.Icons->Count(), libGrpNo_, ctx_.State.LibGrpSize, ctx_.State.LangStr);
  libGrpCount_ = s.LibGrpCount;
  if (s.LibGrpNo > 0) libGrpNo_ = s.LibGrpNo;
  if (s.MultiPage) ctx_.Icons->SetHeading(s.Caption);
  ShowPageButtons(s.MultiPage, s.PrevEnabled, s.NextEnabled);
}

void LibraryPaneActions::ShowPageButtons(bool shown, bool prev, bool next) {
  for (int i = 0; i < 2; ++i) {
    QToolButton* b = ctx_.Page.PictureGrp(i);
    b->setVisible(shown);
    b->setEnabled(i == 0 ? prev : next);
  }
  CommandSwitches w;
  w.Whole("mn9LastGrpIcon", prev);
  w.Whole("mn10NextGrpIcon", next);
  emit SwitchesChanged(w);
}

void LibraryPaneActions::GetIcoFromLib() {
  if (ctx_.Busy) return;
  BusyGuard busy(ctx_.Busy);
  QTreeWidgetItem* node = ctx_.Tree->Selected();
  ctx_.Page.TextSelIcoKeyword()->clear();
  ctx_.Icons->SetHeading(ctx_.State.Row(kRowLibColumnNumber));
  if (!node || LibraryTree::Kind(node) != LibNodeKind::Library) {
    const LibPage empty = CategoryPage(ctx_.Icons->WorkDir(), ctx_.State.LangStr);
    ctx_.Icons->Clear();
    source_ = LibPaneSource::None;
    RecountLibIco();
    // A category shows an empty pane and says so.
    ctx_.Page.StatusPanel(2)->setText(Q(empty.Status2));
    ctx_.Page.StatusPanel(3)->clear();
    ShowLibPages(0);
    return;
  }
  const std::string name = NodeName(node->text(0).toStdString());
  ctx_.Page.ImageComboLRD()->setEditText(Q(name));
  AddImageComboLRD();
  ctx_.Page.ImageComboLRD()->setEditText(Q(name));

  LibPageRequest request;
  request.SrcPath = LibraryTree::SrcPath(node);
  request.CategoryName = node->parent() ? node->parent()->text(0).toStdString() : std::string();
  request.LibraryName = name;
  request.LibGrpNo = libGrpNo_;
  request.LibGrpSize = ctx_.State.LibGrpSize;
  request.WorkDir = ctx_.Icons->WorkDir();
  LibPage page;
  {
    BusyCursor wait;
    page = glimmora::GetIcoFromLib(request, ctx_.State.LangStr, [this](int v) { ctx_.Progress(v); });
    ctx_.EndProgress();
  }
  ctx_.Icons->Clear();
  source_ = LibPaneSource::Page;
  if (page.Problem) {
    ctx_.Ask().Tell(ctx_.State.LangStr.Row(kRowLibraryUnreadable) + "\n" + FaultText(ctx_.State.LangStr, *page.Problem),
                    kRowLibraryUnreadable, PromptIcon::Warning);
    ShowLibPages(0);
    RecountLibIco();
    return;
  }
  if (page.IconCount == 0) {
    // An empty library shows an empty pane: no totals or page buttons of the library shown before.
    ShowLibPages(0);
    RecountLibIco();
    ctx_.Page.StatusPanel(2)->clear();
    ctx_.Page.StatusPanel(3)->clear();
    CommandSwitches w;
    w.Whole("PopIcoMenu", false);
    emit SwitchesChanged(w);
    return;
  }
  node->setText(0, Q(LibNodeText(name, page.IconCount)));
  libGrpNo_ = page.LibGrpNo;
  ctx_.Icons->SetItems(page.Items);
  ctx_.Busy = false;
  ShowLibPages(page.IconCount);
  RecountLibIco();
  ctx_.Page.StatusPanel(3)->clear();
  if (page.Unreadable > 0)
    ctx_.Ask().Tell(ctx_.State.LangStr.Row(kRowPageIconsUnreadable) + " " + std::to_string(page.Unreadable),
               kRowPageIconsUnreadable, PromptIcon::Warning);
  if (page.WorkFolderNotReal) TellNotRealFolder(ctx_.Icons->WorkDir(), ctx_.Ask(), ctx_.State.LangStr);
  emit CaptionChanged();
}

void LibraryPaneActions::OpenFirstPage() {
  libGrpNo_ = 0;
  GetIcoFromLib();
}

void LibraryPaneActions::ShowSearchHits(const std::vector<LibPaneItem>& items) {
  ctx_.Icons->SetHeading(ctx_.State.Row(kRowLibColumnNumber));
  ctx_.Icons->SetItems(items);
  source_ = LibPaneSource::Search;
  ShowPageButtons(false, false, false);
  SelectLibIco();
}

void LibraryPaneActions::AddMovedIcons(const std::vector<LibPaneItem>& items) {
  ctx_.Icons->AddItems(items, ctx_.State.LibGrpSize);
  if (source_ == LibPaneSource::None) source_ = LibPaneSource::Page;
}

void LibraryPaneActions::TurnIconPage(int index) {
  if (ctx_.Busy) return;
  ctx_.Page.ListViewLIco()->CurrentView()->setFocus();
  libGrpNo_ += index == 1 ? 1 : -1;
  if (libGrpNo_ < 1) libGrpNo_ = 1;
  if (libGrpCount_ > 0 && libGrpNo_ > libGrpCount_) libGrpNo_ = libGrpCount_;
  GetIcoFromLib();
  ctx_.Page.ListViewLIco()->CurrentView()->setFocus();
}

// A library opened from the tree leaves the toolbar to the list that is current, so that the
// clipboard's move button stays usable while its icons are selected.
void LibraryPaneActions::RecountLibIco() {
  if (ctx_.CurrentIs(Pane::ListViewLIco)) SelectLibIco();
  else ctx_.Icons->SelectLibIco(ctx_.Page.StatusPanel(2), ctx_.Page.StatusPanel(3));
}

void LibraryPaneActions::SelectLibIco() {
  const LibSelectState s = ctx_.Icons->SelectLibIco(ctx_.Page.StatusPanel(2), ctx_.Page.StatusPanel(3));
  ctx_.Page.TextSelIcoKeyword()->setEnabled(s.KeywordBox);
  ctx_.Page.CommandSaveKeyword()->setEnabled(s.KeywordBox);
  if (s.SetKeywordText) ctx_.Page.TextSelIcoKeyword()->setText(Q(s.KeywordText));
  emit SwitchesChanged(LibIconList::Switches(s));
}

void LibraryPaneActions::SelectAllIcons() {
  ctx_.Icons->SelectAll();
  SelectLibIco();
}

void LibraryPaneActions::CancelIconSelection() {
  ctx_.Icons->ClearSelection();
  SelectLibIco();
}

void LibraryPaneActions::SelSomeIco(int acSize, int acColor) {
  if (ctx_.Busy) return;
  std::vector<IconFacts> facts;
  for (const LibPaneItem& item : ctx_.Icons->Items()) facts.push_back({item.Width, item.Height, item.BitCount});
  const std::vector<bool> now = glimmora::SelSomeIco(facts, ctx_.Icons->SelectedFlags(), acSize, acColor);
  std::vector<int> rows;
  for (std::size_t i = 0; i < now.size(); ++i)
    if (now[i]) rows.push_back(static_cast<int>(i));
  ctx_.Icons->SelectRows(rows);
  SelectLibIco();
}

void LibraryPaneActions::RenumberAfterDelete(const std::string& srcPath, const std::vector<int>& deletedEntries) {
  // The kept entries of that library moved up; the rows that still show them follow, with the
  // stamps of their new places, so later writes still find them.
  const LibraryReader reader = LibraryReader::Open(srcPath);
  for (int r = 0; r < ctx_.Icons->Count(); ++r) {
    LibPaneItem& item = ctx_.Icons->Item(r);
    if (item.SrcPath != srcPath) continue;
    const int before = static_cast<int>(
        std::count_if(deletedEntries.begin(), deletedEntries.end(), [&](int e) { return e < item.Entry; }));
    item.Entry -= before;
    const auto entry = reader.Item(item.Entry);
    item.Stamp = entry ? EntryStamp(*entry) : 0;
  }
}

void LibraryPaneActions::DeleteSelectedIcons() {
  if (ctx_.Busy) return;
  ResetShiftKeys(ctx_.State, 0);
  const PromptAnswer answer =
      AskRowToDelete(ctx_.Ask(), ctx_.State.LangStr, kRowAskDeleteLibIcons, PromptButtons::YesNo);
  const std::vector<int> rows = ctx_.Icons->SelectedRows();
  if (answer == PromptAnswer::Yes) {
    // The library's own question comes even with nothing selected; then nothing is written.
    std::vector<LibPaneItem> chosen;
    for (int r : rows) chosen.push_back(ctx_.Icons->Item(r));
    const KillResult result = KillIcoFromLib(chosen, ctx_.Ask(), ctx_.State.LangStr);
    if (result.Cancelled) return;
    if (rows.empty()) {
      SelectLibIco();
      return;
    }
    for (const auto& [src, count] : result.NewCounts) ctx_.Tree->SetLibraryCount(src, count);
    QTreeWidgetItem* node = ctx_.Tree->Selected();
    const std::string shown = LibraryTree::SrcPath(node);
    if (source_ == LibPaneSource::Page && result.NewCounts.count(shown) > 0) {
      libGrpNo_ = ClampLibPage(libGrpNo_, result.NewCounts.at(shown), ctx_.State.LibGrpSize);
      GetIcoFromLib();
      return;
    }
    // Search hits: the deleted rows go, the others of the same libraries are renumbered.
    std::vector<int> gone;
    std::map<std::string, std::vector<int>> deleted;
    for (int r : rows) {
      const LibPaneItem& item = ctx_.Icons->Item(r);
      if (result.NewCounts.count(item.SrcPath) == 0) continue;
      gone.push_back(r);
      deleted[item.SrcPath].push_back(item.Entry);
    }
    ctx_.Icons->RemoveRows(gone);
    for (const auto& [src, entries] : deleted) RenumberAfterDelete(src, entries);
    SelectLibIco();
    return;
  }
  // No: the icons leave the pane only; the library stays as it is.
  ctx_.Icons->RemoveRows(rows);
  SelectLibIco();
}

std::vector<int> LibraryPaneActions::CopyLibIco(int subMnindex, SaveFormat icoBmp, bool allIco,
                                               bool toClipboard) {
  if (ctx_.Busy || ctx_.Icons->Count() == 0) return {};
  CopyLibRequest request;
  request.SubMnindex = subMnindex;
  request.IcoBmp = icoBmp;
  request.AllIco = allIco;
  request.ToClipboard = toClipboard;
  request.WorkDir = ctx_.Icons->WorkDir();
  request.ClipDir = ctx_.Clip->ClipDir();
  request.ClipIcoCount = ctx_.Clip->Count();
  request.LastClipKey = ctx_.Clip->ClipboardState().LastKey;
  request.Mask = MaskAnswerOf(ctx_.State.SaveLibDir);
  if (!toClipboard) {
    ResetShiftKeys(ctx_.State, 0);
    const SaveDirRec& dirs = ctx_.State.SaveLibDir;
    std::optional<std::string> folder = ParamExportFolder(dirs.UseNow != 0, dirs.OtherDir);
    if (!folder) {
      if (!ctx_.Services.Browser) return {};
      folder = ChooseExportFolder([this] { return ctx_.Services.Browser->BrowseForFolder(std::string()); }, ctx_.Ask(),
                                  ctx_.State.LangStr);
    }
    if (!folder) return {};
    request.TargetDir = *folder;
    // The readme names the library of the icons (the first one copied stands for a search's mix).
    const std::vector<int> sel = ctx_.Icons->SelectedRows();
    const int first = allIco || sel.empty() ? 0 : sel.front();
    const LibPaneItem& item = ctx_.Icons->Item(first);
    request.ReadmeLine = LibReadmeLine(ctx_.State.AppTitle, item.CategoryName, item.LibraryName + " (");
  }
  const std::vector<bool> selected = ctx_.Icons->SelectedFlags();
  const auto flags = Flags(selected);
  CopyLibResult result;
  {
    BusyGuard busy(ctx_.Busy);
    BusyCursor wait;
    result = glimmora::CopyLibIco(request, ctx_.Icons->Items(), std::span<const bool>(flags.get(), selected.size()),
                                  ctx_.Time(), ctx_.Ask(), ctx_.State.LangStr,
                                  [] { QCoreApplication::processEvents(); });
  }
  if (allIco) ctx_.Icons->ClearSelection();
  const std::string failed =
      FailedSaveText(result.Failed, result.Copied.size(), kRowIconsNotWritten, ctx_.State.LangStr);
  if (!failed.empty()) ctx_.Ask().Tell(failed, kRowIconsNotWritten, PromptIcon::Warning);
  if (toClipboard) ctx_.Clip->RelistIconClipboard(true);
  return result.Copied;
}

void LibraryPaneActions::CopyIcotoIcoClipBoard(int size, bool cut) {
  if (ctx_.Busy) return;
  const std::vector<int> copied = CopyLibIco(size, SaveFormat::Ico, false, true);
  if (cut && !copied.empty()) {
    // Only the icons now in the clipboard leave the library.
    ctx_.Icons->ClearSelection();
    ctx_.Icons->SelectRows(copied);
    DeleteSelectedIcons();
  }
  ctx_.Page.ListViewLIco()->CurrentView()->setFocus();
  SelectLibIco();
}

void LibraryPaneActions::CopyIcotoSysClipBoard(int size, bool cut) {
  if (ctx_.Busy) return;
  PutOnSystemClipboard(nullptr);
  const int row = ctx_.Icons->FocusedRow();
  if (row < 0) return;
  if (ctx_.CopyToSystemClipboard(ctx_.Icons->WorkDir(), ctx_.Icons->Item(row).Key, size) && cut) {
    ctx_.Icons->ClearSelection();
    ctx_.Icons->SelectRows({row});
    DeleteSelectedIcons();
  }
}

void LibraryPaneActions::SaveIconsWithDefaults() {
  SaveDirRec& rec = ctx_.State.SaveLibDir;
  if (rec.SaveSel > 1 || rec.SaveAs > 1) return;
  rec.UseNow = -1;
  CopyLibIco(rec.IcoSize, rec.SaveAs == 0 ? SaveFormat::Ico : SaveFormat::Bmp, rec.SaveSel == 1, false);
  rec.UseNow = 0;
}

void LibraryPaneActions::OpenAuthorInf() {
  if (!author_) {
    author_ = new AuthorInfoDialog(ctx_.State.LangStr, ctx_.Services.Opener, &ctx_.Page);
    author_->setWindowFlag(Qt::Window);
    connect(author_, &AuthorInfoDialog::SaveRequested, this, [this] { SaveAuthor(); });
  }
  LoadAuthor();
  author_->show();
  author_->raise();
  author_->activateWindow();
}

void LibraryPaneActions::LoadAuthor() {
  if (!author_) return;
  int row = ctx_.Icons->FocusedRow();
  if (row < 0) {
    const QModelIndex current = ctx_.Page.ListViewLIco()->Selection()->currentIndex();
    row = current.isValid() ? current.row() : -1;
  }
  authorRow_ = row;
  if (row < 0 || row >= ctx_.Icons->Count()) {
    author_->Load({}, QString(), false);
    return;
  }
  const LibPaneItem& item = ctx_.Icons->Item(row);
  // The boxes show what the library holds now, not what the pane showed when it was filled.
  const auto fields = ReadAuthorInf(item, ctx_.State.CurLang());
  author_->Load(fields.value_or(AuthorFields{}), Q(item.InfoText(ctx_.State.LangStr)), fields.has_value());
}

void LibraryPaneActions::SaveAuthor() {
  if (!author_ || authorRow_ < 0 || authorRow_ >= ctx_.Icons->Count()) return;
  LibPaneItem& item = ctx_.Icons->Item(authorRow_);
  if (!SaveAuthorInf(item, author_->Fields(), ctx_.Ask(), ctx_.State.LangStr)) return;
  ctx_.Icons->RefreshRows({authorRow_});
  // The boxes show what was stored, which a field too small for the text typed has cut.
  author_->Load(AuthorFields{item.AuthorName, item.AuthorEmail, item.AuthorHomepage, item.Note},
                Q(item.InfoText(ctx_.State.LangStr)), true);
}

void LibraryPaneActions::AddImageComboLRD() {
  QComboBox* box = ctx_.Page.ImageComboLRD();
  const QString text = box->currentText();
  if (text.isEmpty() || !recent_.Add(text.toStdString())) return;
  const QSignalBlocker block(box);
  QTreeWidgetItem* node = ctx_.Tree->Selected();
  box->addItem(node ? node->icon(0) : QIcon(), text);
  while (box->count() > static_cast<int>(kHistoryLimit)) box->removeItem(0);
  box->setCurrentIndex(-1);
  box->setEditText(text);
}

}  // namespace glimmora
