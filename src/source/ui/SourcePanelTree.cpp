// The source panel's folder tree and the path box under it.
#include <QDir>
#include <QSignalBlocker>
#include <utility>

#include "text/LangRows.h"
#include "common/Paths.h"
#include "shared/ui/BusyCursor.h"
#include "source/FolderTree.h"
#include "source/TypedPath.h"
#include "source/ui/FileListModel.h"
#include "source/ui/FolderTreeModel.h"
#include "source/ui/SourcePanel.h"
#include "source/ui/SourceViews.h"

namespace glimmora {

// --- Folder tree ------------------------------------------------------------------------------

void SourcePanel::ResetTreeViewS(bool setup) {
  BusyCursor busy;
  const SourceRoots roots = env_.Roots();
  const LanguageTable& lang = *env_.Lang;
  tree_->Reset(roots.Volumes, roots.Desktop, roots.Documents,
               {lang.Row(kRowTreeComputer), lang.Row(kRowTreeDocuments), lang.Row(kRowTreeDesktop)}, setup);
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
  ListSelectedFolder();
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
    r.row = kRowFolderNotReady;
    r.text = env_.Lang->Row(kRowFolderNotReady) + " " + what;
  }
  r.buttons = PromptButtons::RetryCancel;
  r.icon = PromptIcon::Warning;
  return env_.Ask->Ask(r) == PromptAnswer::Retry;
}

void SourcePanel::ListSelectedFolder() {
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
      AddToPathHistory(folder);
    }
  }
  treeView_->setToolTip(QString::fromStdString(fileFolder_));
  emit CaptionChanged();
}

void SourcePanel::CollapseFolderTree() {
  for (int root : tree_->Roots()) treeView_->collapse(treeModel_->IndexOf(root));
  ClearFileList();
  if (iconLink_) iconLink_->SelectIco();
  SelectIcoSourceIco();
}

void SourcePanel::RefreshFolderTree(bool treeDirty) {
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
    if (!t.empty()) GoToTypedPath(false);
  }
  if (fileModel_->Count() > 0 && fileFolder_ != SelectedNodeKey()) {
    pathBox_->setEditText(QString::fromStdString(fileFolder_));
    if (!t.empty()) GoToTypedPath(false);
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

void SourcePanel::AddToPathHistory(const std::string& trkey) {
  const int node = SelectedNode();
  const int image = tree_->Valid(node) ? tree_->Node(node).Image : kImageFolder;
  glimmora::AddToPathHistory(history_, trkey, static_cast<std::int16_t>(image));
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

void SourcePanel::GoToTypedPath(bool setupMod) {
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
  AddToPathHistory(s);
  emit CaptionChanged();
}

}  // namespace glimmora
