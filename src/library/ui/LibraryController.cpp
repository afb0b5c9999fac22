#include "library/ui/LibraryController.h"

#include <QApplication>
#include <QComboBox>
#include <QCursor>
#include <QEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QStandardItemModel>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include <algorithm>
#include <map>

#include "common/CopyIcoFile.h"
#include "common/FileBytes.h"
#include "common/Paths.h"
#include "library/CopyLibIco.h"
#include "library/KeywordSearch.h"
#include "library/LibEdits.h"
#include "library/LibPages.h"
#include "library/LibraryReader.h"
#include "library/MoveToLib.h"
#include "library/ui/AuthorInfoDialog.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryManagerDialog.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "library/ui/LibraryPage.h"
#include "shared/IconSelection.h"
#include "shared/ui/IconImages.h"
#include "shared/ui/Preview.h"
#include "shared/ui/QtText.h"

namespace glimmora {
namespace {

constexpr std::size_t kLargestPreviewIcon = 4u << 20;

// Without a prompter attached nothing is asked and nothing is agreed to.
class DecliningPrompter : public Prompter {
 public:
  PromptAnswer Ask(const PromptRequest& r) override {
    return r.buttons == PromptButtons::Ok ? PromptAnswer::Ok : PromptAnswer::Cancel;
  }
};

MaskAnswer MaskOf(const SaveDirRec& rec) {
  return rec.MaskColorAns <= 2 ? static_cast<MaskAnswer>(rec.MaskColorAns) : MaskAnswer::Yes;
}

// A run of std::vector<bool> as the contiguous flags the GUI-free calls take.
std::unique_ptr<bool[]> Flags(const std::vector<bool>& v) {
  auto flags = std::make_unique<bool[]>(v.size() + 1);
  for (std::size_t i = 0; i < v.size(); ++i) flags[i] = v[i];
  return flags;
}

QString UpperName(const QString& nodeText) {
  const int p = nodeText.indexOf(QStringLiteral(" ("));
  return (p >= 0 ? nodeText.left(p) : nodeText).toUpper();
}

}  // namespace

class LibraryController::BusyGuard {
 public:
  explicit BusyGuard(bool& flag) : flag_(flag) { flag_ = true; }
  ~BusyGuard() { flag_ = false; }

 private:
  bool& flag_;
};

LibraryController::LibraryController(LibraryPage& page, AppState& state, QObject* parent)
    : QObject(parent), page_(page), state_(state), fallbackPrompter_(std::make_unique<DecliningPrompter>()),
      systemClock_(std::make_unique<SystemClock>()) {
  const std::string app = state.AppPath;
  tree_ = new LibraryTree(page.TreeViewL(), JoinPath(app, "IconLib"), state.LangStr, this);
  clip_ = new ClipboardPane(page.ListViewIcoClipboard(), page.StatusPanel(1), JoinPath(app, "IconClipBoard"),
                            state.LangStr, state.ClipGrpSize, this);
  icons_ = new LibIconList(page.ListViewLIco(), JoinPath(app, "LibIconTemp"), state.LangStr, this);
  preview_ = new RealSizePreview(&page);
  ConnectWidgets();
}

LibraryController::~LibraryController() {
  delete author_.data();
  delete manager_.data();
}

AuthorInfoDialog* LibraryController::Author() const { return author_.data(); }
LibraryManagerDialog* LibraryController::Manager() const { return manager_.data(); }

void LibraryController::Detach() {
  detached_ = true;
  blockSignals(true);
}

void LibraryController::SetServices(LibraryServices services) { services_ = std::move(services); }

Prompter& LibraryController::Ask() { return services_.Ask ? *services_.Ask : *fallbackPrompter_; }
const Clock& LibraryController::Time() const { return services_.Time ? *services_.Time : *systemClock_; }

bool LibraryController::CurrentIs(const char* pane) const { return state_.CurListView == pane; }

void LibraryController::ConnectWidgets() {
  QTreeWidget* tree = page_.TreeViewL();
  tree->setToolTip(Q(state_.Row(214)));
  connect(tree, &QTreeWidget::currentItemChanged, this, [this, tree](QTreeWidgetItem* now, QTreeWidgetItem*) {
    // Moving through the tree with the keys opens what it reaches, as a click does.
    if (!tree->hasFocus() || !now || busy_) return;
    justLoaded_ = now;
    NodeClick();
  });
  connect(tree, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
    if (item == justLoaded_) {
      justLoaded_ = nullptr;
      return;
    }
    NodeClick();
  });
  tree->viewport()->installEventFilter(this);

  connect(clip_, &ClipboardPane::SwitchesChanged, this, &LibraryController::SwitchesChanged);
  LibraryPageList* clipList = page_.ListViewIcoClipboard();
  connect(clipList->Selection(), &QItemSelectionModel::selectionChanged, this, [this] {
    if (CurrentIs("ListViewIcoClipboard")) SelectClipIco();
  });
  LibraryPageList* libList = page_.ListViewLIco();
  connect(libList->Selection(), &QItemSelectionModel::selectionChanged, this, [this] {
    RecountLibIco();
    if (author_ && author_->isVisible()) LoadAuthor();
  });
  for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(clipList->ReportView()),
                               static_cast<QAbstractItemView*>(clipList->IconView())}) {
    connect(v, &QAbstractItemView::doubleClicked, this, [this] { PopIcoClipBoardSub(24); });
    v->viewport()->installEventFilter(this);
    v->installEventFilter(this);
  }
  // A double click anywhere in the library pane, on an icon or beside the icons, opens the author
  // window (the event filter); the views' own signal comes only for a click on an item.
  for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(libList->ReportView()),
                               static_cast<QAbstractItemView*>(libList->IconView())})
    v->viewport()->installEventFilter(this);
  for (int i = 0; i < 2; ++i)
    connect(page_.PictureGrp(i), &QToolButton::clicked, this, [this, i] { PictureGrp_Click(i); });

  QComboBox* keyword = page_.ComboLKeyword();
  keyword->setInsertPolicy(QComboBox::NoInsert);
  keyword->setEditText(Q(state_.Row(770)));
  // In a real window the box itself holds the focus and receives the keys; its line edit does
  // when a test or the box forwards them. Both are watched.
  keyword->installEventFilter(this);
  keyword->lineEdit()->installEventFilter(this);
  connect(keyword, QOverload<int>::of(&QComboBox::activated), this, [this](int) { KeywordChosen(); });
  connect(page_.CommandSearchKeyword(), &QPushButton::clicked, this, [this] {
    ResetShiftKeys(state_, 0);
    SearchLibByKeyword();
  });
  connect(page_.CommandSaveKeyword(), &QPushButton::clicked, this, &LibraryController::CommandSaveKeyword_Click);
  page_.TextSelIcoKeyword()->setEnabled(false);
  page_.CommandSaveKeyword()->setEnabled(false);

  QComboBox* recent = page_.ImageComboLRD();
  recent->setInsertPolicy(QComboBox::NoInsert);
  recent->installEventFilter(this);
  recent->lineEdit()->installEventFilter(this);
  connect(recent, QOverload<int>::of(&QComboBox::activated), this, [this](int) { ImageComboLRDPrg(); });
}

bool LibraryController::eventFilter(QObject* watched, QEvent* event) {
  if (detached_) return false;
  const QEvent::Type type = event->type();
  // Enter in the two editable boxes runs their command; the key goes no further, so the box does
  // not also report a choice from its list.
  if (type == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
      if (watched == page_.ComboLKeyword() || watched == page_.ComboLKeyword()->lineEdit()) {
        if (!page_.ComboLKeyword()->currentText().isEmpty()) KeywordChosen();
        return true;
      }
      if (watched == page_.ImageComboLRD() || watched == page_.ImageComboLRD()->lineEdit()) {
        ImageComboLRDPrg();
        return true;
      }
    }
    return false;
  }
  LibraryPageList* clipList = page_.ListViewIcoClipboard();
  const bool onClip = watched == clipList->ReportView()->viewport() || watched == clipList->IconView()->viewport() ||
                      watched == clipList->ReportView() || watched == clipList->IconView();
  if ((type == QEvent::FocusIn || type == QEvent::MouseButtonPress) && onClip && clip_->Dirty()) {
    // The editor may have changed the icons: list them again before the user acts on them.
    clip_->SetDirty(false);
    clip_->RsetIcoClipBoard(false);
  }
  if (watched == page_.TreeViewL()->viewport() && type == QEvent::MouseButtonPress) justLoaded_ = nullptr;
  if (type == QEvent::MouseButtonDblClick && (watched == page_.ListViewLIco()->ReportView()->viewport() ||
                                              watched == page_.ListViewLIco()->IconView()->viewport())) {
    OpenAuthorInf();
    return false;
  }
  if (type == QEvent::MouseButtonPress) {
    auto* mouse = static_cast<QMouseEvent*>(event);
    leftPressed_ = mouse->button() == Qt::LeftButton;
    if (leftPressed_ && (onClip || watched == page_.ListViewLIco()->ReportView()->viewport() ||
                         watched == page_.ListViewLIco()->IconView()->viewport())) {
      auto* view = qobject_cast<QAbstractItemView*>(static_cast<QWidget*>(watched)->parentWidget());
      const QModelIndex index = view ? view->indexAt(mouse->position().toPoint()) : QModelIndex();
      if (index.isValid()) {
        const std::string path = onClip ? clip_->PathOf(index.row()) : icons_->PathOf(index.row());
        if (const auto bytes = ReadFileBytes(path, kLargestPreviewIcon))
          preview_->ShowImage(IcoFileToImage(*bytes), onClip ? PreviewList::IconClipboard : PreviewList::LibraryIcons,
                              mouse->globalPosition().toPoint());
      }
    }
  }
  if (type == QEvent::MouseButtonRelease) {
    leftPressed_ = false;
    preview_->hide();
  }
  return false;
}

// ----- progress -----

void LibraryController::Progress(int value) {
  QProgressBar* bar = page_.ProgressBarLib();
  bar->show();
  bar->setValue(std::clamp(value, bar->minimum(), bar->maximum()));
}

void LibraryController::EndProgress() {
  page_.ProgressBarLib()->setValue(110);
  page_.ProgressBarLib()->hide();
}

// ----- start-up and tree -----

void LibraryController::Start() {
  ResetTreeViewL();
  clip_->RsetIcoClipBoard(false);
  SelectLibIco();
}

void LibraryController::ResetTreeViewL() {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  tree_->ResetTreeViewL([this](int v) { Progress(v); });
  EndProgress();
  state_.TreeViewSDirty = true;
  QApplication::restoreOverrideCursor();
}

void LibraryController::NodeClick() {
  if (busy_) return;
  libGrpNo_ = 0;
  GetIcoFromLib();
  emit CaptionChanged();
}

void LibraryController::PopTreeViewLSub(int index) {
  if (busy_) return;
  switch (index) {
    case 0:
    case 1: {
      delete manager_.data();
      manager_ = new LibraryManagerDialog(index == 0 ? LibraryManagerDialog::Create : LibraryManagerDialog::Delete,
                                          *tree_, state_.LangStr, Ask(), state_.AppTitle, &page_);
      manager_->setWindowFlag(Qt::Window);
      connect(manager_, &LibraryManagerDialog::LibrariesChanged, this, [this](QTreeWidgetItem*) {
        libGrpNo_ = 0;
        GetIcoFromLib();
        emit CaptionChanged();
      });
      manager_->show();
      manager_->raise();
      manager_->activateWindow();
      break;
    }
    case 3:
      tree_->CollapseAll();
      GetIcoFromLib();
      page_.StatusPanel(2)->clear();
      page_.StatusPanel(3)->clear();
      SelectLibIco();
      ShowLibPages(icons_->Count());
      break;
    case 4: tree_->ExpandAll(); break;
    case 5: ResetTreeViewL(); break;
    case 6:
      if (QTreeWidgetItem* node = tree_->Selected()) page_.TreeViewL()->scrollToItem(node);
      break;
    default: break;
  }
}

// ----- library pane -----

void LibraryController::ShowLibPages(int iconCount) {
  const LibPagesState s =
      RsetLibTreePages(iconCount, icons_->Count(), libGrpNo_, state_.LibGrpSize, state_.LangStr);
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
  icons_->SetHeading(state_.Row(170));
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
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const LibPage page = glimmora::GetIcoFromLib(request, state_.LangStr, [this](int v) { Progress(v); });
  EndProgress();
  QApplication::restoreOverrideCursor();
  icons_->Clear();
  paneSource_ = LibPaneSource::Page;
  if (page.Status != LibOpenStatus::Ok) {
    Ask().Tell(state_.LangStr.Row(653) + "\n" + page.Problem, 653, PromptIcon::Warning);
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
    Ask().Tell(state_.LangStr.Row(655) + " " + std::to_string(page.Unreadable), 655, PromptIcon::Warning);
  if (page.WorkFolderNotReal) TellNotRealFolder(icons_->WorkDir(), Ask(), state_.LangStr);
  emit CaptionChanged();
}

void LibraryController::PictureGrp_Click(int index) {
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
  if (CurrentIs("ListViewLIco")) SelectLibIco();
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

void LibraryController::CancelSelection() {
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

void LibraryController::mn8DeleteIco_Click() {
  if (busy_) return;
  ResetShiftKeys(state_, 0);
  const PromptAnswer answer = Ask().AskRowToDelete(state_.LangStr, 212, PromptButtons::YesNo);
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

std::vector<int> LibraryController::CopyLibIco(int subMnindex, const std::string& icoBmp, bool allIco,
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
  request.Mask = MaskOf(state_.SaveLibDir);
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    result = glimmora::CopyLibIco(request, icons_->Items(), std::span<const bool>(flags.get(), selected.size()),
                                  Time(), Ask(), state_.LangStr, [] { QCoreApplication::processEvents(); });
    QApplication::restoreOverrideCursor();
  }
  if (allIco) icons_->ClearSelection();
  if (!result.Failed.empty()) {
    std::string text = state_.LangStr.Row(654);
    for (const auto& n : result.Failed) text += "\n" + n;
    Ask().Tell(text, 654, PromptIcon::Warning);
  }
  if (toClipboard) clip_->RsetIcoClipBoard(true);
  return result.Copied;
}

void LibraryController::CopyIcotoIcoClipBoard(int size, bool cut) {
  if (busy_) return;
  const std::vector<int> copied = CopyLibIco(size, "ICO", false, true);
  if (cut && !copied.empty()) {
    // Only the icons now in the clipboard leave the library.
    icons_->ClearSelection();
    icons_->SelectRows(copied);
    mn8DeleteIco_Click();
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
  r.IcoBmp = "BMP";
  r.ToSysClipboard = true;
  r.mask = MaskAnswer::No;
  const CopyIcoResult result = CopyIcoFile(r, Ask(), state_.LangStr);
  if (result.clipboard)
    PutOnSystemClipboard(&*result.clipboard, result.clipboardAlpha ? &*result.clipboardAlpha : nullptr);
  if (cut && !fromClipboardPane && result.clipboard) {
    icons_->ClearSelection();
    icons_->SelectRows({row});
    mn8DeleteIco_Click();
  }
}

void LibraryController::SaveIconsWithDefaults() {
  SaveDirRec& rec = state_.SaveLibDir;
  if (rec.SaveSel > 1 || rec.SaveAs > 1) return;
  rec.UseNow = -1;
  CopyLibIco(rec.IcoSize, rec.SaveAs == 0 ? "Ico" : "Bmp", rec.SaveSel == 1, false);
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
  if (SaveAuthorInf(item, author_->Fields(), Ask(), state_.LangStr)) icons_->RefreshRows({authorRow_});
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
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const MoveResult result = glimmora::MoveIcoToLib(request, Ask(), state_.LangStr);
  QApplication::restoreOverrideCursor();
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

void LibraryController::PopIcoClipBoardSub(int index) {
  if (busy_) return;
  switch (index) {
    case 0:
    case 1: MoveIcoToLib(index == 1); break;
    case 3:
    case 4:
    case 6:
    case 7:
      ResetShiftKeys(state_, 0);
      if (services_.Browser) clip_->Export(index, *services_.Browser, Ask());
      break;
    case 9: clip_->SelectAll(); break;
    case 10: clip_->ClearSelection(); break;
    case 12:
    case 13:
      ResetShiftKeys(state_, 0);
      if (Ask().AskRowToDelete(state_.LangStr, index == 12 ? 232 : 233, PromptButtons::OkCancel) != PromptAnswer::Ok)
        return;
      clip_->DelIcoClipBoard(index == 13, Ask());
      break;
    case 15:
    case 16:
    case 17:
      if (services_.ToolBarPrg0) services_.ToolBarPrg0(index + 6);
      break;
    case 19: CopyIcotoSysClipBoard(0, false, true); break;
    case 20: {
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
    case 22: clip_->RsetIcoClipBoard(false); break;
    case 24: {
      const std::string editor = services_.EditorPath ? services_.EditorPath() : state_.SaveLibDir.IconEditTool;
      clip_->OpenInEditor(editor, Ask(), services_.StartEditor ? services_.StartEditor : StartDetachedEditor);
      break;
    }
    default: break;
  }
  SelectClipIco();
}

// ----- keyword row -----

int LibraryController::SearchLibByKeyword() {
  if (busy_) return -1;
  std::vector<SearchLibrary> libraries;
  for (QTreeWidgetItem* n : tree_->Nodes()) {
    if (LibraryTree::Kind(n) != LibNodeKind::Library) continue;
    SearchLibrary lib;
    lib.SrcPath = LibraryTree::SrcPath(n);
    lib.CategoryName = n->parent() ? n->parent()->text(0).toStdString() : std::string();
    lib.Caption = NodeName(n->text(0).toStdString());
    libraries.push_back(std::move(lib));
  }
  const std::string text = page_.ComboLKeyword()->currentText().toStdString();
  if (SplitSearchText(text).Empty()) {
    Ask().AskRow(state_.LangStr, 437);
    return -1;
  }
  emit CaptionText(Q(state_.AppTitle + " -> " + state_.Row(354) + " -> " + state_.Row(265)));
  std::optional<KeywordSearchResult> result;
  {
    BusyGuard busy(busy_);
    icons_->Clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool waiting = true;
    const auto endWait = [&] {
      if (!waiting) return;
      waiting = false;
      EndProgress();
      QApplication::restoreOverrideCursor();
    };
    // The hits are listed before the messages about them (unreadable libraries, the count).
    const auto showHits = [&](const KeywordSearchResult& r) {
      endWait();
      // The pane holds hits of every library, not a page of one: no page caption, no page buttons.
      icons_->SetHeading(state_.Row(170));
      icons_->SetItems(r.Items);
      paneSource_ = LibPaneSource::Search;
      ShowPageButtons(false, false, false);
      SelectLibIco();
    };
    result = glimmora::SearchLibByKeyword(text, libraries, icons_->WorkDir(), Ask(), state_.LangStr,
                                          [this](int v) { Progress(v); }, showHits);
    endWait();
  }
  if (!result) return -1;
  page_.ListViewLIco()->CurrentView()->setFocus();
  return result->Hits;
}

void LibraryController::KeywordChosen() {
  SearchLibByKeyword();
  if (icons_->Count() > 0 && paneSource_ == LibPaneSource::Search) AddComLboKeyword();
}

void LibraryController::AddComLboKeyword() {
  QComboBox* box = page_.ComboLKeyword();
  const QString text = box->currentText();
  if (!keywords_.Add(text.toStdString())) return;
  const QSignalBlocker block(box);
  box->clear();
  for (const std::string& e : keywords_.Entries()) box->addItem(Q(e));
  box->setCurrentIndex(-1);
  box->setEditText(text);
}

void LibraryController::CommandSaveKeyword_Click() {
  if (busy_) return;
  const std::string keyword = page_.TextSelIcoKeyword()->text().toStdString();
  const std::vector<int> rows = icons_->SelectedRows();
  ResetShiftKeys(state_, 0);
  if (!ConfirmKeywordSave(keyword, static_cast<int>(rows.size()), Ask(), state_.LangStr)) return;
  if (rows.empty()) return;
  std::vector<LibPaneItem*> items;
  for (int r : rows) items.push_back(&icons_->Item(r));
  SaveKeyWord(items, keyword, Ask(), state_.LangStr);
  icons_->RefreshRows(rows);
  SelectLibIco();
}

// ----- recent libraries -----

void LibraryController::AddImageComboLRD() {
  QComboBox* box = page_.ImageComboLRD();
  const QString text = box->currentText();
  if (text.isEmpty() || !recent_.Add(text.toStdString())) return;
  const QSignalBlocker block(box);
  QTreeWidgetItem* node = tree_->Selected();
  box->addItem(node ? node->icon(0) : QIcon(), text);
  while (box->count() > static_cast<int>(kHistoryLimit)) box->removeItem(0);
  box->setCurrentIndex(-1);
  box->setEditText(text);
}

void LibraryController::ImageComboLRDPrg() {
  if (busy_) return;
  const QString name = page_.ImageComboLRD()->currentText().toUpper();
  for (QTreeWidgetItem* n : tree_->Nodes()) {
    if (UpperName(n->text(0)) != name) continue;
    tree_->Select(n);
    n->setExpanded(true);
    libGrpNo_ = 0;
    GetIcoFromLib();
    AddImageComboLRD();
    emit CaptionChanged();
    return;
  }
}

}  // namespace glimmora
