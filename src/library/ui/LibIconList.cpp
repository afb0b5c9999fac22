#include "library/ui/LibIconList.h"

#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QStandardItemModel>
#include <QTreeView>

#include <algorithm>
#include <memory>

#include "text/LangRows.h"
#include "common/Paths.h"
#include "library/ui/LibraryPageList.h"
#include "shared/ToolbarSlots.h"
#include "shared/ui/ListRowIcons.h"
#include "shared/ui/QtText.h"

namespace glimmora {

LibIconList::LibIconList(LibraryPageList* list, std::string workDir, const LanguageTable& lang, QObject* parent)
    : QObject(parent), list_(list), workDir_(std::move(workDir)), lang_(lang) {
  list_->FitColumns();
}

std::vector<std::string> LibIconList::RowTexts(const LibPaneItem& item) const {
  return {item.Text,        item.SubItem1(), item.SizeText(),  item.ColorText(lang_), item.BytesText(),
          item.AuthorName,  item.AuthorEmail, item.AuthorHomepage, item.Note};
}

QList<QStandardItem*> LibIconList::MakeRow(const LibPaneItem& item) const {
  QList<QStandardItem*> row;
  for (const std::string& t : RowTexts(item)) {
    auto* cell = new QStandardItem(Q(t));
    cell->setEditable(false);
    row.append(cell);
  }
  row[0]->setIcon(ListRowIconOfFile(JoinPath(workDir_, item.Key)));
  return row;
}

void LibIconList::SetItems(std::vector<LibPaneItem> items) {
  list_->setUpdatesEnabled(false);
  list_->Model()->removeRows(0, list_->Model()->rowCount());
  items_.clear();
  list_->setUpdatesEnabled(true);
  AddItems(items, static_cast<int>(std::max<std::size_t>(items.size(), kLibGrpSize)));
}

void LibIconList::AddItems(std::span<const LibPaneItem> items, int limit) {
  list_->setUpdatesEnabled(false);
  for (const LibPaneItem& item : items) {
    if (Count() >= limit) break;
    list_->Model()->appendRow(MakeRow(item));
    items_.push_back(item);
  }
  list_->FitColumns();
  list_->setUpdatesEnabled(true);
}

void LibIconList::RefreshRows(const std::vector<int>& rows) {
  for (const int row : rows) {
    if (row < 0 || row >= Count()) continue;
    const std::vector<std::string> texts = RowTexts(items_[static_cast<std::size_t>(row)]);
    for (int c = 0; c < static_cast<int>(texts.size()); ++c)
      list_->Model()->item(row, c)->setText(Q(texts[static_cast<std::size_t>(c)]));
  }
  list_->FitColumns();
}

void LibIconList::SetHeading(const std::string& text) {
  list_->Model()->setHeaderData(0, Qt::Horizontal, Q(text));
  list_->FitColumns();
}

void LibIconList::RemoveRows(std::vector<int> rows) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  const OwnFolder work(workDir_);
  list_->setUpdatesEnabled(false);
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
    if (*it < 0 || *it >= Count()) continue;
    (void)work.RemoveFile(items_[static_cast<std::size_t>(*it)].Key);  // a copy left is written over by name
    list_->Model()->removeRow(*it);
    items_.erase(items_.begin() + *it);
  }
  list_->setUpdatesEnabled(true);
}

std::vector<int> LibIconList::SelectedRows() const {
  std::vector<int> rows;
  for (int r = 0; r < Count(); ++r)
    if (list_->Selection()->isRowSelected(r, QModelIndex())) rows.push_back(r);
  return rows;
}

std::vector<bool> LibIconList::SelectedFlags() const {
  std::vector<bool> flags(items_.size(), false);
  for (int r : SelectedRows()) flags[static_cast<std::size_t>(r)] = true;
  return flags;
}

void LibIconList::SelectRows(const std::vector<int>& rows) {
  QItemSelection selection;
  for (int r : rows)
    if (r >= 0 && r < Count())
      selection.select(list_->Model()->index(r, 0), list_->Model()->index(r, list_->Model()->columnCount() - 1));
  list_->Selection()->select(selection, QItemSelectionModel::Select);
}

void LibIconList::SelectAll() {
  if (Count() == 0) return;
  list_->Selection()->select(QItemSelection(list_->Model()->index(0, 0),
                                            list_->Model()->index(Count() - 1, list_->Model()->columnCount() - 1)),
                             QItemSelectionModel::Select);
}

void LibIconList::ClearSelection() { list_->Selection()->clearSelection(); }

int LibIconList::FocusedRow() const {
  const QModelIndex current = list_->Selection()->currentIndex();
  if (current.isValid() && list_->Selection()->isRowSelected(current.row(), QModelIndex())) return current.row();
  const auto rows = SelectedRows();
  return rows.empty() ? -1 : rows.front();
}

std::string LibIconList::PathOf(int row) const {
  if (row < 0 || row >= Count()) return {};
  return JoinPath(workDir_, items_[static_cast<std::size_t>(row)].Key);
}

LibSelectState LibIconList::SelectLibIco(QLabel* panel2, QLabel* panel3) {
  // std::vector<bool> is no array of bool: the flags are copied into one.
  const std::vector<bool> flags = SelectedFlags();
  const auto raw = std::make_unique<bool[]>(flags.size() + 1);
  for (std::size_t i = 0; i < flags.size(); ++i) raw[i] = flags[i];
  const LibSelectState s = glimmora::SelectLibIco(items_, std::span<const bool>(raw.get(), flags.size()), lang_);
  if (panel2) panel2->setText(Q(s.Panel2));
  if (panel3) panel3->setText(Q(s.Panel3));
  // The tooltip names a single selected icon; the report view shows its columns instead.
  const auto rows = SelectedRows();
  QString tip = Q(lang_.Row(kRowLibIconsTooltip));
  if (list_->Mode() != ListViewMode::Report && Count() > 0 && rows.size() == 1)
    tip = Q(items_[static_cast<std::size_t>(rows.front())].InfoText(lang_));
  list_->ReportView()->setToolTip(tip);
  list_->IconView()->setToolTip(tip);
  return s;
}

CommandSwitches LibIconList::Switches(const LibSelectState& s) {
  CommandSwitches w;
  w.Whole("PopIcoMenu", s.PopIcoMenu);
  w.Button(kToolSaveWithOptions, s.PopIcoMenu);
  for (int b : kToolsOffInIconLists) w.Button(b, false);
  w.Whole("mn5CopyIcoToClipper", s.CopyToSysClipboard);
  w.Whole("mn6CutIcoToClipper", s.CopyToSysClipboard);
  for (const char* m : {"mn1SaveSelectedIco", "mn4cancleselectedIco", "mn8DeleteIco", "mnCopyIcoToIcoClipper",
                        "mnCutIcoToIcoClipper"})
    w.Whole(m, s.SelectedCommands);
  for (int b : {kToolSaveAsIco, kToolSaveAsBmp, kToolCancelSelection, kToolDelete, kToolCopyToIconClipboard,
                kToolReportView, kToolListView, kToolLargeIconsView})
    w.Button(b, s.SelectedCommands);
  w.Whole("mn3SelectedAllIco", s.SelectAll);
  w.Button(kToolSelectAll, s.SelectAll);
  return w;
}

}  // namespace glimmora
