#include "mainwindow/ui/MainWindow.h"
#include "source/ui/SourcePage.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/PathBoxPanel.h"
#include "source/ui/SourcePanel.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeDatabase>
#include <QSignalSpy>
#include <QStackedWidget>
#include <QTabBar>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "files/ReplaceFile.h"
#include "library/ui/LibraryPage.h"
#include "mainwindow/ui/HelpWindow.h"
#include "websites/ui/WebSitePage.h"
#include "library/ui/LibraryController.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTreeActions.h"
#include "picturetool/ui/PictureToolDialog.h"
#include "websites/ui/WebSitePanel.h"
#include "support/ProgramFolderFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedShell.h"
#include "support/TempDir.h"
#include "support/ui/MainWindowFixture.h"

namespace glimmora {
namespace {

using mwtest::ReadFile;
using testing::ScriptedPrompter;
using mwtest::WriteFile;
using mwtest::WriteLanguageFiles;
namespace fs = std::filesystem;

void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

int CountTopLevel(const QString& objectName) {
  int n = 0;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->objectName() == objectName) ++n;
  return n;
}

class MainWindowTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    WriteLanguageFiles(app.path(),
                       {{27, {"&Icons", "图标", "圖標"}},
                        {121, {"Move to library", "移入", "移入B"}},
                        {144, {"Lan&guage", "语言", "語言"}},
                        {161, {"Libraries", "图库", "圖庫"}},
                        {162, {"Files", "文件", "檔案"}},
                        {163, {"Web sites", "网站", "網站"}},
                        {281, {"Friendly links", "友情链接", "友情鏈接"}},
                        {438, {"Glimmora T", "Glimmora GB", "Glimmora B5"}},
                        {770, {"Keyword", "关键字", "關鍵字"}},
                        {772, {"Glimmora HomePage", "Glimmora 主页", "Glimmora 首頁"}}});
  }
};

TEST_F(MainWindowTest, StartUpCaptionsTheMenusTabsAndTitle) {
  StartWindow();
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(fs::is_directory(app.path() / "IconClipBoard"));
  EXPECT_TRUE(fs::is_directory(app.path() / "LibIconTemp"));
  // The caption names the page shown after the title.
  EXPECT_TRUE(w->windowTitle().startsWith("Glimmora T -> "));
  EXPECT_EQ(w->State().AppTitle, "Glimmora T");
  ASSERT_NE(w->Menu("PopIcoMenu"), nullptr);
  EXPECT_EQ(w->Menu("PopIcoMenu")->title(), "&Icons");
  EXPECT_EQ(w->MenuAction("mnIcoClipBoardMenuSub", 0)->text(), "Move to library\tCtrl+M");
  EXPECT_EQ(w->MenuAction("mnHelpAbout")->text(), "");  // a row nobody filled
  // The popups of the source page are off the menu bar at start.
  EXPECT_FALSE(w->Menu("PopFileMenu")->menuAction()->isVisible());
  EXPECT_FALSE(w->Menu("PopTreeViewSMenu")->menuAction()->isVisible());
  EXPECT_TRUE(w->Menu("PopIcoMenu")->menuAction()->isVisible());
  // The same QMenu is in the menu bar and serves as the pane's popup.
  EXPECT_TRUE(w->menuBar()->actions().contains(w->Menu("PoPIcoClipBoardMenu")->menuAction()));

  ASSERT_EQ(w->TabStrip1()->count(), 3);
  EXPECT_EQ(w->TabStrip1()->tabText(0), "  Libraries  ");
  EXPECT_EQ(w->TabStrip1()->tabText(2), "  Web sites  ");
  EXPECT_EQ(w->Pages()->count(), 3);
  EXPECT_EQ(w->Pages()->currentWidget(), static_cast<QWidget*>(w->FrameL()));
  w->TabStrip1()->setCurrentIndex(2);
  EXPECT_EQ(w->Pages()->currentWidget(), static_cast<QWidget*>(w->FrameW()));
  EXPECT_TRUE(w->State().TreeViewSDirty);
}

TEST_F(MainWindowTest, MenuItemsRunTheHandlerAttachedToTheirName) {
  StartWindow();
  std::vector<int> clip;
  int deletes = 0;
  w->OnMenuItem("mnIcoClipBoardMenuSub", [&](int index) { clip.push_back(index); });
  w->OnMenuItem("mn8DeleteIco", [&](int index) {
    EXPECT_EQ(index, -1);
    ++deletes;
  });
  // Deleting icons starts disabled until icons are selected.
  w->MenuAction("mn8DeleteIco")->setEnabled(true);
  w->MenuAction("mnIcoClipBoardMenuSub", 12)->trigger();
  w->MenuAction("mnIcoClipBoardMenuSub", 24)->trigger();
  w->MenuAction("mn8DeleteIco")->trigger();
  w->MenuAction("mn9LastGrpIcon")->trigger();  // no command yet: nothing happens
  EXPECT_EQ(clip, (std::vector<int>{12, 24}));
  EXPECT_EQ(deletes, 1);
  EXPECT_EQ(w->MenuAction("nothing"), nullptr);
}

TEST_F(MainWindowTest, LanguageMenuStoresTheChoiceAndChangesNothingShown) {
  StartWindow();
  w->MenuAction("mnchglangsub", 2)->trigger();
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(ReadFile(app.path() / "chglangs.dat")[0], 2);
  EXPECT_EQ(ReadFile(app.path() / "chglangl.dat")[0], 2);
  EXPECT_EQ(w->Menu("PopIcoMenu")->title(), "&Icons");
  EXPECT_EQ(w->State().CurLang(), Language::English);

  w->close();
  const std::string cfg = ReadFile(app.path() / "Glimmora.cfg");
  ASSERT_GE(cfg.size(), 399u);
  EXPECT_EQ(cfg[198], 2);  // Lang of SaveLibDir, SaveFileDir, SaveIcoDir
  EXPECT_EQ(cfg[298], 2);
  EXPECT_EQ(cfg[398], 2);

  // The next start is in Chinese BIG5.
  ScriptedPrompter again;
  MainWindow next(app.str(), again, opener);
  next.Start();
  EXPECT_EQ(next.Menu("PopIcoMenu")->title(), "圖標");
  EXPECT_TRUE(next.windowTitle().startsWith("Glimmora B5 -> "));
}

TEST_F(MainWindowTest, ALanguageChoiceThatCannotBeStoredIsReported) {
  StartWindow();
  fs::remove(app.path() / "chglangl.dat");
  w->MenuAction("mnchglangsub", 1)->trigger();
  EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(MainWindowTest, ClosingWritesTheConfigurationOnce) {
  StartWindow();
  QSignalSpy closed(w.get(), &MainWindow::Closed);
  // The path box holds the history; closing takes it from there.
  w->FrameS()->Panel()->Path().SetPathHistory({{"/srv/icons", 1}}, "/srv/icons");
  w->close();
  EXPECT_EQ(closed.count(), 1);
  const std::string cfg = ReadFile(app.path() / "Glimmora.cfg");
  ASSERT_GE(cfg.size(), 1600u);
  EXPECT_EQ(cfg.substr(999, 2), std::string("\x01\x00", 2));
  EXPECT_EQ(cfg.substr(1400, 12), "/srv/icons\\\\");

  fs::remove(app.path() / "Glimmora.cfg");
  w->close();  // already closed: nothing is written again
  EXPECT_FALSE(fs::exists(app.path() / "Glimmora.cfg"));
  EXPECT_EQ(closed.count(), 1);
}

TEST_F(MainWindowTest, StoredPaneSizesComeBackExactlyRunAfterRun) {
  // Twips are finer than pixels (7000 is 466.7), the window reaches its final size only after it
  // is shown, and a status text in Chinese may stand taller than the empty row measured before:
  // none of them may move a size the user never touched.
  WriteLanguageFiles(app.path(), {{216, {"Total", "共", "共"}}, {217, {"files", "个文件", "個檔案"}}}, 2);
  for (const std::int16_t treeHeight : {3000, 4500, 7000}) {
    SCOPED_TRACE(treeHeight);
    const std::int16_t stored[5] = {4005, 3000, 2700, treeHeight, -300};
    WriteFile(app.path() / "Glimmora.cfg", std::string(reinterpret_cast<const char*>(stored), 10));
    for (int run = 0; run < 3; ++run) {
      StartWindow();
      QApplication::processEvents();
      w->resize(w->width() - 20, w->height() - 30);  // as a window manager does, late
      QApplication::processEvents();
      EXPECT_EQ(w->FrameL()->TreeViewL()->height(), (treeHeight * 2 + 15) / 30);
      w->TabStrip1()->setCurrentIndex(1);
      QApplication::processEvents();
      QApplication::processEvents();  // the layout after the folder's status text
      EXPECT_EQ(w->FrameS()->Panel()->Files().ListViewFile()->height(), 200);  // the list alone
      w->close();
      EXPECT_EQ(ReadFile(app.path() / "Glimmora.cfg").substr(0, 10),
                std::string(reinterpret_cast<const char*>(stored), 10));
    }
  }
}

TEST_F(MainWindowTest, AConfigurationThatCannotBeWrittenIsReportedAndTheWindowStillCloses) {
  StartWindow();
  fs::create_directories(app.path() / "Glimmora.cfg");  // in the way of the file
  QSignalSpy closed(w.get(), &MainWindow::Closed);
  w->close();
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{646});
  EXPECT_NE(prompter.asked[0].text.find("Glimmora.cfg"), std::string::npos);
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(w->isVisible());
}

TEST_F(MainWindowTest, AWorkFolderProblemAtStartUpIsToldInTheStoredLanguage) {
  WriteLanguageFiles(app.path(), {{438, {"Glimmora T", "Glimmora GB", "Glimmora B5"}},
                                  {644, {"No work folders:", "无法创建工作文件夹：", "無法建立工作資料夾："}}},
                     1);
  WriteFile(app.path() / "IconClipBoard", "a file in the way");
  StartWindow();
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{644});
  EXPECT_EQ(prompter.asked[0].text.rfind("无法创建工作文件夹：\n", 0), 0u) << prompter.asked[0].text;
}

TEST_F(MainWindowTest, HelpContentsShowsTheHelpPagesOrSaysTheyAreMissing) {
  StartWindow();
  w->MenuAction("mnHelpContents")->trigger();
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{642});  // no help folder in this installation
  EXPECT_EQ(w->Help(), nullptr);

  WriteFile(app.path() / "help" / "index.html", "<html><body><h1>Contents</h1></body></html>");
  w->MenuAction("mnHelpContents")->trigger();
  ASSERT_NE(w->Help(), nullptr);
  EXPECT_TRUE(w->Help()->isVisible());
  EXPECT_TRUE(w->Help()->Browser()->source().toLocalFile().endsWith("help/index.html"));
  EXPECT_TRUE(w->Help()->Browser()->toPlainText().contains("Contents"));
}

TEST(HelpContentsFile, EachChineseLanguageGetsItsOwnCharacters) {
  testing::TempDir dir;
  const QString app = QString::fromStdString(dir.str());
  WriteFile(dir.path() / "help" / "index.html", "en");
  WriteFile(dir.path() / "help" / "index.zh.html", "gb");
  EXPECT_TRUE(HelpContentsFile(app, Language::ChineseBig5).endsWith("/index.zh.html"));  // the next best
  WriteFile(dir.path() / "help" / "index.zh-hant.html", "big5");
  EXPECT_TRUE(HelpContentsFile(app, Language::ChineseBig5).endsWith("/index.zh-hant.html"));
  EXPECT_TRUE(HelpContentsFile(app, Language::ChineseGB).endsWith("/index.zh.html"));
  EXPECT_TRUE(HelpContentsFile(app, Language::English).endsWith("/index.html"));

  // The shipped BIG5 page is written in traditional characters, not the simplified page again.
  const Result<std::string> page =
      ReadFileStart(std::string(GLIMMORA_APP_DIR) + "/help/index.zh-hant.html", std::string().max_size());
  ASSERT_TRUE(page.Ok());
  const std::string& big5 = *page;
  for (const char* simplified : {"图标", "文件", "设置", "帮助", "选择", "删除", "复制", "键"})
    EXPECT_EQ(big5.find(simplified), std::string::npos) << simplified;
  EXPECT_NE(big5.find("圖示"), std::string::npos);
}

TEST_F(MainWindowTest, FriendLinksOpenAfreshAsOneWindowAndEscCloses) {
  StartWindow();
  w->MenuAction("mnHelpFrdLink")->trigger();
  QPointer<FriendLinkWindow> first = w->FrdLink();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->Label1[0]->text(), "Friendly links");
  EXPECT_FALSE(first->Text1[0]->isHidden());  // English
  EXPECT_TRUE(first->Text1[1]->isHidden());
  // The text box is as wide as the sample line, whatever the window's width.
  const QFontMetrics metrics = first->Text1[0]->fontMetrics();
  const int sample = metrics.horizontalAdvance(first->Label2->text());
  EXPECT_GT(first->Text1[0]->width(), sample);
  EXPECT_LT(first->Text1[0]->width(), sample + 60);
  // No line of either text is wider than the sample line, so nothing needs scrolling.
  for (QPlainTextEdit* box : first->Text1)
    for (const QString& line : box->toPlainText().split('\n'))
      EXPECT_LE(metrics.horizontalAdvance(line), sample) << line.toStdString();

  w->ShowFriendLinks();
  DeleteClosedWindows();
  EXPECT_FALSE(first);
  ASSERT_TRUE(w->FrdLink());
  EXPECT_TRUE(w->FrdLink()->isVisible());
  EXPECT_EQ(CountTopLevel("FrmFrdLink"), 1);

  QTest::keyClick(w->FrdLink(), Qt::Key_Escape);
  DeleteClosedWindows();
  EXPECT_EQ(w->FrdLink(), nullptr);
}

TEST_F(MainWindowTest, BothChineseLanguagesShowTheChineseLinksText) {
  WriteFile(app.path() / "chglangs.dat",
            std::string(1, '\x02') + ReadFile(app.path() / "chglangs.dat").substr(1));
  StartWindow();
  w->ShowFriendLinks();
  ASSERT_TRUE(w->FrdLink());
  EXPECT_TRUE(w->FrdLink()->Text1[0]->isHidden());
  EXPECT_FALSE(w->FrdLink()->Text1[1]->isHidden());
  EXPECT_EQ(w->FrdLink()->Label1[1]->text(), "友情鏈接");
}

// Texts the desktop and Qt give (type names, their dialogs' labels) and the keyword box follow the
// program's language, not the system's.
TEST_F(MainWindowTest, DesktopTextsComeInTheProgramsLanguage) {
  const struct {
    char stored;
    const char* unknownType;
    const char* keyword;
    bool qtTranslated;
  } cases[] = {{'\x00', "unknown", "Keyword", false}, {'\x01', "未知", "关键字", true}, {'\x02', "不明", "關鍵字", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(int(c.stored));
    WriteFile(app.path() / "chglangs.dat", std::string(1, c.stored) + ReadFile(app.path() / "chglangs.dat").substr(1));
    StartWindow();
    EXPECT_EQ(QMimeDatabase().mimeTypeForName("application/octet-stream").comment().toStdString(), c.unknownType);
    EXPECT_EQ(w->FrameL()->ComboLKeyword()->currentText().toStdString(), c.keyword);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Directory:") != "Directory:", c.qtTranslated);
  }
}

// Every control of every window has a name a screen reader can say: a picture-only button, a
// list, a box without a label beside it.
TEST_F(MainWindowTest, EveryControlHasANameAScreenReaderCanSay) {
  std::map<int, std::array<std::string, 3>> rows;
  for (int row = 1; row <= kLangRows; ++row) rows[row] = {"Row " + std::to_string(row), "", ""};
  WriteLanguageFiles(app.path(), rows);
  StartWindow();
  w->show();
  w->TabStrip1()->setCurrentIndex(1);
  QApplication::processEvents();
  w->FrameS()->Panel()->Files().ListViewFile()->setFocus();
  QApplication::processEvents();
  w->MenuAction("mnOptSet")->setEnabled(true);
  w->MenuAction("mnOptSet")->trigger();
  w->FrameW()->Panel()->AddEntry();
  w->FrameL()->Controller()->TreeActions().RunLibraryTreeCommand(LibTreeCommand::NewCategoryOrLibrary);
  w->FrameL()->Controller()->PaneActions().OpenAuthorInf();
  w->ShowFriendLinks();
  w->ShowHomePage();
  PictureToolDialog tool(w->State().LangStr, prompter, false);
  QApplication::processEvents();

  std::vector<std::string> unnamed;
  for (QWidget* c : QApplication::allWidgets()) {
    QWidget* window = c->window();
    if (qobject_cast<QMenu*>(window) || window->inherits("QComboBoxPrivateContainer")) continue;
    if (c->objectName().startsWith("qt_") || qobject_cast<QHeaderView*>(c)) continue;
    if (qobject_cast<QScrollBar*>(c) && c->parentWidget()->objectName().startsWith("qt_")) continue;  // a view's own
    if (qobject_cast<QLineEdit*>(c) && qobject_cast<QComboBox*>(c->parentWidget())) continue;      // with its box
    const bool control = qobject_cast<QAbstractButton*>(c) || qobject_cast<QLineEdit*>(c) ||
                         qobject_cast<QComboBox*>(c) || qobject_cast<QAbstractItemView*>(c) ||
                         qobject_cast<QPlainTextEdit*>(c) || qobject_cast<QScrollBar*>(c) || qobject_cast<QTabBar*>(c);
    if (!control) continue;
    // An editable box is read by the text in it; its line is what carries the name.
    auto* combo = qobject_cast<QComboBox*>(c);
    QWidget* read = combo && combo->isEditable() ? combo->lineEdit() : c;
    if (QAccessible::queryAccessibleInterface(read)->text(QAccessible::Name).trimmed().isEmpty())
      unnamed.push_back(window->objectName().toStdString() + "/" + c->objectName().toStdString() + " (" +
                        c->metaObject()->className() + ")");
  }
  std::sort(unnamed.begin(), unnamed.end());
  EXPECT_EQ(unnamed, std::vector<std::string>{});
}

TEST_F(MainWindowTest, EachWebAddressOpensItsOwnCaption) {
  StartWindow();
  w->ShowHomePage();
  ASSERT_TRUE(w->HomePage());
  EXPECT_EQ(w->HomePage()->windowTitle(), "Glimmora HomePage");
  for (std::size_t i = 0; i < kMakerWebAddresses.size(); ++i)
    emit w->HomePage()->WebAddress[i]->linkActivated(QStringLiteral("ignored"));
  ASSERT_EQ(opener.opened.size(), kMakerWebAddresses.size());
  for (std::size_t i = 0; i < kMakerWebAddresses.size(); ++i)
    EXPECT_EQ(opener.opened[i], std::string("http://") + kMakerWebAddresses[i]);

  QTest::keyClick(w->HomePage(), Qt::Key_Escape);
  DeleteClosedWindows();
  EXPECT_EQ(w->HomePage(), nullptr);
}

TEST_F(MainWindowTest, AboutShowsTheSplashWithTheTitleAndAnyKeyClosesIt) {
  StartWindow();
  w->ShowAbout();
  ASSERT_TRUE(w->Splash());
  EXPECT_TRUE(w->Splash()->isVisible());
  EXPECT_EQ(w->Splash()->windowTitle(), "Glimmora T");
  QTest::keyClick(w->Splash(), Qt::Key_A);
  DeleteClosedWindows();
  EXPECT_EQ(w->Splash(), nullptr);
  w->ShowAbout();
  EXPECT_TRUE(w->Splash());
}

}  // namespace
}  // namespace glimmora

namespace glimmora {
namespace {

TEST_F(MainWindowTest, ModifierFlagsFollowTheKeysAndOnlyOtherKeysReachThePreview) {
  StartWindow();
  std::vector<std::pair<int, bool>> seen;  // key, Ctrl held
  w->SetKeyPreview([&](QKeyEvent* e) {
    seen.emplace_back(e->key(), w->State().CtrlDown != 0);
    return true;
  });
  QWidget* pane = w->FrameL();
  QTest::keyPress(pane, Qt::Key_Control);
  EXPECT_EQ(w->State().CtrlDown, -1);
  QTest::keyClick(pane, Qt::Key_A, Qt::ControlModifier);
  QTest::keyRelease(pane, Qt::Key_Control, Qt::ControlModifier);
  EXPECT_EQ(w->State().CtrlDown, 0);
  ASSERT_EQ(seen.size(), 1u);  // Ctrl alone never reaches the preview
  EXPECT_EQ(seen[0], std::make_pair(int(Qt::Key_A), true));

  // Keys typed in another window are not the main window's.
  w->ShowFriendLinks();
  QTest::keyClick(w->FrdLink(), Qt::Key_B, Qt::ShiftModifier);
  EXPECT_EQ(seen.size(), 1u);
  EXPECT_EQ(w->State().ShiftDown, 0);
}

}  // namespace
}  // namespace glimmora
