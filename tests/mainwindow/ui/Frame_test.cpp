// The toolbar, the keyboard, the options dialog and the library page on real widgets.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QFileDialog>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QRadioButton>
#include <QSplitter>
#include <QStandardItemModel>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QTreeWidget>

#include "text/LangRows.h"
#include "mainwindow/ui/CommandsWiring.h"
#include "library/ui/LibraryPage.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/OptionsDialog.h"
#include "mainwindow/ui/Toolbar.h"
#include "support/ProgramFolderFixture.h"
#include "support/ui/MainWindowFixture.h"

namespace glimmora {
namespace {

using mwtest::WriteLanguageFiles;

int Vk(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
  QKeyEvent e(QEvent::KeyPress, key, mods);
  return WindowsKeyCode(e);
}

TEST(WindowsKeyCode, KeysAsTheDispatcherExpectsThem) {
  EXPECT_EQ(Vk(Qt::Key_A), 'A');
  EXPECT_EQ(Vk(Qt::Key_Z, Qt::ShiftModifier), 'Z');
  EXPECT_EQ(Vk(Qt::Key_5), '5');
  EXPECT_EQ(Vk(Qt::Key_Percent, Qt::ShiftModifier | Qt::ControlModifier), '5');
  EXPECT_EQ(Vk(Qt::Key_ParenRight, Qt::ShiftModifier), '0');
  EXPECT_EQ(Vk(Qt::Key_5, Qt::KeypadModifier), 101);
  EXPECT_EQ(Vk(Qt::Key_F1), 112);
  EXPECT_EQ(Vk(Qt::Key_F8), 119);
  EXPECT_EQ(Vk(Qt::Key_Return), 13);
  EXPECT_EQ(Vk(Qt::Key_Enter, Qt::KeypadModifier), 13);
  EXPECT_EQ(Vk(Qt::Key_Delete), 46);
  EXPECT_EQ(Vk(Qt::Key_PageDown), 34);
  EXPECT_EQ(Vk(Qt::Key_Control, Qt::ControlModifier), 17);
  EXPECT_EQ(Vk(Qt::Key_Percent), 0);  // a real percent sign, typed without Shift
}

TEST(CommandToolbar, TwentyTwoButtonsWithTooltipsAndThreeViewButtons) {
  LanguageTable lang;
  for (int i = 1; i <= kToolbarSlots; ++i)
    if (ToolbarTipRow(i) > 0) lang.LangStr[0][static_cast<std::size_t>(ToolbarTipRow(i))] = "Tip " + std::to_string(i);
  lang.LangStr[0][376] = "Into the library";
  CommandToolbar bar(lang);
  int visible = 0;
  for (QAction* a : bar.actions())
    if (!a->isSeparator() && a->isVisible()) ++visible;
  EXPECT_EQ(visible, 22);
  EXPECT_EQ(bar.Button(6)->toolTip(), "Into the library");
  // A picture-only button is read out by its accessible name.
  EXPECT_EQ(bar.widgetForAction(bar.Button(6))->accessibleName(), "Into the library");
  lang.LangStr[0][kRowMoreToolbarButtons] = "More";
  EXPECT_EQ(CommandToolbar(lang).findChild<QToolButton*>("qt_toolbar_ext_button")->accessibleName(), "More");
  for (QAction* a : bar.actions()) {
    if (a->isSeparator() || !a->isVisible()) continue;
    EXPECT_EQ(bar.widgetForAction(a)->accessibleName(), a->toolTip()) << a->objectName().toStdString();
    EXPECT_FALSE(a->toolTip().isEmpty()) << a->objectName().toStdString();
  }
  EXPECT_FALSE(bar.Button(4)->isVisible());
  EXPECT_EQ(bar.Button(5), nullptr);
  ToolbarState s;
  s.SetEnabled(1, 32, true);
  s.SetEnabled(8, 8, false);
  s.pressedView = ListViewMode::List;
  bar.ShowState(s);
  EXPECT_FALSE(bar.Button(8)->isEnabled());
  EXPECT_TRUE(bar.Button(22)->isChecked());
  EXPECT_FALSE(bar.Button(21)->isChecked());
  EXPECT_FALSE(bar.Button(21)->icon().isNull());
}

class FrameWindowTest : public testing::MainWindowFixture {
 protected:
  void SetUp() override {
    MainWindowFixture::SetUp();
    WriteLanguageFiles(app.path(), {{438, {"Glimmora", "G", "G"}},
                                    {354, {"Libraries", "L", "L"}},
                                    {314, {"<source>", "S", "S"}},
                                    {315, {"Programs ", "P", "P"}},
                                    {316, {"All files ", "A", "A"}}});
    StartWindow();
    w->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
  }
};

TEST_F(FrameWindowTest, KeysReachTheCommandsWithTheModifiersOfEachPress) {
  LibraryPageList* list = w->FrameL()->ListViewLIco();
  list->ReportView()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(w->State().CurListView, Pane::ListViewLIco);

  QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(list->Mode(), ListViewMode::List);
  EXPECT_TRUE(w->Commands()->Toolbar()->Button(22)->isChecked());
  // Ctrl+Alt+L has no Ctrl+Alt meaning: it is Ctrl+L, the report view.
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_L, Qt::ControlModifier | Qt::AltModifier);
  EXPECT_EQ(list->Mode(), ListViewMode::Report);
  // A toolbar click gives large icons; the clipboard list keeps its own view. (The library's
  // selection summary enables the buttons of its pane; here the test does.)
  w->Commands()->Frame().SetToolButtonEnabled(23, true);
  w->Commands()->Toolbar()->Button(23)->trigger();
  EXPECT_EQ(list->Mode(), ListViewMode::LargeIcons);
  EXPECT_EQ(w->FrameL()->ListViewIcoClipboard()->Mode(), ListViewMode::Report);
  EXPECT_EQ(w->windowTitle(), "Glimmora -> Libraries");  // nothing chosen yet: no arrow to nothing

  // The empty clipboard taking the focus takes the pressed view; its menu stays as the focus
  // switched it, not as a recount of the empty list would.
  w->FrameL()->ListViewIcoClipboard()->ReportView()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(w->FrameL()->ListViewIcoClipboard()->Mode(), ListViewMode::LargeIcons);
  EXPECT_TRUE(w->Menu("PoPIcoClipBoardMenu")->menuAction()->isEnabled());
}

TEST_F(FrameWindowTest, OptionsDialogBelongsToTheListItWasOpenedFor) {
  w->FrameL()->ListViewIcoClipboard()->ReportView()->setFocus();
  QApplication::processEvents();
  ASSERT_EQ(w->State().CurListView, Pane::ListViewIcoClipboard);
  w->MenuAction("mnOptSet")->setEnabled(true);
  w->MenuAction("mnOptSet")->trigger();
  OptionsDialog* dlg = w->Commands()->Options();
  ASSERT_NE(dlg, nullptr);
  EXPECT_EQ(dlg->List(), Pane::ListViewIcoClipboard);
  EXPECT_TRUE(dlg->EditorBox()->isEnabled());
  EXPECT_FALSE(dlg->Choice(OptGroup::SaveAs, 0)->isEnabled());

  // The clipboard reads the box while the dialog is open, whatever put the text there: here a
  // screen reader, which sets the text without a key being typed.
  QAccessible::queryAccessibleInterface(dlg->EditorBox())->setText(QAccessible::Value, "/usr/bin/iconed");
  EXPECT_EQ(dlg->EditorBox()->text(), "/usr/bin/iconed");
  EXPECT_EQ(w->Commands()->EditorPathForClipboard(), "/usr/bin/iconed");

  // Too long: the message, nothing stored, the dialog stays.
  const std::string tooLong = "/" + std::string(40, 'x');
  dlg->EditorBox()->setText(QString::fromStdString(tooLong));
  w->FrameL()->ListViewLIco()->ReportView()->setFocus();
  QApplication::processEvents();
  dlg->PressOk();
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{613});
  EXPECT_EQ(w->Commands()->Options(), dlg);

  dlg->EditorBox()->setText("/usr/bin/iconed");
  dlg->FolderBox()->setText("/home/ann/icons");  // pasted, say: no key typed
  dlg->PressOk();
  QApplication::processEvents();
  EXPECT_EQ(w->State().SaveLibDir.IconEditTool, "/usr/bin/iconed");
  EXPECT_EQ(w->State().SaveLibDir.OtherDir, "/home/ann/icons");
  EXPECT_EQ(w->Commands()->EditorPathForClipboard(), "/usr/bin/iconed");
}

TEST_F(FrameWindowTest, OptionsDialogForTheClipboardBeforeTheSourcePageWasShown) {
  w->FrameL()->ListViewIcoClipboard()->ReportView()->setFocus();
  QApplication::processEvents();
  w->MenuAction("mnOptSet")->setEnabled(true);
  w->MenuAction("mnOptSet")->trigger();
  OptionsDialog* dlg = w->Commands()->Options();
  ASSERT_NE(dlg, nullptr);
  // Only the editor group is the clipboard's: the other frames are greyed themselves.
  for (int i = 0; i < 7; ++i) EXPECT_FALSE(dlg->Frame(i)->isEnabled()) << i;
  EXPECT_TRUE(dlg->Frame(7)->isEnabled());
  // The size group offers exactly the size table's choices, under the table's captions.
  for (int i = 0; i < kSizeChoiceCount; ++i) ASSERT_NE(dlg->Choice(OptGroup::IcoSize, i), nullptr) << i;
  EXPECT_EQ(dlg->Choice(OptGroup::IcoSize, kSizeChoiceCount), nullptr);
  EXPECT_EQ(dlg->Choice(OptGroup::IcoSize, 1)->text(), "16x16");
  // The file list has shown no folder yet: the preview starts from the program folder.
  EXPECT_EQ(dlg->FolderBox()->text().toStdString(), app.str() + "/" + w->State().Row(314) + "_Ico/");

  // The program chooser offers the programs one may run, then all files.
  QStringList filters;
  QTimer::singleShot(0, [&] {
    if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
      filters = chooser->nameFilters();
      auto* runnable = qobject_cast<RunnableFilesOnly*>(chooser->proxyModel());
      EXPECT_TRUE(runnable != nullptr && runnable->Active());
      chooser->reject();
    }
  });
  dlg->ChooserButton()->click();
  EXPECT_EQ(filters, (QStringList{QString::fromStdString(w->State().Row(315)) + "(*)",
                                  QString::fromStdString(w->State().Row(316)) + "(*)"}));
}

TEST_F(FrameWindowTest, LibraryPageTakesStoredSizesAndReportsThemBack) {
  LibraryPage* page = w->FrameL();
  QApplication::processEvents();
  ASSERT_TRUE(page->SizesApplied());
  // A new configuration: the tree is 2550 twips (170 pixels) wide, and that is what is stored back.
  EXPECT_EQ(page->TreeViewL()->width(), 170);
  PaneSizes sizes;
  page->StorePaneSizes(sizes);
  EXPECT_NEAR(sizes.TreeViewLWidth, page->TreeViewL()->width() * 15, 30);
  EXPECT_GT(sizes.TreeViewLHeight, 450);

  // Splitters never collapse a pane and resize only when let go.
  for (int i = 0; i < 2; ++i) {
    EXPECT_FALSE(page->FrameLMOve(i)->childrenCollapsible());
    EXPECT_FALSE(page->FrameLMOve(i)->opaqueResize());
  }
  page->FrameLMOve(0)->setSizes({0, 10000});
  EXPECT_GE(page->FrameLMOve(0)->sizes()[0], 10);
}

TEST(LibraryPageList, ViewsShareItemsAndSelection) {
  LanguageTable lang;
  LibraryPageList list("ListViewLIco", LibIcoColumns(), lang);
  for (int i = 0; i < 4; ++i) list.Model()->appendRow(new QStandardItem(QString::number(i)));
  list.ReportView()->selectionModel()->select(list.Model()->index(2, 0),
                                              QItemSelectionModel::Select);
  list.SetMode(ListViewMode::LargeIcons);
  EXPECT_EQ(list.CurrentView(), list.IconView());
  EXPECT_TRUE(list.IconView()->selectionModel()->isSelected(list.Model()->index(2, 0)));
  EXPECT_EQ(list.Model()->headerData(1, Qt::Horizontal, LibraryPageList::kColumnKeyRole).toString(),
            "Type/Keyword");
  EXPECT_EQ(list.ReportView()->columnWidth(8), 800);

  // A click in the list or the icon view selects the whole row, which is what the panes count.
  list.show();
  for (const auto& [mode, row] : {std::pair{ListViewMode::List, 1}, std::pair{ListViewMode::LargeIcons, 3}}) {
    list.SetMode(mode);
    QApplication::processEvents();
    QTest::mouseClick(list.IconView()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      list.IconView()->visualRect(list.Model()->index(row, 0)).center());
  }
  for (int r = 0; r < 4; ++r) EXPECT_EQ(list.Selection()->isRowSelected(r, {}), r == 1 || r == 3) << r;
}

}  // namespace
}  // namespace glimmora
