// The library page inside the main window: keys in its boxes and the frame's menus.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/LibraryController.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTreeActions.h"
#include "library/ui/LibraryManagerDialog.h"
#include "mainwindow/ui/CommandsWiring.h"
#include "library/ui/LibraryPage.h"
#include "mainwindow/ui/MainWindow.h"
#include "source/ui/SourcePage.h"
#include "mainwindow/ui/Toolbar.h"
#include "source/ui/IconPane.h"
#include "support/ui/MainWindowFixture.h"

namespace glimmora {
namespace {

class LibraryWindowTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    StartWindow();
    QApplication::processEvents();
  }
  LibraryController* Lib() const { return w->FrameL()->Controller(); }
};

TEST_F(LibraryWindowTest, EnterInTheKeywordBoxSearchesOnceAndAnEmptyBoxDoesNothing) {
  QComboBox* box = w->FrameL()->ComboLKeyword();
  QApplication::setActiveWindow(w.get());
  box->setFocus();
  box->setEditText("anything");
  QTest::keyClick(box, Qt::Key_Return);  // the box holds the focus in a real window
  // No library holds it: the count message, once, and nothing in the history.
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].row, 434);
  EXPECT_EQ(box->count(), 0);
  box->setEditText("");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(LibraryWindowTest, TreeMenuReachesThePageThroughTheFrame) {
  ASSERT_TRUE(w->Commands()->Frame().RunMenuItem("mnTreeViewLPopMenuSub", 0));
  ASSERT_NE(Lib()->TreeActions().Manager(), nullptr);
  EXPECT_TRUE(Lib()->TreeActions().Manager()->isVisible());
}

TEST_F(LibraryWindowTest, HelpAndMailButtonsAreUsableOnEveryPageFromTheStart) {
  CommandToolbar* bar = w->Commands()->Toolbar();
  ASSERT_NE(bar, nullptr);
  for (int tab : {0, 1, 2, 0}) {
    w->TabStrip1()->setCurrentIndex(tab);
    QApplication::processEvents();
    EXPECT_TRUE(bar->Button(31)->isEnabled()) << tab;
    EXPECT_TRUE(bar->Button(32)->isEnabled()) << tab;
  }
  // The page's own buttons: the library page enables the tree commands, not the web-site ones.
  EXPECT_TRUE(bar->Button(3)->isEnabled());
  EXPECT_FALSE(bar->Button(26)->isEnabled());
}

}  // namespace
}  // namespace glimmora
