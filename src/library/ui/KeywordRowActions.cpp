#include "library/ui/KeywordRowActions.h"

#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTreeWidget>
#include <optional>

#include "library/KeywordSearch.h"
#include "library/LibEdits.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryPage.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "shared/BusyGuard.h"
#include "shared/ui/QtText.h"
#include "shared/ui/TypedTextBox.h"
#include "text/LangRows.h"
#include "text/RowPrompts.h"

namespace glimmora {

KeywordRowActions::KeywordRowActions(LibraryPageContext& ctx, LibraryPaneActions& pane, QObject* parent)
    : QObject(parent), ctx_(ctx), pane_(pane) {
  QComboBox* keyword = ctx_.Page.ComboLKeyword();
  keyword->setInsertPolicy(QComboBox::NoInsert);
  KeepTypedText(keyword);
  keyword->setEditText(Q(ctx_.State.Row(kRowKeywordPlaceholder)));
  // In a real window the box itself holds the focus and receives the keys; its line edit does
  // when a test or the box forwards them. Both are watched.
  keyword->installEventFilter(this);
  keyword->lineEdit()->installEventFilter(this);
  connect(keyword, QOverload<int>::of(&QComboBox::activated), this, [this](int) { KeywordChosen(); });
  connect(ctx_.Page.CommandSearchKeyword(), &QPushButton::clicked, this, [this] {
    ResetShiftKeys(ctx_.State, 0);
    SearchLibByKeyword();
  });
  connect(ctx_.Page.CommandSaveKeyword(), &QPushButton::clicked, this, &KeywordRowActions::SaveKeywordToSelectedIcons);
  ctx_.Page.TextSelIcoKeyword()->setEnabled(false);
  ctx_.Page.CommandSaveKeyword()->setEnabled(false);
}

bool KeywordRowActions::eventFilter(QObject* watched, QEvent* event) {
  if (ctx_.Detached || event->type() != QEvent::KeyPress) return false;
  QComboBox* keyword = ctx_.Page.ComboLKeyword();
  if (watched != keyword && watched != keyword->lineEdit()) return false;
  // Enter searches; the key goes no further, so the box does not also report a choice from its
  // list.
  const int key = static_cast<QKeyEvent*>(event)->key();
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return false;
  if (!keyword->currentText().isEmpty()) KeywordChosen();
  return true;
}

int KeywordRowActions::SearchLibByKeyword() {
  if (ctx_.Busy) return -1;
  std::vector<SearchLibrary> libraries;
  for (QTreeWidgetItem* n : ctx_.Tree->Nodes()) {
    if (LibraryTree::Kind(n) != LibNodeKind::Library) continue;
    SearchLibrary lib;
    lib.SrcPath = LibraryTree::SrcPath(n);
    lib.CategoryName = n->parent() ? n->parent()->text(0).toStdString() : std::string();
    lib.Caption = NodeName(n->text(0).toStdString());
    libraries.push_back(std::move(lib));
  }
  const std::string text = ctx_.Page.ComboLKeyword()->currentText().toStdString();
  if (SplitSearchText(text).Empty()) {
    AskRow(ctx_.Ask(), ctx_.State.LangStr, kRowSearchTextMissing);
    return -1;
  }
  emit CaptionText(
      Q(ctx_.State.AppTitle + " -> " + ctx_.State.Row(kRowLibrariesCaption) + " -> " +
        ctx_.State.Row(kRowSearchButton)));
  std::optional<KeywordSearchResult> result;
  {
    BusyGuard busy(ctx_.Busy);
    ctx_.Icons->Clear();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bool waiting = true;
    const auto endWait = [&] {
      if (!waiting) return;
      waiting = false;
      ctx_.EndProgress();
      QApplication::restoreOverrideCursor();
    };
    // The hits are listed before the messages about them (unreadable libraries, the count).
    const auto showHits = [&](const KeywordSearchResult& r) {
      endWait();
      pane_.ShowSearchHits(r.Items);
    };
    result = glimmora::SearchLibByKeyword(text, libraries, ctx_.Icons->WorkDir(), ctx_.Ask(), ctx_.State.LangStr,
                                          [this](int v) { ctx_.Progress(v); }, showHits);
    endWait();
  }
  if (!result) return -1;
  ctx_.Page.ListViewLIco()->CurrentView()->setFocus();
  return result->Hits;
}

void KeywordRowActions::KeywordChosen() {
  SearchLibByKeyword();
  if (ctx_.Icons->Count() > 0 && pane_.Source() == LibPaneSource::Search) AddComLboKeyword();
}

void KeywordRowActions::AddComLboKeyword() {
  QComboBox* box = ctx_.Page.ComboLKeyword();
  const QString text = box->currentText();
  if (!keywords_.Add(text.toStdString())) return;
  const QSignalBlocker block(box);
  box->clear();
  for (const std::string& e : keywords_.Entries()) box->addItem(Q(e));
  box->setCurrentIndex(-1);
  box->setEditText(text);
}

void KeywordRowActions::SaveKeywordToSelectedIcons() {
  if (ctx_.Busy) return;
  const std::string keyword = ctx_.Page.TextSelIcoKeyword()->text().toStdString();
  const std::vector<int> rows = ctx_.Icons->SelectedRows();
  ResetShiftKeys(ctx_.State, 0);
  if (!ConfirmKeywordSave(keyword, static_cast<int>(rows.size()), ctx_.Ask(), ctx_.State.LangStr)) return;
  if (rows.empty()) return;
  std::vector<LibPaneItem*> items;
  for (int r : rows) items.push_back(&ctx_.Icons->Item(r));
  SaveKeyWord(items, keyword, ctx_.Ask(), ctx_.State.LangStr);
  ctx_.Icons->RefreshRows(rows);
  pane_.SelectLibIco();
}

}  // namespace glimmora
