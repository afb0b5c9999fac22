#include "library/ui/LibraryPageList.h"

#include <QHeaderView>
#include <QListView>
#include <QStandardItemModel>
#include <QTreeView>

#include "shared/ui/Accessibility.h"
#include "shared/ui/ListViews.h"

namespace glimmora {

LibraryPageList::LibraryPageList(const QString& name, std::span<const ColumnDef> columns,
                                 const LanguageTable& lang, QWidget* parent)
    : QStackedWidget(parent),
      model_(new QStandardItemModel(0, static_cast<int>(columns.size()), this)),
      report_(new QTreeView(this)),
      icons_(new QListView(this)) {
  setObjectName(name);
  InstallListAccessibility();
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    const ColumnDef& col = columns[static_cast<std::size_t>(c)];
    model_->setHeaderData(c, Qt::Horizontal, QString::fromStdString(ColumnHeading(col, lang)));
    model_->setHeaderData(c, Qt::Horizontal, QString::fromUtf8(col.key.data(), col.key.size()),
                          kColumnKeyRole);
  }
  report_->setObjectName(name + "_Report");
  SetUpReportView(report_, model_);
  report_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  report_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  report_->header()->setStretchLastSection(false);
  for (int c = 0; c < static_cast<int>(columns.size()); ++c)
    report_->setColumnWidth(
        c, static_cast<int>(columns[static_cast<std::size_t>(c)].widthTwips / kTwipsPerPixel));

  icons_->setObjectName(name + "_Icons");
  ShareReportSelection(icons_, report_, QAbstractItemView::ExtendedSelection);
  icons_->setWordWrap(true);
  icons_->setResizeMode(QListView::Adjust);

  addWidget(report_);
  addWidget(icons_);
  SetMode(ListViewMode::Report);
}

QItemSelectionModel* LibraryPageList::Selection() const { return report_->selectionModel(); }

QWidget* LibraryPageList::CurrentView() const { return currentWidget(); }

void LibraryPageList::FitColumns() {
  for (int c = 0; c < model_->columnCount(); ++c) report_->resizeColumnToContents(c);
}

void LibraryPageList::SetMode(ListViewMode mode) {
  const bool hadFocus = CurrentView() && CurrentView()->hasFocus();
  mode_ = mode;
  if (mode == ListViewMode::Report) {
    setCurrentWidget(report_);
  } else {
    const bool large = mode == ListViewMode::LargeIcons;
    ShowGridAs(icons_, large, QSize(76, 64));
    icons_->setSpacing(large ? 4 : 1);
    setCurrentWidget(icons_);
  }
  if (hadFocus) CurrentView()->setFocus();
}

}  // namespace glimmora
