// The icon clipboard pane on the library page: what it lists, its status, its commands.
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListView>
#include <QTreeView>

#include "support/ui/LibraryPageFixture.h"

namespace glimmora::libuitest {
namespace {

using testing::ScriptedPrompter;

std::vector<std::string> paintWarnings;
void KeepPaintWarnings(QtMsgType, const QMessageLogContext&, const QString& text) {
  if (text.contains("QPainter")) paintWarnings.push_back(text.toStdString());
}

TEST_F(LibraryPageTest, ClipboardListsIconFilesInAnyCaseWithNotesAndNoGapForSkippedFiles) {
  PutClipIcon("A1_one.ico", 1);
  PutClipIcon("a2_two.Ico", 2, 32);
  libtest::WriteAll(fs::path(Path("IconClipBoard")) / "A1_one.sur", std::string("/src/one.dll   01-02-2024 10:11:12\r\n"));
  libtest::WriteAll(fs::path(Path("IconClipBoard")) / "B1_zero.ico", std::string(22, '\0'));  // width 0
  libtest::WriteAll(fs::path(Path("IconClipBoard")) / "notes.txt", std::string("x"));
  libtest::WriteAll(fs::path(Path("IconClipBoard")) / "c1_Strip.ico", libtest::TestIco(200, 8, 24, 3));
  Open();
  ASSERT_EQ(Clip()->Count(), 3);
  EXPECT_EQ(page->StatusPanel(1)->text().toStdString(), "<222> 3 <372> 0 <357>");
  EXPECT_EQ(ClipText(2, 1), " 200 x 8");
  // A very wide picture is drawn in both views, selected too, without a painter on an empty pixmap.
  Clip()->SelectAll();
  paintWarnings.clear();
  const QtMessageHandler before = qInstallMessageHandler(KeepPaintWarnings);
  Clip()->List()->resize(300, 200);
  Clip()->List()->ReportView()->grab();
  Clip()->List()->SetMode(ListViewMode::LargeIcons);
  Clip()->List()->IconView()->grab();
  Clip()->List()->SetMode(ListViewMode::List);
  Clip()->List()->IconView()->grab();
  qInstallMessageHandler(before);
  EXPECT_TRUE(paintWarnings.empty()) << paintWarnings.front();
  EXPECT_EQ(ClipText(0, 0), " 1");
  EXPECT_EQ(ClipText(1, 0), " 2");
  EXPECT_EQ(ClipText(1, 1), " 32 x 32");
  EXPECT_EQ(ClipText(0, 2), "<368>");  // 4 bits
  EXPECT_EQ(ClipText(1, 4), "A2_TWO.ICO");
  EXPECT_EQ(ClipText(0, 5), "/src/one.dll   01-02-2024 10:11:12");
  // The real name is kept for every file operation.
  EXPECT_EQ(Clip()->ClipboardState().LastKey, "c1_Strip.ico");
}

TEST_F(LibraryPageTest, ClipboardStatusAndSwitchesFollowTheSelection) {
  for (int i = 1; i <= 3; ++i) PutClipIcon("A" + std::to_string(i) + "_x.ico", i);
  Open();
  CommandSwitches last;
  QObject::connect(Clip(), &ClipboardPane::SwitchesChanged, [&](const CommandSwitches& w) { last = w; });
  SelectClipRows({0, 2});
  Lib()->ClipboardActions().SelectClipIco();
  EXPECT_EQ(page->StatusPanel(1)->text().toStdString(), "<222> 3 <372> 2 <357>");
  auto item = [&](ClipCommand command) {
    for (const auto& [c, on] : last.ClipItems)
      if (c == command) return on;
    return false;
  };
  EXPECT_TRUE(item(ClipCommand::MoveSelectedIntoLibrary));
  EXPECT_FALSE(item(ClipCommand::CopyToSystemClipboard));  // copy to the system clipboard wants exactly one
  SelectClipRows({0, 1, 2});
  Lib()->ClipboardActions().SelectClipIco();
  EXPECT_TRUE(item(ClipCommand::SelectAll));  // select-all stays on with everything selected
}

TEST_F(LibraryPageTest, DeletingSelectedClipboardIconsKeepsTheOthersNumbersAndAsksFirst) {
  for (int i = 1; i <= 4; ++i) PutClipIcon("A" + std::to_string(i) + "_x.ico", i);
  libtest::WriteAll(fs::path(Path("IconClipBoard")) / "A2_x.sur", std::string("note\r\n"));
  Open();
  SelectClipRows({1, 2});
  prompter.answers = {PromptAnswer::Cancel};
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::DeleteSelected);
  EXPECT_EQ(Clip()->Count(), 4);
  prompter.answers = {PromptAnswer::Ok};
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::DeleteSelected);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{232, 232}));
  ASSERT_EQ(Clip()->Count(), 2);
  EXPECT_EQ(ClipText(1, 0), " 4");
  EXPECT_FALSE(fs::exists(Path("IconClipBoard/A2_x.ico")));
  EXPECT_FALSE(fs::exists(Path("IconClipBoard/A2_x.sur")));
  EXPECT_TRUE(fs::exists(Path("IconClipBoard/A4_x.ico")));
  // Deleting all asks too; at both questions Enter keeps the icons.
  prompter.answers = {PromptAnswer::Cancel};
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::DeleteAll);
  EXPECT_EQ(Clip()->Count(), 2);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{232, 232, 233}));
  EXPECT_EQ(prompter.DefaultsAsked(), std::vector<PromptAnswer>(3, PromptAnswer::Cancel));
}

TEST_F(LibraryPageTest, ClipboardRenumbersOnlyOnceMoreThan52PicturesWereAdded) {
  for (int i = 0; i < 53; ++i) PutClipIcon("f" + std::to_string(100 + i) + ".ico", i);
  Open();
  SelectClipRows({0});
  prompter.answers = {PromptAnswer::Ok};
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::DeleteSelected);
  // 53 pictures were added by the listing: the pane is listed again from 1.
  ASSERT_EQ(Clip()->Count(), 52);
  EXPECT_EQ(ClipText(0, 0), " 1");
}

TEST_F(LibraryPageTest, EditorIsStartedWithTheIconAsItsOwnArgumentOrTheMissingOneIsReported) {
  PutClipIcon("A1_x.ico", 1);
  Open();
  SelectClipRows({0});
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::OpenInEditor);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{201});
  editor = Path("no-such-editor");
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::OpenInEditor);
  EXPECT_EQ(prompter.RowsAsked().back(), 202);
  EXPECT_TRUE(started.empty());
  editor = Path("editor with blanks");
  libtest::WriteAll(editor, std::string("#!"));
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::OpenInEditor);
  ASSERT_EQ(started.size(), 1u);
  EXPECT_EQ(started[0].first, editor);
  EXPECT_EQ(started[0].second, Path("IconClipBoard/A1_x.ico"));
  // The editor may change the icons: the pane is listed again before it is used next.
  EXPECT_TRUE(Clip()->Dirty());
}

TEST_F(LibraryPageTest, ExportKeepsAFileAlreadyThereAndMovingOutDeletesOnlyWhatWasCopied) {
  PutClipIcon("A1_x.ico", 1);
  PutClipIcon("A2_y.ico", 2);
  Open();
  testing::TempDir out;
  libtest::WriteAll(out.path() / "A1_X.ICO", std::string("mine"));
  folders.answers = {out.str()};
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::MoveAllToFolder);  // all icons out, then the clipboard emptied
  EXPECT_EQ(libtest::ReadAll(out.path() / "A1_X.ICO"), "mine");
  EXPECT_TRUE(fs::exists(out.path() / "A1_X-1.ico"));
  EXPECT_TRUE(fs::exists(out.path() / "A2_Y.ICO"));
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{231});
  EXPECT_EQ(Clip()->Count(), 0);
}

// The clipboard's own copy and the library pane's share the writing; a cut takes the icon out of
// its library, never out of the icon clipboard.
TEST_F(LibraryPageTest, SystemClipboardGetsTheFocusedIconOfEitherListAndACutLeavesOnlyTheLibrary) {
  const std::string src = MakeLibrary("Animals", "Cats", "cats");
  FillLibrary(src, 2);
  PutClipIcon("A1_one.ico", 7, 32);
  Open();
  SelectNode(src);
  SelectClipRows({0});
  Lib()->ClipboardActions().CopyIcotoSysClipBoard(0);
  EXPECT_EQ(QApplication::clipboard()->image().width(), 32);
  EXPECT_EQ(Clip()->Count(), 1);

  Icons()->SelectRows({1});
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Ok};
  Lib()->PaneActions().CopyIcotoSysClipBoard(0, true);
  EXPECT_EQ(QApplication::clipboard()->image().width(), 16);
  EXPECT_EQ(LibraryReader::Open(src).IconCount(), 1);
  EXPECT_EQ(Clip()->Count(), 1);
}

TEST_F(LibraryPageTest, CopyingLibraryIconsStopsAtFiftyAndACutDeletesOnlyTheCopiedOnes) {
  const std::string src = MakeLibrary("Animals", "Cats", "cats");
  FillLibrary(src, 3);
  for (int i = 0; i < 48; ++i) PutClipIcon("f" + std::to_string(100 + i) + ".ico", i);
  Open();
  SelectNode(src);
  Icons()->SelectAll();
  // Clipboard full after two: row 241; the cut asks row 212 (Yes) and 629 (OK) for those two.
  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Yes, PromptAnswer::Ok};
  Lib()->PaneActions().CopyIcotoIcoClipBoard(0, true);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{241, 212, 629}));
  EXPECT_EQ(prompter.DefaultsAsked(), (std::vector<PromptAnswer>{PromptAnswer::Ok, PromptAnswer::No, PromptAnswer::Cancel}));
  EXPECT_EQ(Clip()->Count(), 50);
  const LibraryReader reader = LibraryReader::Open(src);
  ASSERT_EQ(reader.IconCount(), 1);
  // The icon left is the third, which was never copied.
  const auto left = reader.Item(1);
  ASSERT_TRUE(left.has_value());
  const auto body = reader.Body(*left);
  ASSERT_TRUE(body.has_value());
  EXPECT_EQ(std::string(body->begin(), body->end()), libtest::BodyOf(libtest::TestIco(16, 16, 4, 3)));
}

}  // namespace
}  // namespace glimmora::libuitest
