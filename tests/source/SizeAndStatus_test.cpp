#include <gtest/gtest.h>

#include "source/FileListStatus.h"
#include "source/SizeText.h"

namespace glimmora {
namespace {

TEST(FileSizeText, KilobytesWithOneDecimalHalvesToEven) {
  EXPECT_EQ(FileSizeText(0), "0 (0KB)");
  EXPECT_EQ(FileSizeText(256), "256 (.2KB)");  // 2.5 tenths -> 2
  EXPECT_EQ(FileSizeText(512), "512 (.5KB)");
  EXPECT_EQ(FileSizeText(12345), "12345 (12.1KB)");
  EXPECT_EQ(FileSizeText(1048576), "1048576 (1024KB)");  // exactly 1024 KB stays in KB
  EXPECT_EQ(FileSizeText(3000000), "3000000 (2.9MB)");
}

TEST(FileSizeText, LargeFilesKeepTheirSize) {
  // Amounts past 3276.7 and files past 4 GB used to wrap around.
  EXPECT_EQ(FileSizeText(3400000), "3400000 (3.2MB)");
  EXPECT_EQ(FileSizeText(3500ull * 1024 * 1024), "3670016000 (3500MB)");
  EXPECT_EQ(FileSizeText(5368709120ull), "5368709120 (5120MB)");
  EXPECT_EQ(KbAmount(40000ull * 1024 * 1024 * 1024).Amount, "40960000");
}

TEST(LeadingNumber, ReadsTheCountOfTheIconsColumn) {
  EXPECT_EQ(LeadingNumber("   37"), 37);
  EXPECT_EQ(LeadingNumber("   ?"), 0);
  EXPECT_EQ(LeadingNumber("12 (x)"), 12);
  EXPECT_EQ(LeadingNumber(""), 0);
}

class FileStatusTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int row : {216, 217, 224, 358, 359, 360, 361, 391, 394, 395, 396})
      lang.LangStr[0][static_cast<std::size_t>(row)] = "<" + std::to_string(row) + ">";
  }
  LanguageTable lang;
};

TEST_F(FileStatusTest, ThreeFilesTwoChecked) {
  const std::vector<FileStatusRow> rows = {{2048, true, 5}, {3072, true, 1}, {9000 - 5120, false, 7}};
  const FileListStatus s = SelectIcoSourceIco(rows, lang);
  EXPECT_EQ(s.Panel[0], "<216> 3 <217> (8.8 KB)");
  EXPECT_EQ(s.Panel[1], "<224> 2 <358> (5 KB)");
  EXPECT_EQ(s.Panel[2], "<359> 6 <360>");
  EXPECT_TRUE(s.CheckedFileCommands);
  EXPECT_TRUE(s.SelectAllItem);
  EXPECT_TRUE(s.ListButtons);
  EXPECT_TRUE(s.PopFileMenu);
}

TEST_F(FileStatusTest, EmptyListDisablesEverything) {
  const FileListStatus s = SelectIcoSourceIco({}, lang);
  EXPECT_EQ(s, FileListStatus{});
}

TEST_F(FileStatusTest, SingularRowsAndTheMegabyteThreshold) {
  // Exactly 1024 KB stays in KB; 1024.5 KB switches to MB and shows 1.
  FileListStatus s = SelectIcoSourceIco({{1048576, true, 1}}, lang);
  EXPECT_EQ(s.Panel[0], "<216> 1 <391> (1024 KB)");
  EXPECT_EQ(s.Panel[1], "<224> 1 <394> (1024 KB)");
  EXPECT_EQ(s.Panel[2], "<359> 1 <396>");
  EXPECT_FALSE(s.SelectAllItem);  // every row is checked
  EXPECT_TRUE(s.ListButtons);     // but button 17 stays usable
  s = SelectIcoSourceIco({{1049088, true, 4}}, lang);
  EXPECT_EQ(s.Panel[0], "<216> 1 <391> (1 MB)");
  EXPECT_EQ(s.Panel[2], "<359> 4 <395>");
  s = SelectIcoSourceIco({{10, true, 1}, {10, true, 0}}, lang);
  EXPECT_EQ(s.Panel[2], "<359> 1 <361>");
}

TEST_F(FileStatusTest, UnsearchedAndIconlessFilesLeaveThePanelEmpty) {
  const FileListStatus s = SelectIcoSourceIco({{100, true, 0}, {100, false, 9}}, lang);
  EXPECT_EQ(s.Panel[2], "");
  EXPECT_EQ(s.Panel[1], "<224> 1 <394> (.1 KB)");
}

TEST_F(FileStatusTest, HugeTotalsDoNotWrap) {
  // 4000 files of 1 GB: 4,096,000 MB, far past what 16-bit tenths held.
  std::vector<FileStatusRow> rows(4000, {1ull << 30, false, 0});
  EXPECT_EQ(SelectIcoSourceIco(rows, lang).Panel[0], "<216> 4000 <217> (4096000 MB)");
}

}  // namespace
}  // namespace glimmora
