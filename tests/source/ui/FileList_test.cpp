// The file list on screen: which clicks search a file, previews, status texts, commands.
#include <QAccessible>
#include <QProgressBar>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTimer>
#include <atomic>
#include <filesystem>
#include <future>

#include "support/IconFixtures.h"
#include "support/IconTestBytes.h"
#include "support/ui/SourcePageFixture.h"

namespace glimmora::testing {
namespace {

class FileListTest : public SourcePageTest {
 protected:
  void SetUp() override {
    SourcePageTest::SetUp();
    page->Files().ShowFolder(root + "/files");
    ASSERT_EQ(Model()->Count(), 4);
  }
};

TEST_F(FileListTest, ListsTheFolderWithTextsAndTheStatus) {
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/files");
  const FileListRow& a = Model()->Row(RowOf("a.dll"));
  EXPECT_EQ(a.SizeText, "100 (.1KB)");
  EXPECT_EQ(a.Icons, "   ?");
  EXPECT_FALSE(Model()->index(RowOf("a.dll"), FileListModel::kType).data().toString().isEmpty());
  EXPECT_EQ(Panel(1), "<216> 4 <217> (1 KB)");  // 1024 bytes in all
  EXPECT_EQ(Panel(2), "");
  EXPECT_EQ(Panel(3), "");
  EXPECT_GE(pane.clears, 1);  // every fill empties the icon pane
}

// The files are read beside the window: its events go on while a slow folder is read, and a
// folder chosen meanwhile is the one listed, whichever reading ends last.
TEST_F(FileListTest, TheWindowAnswersWhileAFolderIsReadAndTheLastChoiceWins) {
  Mkdir(root + "/slow");
  Write("slow/x.txt", 1);
  std::promise<void> go;
  std::shared_future<void> released = go.get_future().share();
  std::atomic<int> reads{0};
  reader.whileReading = [&] {
    if (++reads == 1) released.wait();
  };
  bool answered = false;
  QTimer::singleShot(0, [&] {
    answered = true;
    EXPECT_EQ(Model()->Count(), 4);  // the old list stays until the new one is read
    page->Files().ShowFolder(root + "/files");
    go.set_value();
  });
  page->Files().ShowFolder(root + "/slow");
  reader.whileReading = nullptr;
  EXPECT_TRUE(answered);
  EXPECT_EQ(page->Files().CurrentFolder(), root + "/files");
  EXPECT_EQ(Model()->Count(), 4);
  EXPECT_TRUE(page->Files().ProgressBarS()->isHidden());
}

// A row's icon is drawn when the row is shown, once; an icon file shows its own first image with
// its mask applied (a 24-bit icon's transparent half stays clear).
TEST_F(FileListTest, RowIconsAreDrawnWhenShownAndIconFilesKeepTheirMask) {
  Bytes ico = InfoHeader(16, 32, 24);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) Append(ico, {0, 0, 255});  // red
  for (int y = 0; y < 16; ++y) Append(ico, {0xFF, 0x00, 0, 0});  // the left half transparent
  ico = WithIcoHead(ico, 16, 16, 24);
  Mkdir(root + "/big");
  for (int i = 0; i < 1000; ++i)
    WriteBytes(root + "/big/f" + std::to_string(10000 + i) + (i % 2 ? ".ico" : ".txt"), ico);
  const int before = Model()->Icons().IconFilesRead();
  page->Files().ShowFolder(root + "/big");
  page->grab();  // paints what is on screen
  ASSERT_EQ(Model()->Count(), 1000);
  const int read = Model()->Icons().IconFilesRead() - before;
  EXPECT_GT(read, 0);
  EXPECT_LT(read, 200);  // the rows on screen, not the 500 icon files of the folder
  const QImage shown =
      Model()->index(1, 0).data(Qt::DecorationRole).value<QIcon>().pixmap(16, 16).toImage();
  EXPECT_EQ(qAlpha(shown.pixel(2, 8)), 0);
  EXPECT_EQ(shown.pixel(13, 8), qRgb(255, 0, 0));
  page->grab();
  EXPECT_EQ(Model()->Icons().IconFilesRead() - before, read);  // kept, not drawn again
}

TEST_F(FileListTest, ClickSearchesOnlyACheckedFileNotSearchedLast) {
  const int a = RowOf("a.dll"), d = RowOf("d.txt");
  ClickRow(a);
  EXPECT_TRUE(pane.searched.empty());  // unchecked: no search
  UserCheck(a);                         // ticking the selected file searches it
  EXPECT_EQ(pane.searched, (std::vector<std::string>{"a.dll"}));
  ClickRow(a);
  EXPECT_EQ(pane.searched.size(), 1u);  // the same file again: no second scan
  ClickRow(d);
  ClickRow(a);  // checked, and another file was clicked in between
  EXPECT_EQ(pane.searched.size(), 2u);
  EXPECT_EQ(Model()->Row(a).Icons, "   3");
  EXPECT_EQ(Model()->Row(a).Details, "16x16");
  EXPECT_EQ(Panel(3), "<359> 3 <395>");

  // Ticking a row that is not the selected one searches nothing but refreshes the status.
  UserCheck(d);
  EXPECT_EQ(pane.searched.size(), 2u);
  EXPECT_EQ(Panel(2), "<224> 2 <358> (.5 KB)");
}

TEST_F(FileListTest, DoubleClickChecksAndAlwaysSearches) {
  const int c = RowOf("c.gif");
  QTest::mouseDClick(Table()->viewport(), Qt::LeftButton, {}, RowPoint(c));
  EXPECT_TRUE(Model()->Row(c).Checked);
  EXPECT_EQ(pane.searched, (std::vector<std::string>{"c.gif"}));
  QTest::mouseDClick(Table()->viewport(), Qt::LeftButton, {}, RowPoint(c));
  EXPECT_EQ(pane.searched.size(), 2u);
  // The double click's search counts as the last one: a click on the same file does not rescan.
  ClickRow(c);
  EXPECT_EQ(pane.searched.size(), 2u);
  // Enter does for the current file what the double click does.
  const int a = RowOf("a.dll");
  ClickRow(a);
  QTest::keyClick(Table(), Qt::Key_Return);
  EXPECT_TRUE(Model()->Row(a).Checked);
  EXPECT_EQ(pane.searched.back(), "a.dll");
}

TEST_F(FileListTest, KeyboardMovesCountAsClicks) {
  page->Files().SelectAllFiles();
  EXPECT_TRUE(pane.searched.empty());
  EXPECT_EQ(Panel(2), "<224> 4 <358> (1 KB)");
  EXPECT_FALSE(page->Files().FileStatus().SelectAllItem);
  ClickRow(0);
  EXPECT_EQ(pane.searched.size(), 1u);
  Table()->setFocus();
  QTest::keyClick(Table(), Qt::Key_Down);
  ASSERT_EQ(pane.searched.size(), 2u);
  EXPECT_EQ(pane.searched[1], Model()->Row(1).Name);
}

TEST_F(FileListTest, IconFilesPreviewAtOncePicturesAfterHalfASecondWhileHeld) {
  QTest::mousePress(Table()->viewport(), Qt::LeftButton, {}, RowPoint(RowOf("b.ico")));
  EXPECT_EQ(pane.previews, (std::vector<std::string>{root + "/files/b.ico"}));
  QTest::mouseRelease(Table()->viewport(), Qt::LeftButton, {}, RowPoint(RowOf("b.ico")));
  EXPECT_EQ(pane.hides, 1);

  pane.previews.clear();
  const QPoint gif = RowPoint(RowOf("c.gif"));
  QTest::mousePress(Table()->viewport(), Qt::LeftButton, {}, gif);
  QTest::qWait(250);
  EXPECT_TRUE(pane.previews.empty());
  QTest::qWait(500);
  EXPECT_EQ(pane.previews, (std::vector<std::string>{root + "/files/c.gif"}));
  QTest::mouseRelease(Table()->viewport(), Qt::LeftButton, {}, gif);

  // Released before the delay ran out: nothing is shown.
  pane.previews.clear();
  ClickRow(RowOf("d.txt"));
  QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, gif);
  QTest::qWait(700);
  EXPECT_TRUE(pane.previews.empty());

  // With the picture-to-icon tool open a pending preview is dropped.
  pane.toolOpen = true;
  ClickRow(RowOf("d.txt"));
  QTest::mousePress(Table()->viewport(), Qt::LeftButton, {}, gif);
  QTest::qWait(700);
  EXPECT_TRUE(pane.previews.empty());
  QTest::mouseRelease(Table()->viewport(), Qt::LeftButton, {}, gif);
}

TEST_F(FileListTest, CheckCommands) {
  page->Files().SelectAllFiles();
  EXPECT_TRUE(page->Files().FileStatus().CheckedFileCommands);
  page->Files().InvertFileTicks();
  EXPECT_EQ(Panel(2), "");
  EXPECT_FALSE(page->Files().FileStatus().CheckedFileCommands);
  UserCheck(0);
  page->Files().InvertFileTicks();
  EXPECT_EQ(Panel(2), "<224> 3 <358> (.9 KB)");
  page->Files().CancelFileSelection();
  EXPECT_EQ(Panel(2), "");
  EXPECT_TRUE(page->Files().FileStatus().SelectAllItem);
}

TEST_F(FileListTest, RemoveKeepsTheFilesOnDisk) {
  UserCheck(RowOf("a.dll"));
  UserCheck(RowOf("b.ico"));  // two adjacent rows
  page->Files().RemoveCheckedFiles();
  ASSERT_EQ(Model()->Count(), 2);
  EXPECT_EQ(Model()->Row(0).Name, "c.gif");
  EXPECT_TRUE(std::filesystem::exists(root + "/files/a.dll"));
  EXPECT_EQ(Panel(1), "<216> 2 <217> (.7 KB)");
}

TEST_F(FileListTest, DeleteRemovesOnlyRowsWhoseFileWasDeletedAndReportsTheRest) {
  UserCheck(RowOf("a.dll"));
  UserCheck(RowOf("c.gif"));
  prompter.answers = {PromptAnswer::No};
  page->Files().DeleteCheckedFiles(true);
  EXPECT_EQ(Model()->Count(), 4);
  EXPECT_TRUE(std::filesystem::exists(root + "/files/a.dll"));
  EXPECT_EQ(prompter.asked[0].text, "<203>\n\n<511>2\na.dll\nc.gif");  // how many and which

  std::filesystem::remove(root + "/files/c.gif");  // its delete will fail
  prompter.asked.clear();
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Ok};
  const DeleteOutcome out = page->Files().DeleteCheckedFiles(true);
  EXPECT_EQ(out.Deleted, 1);
  ASSERT_EQ(out.Failed, (std::vector<std::string>{root + "/files/c.gif"}));
  EXPECT_FALSE(std::filesystem::exists(root + "/files/a.dll"));
  EXPECT_EQ(RowOf("a.dll"), -1);
  ASSERT_NE(RowOf("c.gif"), -1);
  EXPECT_TRUE(Model()->Row(RowOf("c.gif")).Checked);
  ASSERT_EQ(prompter.RowsAsked(), (std::vector<int>{203, 650}));  // the question, then one report
  EXPECT_EQ(prompter.DefaultsAsked()[0], PromptAnswer::No);       // Enter keeps the files
  EXPECT_EQ(prompter.asked[1].text.rfind("<650>\n" + root + "/files/c.gif: ", 0), 0u) << prompter.asked[1].text;
  EXPECT_EQ(Panel(1), "<216> 3 <217> (.9 KB)");
}

TEST_F(FileListTest, RowsLeavingUnderTheCurrentRowStartNoSearch) {
  const int a = RowOf("a.dll"), b = RowOf("b.ico");
  ClickRow(a);
  UserCheck(a);
  Model()->SetChecked(b, true);
  std::filesystem::remove(root + "/files/b.ico");  // b's delete fails, so b stays, checked
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Ok};
  const std::size_t searches = pane.searched.size();
  page->Files().DeleteCheckedFiles(true);
  EXPECT_EQ(RowOf("a.dll"), -1);
  EXPECT_EQ(pane.searched.size(), searches);
}

TEST_F(FileListTest, ManyRowsLeaveInOnePass) {
  Mkdir(root + "/many");
  for (int i = 0; i < 300; ++i) Write("many/f" + std::to_string(1000 + i), 1);
  page->Files().ShowFolder(root + "/many");
  ASSERT_EQ(Model()->Count(), 300);
  int n = 0;
  Model()->SetAllChecked([&n](const FileListRow&) { return n++ % 2 == 0; });
  QSignalSpy removed(Model(), &QAbstractItemModel::rowsRemoved);
  QSignalSpy reset(Model(), &QAbstractItemModel::modelReset);
  page->Files().RemoveCheckedFiles();
  EXPECT_EQ(Model()->Count(), 150);
  EXPECT_EQ(removed.count() + reset.count(), 1);
  EXPECT_EQ(Model()->Row(0).Name, "f1001");
  page->Files().SelectAllFiles();
  prompter.answers = {PromptAnswer::No};
  page->Files().DeleteCheckedFiles(true);  // the question names the first five
  EXPECT_EQ(prompter.asked.back().text, "<203>\n\n<511>150\nf1001\nf1003\nf1005\nf1007\nf1009\n...");
}

TEST_F(FileListTest, ViewsShareOneModelAndOneSelection) {
  ClickRow(2);
  QTreeView* table = Table();
  page->Files().SetFileViewMode(ListViewMode::LargeIcons);
  auto* icons = static_cast<QAbstractItemView*>(page->Files().ListViewFile());
  EXPECT_NE(icons, table);
  EXPECT_EQ(icons->model(), Model());
  EXPECT_EQ(icons->currentIndex().row(), 2);
  // A screen reader walking any of the views meets each row once, at the place it is drawn: the
  // report view's header comes first, the lists have no hidden cells of other columns.
  for (ListViewMode mode : {ListViewMode::Report, ListViewMode::List, ListViewMode::LargeIcons}) {
    SCOPED_TRACE(static_cast<int>(mode));
    page->Files().SetFileViewMode(mode);
    QApplication::processEvents();
    auto* view = static_cast<QAbstractItemView*>(page->Files().ListViewFile());
    QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(view);
    ASSERT_NE(reader->tableInterface(), nullptr);
    const int first = mode == ListViewMode::Report ? FileListModel::kColumnCount : 0;
    const int perRow = mode == ListViewMode::Report ? FileListModel::kColumnCount : 1;
    EXPECT_EQ(reader->childCount(), first + 4 * perRow);
    for (int row = 0; row < 4; ++row) {
      QAccessibleInterface* item = reader->child(first + row * perRow);
      ASSERT_TRUE(item && item->tableCellInterface());
      EXPECT_EQ(item->tableCellInterface()->rowIndex(), row);
      EXPECT_EQ(item->text(QAccessible::Name).toStdString(), Model()->Row(row).Name);
      const QRect drawn = view->visualRect(Model()->index(row, 0));
      EXPECT_EQ(item->rect(), QRect(view->viewport()->mapToGlobal(drawn.topLeft()), drawn.size()));
      EXPECT_EQ(reader->indexOfChild(item), first + row * perRow);
    }
  }
  page->Files().SetFileViewMode(ListViewMode::Report);
}

TEST_F(FileListTest, AFolderOpenedWhileASearchWaitsGetsNoColumnsFromIt) {
  Write("docs/a.dll", 10);
  pane.duringSearch = [&] { page->Files().ShowFolder(root + "/docs"); };
  const int a = RowOf("a.dll");
  QTest::mouseDClick(Table()->viewport(), Qt::LeftButton, {}, RowPoint(a));
  ASSERT_EQ(page->Files().CurrentFolder(), root + "/docs");
  EXPECT_EQ(Model()->Row(RowOf("a.dll")).Icons, "   ?");  // another file of the same name
}

TEST_F(FileListTest, ASaveShowsItsFileWithoutSearchingIt) {
  const int c = RowOf("c.gif");
  UserCheck(c);  // not the selected row: no search
  page->Files().ShowFileInList("c.gif");
  EXPECT_TRUE(Table()->selectionModel()->isRowSelected(c, {}));
  EXPECT_EQ(Table()->selectionModel()->currentIndex().row(), c);
  EXPECT_TRUE(pane.searched.empty());
}

TEST_F(FileListTest, FoundIconsComeBackThroughTheLink) {
  FileListLink& link = page->Files();
  link.SetFoundIcons("d.txt", {true, "   12", "32x32", false});
  EXPECT_EQ(Model()->Row(RowOf("d.txt")).IconCount, 12);
  const std::vector<ListedFile> files = link.ListedFiles();
  ASSERT_EQ(files.size(), 4u);
  EXPECT_EQ(link.CurrentFolder(), root + "/files");
  // A folder made beside a source file reaches the tree through the list.
  Mkdir(root + "/files/made");
  link.AddPathToTree(root + "/files/made/");
  EXPECT_NE(TreeNode(root + "/files/made"), -1);
}

TEST_F(FileListTest, AnotherFolderShowsFromItsFirstFileASameFolderKeepsItsPlace) {
  Mkdir(root + "/long");
  for (int i = 0; i < 300; ++i) Write("long/f" + std::to_string(1000 + i) + ".txt", 1);
  page->Files().ShowFolder(root + "/long");
  QApplication::processEvents();
  Table()->verticalScrollBar()->setValue(Table()->verticalScrollBar()->maximum());
  const int deep = Table()->verticalScrollBar()->value();
  ASSERT_GT(deep, 0);

  page->Files().ShowFolder(root + "/long");  // read again, as after a save into it
  QApplication::processEvents();
  EXPECT_EQ(Table()->verticalScrollBar()->value(), deep);

  page->Files().ShowFolder(root + "/files");
  page->Files().ShowFolder(root + "/long");
  QApplication::processEvents();
  EXPECT_EQ(Table()->verticalScrollBar()->value(), 0);
  EXPECT_EQ(Table()->indexAt(QPoint(5, 5)).row(), 0);
}

}  // namespace
}  // namespace glimmora::testing
