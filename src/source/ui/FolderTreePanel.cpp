#include "source/ui/FolderTreePanel.h"

#include <QAbstractItemView>
#include <QDir>
#include <utility>

#include "common/Paths.h"
#include "shared/ui/Accessibility.h"
#include "shared/ui/BusyCursor.h"
#include "shared/ui/PaneShade.h"
#include "source/FolderTree.h"
#include "source/TypedPath.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/FolderTreeModel.h"
#include "source/ui/PathBoxPanel.h"
#include "source/ui/SourceViews.h"
#include "text/LangRows.h"

namespace glimmora {

FolderTreePanel::FolderTreePanel(const SourcePanelEnv& env, FolderReader& reader, FileListPanel& files,
                                 PathBoxPanel& path, QObject* parent)
    : QObject(parent), env_(env), reader_(reader), files_(files), path_(path) {
  tree_ = std::make_unique<FolderTree>(reader_);
  model_ = new FolderTreeModel(*tree_);
  view_ = new FolderTreeView;
  view_->setObjectName(QStringLiteral("TreeViewS"));
  view_->setModel(model_);
  view_->setHeaderHidden(true);
  view_->setUniformRowHeights(true);
  view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ShadePane(view_, false);
  SetControlName(view_, env_.Lang->Row(kRowFolderTreeName));

  connect(view_, &QTreeView::clicked, this, [this](const QModelIndex&) { ListSelectedFolder(); });
  connect(view_, &QTreeView::expanded, this, &FolderTreePanel::OnTreeExpanded);
  connect(view_, &QTreeView::doubleClicked, this, [this](const QModelIndex&) {
    if (!files_.CurrentFolder().empty()) files_.ShowFolder(files_.CurrentFolder());
  });
  view_->ArrowKeyUp = [this] { ListSelectedFolder(); };
  view_->RightClick = [this] { emit PopupRequested(Pane::TreeViewS); };
  view_->Focus = [this](bool in) {
    ShadePane(view_, in);
  };
  connect(&path_, &PathBoxPanel::WalkRequested, this, [this] { GoToTypedPath(false); });
}

FolderTreePanel::~FolderTreePanel() {
  // The view outlives this object inside the page and reports its focus while it goes.
  view_->Focus = nullptr;
  view_->ArrowKeyUp = nullptr;
  view_->RightClick = nullptr;
  // The model follows tree_, which goes before the view does.
  view_->setModel(nullptr);
  delete model_;
  model_ = nullptr;
}

void FolderTreePanel::ResetTreeViewS(bool setup) {
  BusyCursor busy;
  const SourceRoots roots = env_.Roots();
  const LanguageTable& lang = *env_.Lang;
  tree_->Reset(roots.Volumes, roots.Desktop, roots.Documents,
               {lang.Row(kRowTreeComputer), lang.Row(kRowTreeDocuments), lang.Row(kRowTreeDesktop)}, setup);
}

int FolderTreePanel::SelectedNode() const {
  if (!view_->selectionModel()->hasSelection()) return FolderTree::kNone;
  return model_->NodeOf(view_->currentIndex());
}

void FolderTreePanel::SelectNode(int node) {
  // Selecting scrolls to the node, which expands its parents: those are no user's expands.
  const bool quiet = std::exchange(quietExpand_, true);
  view_->setCurrentIndex(model_->IndexOf(node));
  quietExpand_ = quiet;
}

std::string FolderTreePanel::SelectedNodeKey() const {
  const int node = SelectedNode();
  return tree_->Valid(node) ? tree_->Node(node).Key : std::string();
}

void FolderTreePanel::ExpandQuietly(int node) {
  const bool quiet = std::exchange(quietExpand_, true);
  view_->expand(model_->IndexOf(node));
  quietExpand_ = quiet;
}

void FolderTreePanel::OnTreeExpanded(const QModelIndex& index) {
  if (quietExpand_) return;
  // An expand is followed by the tree's click on the expanded node, which reads the next level.
  SelectNode(model_->NodeOf(index));
  expanding_ = true;
  ListSelectedFolder();
}

bool FolderTreePanel::RetryOrCancel(const std::string& what, FsError error) {
  if (env_.Keys) ResetShiftKeys(*env_.Keys, 0);
  PromptRequest r;
  // A folder we may not read is there and ready: telling the user to check the device or the
  // path would send him looking for the wrong thing.
  if (error == FsError::AccessDenied) {
    r.row = kRowFolderAccessDenied;
    r.text = env_.Lang->Row(r.row) + "\n" + what;
  } else {
    r.row = kRowFolderNotReady;
    r.text = env_.Lang->Row(kRowFolderNotReady) + " " + what;
  }
  r.buttons = PromptButtons::RetryCancel;
  r.icon = PromptIcon::Warning;
  return env_.Ask->Ask(r) == PromptAnswer::Retry;
}

void FolderTreePanel::ListSelectedFolder() {
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
      if (folder != lastFolderPath_ || files_.Count() != lastFileCount_) {
        for (;;) {
          // The list is filled again only when it shows another folder, or when its count no
          // longer matches what this folder held when it was last clicked.
          const FsError err =
              (folder != files_.CurrentFolder() || folder == lastFolderPath_) ? files_.Fill(folder) : FsError::None;
          if (err == FsError::None) {
            files_.SelectIcoSourceIco();
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
      path_.SetPathText("");
      files_.Abandon(env_.AppPath);
    } else {
      lastFolderPath_ = folder;
      lastFileCount_ = files_.Count();
      AddToPathHistory(folder);
    }
  }
  view_->setToolTip(QString::fromStdString(files_.CurrentFolder()));
  emit CaptionChanged();
}

void FolderTreePanel::CollapseFolderTree() {
  for (int root : tree_->Roots()) view_->collapse(model_->IndexOf(root));
  files_.Collapse();
}

void FolderTreePanel::RefreshFolderTree(bool treeDirty) {
  const std::string t = path_.PathText();
  const std::string shown = files_.CurrentFolder();
  ResetTreeViewS(false);
  if (!treeDirty) {
    if (!shown.empty()) {
      files_.Fill(shown);
      files_.SelectIcoSourceIco();
    }
  } else {
    path_.SetPathText(t);
    if (!t.empty()) GoToTypedPath(false);
  }
  if (files_.Count() > 0 && files_.CurrentFolder() != SelectedNodeKey()) {
    path_.SetPathText(files_.CurrentFolder());
    if (!t.empty()) GoToTypedPath(false);
  }
  if (files_.Count() == 0) {
    if (t != files_.CurrentFolder()) {
      if (!t.empty() && files_.Fill(t) == FsError::None) files_.SelectIcoSourceIco();
    } else if (!files_.CurrentFolder().empty()) {
      files_.Fill(files_.CurrentFolder());
      files_.SelectIcoSourceIco();
    }
  }
}

void FolderTreePanel::GotoCurrentFolder() {
  const QModelIndex index = view_->currentIndex();
  if (!index.isValid()) return;
  const bool quiet = std::exchange(quietExpand_, true);
  view_->scrollTo(index);
  view_->expand(index);
  quietExpand_ = quiet;
}

void FolderTreePanel::AddPathToTree(const std::string& folder) { tree_->AddPathNodes(DropTrailingSlash(folder)); }

int FolderTreePanel::WalkToFolder(const std::string& folder) {
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

void FolderTreePanel::GoToTypedPath(bool setupMod) {
  BusyCursor busy;
  const std::string s = path_.PathText();
  // The current volume is read before the selection goes.
  std::string currentRoot = "/";
  const int selected = SelectedNode();
  if (tree_->Valid(selected)) {
    const int volume = tree_->VolumeNodeFor(tree_->FolderOf(selected));
    if (volume != FolderTree::kNone) currentRoot = tree_->Node(volume).Key;
  }
  const std::string target = NormaliseTypedPath(s, QDir::homePath().toStdString(), currentRoot);
  view_->selectionModel()->clearSelection();

  for (;;) {
    FsError err = reader_.CheckFolder(target);
    if (err == FsError::None) {
      const int node = WalkToFolder(target);
      if (node != FolderTree::kNone) {
        SelectNode(node);
        ExpandQuietly(node);
        view_->scrollTo(model_->IndexOf(node));
      }
      const std::string folder = node != FolderTree::kNone ? tree_->FolderOf(node) : target;
      // The same folder is read again only when the collapse command has emptied its list.
      if (folder != files_.CurrentFolder() || files_.Count() == 0) {
        err = files_.Fill(folder);
        if (err == FsError::None) files_.SelectIcoSourceIco();
      }
    }
    if (err == FsError::None || setupMod || !IsRetryable(err)) break;
    if (!RetryOrCancel(s, err)) break;
  }
  path_.SetPathText(s);
  AddToPathHistory(s);
  emit CaptionChanged();
}

void FolderTreePanel::AddToPathHistory(const std::string& trkey) {
  const int node = SelectedNode();
  path_.AddToPathHistory(trkey, tree_->Valid(node) ? tree_->Node(node).Image : kImageFolder);
}

QWidget* FolderTreePanel::TreeViewS() const { return view_; }

}  // namespace glimmora
