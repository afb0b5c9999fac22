// The assembled main window: commands of the frame reach the real source page and web-site list.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QListView>
#include <QTreeView>
#include <QApplication>
#include <QStackedWidget>
#include <QTabBar>
#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <fstream>

#include "icons/BmpFile.h"
#include "mainwindow/ui/CommandsWiring.h"
#include "library/ui/LibraryPage.h"
#include "mainwindow/ui/MainWindow.h"
#include "source/ui/SourcePage.h"
#include "mainwindow/ui/Toolbar.h"
#include "websites/ui/WebSitePage.h"
#include "picturetool/ui/PictureConversionService.h"
#include "picturetool/ui/PictureToolDialog.h"
#include "source/ui/FileListModel.h"
#include "source/ui/IconListModel.h"
#include "source/ui/IconPane.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/FolderTreePanel.h"
#include "source/ui/SourcePanel.h"
#include "support/IconFileMaker.h"
#include "support/IconFixtures.h"
#include "support/ui/MainWindowFixture.h"
#include "websites/ui/WebSiteEditor.h"
#include "websites/ui/WebSitePanel.h"

namespace glimmora {
namespace {

class PagesWiringTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    StartWindow();
    w->TabStrip1()->setCurrentIndex(1);  // source files
    QApplication::processEvents();
  }

  void Focus(QWidget* widget) {
    QApplication::setActiveWindow(w.get());
    widget->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
  }
  static void WriteIconFile(const std::filesystem::path& path, int icons) {
    const auto file = testing::ManyIcons(icons);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.Bytes.data()), static_cast<std::streamsize>(file.Bytes.size()));
  }
  int ClipboardIcons() const {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(app.path() / "IconClipBoard"))
      n += e.path().extension() == ".ico";
    return n;
  }
};

TEST_F(PagesWiringTest, APictureDoubleClickedInTheFileListGoesThroughTheToolIntoTheIconPane) {
  const std::string pics = app.str() + "/pics";
  std::filesystem::create_directories(pics);
  testing::WriteBytes(pics + "/a.bmp", WriteBmp24(Raster(24, 20, MakeRgb(10, 200, 30))));
  FileListPanel* files = &w->FrameS()->Panel()->Files();
  IconPane* icons = w->FrameS()->Icons();
  files->ShowFolder(pics);
  const int row = files->FileModel()->FindName("a.bmp");
  ASSERT_GE(row, 0);
  bool openMeanwhile = false;
  QTimer::singleShot(0, [&] {
    PictureToolDialog* tool = w->Pictures()->Tool().OpenWindow();
    ASSERT_NE(tool, nullptr);
    openMeanwhile = icons->PictureToolOpen();
    EXPECT_TRUE(QTest::qWaitFor([tool] { return !tool->Loading(); }, 5000));  // the picture decodes in the background
    QTest::mouseClick(tool->findChild<QPushButton*>("Command1_1"), Qt::LeftButton);  // defaults
    tool->Model().PickMaskColour(1, 1);
    QTest::mouseClick(tool->findChild<QPushButton*>("Command1_0"), Qt::LeftButton);  // make
  });
  files->FileRowDoubleClicked(row);
  EXPECT_TRUE(openMeanwhile);
  EXPECT_FALSE(icons->PictureToolOpen());
  ASSERT_EQ(icons->Model()->rowCount(), 1);
  EXPECT_EQ(icons->Model()->Row(0).Text, "a.bmp.Ico");
  EXPECT_EQ(icons->Model()->Row(0).Width, 32);
  EXPECT_EQ(files->FileModel()->Row(row).Icons, "   0");
  EXPECT_TRUE(icons->PageState().SourceIsPict);
}

TEST_F(PagesWiringTest, FocusInAnyViewOfAListMakesThatListCurrent) {
  IconPane* icons = w->FrameS()->Icons();
  for (ListViewMode view : {ListViewMode::Report, ListViewMode::List, ListViewMode::LargeIcons}) {
    icons->SetViewMode(view);
    Focus(w->FrameS()->Panel()->Folders().TreeViewS());
    EXPECT_EQ(w->State().CurListView, Pane::TreeViewS);
    Focus(icons->CurrentView());
    EXPECT_EQ(w->State().CurListView, Pane::ListViewPict) << "view " << static_cast<int>(view);
  }
}

TEST_F(PagesWiringTest, EveryPaneIsWhiteWhileItHasTheFocusAndGreyOtherwise) {
  FileListPanel* files = &w->FrameS()->Panel()->Files();
  LibraryPage* lib = w->FrameL();
  WebSitePanel* web = w->FrameW()->Panel();
  // Tab, then the panes of that page; each pane is left for the next (the last for the first).
  struct Page {
    int tab;
    std::vector<QWidget*> panes;
  };
  const Page pages[] = {
      {1, {w->FrameS()->Panel()->Folders().TreeViewS(), files->ListViewFile(), w->FrameS()->Icons()->CurrentView()}},
      {0, {lib->ImageComboLRD(), lib->ListViewIcoClipboard()->ReportView(), lib->ComboLKeyword(),
           lib->ListViewLIco()->ReportView()}},
      {2, {web->ListViewWebSite(), web->TextWebSite()}},
  };
  const QColor white(255, 255, 255), grey(235, 235, 235);
  for (const auto& [tab, panes] : pages) {
    w->TabStrip1()->setCurrentIndex(tab);
    QApplication::processEvents();
    for (std::size_t i = 0; i < panes.size(); ++i) {
      QWidget* pane = panes[i];
      SCOPED_TRACE(pane->objectName().toStdString());
      Focus(pane);
      EXPECT_EQ(pane->palette().color(QPalette::Base), white);
      Focus(panes[(i + 1) % panes.size()]);
      EXPECT_EQ(pane->palette().color(QPalette::Base), grey);
    }
  }
}

TEST_F(PagesWiringTest, TheViewButtonsSwitchTheCurrentIconList) {
  IconPane* icons = w->FrameS()->Icons();
  // No view chosen yet: the icon pane shows the report, as the library lists do.
  EXPECT_EQ(icons->CurrentView(), static_cast<QAbstractItemView*>(icons->ReportView()));
  Focus(icons->CurrentView());
  // Buttons 21 to 23: report, list, large icons.
  w->Commands()->Frame().RunToolbarButton(21);
  EXPECT_EQ(icons->CurrentView(), static_cast<QAbstractItemView*>(icons->ReportView()));
  w->Commands()->Frame().RunToolbarButton(23);
  EXPECT_EQ(icons->CurrentView(), static_cast<QAbstractItemView*>(icons->LargeIconView()));
  EXPECT_EQ(w->State().CurListView, Pane::ListViewPict);
}

TEST_F(PagesWiringTest, SavingTheTickedFilesLeavesTheFileButtonsAsTheTicksSay) {
  const std::string folder = app.str() + "/src";
  std::filesystem::create_directories(folder);
  const auto file = testing::ManyIcons(3);
  std::ofstream(folder + "/three.bin", std::ios::binary)
      .write(reinterpret_cast<const char*>(file.Bytes.data()), static_cast<std::streamsize>(file.Bytes.size()));
  FileListPanel* files = &w->FrameS()->Panel()->Files();
  files->ShowFolder(folder);
  files->SetFileChecked("three.bin", true);
  Focus(files->ListViewFile());
  ASSERT_EQ(w->State().CurListView, Pane::ListViewFile);
  CommandToolbar* bar = w->Commands()->Toolbar();
  ASSERT_TRUE(bar->Button(16)->isEnabled());
  prompter.answers = {PromptAnswer::Yes};  // into a new folder beside the file
  ASSERT_TRUE(w->Commands()->Frame().RunMenuItem("mnSaveSelFileIcotoIco"));
  EXPECT_TRUE(std::filesystem::exists(folder + "/three.bin_Ico/three.bin_Ico3.ico"));
  // One file is still ticked: delete, select all, untick and save stay on.
  for (int button : {13, 16, 17, 18}) EXPECT_TRUE(bar->Button(button)->isEnabled()) << "button " << button;
}

TEST_F(PagesWiringTest, TheIconPaneReportSharesOutThePaneWidthWhenShown) {
  w->resize(1200, 800);
  w->show();
  QApplication::processEvents();
  QApplication::processEvents();
  QTreeView* report = w->FrameS()->Icons()->ReportView();
  const int wp = report->width();
  ASSERT_GT(wp, 400);
  const double shares[] = {2.9, 6, 5.6, 6.8, 8.2};
  for (int c = 0; c < 4; ++c) EXPECT_NEAR(report->columnWidth(c), wp / shares[c], 2) << "column " << c;
  EXPECT_GE(report->columnWidth(4), wp / shares[4] - 2);  // the last one also takes what is left
}

TEST_F(PagesWiringTest, TheWebSiteMenuOpensTheEditorForANewEntry) {
  w->TabStrip1()->setCurrentIndex(2);
  QApplication::processEvents();
  ASSERT_TRUE(w->Commands()->Frame().RunMenuItem("mnWebSiteSub", 3));
  ASSERT_NE(w->FrameW()->Panel()->Editor(), nullptr);
  EXPECT_TRUE(w->FrameW()->Panel()->Editor()->isVisible());
}

TEST_F(PagesWiringTest, AKeyAfterAPageSwitchRunsTheCommandOfThePaneClicked) {
  w->TabStrip1()->setCurrentIndex(0);
  Focus(w->FrameL()->TreeViewL());
  ASSERT_EQ(w->State().FocusObj, Pane::TreeViewL);
  QTreeWidget* web = w->FrameW()->Panel()->ListViewWebSite();
  auto* entry = new QTreeWidgetItem(web, QStringList{" 1", "Icons", "Ann", "  en", "icons.example", "", ""});
  w->TabStrip1()->setCurrentIndex(2);  // as a click on the tab
  QApplication::processEvents();
  QTest::mouseClick(web->viewport(), Qt::LeftButton, {}, web->visualItemRect(entry).center());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_E, Qt::ControlModifier);
  ASSERT_NE(w->FrameW()->Panel()->Editor(), nullptr);
  EXPECT_TRUE(w->FrameW()->Panel()->Editor()->isVisible());
}

TEST_F(PagesWiringTest, MenuIconCommandsWithTheFileListCurrentActOnTheIconPane) {
  WriteIconFile(app.path() / "many.bin", 120);
  IconPane* icons = w->FrameS()->Icons();
  icons->SearchIcon(app.str(), "many.bin");
  Focus(w->FrameS()->Panel()->Files().ListViewFile());
  ASSERT_EQ(w->State().CurListView, Pane::ListViewFile);
  w->MenuAction("mn10NextGrpIcon")->trigger();
  EXPECT_EQ(icons->PageState().GrpNo, 2);
  w->MenuAction("mn3SelectedAllIco")->trigger();
  EXPECT_EQ(icons->Status().SelectedCount, 50);
  w->MenuAction("mn4cancleselectedIco")->trigger();
  w->MenuAction("mn3SelectedIcoWithHWSub", 1)->trigger();  // 32 x 32
  EXPECT_EQ(icons->Status().SelectedCount, 50);
  w->MenuAction("mn9LastGrpIcon")->trigger();
  EXPECT_EQ(icons->PageState().GrpNo, 1);
}

TEST_F(PagesWiringTest, MovingFileIconsIntoTheIconClipboardTakesTheSavedFilesOutOfTheList) {
  const std::string folder = app.str() + "/src";
  std::filesystem::create_directories(folder);
  WriteIconFile(folder + "/three.bin", 3);
  for (int i = 0; i < 60; ++i) std::ofstream(folder + "/empty" + std::to_string(100 + i) + ".txt");
  FileListPanel* files = &w->FrameS()->Panel()->Files();
  files->ShowFolder(folder);
  ASSERT_EQ(files->FileModel()->Count(), 61);
  // All files, the sources kept: at most 50 rows leave the list and no file leaves the disk.
  prompter.answers = {PromptAnswer::No};
  w->MenuAction("mnMoveFileIcotoIcoClipBoardSub", 1)->trigger();
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{203});
  EXPECT_EQ(prompter.DefaultsAsked(), std::vector<PromptAnswer>{PromptAnswer::No});  // Enter keeps the sources
  EXPECT_EQ(files->FileModel()->Count(), 11);
  EXPECT_EQ(files->FileModel()->FindName("empty149.txt"), -1);
  EXPECT_TRUE(std::filesystem::exists(folder + "/empty100.txt"));
  EXPECT_EQ(ClipboardIcons(), 3);
  // The ticked file, deleted after Yes.
  files->ShowFolder(folder);
  files->SetFileChecked("three.bin", true);
  prompter.answers = {PromptAnswer::Yes};
  w->MenuAction("mnMoveFileIcotoIcoClipBoardSub", 0)->trigger();
  EXPECT_FALSE(std::filesystem::exists(folder + "/three.bin"));
  EXPECT_EQ(files->FileModel()->Count(), 60);
  EXPECT_EQ(ClipboardIcons(), 6);
}

TEST_F(PagesWiringTest, CtrlAltFunctionKeysCopyToTheIconClipboardAsXDeliversThem) {
  WriteIconFile(app.path() / "three.bin", 3);
  IconPane* icons = w->FrameS()->Icons();
  icons->SearchIcon(app.str(), "three.bin");
  icons->SetSelectedRows({0});
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);  // the pane's stand-in
  Focus(icons->CurrentView());
  // XF86Switch_VT_n: the server kept the press and lets the release through, or lets both through.
  const auto send = [&](QEvent::Type type, quint32 sym) {
    QKeyEvent e(type, 0, Qt::ControlModifier | Qt::AltModifier, 67, sym, 0xc);
    QApplication::sendEvent(QApplication::focusWidget(), &e);
  };
  send(QEvent::KeyRelease, 0x1008FE01);
  EXPECT_EQ(ClipboardIcons(), 1);
  send(QEvent::KeyPress, 0x1008FE02);
  send(QEvent::KeyRelease, 0x1008FE02);
  EXPECT_EQ(ClipboardIcons(), 2);
}

TEST_F(PagesWiringTest, ThePageTurnItemsFollowTheIconPages) {
  WriteIconFile(app.path() / "many.bin", 120);
  IconPane* icons = w->FrameS()->Icons();
  icons->SearchIcon(app.str(), "many.bin");
  QAction* previous = w->MenuAction("mn9LastGrpIcon");
  QAction* next = w->MenuAction("mn10NextGrpIcon");
  EXPECT_FALSE(previous->isEnabled());
  EXPECT_TRUE(next->isEnabled());
  icons->TurnIconPage(1);
  icons->TurnIconPage(1);
  EXPECT_TRUE(previous->isEnabled());
  EXPECT_FALSE(next->isEnabled());
}

}  // namespace
}  // namespace glimmora
