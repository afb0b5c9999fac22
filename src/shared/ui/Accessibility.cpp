#include "shared/ui/Accessibility.h"

#include <QAccessible>
#include <QComboBox>
#include <QLineEdit>
#include <QAccessibleWidget>
#include <QItemSelectionModel>
#include <QListView>
#include <QPersistentModelIndex>
#include <QPointer>
#include <map>

namespace glimmora {
namespace {

// One row of the list, where the view draws it.
class ListItemAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  ListItemAccessible(QListView* view, const QModelIndex& index) : view_(view), index_(index) {}

  int Row() const { return index_.isValid() ? index_.row() : -1; }
  const QListView* View() const { return view_; }

  bool isValid() const override { return view_ && index_.isValid(); }
  QObject* object() const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) {
      const QVariant own = index_.data(Qt::AccessibleTextRole);
      return own.isValid() ? own.toString() : index_.data(Qt::DisplayRole).toString();
    }
    if (t == QAccessible::Description) return index_.data(Qt::AccessibleDescriptionRole).toString();
    return {};
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = view_->visualRect(index_);
    if (r.isNull()) return {};
    return QRect(view_->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return QAccessible::ListItem; }
  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    if (!view_->visualRect(index_).intersects(view_->viewport()->rect())) s.offscreen = true;
    const Qt::ItemFlags flags = index_.flags();
    if (flags & Qt::ItemIsSelectable) {
      s.selectable = true;
      s.multiSelectable = view_->selectionMode() == QAbstractItemView::MultiSelection ||
                          view_->selectionMode() == QAbstractItemView::ExtendedSelection;
      s.selected = isSelected();
    }
    s.focusable = true;
    s.focused = view_->hasFocus() && view_->currentIndex() == index_;
    if (flags & Qt::ItemIsUserCheckable) {
      s.checkable = true;
      s.checked = index_.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    }
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
  }

  bool isSelected() const override {
    return isValid() && view_->selectionModel() && view_->selectionModel()->isSelected(index_);
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return 0; }
  int rowIndex() const override { return Row(); }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<QListView> view_;
  QPersistentModelIndex index_;
};

// The list: one column, one child per row.
class ListAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit ListAccessible(QListView* view) : QAccessibleWidget(view, QAccessible::List) {}
  ~ListAccessible() override { Forget(); }

  void* interface_cast(QAccessible::InterfaceType t) override {
    if (t == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(t);
  }
  int childCount() const override { return rowCount(); }
  QAccessibleInterface* child(int index) const override { return Item(index); }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* item = dynamic_cast<const ListItemAccessible*>(child);
    return item && item->View() == View() ? item->Row() : -1;
  }
  QAccessibleInterface* childAt(int x, int y) const override {
    const QModelIndex index = View()->indexAt(View()->viewport()->mapFromGlobal(QPoint(x, y)));
    return index.isValid() ? Item(index.row()) : nullptr;
  }
  QAccessibleInterface* focusChild() const override {
    const QModelIndex current = View()->currentIndex();
    return View()->hasFocus() && current.isValid() ? Item(current.row()) : nullptr;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    return column == 0 || column == View()->modelColumn() ? Item(row) : nullptr;
  }
  int selectedCellCount() const override { return static_cast<int>(selectedRows().size()); }
  QList<QAccessibleInterface*> selectedCells() const override {
    QList<QAccessibleInterface*> cells;
    for (int row : selectedRows())
      if (QAccessibleInterface* cell = Item(row)) cells.append(cell);
    return cells;
  }
  QString columnDescription(int) const override { return {}; }
  int columnCount() const override { return rowCount() > 0 ? 1 : 0; }
  QString rowDescription(int) const override { return {}; }
  int rowCount() const override { return View()->model() ? View()->model()->rowCount(View()->rootIndex()) : 0; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return static_cast<int>(selectedRows().size()); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override {
    QList<int> rows;
    const QItemSelectionModel* sel = View()->selectionModel();
    for (int r = 0; sel && r < rowCount(); ++r)
      if (sel->isSelected(Index(r))) rows.append(r);
    return rows;
  }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int row) const override {
    return View()->selectionModel() && View()->selectionModel()->isSelected(Index(row));
  }
  bool selectRow(int row) override {
    if (!View()->selectionModel() || !Index(row).isValid()) return false;
    View()->setCurrentIndex(Index(row));
    return true;
  }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int row) override {
    if (!View()->selectionModel() || !Index(row).isValid()) return false;
    View()->selectionModel()->select(Index(row), QItemSelectionModel::Deselect);
    return true;
  }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override { Forget(); }

 private:
  QListView* View() const { return static_cast<QListView*>(object()); }
  QModelIndex Index(int row) const {
    return View()->model() ? View()->model()->index(row, View()->modelColumn(), View()->rootIndex()) : QModelIndex();
  }

  // Items are kept per row while they still stand for that row of the same model.
  QAccessibleInterface* Item(int row) const {
    if (row < 0 || row >= rowCount()) return nullptr;
    if (model_ != View()->model()) {
      Forget();
      model_ = View()->model();
    }
    if (auto it = items_.find(row); it != items_.end()) {
      auto* item = static_cast<ListItemAccessible*>(QAccessible::accessibleInterface(it->second));
      if (item != nullptr && item->Row() == row) return item;
      if (item != nullptr) QAccessible::deleteAccessibleInterface(it->second);
      items_.erase(it);
    }
    auto* item = new ListItemAccessible(View(), Index(row));
    items_[row] = QAccessible::registerAccessibleInterface(item);
    return item;
  }
  void Forget() const {
    for (const auto& [row, id] : items_) QAccessible::deleteAccessibleInterface(id);
    items_.clear();
  }

  mutable std::map<int, QAccessible::Id> items_;
  mutable const QAbstractItemModel* model_ = nullptr;
};

QAccessibleInterface* ListFactory(const QString& className, QObject* object) {
  // Only views of exactly this class: a view with a class of its own (a combo box's popup) keeps
  // what Qt gives it.
  if (className != QLatin1String("QListView") || !object || !object->isWidgetType()) return nullptr;
  auto* view = qobject_cast<QListView*>(object);
  return view ? new ListAccessible(view) : nullptr;
}

}  // namespace

void SetControlName(QWidget* control, const std::string& name) {
  if (control == nullptr) return;
  const QString text = QString::fromStdString(name);
  control->setAccessibleName(text);
  if (auto* combo = qobject_cast<QComboBox*>(control); combo && combo->lineEdit()) combo->lineEdit()->setAccessibleName(text);
}

void InstallListAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(ListFactory);
}

}  // namespace glimmora
