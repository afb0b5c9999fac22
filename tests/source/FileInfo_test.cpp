#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "source/FileInfo.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

class FileInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* tz = std::getenv("TZ")) oldTz_ = tz, hadTz_ = true;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
  }
  void TearDown() override {
    if (hadTz_)
      setenv("TZ", oldTz_.c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  std::string MakeFile(const std::string& name, std::time_t mtime, const std::string& bytes = "abc") {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path) << bytes;
    const timespec times[2] = {{mtime, 0}, {mtime, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
    return path;
  }
  testing::TempDir temp_;
  std::string dir_ = temp_.str();
  std::string oldTz_;
  bool hadTz_ = false;
};

TEST_F(FileInfoTest, DateTextIsLocalTimeWithoutLeadingZeros) {
  const FileDateText summer = GetFileDateText(MakeFile("s", 960275100));  // 2000-06-06 07:05:00 UTC
  EXPECT_EQ(summer.DateText, "2000-6-6  9:5:0");
  EXPECT_EQ(summer.DateCopy, "2000-6-6  9:5:0");
  EXPECT_EQ(summer.Size, 3u);
  EXPECT_EQ(summer.SizeText, "3");
  EXPECT_EQ(GetFileDateText(MakeFile("w", 946782245)).DateText, "2000-1-2  4:4:5");  // 03:04:05 UTC
}

TEST_F(FileInfoTest, MissingFileGivesZeroAndTheEmptyDate) {
  const FileDateText t = GetFileDateText(dir_ + "/none");
  EXPECT_EQ(t.Size, 0u);
  EXPECT_EQ(t.SizeText, "0");
  EXPECT_EQ(t.DateText, "1601-1-1  0:0:0");
  EXPECT_FALSE(GetFileFindData(dir_ + "/none").Found);
}

TEST_F(FileInfoTest, SizesPastFourGigabytesStayExact) {
  const std::string path = MakeFile("big", 960275100, "");
  ASSERT_EQ(truncate(path.c_str(), 5LL << 30), 0);  // sparse: takes no disk space
  const FileDateText t = GetFileDateText(path);
  EXPECT_EQ(t.Size, 5368709120u);
  EXPECT_EQ(t.SizeText, "5368709120");
}

}  // namespace
}  // namespace glimmora
