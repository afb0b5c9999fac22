#include "common/ReplaceFile.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "common/FileBytes.h"
#include "common/IconWalker.h"
#include "common/LanguageFiles.h"
#include "common/SaveNotes.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
 protected:
  std::string Make(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  std::string Read(const std::string& path) {
    std::string bytes;
    EXPECT_EQ(ReadFileStart(path, bytes.max_size(), bytes), ReadStatus::Ok);
    return bytes;
  }
  int Names() const { return static_cast<int>(std::distance(fs::directory_iterator(dir_), {})); }

  testing::TempDir temp_;
  std::string dir_ = temp_.str();
};

TEST_F(ReplaceFileTest, ALinkIsFollowedAndTheModeKept) {
  const std::string target = Make("real", "old");
  ASSERT_EQ(::chmod(target.c_str(), 0600), 0);
  const std::string link = dir_ + "/link";
  ASSERT_EQ(::symlink("real", link.c_str()), 0);
  ASSERT_EQ(ReplaceFileAtomically(link, "new"), "");
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(Read(target), "new");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);

  const std::uint8_t icon[] = {0, 0, 1, 0};
  ASSERT_TRUE(ReplaceFileBytes(dir_ + "/a.ico", icon));
  EXPECT_EQ(Read(dir_ + "/a.ico"), std::string("\0\0\1\0", 4));
  EXPECT_EQ(Names(), 3);  // nothing left beside the files
  EXPECT_FALSE(ReplaceFileBytes(dir_ + "/no/a.ico", icon));
}

TEST_F(ReplaceFileTest, ReadsStopAtTheLimitAndCreateNothing) {
  const std::string path = Make("f", "abcdef");
  std::string bytes;
  ASSERT_EQ(ReadFileStart(path, 4, bytes), ReadStatus::Ok);
  EXPECT_EQ(bytes, "abcd");
  ASSERT_TRUE(ReadFileBytes(path, 6).has_value());
  EXPECT_EQ(ReadFileBytes(path, 6)->size(), 6u);
  EXPECT_FALSE(ReadFileBytes(path, 5).has_value());  // too large: not cut short

  EXPECT_EQ(ReadFileStart(dir_ + "/none", bytes.max_size(), bytes), ReadStatus::Missing);
  EXPECT_FALSE(ReadFileBytes(dir_ + "/none", 10).has_value());
  EXPECT_EQ(Names(), 1);

  // A pipe would never end (or never open): it is refused at once.
  ASSERT_EQ(::mkfifo((dir_ + "/pipe").c_str(), 0600), 0);
  std::string error;
  EXPECT_EQ(ReadFileStart(dir_ + "/pipe", bytes.max_size(), bytes, &error), ReadStatus::Failed);
  EXPECT_NE(error, "");
  EXPECT_FALSE(ReadFileBytes(dir_ + "/pipe", 10).has_value());

  // Nor does anything else the program opens wait on one: the language files (read at start-up,
  // written by the language menu), a readme in a save folder, a file to scan.
  ASSERT_EQ(::mkfifo((dir_ + "/chglangs.dat").c_str(), 0600), 0);
  ASSERT_EQ(::mkfifo((dir_ + "/readme.txt").c_str(), 0600), 0);
  LanguageTable table;
  LoadLanguageStrings(dir_, table);
  EXPECT_EQ(table.Row(1), "");
  EXPECT_FALSE(WriteLanguageChoice(dir_, Language::ChineseGB));
  EXPECT_FALSE(IsOurReadme(dir_ + "/readme.txt"));
  ScanFile scan;
  EXPECT_FALSE(scan.Open(dir_ + "/pipe"));
}

TEST_F(ReplaceFileTest, NewFilesOfAKilledReplacementGoAtTheNextStart) {
  const std::string cfg = Make("Glimmora.cfg", "old");
  Make("Glimmora.cfg.new123456", "half");
  Make("Glimmora.cfg.new7", "half");
  Make("Glimmora.cfg.newer", "the user's");
  Make("Other.cfg.new12", "the user's");
  fs::create_directory(dir_ + "/Glimmora.cfg.new99");
  EXPECT_EQ(RemoveUnfinishedReplacements(cfg), 2);
  EXPECT_EQ(Names(), 4);
  EXPECT_EQ(Read(cfg), "old");
}

}  // namespace
}  // namespace glimmora
