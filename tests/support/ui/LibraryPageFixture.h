#pragma once
// A library page on its own, over a temporary program folder, with scripted questions, folders
// and editor.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QStandardItemModel>
#include <QTreeWidget>

#include <memory>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "library/LibFiles.h"
#include "library/LibFormat.h"
#include "library/LibraryReader.h"
#include "library/LibraryWriter.h"
#include "library/ui/ClipboardPane.h"
#include "library/ui/LibIconList.h"
#include "library/ui/IconClipboardActions.h"
#include "library/ui/KeywordRowActions.h"
#include "library/ui/LibraryController.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTreeActions.h"
#include "library/ui/LibraryTree.h"
#include "settings/AppState.h"
#include "library/ui/LibraryPage.h"
#include "support/IconFixtures.h"
#include "support/LibTestFiles.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace glimmora::libuitest {

namespace fs = std::filesystem;
using libtest::Bytes;

class ScriptedFolders : public FolderBrowser {
 public:
  std::vector<std::string> answers;
  std::string BrowseForFolder(const std::string&) override {
    if (answers.empty()) return {};
    std::string a = answers.front();
    answers.erase(answers.begin());
    return a;
  }
};

class LibraryPageTest : public ::testing::Test {
 protected:
  testing::TempDir app;
  testing::ScriptedPrompter prompter;
  ScriptedFolders folders;
  AppState state;
  std::unique_ptr<LibraryPage> page;
  std::vector<std::pair<std::string, std::string>> started;  // editor runs
  std::string editor;

  void SetUp() override {
    for (const char* d : {"IconLib", "IconClipBoard", "LibIconTemp"}) fs::create_directories(Path(d));
    state.AppPath = app.str();
    state.AppTitle = "Glimmora";
    state.LangStr = testing::RowNumberTable();
  }

  std::string Path(const std::string& rel) const { return (fs::path(app.str()) / rel).string(); }

  // A category folder with one empty library in it; returns the library's index file.
  std::string MakeLibrary(const std::string& category, const std::string& name, const std::string& key) {
    const std::string folder = Path("IconLib/" + CategoryFolderName(key + "c", category));
    fs::create_directories(folder);
    const std::string src = JoinPath(folder, LibraryFileBase(key, name) + ".src");
    EXPECT_TRUE(CreateLibraryFiles(src, NewSrcHead("t", name, key)).Ok);
    return src;
  }
  static void FillLibrary(const std::string& src, int count, int seed = 1) {
    std::vector<LibIconBody> bodies;
    for (int i = 0; i < count; ++i) bodies.push_back(*IconBodyForLibrary(libtest::TestIco(16, 16, 4, seed + i)));
    ASSERT_TRUE(AppendIcons(src, bodies).Ok);
  }
  void PutClipIcon(const std::string& name, int seed, int w = 16) {
    libtest::WriteAll(fs::path(Path("IconClipBoard")) / name, libtest::TestIco(w, w, 4, seed));
  }

  void Open() {
    page = std::make_unique<LibraryPage>(state);
    LibraryServices s;
    s.Ask = &prompter;
    s.Browser = &folders;
    s.EditorPath = [this] { return editor; };
    s.StartEditor = [this](const std::string& p, const std::string& f) {
      started.emplace_back(p, f);
      return true;
    };
    Lib()->SetServices(std::move(s));
  }

  LibraryController* Lib() const { return page->Controller(); }
  ClipboardPane* Clip() const { return Lib()->Clip(); }
  LibIconList* Icons() const { return Lib()->Icons(); }
  QString ClipText(int row, int col) const { return Clip()->List()->Model()->item(row, col)->text(); }
  QString IconText(int row, int col) const { return Icons()->List()->Model()->item(row, col)->text(); }

  void SelectNode(const std::string& src) {
    Lib()->Tree()->Select(Lib()->Tree()->FindLibrary(src));
    Lib()->TreeActions().NodeClick();
  }
  // Types into an editable box as a user does, in the shown page with the focus in the box (the
  // box's completion works only there), then presses Enter.
  void TypeAndEnter(QComboBox* box, const char* text) {
    page->show();
    QApplication::setActiveWindow(page.get());
    box->setFocus();
    box->clearEditText();
    QTest::keyClicks(box->lineEdit(), text);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
  }
  void SelectClipRows(const std::vector<int>& rows) {
    Clip()->ClearSelection();
    for (int r : rows)
      Clip()->List()->Selection()->select(Clip()->List()->Model()->index(r, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }
};

}  // namespace glimmora::libuitest
