#include "source/ui/SourcePanel.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QScopedValueRollback>
#include <QShowEvent>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>
#include <utility>

#include "common/Paths.h"
#include "platform/Volumes.h"
#include "source/FileListRows.h"
#include "source/FolderTree.h"
#include "source/PaneLayout.h"
#include "source/TypedPath.h"
#include "source/ui/FileListIcons.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/ListViews.h"
#include "shared/ui/PaneShade.h"
#include "source/ui/FileListModel.h"
#include "source/ui/FolderTreeModel.h"
#include "source/ui/SourceViews.h"

namespace glimmora {

namespace {

// The hourglass for the length of a folder read.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;
};

std::string UpperExtension(const std::string& name) {
  if (name.size() < 3) return {};
  std::string e = name.substr(name.size() - 3);
  for (char& c : e) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  return e;
}

}  // namespace

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
  fileIcons_ = std::make_unique<FileListIcons>();
  BuildLayout();
  ConnectViews();
  ResetTreeViewS(true);
  SelectIcoSourceIco();
}

SourcePanel::~SourcePanel() {
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
  SetControlName(treeView_, lang.Row(773));
  pathBox_ = new PathBox;
  pathBox_->setObjectName(QStringLiteral("ImageComboPath"));
  SetControlName(pathBox_, lang.Row(774));
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
    v->setToolTip(QString::fromStdString(lang.Row(207)));
    SetControlName(v, lang.Row(775));
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
  panels_[0]->setText(QString::fromStdString(lang.Row(216) + " 0 " + lang.Row(217) + " (0.9 KB)"));
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
  connect(treeView_, &QTreeView::clicked, this, [this](const QModelIndex&) { TreeViewS_Click(); });
  connect(treeView_, &QTreeView::expanded, this, &SourcePanel::OnTreeExpanded);
  connect(treeView_, &QTreeView::doubleClicked, this, [this](const QModelIndex&) {
    if (!fileFolder_.empty()) ShowFolder(fileFolder_);
  });
  treeView_->ArrowKeyUp = [this] { TreeViewS_Click(); };
  treeView_->RightClick = [this] { emit PopupRequested(QStringLiteral("TREEVIEWS")); };
  treeView_->Focus = [this](bool in) {
    ShadePane(treeView_, in);
    if (in) emit PaneFocused(1);
  };

  pathBox_->Walk = [this] { ImageCobomKeyup(false); };
  pathBox_->Focus = [this](bool in) {
    ShadePane(pathBox_, in);
    if (in) emit PaneFocused(0);
  };

  FileViewHooks hooks;
  hooks.MouseDown = [this](bool left, bool right) {
    ListViewFile_MouseDown(left);
    pendingPopup_ = right;
  };
  hooks.ItemClick = [this](int row) { ListViewFile_ItemClick(row); };
  hooks.DblClick = [this](int row) { ListViewFile_DblClick(row); };
  hooks.MouseUp = [this] {
    ListViewFile_MouseUp();
    if (pendingPopup_) {
      pendingPopup_ = false;
      emit PopupRequested(QStringLiteral("FILE"));
    }
  };
  hooks.Focus = [this](bool in) {
    for (QWidget* v : fileViewWidgets_) ShadePane(v, in);
    if (in) emit PaneFocused(2);
  };
  static_cast<FileListTable*>(fileViewWidgets_[0])->Hooks = hooks;
  static_cast<FileListGrid*>(fileViewWidgets_[1])->Hooks = hooks;
  static_cast<FileListGrid*>(fileViewWidgets_[2])->Hooks = hooks;

  // A keyboard move to another row counts as a click on it, as a mouse press does.
  auto* table = static_cast<FileListTable*>(fileViewWidgets_[0]);
  connect(table->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current, const QModelIndex&) {
            if (current.isValid() && !AnyViewPressing() && !quietSelection_) ListViewFile_ItemClick(current.row());
          });
  fileModel_->OnUserCheck = [this](int row) { ListViewFile_ItemCheck(row); };
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

// --- Folder tree ------------------------------------------------------------------------------

void SourcePanel::ResetTreeViewS(bool setup) {
  BusyCursor busy;
  const SourceRoots roots = env_.Roots();
  const LanguageTable& lang = *env_.Lang;
  tree_->Reset(roots.Volumes, roots.Desktop, roots.Documents, {lang.Row(204), lang.Row(205), lang.Row(206)},
               setup);
}

int SourcePanel::SelectedNode() const {
  if (!treeView_->selectionModel()->hasSelection()) return FolderTree::kNone;
  return treeModel_->NodeOf(treeView_->currentIndex());
}

void SourcePanel::SelectNode(int node) {
  // Selecting scrolls to the node, which expands its parents: those are no user's expands.
  const bool quiet = std::exchange(quietExpand_, true);
  treeView_->setCurrentIndex(treeModel_->IndexOf(node));
  quietExpand_ = quiet;
}

std::string SourcePanel::SelectedNodeText() const {
  const int node = SelectedNode();
  return tree_->Valid(node) ? tree_->Node(node).Text : std::string();
}

std::string SourcePanel::SelectedNodeKey() const {
  const int node = SelectedNode();
  return tree_->Valid(node) ? tree_->Node(node).Key : std::string();
}

void SourcePanel::ExpandQuietly(int node) {
  const bool quiet = std::exchange(quietExpand_, true);
  treeView_->expand(treeModel_->IndexOf(node));
  quietExpand_ = quiet;
}

void SourcePanel::OnTreeExpanded(const QModelIndex& index) {
  if (quietExpand_) return;
  // An expand is followed by the tree's click on the expanded node, which reads the next level.
  SelectNode(treeModel_->NodeOf(index));
  expanding_ = true;
  TreeViewS_Click();
}

bool SourcePanel::RetryOrCancel(const std::string& what, FsError error) {
  if (env_.Keys) ResetShiftKeys(*env_.Keys, 0);
  PromptRequest r;
  // A folder we may not read is there and ready: telling the user to check the device or the
  // path would send him looking for the wrong thing.
  if (error == FsError::AccessDenied) {
    r.row = kRowFolderAccessDenied;
    r.text = env_.Lang->Row(r.row) + "\n" + what;
  } else {
    r.row = 215;
    r.text = env_.Lang->Row(215) + " " + what;
  }
  r.buttons = PromptButtons::RetryCancel;
  r.icon = PromptIcon::Warning;
  return env_.Ask->Ask(r) == PromptAnswer::Retry;
}

void SourcePanel::TreeViewS_Click() {
  BusyCursor busy;
  const int node = SelectedNode();
  if (!tree_->Valid(node)) return;
  if (node != tree_->MyComputer()) {
    const std::string key = tree_->Node(node).Key;
    const std::string folder = tree_->FolderOf(node);
    bool cancelled = false;
    if (expanding_) {
      for (;;) {
        const FsError err = tree_->ReadExpandedLevel(node);
        if (!IsRetryable(err)) break;
        if (!RetryOrCancel(key, err)) {
          cancelled = true;
          break;
        }
      }
      if (!cancelled) expanding_ = false;
    }
    if (!cancelled) {
      if (folder != lastFolderPath_ || fileModel_->Count() != lastFileCount_) {
        for (;;) {
          // The list is filled again only when it shows another folder, or when its count no
          // longer matches what this folder held when it was last clicked.
          const FsError err = (folder != fileFolder_ || folder == lastFolderPath_) ? SetListFile(folder)
                                                                                     : FsError::None;
          if (err == FsError::None) {
            SelectIcoSourceIco();
            break;
          }
          if (!IsRetryable(err)) break;
          if (!RetryOrCancel(key, err)) {
            cancelled = true;
            break;
          }
        }
      }
    }
    if (cancelled) {
      expanding_ = false;
      fileFolder_ = env_.AppPath;
      pathBox_->setEditText(QString());
      // Emptied before the status is computed, so the panels do not show the old counts.
      ClearFileList();
      SelectIcoSourceIco();
    } else {
      lastFolderPath_ = folder;
      lastFileCount_ = fileModel_->Count();
      AddimgCombopath(folder);
    }
  }
  treeView_->setToolTip(QString::fromStdString(fileFolder_));
  emit CaptionChanged();
}

void SourcePanel::CollapseTree() {
  for (int root : tree_->Roots()) treeView_->collapse(treeModel_->IndexOf(root));
  ClearFileList();
  if (iconLink_) iconLink_->SelectIco();
  SelectIcoSourceIco();
}

void SourcePanel::RefreshTree(bool treeDirty) {
  const std::string t = pathBox_->currentText().toStdString();
  const std::string shown = fileFolder_;
  ResetTreeViewS(false);
  if (!treeDirty) {
    if (!shown.empty()) {
      SetListFile(shown);
      SelectIcoSourceIco();
    }
  } else {
    pathBox_->setEditText(QString::fromStdString(t));
    if (!t.empty()) ImageCobomKeyup(false);
  }
  if (fileModel_->Count() > 0 && fileFolder_ != SelectedNodeKey()) {
    pathBox_->setEditText(QString::fromStdString(fileFolder_));
    if (!t.empty()) ImageCobomKeyup(false);
  }
  if (fileModel_->Count() == 0) {
    if (t != fileFolder_) {
      if (!t.empty() && SetListFile(t) == FsError::None) SelectIcoSourceIco();
    } else if (!fileFolder_.empty()) {
      SetListFile(fileFolder_);
      SelectIcoSourceIco();
    }
  }
}

void SourcePanel::GotoCurrentFolder() {
  const QModelIndex index = treeView_->currentIndex();
  if (!index.isValid()) return;
  const bool quiet = std::exchange(quietExpand_, true);
  treeView_->scrollTo(index);
  treeView_->expand(index);
  quietExpand_ = quiet;
}

void SourcePanel::AddPathToTree(const std::string& folder) { tree_->AddPathNodes(DropTrailingSlash(folder)); }

// --- Path box ---------------------------------------------------------------------------------

void SourcePanel::SyncPathBox() {
  const QSignalBlocker block(pathBox_);
  pathBox_->clear();
  for (const PathEntry& e : history_.Items)
    pathBox_->addItem(TreeImageIcon(e.Image), QString::fromStdString(e.Path));
  pathBox_->setCurrentIndex(history_.Selected);
  pathBox_->setEditText(QString::fromStdString(history_.Text));
}

void SourcePanel::AddimgCombopath(const std::string& trkey) {
  const int node = SelectedNode();
  const int image = tree_->Valid(node) ? tree_->Node(node).Image : kImageFolder;
  glimmora::AddimgCombopath(history_, trkey, static_cast<std::int16_t>(image));
  SyncPathBox();
}

std::vector<PathEntry> SourcePanel::PathHistory() const { return history_.Items; }

std::string SourcePanel::PathText() const { return pathBox_->currentText().toStdString(); }

void SourcePanel::SetPathHistory(const std::vector<PathEntry>& items, const std::string& text) {
  history_.Items = items;
  if (history_.Items.size() > kPathHistoryMax)
    history_.Items.erase(history_.Items.begin(),
                         history_.Items.end() - static_cast<std::ptrdiff_t>(kPathHistoryMax));
  history_.Selected = -1;
  history_.Text = text;
  SyncPathBox();
}

int SourcePanel::WalkToFolder(const std::string& folder) {
  int node = tree_->VolumeNodeFor(folder);
  if (node == FolderTree::kNone) return node;
  tree_->MarkLoaded(tree_->MyComputer());
  ExpandQuietly(tree_->MyComputer());
  for (const std::string& part : ComponentsBelow(folder, tree_->Node(node).Key)) {
    tree_->LoadTwoLevels(node);
    int child = tree_->FindChild(node, JoinPath(tree_->Node(node).Key, part));
    // A folder the reader does not list (a hidden one typed by name) still gets its node.
    if (child == FolderTree::kNone) child = tree_->AddFolderNode(node, part);
    node = child;
  }
  tree_->LoadTwoLevels(node);
  return node;
}

void SourcePanel::ImageCobomKeyup(bool setupMod) {
  BusyCursor busy;
  const std::string s = pathBox_->currentText().toStdString();
  // The current volume is read before the selection goes.
  std::string currentRoot = "/";
  const int selected = SelectedNode();
  if (tree_->Valid(selected)) {
    const int volume = tree_->VolumeNodeFor(tree_->FolderOf(selected));
    if (volume != FolderTree::kNone) currentRoot = tree_->Node(volume).Key;
  }
  const std::string target = NormaliseTypedPath(s, QDir::homePath().toStdString(), currentRoot);
  treeView_->selectionModel()->clearSelection();

  for (;;) {
    FsError err = reader_->CheckFolder(target);
    if (err == FsError::None) {
      const int node = WalkToFolder(target);
      if (node != FolderTree::kNone) {
        SelectNode(node);
        ExpandQuietly(node);
        treeView_->scrollTo(treeModel_->IndexOf(node));
      }
      const std::string folder = node != FolderTree::kNone ? tree_->FolderOf(node) : target;
      // The same folder is read again only when the collapse command has emptied its list.
      if (folder != fileFolder_ || fileModel_->Count() == 0) {
        err = SetListFile(folder);
        if (err == FsError::None) SelectIcoSourceIco();
      }
    }
    if (err == FsError::None || setupMod || !IsRetryable(err)) break;
    if (!RetryOrCancel(s, err)) break;
  }
  pathBox_->setEditText(QString::fromStdString(s));
  AddimgCombopath(s);
  emit CaptionChanged();
}

// --- File list --------------------------------------------------------------------------------

FsError SourcePanel::SetListFile(const std::string& folder) {
  FileListing listing = reader_->Files(folder);
  if (listing.Error != FsError::None) return listing.Error;
  BusyCursor busy;
  if (iconLink_) iconLink_->ClearListViewPict();
  std::vector<FileListRow> rows = MakeFileRows(listing);
  // The fill does not yield: the bar paints itself at once whenever its value moves it.
  const double n = static_cast<double>(rows.size());
  if (!rows.empty()) {
    progress_->setValue(1);
    progress_->show();
  }
  std::vector<QIcon> icons = fileIcons_->Apply(folder, rows, [this, n](std::size_t i) {
    progress_->setValue(static_cast<int>(static_cast<double>(i) / n * 105) + 1);
  });
  {
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    fileModel_->SetRows(std::move(rows), std::move(icons));
  }
  // Another folder starts at its first file; reading the same folder again keeps the place.
  if (folder != fileFolder_)
    for (QWidget* v : fileViewWidgets_) static_cast<QAbstractItemView*>(v)->scrollToTop();
  fileFolder_ = folder;
  progress_->setValue(110);
  progress_->hide();
  return FsError::None;
}

void SourcePanel::ShowFolder(const std::string& folder) {
  SetListFile(DropTrailingSlash(folder));
  SelectIcoSourceIco();
}

void SourcePanel::ClearFileList() {
  {
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    fileModel_->Clear();
  }
  if (iconLink_) iconLink_->ClearListViewPict();
}

void SourcePanel::SelectIcoSourceIco() {
  status_ = glimmora::SelectIcoSourceIco(StatusRows(fileModel_->Rows()), *env_.Lang);
  for (int i = 0; i < 3; ++i) panels_[i]->setText(QString::fromStdString(status_.Panel[i]));
  emit FileStatusChanged();
}

std::vector<ListedFile> SourcePanel::ListedFiles() const {
  std::vector<ListedFile> out;
  out.reserve(fileModel_->Rows().size());
  for (const FileListRow& r : fileModel_->Rows()) out.push_back({r.Name, r.Checked});
  return out;
}

void SourcePanel::SetFoundIcons(const std::string& fileName, const FoundIcons& found) {
  if (!found.Write) return;
  fileModel_->SetFoundIcons(fileModel_->FindName(fileName), found.Icons, found.Details);
}

void SourcePanel::SetFileChecked(const std::string& fileName, bool checked) {
  const int row = fileModel_->FindName(fileName);
  if (row < 0) return;
  fileModel_->SetChecked(row, checked);
  SelectIcoSourceIco();
}

int SourcePanel::CurrentRow() const {
  auto* table = static_cast<FileListTable*>(fileViewWidgets_[0]);
  const QModelIndex index = table->selectionModel()->currentIndex();
  if (!index.isValid() || !table->selectionModel()->isRowSelected(index.row(), {})) return -1;
  return index.row();
}

std::string SourcePanel::RowPath(int row) const { return JoinPath(fileFolder_, fileModel_->Row(row).Name); }

bool SourcePanel::RunSearch(int row) {
  if (row < 0 || row >= fileModel_->Count()) return false;
  const std::string name = fileModel_->Row(row).Name;
  // Every search is remembered, so a later click on the same file does not scan it again.
  lastClickPath_ = fileFolder_;
  lastClickName_ = name;
  if (!iconLink_) return false;
  const std::string folder = fileFolder_;
  const FoundIcons found = iconLink_->SearchIcon(folder, name);
  // The picture tool keeps the window working while it is open: when the list has moved to
  // another folder meanwhile, a row of the same name there is another file.
  if (fileFolder_ == folder) SetFoundIcons(name, found);
  return found.PictureToolOpened;
}

void SourcePanel::ListViewFile_ItemClick(int row) {
  previewTimer_->stop();
  previewTicks_ = 0;
  if (row < 0 || row >= fileModel_->Count()) return;
  const bool checkedAndSelected = fileModel_->Row(row).Checked && CurrentRow() == row;
  bool pictureTool = false;
  const std::string name = fileModel_->Row(row).Name;
  if (fileFolder_ != lastClickPath_ || name != lastClickName_) {
    if (checkedAndSelected) {
      pictureTool = RunSearch(row);
      SelectIcoSourceIco();
    }
    lastClickPath_ = fileFolder_;
    lastClickName_ = name;
  }
  if (checkedAndSelected && pictureTool) return;
  const std::string ext = UpperExtension(lastClickName_);
  if (ext == "ICO") {
    if (realSizeReq_ && iconLink_) iconLink_->ShowFilePreview(JoinPath(lastClickPath_, lastClickName_));
  } else if (ext == "GIF" || ext == "BMP" || ext == "JPG" || ext == "WMF") {
    previewTimer_->start();
  }
}

void SourcePanel::PreviewTick() {
  if (iconLink_ && iconLink_->PictureToolOpen()) {
    previewTimer_->stop();
    previewTicks_ = 0;
    return;
  }
  if (++previewTicks_ < 5) return;
  previewTicks_ = 0;
  previewTimer_->stop();
  const int row = CurrentRow();
  if (realSizeReq_ && iconLink_ && row >= 0) iconLink_->ShowFilePreview(RowPath(row));
}

void SourcePanel::ListViewFile_DblClick(int row) {
  if (row < 0 || row >= fileModel_->Count()) return;
  fileModel_->SetChecked(row, true);
  RunSearch(row);
  SelectIcoSourceIco();
}

void SourcePanel::ListViewFile_ItemCheck(int row) {
  if (row >= 0 && row < fileModel_->Count() && fileModel_->Row(row).Checked && CurrentRow() == row) RunSearch(row);
  SelectIcoSourceIco();
}

void SourcePanel::ListViewFile_MouseDown(bool left) { realSizeReq_ = left; }

void SourcePanel::ListViewFile_MouseUp() {
  realSizeReq_ = false;
  if (iconLink_) iconLink_->HidePreview();
}

void SourcePanel::SelectAllFiles() {
  fileModel_->SetAllChecked([](const FileListRow&) { return true; });
  SelectIcoSourceIco();
}

void SourcePanel::CancelFileSelection() {
  fileModel_->SetAllChecked([](const FileListRow&) { return false; });
  SelectIcoSourceIco();
}

void SourcePanel::AntiSelect() {
  fileModel_->SetAllChecked([](const FileListRow& r) { return !r.Checked; });
  SelectIcoSourceIco();
}

void SourcePanel::ShowFileInList(const std::string& fileName) {
  const int row = fileModel_->FindName(fileName);
  if (row < 0) return;
  auto* table = static_cast<FileListTable*>(fileViewWidgets_[0]);
  const QModelIndex index = fileModel_->index(row, 0);
  {
    // The save moves the selection, not the user: the file is not searched.
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    table->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  }
  for (QWidget* v : fileViewWidgets_) static_cast<QAbstractItemView*>(v)->scrollTo(index);
}

void SourcePanel::RemoveCheckedFiles() {
  std::vector<bool> drop;
  drop.reserve(fileModel_->Rows().size());
  for (const FileListRow& r : fileModel_->Rows()) drop.push_back(r.Checked);
  {
    // The current row moving to a neighbour is no click of the user's.
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    fileModel_->RemoveRows(drop);
  }
  SelectIcoSourceIco();
}

bool SourcePanel::AskDeleteFiles() {
  if (env_.Keys) ResetShiftKeys(*env_.Keys, 0);
  PromptRequest r;
  r.text = env_.Lang->Row(203);
  r.row = 203;
  r.buttons = PromptButtons::YesNo;
  r.icon = PromptIcon::Question;
  return env_.Ask->AskToDelete(r) == PromptAnswer::Yes;
}

DeleteOutcome SourcePanel::DeleteCheckedFiles(bool ask) {
  DeleteOutcome out;
  const auto& rows = fileModel_->Rows();
  if (std::none_of(rows.begin(), rows.end(), [](const FileListRow& r) { return r.Checked; })) return out;
  out.Asked = ask;
  if (ask && !AskDeleteFiles()) return out;
  out.Confirmed = true;
  DropCheckedRows(true, std::numeric_limits<int>::max(), out);
  return out;
}

DeleteOutcome SourcePanel::MoveCheckedFilesOut(int limit) {
  DeleteOutcome out;
  const auto& rows = fileModel_->Rows();
  if (std::none_of(rows.begin(), rows.end(), [](const FileListRow& r) { return r.Checked; })) return out;
  out.Asked = true;
  out.Confirmed = AskDeleteFiles();
  DropCheckedRows(out.Confirmed, limit, out);
  return out;
}

// Checked rows leave the list in one pass, at most `limit` of them. With `deleteFiles` each file
// is deleted before its row goes; a row whose file stays on disk stays in the list.
void SourcePanel::DropCheckedRows(bool deleteFiles, int limit, DeleteOutcome& out) {
  const auto& rows = fileModel_->Rows();
  std::vector<bool> drop(rows.size(), false);
  int dropped = 0;
  std::string report;
  for (std::size_t i = 0; i < rows.size() && dropped < limit; ++i) {
    if (!rows[i].Checked) continue;
    const std::string path = JoinPath(fileFolder_, rows[i].Name);
    const std::string error = deleteFiles ? DeleteFileFromDisk(path) : std::string();
    if (error.empty()) {
      drop[i] = true;
      ++dropped;
      if (deleteFiles) ++out.Deleted;
    } else {
      out.Failed.push_back(path);
      if (out.Failed.size() <= 10) report += "\n" + path + ": " + error;
    }
  }
  {
    const QScopedValueRollback<bool> quiet(quietSelection_, true);
    fileModel_->RemoveRows(drop);
  }
  SelectIcoSourceIco();
  if (!out.Failed.empty()) {
    if (out.Failed.size() > 10) report += "\n... (" + std::to_string(out.Failed.size()) + ")";
    if (env_.Keys) ResetShiftKeys(*env_.Keys, 0);
    PromptRequest r;
    r.text = env_.Lang->Row(650) + report;
    r.row = 650;
    r.buttons = PromptButtons::Ok;
    r.icon = PromptIcon::Warning;
    env_.Ask->Ask(r);
  }
}

void SourcePanel::SetFileViewMode(int mode) { fileViews_->setCurrentIndex(std::clamp(mode, 0, 2)); }

int SourcePanel::FileViewMode() const { return fileViews_->currentIndex(); }

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
QWidget* SourcePanel::IconPaneSlot() const { return iconSlot_; }

}  // namespace glimmora
