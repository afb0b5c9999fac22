#pragma once
// The file list's one model, shared by its report, list and large-icon views. It is filled once
// per folder (a reset, never a row at a time), and rows are removed in one pass. A row's type name
// and icon are looked up when a view first shows the row, and its icon is kept.

#include <QAbstractTableModel>
#include <QIcon>
#include <functional>
#include <vector>

#include "text/LanguageTable.h"
#include "source/FileListRows.h"
#include "source/ui/FileListIcons.h"

namespace glimmora {

class FileListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum Column { kName, kType, kSize, kDate, kIcons, kDetails, kColumnCount };

  explicit FileListModel(const LanguageTable& lang, QObject* parent = nullptr);

  // The rows of the files of `folder`.
  void SetRows(std::vector<FileListRow> rows, std::string folder);
  void Clear() { SetRows({}, {}); }
  const std::vector<FileListRow>& Rows() const { return rows_; }
  const FileListRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  int Count() const { return static_cast<int>(rows_.size()); }
  int FindName(const std::string& name) const;
  const FileListIcons& Icons() const { return icons_; }

  // Check boxes set by the program (never reported as a user's check).
  void SetChecked(int row, bool checked);
  void SetAllChecked(const std::function<bool(const FileListRow&)>& checked);
  void SetFoundIcons(int row, const std::string& icons, const std::string& details);
  // Removes every row whose flag is set, in one pass.
  void RemoveRows(const std::vector<bool>& drop);

  // Called after the user ticked or cleared a row's check box.
  std::function<void(int row)> OnUserCheck;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  const LanguageTable& lang_;
  mutable FileListIcons icons_;
  std::string folder_;
  std::vector<FileListRow> rows_;
  mutable std::vector<QIcon> rowIcons_;  // beside rows_; null until the row was shown
};

}  // namespace glimmora
