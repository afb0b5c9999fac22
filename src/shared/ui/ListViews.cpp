#include "shared/ui/ListViews.h"

#include <QItemSelectionModel>
#include <QListView>
#include <QStackedWidget>
#include <QTreeView>

namespace glimmora {

void SetUpReportView(QTreeView* report, QAbstractItemModel* model) {
  report->setModel(model);
  report->setRootIsDecorated(false);
  report->setUniformRowHeights(true);
}

void ShowGridAs(QListView* view, bool largeIcons, QSize largeCell) {
  view->setViewMode(largeIcons ? QListView::IconMode : QListView::ListMode);
  view->setFlow(largeIcons ? QListView::LeftToRight : QListView::TopToBottom);
  view->setWrapping(true);
  view->setIconSize(largeIcons ? QSize(32, 32) : QSize(16, 16));
  view->setGridSize(largeIcons ? largeCell : QSize());
  view->setResizeMode(QListView::Adjust);
}

void ShareReportSelection(QAbstractItemView* view, QTreeView* report, QAbstractItemView::SelectionMode selection) {
  view->setModel(report->model());
  QItemSelectionModel* own = view->selectionModel();
  view->setSelectionModel(report->selectionModel());
  delete own;
  view->setSelectionMode(selection);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void BuildListViews(QStackedWidget* stack, const ListViews& views, QAbstractItemModel* model,
                    QAbstractItemView::SelectionMode selection, QSize largeCell) {
  SetUpReportView(views.Report, model);
  views.Report->setAllColumnsShowFocus(true);
  views.Report->setSelectionBehavior(QAbstractItemView::SelectRows);
  views.Report->setSelectionMode(selection);
  views.Report->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ShareReportSelection(views.List, views.Report, selection);
  ShowGridAs(views.List, false, largeCell);
  ShareReportSelection(views.Large, views.Report, selection);
  ShowGridAs(views.Large, true, largeCell);
  views.Large->setWordWrap(true);
  views.Large->setMovement(QListView::Static);
  stack->addWidget(views.Report);
  stack->addWidget(views.List);
  stack->addWidget(views.Large);
}

void ShowListView(QStackedWidget* stack, ListViewMode mode) {
  switch (mode) {
    case ListViewMode::Report: stack->setCurrentIndex(0); break;
    case ListViewMode::List: stack->setCurrentIndex(1); break;
    case ListViewMode::LargeIcons: stack->setCurrentIndex(2); break;
  }
}

}  // namespace glimmora
