// The library page: moving icons in, pages, keyword search, deleting, the manager, author
// information and the recent-library box.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QToolButton>

#include "library/ui/AuthorInfoDialog.h"
#include "library/ui/LibraryManagerDialog.h"
#include "support/ui/LibraryPageFixture.h"

namespace glimmora::libuitest {
namespace {

TEST_F(LibraryPageTest, MovingFiftyThreeIconsFillsOnePageAndTheRestComeOnTheNext) {
  const std::string src = MakeLibrary("Animals", "Cats", "cats");
  for (int i = 0; i < 53; ++i) PutClipIcon("f" + std::to_string(100 + i) + ".ico", i + 1);
  Open();
  SelectNode(src);
  EXPECT_EQ(Icons()->Count(), 0);
  prompter.answers = {PromptAnswer::Yes};
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::MoveAllIntoLibrary);  // all icons
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{240});
  EXPECT_EQ(Icons()->Count(), 50);
  EXPECT_EQ(Clip()->Count(), 0);
  EXPECT_EQ(Lib()->Tree()->FindLibrary(src)->text(0), "Cats (53)");
  EXPECT_EQ(LibraryReader::Open(src).IconCount(), 53);

  SelectNode(src);
  EXPECT_EQ(Lib()->PaneActions().LibGrpCount(), 2);
  EXPECT_TRUE(page->PictureGrp(1)->isEnabled());
  EXPECT_FALSE(page->PictureGrp(0)->isEnabled());
  Lib()->PaneActions().TurnIconPage(1);
  ASSERT_EQ(Icons()->Count(), 3);
  EXPECT_EQ(Icons()->Items()[0].Key, "AAA.ico");
  EXPECT_EQ(Icons()->Items()[2].Entry, 53);
  EXPECT_FALSE(page->PictureGrp(1)->isEnabled());
  EXPECT_EQ(page->StatusPanel(2)->text().toStdString(), "<222> 3 <223> (.9 KB)");
  EXPECT_NE(Icons()->List()->Model()->headerData(0, Qt::Horizontal).toString(), "<170>");
  // A search shows hits of every library, not a page: the plain heading and no page buttons.
  page->ComboLKeyword()->setEditText("cats");
  EXPECT_EQ(Lib()->KeywordActions().SearchLibByKeyword(), 50);
  EXPECT_EQ(Icons()->List()->Model()->headerData(0, Qt::Horizontal).toString(), "<170>");
  EXPECT_TRUE(page->PictureGrp(0)->isHidden());
  EXPECT_TRUE(page->PictureGrp(1)->isHidden());
}

TEST_F(LibraryPageTest, MovingIntoACategoryIsRefusedAndLeavesTheClipboard) {
  MakeLibrary("Animals", "Cats", "cats");
  PutClipIcon("A1_x.ico", 1);
  Open();
  // The tree starts on its first category, opened.
  ASSERT_EQ(Lib()->Tree()->Selected(), Lib()->Tree()->Widget()->topLevelItem(0));
  EXPECT_TRUE(Lib()->Tree()->Selected()->isExpanded());
  Lib()->ClipboardActions().RunClipboardCommand(ClipCommand::MoveAllIntoLibrary);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{236});
  EXPECT_EQ(Clip()->Count(), 1);
}

TEST_F(LibraryPageTest, DeleteAfterASearchDeletesTheHitChosenAndNotTheIconAtItsPagePosition) {
  const std::string cats = MakeLibrary("Animals", "Cats", "cats");
  const std::string dogs = MakeLibrary("Animals", "Dogs", "dogs");
  FillLibrary(cats, 5, 10);
  FillLibrary(dogs, 2, 20);
  ASSERT_TRUE(SetKeyword(cats, std::vector<EntryId>{{2, EntryStamp(*LibraryReader::Open(cats).Item(2))},
                                                    {4, EntryStamp(*LibraryReader::Open(cats).Item(4))}},
                         "striped").Ok);
  Open();
  SelectNode(dogs);  // the tree shows another library the whole time
  page->ComboLKeyword()->setEditText("STRIPED");
  EXPECT_EQ(Lib()->KeywordActions().SearchLibByKeyword(), 2);
  ASSERT_EQ(Icons()->Count(), 2);
  EXPECT_EQ(IconText(1, 1), "Animals-Cats [striped]");
  Icons()->SelectRows({1});  // the hit from entry 4
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Ok};
  Lib()->PaneActions().DeleteSelectedIcons();
  const LibraryReader after = LibraryReader::Open(cats);
  ASSERT_EQ(after.IconCount(), 4);
  EXPECT_EQ(LibraryReader::Open(dogs).IconCount(), 2);
  // Entries 1, 2, 3, 5 are left, in their order.
  const int seeds[] = {10, 11, 12, 14};
  for (int e = 1; e <= 4; ++e) {
    const auto body = after.Body(*after.Item(e));
    EXPECT_EQ(std::string(body->begin(), body->end()), libtest::BodyOf(libtest::TestIco(16, 16, 4, seeds[e - 1])))
        << "entry " << e;
  }
  // The other hit stays and still names its own icon: a keyword saved now reaches entry 2.
  ASSERT_EQ(Icons()->Count(), 1);
  Icons()->SelectRows({0});
  page->TextSelIcoKeyword()->setText("tabby");
  Lib()->KeywordActions().SaveKeywordToSelectedIcons();
  EXPECT_EQ(FieldText(LibraryReader::Open(cats).Item(2)->Keyword, Language::English), "tabby");
  EXPECT_EQ(IconText(0, 1), "Animals-Cats [tabby]");
  // A longer keyword widens its column instead of being cut off.
  page->TextSelIcoKeyword()->setText("tabby with long stripes");
  Lib()->KeywordActions().SaveKeywordToSelectedIcons();
  QTreeView* report = Icons()->List()->ReportView();
  EXPECT_GE(report->columnWidth(1), report->fontMetrics().horizontalAdvance(IconText(0, 1)));
}

TEST_F(LibraryPageTest, NoToTheDeleteQuestionRemovesFromThePaneOnly) {
  const std::string src = MakeLibrary("Animals", "Cats", "cats");
  FillLibrary(src, 5);
  Open();
  SelectNode(src);
  // Yes with nothing selected: the library's question comes, and nothing goes.
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Ok};
  Lib()->PaneActions().DeleteSelectedIcons();
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{212, 629}));
  EXPECT_EQ(prompter.DefaultsAsked(), (std::vector<PromptAnswer>{PromptAnswer::No, PromptAnswer::Cancel}));
  EXPECT_EQ(Icons()->Count(), 5);
  Icons()->SelectRows({1, 2});
  prompter.answers = {PromptAnswer::No};
  Lib()->PaneActions().DeleteSelectedIcons();
  ASSERT_EQ(Icons()->Count(), 3);
  EXPECT_EQ(IconText(1, 0), "  4");
  EXPECT_EQ(LibraryReader::Open(src).IconCount(), 5);
  // Yes afterwards deletes the icons the rows show, not those at their new places.
  Icons()->ClearSelection();
  Icons()->SelectRows({1});
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Ok};
  Lib()->PaneActions().DeleteSelectedIcons();
  const LibraryReader after = LibraryReader::Open(src);
  ASSERT_EQ(after.IconCount(), 4);
  // Entry 4 went: 1, 2, 3 and 5 are left.
  const auto third = after.Body(*after.Item(3));
  EXPECT_EQ(std::string(third->begin(), third->end()), libtest::BodyOf(libtest::TestIco(16, 16, 4, 3)));
  const auto fourth = after.Body(*after.Item(4));
  EXPECT_EQ(std::string(fourth->begin(), fourth->end()), libtest::BodyOf(libtest::TestIco(16, 16, 4, 5)));
}

TEST_F(LibraryPageTest, KeywordHistoryKeepsSuccessfulSearchesOnceEach) {
  const std::string src = MakeLibrary("Animals", "Cats", "cats");
  FillLibrary(src, 1);
  Open();
  page->ComboLKeyword()->setEditText("cats");
  Lib()->KeywordActions().KeywordChosen();
  page->ComboLKeyword()->setEditText("CATS");
  Lib()->KeywordActions().KeywordChosen();
  page->ComboLKeyword()->setEditText("nothing-like-it");
  Lib()->KeywordActions().KeywordChosen();
  EXPECT_EQ(Lib()->KeywordActions().KeywordHistory().Entries(), std::vector<std::string>{"cats"});
  EXPECT_EQ(page->ComboLKeyword()->count(), 1);
  // The button searches without adding.
  page->ComboLKeyword()->setEditText("Cats &");
  page->CommandSearchKeyword()->click();
  EXPECT_EQ(page->ComboLKeyword()->count(), 1);
  EXPECT_EQ(Icons()->Count(), 1);
  // Enter searches what was typed, not an entry of the history that begins with it.
  TypeAndEnter(page->ComboLKeyword(), "ca");
  EXPECT_EQ(Lib()->KeywordActions().KeywordHistory().Entries(), (std::vector<std::string>{"cats", "ca"}));
}

TEST_F(LibraryPageTest, ManagerCreatesACategoryAndALibraryAndDeletesTheLibraryItShows) {
  Open();
  Lib()->TreeActions().RunLibraryTreeCommand(LibTreeCommand::NewCategoryOrLibrary);
  LibraryManagerDialog* d = Lib()->TreeActions().Manager();
  ASSERT_NE(d, nullptr);
  // No category yet: a library cannot be made, the dialog says so and stays open.
  d->Ok();
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{680});
  EXPECT_TRUE(d->isVisible());
  EXPECT_FALSE(d->Combo1()->isHidden());
  d->TabStripLib()->setCurrentIndex(1);
  EXPECT_TRUE(d->Combo1()->isHidden());  // a new category has no category or library to choose
  EXPECT_TRUE(d->Combo2()->isHidden());
  d->TextLibname(0)->setText("Animals");
  d->TextLibname(1)->setText("an");
  d->Ok();
  ASSERT_TRUE(fs::is_directory(Path("IconLib/z_an_(Animals)")));
  ASSERT_EQ(Lib()->Tree()->Widget()->topLevelItemCount(), 1);

  Lib()->Tree()->Select(Lib()->Tree()->Widget()->topLevelItem(0));
  Lib()->TreeActions().RunLibraryTreeCommand(LibTreeCommand::NewCategoryOrLibrary);
  d = Lib()->TreeActions().Manager();
  d->TextLibname(0)->setText("Cats");
  d->TextLibname(1)->setText("cats");
  prompter.answers = {PromptAnswer::Yes};
  d->Ok();
  const std::string src = Path("IconLib/z_an_(Animals)/cats_(Cats).src");
  ASSERT_TRUE(fs::exists(src));
  EXPECT_EQ(LibraryReader::Open(src).IconCount(), 0);
  ASSERT_NE(Lib()->Tree()->FindLibrary(src), nullptr);
  // A second library under the same key is refused.
  Lib()->TreeActions().RunLibraryTreeCommand(LibTreeCommand::NewCategoryOrLibrary);
  d = Lib()->TreeActions().Manager();
  d->TextLibname(0)->setText("Kittens");
  d->TextLibname(1)->setText("cats");
  d->Ok();
  EXPECT_EQ(prompter.RowsAsked().back(), 338);
  EXPECT_FALSE(d->isVisible());  // closes after a refusal too

  // The delete acts on the dialog's choice even when the tree's selection moves meanwhile.
  Lib()->Tree()->Select(Lib()->Tree()->FindLibrary(src));
  Lib()->TreeActions().RunLibraryTreeCommand(LibTreeCommand::DeleteCategoryOrLibrary);
  d = Lib()->TreeActions().Manager();
  EXPECT_FALSE(d->TextLibname(0)->isEnabled());
  EXPECT_EQ(d->TabStripLib()->tabText(0).toStdString(), "<333>");
  EXPECT_EQ(d->Combo2()->currentText(), "Cats");
  Lib()->Tree()->Select(Lib()->Tree()->Widget()->topLevelItem(0));
  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Ok};
  d->Ok();
  EXPECT_FALSE(fs::exists(src));
  EXPECT_EQ(Lib()->Tree()->FindLibrary(src), nullptr);
  EXPECT_TRUE(fs::is_directory(Path("IconLib/z_an_(Animals)")));
}

TEST_F(LibraryPageTest, AuthorWindowSavesTheIconItShowsAndFollowsTheSelection) {
  const std::string src = MakeLibrary("Animals", "Cats", "cats");
  FillLibrary(src, 2);
  Open();
  SelectNode(src);
  Icons()->SelectRows({0});
  // A double click beside the icons opens the window for the icon chosen.
  QTest::mouseDClick(Icons()->List()->ReportView()->viewport(), Qt::LeftButton, {}, QPoint(5, 3000));
  AuthorInfoDialog* a = Lib()->PaneActions().Author();
  ASSERT_NE(a, nullptr);
  a->Text1(0)->setText("Ann");
  a->Text1(3)->setText(QString(60, 'n'));
  // Another icon chosen: the boxes show its fields, and a save goes to it.
  Icons()->ClearSelection();
  Icons()->SelectRows({1});
  EXPECT_EQ(a->Text1(0)->text(), "");
  const std::string before = *LibraryReader::Open(src).RawItem(2);
  a->Text1(0)->setText("Bob");
  a->Text1(3)->setText(QString(60, 'n'));
  a->Command1(0)->click();
  const std::string after = *LibraryReader::Open(src).RawItem(2);
  EXPECT_EQ(after.substr(0, 50), before.substr(0, 50));
  EXPECT_EQ(after.substr(50, 20), "Bob\\\\" + std::string(15, ' '));
  EXPECT_EQ(after.substr(130, 50), std::string(50, 'n'));
  EXPECT_EQ(IconText(1, 5), "Bob");
  // The longer note widens its column instead of being cut off.
  QTreeView* report = Icons()->List()->ReportView();
  EXPECT_GE(report->columnWidth(8), report->fontMetrics().horizontalAdvance(IconText(1, 8)));
  // The first icon was never written.
  EXPECT_EQ(FieldText(LibraryReader::Open(src).Item(1)->AuthorName, Language::English), "");
}

TEST_F(LibraryPageTest, RecentBoxOpensALibraryTypedInAnyCaseAndKeepsTwentyNames) {
  std::vector<std::string> libs;
  for (int i = 0; i < 21; ++i) {
    libs.push_back(MakeLibrary("Cat" + std::to_string(i), "Lib" + std::to_string(i), "k" + std::to_string(i)));
    FillLibrary(libs.back(), 1);
  }
  Open();
  for (const auto& src : libs) SelectNode(src);
  QComboBox* box = page->ImageComboLRD();
  ASSERT_EQ(box->count(), 20);
  EXPECT_EQ(box->itemText(0), "Lib1");
  SelectNode(libs[5]);  // a name already there keeps its place
  EXPECT_EQ(box->itemText(4), "Lib5");
  box->setEditText("lib3");
  Lib()->TreeActions().OpenRecentLibrary();
  EXPECT_EQ(LibraryTree::SrcPath(Lib()->Tree()->Selected()), libs[3]);
  EXPECT_EQ(Icons()->Count(), 1);
  box->setEditText("cat7");  // a category's name opens the category
  Lib()->TreeActions().OpenRecentLibrary();
  EXPECT_EQ(LibraryTree::Kind(Lib()->Tree()->Selected()), LibNodeKind::Category);
  EXPECT_EQ(Icons()->Count(), 0);
  box->setEditText("nowhere");
  Lib()->TreeActions().OpenRecentLibrary();
  EXPECT_EQ(LibraryTree::Kind(Lib()->Tree()->Selected()), LibNodeKind::Category);
  // Enter opens what was typed: "lib" names no node, though the names in the box begin with it.
  TypeAndEnter(box, "lib");
  EXPECT_EQ(LibraryTree::Kind(Lib()->Tree()->Selected()), LibNodeKind::Category);
  // Leaving the box with a name of its list opens nothing.
  box->setFocus();
  box->clearEditText();
  QTest::keyClicks(box->lineEdit(), "Lib3");
  page->TreeViewL()->setFocus();
  EXPECT_EQ(LibraryTree::Kind(Lib()->Tree()->Selected()), LibNodeKind::Category);
}


TEST_F(LibraryPageTest, AnEmptyLibraryAfterATwoPageOneShowsNoTotalsAndNoPageButtons) {
  const std::string full = MakeLibrary("Animals", "Cats", "cats");
  FillLibrary(full, 60);
  const std::string src = MakeLibrary("Plants", "Trees", "trees");
  Open();
  SelectNode(full);
  ASSERT_TRUE(page->PictureGrp(1)->isEnabled());
  ASSERT_FALSE(page->StatusPanel(2)->text().isEmpty());

  SelectNode(src);
  EXPECT_EQ(Icons()->Count(), 0);
  EXPECT_TRUE(page->StatusPanel(2)->text().isEmpty());
  EXPECT_TRUE(page->StatusPanel(3)->text().isEmpty());
  EXPECT_FALSE(page->PictureGrp(0)->isEnabled());
  EXPECT_FALSE(page->PictureGrp(1)->isEnabled());
}

TEST_F(LibraryPageTest, LibrariesInFoldersWhoseNamesAreNotUtf8OpenFromTheTree) {
  // Folders copied from an older system keep their code-page names: the tree must hand back the
  // very bytes it found, or the library opens as missing and the category cannot be deleted.
  const std::string src = MakeLibrary("Caf\xE9", "Cats", "cats");
  FillLibrary(src, 2);
  Open();
  QTreeWidgetItem* node = Lib()->Tree()->FindLibrary(src);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(LibraryTree::Key(node->parent()), FolderOfPath(src));
  SelectNode(src);
  EXPECT_EQ(Icons()->Count(), 2);
}

}  // namespace
}  // namespace glimmora::libuitest
