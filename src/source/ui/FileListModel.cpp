#include "source/ui/FileListModel.h"

#include "text/LangRows.h"
#include "source/SizeText.h"

namespace glimmora {

FileListModel::FileListModel(const LanguageTable& lang, QObject* parent) : QAbstractTableModel(parent), lang_(lang) {}

void FileListModel::SetRows(std::vector<FileListRow> rows, std::string folder) {
  beginResetModel();
  rows_ = std::move(rows);
  folder_ = std::move(folder);
  rowIcons_.assign(rows_.size(), QIcon());
  endResetModel();
}

int FileListModel::FindName(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (rows_[static_cast<std::size_t>(i)].Name == name) return i;
  return -1;
}

void FileListModel::SetChecked(int row, bool checked) {
  if (row < 0 || row >= Count()) return;
  rows_[static_cast<std::size_t>(row)].Checked = checked;
  const QModelIndex i = index(row, kName);
  emit dataChanged(i, i, {Qt::CheckStateRole});
}

void FileListModel::SetAllChecked(const std::function<bool(const FileListRow&)>& checked) {
  if (rows_.empty()) return;
  for (FileListRow& r : rows_) r.Checked = checked(r);
  emit dataChanged(index(0, kName), index(Count() - 1, kName), {Qt::CheckStateRole});
}

void FileListModel::SetFoundIcons(int row, const std::string& icons, const std::string& details) {
  if (row < 0 || row >= Count()) return;
  FileListRow& r = rows_[static_cast<std::size_t>(row)];
  r.Icons = icons;
  r.Details = details;
  r.IconCount = LeadingNumber(icons);
  emit dataChanged(index(row, kIcons), index(row, kDetails));
}

void FileListModel::RemoveRows(const std::vector<bool>& drop) {
  std::vector<std::pair<int, int>> ranges;  // contiguous [first, last] runs of dropped rows
  for (int i = 0; i < Count() && i < static_cast<int>(drop.size()); ++i) {
    if (!drop[static_cast<std::size_t>(i)]) continue;
    if (!ranges.empty() && ranges.back().second == i - 1)
      ranges.back().second = i;
    else
      ranges.emplace_back(i, i);
  }
  if (ranges.empty()) return;
  if (ranges.size() == 1) {
    const auto [first, last] = ranges.front();
    beginRemoveRows({}, first, last);
    rows_.erase(rows_.begin() + first, rows_.begin() + last + 1);
    rowIcons_.erase(rowIcons_.begin() + first, rowIcons_.begin() + last + 1);
    endRemoveRows();
    return;
  }
  // Scattered rows: one compaction and one reset, not a view update per row.
  beginResetModel();
  std::size_t out = 0;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (i < drop.size() && drop[i]) continue;
    rowIcons_[out] = std::move(rowIcons_[i]);
    rows_[out++] = std::move(rows_[i]);
  }
  rows_.resize(out);
  rowIcons_.resize(out);
  endResetModel();
}

int FileListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Count(); }
int FileListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumnCount; }

QVariant FileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Count()) return {};
  const FileListRow& r = rows_[static_cast<std::size_t>(index.row())];
  if (role == Qt::DisplayRole || role == Qt::EditRole) {
    switch (index.column()) {
      case kName:
        return QString::fromStdString(r.Name);
      case kType:
        return icons_.TypeName(r.Name);
      case kSize:
        return QString::fromStdString(r.SizeText);
      case kDate:
        return QString::fromStdString(r.DateText);
      case kIcons:
        return QString::fromStdString(r.Icons);
      case kDetails:
        return QString::fromStdString(r.Details);
      default:
        return {};
    }
  }
  if (index.column() != kName) return {};
  if (role == Qt::CheckStateRole) return r.Checked ? Qt::Checked : Qt::Unchecked;
  if (role == Qt::DecorationRole) {
    QIcon& icon = rowIcons_[static_cast<std::size_t>(index.row())];
    if (icon.isNull()) icon = icons_.Icon(folder_, r.Name);
    return icon;
  }
  return {};
}

bool FileListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::CheckStateRole || !index.isValid() || index.column() != kName || index.row() >= Count())
    return false;
  const bool checked = value.toInt() == Qt::Checked;
  rows_[static_cast<std::size_t>(index.row())].Checked = checked;
  emit dataChanged(index, index, {Qt::CheckStateRole});
  // Only the views call setData, and they do so for a user's click or key.
  if (OnUserCheck) OnUserCheck(index.row());
  return true;
}

Qt::ItemFlags FileListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (index.column() == kName) f |= Qt::ItemIsUserCheckable;
  return f;
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kColumnCount) return {};
  return QString::fromStdString(lang_.Row(kRowFileColumnName + section));
}

}  // namespace glimmora
