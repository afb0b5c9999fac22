#include "source/ui/IconPane.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>

#include "source/ui/IconListModel.h"
#include "shared/ui/Preview.h"
#include "support/FixedClock.h"
#include "support/IconFileMaker.h"
#include "support/IconFixtures.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;
using testing::RowNumberTable;
using testing::ScriptedPrompter;
using testing::TempDir;

class IconPaneTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.path() / "app" / "IconClipBoard");
    fs::create_directories(dir.path() / "src");
    IconPaneEnv env;
    env.Lang = &lang;
    env.Ask = &prompter;
    env.Params = &params;
    env.Time = &clock;
    env.AppPath = (dir.path() / "app").string();
    env.AppTitle = "Glimmora";
    pane = std::make_unique<IconPane>(std::move(env));
    pane->resize(600, 400);
  }
  std::string Src() const { return (dir.path() / "src").string(); }
  void Write(const std::string& name, const testing::IconSourceFile& f) { testing::WriteBytes(dir.path() / "src" / name, f.Bytes); }
  std::string Text(int row) const { return pane->Model()->Row(row).Text; }

  TempDir dir;
  LanguageTable lang = RowNumberTable();
  ScriptedPrompter prompter;
  SaveParams params;
  testing::FixedClock clock;
  std::unique_ptr<IconPane> pane;
};

TEST_F(IconPaneTest, PagesOfFiftyTurnAndStopAtTheEnds) {
  Write("many.bin", testing::ManyIcons(120));
  const FoundIcons found = pane->SearchIcon(Src(), "many.bin");
  EXPECT_TRUE(found.HasColumnTexts);
  EXPECT_EQ(found.Icons, "   120");
  ASSERT_EQ(pane->Model()->rowCount(), 50);
  EXPECT_EQ(Text(0), "many.bin_1.ico");
  EXPECT_EQ(pane->Model()->Row(0).Columns[0], "   32 x 32");
  EXPECT_EQ(pane->Model()->headerData(0, Qt::Horizontal).toString().toStdString(), "  <218> ( <219>1 <220> 3 <389> )");
  EXPECT_EQ(pane->StatusPanel(2)->text().toStdString(), "<222> 50 <223> (159.3 KB)");
  EXPECT_TRUE(pane->Arrow(1)->isVisibleTo(pane.get()));
  EXPECT_FALSE(pane->Arrow(0)->isEnabled());

  pane->TurnIconPage(1);
  ASSERT_EQ(pane->Model()->rowCount(), 50);
  EXPECT_EQ(Text(0), "many.bin_51.ico");
  EXPECT_EQ(pane->Model()->Row(0).Position, pane->PageState().GrpStart[1]);
  pane->TurnIconPage(1);
  ASSERT_EQ(pane->Model()->rowCount(), 20);
  EXPECT_EQ(Text(0), "many.bin_101.ico");
  EXPECT_EQ(Text(19), "many.bin_120.ico");
  EXPECT_FALSE(pane->Arrow(1)->isEnabled());
  pane->TurnIconPage(1);  // no page to turn to: the last page stays
  EXPECT_EQ(pane->PageState().GrpNo, 3);
  EXPECT_EQ(pane->Model()->rowCount(), 20);
  pane->TurnIconPage(0);
  pane->TurnIconPage(0);
  pane->TurnIconPage(0);
  EXPECT_EQ(pane->PageState().GrpNo, 1);
  EXPECT_EQ(Text(49), "many.bin_50.ico");
  EXPECT_TRUE(pane->Arrow(1)->isEnabled());

  // Emptied because the file list moved on: no page heading and no arrows of the old file.
  pane->TurnIconPage(1);
  pane->ClearListViewPict();
  EXPECT_EQ(pane->Model()->rowCount(), 0);
  EXPECT_EQ(pane->Model()->headerData(0, Qt::Horizontal).toString().toStdString(), "         <218>");
  EXPECT_FALSE(pane->Arrow(0)->isVisibleTo(pane.get()));
  EXPECT_FALSE(pane->Arrow(1)->isVisibleTo(pane.get()));
  EXPECT_EQ(pane->PageControlState(), PageControls{});
}

TEST_F(IconPaneTest, OnePageHidesTheArrowsAndAFileWithoutIconsEmptiesThePane) {
  Write("fifty.bin", testing::ManyIcons(50, 16));
  pane->SearchIcon(Src(), "fifty.bin");
  EXPECT_EQ(pane->Model()->rowCount(), 50);
  EXPECT_FALSE(pane->Arrow(0)->isVisibleTo(pane.get()));
  EXPECT_EQ(pane->Model()->headerData(0, Qt::Horizontal).toString().toStdString(), "         <218>");
  EXPECT_EQ(pane->ReportView()->columnWidth(0), 215);
  Write("none.bin", testing::LayIcons({}));
  const FoundIcons found = pane->SearchIcon(Src(), "none.bin");
  EXPECT_EQ(found.Icons, "   0");
  EXPECT_EQ(pane->Model()->rowCount(), 0);
  pane->TurnIconPage(1);
  EXPECT_EQ(pane->PageState().GrpNo, 1);
  EXPECT_FALSE(pane->Status().PopIcoMenu);
  EXPECT_EQ(pane->StatusPanel(2)->text(), "");
}

TEST_F(IconPaneTest, AFileThatCannotBeOpenedIsReportedNotShownAsEmpty) {
  // A file that went away between the listing and the click: the user is told, and nothing is
  // created in its place.
  const FoundIcons found = pane->SearchIcon(Src(), "gone.bin");
  EXPECT_EQ(pane->Model()->rowCount(), 0);
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{656});
  EXPECT_NE(prompter.asked[0].text.find("gone.bin"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Src() + "/gone.bin"));
  (void)found;
}

TEST_F(IconPaneTest, SelectionBySizeAndDepthUsesTheStoredNumbers) {
  Write("mixed.bin", testing::LayIcons({testing::DepthIconImage(16, 4), testing::DepthIconImage(32, 8),
                                        testing::DepthIconImage(48, 24), testing::DepthIconImage(16, 1),
                                        testing::DepthIconImage(24, 16), testing::DepthIconImage(32, 32)}));
  pane->SearchIcon(Src(), "mixed.bin");
  ASSERT_EQ(pane->Model()->rowCount(), 6);
  pane->SelSomeIco(0, -1);
  EXPECT_EQ(pane->SelectedRows(), (std::vector<int>{0, 3}));
  pane->SelSomeIco(1, -1);
  EXPECT_EQ(pane->SelectedRows(), (std::vector<int>{0, 1, 3, 5}));
  pane->CancelIconSelection();
  pane->SelSomeIco(-1, 2);  // high colour: the 16-bit icon
  EXPECT_EQ(pane->SelectedRows(), std::vector<int>{4});
  pane->SelSomeIco(-1, 3);  // true colour: the 24-bit icon
  EXPECT_EQ(pane->SelectedRows(), (std::vector<int>{2, 4}));
  pane->SelSomeIco(-1, 5);  // none of the five depths: the 32-bit icon
  EXPECT_EQ(pane->SelectedRows(), (std::vector<int>{2, 4, 5}));
  EXPECT_EQ(pane->StatusPanel(3)->text().left(9).toStdString(), "<224> 3 <");
  pane->SelSomeIco(-1, -1);
  EXPECT_EQ(pane->SelectedRows().size(), 3u);
  pane->InvertSelection();
  EXPECT_EQ(pane->SelectedRows(), (std::vector<int>{0, 1, 3}));
  pane->SelectAllIcons();
  EXPECT_FALSE(pane->Status().SelectAll);
}

TEST_F(IconPaneTest, KeyboardSelectionRefreshesTheStatus) {
  Write("few.bin", testing::ManyIcons(3));
  pane->SetViewMode(ListViewMode::Report);
  pane->show();
  pane->SearchIcon(Src(), "few.bin");
  pane->SetSelectedRows({0});
  pane->ReportView()->setCurrentIndex(pane->Model()->index(0, 0));
  pane->ReportView()->setFocus();
  QTest::keyClick(pane->ReportView(), Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(pane->SelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_EQ(pane->StatusPanel(3)->text().left(8).toStdString(), "<224> 2 ");
  EXPECT_FALSE(pane->Status().SystemClipboard);
}

TEST_F(IconPaneTest, ThreeSelectedIconsSavedAs32x32GoIntoANewFolder) {
  Write("lib.dll", testing::LayIcons({testing::SolidIconImage(16), testing::SolidIconImage(48),
                                      testing::SolidIconImage(32), testing::SolidIconImage(64)}));
  pane->SearchIcon(Src(), "lib.dll");
  pane->SetSelectedRows({0, 1, 3});
  prompter.answers = {PromptAnswer::Yes};
  pane->SaveIcotoIcoBmp(2, SaveSource::Pane, SaveFormat::Ico, false, false);
  const fs::path folder = dir.path() / "src" / "lib.dll_Ico";
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(folder)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{"lib.dll_1_32x32.ico", "lib.dll_2_32x32.ico", "lib.dll_4_32x32.ico",
                                             "readme.txt"}));
  EXPECT_EQ(testing::ReadBytes(folder / "lib.dll_4_32x32.ico")[6], 32);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{225});
  // Cancel writes nothing more.
  fs::remove_all(folder);
  prompter.answers = {PromptAnswer::Cancel};
  pane->SaveIcotoIcoBmp(0, SaveSource::Pane, SaveFormat::Bmp, true, false);
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(IconPaneTest, SavingWithTheStandingParametersAsksNothing) {
  Write("lib.dll", testing::LayIcons({testing::SolidIconImage(16), testing::SolidIconImage(32)}));
  const fs::path target = dir.path() / "target";
  fs::create_directories(target);
  params.SaveIcoDir.TagDir = 2;
  params.SaveIcoDir.OtherDir = target.string();
  params.SaveIcoDir.SaveSel = 1;
  params.SaveIcoDir.SaveAs = 1;
  pane->SearchIcon(Src(), "lib.dll");
  pane->SaveIconsWithDefaults();
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(fs::exists(target / "lib.dll_1.bmp"));
  EXPECT_TRUE(fs::exists(target / "lib.dll_2.bmp"));
  EXPECT_TRUE(fs::exists(target / "readme.txt"));
  // Without the standing parameters the same command asks.
  prompter.answers = {PromptAnswer::Cancel};
  pane->SaveIcotoIcoBmp(0, SaveSource::Pane, SaveFormat::Ico, true, false);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{225});
}

TEST_F(IconPaneTest, IconClipboardTakesNoMoreThanFifty) {
  const fs::path clip = dir.path() / "app" / "IconClipBoard";
  for (int i = 0; i < 48; ++i) {
    const char name[] = {static_cast<char>('A' + i / 9), static_cast<char>('1' + i % 9), 0};
    testing::WriteBytes(clip / (std::string(name) + "_old.ico"), {0});
  }
  Write("five.bin", testing::ManyIcons(6));
  pane->SearchIcon(Src(), "five.bin");
  pane->SetSelectedRows({0, 1, 2, 3, 4});
  int changed = 0;
  QObject::connect(pane.get(), &IconPane::IconClipboardChanged, [&] { ++changed; });
  pane->CopyIcotoIcoClipBoard(0, false);
  EXPECT_TRUE(fs::exists(clip / "F4_five.bin_1.ico"));
  EXPECT_TRUE(fs::exists(clip / "F5_five.bin_2.ico"));
  EXPECT_FALSE(fs::exists(clip / "F6_five.bin_3.ico"));
  EXPECT_EQ(pane->SelectedRows(), (std::vector<int>{0, 1}));
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{241});
  EXPECT_EQ(changed, 1);
  // Cutting drops the copied icons from the pane only; the page brings them back.
  fs::remove(clip / "A1_old.ico");
  fs::remove(clip / "A2_old.ico");
  pane->SetSelectedRows({5});
  pane->CopyIcotoIcoClipBoard(0, true);
  EXPECT_EQ(pane->Model()->rowCount(), 5);
  pane->SearchIcon(Src(), "five.bin");
  EXPECT_EQ(pane->Model()->rowCount(), 6);
}

TEST_F(IconPaneTest, SystemClipboardGetsTheIconOnWhiteInEachSize) {
  const Rgb colour = MakeRgb(0x30, 0x60, 0x90);
  Write("one.bin", testing::LayIcons({testing::SolidIconImage(32, colour), testing::SolidIconImage(16)}));
  pane->SearchIcon(Src(), "one.bin");
  pane->SetSelectedRows({0});
  const int sides[] = {32, 16, 32, 40, 48, 64, 72, 80};
  for (int size = 0; size < 8; ++size) {
    pane->CopyIcotoSysClipBoard(size, false);
    const QImage image = QApplication::clipboard()->image();
    ASSERT_FALSE(image.isNull()) << size;
    EXPECT_EQ(image.width(), sides[size]) << size;
    EXPECT_EQ(image.height(), sides[size]) << size;
    EXPECT_EQ(image.pixel(sides[size] / 2, sides[size] / 2) & 0xFFFFFF, colour) << size;
  }
  // Nothing selected: the clipboard is left empty.
  pane->CancelIconSelection();
  pane->CopyIcotoSysClipBoard(0, false);
  EXPECT_TRUE(QApplication::clipboard()->image().isNull());
  // A cut takes the item out of the pane, not out of the file.
  pane->SetSelectedRows({1});
  pane->CopyIcotoSysClipBoard(4, true);
  EXPECT_EQ(QApplication::clipboard()->image().width(), 48);
  EXPECT_EQ(pane->Model()->rowCount(), 1);
}

TEST_F(IconPaneTest, PreviewShowsWhileTheButtonIsHeld) {
  Write("one.bin", testing::LayIcons({testing::SolidIconImage(32), testing::SolidIconImage(16)}));
  pane->SetViewMode(ListViewMode::Report);
  pane->show();
  pane->SearchIcon(Src(), "one.bin");
  QTreeView* view = pane->ReportView();
  const QPoint at = view->visualRect(pane->Model()->index(0, 0)).center();
  QTest::mousePress(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_TRUE(pane->Preview()->isVisible());
  EXPECT_EQ(pane->Preview()->Caption().toStdString(), "32x32");
  EXPECT_EQ(pane->Preview()->width(), 64);
  EXPECT_EQ(pane->SelectedRows(), std::vector<int>{0});
  QTest::mouseRelease(view->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_FALSE(pane->Preview()->isVisible());
  // The right button opens the icon menu and shows no preview.
  int popups = 0;
  QObject::connect(pane.get(), &IconPane::PopupRequested, [&](Pane p) { popups += p == Pane::ListViewPict; });
  const QPoint second = view->visualRect(pane->Model()->index(1, 0)).center();
  QTest::mousePress(view->viewport(), Qt::RightButton, Qt::NoModifier, second);
  QCoreApplication::processEvents();
  EXPECT_FALSE(pane->Preview()->isVisible());
  EXPECT_EQ(popups, 1);
  QTest::mouseRelease(view->viewport(), Qt::RightButton, Qt::NoModifier, second);
}

}  // namespace
}  // namespace glimmora
