#include "source/ui/SourcePanel.h"

#include <QComboBox>
#include <QFrame>
#include <QShowEvent>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

#include "platform/Volumes.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/PaneShade.h"
#include "source/PaneLayout.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/FolderTreePanel.h"
#include "source/ui/PathBoxPanel.h"

namespace glimmora {

SourcePanel::SourcePanel(SourcePanelEnv env, QWidget* parent) : QWidget(parent), env_(std::move(env)) {
  setObjectName(QStringLiteral("FrameS"));
  FolderReader* reader = env_.Reader;
  if (!reader) {
    diskReader_ = std::make_unique<DiskFolderReader>();
    reader = diskReader_.get();
  }
  if (!env_.Roots)
    env_.Roots = [] { return SourceRoots{TreeVolumesNow(), DesktopFolder(), DocumentsFolder()}; };
  InstallListAccessibility();
  path_ = std::make_unique<PathBoxPanel>(env_);
  files_ = new FileListPanel(env_);
  folders_ = std::make_unique<FolderTreePanel>(env_, *reader, *files_, *path_);
  files_->AddPath = [this](const std::string& folder) { folders_->AddPathToTree(folder); };
  BuildLayout();
  folders_->ResetTreeViewS(true);
  files_->SelectIcoSourceIco();
}

SourcePanel::~SourcePanel() { files_->AddPath = nullptr; }

void SourcePanel::BuildLayout() {
  auto* left = new QWidget;
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(0, 0, 0, 0);
  leftLayout->setSpacing(1);
  leftLayout->addWidget(folders_->TreeViewS(), 1);
  leftLayout->addWidget(path_->ImageComboPath());
  left->setMinimumWidth(kTreeMinTwips / kTwipsPerPixel);

  iconSlot_ = new QWidget;
  iconSlot_->setObjectName(QStringLiteral("IconPaneSlot"));
  auto* slotLayout = new QVBoxLayout(iconSlot_);
  slotLayout->setContentsMargins(0, 0, 0, 0);
  iconSlot_->setMinimumHeight(kIconPaneMinTwips / kTwipsPerPixel);
  SetIconPane(nullptr, nullptr);

  // The splitters move a ghost bar while dragged and lay the panes out once, on release.
  horizontal_ = new QSplitter(Qt::Vertical);
  horizontal_->setObjectName(QStringLiteral("FrameMOve1"));
  horizontal_->addWidget(files_);
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
}

void SourcePanel::SetIconPane(QWidget* pane, IconPaneLink* link) {
  files_->SetIconLink(link);
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
  const int statusRow = std::max(0, top - files_->ListHeight());
  const int total = top + horizontal_->sizes().value(1);
  horizontal_->setSizes({listPx + statusRow, std::max(1, total - listPx - statusRow)});
  files_->FitColumns(w - treePx - vertical_->handleWidth());
}

int SourcePanel::TreeWidthTwips() const {
  if (sizesPending_) return savedTreeTwips_;
  if (!treeMoved_) return shownTree_.Twips;
  return PaneTwipsToStore(vertical_->sizes().value(0), shownTree_);
}

int SourcePanel::FileListHeightTwips() const {
  if (sizesPending_) return savedListTwips_;
  if (!listMoved_) return shownList_.Twips;
  return PaneTwipsToStore(files_->ListHeight(), shownList_);
}

void SourcePanel::StorePaneSizes(PaneSizes& sizes) const {
  sizes.TreeViewSWidth = TwipsToInteger(TreeWidthTwips());
  sizes.ListViewFileHeight = TwipsToInteger(FileListHeightTwips());
}

}  // namespace glimmora
