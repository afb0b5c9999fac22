#include "source/ui/IconListModel.h"

#include <algorithm>

namespace glimmora {

IconListModel::IconListModel(QObject* parent) : QAbstractTableModel(parent) {}

int IconListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int IconListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5; }

QVariant IconListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const IconRow& row = Row(index.row());
  switch (role) {
    case Qt::DisplayRole:
      if (index.column() == 0) return QString::fromStdString(row.Text);
      return QString::fromStdString(row.Columns[static_cast<std::size_t>(index.column() - 1)]);
    case Qt::DecorationRole:
      if (index.column() == 0 && !row.Icon.isNull()) return row.Icon;
      return {};
    case Qt::ToolTipRole:
      return tooltip_ ? tooltip_(row) : QVariant();
    default:
      return {};
  }
}

QVariant IconListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= 5) return {};
  return headers_[static_cast<std::size_t>(section)];
}

void IconListModel::SetRows(std::vector<IconRow> rows) {
  beginResetModel();
  rows_ = std::move(rows);
  endResetModel();
}

void IconListModel::RemoveRows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  rows.erase(std::remove_if(rows.begin(), rows.end(), [&](int r) { return r < 0 || r >= rowCount(); }), rows.end());
  if (rows.empty()) return;
  beginResetModel();
  std::vector<IconRow> kept;
  kept.reserve(rows_.size() - rows.size());
  std::size_t next = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (next < rows.size() && static_cast<std::size_t>(rows[next]) == i) {
      ++next;
      continue;
    }
    kept.push_back(std::move(rows_[i]));
  }
  rows_ = std::move(kept);
  endResetModel();
}

void IconListModel::SetHeader(int column, const QString& text) {
  if (column < 0 || column >= 5) return;
  headers_[static_cast<std::size_t>(column)] = text;
  emit headerDataChanged(Qt::Horizontal, column, column);
}

}  // namespace glimmora
