#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "source/FileListRows.h"
#include "source/FolderReader.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;

class FolderReaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char tmpl[] = "/tmp/glimmora_reader_XXXXXX";
    ASSERT_NE(::mkdtemp(tmpl), nullptr);
    dir = tmpl;
  }
  void TearDown() override { fs::remove_all(dir); }
  void Write(const std::string& name, std::size_t bytes) {
    std::ofstream(dir / name, std::ios::binary) << std::string(bytes, 'x');
  }
  fs::path dir;
  DiskFolderReader reader;
};

TEST_F(FolderReaderTest, ListsRegularFilesOnlySortedIgnoringCase) {
  Write("b.ico", 512);
  Write("A.txt", 0);
  Write("c.DLL", 12345);
  Write(".hidden", 1);
  fs::create_directory(dir / "sub");
  ASSERT_EQ(::mkfifo((dir / "pipe").c_str(), 0600), 0);
  fs::create_symlink(dir / "b.ico", dir / "link.ico");
  fs::create_symlink(dir / "pipe", dir / "link-to-pipe");
  fs::create_symlink(dir / "gone", dir / "dangling");

  const FileListing listing = reader.Files(dir.string());
  ASSERT_EQ(listing.Error, FsError::None);
  std::vector<std::string> names;
  for (const auto& f : listing.Files) names.push_back(f.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"A.txt", "b.ico", "c.DLL", "link.ico"}));
  EXPECT_EQ(listing.Files[1].Size, 512u);
  EXPECT_EQ(listing.Files[3].Size, 512u);  // a link shows what it points to
}

TEST_F(FolderReaderTest, SubFoldersLeaveOutFilesAndDotFolders) {
  fs::create_directories(dir / "beta");
  fs::create_directories(dir / "Alpha");
  fs::create_directories(dir / ".config");
  fs::create_directory_symlink(dir / "beta", dir / "gamma");
  Write("file", 3);
  const SubFolderList list = reader.SubFolders(dir.string());
  EXPECT_EQ(list.Names, (std::vector<std::string>{"Alpha", "beta", "gamma"}));
}

TEST_F(FolderReaderTest, FailuresSayWhy) {
  Write("plain", 1);
  EXPECT_EQ(reader.SubFolders((dir / "missing").string()).Error, FsError::NotFound);
  EXPECT_EQ(reader.Files((dir / "plain").string()).Error, FsError::NotFound);
  EXPECT_EQ(reader.CheckFolder((dir / "missing").string()), FsError::NotFound);
  EXPECT_EQ(reader.CheckFolder(dir.string()), FsError::None);
  EXPECT_EQ(reader.CheckFolder(""), FsError::NotFound);
  EXPECT_TRUE(IsRetryable(FsErrorFromErrno(ENOMEDIUM)));
  EXPECT_TRUE(IsRetryable(FsErrorFromErrno(EACCES)));
  EXPECT_FALSE(IsRetryable(FsErrorFromErrno(EMFILE)));
}

TEST_F(FolderReaderTest, RowsShowSizeAndLocalDate) {
  Write("f.bin", 12345);
  // 6 June 2000, 09:05:00 in the zone the test sets.
  const char* oldTz = std::getenv("TZ");
  const std::string saved = oldTz ? oldTz : "";
  ::setenv("TZ", "UTC-2", 1);
  ::tzset();
  const std::int64_t stamp = 960275100;  // 2000-06-06 07:05:00 UTC, 09:05 two hours east
  FileListing listing = reader.Files(dir.string());
  listing.Files[0].LastWriteTime = stamp;
  const std::vector<FileListRow> rows = MakeFileRows(listing);
  if (oldTz) ::setenv("TZ", saved.c_str(), 1); else ::unsetenv("TZ");
  ::tzset();
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].SizeText, "12345 (12.1KB)");
  EXPECT_EQ(rows[0].DateText, "2000-6-6  9:5:0");
  EXPECT_EQ(rows[0].Icons, "   ?");
  EXPECT_FALSE(rows[0].Checked);
}

TEST_F(FolderReaderTest, DeleteReportsAFailure) {
  Write("x", 1);
  EXPECT_TRUE(DeleteFileFromDisk((dir / "x").string()).Ok());
  EXPECT_FALSE(fs::exists(dir / "x"));
  EXPECT_EQ(DeleteFileFromDisk((dir / "x").string()).Error().sysErrno, ENOENT);
}

}  // namespace
}  // namespace glimmora
