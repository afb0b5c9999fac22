#pragma once
// The library pane (ListViewLIco): one row per icon taken out into the work folder. Each row keeps
// its LibPaneItem, with the library and entry it came from, so a keyword, author or delete
// command writes to that icon whatever filled the pane and whatever was removed from it.

#include <QList>
#include <QObject>
#include <span>
#include <string>
#include <vector>

#include "text/LanguageTable.h"
#include "library/LibPane.h"
#include "library/ui/CommandSwitches.h"

class QLabel;
class QStandardItem;

namespace glimmora {

class LibraryPageList;

class LibIconList : public QObject {
  Q_OBJECT
 public:
  LibIconList(LibraryPageList* list, std::string workDir, const LanguageTable& lang, QObject* parent = nullptr);

  LibraryPageList* List() const { return list_; }
  const std::string& WorkDir() const { return workDir_; }

  // Every change of what the rows or the first heading say fits the report columns to it, so
  // that nothing the pane holds is cut off.
  // Replaces the rows, in one pass.
  void SetItems(std::vector<LibPaneItem> items);
  // Adds rows behind the last (at most up to `limit` rows in all).
  void AddItems(std::span<const LibPaneItem> items, int limit = kLibGrpSize);
  void Clear() { SetItems({}); }
  // Removes rows (pane only); the rows' work files are deleted.
  void RemoveRows(std::vector<int> rows);
  // Rewrites the rows' texts from their items (their pictures stay).
  void RefreshRows(const std::vector<int>& rows);
  // The heading of the first column: the page caption, or the column's own name.
  void SetHeading(const std::string& text);

  int Count() const { return static_cast<int>(items_.size()); }
  const std::vector<LibPaneItem>& Items() const { return items_; }
  LibPaneItem& Item(int row) { return items_[static_cast<std::size_t>(row)]; }
  std::vector<int> SelectedRows() const;
  std::vector<bool> SelectedFlags() const;
  void SelectRows(const std::vector<int>& rows);
  void SelectAll();
  void ClearSelection();
  // The current row when it is selected, else the first selected row; -1 for none.
  int FocusedRow() const;
  std::string PathOf(int row) const;

  // Panels 2 and 3, the keyword box's text and the enabling of the icon commands.
  LibSelectState SelectLibIco(QLabel* panel2, QLabel* panel3);
  // What SelectLibIco switches in the window.
  static CommandSwitches Switches(const LibSelectState& s);

 private:
  std::vector<std::string> RowTexts(const LibPaneItem& item) const;
  QList<QStandardItem*> MakeRow(const LibPaneItem& item) const;

  LibraryPageList* list_;
  std::string workDir_;
  const LanguageTable& lang_;
  std::vector<LibPaneItem> items_;
};

}  // namespace glimmora
