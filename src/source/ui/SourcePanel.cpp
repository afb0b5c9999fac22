#include "source/ui/SourcePanel.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "text/LangRows.h"
#include "platform/Volumes.h"
#include "source/FolderTree.h"
#include "source/PaneLayout.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/ListViews.h"
#include "shared/ui/PaneShade.h"
#include "source/ui/FileListModel.h"
#include "source/ui/FolderTreeModel.h"
#include "source/ui/SourceViews.h"

namespace glimmora {

SourcePanel::SourcePanel(SourcePanelEnv env, QWidget* parent) : QWidget(parent), env_(std::move(env)) {
  setObjectName(QStringLiteral("FrameS"));
  if (env_.Reader) {
    reader_ = env_.Reader;
  } else {
    diskReader_ = std::make_unique<DiskFolderReader>();
    reader_ = diskReader_.get();
  }
  if (!env_.Roots)
    env_.Roots = [] { return SourceRoots{TreeVolumesNow(), DesktopFolder(), DocumentsFolder()}; };
  tree_ = std::make_unique<FolderTree>(*reader_);
  BuildLayout();
  ConnectViews();
  ResetTreeViewS(true);
  SelectIcoSourceIco();
}

SourcePanel::~SourcePanel() {
  if (listing_) listing_->Stop = true;
  // The views outlive this body and report focus changes while they go: nobody listens by then.
  static_cast<FileListTable*>(fileViewWidgets_[0])->Hooks = {};
  static_cast<FileListGrid*>(fileViewWidgets_[1])->Hooks = {};
  static_cast<FileListGrid*>(fileViewWidgets_[2])->Hooks = {};
  treeView_->Focus = nullptr;
  pathBox_->Focus = nullptr;
  pathBox_->Walk = nullptr;
  fileModel_->OnUserCheck = nullptr;
  // The tree model follows tree_, which goes before the children of this widget do.
  treeView_->setModel(nullptr);
  delete treeModel_;
  treeModel_ = nullptr;
}

void SourcePanel::BuildLayout() {
  const LanguageTable& lang = *env_.Lang;

  treeModel_ = new FolderTreeModel(*tree_, this);
  treeView_ = new FolderTreeView;
  treeView_->setObjectName(QStringLiteral("TreeViewS"));
  treeView_->setModel(treeModel_);
  treeView_->setHeaderHidden(true);
  treeView_->setUniformRowHeights(true);
  treeView_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ShadePane(treeView_, false);

  InstallListAccessibility();
  SetControlName(treeView_, lang.Row(kRowFolderTreeName));
  pathBox_ = new PathBox;
  pathBox_->setObjectName(QStringLiteral("ImageComboPath"));
  SetControlName(pathBox_, lang.Row(kRowFolderPathName));
  ShadePane(pathBox_, false);

  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->setSpacing(1);
  leftLayout->addWidget(treeView_, 1);
  leftLayout->addWidget(pathBox_);
  left->setMinimumWidth(kTreeMinTwips / kTwipsPerPixel);

  fileModel_ = new FileListModel(lang, this);
  auto* table = new FileListTable;
  table->setObjectName(QStringLiteral("ListViewFileReport"));
  auto* list = new FileListGrid;
  list->setObjectName(QStringLiteral("ListViewFileList"));
  auto* icons = new FileListGrid;
  icons->setObjectName(QStringLiteral("ListViewFileIcons"));
  // Named as the control: focus in any of the three views counts as the file list.
  fileViews_ = new QStackedWidget;
  fileViews_->setObjectName(QStringLiteral("ListViewFile"));
  BuildListViews(fileViews_, {table, list, icons}, fileModel_, QAbstractItemView::SingleSelection, QSize(96, 72));
  table->setItemsExpandable(false);
  table->header()->setStretchLastSection(false);
  for (FileListGrid* grid : {list, icons}) grid->setUniformItemSizes(true);
  for (QAbstractItemView* v : std::initializer_list<QAbstractItemView*>{table, list, icons}) {
    v->setToolTip(QString::fromStdString(lang.Row(kRowFileListTooltip)));
    SetControlName(v, lang.Row(kRowFileListName));
    ShadePane(v, false);
    fileViewWidgets_.push_back(v);
  }

  auto* statusBar = new QWidget;
  statusBar->setObjectName(QStringLiteral("StatusBarSfile"));
  auto* statusLayout = new QHBoxLayout(statusBar);
  statusLayout->setContentsMargins(0, 0, 0, 0);
  statusLayout->setSpacing(2);
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel;
    panels_[i]->setObjectName(QStringLiteral("Statusfile %1").arg(i + 1));
    panels_[i]->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panels_[i]->setMinimumWidth(1);
    statusLayout->addWidget(panels_[i], 1);
  }
  // The row is as tall as its texts will be from the start: Chinese characters stand taller than
  // the empty row, and the list above would lose a pixel when the first folder's count arrives.
  panels_[0]->setText(
      QString::fromStdString(lang.Row(kRowSourceTotal) + " 0 " + lang.Row(kRowFilesPlural) + " (0.9 KB)"));
  const int statusHeight = panels_[0]->sizeHint().height();
  panels_[0]->clear();
  for (QLabel* p : panels_) p->setMinimumHeight(statusHeight);

  progress_ = new QProgressBar;
  progress_->setObjectName(QStringLiteral("ProgressBarS"));
  progress_->setRange(1, 110);
  progress_->setTextVisible(false);
  progress_->setFixedHeight(6);
  // Its place is kept while it is hidden: the fills that show it do not yield, so no layout
  // would make room for it before it is painted.
  QSizePolicy keepPlace = progress_->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  progress_->setSizePolicy(keepPlace);
  progress_->hide();

  auto* top = new QWidget;
  auto* topLayout = new QVBoxLayout(top);
  topLayout->setContentsMargins(0, 0, 0, 0);
  topLayout->setSpacing(1);
  topLayout->addWidget(fileViews_, 1);
  topLayout->addWidget(statusBar);
  topLayout->addWidget(progress_);
  fileViews_->setMinimumHeight(kFileListMinTwips / kTwipsPerPixel);

  iconSlot_ = new QWidget;
  iconSlot_->setObjectName(QStringLiteral("IconPaneSlot"));
  auto* slotLayout = new QVBoxLayout(iconSlot_);
  slotLayout->setContentsMargins(0, 0, 0, 0);
  iconSlot_->setMinimumHeight(kIconPaneMinTwips / kTwipsPerPixel);
  SetIconPane(nullptr, nullptr);

  // The splitters move a ghost bar while dragged and lay the panes out once, on release.
  horizontal_ = new QSplitter(Qt::Vertical);
  horizontal_->setObjectName(QStringLiteral("FrameMOve1"));
  horizontal_->addWidget(top);
  horizontal_->addWidget(iconSlot_);
  horizontal_->setOpaqueResize(false);
  horizontal_->setChildrenCollapsible(false);
  horizontal_->setStretchFactor(0, 0);
  horizontal_->setStretchFactor(1, 1);
  horizontal_->setMinimumWidth(kListsMinTwips / kTwipsPerPixel);

  vertical_ = new QSplitter(Qt::Horizontal);
  vertical_->setObjectName(QStringLiteral("FrameMOve0"));
  vertical_->addWidget(left);
  vertical_->addWidget(horizontal_);
  vertical_->setOpaqueResize(false);
  vertical_->setChildrenCollapsible(false);
  vertical_->setStretchFactor(0, 0);
  vertical_->setStretchFactor(1, 1);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->addWidget(vertical_);
  // Until the user drags a splitter its pane keeps the size it was given, and that size goes
  // back to the file as it was read.
  connect(vertical_, &QSplitter::splitterMoved, this, [this] { treeMoved_ = true; });
  connect(horizontal_, &QSplitter::splitterMoved, this, [this] { listMoved_ = true; });

  previewTimer_ = new QTimer(this);
  previewTimer_->setInterval(100);
  connect(previewTimer_, &QTimer::timeout, this, &SourcePanel::PreviewTick);
}

void SourcePanel::ConnectViews() {
  connect(treeView_, &QTreeView::clicked, this, [this](const QModelIndex&) { ListSelectedFolder(); });
  connect(treeView_, &QTreeView::expanded, this, &SourcePanel::OnTreeExpanded);
  connect(treeView_, &QTreeView::doubleClicked, this, [this](const QModelIndex&) {
    if (!fileFolder_.empty()) ShowFolder(fileFolder_);
  });
  treeView_->ArrowKeyUp = [this] { ListSelectedFolder(); };
  treeView_->RightClick = [this] { emit PopupRequested(Pane::TreeViewS); };
  treeView_->Focus = [this](bool in) {
    ShadePane(treeView_, in);
    if (in) emit PaneFocused(Pane::TreeViewS);
  };

  pathBox_->Walk = [this] { GoToTypedPath(false); };
  pathBox_->Focus = [this](bool in) {
    ShadePane(pathBox_, in);
    if (in) emit PaneFocused(Pane::None);
  };

  FileViewHooks hooks;
  hooks.MouseDown = [this](bool left, bool right) {
    FileListPressed(left);
    pendingPopup_ = right;
  };
  hooks.ItemClick = [this](int row) { FileRowClicked(row); };
  hooks.DblClick = [this](int row) { FileRowDoubleClicked(row); };
  hooks.MouseUp = [this] {
    FileListReleased();
    if (pendingPopup_) {
      pendingPopup_ = false;
      emit PopupRequested(Pane::ListViewFile);
    }
  };
  hooks.Focus = [this](bool in) {
    for (QWidget* v : fileViewWidgets_) ShadePane(v, in);
    if (in) emit PaneFocused(Pane::ListViewFile);
  };
  static_cast<FileListTable*>(fileViewWidgets_[0])->Hooks = hooks;
  static_cast<FileListGrid*>(fileViewWidgets_[1])->Hooks = hooks;
  static_cast<FileListGrid*>(fileViewWidgets_[2])->Hooks = hooks;

  // A keyboard move to another row counts as a click on it, as a mouse press does.
  auto* table = static_cast<FileListTable*>(fileViewWidgets_[0]);
  connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (current.isValid() && !AnyViewPressing() && !quietSelection_) FileRowClicked(current.row());
          });
  fileModel_->OnUserCheck = [this](int row) { FileRowTicked(row); };
}

bool SourcePanel::AnyViewPressing() const {
  return static_cast<FileListTable*>(fileViewWidgets_[0])->Pressing ||
         static_cast<FileListGrid*>(fileViewWidgets_[1])->Pressing ||
         static_cast<FileListGrid*>(fileViewWidgets_[2])->Pressing;
}

void SourcePanel::SetIconPane(QWidget* pane, IconPaneLink* link) {
  iconLink_ = link;
  auto* slotLayout = static_cast<QVBoxLayout*>(iconSlot_->layout());
  if (iconPane_) {
    slotLayout->removeWidget(iconPane_);
    iconPane_->deleteLater();
    iconPane_ = nullptr;
  }
  if (!pane) {
    // Until the icon pane is plugged in, an empty sunken box holds its place.
    auto* placeholder = new QFrame;
    placeholder->setObjectName(QStringLiteral("ListViewPict"));
    placeholder->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    placeholder->setAutoFillBackground(true);
    ShadePane(placeholder, false);
    QPalette p = placeholder->palette();
    p.setColor(QPalette::Window, QColor(235, 235, 235));
    placeholder->setPalette(p);
    pane = placeholder;
  }
  iconPane_ = pane;
  slotLayout->addWidget(pane);
}
// --- Pane sizes -------------------------------------------------------------------------------

void SourcePanel::SetSavedPaneSizes(int treeWidthTwips, int fileListHeightTwips) {
  savedTreeTwips_ = treeWidthTwips;
  savedListTwips_ = fileListHeightTwips;
  sizesPending_ = true;
  treeMoved_ = listMoved_ = false;
  if (isVisible()) ApplySavedSizes();
}

void SourcePanel::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (sizesPending_) ApplySavedSizes();
}

void SourcePanel::ApplySavedSizes() {
  sizesPending_ = false;
  const int w = vertical_->width(), h = vertical_->height();
  const SourcePaneSizes sizes =
      AcceptPaneSizes({savedTreeTwips_, savedListTwips_}, w * kTwipsPerPixel, h * kTwipsPerPixel);
  const int treePx = TwipsToPixels(sizes.TreeWidth);
  const int listPx = TwipsToPixels(sizes.FileListHeight);
  shownTree_ = {sizes.TreeWidth, treePx};
  shownList_ = {sizes.FileListHeight, listPx};
  vertical_->setSizes({treePx, std::max(1, w - treePx)});
  // The stored height is the list's own; its status row comes on top of it.
  const int top = horizontal_->sizes().value(0);
  const int statusRow = std::max(0, top - fileViews_->height());
  const int total = top + horizontal_->sizes().value(1);
  horizontal_->setSizes({listPx + statusRow, std::max(1, total - listPx - statusRow)});
  // Column widths are fractions of the list's width.
  const double wf = std::max(1, w - treePx - vertical_->handleWidth());
  auto* table = static_cast<FileListTable*>(fileViewWidgets_[0]);
  const double fractions[] = {1 / 3.8, 1 / 6.5, 1 / 5.2, 1 / 6.8, 1 / 10.0, 1.5};
  for (int c = 0; c < FileListModel::kColumnCount; ++c)
    table->setColumnWidth(c, static_cast<int>(wf * fractions[c]));
  // The date column keeps room for a whole date and time, whatever the font's width.
  const int dateWidth = table->fontMetrics().horizontalAdvance(QStringLiteral("0000-00-00  00:00:00")) + 16;
  if (table->columnWidth(FileListModel::kDate) < dateWidth) table->setColumnWidth(FileListModel::kDate, dateWidth);
}

int SourcePanel::TreeWidthTwips() const {
  if (sizesPending_) return savedTreeTwips_;
  if (!treeMoved_) return shownTree_.Twips;
  return PaneTwipsToStore(vertical_->sizes().value(0), shownTree_);
}

int SourcePanel::FileListHeightTwips() const {
  if (sizesPending_) return savedListTwips_;
  if (!listMoved_) return shownList_.Twips;
  return PaneTwipsToStore(fileViews_->height(), shownList_);
}

void SourcePanel::StorePaneSizes(PaneSizes& sizes) const {
  sizes.TreeViewSWidth = TwipsToInteger(TreeWidthTwips());
  sizes.ListViewFileHeight = TwipsToInteger(FileListHeightTwips());
}

QWidget* SourcePanel::TreeViewS() const { return treeView_; }
QWidget* SourcePanel::ListViewFile() const { return fileViews_->currentWidget(); }
QComboBox* SourcePanel::ImageComboPath() const { return pathBox_; }
QLabel* SourcePanel::StatusPanel(int n) const { return (n >= 1 && n <= 3) ? panels_[n - 1] : nullptr; }

}  // namespace glimmora
