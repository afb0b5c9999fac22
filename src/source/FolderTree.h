#pragma once
// The folder tree's nodes: My Computer with the mounted volumes, the desktop and the documents
// folder, and the folders below them, read one level ahead of what the user opened. Nodes are
// only added between rebuilds, so a node's id and its row under its parent never change.

#include <string>
#include <unordered_map>
#include <vector>

#include "files/DriveTypes.h"
#include "source/FolderReader.h"

namespace glimmora {

// Image indexes of the tree's image list (the path history keeps them with its entries).
enum TreeImage : int {
  kImageMyComputer = 3,
  kImageRemovable = 4,
  kImageFixed = 5,
  kImageCdRom = 6,
  kImageDocuments = 7,
  kImageDesktop = 8,
  kImageFolder = 9,
  kImageFolderOpen = 10,
};

inline constexpr const char* kMyComputerKey = "mycomputer";

struct FolderNode {
  std::string Key;  // the folder's path; "mycomputer" for the My Computer root
  std::string Text;
  int Image = 0;
  int SelectedImage = 0;  // 0: none
  int Parent = -1;
  int Row = 0;  // position under the parent (or among the roots)
  std::vector<int> Children;
  // Every child's own sub-folders have been read: the tree holds two levels below this node.
  bool Loaded = false;
};

// Told before and after every change, so a view model can follow the nodes.
class FolderTreeObserver {
 public:
  virtual ~FolderTreeObserver() = default;
  virtual void TreeAboutToReset() {}
  virtual void TreeReset() {}
  virtual void NodesAboutToBeAdded(int parent, int first, int last) {}
  virtual void NodesAdded() {}
};

struct TreeRootTexts {
  std::string MyComputer;  // kRowTreeComputer
  std::string Documents;   // kRowTreeDocuments
  std::string Desktop;     // kRowTreeDesktop
};

class FolderTree {
 public:
  static constexpr int kNone = -1;

  explicit FolderTree(FolderReader& reader) : reader_(&reader) {}
  void SetObserver(FolderTreeObserver* observer) { observer_ = observer; }

  // Rebuilds the tree: My Computer with a node per volume (read only when `setup` is false),
  // then Desktop and My Documents with their first level read.
  void Reset(const std::vector<Volume>& volumes, const std::string& desktop, const std::string& documents,
             const TreeRootTexts& texts, bool setup);

  // Adds one level of folder nodes below `node` (GetTreePath); returns the reader's error.
  FsError GetTreePath(int node);
  // The read after an expand: `node`'s own level and the level of each of its children, unless
  // nothing changed since the last such read (same number of children as sub-folders on disk).
  FsError ReadExpandedLevel(int node);
  // Reads the level of `node` unless it is Loaded, and the level of each child not Loaded yet;
  // then marks `node` Loaded. Used by the path walk, so later expands read nothing again.
  FsError LoadTwoLevels(int node);
  // The child of `parent` for sub-folder `name`, added when missing.
  int AddFolderNode(int parent, const std::string& name);
  void MarkLoaded(int node) {
    if (Valid(node)) nodes_[static_cast<std::size_t>(node)].Loaded = true;
  }
  // Adds the nodes of `path` below the node of the volume or user folder holding it; returns the
  // deepest node (kNone when no node holds the path).
  int AddPathNodes(const std::string& path);

  int FindChild(int parent, const std::string& key) const;
  const FolderNode& Node(int id) const { return nodes_[static_cast<std::size_t>(id)]; }
  int Count() const { return static_cast<int>(nodes_.size()); }
  const std::vector<int>& Roots() const { return roots_; }
  int MyComputer() const { return myComputer_; }
  int Desktop() const { return desktop_; }
  int Documents() const { return documents_; }
  bool Valid(int id) const { return id >= 0 && id < Count(); }

  // The folder a node stands for ("" for My Computer).
  std::string FolderOf(int node) const;
  // The volume node whose mount point is the longest whole-component prefix of `path`.
  int VolumeNodeFor(const std::string& path) const;
  // The text of a volume's node.
  static std::string VolumeText(const Volume& volume);

 private:
  int AddNode(int parent, std::string key, std::string text, int image, int selectedImage);
  // Adds the missing children of `parent` for `names` in one batch.
  void AddChildren(int parent, const std::vector<std::string>& names);

  FolderReader* reader_;
  FolderTreeObserver* observer_ = nullptr;
  std::vector<FolderNode> nodes_;
  std::vector<int> roots_;
  // Per node: child key -> child id, so a level of thousands of folders is merged in linear time.
  std::vector<std::unordered_map<std::string, int>> childByKey_;
  int myComputer_ = kNone;
  int desktop_ = kNone;
  int documents_ = kNone;
};

// True when `path` is `prefix` or lies below it ("/home" holds "/home/a", not "/homes").
bool PathUnder(const std::string& path, const std::string& prefix);

}  // namespace glimmora
