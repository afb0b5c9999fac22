#include "websites/ui/WebSitePanel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QKeyEvent>
#include <QSplitter>
#include <QTreeWidget>
#include <filesystem>
#include <sys/stat.h>

#include "support/ScriptedPrompter.h"
#include "support/ScriptedShell.h"
#include "support/TempDir.h"
#include "support/WebSiteTestFiles.h"
#include "text/LanguageTable.h"
#include "websites/ui/WebSiteEditor.h"

namespace glimmora {
namespace {

using testing::ReadBytes;
using testing::ScriptedPrompter;
using testing::TempDir;

WebSiteEntry Site(const std::string& name, const std::string& lang = "EN") {
  return {name, name + " maker", lang, "https://" + name + ".example.com/Path", name + " note",
          name + " detail"};
}

struct WebSitePanelTest : ::testing::Test {
  TempDir app;
  LanguageTable lang;
  ScriptedPrompter prompter;
  testing::RecordingWebOpener opener;
  std::string file = WebSiteStore::PathIn(app.str());
  std::unique_ptr<WebSitePanel> page;

  void SetUp() override {
    const char* headers[] = {"Index", "Name", "Author", "Language", "Address", "Note", "Detail"};
    for (int i = 0; i < 7; ++i) lang.LangStr[0][static_cast<std::size_t>(186 + i)] = headers[i];
    lang.LangStr[0][377] = "Delete the ticked entries?";
    lang.LangStr[0][378] = "Remove them from the file as well?";
    lang.LangStr[0][405] = "Save";
  }
  void TearDown() override { page.reset(); }

  void Prepare(const std::vector<WebSiteEntry>& entries) {
    WebSiteStore maker(file);
    int key = 100;
    maker.SetKeySource([&key] { return key += 77; });
    for (const auto& e : entries) ASSERT_TRUE(maker.Add(e, Language::English).Ok());
  }
  void Open() {
    page = std::make_unique<WebSitePanel>(lang, prompter, opener, app.str());
    page->Store().SetKeySource([] { return 1234; });
  }
  QTreeWidget* List() const { return page->ListViewWebSite(); }
  QTreeWidgetItem* Item(int i) const { return List()->topLevelItem(i); }
  WebSiteEditor* Ed() const { return page->Editor(); }
  void Press(int button) const { Ed()->Command1(button)->click(); }
  std::vector<std::string> Names() const {
    std::vector<std::string> out;
    for (const auto& s : WebSiteStore(file).Get(Language::English)) out.push_back(s.Fields.Name);
    return out;
  }
};

TEST_F(WebSitePanelTest, ListsEveryEntryWithItsColumns) {
  Prepare({Site("alpha"), Site("beta", "ZH"), Site("gamma")});
  Open();
  ASSERT_EQ(List()->topLevelItemCount(), 3);
  ASSERT_EQ(List()->columnCount(), 8);
  EXPECT_EQ(List()->headerItem()->text(0), "Index");
  EXPECT_EQ(List()->headerItem()->text(6), "Detail");
  EXPECT_EQ(List()->headerItem()->text(7), "");
  const QTreeWidgetItem* b = Item(1);
  EXPECT_EQ(b->text(0), " 2");
  EXPECT_EQ(b->text(1), "beta");
  EXPECT_EQ(b->text(2), "beta maker");
  EXPECT_EQ(b->text(3), "  ZH");
  EXPECT_EQ(b->text(4), "https://beta.example.com/Path");
  EXPECT_EQ(b->text(5), "beta note");
  EXPECT_EQ(b->text(6), "beta detail");
  EXPECT_EQ(b->checkState(0), Qt::Unchecked);
  EXPECT_EQ(List()->currentItem(), Item(0));
  EXPECT_EQ(page->TextWebSite()->toPlainText(), "alpha detail");
}

TEST_F(WebSitePanelTest, MissingFileShowsNothingAndCreatesNothing) {
  Open();
  EXPECT_FALSE(page->HasItems());
  page->EditEntry();
  EXPECT_EQ(Ed(), nullptr);
  page->RunWebSiteCommand(WebCommand::Open);
  page->RunWebSiteCommand(WebCommand::DeleteTicked);
  EXPECT_TRUE(opener.opened.empty());
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST_F(WebSitePanelTest, AListThatCannotBeReadIsToldOnceAndShowsNothing) {
  lang.LangStr[0][721] = "Unreadable.";
  for (const char* kind : {"folder", "pipe"}) {
    std::filesystem::remove_all(file);
    std::filesystem::create_directories(std::filesystem::path(file).parent_path());
    if (std::string(kind) == "folder") {
      std::filesystem::create_directories(file);
    } else {
      ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);  // opening it must not wait for a writer
    }
    prompter.asked.clear();
    Open();
    EXPECT_FALSE(page->HasItems()) << kind;
    ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{721}) << kind;
    EXPECT_EQ(prompter.asked[0].text.rfind("Unreadable.\n", 0), 0u) << prompter.asked[0].text;
    EXPECT_NE(prompter.asked[0].text.find(file), std::string::npos) << prompter.asked[0].text;
  }
}

TEST_F(WebSitePanelTest, AddedEntriesAreStoredAndShownAsStored) {
  Open();
  page->AddEntry();
  ASSERT_NE(Ed(), nullptr);
  EXPECT_TRUE(Ed()->isVisible());
  EXPECT_FALSE(Ed()->Command1(WebSiteEditor::kSaveAsNew)->isEnabled());
  EXPECT_FALSE(Ed()->Command1(WebSiteEditor::kRestore)->isEnabled());
  WebSiteEntry e = Site("delta");
  e.Lang = "ENGLISH";
  Ed()->SetFields(e);
  Press(WebSiteEditor::kSave);
  ASSERT_EQ(List()->topLevelItemCount(), 1);
  EXPECT_EQ(Item(0)->text(0), " 1");
  EXPECT_EQ(Item(0)->text(3), "  ENGLI");  // what the 5-byte field holds, as the box showed
  EXPECT_EQ(page->TextWebSite()->toPlainText(), "delta detail");
  // A window opened for a new entry keeps adding.
  Press(WebSiteEditor::kSave);
  EXPECT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(List()->currentItem(), Item(1));

  Open();
  ASSERT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(Item(1)->text(0), " 2");
  EXPECT_EQ(Item(1)->text(1), "delta");
  EXPECT_EQ(Item(1)->text(4), "https://delta.example.com/Path");
}

TEST_F(WebSitePanelTest, BoxesTakeNoMoreThanTheirFieldsHold) {
  Open();
  page->AddEntry();
  ASSERT_NE(Ed(), nullptr);
  auto type = [](QLineEdit* box, const QString& text) {
    for (const QChar c : text) {
      QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
      QApplication::sendEvent(box, &key);
    }
  };
  QLineEdit* language = Ed()->TextEditWebSite(2);  // 5 bytes
  type(language, QString::fromUtf8("\xE5\x9B\xBE\xE6\xA0\x87"));  // 6 bytes typed
  EXPECT_EQ(language->text(), QString::fromUtf8("\xE5\x9B\xBE"));
  language->setCursorPosition(0);
  type(language, "abc");  // what is typed gives way, not the text after the cursor
  EXPECT_EQ(language->text(), QString::fromUtf8("ab\xE5\x9B\xBE"));
  EXPECT_EQ(language->cursorPosition(), 2);
  language->setCursorPosition(0);
  type(language, "x");  // the box is full: the end is not pushed out
  EXPECT_EQ(language->text(), QString::fromUtf8("ab\xE5\x9B\xBE"));
  EXPECT_EQ(language->cursorPosition(), 0);

  // Text put in whole (a pasted or carried detail) is cut at a character boundary.
  std::string detail;
  for (int i = 0; i < 70; ++i) detail += "\xE5\x9B\xBE";  // 210 bytes
  Ed()->TextEditWebSite(5)->setText(QString::fromStdString(detail));
  EXPECT_EQ(Ed()->TextEditWebSite(5)->text().toStdString(), detail.substr(0, 198));

  // What the boxes show is what is stored.
  const WebSiteEntry shown = Ed()->Fields();
  Press(WebSiteEditor::kSave);
  ASSERT_EQ(WebSiteStore(file).Get(Language::English).size(), 1u);
  EXPECT_EQ(WebSiteStore(file).Get(Language::English)[0].Fields, shown);
}

TEST_F(WebSitePanelTest, SaveWritesTheEntryTheEditorWasFilledFrom) {
  Prepare({Site("alpha"), Site("beta"), Site("gamma")});
  Open();
  List()->setCurrentItem(Item(1));
  page->TextWebSite()->setPlainText("typed on the page");
  page->RunWebSiteCommand(WebCommand::Edit);
  ASSERT_NE(Ed(), nullptr);
  EXPECT_EQ(Ed()->TextEditWebSite(0)->text(), "beta");
  EXPECT_EQ(Ed()->TextEditWebSite(2)->text(), "EN");  // without the two display blanks
  EXPECT_EQ(Ed()->TextEditWebSite(5)->text(), "typed on the page");
  Ed()->TextEditWebSite(0)->setText("beta changed");
  // The user picks another entry in the list while the editor is open.
  List()->setCurrentItem(Item(2));
  Press(WebSiteEditor::kSave);
  EXPECT_EQ(Names(), (std::vector<std::string>{"alpha", "beta changed", "gamma"}));
  EXPECT_EQ(WebSiteStore(file).Get(Language::English)[1].Fields.Detail, "typed on the page");
  EXPECT_EQ(Item(1)->text(1), "beta changed");
  EXPECT_EQ(Item(2)->text(1), "gamma");

  // Restore gives back what is stored, the language without blanks.
  Ed()->TextEditWebSite(2)->setText("XX");
  Press(WebSiteEditor::kRestore);
  EXPECT_EQ(Ed()->TextEditWebSite(2)->text(), "EN");
  EXPECT_EQ(Ed()->TextEditWebSite(0)->text(), "beta changed");
}

TEST_F(WebSitePanelTest, PreviousAndNextWalkTheList) {
  Prepare({Site("alpha"), Site("beta"), Site("gamma")});
  Open();
  page->EditEntry();
  auto* prev = Ed()->Command1(WebSiteEditor::kPrevious);
  auto* next = Ed()->Command1(WebSiteEditor::kNext);
  EXPECT_FALSE(prev->isEnabled());
  EXPECT_TRUE(next->isEnabled());
  Press(WebSiteEditor::kNext);
  EXPECT_EQ(List()->currentItem(), Item(1));
  EXPECT_EQ(Ed()->TextEditWebSite(0)->text(), "beta");
  EXPECT_TRUE(prev->isEnabled());
  Press(WebSiteEditor::kNext);
  EXPECT_EQ(Ed()->TextEditWebSite(0)->text(), "gamma");
  EXPECT_FALSE(next->isEnabled());
  next->setEnabled(true);  // even when pressed at the end it stays on the last entry
  Press(WebSiteEditor::kNext);
  EXPECT_EQ(List()->currentItem(), Item(2));
  EXPECT_FALSE(next->isEnabled());
  Press(WebSiteEditor::kPrevious);
  EXPECT_EQ(Ed()->TextEditWebSite(0)->text(), "beta");
  // The detail box of the page does not follow the walk.
  EXPECT_EQ(page->TextWebSite()->toPlainText(), "alpha detail");
  // Saving now writes the entry walked to.
  Ed()->TextEditWebSite(1)->setText("new maker");
  Press(WebSiteEditor::kSave);
  EXPECT_EQ(WebSiteStore(file).Get(Language::English)[1].Fields.Auth, "new maker");
}

TEST_F(WebSitePanelTest, WithOneEntryBothStepButtonsAreOff) {
  Prepare({Site("alpha")});
  Open();
  page->EditEntry();
  EXPECT_FALSE(Ed()->Command1(WebSiteEditor::kPrevious)->isEnabled());
  EXPECT_FALSE(Ed()->Command1(WebSiteEditor::kNext)->isEnabled());
}

TEST_F(WebSitePanelTest, EscDropsTheEditorAndCloseKeepsIt) {
  Prepare({Site("alpha"), Site("beta")});
  Open();
  page->EditEntry();
  Ed()->TextEditWebSite(0)->setText("unsaved");
  Press(WebSiteEditor::kClose);
  ASSERT_NE(Ed(), nullptr);
  EXPECT_FALSE(Ed()->isVisible());
  EXPECT_EQ(Ed()->TextEditWebSite(0)->text(), "unsaved");
  Ed()->reject();
  EXPECT_EQ(Ed(), nullptr);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  page->EditEntry();
  ASSERT_NE(Ed(), nullptr);
  EXPECT_EQ(Ed()->Command1(WebSiteEditor::kSave)->text(), "Save");
  EXPECT_EQ(Ed()->TextEditWebSite(0)->text(), "alpha");
}

TEST_F(WebSitePanelTest, OpenHandsTheSelectedAddressToTheOpener) {
  Prepare({Site("alpha"), Site("beta")});
  Open();
  List()->setCurrentItem(Item(1));
  page->RunWebSiteCommand(WebCommand::Open);
  emit List()->itemDoubleClicked(Item(1), 1);
  EXPECT_EQ(opener.opened, (std::vector<std::string>{"https://beta.example.com/Path", "https://beta.example.com/Path"}));
  // An address typed without its scheme is opened as a web page.
  Item(0)->setText(4, "icons.example.com/Set");
  List()->setCurrentItem(Item(0));
  page->OpenSite();
  EXPECT_EQ(opener.opened.back(), "http://icons.example.com/Set");
}

TEST_F(WebSitePanelTest, DeleteRemovesTickedEntriesFromTheListOrTheFile) {
  Prepare({Site("a"), Site("b"), Site("c"), Site("d")});
  const std::string original = ReadBytes(file);
  Open();

  // Nothing ticked: no question, no write.
  page->RunWebSiteCommand(WebCommand::DeleteTicked);
  EXPECT_TRUE(prompter.asked.empty());

  Item(1)->setCheckState(0, Qt::Checked);
  Item(2)->setCheckState(0, Qt::Checked);
  prompter.answers = {PromptAnswer::No};
  page->DeleteCheckedEntries();
  EXPECT_EQ(List()->topLevelItemCount(), 4);

  prompter.answers = {PromptAnswer::Yes, PromptAnswer::No};
  page->DeleteCheckedEntries();
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{377, 377, 378}));
  EXPECT_EQ(prompter.DefaultsAsked(), std::vector<PromptAnswer>(3, PromptAnswer::No));  // Enter deletes nothing
  ASSERT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(Item(0)->text(0), " 1");
  EXPECT_EQ(Item(1)->text(0), " 4");
  EXPECT_EQ(ReadBytes(file), original);

  // Now list position 2 is record 4: only record 4 leaves the file.
  Item(1)->setCheckState(0, Qt::Checked);
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
  page->DeleteCheckedEntries();
  EXPECT_EQ(ReadBytes(file), std::string("\x03", 1) + original.substr(1, 99 + 3 * 600));
  ASSERT_EQ(List()->topLevelItemCount(), 3);
  EXPECT_EQ(Item(2)->text(1), "c");

  for (int i = 0; i < 3; ++i) Item(i)->setCheckState(0, Qt::Checked);
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
  page->DeleteCheckedEntries();
  EXPECT_FALSE(page->HasItems());
  EXPECT_TRUE(Names().empty());
}

struct RenameFails : PosixFileOps {
  bool Rename(const std::string&, const std::string&) override { return false; }
};

TEST_F(WebSitePanelTest, AFailedWriteIsReportedAndTheListKeepsTheFile) {
  Prepare({Site("alpha"), Site("beta")});
  const std::string original = ReadBytes(file);
  Open();
  RenameFails ops;
  page->Store().SetFileOps(ops);

  page->EditEntry();
  Ed()->TextEditWebSite(0)->setText("lost?");
  Press(WebSiteEditor::kSave);
  Press(WebSiteEditor::kSaveAsNew);
  Item(0)->setCheckState(0, Qt::Checked);
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
  page->DeleteCheckedEntries();

  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{649, 649, 377, 378, 649}));
  EXPECT_EQ(ReadBytes(file), original);
  ASSERT_EQ(List()->topLevelItemCount(), 2);
  EXPECT_EQ(Item(0)->text(1), "alpha");
}

TEST_F(WebSitePanelTest, ListHeightFollowsTheSavedSizeWithinLimits) {
  Open();
  page->resize(600, 400);  // 6000 twips high
  page->show();
  page->SetListHeightTwips(0);
  EXPECT_EQ(page->ListHeightTwips(), 4500);
  page->SetListHeightTwips(300);
  EXPECT_EQ(page->ListHeightTwips(), 600);
  page->SetListHeightTwips(-300);  // not "nothing stored": held to the lower limit
  EXPECT_EQ(page->ListHeightTwips(), 600);
  page->SetListHeightTwips(3000);
  EXPECT_EQ(page->ListHeightTwips(), 3000);
  page->SetListHeightTwips(30000);
  EXPECT_EQ(page->ListHeightTwips(), 4800);
  // A drag is held to the same limits.
  const int total = page->Splitter()->sizes()[0] + page->Splitter()->sizes()[1];
  page->Splitter()->setSizes({10, total - 10});
  emit page->Splitter()->splitterMoved(10, 1);
  EXPECT_EQ(page->ListHeightTwips(), 600);
}

TEST_F(WebSitePanelTest, APanelNeverShownKeepsTheSavedHeight) {
  // The page behind another tab is never laid out: what was saved must go back unchanged
  // rather than a height measured on a hidden widget.
  Open();
  page->resize(600, 30);
  page->SetListHeightTwips(3000);
  EXPECT_EQ(page->ListHeightTwips(), 3000);
  page->resize(600, 400);
  page->show();
  EXPECT_EQ(page->ListHeightTwips(), 3000);
}

}  // namespace
}  // namespace glimmora
