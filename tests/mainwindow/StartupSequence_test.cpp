#include "mainwindow/StartupSequence.h"

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

#include "support/IconFixtures.h"
#include "support/ProgramFolderFixture.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

using mwtest::MakeInstallation;
using mwtest::ReadFile;
using mwtest::ScriptedBrowser;
using testing::RowNumberTable;
using testing::ScriptedPrompter;
using mwtest::TempFolder;
using mwtest::WriteFile;
using mwtest::WriteLanguageFiles;
namespace fs = std::filesystem;

class ProgramFolderTest : public ::testing::Test {
 protected:
  TempFolder root;
  ScriptedBrowser browser;
  ScriptedPrompter prompter;

  ProgramFolderSearch Search(const fs::path& exeFolder, const fs::path& fallback = {}) {
    return {exeFolder.string(), "glimmora", fallback.string()};
  }
};

TEST_F(ProgramFolderTest, CompleteFolderStartsWithoutAQuestion) {
  MakeInstallation(root.path() / "app");
  const auto found = FindProgramFolder(Search(root.path() / "app" / ""), browser, prompter);
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, (root.path() / "app").string());  // no trailing slash
  EXPECT_TRUE(browser.titles.empty());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ProgramFolderTest, WebSiteLibMustHoldAPlainVisibleFile) {
  const fs::path app = root.path() / "app";
  WriteFile(app / "glimmora", "#!");
  EXPECT_FALSE(IsProgramFolder(app.string(), "glimmora"));  // no WebSiteLib at all
  fs::create_directories(app / "WebSiteLib" / "sub");
  EXPECT_FALSE(IsProgramFolder(app.string(), "glimmora"));  // only a sub-folder
  WriteFile(app / "WebSiteLib" / ".hidden", "x");
  EXPECT_FALSE(IsProgramFolder(app.string(), "glimmora"));  // only a hidden file
  WriteFile(app / "WebSiteLib" / "HomePage.Lib", "x");
  EXPECT_TRUE(IsProgramFolder(app.string(), "glimmora"));
  // The executable is looked for under its own name.
  EXPECT_FALSE(IsProgramFolder(app.string(), "glimmora-test"));

  // A web-site list that cannot be read is still the installation's: its page tells what is wrong.
  fs::remove(app / "WebSiteLib" / "HomePage.Lib");
  ASSERT_EQ(::mkfifo((app / "WebSiteLib" / "HomePage.Lib").c_str(), 0600), 0);
  EXPECT_TRUE(IsProgramFolder(app.string(), "glimmora"));
  fs::remove(app / "WebSiteLib" / "HomePage.Lib");
  fs::create_directories(app / "WebSiteLib" / "HomePage.Lib");
  EXPECT_TRUE(IsProgramFolder(app.string(), "glimmora"));
  fs::remove_all(app / "WebSiteLib");
  WriteFile(app / "WebSiteLib", "a file where the folder belongs");
  EXPECT_TRUE(IsProgramFolder(app.string(), "glimmora"));
}

TEST_F(ProgramFolderTest, IncompleteFolderFallsBackToTheHomeInstallationWithoutAQuestion) {
  const fs::path app = root.path() / "app";
  WriteFile(app / "glimmora", "#!");
  fs::create_directories(app / "WebSiteLib");  // empty: fails like a missing folder
  MakeInstallation(root.path() / "home-glimmora");
  const auto found =
      FindProgramFolder(Search(app, root.path() / "home-glimmora"), browser, prompter);
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, (root.path() / "home-glimmora").string());
  EXPECT_TRUE(browser.titles.empty());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(ProgramFolderTest, WrongAnswerAsksAgainAndTheRightOneIsFollowedByTheMessageOnce) {
  fs::create_directories(root.path() / "wrong");
  MakeInstallation(root.path() / "right");
  browser.answers = {(root.path() / "wrong").string(), (root.path() / "right").string() + "/"};
  // The fallback folder is missing: the browser is asked straight away.
  const auto found =
      FindProgramFolder(Search(root.path() / "bin", root.path() / "nowhere"), browser, prompter);
  ASSERT_TRUE(found);
  EXPECT_EQ(*found, (root.path() / "right").string());
  ASSERT_EQ(browser.titles.size(), 2u);
  EXPECT_EQ(browser.titles[0], " Can't found the folder of Glimmora, Please point out!");
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, kShortcutFolderMessage);
  EXPECT_EQ(prompter.asked[0].buttons, PromptButtons::Ok);
  EXPECT_TRUE(prompter.asked[0].title.empty());
}

TEST_F(ProgramFolderTest, CancelEndsTheProgramWithoutAMessage) {
  fs::create_directories(root.path() / "wrong");
  browser.answers = {(root.path() / "wrong").string(), ""};
  const auto found = FindProgramFolder(Search(root.path() / "bin"), browser, prompter);
  EXPECT_FALSE(found);
  EXPECT_EQ(browser.titles.size(), 2u);
  EXPECT_TRUE(prompter.asked.empty());
}

TEST(StartupFoldersTest, WorkFoldersAreMadeAndAnExistingEmptyOneIsFine) {
  TempFolder app;
  fs::create_directories(app.path() / "LibIconTemp");  // exists and holds nothing
  // New files of a settings save and of a web-site list save that were killed before renaming.
  WriteFile(app.path() / "Glimmora.cfg.new4711", "half");
  WriteFile(app.path() / "WebSiteLib" / "HomePage.Lib.new815", "half");
  ScriptedPrompter prompter;
  PrepareProgramFolder(app.str(), RowNumberTable(), prompter);
  EXPECT_TRUE(fs::is_directory(app.path() / "IconClipBoard"));
  EXPECT_TRUE(fs::is_directory(app.path() / "LibIconTemp"));
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_FALSE(fs::exists(app.path() / "Glimmora.cfg.new4711"));
  EXPECT_FALSE(fs::exists(app.path() / "WebSiteLib" / "HomePage.Lib.new815"));
}

TEST(StartupFoldersTest, AWorkFolderThatCannotBeMadeIsReportedAndStartUpGoesOn) {
  TempFolder app;
  WriteFile(app.path() / "IconClipBoard", "a file in the way");
  ScriptedPrompter prompter;
  PrepareProgramFolder(app.str(), RowNumberTable(), prompter);
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{644});
  // The row, then the folder and why, on a line of its own.
  EXPECT_EQ(prompter.asked[0].text.rfind("<644>\n<798> " + (app.path() / "IconClipBoard").string() + " <", 0), 0u)
      << prompter.asked[0].text;
  EXPECT_TRUE(fs::is_directory(app.path() / "LibIconTemp"));  // the other one is still made
}

TEST(StartupDataTest, NoSettingsGiveDefaultsWithoutAMessage) {
  TempFolder app;
  WriteLanguageFiles(app.path(), {{136, {"-", "-", "-"}}});
  AppState state;
  state.AppPath = app.str();
  ScriptedPrompter prompter;
  LoadStartupData(state, prompter);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_EQ(state.CurLang(), Language::English);
  EXPECT_EQ(state.Row(438), "");
  EXPECT_EQ(state.Panes, PaneSizes{});
  EXPECT_EQ(state.Params(), SaveParams{});
  EXPECT_EQ(state.PathText, app.str());  // the path box shows the program folder
  EXPECT_TRUE(state.PathHistory.empty());
  EXPECT_FALSE(fs::exists(app.path() / "Glimmora.cfg"));  // reading creates nothing
}

TEST(StartupDataTest, ALanguageFileThatCannotBeReadIsNamedAndOnlyTheCaptionsFileEndsStartUp) {
  struct Case {
    const char* file;
    const char* kind;  // "missing", "folder" or "pipe"
    const char* why;
    bool goesOn;
  };
  const Case cases[] = {
      {"chglangs.dat", "missing", "No such file or directory", false},
      {"chglangs.dat", "folder", "Is a directory", false},
      {"chglangs.dat", "pipe", "not a regular file", false},  // never waited on
      {"chglangs.dat", "empty", "it holds no captions", false},
      {"chglangs.dat", "garbled", "it holds no captions", false},
      {"chglangl.dat", "missing", "No such file or directory", true},
      {"chglangl.dat", "pipe", "not a regular file", true},
  };
  for (const Case& c : cases) {
    TempFolder app;
    WriteLanguageFiles(app.path(), {{438, {"Glimmora", "G", "G"}}});
    const fs::path file = app.path() / c.file;
    fs::remove(file);
    if (std::string(c.kind) == "folder") fs::create_directories(file);
    if (std::string(c.kind) == "pipe") {
      ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    }
    if (std::string(c.kind) == "empty") WriteFile(file, "");
    if (std::string(c.kind) == "garbled") {
      std::mt19937 random(7);
      std::string bytes(1024 + 256 * 600, '\0');
      for (char& b : bytes) b = static_cast<char>(random());
      WriteFile(file, bytes);
    }
    AppState state;
    state.AppPath = app.str();
    ScriptedPrompter prompter;
    EXPECT_EQ(LoadStartupData(state, prompter), c.goesOn) << c.file << " " << c.kind;
    ASSERT_EQ(prompter.asked.size(), 1u) << c.file << " " << c.kind;
    // In English, since no table could be read: which file and why.
    EXPECT_NE(prompter.asked[0].text.find(file.string() + ": " + c.why), std::string::npos) << prompter.asked[0].text;
    EXPECT_EQ(prompter.asked[0].icon, c.goesOn ? PromptIcon::Warning : PromptIcon::Critical);
    EXPECT_EQ(state.Row(438), c.goesOn ? "Glimmora" : "");
  }
}

TEST(StartupDataTest, AnUnreadableConfigurationIsReportedAndDefaultsAreUsed) {
  TempFolder app;
  WriteLanguageFiles(app.path(), {{136, {"-", "-", "-"}}});
  fs::create_directories(app.path() / "Glimmora.cfg");  // cannot be read as a file
  AppState state;
  state.AppPath = app.str();
  ScriptedPrompter prompter;
  LoadStartupData(state, prompter);
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{645});
  EXPECT_NE(prompter.asked[0].text.find("\n"), std::string::npos);
  EXPECT_NE(prompter.asked[0].text.find("Glimmora.cfg"), std::string::npos);
  EXPECT_EQ(state.Panes, PaneSizes{});
}

TEST(StartupDataTest, StoredLanguageAndConfigurationAreLoaded) {
  TempFolder app;
  WriteLanguageFiles(app.path(),
                     {{438, {"Glimmora", "Glimmora GB", "Glimmora BIG5"}},
                      {154, {"other", "o1", "o2"}},
                      {155, {"mono", "m1", "m2"}},
                      {159, {"true colour", "t1", "t2"}},
                      {160, {" icon", "i1", "i2"}}},
                     2);
  // Pane sizes 3000 and 450 twips, SaveIcoDir's language byte 2.
  std::string cfg(1000, '\0');
  cfg[0] = '\xB8';
  cfg[1] = '\x0B';
  cfg[4] = '\xC2';
  cfg[5] = '\x01';
  cfg[398] = 2;
  WriteFile(app.path() / "Glimmora.cfg", cfg);
  AppState state;
  state.AppPath = app.str();
  ScriptedPrompter prompter;
  LoadStartupData(state, prompter);
  EXPECT_EQ(state.CurLang(), Language::ChineseBig5);
  EXPECT_EQ(state.Row(438), "Glimmora BIG5");
  EXPECT_EQ(state.Panes.TreeViewSWidth, 3000);
  EXPECT_EQ(state.Panes.TreeViewLWidth, 450);
  EXPECT_EQ(state.SaveIcoDir.Lang, 2);
  EXPECT_EQ(state.IcoTypeName[5][4], "o2-t2i2");
  EXPECT_EQ(state.IcoTypeName[0][0], "16x16-m2i2");
  EXPECT_EQ(state.IcoTypeName[6][0], "");
  EXPECT_EQ(state.IcoTypeName[0][5], "");
}

TEST(ShutDownTest, WritesPaneSizesRecordsAndPathHistory) {
  TempFolder app;
  WriteLanguageFiles(app.path(), {{136, {"-", "-", "-"}}});
  AppState state;
  state.AppPath = app.str();
  state.SaveFileDir.SaveAs = 1;
  state.SaveFileDir.OtherDir = "/home/u/icons";
  state.PathText = "/usr/share/icons";
  state.PathHistory = {{"/usr/share/icons", 2}, {"/tmp", 3}};
  PaneSizes now;
  now.TreeViewSWidth = 3000;
  now.ListViewWebSiteHeight = 6000;
  ScriptedPrompter prompter;
  ASSERT_TRUE(SaveFaceConfig(state, now, prompter));
  EXPECT_TRUE(prompter.asked.empty());

  const std::string bytes = ReadFile(app.path() / "Glimmora.cfg");
  ASSERT_GE(bytes.size(), 1400u + 2 * 200u);
  EXPECT_EQ(bytes.substr(0, 2), std::string("\xB8\x0B", 2));
  EXPECT_EQ(bytes.substr(8, 2), std::string("\x70\x17", 2));  // 6000
  EXPECT_EQ(bytes[199 + 2], 1);                               // SaveFileDir.SaveAs
  EXPECT_EQ(bytes.substr(199 + 5, 15), "/home/u/icons//");
  EXPECT_EQ(bytes.substr(999, 2), std::string("\x02\x00", 2));  // two entries
  EXPECT_EQ(bytes.substr(1200, 18), "/usr/share/icons\\\\");
  EXPECT_EQ(bytes.substr(1600, 6), "/tmp\\\\");
  EXPECT_EQ(bytes.substr(1600 + 198, 2), std::string("\x03\x00", 2));

  // The next start reads the same back.
  AppState next;
  next.AppPath = app.str();
  LoadStartupData(next, prompter);
  EXPECT_EQ(next.Panes, now);
  EXPECT_EQ(next.SaveFileDir, state.SaveFileDir);
  EXPECT_EQ(next.PathText, "/usr/share/icons");

  // A folder too long for its record cannot come back: the user is told which, once.
  const std::string deep = "/home/u/" + std::string(191, 'd');  // 199 bytes
  state.PathText = deep;
  state.PathHistory.push_back({deep, 1});
  state.LangStr = RowNumberTable();
  ASSERT_TRUE(SaveFaceConfig(state, now, prompter));
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{782});
  EXPECT_EQ(prompter.asked[0].text, "<782>\n" + deep);

  // A folder read from a file written in BIG5 goes back in the 141 bytes it has there, though its
  // text takes 211 in UTF-8: it is kept and not named; the new long folder beside it is.
  std::string big5Path = "/";
  for (int i = 0; i < 70; ++i) big5Path += "\xB9\xCF";
  std::string file(1400, '\0');
  file.replace(999, 2, std::string("\x01\x00", 2));
  file += big5Path + "\\\\" + std::string(198 - big5Path.size() - 2, ' ') + "\x04" + '\0';
  WriteFile(app.path() / "Glimmora.cfg", file);
  WriteLanguageFiles(app.path(), {{136, {"-", "-", "-"}}}, 2);
  AppState big5;
  big5.AppPath = app.str();
  LoadStartupData(big5, prompter);
  ASSERT_EQ(big5.CurLang(), Language::ChineseBig5);
  ASSERT_EQ(big5.PathHistory.size(), 1u);
  const std::string kept = big5.PathHistory[0].Path;
  ASSERT_GT(kept.size(), 198u);
  big5.PathHistory.push_back({deep, 1});
  big5.LangStr = RowNumberTable(Language::ChineseBig5);
  prompter.asked.clear();
  ASSERT_TRUE(SaveFaceConfig(big5, now, prompter));
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{782});
  EXPECT_EQ(prompter.asked[0].text, "<782>\n" + deep);
  EXPECT_EQ(ReadFile(app.path() / "Glimmora.cfg").substr(1400, 200), file.substr(1400, 200));
  AppState after;
  after.AppPath = app.str();
  LoadStartupData(after, prompter);
  EXPECT_EQ(after.PathHistory, (std::vector<PathEntry>{{kept, 4}}));
}

TEST(ShutDownTest, AFailedWriteIsReportedAndLeavesTheOldFileWhole) {
  TempFolder app;
  const std::string old(1500, 'x');
  WriteFile(app.path() / "Glimmora.cfg", old);
  AppState state;
  state.AppPath = app.str();
  ScriptedPrompter prompter;
  const WriteCall failing = [](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  state.LangStr = RowNumberTable();
  EXPECT_FALSE(SaveFaceConfig(state, PaneSizes{}, prompter, failing));
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{646});
  EXPECT_EQ(prompter.asked[0].text.rfind("<646>\n", 0), 0u);
  EXPECT_NE(prompter.asked[0].text.find("Glimmora.cfg"), std::string::npos);
  EXPECT_EQ(ReadFile(app.path() / "Glimmora.cfg"), old);
}

TEST(LanguageChoiceTest, StoresTheByteForTheNextStartOnly) {
  TempFolder app;
  WriteLanguageFiles(app.path(), {{145, {"English", "英文", "英文B"}}, {610, {"L", "L1", "L2"}}}, 0);
  const std::string shortBefore = ReadFile(app.path() / "chglangs.dat");
  const std::string longBefore = ReadFile(app.path() / "chglangl.dat");
  AppState state;
  state.AppPath = app.str();
  ScriptedPrompter prompter;
  LoadStartupData(state, prompter);

  ASSERT_TRUE(ChooseLanguage(state, Language::ChineseBig5, prompter));
  EXPECT_TRUE(prompter.asked.empty());
  // Nothing shown changes during this run.
  EXPECT_EQ(state.CurLang(), Language::English);
  EXPECT_EQ(state.Row(145), "English");
  // All three records carry the choice.
  EXPECT_EQ(state.SaveLibDir.Lang, 2);
  EXPECT_EQ(state.SaveFileDir.Lang, 2);
  EXPECT_EQ(state.SaveIcoDir.Lang, 2);
  // Byte 0 of both files is 2; every other byte stays.
  std::string shortAfter = ReadFile(app.path() / "chglangs.dat");
  std::string longAfter = ReadFile(app.path() / "chglangl.dat");
  EXPECT_EQ(shortAfter[0], 2);
  EXPECT_EQ(longAfter[0], 2);
  shortAfter[0] = shortBefore[0];
  longAfter[0] = longBefore[0];
  EXPECT_EQ(shortAfter, shortBefore);
  EXPECT_EQ(longAfter, longBefore);

  // The next start shows language 2.
  AppState next;
  next.AppPath = app.str();
  LoadStartupData(next, prompter);
  EXPECT_EQ(next.CurLang(), Language::ChineseBig5);
  EXPECT_EQ(next.Row(145), "英文B");
}

TEST(LanguageChoiceTest, AChoiceThatCannotBeStoredIsReported) {
  TempFolder app;  // no language files to write into
  AppState state;
  state.AppPath = app.str();
  ScriptedPrompter prompter;
  state.LangStr = RowNumberTable();
  EXPECT_FALSE(ChooseLanguage(state, Language::ChineseGB, prompter));
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{647});
  EXPECT_EQ(prompter.asked[0].text, "<647>\n" + app.str());
  EXPECT_EQ(state.SaveLibDir.Lang, 1);  // still kept for Glimmora.cfg
  EXPECT_FALSE(fs::exists(app.path() / "chglangs.dat"));
}

}  // namespace
}  // namespace glimmora
