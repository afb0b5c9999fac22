#include <gtest/gtest.h>

#include <map>

#include "source/FolderTree.h"

namespace glimmora {
namespace {

// A disk made of a map from folder to sub-folder names; counts every read.
class FakeReader : public FolderReader {
 public:
  std::map<std::string, std::vector<std::string>> folders;
  std::map<std::string, int> reads;
  SubFolderList SubFolders(const std::string& folder) override {
    ++reads[folder];
    auto it = folders.find(folder);
    if (it == folders.end()) return {{}, FsError::NotFound};
    return {it->second, FsError::None};
  }
  FileListing Files(const std::string&) override { return {}; }
  FsError CheckFolder(const std::string& folder) override {
    return folders.count(folder) ? FsError::None : FsError::NotFound;
  }
  int TotalReads() const {
    int n = 0;
    for (const auto& [k, v] : reads) n += v;
    return n;
  }
};

Volume MakeVolume(std::string root, DriveType type, std::string label = "") {
  Volume v;
  v.Mount.RootPath = std::move(root);
  v.Mount.Label = std::move(label);
  v.Type = type;
  return v;
}

class FolderTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    disk.folders["/"] = {"home", "usr"};
    disk.folders["/home"] = {"u"};
    disk.folders["/usr"] = {"bin", "lib", "share"};
    disk.folders["/usr/bin"] = {};
    disk.folders["/usr/lib"] = {"x"};
    disk.folders["/usr/share"] = {};
    disk.folders["/home/u"] = {"Desktop", "Documents"};
    disk.folders["/home/u/Desktop"] = {"d1"};
    disk.folders["/home/u/Documents"] = {"Letters", "Music"};
    disk.folders["/media/usb"] = {"pics"};
  }
  void Build(bool setup) {
    tree.Reset({MakeVolume("/", DriveType::Fixed, "root"), MakeVolume("/media/usb", DriveType::Removable),
                MakeVolume("/mnt/cd", DriveType::CdRom), MakeVolume("/net/share", DriveType::Remote),
                MakeVolume("/proc", DriveType::Undetermined)},
               "/home/u/Desktop", "/home/u/Documents", {"My Computer", "My Documents", "Desktop"}, setup);
  }
  std::vector<std::string> ChildTexts(int node) {
    std::vector<std::string> out;
    for (int c : tree.Node(node).Children) out.push_back(tree.Node(c).Text);
    return out;
  }
  FakeReader disk;
  FolderTree tree{disk};
};

TEST_F(FolderTreeTest, RootsVolumesAndTheirTexts) {
  Build(true);
  ASSERT_EQ(tree.Roots().size(), 3u);
  EXPECT_EQ(tree.Node(tree.Roots()[0]).Key, "mycomputer");
  EXPECT_EQ(tree.Node(tree.Roots()[1]).Text, "Desktop");
  EXPECT_EQ(tree.Node(tree.Roots()[2]).Text, "My Documents");
  EXPECT_EQ(tree.Node(tree.Documents()).Key, "/home/u/Documents");
  // Network and system volumes get no node.
  EXPECT_EQ(ChildTexts(tree.MyComputer()), (std::vector<std::string>{"root (/)", "/media/usb", " (/mnt/cd)"}));
  const auto& vols = tree.Node(tree.MyComputer()).Children;
  EXPECT_EQ(tree.Node(vols[0]).Image, kImageFixed);
  EXPECT_EQ(tree.Node(vols[1]).Image, kImageRemovable);
  EXPECT_EQ(tree.Node(vols[2]).Image, kImageCdRom);
  // At start-up no volume is read; the user folders show their first level at once.
  EXPECT_EQ(disk.reads.count("/"), 0u);
  EXPECT_TRUE(tree.Node(vols[0]).Children.empty());
  EXPECT_EQ(ChildTexts(tree.Documents()), (std::vector<std::string>{"Letters", "Music"}));
  const int letters = tree.Node(tree.Documents()).Children[0];
  EXPECT_EQ(tree.Node(letters).Key, "/home/u/Documents/Letters");
  EXPECT_EQ(tree.Node(letters).Image, kImageFolder);
  EXPECT_EQ(tree.Node(letters).SelectedImage, kImageFolderOpen);
}

TEST_F(FolderTreeTest, RefreshBuildReadsEveryVolumesFirstLevel) {
  Build(false);
  EXPECT_EQ(disk.reads["/"], 1);
  EXPECT_EQ(disk.reads["/media/usb"], 1);
  EXPECT_EQ(disk.reads["/mnt/cd"], 1);  // not there: the level stays empty, no failure
  EXPECT_EQ(disk.reads.count("/net/share"), 0u);
  EXPECT_EQ(ChildTexts(tree.Node(tree.MyComputer()).Children[0]), (std::vector<std::string>{"home", "usr"}));
}

TEST_F(FolderTreeTest, ExpandReadsOneLevelAheadOnceUntilTheDiskChanges) {
  Build(false);
  const int root = tree.Node(tree.MyComputer()).Children[0];
  const int usr = tree.FindChild(root, "/usr");
  ASSERT_NE(usr, FolderTree::kNone);
  disk.reads.clear();
  ASSERT_EQ(tree.ReadExpandedLevel(usr), FsError::None);
  EXPECT_EQ(disk.TotalReads(), 4);  // its own level and each of its three children
  EXPECT_EQ(ChildTexts(tree.FindChild(usr, "/usr/lib")), (std::vector<std::string>{"x"}));
  EXPECT_TRUE(tree.Node(usr).Loaded);

  disk.reads.clear();
  tree.ReadExpandedLevel(usr);
  EXPECT_EQ(disk.TotalReads(), 1);  // only the count check

  disk.folders["/usr"].push_back("src");
  disk.folders["/usr/src"] = {"linux"};
  tree.ReadExpandedLevel(usr);
  EXPECT_EQ(ChildTexts(usr), (std::vector<std::string>{"bin", "lib", "share", "src"}));
  EXPECT_EQ(ChildTexts(tree.FindChild(usr, "/usr/src")), (std::vector<std::string>{"linux"}));
  EXPECT_EQ(tree.Node(usr).Children.size(), 4u);  // nothing added twice
}

TEST_F(FolderTreeTest, AMissingFolderReportsWhyAndAddsNothing) {
  Build(false);
  const int root = tree.Node(tree.MyComputer()).Children[0];
  const int home = tree.FindChild(root, "/home");
  disk.folders.erase("/home");
  EXPECT_EQ(tree.ReadExpandedLevel(home), FsError::NotFound);
  EXPECT_TRUE(tree.Node(home).Children.empty());
  EXPECT_FALSE(tree.Node(home).Loaded);
}

TEST_F(FolderTreeTest, VolumeOfAPathIsTheLongestWholeComponentPrefix) {
  Build(true);
  const auto& vols = tree.Node(tree.MyComputer()).Children;
  EXPECT_EQ(tree.VolumeNodeFor("/media/usb/pics"), vols[1]);
  EXPECT_EQ(tree.VolumeNodeFor("/media/usb"), vols[1]);
  EXPECT_EQ(tree.VolumeNodeFor("/media/usbstick"), vols[0]);
  EXPECT_EQ(tree.VolumeNodeFor("/usr"), vols[0]);
  EXPECT_EQ(tree.VolumeNodeFor("relative"), FolderTree::kNone);
}

TEST_F(FolderTreeTest, AddPathNodesBuildsTheChainUnderTheHoldingFolder) {
  Build(true);
  const int node = tree.AddPathNodes("/home/u/Documents/Letters/2024_Ico");
  ASSERT_NE(node, FolderTree::kNone);
  EXPECT_EQ(tree.Node(node).Key, "/home/u/Documents/Letters/2024_Ico");
  const int letters = tree.Node(node).Parent;
  EXPECT_EQ(tree.Node(letters).Parent, tree.Documents());  // the existing node was reused
  EXPECT_EQ(tree.AddPathNodes("/home/u/Documents/Letters/2024_Ico"), node);
  const int usrNode = tree.AddPathNodes("/usr/lib");
  EXPECT_EQ(tree.Node(tree.Node(usrNode).Parent).Key, "/usr");
}

TEST_F(FolderTreeTest, ObserverSeesEveryInsertInOrder) {
  struct Recorder : FolderTreeObserver {
    int resets = 0, batches = 0, rows = 0, open = 0;
    void TreeAboutToReset() override { ++resets; }
    void NodesAboutToBeAdded(int, int first, int last) override {
      ++batches;
      rows += last - first + 1;
      ++open;
    }
    void NodesAdded() override { --open; }
  } rec;
  tree.SetObserver(&rec);
  Build(false);
  EXPECT_EQ(rec.resets, 1);
  EXPECT_EQ(rec.open, 0);
  EXPECT_EQ(rec.rows, tree.Count());
  // One batch per level read, not one per folder.
  EXPECT_LT(rec.batches, tree.Count());
  tree.SetObserver(nullptr);
}

}  // namespace
}  // namespace glimmora
