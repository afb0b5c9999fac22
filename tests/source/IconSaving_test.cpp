#include "source/IconSaving.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>

#include "text/LangRows.h"
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

class PaneSaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.path() / "src");
    fs::create_directories(dir.path() / "app" / "IconClipBoard");
    file = testing::LayIcons({testing::SolidIconImage(16), testing::SolidIconImage(32), testing::SolidIconImage(48)});
    testing::WriteBytes(dir.path() / "src" / "x.bin", file.Bytes);
  }
  std::vector<PaneIcon> Items(std::vector<bool> selected) {
    std::vector<PaneIcon> items;
    const std::int64_t sizes[] = {40 + 16 * 16 * 3 + 4 * 16, 40 + 32 * 32 * 3 + 4 * 32, 40 + 48 * 48 * 3 + 8 * 48};
    for (std::size_t i = 0; i < selected.size(); ++i) {
      items.push_back({"x.bin_" + std::to_string(i + 1) + ".ico", file.Positions[i % 3], sizes[i % 3], selected[i]});
    }
    return items;
  }
  PaneSaveRequest Request() {
    PaneSaveRequest r;
    r.SourceFile = (dir.path() / "src" / "x.bin").string();
    r.CurrentFolder = (dir.path() / "src").string();
    return r;
  }
  SaveRunEnv Env() { return SaveRunEnv{lang, prompter, clock, nullptr, (dir.path() / "app").string(), "Glimmora", {}}; }

  TempDir dir;
  testing::IconSourceFile file;
  LanguageTable lang = RowNumberTable();
  ScriptedPrompter prompter;
  testing::FixedClock clock;
};

TEST_F(PaneSaveTest, TargetQuestionOffersNewFolderCurrentFolderOrNothing) {
  SaveDirRec rec;
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::No, PromptAnswer::Cancel};
  SaveTarget yes = DecideSaveTarget(SaveFrom::IconPane, rec, false, false, "/s/a.dll", "/s/", prompter, lang);
  EXPECT_TRUE(yes.NewFolder);
  EXPECT_EQ(yes.Folder, "/s/a.dll_Ico");
  SaveTarget no = DecideSaveTarget(SaveFrom::IconPane, rec, false, true, "/s/a.dll", "/s/", prompter, lang);
  EXPECT_FALSE(no.NewFolder);
  EXPECT_EQ(no.Folder, "/s");
  EXPECT_TRUE(DecideSaveTarget(SaveFrom::CheckedFiles, rec, false, false, "", "/s", prompter, lang).Cancelled);
  ASSERT_EQ(prompter.asked.size(), 3u);
  EXPECT_EQ(prompter.asked[0].text, "<225>/s/a.dll<226>\n\n<621>");
  EXPECT_EQ(prompter.asked[1].text, "<227>/s/a.dll<228>\n\n<621>");
  EXPECT_EQ(prompter.asked[2].text, "<620>\n\n<621>");
  EXPECT_EQ(prompter.asked[0].buttons, PromptButtons::YesNoCancel);
  // The root as current folder stays the root.
  prompter.answers = {PromptAnswer::No};
  EXPECT_EQ(DecideSaveTarget(SaveFrom::IconPane, rec, false, false, "/a.dll", "/", prompter, lang).Folder, "/");
}

TEST_F(PaneSaveTest, StandingParametersDecideWithoutAsking) {
  SaveDirRec rec;
  rec.TagDir = 2;
  rec.OtherDir = "/home/u/icons/";
  SaveTarget other = DecideSaveTarget(SaveFrom::IconPane, rec, true, false, "/s/a.dll", "/s", prompter, lang);
  EXPECT_TRUE(other.UseOtherDir && other.NewFolder);
  EXPECT_EQ(other.Folder, "/home/u/icons");
  rec.TagDir = 1;
  EXPECT_EQ(DecideSaveTarget(SaveFrom::IconPane, rec, true, false, "/s/a.dll", "/s", prompter, lang).Folder, "/s");
  EXPECT_TRUE(prompter.asked.empty());
  // A folder that is no usable path asks even with the standing parameters; Yes then means each
  // file's own folder, never the user's.
  rec.TagDir = 2;
  rec.OtherDir = "D:\\icons";
  prompter.answers = {PromptAnswer::Yes};
  SaveTarget asked = DecideSaveTarget(SaveFrom::CheckedFiles, rec, true, false, "", "/s", prompter, lang);
  EXPECT_EQ(prompter.asked.size(), 1u);
  EXPECT_TRUE(asked.NewFolder);
  EXPECT_FALSE(asked.UseOtherDir);
}

TEST_F(PaneSaveTest, NewFolderGetsTheIconsAndAReadme) {
  std::vector<PaneIcon> items = Items({false, true, true});
  prompter.answers = {PromptAnswer::Yes};
  PaneSaveRequest r = Request();
  r.SizeSel = 2;
  SaveRunOutcome out = SaveIconsFromPane(items, r, Env());
  const fs::path folder = dir.path() / "src" / "x.bin_Ico";
  EXPECT_TRUE(out.FolderCreated);
  EXPECT_EQ(out.TreeFolder, folder.string());
  EXPECT_TRUE(fs::exists(folder / "x.bin_2_32x32.ico"));
  EXPECT_TRUE(fs::exists(folder / "x.bin_3_32x32.ico"));
  EXPECT_FALSE(fs::exists(folder / "x.bin_1_32x32.ico"));
  const std::string readme = "These ICO/BMP Files are from " + r.SourceFile + ".\r\n\r\n" + std::string(25, ' ') +
                             "Glimmora\r\n\r\n" + std::string(36, ' ') + "03-07-2024  09:05:01\r\n";
  EXPECT_EQ(testing::ReadText(folder / "readme.txt"), readme);
  EXPECT_EQ(out.Errors.Count, 0);

  // Own size: the image bytes behind a 22-byte head, replaced by a second save.
  r.SizeSel = 0;
  prompter.answers = {PromptAnswer::Yes, PromptAnswer::Yes};
  SaveIconsFromPane(items, r, Env());
  SaveIconsFromPane(items, r, Env());
  const auto saved = testing::ReadBytes(folder / "x.bin_2.ico");
  ASSERT_EQ(saved.size(), 22u + static_cast<std::size_t>(items[1].ImageSize));
  EXPECT_TRUE(std::equal(saved.begin() + 22, saved.end(), file.Bytes.begin() + (file.Positions[1] - 1)));
}

TEST_F(PaneSaveTest, CancelWritesNothingAndALoneIconIsSavedUnselected) {
  std::vector<PaneIcon> items = Items({true, true});
  prompter.answers = {PromptAnswer::Cancel};
  EXPECT_TRUE(SaveIconsFromPane(items, Request(), Env()).Cancelled);
  EXPECT_FALSE(fs::exists(dir.path() / "src" / "x.bin_Ico"));

  std::vector<PaneIcon> lone = Items({false});
  prompter.answers = {PromptAnswer::No};
  SaveRunOutcome out = SaveIconsFromPane(lone, Request(), Env());
  EXPECT_TRUE(fs::exists(dir.path() / "src" / "x.bin_1.ico"));
  EXPECT_FALSE(fs::exists(dir.path() / "src" / "readme.txt"));  // no readme in the current folder
  EXPECT_TRUE(lone[0].Selected);
  EXPECT_EQ(out.Written.size(), 1u);
}

TEST_F(PaneSaveTest, TheUsersOwnReadmeIsKept) {
  const fs::path own = dir.path() / "mine";
  fs::create_directories(own);
  testing::WriteBytes(own / "readme.txt", {'m', 'i', 'n', 'e'});
  std::vector<PaneIcon> items = Items({true});
  PaneSaveRequest r = Request();
  r.UseNow = true;
  r.Rec.TagDir = 2;
  r.Rec.OtherDir = own.string();
  SaveRunOutcome out = SaveIconsFromPane(items, r, Env());
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(fs::exists(own / "x.bin_1.ico"));
  EXPECT_EQ(testing::ReadText(own / "readme.txt"), "mine");
  EXPECT_FALSE(out.ReadmeWritten);
  // A user folder without a readme gets ours.
  const fs::path bare = dir.path() / "bare";
  fs::create_directories(bare);
  r.Rec.OtherDir = bare.string();
  EXPECT_TRUE(SaveIconsFromPane(items, r, Env()).ReadmeWritten);
}

TEST_F(PaneSaveTest, ErrorsAreReportedOnceWithTheirReasonAndCount) {
  // A plain file where the folder should be (this fails for root too, unlike a read-only folder).
  const fs::path blocked = dir.path() / "blocked";
  testing::WriteBytes(blocked, {'x'});
  // A folder that cannot be made is told as such, once, and no icon is tried.
  std::vector<PaneIcon> items = Items({true, true, true});
  PaneSaveRequest r = Request();
  r.UseNow = true;
  r.Rec.TagDir = 2;
  r.Rec.OtherDir = blocked.string();
  SaveRunOutcome out = SaveIconsFromPane(items, r, Env());
  EXPECT_EQ(out.Errors.Count, 0);
  EXPECT_EQ(out.Errors.FailedFolder, blocked.string());
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{kRowFolderNotMade});
  EXPECT_NE(prompter.asked[0].text.find(blocked.string() + "\n" + ("<" + std::to_string(kRowReasonNotFolder) + ">")), std::string::npos);

  // Icons that cannot be written: the system's reason, the paths, how many were written and how
  // many not.
  prompter.asked.clear();
  r.Rec.TagDir = 1;
  r.CurrentFolder = blocked.string();
  out = SaveIconsFromPane(items, r, Env());
  EXPECT_EQ(out.Errors.Count, 3);
  ASSERT_EQ(prompter.RowsAsked(), std::vector<int>{kRowSaveFailed});
  const std::string b = blocked.string() + "/x.bin_";
  EXPECT_EQ(prompter.asked[0].text, "<630>\n" + ("<" + std::to_string(kRowReasonNotFolder) + ">") + "\n" + b + "1.ico\n" + b +
                                        "2.ico\n" + b + "3.ico\n<735> 0\n<711> 3");
}

// A source that cannot be opened is told once, with the system's reason and every icon asked
// for counted, and no folder is made for it.
TEST_F(PaneSaveTest, MissingSourceIsReportedOnce) {
  std::vector<PaneIcon> items = Items({true, true, false, true, true, true, true});
  PaneSaveRequest r = Request();
  r.SourceFile = (dir.path() / "src" / "gone.bin").string();
  prompter.answers = {PromptAnswer::Yes};
  SaveRunOutcome out = SaveIconsFromPane(items, r, Env());
  EXPECT_TRUE(out.Written.empty());
  EXPECT_FALSE(fs::exists(r.SourceFile + "_Ico"));
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{kRowAskPaneIcoHead, kRowSaveFailed}));
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[1].text,
            "<630>\n" + ("<" + std::to_string(kRowReasonNotFound) + ">") + "\n" + r.SourceFile + "\n<735> 0\n<711> 6");
}

// A lone icon of a source that cannot be opened is counted as asked for, and its selection is
// left as it was.
TEST_F(PaneSaveTest, MissingSourceLeavesALoneIconUnselected) {
  std::vector<PaneIcon> lone = Items({false});
  PaneSaveRequest r = Request();
  r.SourceFile = (dir.path() / "src" / "gone.bin").string();
  prompter.answers = {PromptAnswer::Yes};
  SaveRunOutcome out = SaveIconsFromPane(lone, r, Env());
  EXPECT_TRUE(out.Written.empty());
  EXPECT_FALSE(lone[0].Selected);
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[1].text,
            "<630>\n" + ("<" + std::to_string(kRowReasonNotFound) + ">") + "\n" + r.SourceFile + "\n<735> 0\n<711> 1");
}

TEST_F(PaneSaveTest, IconClipboardTakesIconsUpToFifty) {
  std::vector<PaneIcon> items = Items({true, true, true, true, true});
  PaneSaveRequest r = Request();
  r.ToIconClipboard = true;
  r.Clip = {48, "F3_old.ico"};
  SaveRunOutcome out = SaveIconsFromPane(items, r, Env());
  EXPECT_TRUE(out.Full);
  const fs::path clip = dir.path() / "app" / "IconClipBoard";
  EXPECT_TRUE(fs::exists(clip / "F4_x.bin_1.ico"));
  EXPECT_TRUE(fs::exists(clip / "F5_x.bin_2.sur"));
  EXPECT_FALSE(fs::exists(clip / "F6_x.bin_3.ico"));
  EXPECT_EQ(out.Written.size(), 2u);
  EXPECT_TRUE(items[0].Selected && items[1].Selected);
  EXPECT_FALSE(items[2].Selected || items[3].Selected || items[4].Selected);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{241});
}

TEST_F(PaneSaveTest, ClipboardFolderStateAndWhereNamesContinue) {
  const fs::path clip = dir.path() / "app" / "IconClipBoard";
  for (const char* n : {"A1_a.ico", "A9_b.ico", "B2_c.ico", "B2_c.sur"}) testing::WriteBytes(clip / n, {1});
  const IconClipboardState s = ReadIconClipboardFolder(clip.string());
  EXPECT_EQ(s.ItemCount, 3);
  EXPECT_EQ(s.LastKey, "B2_c.ico");
  char letter = 0;
  int counter = -1;
  ClipboardNamingFrom(s, letter, counter);
  EXPECT_EQ(letter, 'B');
  EXPECT_EQ(counter, 2);
  ClipboardNamingFrom({}, letter, counter);
  EXPECT_EQ(letter, 'A');
  EXPECT_EQ(counter, 0);
}

class FakeFileList : public FileListLink {
 public:
  std::string folder;
  std::vector<ListedFile> rows;
  std::vector<std::pair<std::string, FoundIcons>> found;
  std::vector<std::string> treeFolders;
  int statusCalls = 0;
  std::string CurrentFolder() const override { return folder; }
  std::vector<ListedFile> ListedFiles() const override { return rows; }
  void SetFoundIcons(const std::string& name, const FoundIcons& f) override { found.emplace_back(name, f); }
  void SelectIcoSourceIco() override { ++statusCalls; }
  DeleteOutcome DeleteCheckedFiles(bool) override { return {}; }
  void AddPathToTree(const std::string& f) override { treeFolders.push_back(f); }
};

TEST_F(PaneSaveTest, CheckedFilesGoIntoFoldersNamedAfterThem) {
  testing::WriteBytes(dir.path() / "src" / "y.bin", testing::LayIcons({testing::SolidIconImage(16)}).Bytes);
  FakeFileList files;
  files.folder = (dir.path() / "src").string();
  files.rows = {{"x.bin", true}, {"y.bin", false}};
  FilesSaveRequest r;
  prompter.answers = {PromptAnswer::Yes};
  FilesSaveOutcome out = SaveIconsOfCheckedFiles(files, r, Env());
  EXPECT_EQ(out.FilesDone, 1);
  EXPECT_TRUE(fs::exists(dir.path() / "src" / "x.bin_Ico" / "x.bin_Ico3.ico"));
  EXPECT_TRUE(fs::exists(dir.path() / "src" / "x.bin_Ico" / "readme.txt"));
  EXPECT_FALSE(fs::exists(dir.path() / "src" / "y.bin_Ico"));
  ASSERT_EQ(files.found.size(), 1u);
  EXPECT_EQ(files.found[0].second.Icons, "   3");
  EXPECT_EQ(files.treeFolders, std::vector<std::string>{(dir.path() / "src" / "x.bin_Ico").string()});
  EXPECT_EQ(files.statusCalls, 1);

  // All files, answered No: straight into the listed folder, no readme, every row ticked.
  std::vector<std::string> ticked;
  r.AllIco = true;
  r.IcoBmp = SaveFormat::Bmp;
  r.SetChecked = [&](const std::string& name, bool on) { if (on) ticked.push_back(name); };
  prompter.answers = {PromptAnswer::No};
  out = SaveIconsOfCheckedFiles(files, r, Env());
  EXPECT_EQ(out.FilesDone, 2);
  EXPECT_TRUE(fs::exists(dir.path() / "src" / "y.bin_Bmp1.bmp"));
  EXPECT_TRUE(fs::exists(dir.path() / "src" / "x.bin_Bmp2.bmp"));
  EXPECT_EQ(ticked, std::vector<std::string>{"y.bin"});
}

TEST_F(PaneSaveTest, FullIconClipboardEndsTheFilesRunAndClearsTheRest) {
  FakeFileList files;
  files.folder = (dir.path() / "src").string();
  files.rows = {{"x.bin", true}, {"x.bin", true}};
  std::vector<std::string> cleared;
  FilesSaveRequest r;
  r.ToIconClipboard = true;
  r.Clip = {49, ""};
  r.SetChecked = [&](const std::string& name, bool on) { if (!on) cleared.push_back(name); };
  FilesSaveOutcome out = SaveIconsOfCheckedFiles(files, r, Env());
  EXPECT_TRUE(out.Full);
  EXPECT_EQ(out.FilesDone, 1);
  EXPECT_EQ(cleared.size(), 2u);
  EXPECT_EQ(out.Written.size(), 1u);
}

TEST_F(PaneSaveTest, AFullDiskIsToldOnceWithAFewNamesAndTheCounts) {
  // The disk fills after two files: the reason once, five names and an ellipsis, both counts.
  const auto full = [] {
    auto calls = std::make_shared<int>(0);
    return std::make_unique<PosixFileOps>([calls](int fd, const void* data, std::size_t size) -> ssize_t {
      if (++*calls > 2) return errno = ENOSPC, -1;
      return ::write(fd, data, size);
    });
  };
  const auto expected = [](const std::string& namesFrom) {
    std::string t = "<630>\n" + ("<" + std::to_string(kRowReasonNoSpace) + ">");
    for (int k = 3; k <= 7; ++k) t += "\n" + namesFrom + std::to_string(k) + ".ico";
    return t + "\n\u2026\n<735> 2\n<711> 6";
  };
  std::vector<PaneIcon> items = Items(std::vector<bool>(8, true));
  PaneSaveRequest r = Request();
  r.UseNow = true;
  r.Rec.TagDir = 1;
  auto ops = full();
  SaveRunEnv env = Env();
  env.fileOps = ops.get();
  EXPECT_EQ(SaveIconsFromPane(items, r, env).Written.size(), 2u);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, expected((dir.path() / "src" / "x.bin_").string()));
  // The source and the two icons: nothing half written is left.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path() / "src"), {}), 3);

  // Every icon of a checked file, into a folder of its own.
  testing::WriteBytes(dir.path() / "src" / "m.bin", testing::ManyIcons(8).Bytes);
  FakeFileList files;
  files.folder = (dir.path() / "src").string();
  files.rows = {{"m.bin", true}};
  FilesSaveRequest fr;
  fr.UseNow = true;
  ops = full();
  env.fileOps = ops.get();
  prompter.asked.clear();
  EXPECT_EQ(SaveIconsOfCheckedFiles(files, fr, env).Written.size(), 2u);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, expected((dir.path() / "src" / "m.bin_Ico" / "m.bin_Ico").string()));
}

}  // namespace
}  // namespace glimmora
