#pragma once
// The views of the source page with the event hooks the page needs: the file list's press runs
// the item click after the view has moved its selection (the real-size preview needs the button
// still held), Enter in it does what a double click does, and the tree turns an expand and an
// arrow key into the tree's click.

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QListView>
#include <QMouseEvent>
#include <QTreeView>
#include <functional>

namespace glimmora {

struct FileViewHooks {
  std::function<void(bool left, bool right)> MouseDown;  // before the view handles the press
  std::function<void(int row)> ItemClick;                 // after a left press on a row
  std::function<void(int row)> DblClick;  // also Enter on the current row
  std::function<void()> MouseUp;
  std::function<void(bool in)> Focus;
};

template <class Base>
class HookedFileView : public Base {
 public:
  using Base::Base;
  FileViewHooks Hooks;
  bool Pressing = false;  // inside the view's own handling of a press

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    const bool left = e->button() == Qt::LeftButton;
    if (Hooks.MouseDown) Hooks.MouseDown(left, e->button() == Qt::RightButton);
    Pressing = true;
    Base::mousePressEvent(e);
    Pressing = false;
    const QModelIndex index = this->indexAt(e->position().toPoint());
    if (left && index.isValid() && Hooks.ItemClick) Hooks.ItemClick(index.row());
  }
  void mouseReleaseEvent(QMouseEvent* e) override {
    Base::mouseReleaseEvent(e);
    if (Hooks.MouseUp) Hooks.MouseUp();
  }
  void keyPressEvent(QKeyEvent* e) override {
    // Enter lists a file's icons as a double click does, for a user without a mouse.
    const bool enter = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
    const QModelIndex index = this->currentIndex();
    if (enter && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) && index.isValid() && Hooks.DblClick) {
      Hooks.DblClick(index.row());
      return;
    }
    Base::keyPressEvent(e);
  }
  void mouseDoubleClickEvent(QMouseEvent* e) override {
    Base::mouseDoubleClickEvent(e);
    const QModelIndex index = this->indexAt(e->position().toPoint());
    if (e->button() == Qt::LeftButton && index.isValid() && Hooks.DblClick) Hooks.DblClick(index.row());
  }
  void focusInEvent(QFocusEvent* e) override {
    Base::focusInEvent(e);
    if (Hooks.Focus) Hooks.Focus(true);
  }
  void focusOutEvent(QFocusEvent* e) override {
    Base::focusOutEvent(e);
    if (Hooks.Focus) Hooks.Focus(false);
  }
};

using FileListTable = HookedFileView<QTreeView>;
using FileListGrid = HookedFileView<QListView>;

class FolderTreeView : public QTreeView {
 public:
  using QTreeView::QTreeView;
  std::function<void()> ArrowKeyUp;  // an up or down arrow released (not a repeat)
  std::function<void()> RightClick;
  std::function<void(bool in)> Focus;

 protected:
  void keyReleaseEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
};

// The path box: Enter in its text walks to the folder; picking an entry does the same.
class PathBox : public QComboBox {
 public:
  explicit PathBox(QWidget* parent = nullptr);
  std::function<void()> Walk;
  std::function<void(bool in)> Focus;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The box itself receives the keys while it has the focus (its line edit is its focus proxy's
  // inner part), so Enter is taken here as well as in the line edit.
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace glimmora
