#pragma once
// An icon list of the library page in its three views: report (columns), list and large icons.
// One model and one selection serve all three, so switching the view keeps the items and what is
// selected.

#include <QStackedWidget>
#include <span>

#include "text/LanguageTable.h"
#include "library/LibraryLayout.h"
#include "settings/Panes.h"

class QItemSelectionModel;
class QListView;
class QStandardItemModel;
class QTreeView;

namespace glimmora {

class LibraryPageList : public QStackedWidget {
  Q_OBJECT
 public:
  // Header data role that holds a column's key.
  static constexpr int kColumnKeyRole = Qt::UserRole + 1;

  LibraryPageList(const QString& name, std::span<const ColumnDef> columns,
                  const LanguageTable& lang, QWidget* parent = nullptr);

  QStandardItemModel* Model() const { return model_; }
  QItemSelectionModel* Selection() const;
  QTreeView* ReportView() const { return report_; }
  QListView* IconView() const { return icons_; }
  ListViewMode Mode() const { return mode_; }
  void SetMode(ListViewMode mode);
  // The view now shown.
  QWidget* CurrentView() const;
  // Each report column as wide as its heading or its widest text, whichever is wider: after every
  // fill, so that what the list holds now is readable.
  void FitColumns();

 private:
  QStandardItemModel* model_;
  QTreeView* report_;
  QListView* icons_;
  ListViewMode mode_ = ListViewMode::Report;
};

}  // namespace glimmora
