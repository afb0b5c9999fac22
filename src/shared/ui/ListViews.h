#pragma once
// The views of one list: report (columns), list and large icons over one model and one
// selection, so that switching the view keeps the rows and what is selected. The file list and
// the icon pane stack all three; a library list shows its list and large icons in one view.

#include <QAbstractItemView>
#include <QSize>

#include "settings/Panes.h"

class QAbstractItemModel;
class QListView;
class QStackedWidget;
class QTreeView;

namespace glimmora {

// A report over `model`: rows without a tree's decoration, every row of one height.
void SetUpReportView(QTreeView* report, QAbstractItemModel* model);

// `view` as a list (small icons in columns, top to bottom) or as large icons in cells of
// `largeCell`; either wraps at the view's width and follows it when the view is resized.
void ShowGridAs(QListView* view, bool largeIcons, QSize largeCell);

// `view` shows the model of `report` under the report's selection, in `selection` mode and
// whole rows at a time, never edited in place. A list or icon view alone would select only the
// cell of the first column, which the panes (counting rows) would not see as selected.
void ShareReportSelection(QAbstractItemView* view, QTreeView* report, QAbstractItemView::SelectionMode selection);

struct ListViews {
  QTreeView* Report = nullptr;
  QListView* List = nullptr;
  QListView* Large = nullptr;
};

// The three views, made by the caller (they may be subclasses that hook events), set up over
// `model` and stacked in `stack` in that order. All three take `selection`, share the report's
// selection model, select whole rows in the report and are never edited in place.
void BuildListViews(QStackedWidget* stack, const ListViews& views, QAbstractItemModel* model,
                    QAbstractItemView::SelectionMode selection, QSize largeCell);

// Brings the view of `mode` to the front of a stack BuildListViews made.
void ShowListView(QStackedWidget* stack, ListViewMode mode);

}  // namespace glimmora
