#include "library/ui/LibraryTreeActions.h"

#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>

#include "library/ui/LibIconList.h"
#include "library/ui/LibraryManagerDialog.h"
#include "library/ui/LibraryPage.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/QtText.h"
#include "shared/ui/TypedTextBox.h"
#include "text/LangRows.h"

namespace glimmora {
namespace {

QString UpperName(const QString& nodeText) {
  const int p = nodeText.indexOf(QStringLiteral(" ("));
  return (p >= 0 ? nodeText.left(p) : nodeText).toUpper();
}

}  // namespace

LibraryTreeActions::LibraryTreeActions(LibraryPageContext& ctx, LibraryPaneActions& pane, QObject* parent)
    : QObject(parent), ctx_(ctx), pane_(pane) {
  QTreeWidget* tree = ctx_.Page.TreeViewL();
  tree->setToolTip(Q(ctx_.State.Row(kRowLibraryTreeTooltip)));
  connect(tree, &QTreeWidget::currentItemChanged, this, [this, tree](QTreeWidgetItem* now, QTreeWidgetItem*) {
    // Moving through the tree with the keys opens what it reaches, as a click does.
    if (!tree->hasFocus() || !now || ctx_.Busy) return;
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

  QComboBox* recent = ctx_.Page.ImageComboLRD();
  recent->setInsertPolicy(QComboBox::NoInsert);
  KeepTypedText(recent);
  recent->installEventFilter(this);
  recent->lineEdit()->installEventFilter(this);
  connect(recent, QOverload<int>::of(&QComboBox::activated), this, [this](int) { OpenRecentLibrary(); });
}

LibraryTreeActions::~LibraryTreeActions() { delete manager_.data(); }

LibraryManagerDialog* LibraryTreeActions::Manager() const { return manager_.data(); }

bool LibraryTreeActions::eventFilter(QObject* watched, QEvent* event) {
  if (ctx_.Detached) return false;
  const QEvent::Type type = event->type();
  QComboBox* recent = ctx_.Page.ImageComboLRD();
  // Enter in the recent box opens its library; the key goes no further, so the box does not also
  // report a choice from its list.
  if (type == QEvent::KeyPress && (watched == recent || watched == recent->lineEdit())) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      OpenRecentLibrary();
      return true;
    }
  }
  if (watched == ctx_.Page.TreeViewL()->viewport() && type == QEvent::MouseButtonPress) justLoaded_ = nullptr;
  return false;
}

void LibraryTreeActions::ResetTreeViewL() {
  BusyCursor busy;
  ctx_.Tree->ResetTreeViewL([this](int v) { ctx_.Progress(v); });
  ctx_.EndProgress();
  ctx_.State.TreeViewSDirty = true;
}

void LibraryTreeActions::NodeClick() {
  if (ctx_.Busy) return;
  pane_.OpenFirstPage();
  emit CaptionChanged();
}

void LibraryTreeActions::RunLibraryTreeCommand(LibTreeCommand command) {
  if (ctx_.Busy) return;
  switch (command) {
    case LibTreeCommand::NewCategoryOrLibrary:
    case LibTreeCommand::DeleteCategoryOrLibrary: {
      delete manager_.data();
      manager_ = new LibraryManagerDialog(command == LibTreeCommand::NewCategoryOrLibrary
                                              ? LibraryManagerDialog::Create
                                              : LibraryManagerDialog::Delete,
                                          *ctx_.Tree, ctx_.State.LangStr, ctx_.Ask(), ctx_.State.AppTitle, &ctx_.Page);
      manager_->setWindowFlag(Qt::Window);
      connect(manager_, &LibraryManagerDialog::LibrariesChanged, this, [this](QTreeWidgetItem*) {
        pane_.OpenFirstPage();
        emit CaptionChanged();
      });
      manager_->show();
      manager_->raise();
      manager_->activateWindow();
      break;
    }
    case LibTreeCommand::CollapseAll:
      ctx_.Tree->CollapseAll();
      pane_.GetIcoFromLib();
      ctx_.Page.StatusPanel(2)->clear();
      ctx_.Page.StatusPanel(3)->clear();
      pane_.SelectLibIco();
      pane_.ShowLibPages(ctx_.Icons->Count());
      break;
    case LibTreeCommand::ExpandAll: ctx_.Tree->ExpandAll(); break;
    case LibTreeCommand::Refresh: ResetTreeViewL(); break;
    case LibTreeCommand::ShowSelected:
      if (QTreeWidgetItem* node = ctx_.Tree->Selected()) ctx_.Page.TreeViewL()->scrollToItem(node);
      break;
  }
}

void LibraryTreeActions::OpenRecentLibrary() {
  if (ctx_.Busy) return;
  const QString name = ctx_.Page.ImageComboLRD()->currentText().toUpper();
  for (QTreeWidgetItem* n : ctx_.Tree->Nodes()) {
    if (UpperName(n->text(0)) != name) continue;
    ctx_.Tree->Select(n);
    n->setExpanded(true);
    pane_.OpenFirstPage();
    pane_.AddImageComboLRD();
    emit CaptionChanged();
    return;
  }
}

}  // namespace glimmora
