#include "source/ui/SourceViews.h"

#include <QLineEdit>

#include "shared/ui/TypedTextBox.h"

namespace glimmora {

void FolderTreeView::keyReleaseEvent(QKeyEvent* e) {
  QTreeView::keyReleaseEvent(e);
  if (!e->isAutoRepeat() && (e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && ArrowKeyUp) ArrowKeyUp();
}

void FolderTreeView::mouseReleaseEvent(QMouseEvent* e) {
  QTreeView::mouseReleaseEvent(e);
  if (e->button() == Qt::RightButton && RightClick) RightClick();
}

void FolderTreeView::focusInEvent(QFocusEvent* e) {
  QTreeView::focusInEvent(e);
  if (Focus) Focus(true);
}

void FolderTreeView::focusOutEvent(QFocusEvent* e) {
  QTreeView::focusOutEvent(e);
  if (Focus) Focus(false);
}

PathBox::PathBox(QWidget* parent) : QComboBox(parent) {
  setEditable(true);
  setInsertPolicy(QComboBox::NoInsert);
  KeepTypedText(this);
  // Enter is taken here, before the box could match it against an entry and pick that too.
  lineEdit()->installEventFilter(this);
  connect(this, qOverload<int>(&QComboBox::activated), this, [this](int) {
    if (Walk) Walk();
  });
}

bool PathBox::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lineEdit()) {
    if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (Walk) Walk();
        return true;
      }
    } else if (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut) {
      if (Focus) Focus(event->type() == QEvent::FocusIn);
    }
  }
  return QComboBox::eventFilter(watched, event);
}

void PathBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (Walk) Walk();
    event->accept();
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace glimmora
