// The folder tree and the path box on screen: reading on demand, typed paths, missing folders.
#include <filesystem>

#include "text/LangRows.h"
#include "source/PaneLayout.h"
#include "support/ui/SourcePageFixture.h"

#include <QSplitter>

namespace glimmora::testing {
namespace {

using FolderNavigationTest = SourcePageTest;

QTreeView* TreeView(SourcePanel& page) { return static_cast<QTreeView*>(page.Folders().TreeViewS()); }

TEST_F(FolderNavigationTest, StartUpReadsOnlyTheUserFolders) {
  const int volume = TreeNode(root);
  ASSERT_NE(volume, -1);
  EXPECT_TRUE(page->Folders().Tree().Node(volume).Children.empty());
  EXPECT_EQ(reader.subFolderReads, 2);  // Desktop and My Documents
  EXPECT_NE(TreeNode(root + "/docs/Letters"), -1);
}

TEST_F(FolderNavigationTest, ExpandReadsTheNextLevelOnceAndListsTheFolder) {
  const int volume = TreeNode(root);
  page->Folders().RefreshFolderTree();  // reads every volume's first level
  const int deep = TreeNode(root + "/deep");
  ASSERT_NE(deep, -1);
  EXPECT_EQ(TreeNode(root + "/deep/one"), -1);

  reader.subFolderReads = 0;
  TreeView(*page)->expand(page->Folders().TreeModel()->IndexOf(deep));
  EXPECT_EQ(reader.subFolderReads, 2);  // deep's level and one's
  EXPECT_NE(TreeNode(root + "/deep/one/two"), -1);
  EXPECT_EQ(page->Folders().SelectedNodeKey(), root + "/deep");
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/deep");
  EXPECT_EQ(page->Path().PathHistory().back().Path, root + "/deep");

  TreeView(*page)->collapse(page->Folders().TreeModel()->IndexOf(deep));
  reader.subFolderReads = 0;
  TreeView(*page)->expand(page->Folders().TreeModel()->IndexOf(deep));
  EXPECT_EQ(reader.subFolderReads, 1);  // unchanged on disk: only the count is checked

  Mkdir(root + "/deep/fresh");
  TreeView(*page)->collapse(page->Folders().TreeModel()->IndexOf(deep));
  TreeView(*page)->expand(page->Folders().TreeModel()->IndexOf(deep));
  EXPECT_NE(TreeNode(root + "/deep/fresh"), -1);
  (void)volume;
}

TEST_F(FolderNavigationTest, ClickingAMissingFolderOffersRetryAndCancelEmptiesTheList) {
  page->Folders().RefreshFolderTree();
  page->Files().ShowFolder(root + "/files");
  UserCheck(0);
  const int deep = TreeNode(root + "/deep");
  std::filesystem::remove_all(root + "/deep");
  prompter.answers = {PromptAnswer::Retry, PromptAnswer::Cancel};
  const QModelIndex index = page->Folders().TreeModel()->IndexOf(deep);
  TreeView(*page)->scrollTo(index);
  QTest::mouseClick(TreeView(*page)->viewport(), Qt::LeftButton, {}, TreeView(*page)->visualRect(index).center());
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{215, 215}));
  EXPECT_EQ(prompter.asked[0].text, "<215> " + root + "/deep");
  EXPECT_EQ(prompter.asked[0].buttons, PromptButtons::RetryCancel);
  EXPECT_EQ(Model()->Count(), 0);
  EXPECT_EQ(Panel(1), "");
  EXPECT_EQ(Panel(2), "");
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/app");
  EXPECT_EQ(page->Path().PathText(), "");
}

TEST_F(FolderNavigationTest, TypedPathWalksTheTreeAndKeepsTheTextAsTyped) {
  std::string typed = root + "/deep/one";
  std::replace(typed.begin(), typed.end(), '/', '\\');
  TypePath(typed);
  EXPECT_EQ(page->Folders().SelectedNodeKey(), root + "/deep/one");
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/deep/one");
  EXPECT_TRUE(TreeView(*page)->isExpanded(page->Folders().TreeModel()->IndexOf(TreeNode(root + "/deep/one"))));
  EXPECT_EQ(page->Path().PathText(), typed);
  EXPECT_EQ(page->Path().PathHistory().back().Path, typed);
  EXPECT_EQ(page->Path().PathHistory().back().Image, kImageFolder);
  EXPECT_TRUE(prompter.asked.empty());

  // Without a leading slash the path is taken on the volume of the selected folder.
  TypePath("files");
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/files");
  EXPECT_EQ(Model()->Count(), 4);
  EXPECT_EQ(page->Path().PathText(), "files");

  // A hidden folder, which the tree does not list, still gets a node when typed.
  TypePath(root + "/.hidden/inside");
  EXPECT_EQ(page->Folders().SelectedNodeKey(), root + "/.hidden/inside");
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/.hidden/inside");
}

TEST_F(FolderNavigationTest, PickingAHistoryEntryWalksToIt) {
  TypePath(root + "/files");
  TypePath(root + "/docs");
  QComboBox* box = page->Path().ImageComboPath();
  ASSERT_EQ(box->count(), 2);
  box->setCurrentIndex(0);
  emit box->activated(0);
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/files");
  EXPECT_EQ(box->count(), 2);  // revisited, not added again
}

TEST_F(FolderNavigationTest, AMissingTypedPathAsksAndLeavesTheListAlone) {
  page->Files().ShowFolder(root + "/files");
  prompter.answers = {PromptAnswer::Retry, PromptAnswer::Cancel};
  TypePath(root + "/nope");
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{215, 215}));
  EXPECT_EQ(prompter.asked[0].text, "<215> " + root + "/nope");
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/files");
  EXPECT_EQ(Model()->Count(), 4);
  EXPECT_EQ(page->Path().PathText(), root + "/nope");
  EXPECT_EQ(page->Path().PathHistory().back().Path, root + "/nope");

  // A folder that is there but may not be read says so, not that the device is not ready.
  prompter.asked.clear();
  prompter.answers = {PromptAnswer::Cancel};
  reader.denied = root + "/deep";
  TypePath(root + "/deep");
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{kRowFolderAccessDenied});
  EXPECT_EQ(prompter.asked[0].text, "<713>\n" + root + "/deep");
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/files");
}

TEST_F(FolderNavigationTest, HistoryRoundTripsAndCollapseEmptiesTheLists) {
  page->Path().SetPathHistory({{"/a", 9}, {"/b", 5}}, "/b");
  EXPECT_EQ(page->Path().PathHistory().size(), 2u);
  EXPECT_EQ(page->Path().PathText(), "/b");
  page->Files().ShowFolder(root + "/files");
  const int clears = pane.clears;
  page->Folders().CollapseFolderTree();
  EXPECT_EQ(Model()->Count(), 0);
  EXPECT_EQ(Panel(1), "");
  EXPECT_GT(pane.clears, clears);
  TypePath(root + "/files");  // the folder the emptied list showed comes back
  EXPECT_EQ(Model()->Count(), 4);
}

TEST_F(FolderNavigationTest, PaneSizesFollowTheAcceptanceRules) {
  page->resize(900, 600);
  QApplication::processEvents();
  page->SetSavedPaneSizes(0, 0);  // nothing stored: the defaults
  EXPECT_NEAR(page->TreeWidthTwips(), 2850, kTwipsPerPixel);
  PaneSizes sizes;
  page->StorePaneSizes(sizes);
  EXPECT_NEAR(sizes.TreeViewSWidth, 2850, kTwipsPerPixel);
  page->SetSavedPaneSizes(4500, 3000);
  EXPECT_NEAR(page->TreeWidthTwips(), 4500, kTwipsPerPixel);
  EXPECT_NEAR(page->FileListHeightTwips(), 3000, kTwipsPerPixel);
  // A tiny window leaves every pane its minimum instead of a negative size, and the sizes that
  // the user never dragged go back to the file as they came.
  page->resize(40, 40);
  QApplication::processEvents();
  EXPECT_GE(page->findChild<QSplitter*>(QStringLiteral("FrameMOve0"))->sizes().value(0), 10);
  EXPECT_EQ(page->TreeWidthTwips(), 4500);
  EXPECT_EQ(page->FileListHeightTwips(), 3000);
  // Only what the user drags is measured again; the file list keeps its stored twips.
  page->resize(900, 600);
  QApplication::processEvents();
  auto* splitter = page->findChild<QSplitter*>(QStringLiteral("FrameMOve0"));
  ASSERT_NE(splitter, nullptr);
  splitter->setSizes({301, 590});
  emit splitter->splitterMoved(301, 1);
  EXPECT_EQ(page->TreeWidthTwips(), 301 * kTwipsPerPixel);
  EXPECT_EQ(page->FileListHeightTwips(), 3000);
}

}  // namespace
}  // namespace glimmora::testing
