// Copying library icons out of the work folder into the icon clipboard or a folder.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "text/LangRows.h"
#include "library/CopyLibIco.h"
#include "library/KeywordHistory.h"
#include "support/IconFixtures.h"
#include "support/LibTestFiles.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

using namespace libtest;

struct FixedClock : Clock {
  LocalDateTime Now() const override { return {2024, 3, 4, 5, 6, 7}; }
};

class CopyLibIcoTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  LanguageTable lang = testing::RowNumberTable();
  testing::ScriptedPrompter prompter;
  FixedClock clock;
  std::vector<LibPaneItem> items;
  fs::path work() const { return dir.path() / "LibIconTemp"; }
  fs::path clip() const { return dir.path() / "IconClipBoard"; }

  void SetUp() override {
    fs::create_directories(work());
    fs::create_directories(clip());
    for (int i = 0; i < 7; ++i) {
      LibPaneItem item;
      item.Key = "AA" + std::string(1, char('A' + i)) + ".ico";
      item.CategoryName = "Animals";
      item.LibraryName = "Cats";
      WriteAll(work() / item.Key, TestIco(16, 16, 4, i));
      items.push_back(item);
    }
  }

  CopyLibRequest Request(bool toClipboard) {
    CopyLibRequest r;
    r.ToClipboard = toClipboard;
    r.WorkDir = work().string();
    r.ClipDir = clip().string();
    r.TargetDir = (dir.path() / "out").string();
    r.ReadmeLine = LibReadmeLine("Glimmora", "Animals", "Cats (7)");
    return r;
  }
};

TEST_F(CopyLibIcoTest, FolderExportNamesAndReadme) {
  const bool sel[] = {false, true, false, false, true, false, true};
  const CopyLibResult r = CopyLibIco(Request(false), items, sel, clock, prompter, lang);
  EXPECT_EQ(r.Copied, (std::vector<int>{1, 4, 6}));
  for (const char* n : {"Animals_Cats_2.ico", "Animals_Cats_5.ico", "Animals_Cats_7.ico"})
    EXPECT_TRUE(fs::exists(dir.path() / "out" / n)) << n;
  // The icon as it was taken out, behind a standard directory entry (16 colours, 1 plane, 4 bits).
  std::string want = ReadAll(work() / "AAB.ico");
  want.replace(8, 6, std::string("\x10\0\1\0\4\0", 6));
  EXPECT_EQ(ReadAll(dir.path() / "out" / "Animals_Cats_2.ico"), want);
  EXPECT_EQ(ReadAll(dir.path() / "out" / "readme.txt"),
            "These ICO/BMP Files are from Glimmora Library --Animals_Cats .\r\n");
}

TEST_F(CopyLibIcoTest, AFullDiskIsToldOnceWithTheReasonAFewNamesAndTheCounts) {
  int writes = 0;
  PosixFileOps full([&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++writes > 1) return errno = ENOSPC, -1;
    return ::write(fd, data, size);
  });
  CopyLibRequest req = Request(false);
  req.AllIco = true;
  req.fileOps = &full;
  const CopyLibResult r = CopyLibIco(req, items, {}, clock, prompter, lang);
  EXPECT_EQ(r.Copied, std::vector<int>{0});
  std::string want = "<654>\n" + ("<" + std::to_string(kRowReasonNoSpace) + ">");
  for (int k = 2; k <= 6; ++k) want += "\nAnimals_Cats_" + std::to_string(k) + ".ico";
  EXPECT_EQ(FailedSaveText(r.Failed, r.Copied.size(), kRowIconsNotWritten, lang), want + "\n\u2026\n<735> 1\n<711> 6");
}

TEST_F(CopyLibIcoTest, AReadmeTheUserKeepsInTheFolderIsNotReplaced) {
  fs::create_directories(dir.path() / "out");
  WriteAll(dir.path() / "out" / "readme.txt", std::string("my own notes"));
  const bool sel[] = {true, false, false, false, false, false, false};
  const CopyLibResult r = CopyLibIco(Request(false), items, sel, clock, prompter, lang);
  EXPECT_EQ(r.Copied, (std::vector<int>{0}));
  EXPECT_EQ(ReadAll(dir.path() / "out" / "readme.txt"), "my own notes");
}

TEST_F(CopyLibIcoTest, ClipboardPrefixesNotesAndTheLimit) {
  const bool sel[] = {false, true, false, false, true, false, true};
  CopyLibRequest req = Request(true);
  const CopyLibResult r = CopyLibIco(req, items, sel, clock, prompter, lang);
  EXPECT_EQ(r.NewClipFiles,
            (std::vector<std::string>{"A1-Animals_Cats_2.ico", "A2-Animals_Cats_5.ico", "A3-Animals_Cats_7.ico"}));
  EXPECT_EQ(ReadAll(clip() / "A1-Animals_Cats_2.sur"), "Animals-Cats   03-04-2024 05:06:07\r\n");

  ClipPrefix p = ClipPrefix::After("A9-X.ICO");
  p.Advance();
  EXPECT_EQ(p.Text(), "B1");
  p = ClipPrefix::After("Z9");
  p.Advance();
  EXPECT_EQ(p.Text(), "a1");
  p = ClipPrefix::After("z9");
  p.Advance();
  EXPECT_EQ(p.Text(), "A1");

  // 49 icons in the clipboard and three chosen: two are copied, then row 241.
  req.ClipIcoCount = 49;
  req.LastClipKey = "A3-ANIMALS_CATS_7.ICO";
  prompter.asked.clear();
  const CopyLibResult full = CopyLibIco(req, items, sel, clock, prompter, lang);
  EXPECT_TRUE(full.Full);
  EXPECT_EQ(full.Copied, (std::vector<int>{1}));
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{241});

  // A name already in the clipboard is skipped, never overwritten.
  WriteAll(clip() / "A4-Animals_Cats_1.ico", std::string("mine"));
  req.ClipIcoCount = 0;
  req.AllIco = true;
  const CopyLibResult all = CopyLibIco(req, std::span<const LibPaneItem>(items.data(), 1), {}, clock, prompter, lang);
  EXPECT_EQ(all.NewClipFiles, std::vector<std::string>{"A5-Animals_Cats_1.ico"});
  EXPECT_EQ(ReadAll(clip() / "A4-Animals_Cats_1.ico"), "mine");
}

TEST_F(CopyLibIcoTest, ExportFolderQuestionsAndParameters) {
  std::vector<std::string> answers = {"/tmp/a", "/tmp/b"};
  std::size_t next = 0;
  const auto browse = [&] { return next < answers.size() ? answers[next++] : std::string(); };
  prompter.answers = {PromptAnswer::No, PromptAnswer::Yes};
  EXPECT_EQ(ChooseExportFolder(browse, prompter, lang), "/tmp/b");
  EXPECT_EQ(prompter.asked[0].text, "<374> /tmp/a<375>");
  next = 0;
  prompter.answers = {PromptAnswer::Cancel};
  EXPECT_FALSE(ChooseExportFolder(browse, prompter, lang));
  EXPECT_EQ(ParamExportFolder(true, "/home/u/icons"), "/home/u/icons");
  EXPECT_FALSE(ParamExportFolder(true, "icons"));
  EXPECT_FALSE(ParamExportFolder(false, "/home/u/icons"));
}

TEST(BoundedHistoryTest, TwentyNewestWithoutCaseDuplicates) {
  BoundedHistory h;
  EXPECT_TRUE(h.Add("Red"));
  EXPECT_FALSE(h.Add("RED"));
  for (int i = 0; i < 20; ++i) h.Add("k" + std::to_string(i));
  ASSERT_EQ(h.Entries().size(), 20u);
  EXPECT_EQ(h.Entries().front(), "k0");
  EXPECT_EQ(h.Entries().back(), "k19");
  EXPECT_EQ(h.Find("K5"), 5);
}

}  // namespace
}  // namespace glimmora
