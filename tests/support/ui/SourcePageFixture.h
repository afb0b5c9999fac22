#pragma once
// A source page over a temporary folder tree, with a scripted prompter and a fake icon pane.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <fstream>
#include <functional>
#include <memory>

#include "source/ui/FileListModel.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/FolderTreeModel.h"
#include "source/ui/FolderTreePanel.h"
#include "source/ui/PathBoxPanel.h"
#include "source/ui/SourcePanel.h"
#include "support/ScriptedPrompter.h"

namespace glimmora::testing {

class FakeIconPane : public IconPaneLink {
 public:
  std::vector<std::string> searched;
  std::vector<std::string> previews;
  int clears = 0;
  int hides = 0;
  bool toolOpen = false;
  std::function<void()> duringSearch;  // what the user does while a search waits (the picture tool)
  FoundIcons SearchIcon(const std::string&, const std::string& fileName) override {
    searched.push_back(fileName);
    if (duringSearch) duringSearch();
    return {true, "   3", "16x16", false};
  }
  void ClearListViewPict() override { ++clears; }
  void SelectIco() override {}
  void ShowFilePreview(const std::string& filePath) override { previews.push_back(filePath); }
  void HidePreview() override { ++hides; }
  bool PictureToolOpen() const override { return toolOpen; }
};

// Counts the folder reads of the real disk; `denied` stands for a folder without permission
// (which the tests, run as root, could not make otherwise).
class CountingReader : public DiskFolderReader {
 public:
  int subFolderReads = 0;
  int fileReads = 0;
  std::string denied;
  std::function<void()> whileReading;  // runs beside the window as a folder's files are read
  SubFolderList SubFolders(const std::string& folder) override {
    ++subFolderReads;
    return DiskFolderReader::SubFolders(folder);
  }
  FileListing Files(const std::string& folder) override {
    ++fileReads;
    if (whileReading) whileReading();
    if (folder == denied) return {{}, FsError::AccessDenied};
    return DiskFolderReader::Files(folder);
  }
  FsError CheckFolder(const std::string& folder) override {
    return folder == denied ? FsError::AccessDenied : DiskFolderReader::CheckFolder(folder);
  }
};

class SourcePageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(tmp.isValid());
    root = tmp.path().toStdString();
    for (const char* d : {"docs/Letters", "desk", "files", "deep/one/two", ".hidden/inside", "app"})
      Mkdir(root + "/" + d);
    Write("files/a.dll", 100);
    Write("files/b.ico", 200);
    Write("files/c.gif", 300);
    Write("files/d.txt", 424);
    for (int row : {203, 207, 215, 216, 217, 224, 358, 359, 360, 361, 391, 394, 395, 396, 511, 650, 713})
      lang.LangStr[0][static_cast<std::size_t>(row)] = "<" + std::to_string(row) + ">";
    lang.LangStr[0][204] = "My Computer";
    lang.LangStr[0][205] = "My Documents";
    lang.LangStr[0][206] = "Desktop";
    SourcePanelEnv env;
    env.Lang = &lang;
    env.Ask = &prompter;
    env.AppPath = root + "/app";
    env.Reader = &reader;
    const std::string r = root;
    env.Roots = [r] {
      Volume v;
      v.Mount.RootPath = r;
      v.Mount.Label = "test";
      v.Type = DriveType::Fixed;
      return SourceRoots{{v}, r + "/desk", r + "/docs"};
    };
    page = std::make_unique<SourcePanel>(env);
    page->SetIconPane(nullptr, &pane);
    page->resize(1000, 700);
    page->show();
  }

  static void Mkdir(const std::string& path) { QDir().mkpath(QString::fromStdString(path)); }
  void Write(const std::string& rel, std::size_t bytes) {
    std::ofstream(root + "/" + rel, std::ios::binary) << std::string(bytes, 'x');
  }

  QTreeView* Table() const { return static_cast<QTreeView*>(page->Files().ListViewFile()); }
  FileListModel* Model() const { return page->Files().FileModel(); }
  int RowOf(const std::string& name) const { return Model()->FindName(name); }
  QPoint RowPoint(int row) const { return Table()->visualRect(Model()->index(row, FileListModel::kType)).center(); }
  void ClickRow(int row) { QTest::mouseClick(Table()->viewport(), Qt::LeftButton, {}, RowPoint(row)); }
  void UserCheck(int row, bool on = true) {
    Model()->setData(Model()->index(row, 0), on ? Qt::Checked : Qt::Unchecked, Qt::CheckStateRole);
  }
  void TypePath(const std::string& text) {
    QComboBox* box = page->Path().ImageComboPath();
    box->setEditText(QString::fromStdString(text));
    // In a real window the box holds the focus and receives the key, not its line edit.
    QTest::keyClick(box, Qt::Key_Return);
  }
  std::string Panel(int n) const { return page->Files().StatusPanel(n)->text().toStdString(); }
  int TreeNode(const std::string& key) const {
    for (int i = 0; i < page->Folders().Tree().Count(); ++i)
      if (page->Folders().Tree().Node(i).Key == key) return i;
    return -1;
  }

  QTemporaryDir tmp;
  std::string root;
  LanguageTable lang;
  ScriptedPrompter prompter;
  CountingReader reader;
  FakeIconPane pane;
  std::unique_ptr<SourcePanel> page;
};

}  // namespace glimmora::testing
