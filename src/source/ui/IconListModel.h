#pragma once
// The items of the icon pane: one model behind its report, list and large-icon views. Rows are
// set and removed in one pass, so the views repaint once per change, never once per row.

#include <QAbstractTableModel>
#include <QIcon>
#include <QImage>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace glimmora {

struct IconRow {
  std::string Text;  // "a.dll_12.ico"
  std::string Key;   // " 500- 744"
  std::int64_t Position = 0;
  std::int64_t ImageSize = 0;
  std::int64_t FileBytes = 0;  // as a one-image icon file
  int Width = 0;
  int Height = 0;
  int BitCount = 0;
  std::array<std::string, 4> Columns;  // size, colour, bytes, index texts
  std::vector<std::uint8_t> Ico;       // the icon as a one-image icon file
  QImage Image;
  QIcon Icon;
};

class IconListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit IconListModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

  void SetRows(std::vector<IconRow> rows);
  void Clear() { SetRows({}); }
  // Removes the rows of `rows` (any order, duplicates allowed) in one pass.
  void RemoveRows(std::vector<int> rows);
  const IconRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }
  const std::vector<IconRow>& Rows() const { return rows_; }

  void SetHeader(int column, const QString& text);
  // The tool tip of a row; set by the pane, which knows the view shown.
  void SetTooltip(std::function<QString(const IconRow&)> tooltip) { tooltip_ = std::move(tooltip); }

 private:
  std::vector<IconRow> rows_;
  std::array<QString, 5> headers_;
  std::function<QString(const IconRow&)> tooltip_;
};

}  // namespace glimmora
