#include "files/ReplaceFile.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <memory>

#include "files/FileBytes.h"
#include "files/RegularFile.h"
#include "library/LibraryLock.h"
#include "scan/IconWalker.h"
#include "text/LanguageFiles.h"
#include "save/SaveNotes.h"
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
    Result<std::string> bytes = ReadFileStart(path, std::string().max_size());
    EXPECT_TRUE(bytes.Ok());
    return bytes ? *bytes : std::string();
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
  ASSERT_TRUE(ReplaceFileAtomically(link, "new").Ok());
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
  const Result<std::string> bytes = ReadFileStart(path, 4);
  ASSERT_TRUE(bytes.Ok());
  EXPECT_EQ(*bytes, "abcd");
  ASSERT_TRUE(ReadFileBytes(path, 6).Ok());
  EXPECT_EQ(ReadFileBytes(path, 6)->size(), 6u);
  EXPECT_FALSE(ReadFileBytes(path, 5).Ok());  // too large: not cut short

  EXPECT_TRUE(IsMissingFile(ReadFileStart(dir_ + "/none", 10).Error()));
  EXPECT_FALSE(ReadFileBytes(dir_ + "/none", 10).Ok());
  EXPECT_EQ(Names(), 1);

  // A pipe would never end (or never open): it is refused at once.
  ASSERT_EQ(::mkfifo((dir_ + "/pipe").c_str(), 0600), 0);
  const Result<std::string> pipe = ReadFileStart(dir_ + "/pipe", 10);
  ASSERT_FALSE(pipe.Ok());
  EXPECT_EQ(pipe.Error().code, Fault::CannotRead);
  EXPECT_EQ(pipe.Error().sysErrno, EINVAL);
  EXPECT_FALSE(ReadFileBytes(dir_ + "/pipe", 10).Ok());

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

// A write(2) that gives up after `calls` calls with ENOSPC, or ends the process there (as a kill
// would) when `die` is set; each call writes at most half of what it is given.
WriteCall FailingWrite(int calls, bool die = false) {
  auto left = std::make_shared<int>(calls);
  return [left, die](int fd, const void* data, std::size_t size) -> ssize_t {
    if ((*left)-- <= 0) {
      if (die) ::_exit(0);
      errno = ENOSPC;
      return -1;
    }
    return ::write(fd, data, std::max<std::size_t>(1, size / 2));
  };
}

// Every way out of a read or a replacement gives its descriptors back: a failure half-way (a pipe
// or folder where a file should be, a full disk while a head is replaced, a lock file that is no
// file) leaves no descriptor open, however often it happens.
TEST_F(ReplaceFileTest, FailuresLeaveNoDescriptorOpen) {
  const auto open = [] { return std::distance(fs::directory_iterator("/proc/self/fd"), {}); };
  ASSERT_EQ(::mkfifo((dir_ + "/pipe").c_str(), 0600), 0);
  fs::create_directory(dir_ + "/folder");
  const std::string head = Make("head", std::string(4096, 'x'));
  ASSERT_EQ(::mkfifo((dir_ + "/lib.src.lock").c_str(), 0600), 0);
  const auto before = open();
  for (int round = 0; round < 20; ++round) {
    for (const char* name : {"/pipe", "/folder", "/none"}) {
      EXPECT_FALSE(OpenRegularFile(dir_ + name, O_RDONLY).Ok());
      EXPECT_FALSE(ReadFileStart(dir_ + name, 10).Ok());
      ScanFile scan;
      EXPECT_FALSE(scan.Open(dir_ + name).Ok());
    }
    EXPECT_FALSE(ReplaceFileHead(head, "new", FailingWrite(0)).Ok());
    EXPECT_FALSE(LibraryLock::TryAcquire(dir_ + "/lib.src").Held());
  }
  EXPECT_EQ(open(), before);
}

// The file system as one without files that have no name: replacements go through a named file.
struct NamedOnly : PosixFileOps {
  using PosixFileOps::PosixFileOps;
  int CreateUnnamed(const std::string&, mode_t) override { return errno = EOPNOTSUPP, -1; }
};

TEST_F(ReplaceFileTest, SavedFilesTakeTheirOwnNameAndReplaceWithinTheNameLimit) {
  // Names up to the limit: a new one is made under itself, an old one replaced through a name
  // no longer than its own, multi-byte characters included.
  const std::string accented = std::string(7, 'n') + "\xc3\xa9" + std::string(246, 'n');
  for (const bool unnamed : {true, false}) {
    PosixFileOps posix;
    NamedOnly named;
    FileOps& ops = unnamed ? static_cast<FileOps&>(posix) : named;
    for (const std::string& name : {std::string(255, 'n'), accented, std::string("a")}) {
      const std::string path = dir_ + "/" + name;
      ASSERT_TRUE(WriteOrReplaceFile(ops, path, "first").Ok()) << name.size();
      ASSERT_TRUE(WriteOrReplaceFile(ops, path, "second").Ok()) << name.size() << " " << unnamed;
      EXPECT_EQ(Read(path), "second");
      EXPECT_EQ(Names(), 1);
      fs::remove(path);
    }
    // A failed write leaves no half file of a new name and the old file of an existing one.
    const std::string path = dir_ + "/a.dll_Ico1.ico";
    PosixFileOps full(FailingWrite(1));
    const Result<void> failed = WriteOrReplaceFile(full, path, "0123456789");
    ASSERT_FALSE(failed.Ok());
    EXPECT_EQ(failed.Error().sysErrno, ENOSPC);
    EXPECT_EQ(failed.Error().code, Fault::CannotWrite);
    EXPECT_EQ(Names(), 0);
    Make("a.dll_Ico1.ico", "old");
    PosixFileOps fullAgain(FailingWrite(1));
    NamedOnly namedFull(FailingWrite(1));
    EXPECT_FALSE(WriteOrReplaceFile(unnamed ? static_cast<FileOps&>(fullAgain) : namedFull, path, "0123456789").Ok());
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(Names(), 1);
    fs::remove(path);
  }
}

// Runs a save of `bytes` as `path` in a child that is killed at its `calls`-th write.
void SaveKilled(const std::string& path, const std::string& bytes, bool unnamed, int calls = 1) {
  EXPECT_EXIT(
      {
        PosixFileOps posix(FailingWrite(calls, true));
        NamedOnly named(FailingWrite(calls, true));
        (void)WriteOrReplaceFile(unnamed ? static_cast<FileOps&>(posix) : named, path, bytes);
        ::_exit(1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(ReplaceFileTest, ASaveKilledMidwayLeavesNoPartialFileUnderAnyName) {
  const std::string path = dir_ + "/a.dll_Ico1.ico";
  for (const bool unnamed : {true, false}) {
    // A new file: nothing under its name (without unnamed files, at most a hidden one).
    SaveKilled(path, "0123456789", unnamed);
    EXPECT_FALSE(fs::exists(path)) << unnamed;
    for (const auto& e : fs::directory_iterator(dir_)) EXPECT_EQ(e.path().filename().string().substr(0, 2), ".~");
    for (const auto& e : fs::directory_iterator(dir_)) fs::remove(e.path());
    PosixFileOps ops;
    ASSERT_TRUE(WriteOrReplaceFile(ops, path, "0123456789").Ok());
    // A replacement: the old file stays whole.
    // A replacement: the old file stays whole, and the next save into the folder clears what the
    // kill left beside it.
    SaveKilled(path, "abcdefghij", unnamed);
    EXPECT_EQ(Read(path), "0123456789");
    RemoveUnfinishedSaves(dir_);
    EXPECT_EQ(Names(), 1);
    fs::remove(path);
  }
  // Only hidden names a save gives, beside the file they were to replace, are cleared.
  const std::string old = Make("a.dll_Ico2.ico", "old");
  Make(".~abc123o2.ico", "new");
  Make(".~abc123o9.ico", "the user's own: nothing stands beside it");
  Make(".~ABC123o2.ico", "not a name a save gives");
  EXPECT_EQ(RemoveUnfinishedSaves(dir_), 1);
  EXPECT_FALSE(fs::exists(dir_ + "/.~abc123o2.ico"));
  EXPECT_EQ(Names(), 3);
}

TEST_F(ReplaceFileTest, ASaveReplacesALinkInItsWayNeverItsTarget) {
  const fs::path elsewhere = fs::path(dir_) / "elsewhere";
  fs::create_directories(elsewhere);
  const std::string mine = Make("elsewhere/letter.txt", "keep");
  for (const bool unnamed : {true, false}) {
    PosixFileOps posix;
    NamedOnly named;
    FileOps& ops = unnamed ? static_cast<FileOps&>(posix) : named;
    for (const char* target : {"elsewhere/letter.txt", "elsewhere/none.txt"}) {
      const std::string link = dir_ + "/a.dll_Ico1.ico";
      ASSERT_EQ(::symlink(target, link.c_str()), 0);
      ASSERT_TRUE(WriteOrReplaceFile(ops, link, "icon").Ok());
      EXPECT_FALSE(fs::is_symlink(link));
      EXPECT_EQ(Read(link), "icon");
      fs::remove(link);
    }
    EXPECT_EQ(Read(mine), "keep");
    EXPECT_FALSE(fs::exists(elsewhere / "none.txt"));
  }
  // A readme left empty by a kill, or missing, is written again; the user's own one is kept.
  const std::string readme = Make("readme.txt", "");
  EXPECT_TRUE(WriteReadme(dir_, "These ICO/BMP Files are from x.", false));
  fs::remove(readme);
  EXPECT_TRUE(WriteReadme(dir_, "These ICO/BMP Files are from x.", false));
  Make("readme.txt", "my notes");
  EXPECT_FALSE(WriteReadme(dir_, "These ICO/BMP Files are from x.", false));
  EXPECT_EQ(Read(readme), "my notes");
}

}  // namespace
}  // namespace glimmora
