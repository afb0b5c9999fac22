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

void BuildListViews(QStackedWidget* stack, const ListViews& views, QAbstractItemModel* model,
                    QAbstractItemView::SelectionMode selection, QSize largeCell) {
  SetUpReportView(views.Report, model);
  views.Report->setAllColumnsShowFocus(true);
  views.Report->setSelectionBehavior(QAbstractItemView::SelectRows);
  views.List->setModel(model);
  ShowGridAs(views.List, false, largeCell);
  views.Large->setModel(model);
  ShowGridAs(views.Large, true, largeCell);
  views.Large->setWordWrap(true);
  views.Large->setMovement(QListView::Static);
  for (QAbstractItemView* v : {static_cast<QAbstractItemView*>(views.Report), static_cast<QAbstractItemView*>(views.List),
                               static_cast<QAbstractItemView*>(views.Large)}) {
    v->setSelectionMode(selection);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    if (v != views.Report) {
      QItemSelectionModel* own = v->selectionModel();
      v->setSelectionModel(views.Report->selectionModel());
      delete own;
    }
    stack->addWidget(v);
  }
}

}  // namespace glimmora
