#include "source/FolderTree.h"

#include "common/Paths.h"

namespace glimmora {

bool PathUnder(const std::string& path, const std::string& prefix) {
  if (prefix.empty()) return false;
  if (prefix == "/") return !path.empty() && path.front() == '/';
  return path == prefix || (path.size() > prefix.size() && path.compare(0, prefix.size(), prefix) == 0 &&
                            path[prefix.size()] == '/');
}

std::string FolderTree::VolumeText(const Volume& v) {
  const std::string& key = v.Mount.RootPath;
  if (v.Type == DriveType::Removable) return key;
  return v.Mount.Label + " (" + key + ")";
}

int FolderTree::AddNode(int parent, std::string key, std::string text, int image, int selectedImage) {
  FolderNode n;
  n.Key = std::move(key);
  n.Text = std::move(text);
  n.Image = image;
  n.SelectedImage = selectedImage;
  n.Parent = parent;
  const int id = Count();
  if (parent == kNone) {
    n.Row = static_cast<int>(roots_.size());
    if (observer_) observer_->NodesAboutToBeAdded(kNone, n.Row, n.Row);
    roots_.push_back(id);
  } else {
    n.Row = static_cast<int>(nodes_[static_cast<std::size_t>(parent)].Children.size());
    if (observer_) observer_->NodesAboutToBeAdded(parent, n.Row, n.Row);
    nodes_[static_cast<std::size_t>(parent)].Children.push_back(id);
    childByKey_[static_cast<std::size_t>(parent)].emplace(n.Key, id);
  }
  nodes_.push_back(std::move(n));
  childByKey_.emplace_back();
  if (observer_) observer_->NodesAdded();
  return id;
}

void FolderTree::AddChildren(int parent, const std::vector<std::string>& names) {
  const std::string parentKey = Node(parent).Key;
  std::vector<std::string> keys;
  for (const std::string& name : names) {
    std::string key = JoinPath(parentKey, name);
    if (FindChild(parent, key) == kNone) keys.push_back(std::move(key));
  }
  if (keys.empty()) return;
  const int first = static_cast<int>(Node(parent).Children.size());
  const int last = first + static_cast<int>(keys.size()) - 1;
  if (observer_) observer_->NodesAboutToBeAdded(parent, first, last);
  nodes_.reserve(nodes_.size() + keys.size());
  for (std::string& key : keys) {
    FolderNode n;
    n.Text = NameOfPath(key);
    n.Key = std::move(key);
    n.Image = kImageFolder;
    n.SelectedImage = kImageFolderOpen;
    n.Parent = parent;
    const int id = Count();
    auto& p = nodes_[static_cast<std::size_t>(parent)];
    n.Row = static_cast<int>(p.Children.size());
    p.Children.push_back(id);
    childByKey_[static_cast<std::size_t>(parent)].emplace(n.Key, id);
    nodes_.push_back(std::move(n));
    childByKey_.emplace_back();
  }
  if (observer_) observer_->NodesAdded();
}

void FolderTree::Reset(const std::vector<Volume>& volumes, const std::string& desktop,
                       const std::string& documents, const TreeRootTexts& texts, bool setup) {
  if (observer_) observer_->TreeAboutToReset();
  nodes_.clear();
  roots_.clear();
  childByKey_.clear();
  myComputer_ = desktop_ = documents_ = kNone;
  if (observer_) observer_->TreeReset();

  myComputer_ = AddNode(kNone, kMyComputerKey, texts.MyComputer, kImageMyComputer, 0);
  std::vector<int> volumeNodes;
  for (const Volume& v : volumes) {
    if (!DriveTypeHasNode(v.Type) || v.Mount.RootPath.empty()) continue;
    if (FindChild(myComputer_, v.Mount.RootPath) != kNone) continue;
    int image = kImageFixed;
    if (v.Type == DriveType::Removable) image = kImageRemovable;
    if (v.Type == DriveType::CdRom) image = kImageCdRom;
    volumeNodes.push_back(AddNode(myComputer_, v.Mount.RootPath, VolumeText(v), image, 0));
  }
  if (!setup)
    for (int n : volumeNodes) GetTreePath(n);
  // Shown as My Computer, Desktop, My Documents.
  desktop_ = AddNode(kNone, desktop, texts.Desktop, kImageDesktop, 0);
  documents_ = AddNode(kNone, documents, texts.Documents, kImageDocuments, 0);
  GetTreePath(desktop_);
  GetTreePath(documents_);
}

FsError FolderTree::GetTreePath(int node) {
  if (!Valid(node) || node == myComputer_) return FsError::None;
  SubFolderList list = reader_->SubFolders(FolderOf(node));
  if (list.Error == FsError::None) AddChildren(node, list.Names);
  return list.Error;
}

FsError FolderTree::ReadExpandedLevel(int node) {
  if (!Valid(node) || node == myComputer_) return FsError::None;
  SubFolderList list = reader_->SubFolders(FolderOf(node));
  if (list.Error != FsError::None) return list.Error;
  FolderNode& n = nodes_[static_cast<std::size_t>(node)];
  if (n.Loaded && n.Children.size() == list.Names.size()) return FsError::None;
  AddChildren(node, list.Names);
  const std::string key = Node(node).Key;
  for (const std::string& name : list.Names) GetTreePath(FindChild(node, JoinPath(key, name)));
  nodes_[static_cast<std::size_t>(node)].Loaded = true;
  return FsError::None;
}

FsError FolderTree::LoadTwoLevels(int node) {
  if (!Valid(node)) return FsError::None;
  if (Node(node).Loaded) return FsError::None;
  const FsError err = GetTreePath(node);
  if (err != FsError::None) return err;
  const std::vector<int> children = Node(node).Children;
  for (int c : children)
    if (!Node(c).Loaded && Node(c).Children.empty()) GetTreePath(c);
  nodes_[static_cast<std::size_t>(node)].Loaded = true;
  return FsError::None;
}

int FolderTree::AddFolderNode(int parent, const std::string& name) {
  if (!Valid(parent)) return kNone;
  const std::string key = JoinPath(Node(parent).Key, name);
  const int found = FindChild(parent, key);
  if (found != kNone) return found;
  AddChildren(parent, {name});
  return FindChild(parent, key);
}

int FolderTree::AddPathNodes(const std::string& path) {
  int base = kNone;
  // The user folders hold their own nodes; prefer them when the path lies below one.
  for (int root : {desktop_, documents_})
    if (Valid(root) && PathUnder(path, Node(root).Key) &&
        (base == kNone || Node(root).Key.size() > Node(base).Key.size()))
      base = root;
  if (base == kNone) base = VolumeNodeFor(path);
  if (base == kNone) return kNone;
  int node = base;
  std::string rest = path.substr(std::min(path.size(), Node(base).Key.size()));
  std::size_t pos = 0;
  while (pos < rest.size()) {
    const std::size_t slash = rest.find('/', pos);
    const std::size_t end = slash == std::string::npos ? rest.size() : slash;
    if (end > pos) node = AddFolderNode(node, rest.substr(pos, end - pos));
    pos = end + 1;
  }
  return node;
}

int FolderTree::FindChild(int parent, const std::string& key) const {
  if (!Valid(parent)) return kNone;
  const auto& map = childByKey_[static_cast<std::size_t>(parent)];
  const auto it = map.find(key);
  return it == map.end() ? kNone : it->second;
}

std::string FolderTree::FolderOf(int node) const {
  if (!Valid(node) || node == myComputer_) return {};
  return Node(node).Key;
}

int FolderTree::VolumeNodeFor(const std::string& path) const {
  if (!Valid(myComputer_)) return kNone;
  int best = kNone;
  for (int c : Node(myComputer_).Children)
    if (PathUnder(path, Node(c).Key) && (best == kNone || Node(c).Key.size() > Node(best).Key.size())) best = c;
  return best;
}

}  // namespace glimmora
