#include "library/ui/LibraryController.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>


#include "files/FileBytes.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "library/KeywordSearch.h"
#include "library/LibEdits.h"
#include "library/ui/AuthorInfoDialog.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryManagerDialog.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "library/ui/LibraryPage.h"
#include "shared/BusyGuard.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/IconImages.h"
#include "shared/ui/Preview.h"
#include "shared/ui/QtText.h"
#include "shared/ui/TypedTextBox.h"
#include "text/RowPrompts.h"

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

QString UpperName(const QString& nodeText) {
  const int p = nodeText.indexOf(QStringLiteral(" ("));
  return (p >= 0 ? nodeText.left(p) : nodeText).toUpper();
}

}  // namespace

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

bool LibraryController::CurrentIs(Pane pane) const { return state_.CurListView == pane; }

void LibraryController::ConnectWidgets() {
  QTreeWidget* tree = page_.TreeViewL();
  tree->setToolTip(Q(state_.Row(kRowLibraryTreeTooltip)));
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
    if (CurrentIs(Pane::ListViewIcoClipboard)) SelectClipIco();
  });
  LibraryPageList* libList = page_.ListViewLIco();
  connect(libList->Selection(), &QItemSelectionModel::selectionChanged, this, [this] {
    RecountLibIco();
    if (author_ && author_->isVisible()) LoadAuthor();
  });
  for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(clipList->ReportView()),
                               static_cast<QAbstractItemView*>(clipList->IconView())}) {
    connect(v, &QAbstractItemView::doubleClicked, this, [this] { RunClipboardCommand(ClipCommand::OpenInEditor); });
    v->viewport()->installEventFilter(this);
    v->installEventFilter(this);
  }
  // A double click anywhere in the library pane, on an icon or beside the icons, opens the author
  // window (the event filter); the views' own signal comes only for a click on an item.
  for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(libList->ReportView()),
                               static_cast<QAbstractItemView*>(libList->IconView())})
    v->viewport()->installEventFilter(this);
  for (int i = 0; i < 2; ++i)
    connect(page_.PictureGrp(i), &QToolButton::clicked, this, [this, i] { TurnIconPage(i); });

  QComboBox* keyword = page_.ComboLKeyword();
  keyword->setInsertPolicy(QComboBox::NoInsert);
  KeepTypedText(keyword);
  keyword->setEditText(Q(state_.Row(kRowKeywordPlaceholder)));
  // In a real window the box itself holds the focus and receives the keys; its line edit does
  // when a test or the box forwards them. Both are watched.
  keyword->installEventFilter(this);
  keyword->lineEdit()->installEventFilter(this);
  connect(keyword, QOverload<int>::of(&QComboBox::activated), this, [this](int) { KeywordChosen(); });
  connect(page_.CommandSearchKeyword(), &QPushButton::clicked, this, [this] {
    ResetShiftKeys(state_, 0);
    SearchLibByKeyword();
  });
  connect(page_.CommandSaveKeyword(), &QPushButton::clicked, this, &LibraryController::SaveKeywordToSelectedIcons);
  page_.TextSelIcoKeyword()->setEnabled(false);
  page_.CommandSaveKeyword()->setEnabled(false);

  QComboBox* recent = page_.ImageComboLRD();
  recent->setInsertPolicy(QComboBox::NoInsert);
  KeepTypedText(recent);
  recent->installEventFilter(this);
  recent->lineEdit()->installEventFilter(this);
  connect(recent, QOverload<int>::of(&QComboBox::activated), this, [this](int) { OpenRecentLibrary(); });
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
        OpenRecentLibrary();
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
    clip_->RelistIconClipboard(false);
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
  clip_->RelistIconClipboard(false);
  SelectLibIco();
}

void LibraryController::ResetTreeViewL() {
  BusyCursor busy;
  tree_->ResetTreeViewL([this](int v) { Progress(v); });
  EndProgress();
  state_.TreeViewSDirty = true;
}

void LibraryController::NodeClick() {
  if (busy_) return;
  libGrpNo_ = 0;
  GetIcoFromLib();
  emit CaptionChanged();
}

void LibraryController::RunLibraryTreeCommand(LibTreeCommand command) {
  if (busy_) return;
  switch (command) {
    case LibTreeCommand::NewCategoryOrLibrary:
    case LibTreeCommand::DeleteCategoryOrLibrary: {
      delete manager_.data();
      manager_ = new LibraryManagerDialog(command == LibTreeCommand::NewCategoryOrLibrary
                                              ? LibraryManagerDialog::Create
                                              : LibraryManagerDialog::Delete,
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
    case LibTreeCommand::CollapseAll:
      tree_->CollapseAll();
      GetIcoFromLib();
      page_.StatusPanel(2)->clear();
      page_.StatusPanel(3)->clear();
      SelectLibIco();
      ShowLibPages(icons_->Count());
      break;
    case LibTreeCommand::ExpandAll: tree_->ExpandAll(); break;
    case LibTreeCommand::Refresh: ResetTreeViewL(); break;
    case LibTreeCommand::ShowSelected:
      if (QTreeWidgetItem* node = tree_->Selected()) page_.TreeViewL()->scrollToItem(node);
      break;
  }
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
    AskRow(Ask(), state_.LangStr, kRowSearchTextMissing);
    return -1;
  }
  emit CaptionText(
      Q(state_.AppTitle + " -> " + state_.Row(kRowLibrariesCaption) + " -> " + state_.Row(kRowSearchButton)));
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
      icons_->SetHeading(state_.Row(kRowLibColumnNumber));
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

void LibraryController::SaveKeywordToSelectedIcons() {
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

void LibraryController::OpenRecentLibrary() {
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
