#include "scan/IconScanner.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "icons/Dib.h"
#include "support/IconFixtures.h"
#include "support/ScriptedPrompter.h"
#include "support/TestData.h"

namespace glimmora {
namespace {

using testing::Bytes;
using testing::Image;
using testing::Layout;
using testing::TempDir;

struct RecordingSink : FoundIconSink {
  std::vector<FoundIconItem> items;
  void AddFoundIcon(const FoundIconItem& item) override { items.push_back(item); }
};

struct RecordingProgress : ScanProgress {
  std::vector<int> values;
  int shown = 0;
  void ShowProgress() override { ++shown; }
  void SetProgressValue(int value) override { values.push_back(value); }
};

class ScannerTest : public ::testing::Test {
 protected:
  ScanResult Scan(const Bytes& bytes, ScanRequest request = {}, const std::string& name = "a.dll") {
    testing::WriteBytes(dir.path() / name, bytes);
    request.FolderPath = dir.str() + "/";
    request.FileName = name;
    sink.items.clear();
    return SearchIconInFile(request, ScanServices{lang, prompter, &sink, &progress});
  }
  std::vector<std::int64_t> Positions() const {
    std::vector<std::int64_t> p;
    for (const auto& i : sink.items) p.push_back(i.position);
    return p;
  }

  TempDir dir;
  LanguageTable lang = testing::RowNumberTable();
  testing::ScriptedPrompter prompter;
  RecordingSink sink;
  RecordingProgress progress;
};

TEST_F(ScannerTest, ListsA16x16ImageWithItsKeyColumnsAndIconFile) {
  const Bytes image = Image(16, 32, 4, 296);
  const ScanResult r = Scan(Layout(600, {{11, image}}));
  ASSERT_EQ(r.status, ScanStatus::Done);
  EXPECT_EQ(r.SourceFile, dir.str() + "/a.dll");
  EXPECT_EQ(r.SourceName, "a.dll");
  ASSERT_EQ(sink.items.size(), 1u);
  const FoundIconItem& it = sink.items[0];
  EXPECT_EQ(it.text, "a.dll_1.ico");
  EXPECT_EQ(it.key, " 11- 296");
  EXPECT_EQ(it.columns[0], "   16 x 16");
  EXPECT_EQ(it.columns[1], "  <363>");
  EXPECT_EQ(it.columns[2], "    318");
  EXPECT_EQ(it.columns[3], "    1");
  EXPECT_EQ(it.statusText, "<216> 1 <387> (.3 KB)");
  EXPECT_FALSE(it.useFileTypeIcon);
  const Bytes head = {0, 0, 1, 0, 1, 0, 16, 16, 16, 0, 1, 0, 4, 0, 0x28, 0x01, 0, 0, 22, 0, 0, 0};
  ASSERT_EQ(it.icoFile.size(), 318u);
  EXPECT_EQ(Bytes(it.icoFile.begin(), it.icoFile.begin() + 22), head);
  EXPECT_EQ(Bytes(it.icoFile.begin() + 22, it.icoFile.end()), image);
  EXPECT_EQ(r.IcoCount, 1);
  EXPECT_EQ(r.IcoTypeCount.At(0, 1), 1);
  EXPECT_EQ(progress.shown, 1);
}

TEST_F(ScannerTest, TheLastHundredAndFiftyBytesAreNeverSearched) {
  const Bytes tiny = Image(1, 2, 1, 56);  // a 1 x 1 picture: 40 + 8 + 4 + 4 bytes
  EXPECT_EQ(Scan(Layout(150, {{1, tiny}})).IcoCount, 0);
  EXPECT_EQ(Scan(Layout(151, {{1, tiny}})).IcoCount, 0);
  EXPECT_EQ(Scan(Layout(152, {{1, tiny}})).IcoCount, 1);
  EXPECT_EQ(Scan(Bytes{}).IcoCount, 0);
}

TEST_F(ScannerTest, PatternsAtEveryChunkEndAreFound) {
  // Starts 737 to 739 bytes into the first 740-byte chunk would be cut in two by plain chunks.
  for (int offset : {735, 736, 737, 738, 739, 740, 741}) {
    const ScanResult r = Scan(Layout(3000, {{1 + offset, Image(16, 32, 4, 296)}}));
    EXPECT_EQ(r.IcoCount, 1) << offset;
    EXPECT_EQ(Positions(), std::vector<std::int64_t>{1 + offset}) << offset;
  }
}

TEST_F(ScannerTest, ResultsDoNotDependOnTheBufferSize) {
  // Images across every boundary of small buffers, decoys between them, and random filler.
  Bytes file(40000);
  std::uint32_t seed = 7;
  for (auto& b : file) {
    seed = seed * 1103515245u + 12345u;
    b = static_cast<std::uint8_t>(seed >> 24);
  }
  std::vector<std::int64_t> expected;
  for (std::int64_t pos : {4094, 8191, 12287, 16381, 20000, 24573, 30000, 36000}) {
    const Bytes img = Image(16, 32, 4, 296, static_cast<int>(pos));
    std::copy(img.begin(), img.end(), file.begin() + (pos - 1));
    expected.push_back(pos);
  }
  // A header cut by the pattern test alone: planes 0.
  const Bytes decoy = testing::InfoHeader(16, 32, 4, /*clrUsed=*/0, /*planes=*/0);
  std::copy(decoy.begin(), decoy.end(), file.begin() + 2000);

  std::vector<std::vector<std::int64_t>> runs;
  for (std::int64_t buffer : {4096, 4097, 4099, 5000, 65536, 1 << 22}) {
    ScanRequest req;
    req.bufferBytes = buffer;
    Scan(file, req);
    runs.push_back(Positions());
  }
  for (const auto& run : runs) EXPECT_EQ(run, runs.front());
  for (std::int64_t pos : expected) {
    EXPECT_NE(std::find(runs.front().begin(), runs.front().end(), pos), runs.front().end()) << pos;
  }
}

TEST_F(ScannerTest, TheTailFollowsTheChunkWalk) {
  const Bytes tiny = Image(1, 2, 1, 56);
  // Length 1600: chunks start at 1 and 738 (covering starts up to 1474); the next would start at
  // 1475, inside the last 150 bytes, so the walk ends before an image at 1500.
  EXPECT_EQ(Scan(Layout(1600, {{1500, tiny}})).IcoCount, 0);
  // Length 2000: the chunk at 1475 still starts before 1850 and holds an image at 1900.
  EXPECT_EQ(Scan(Layout(2000, {{1900, tiny}})).IcoCount, 1);
}

TEST_F(ScannerTest, NonStandardSizesFollowTheAnswer) {
  const Bytes file = Layout(4000, {{1, Image(40, 80, 8, 2984)}});
  ScanRequest req;
  req.NostanAns = 0;
  ScanResult r = Scan(file, req);
  ASSERT_EQ(sink.items.size(), 1u);
  EXPECT_EQ(sink.items[0].columns[0], "   40 x 40");
  EXPECT_EQ(sink.items[0].imageSize, 2984);
  EXPECT_EQ(r.IcoTypeCount.At(5, 2), 1);
  EXPECT_TRUE(prompter.asked.empty());

  req.NostanAns = 2;
  EXPECT_EQ(Scan(file, req).IcoCount, 0);
  EXPECT_TRUE(prompter.asked.empty());

  req.NostanAns = 1;
  prompter.answers = {PromptAnswer::Ok};
  EXPECT_EQ(Scan(file, req).IcoCount, 1);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "<345>  40 x 40 <626>");
  EXPECT_EQ(prompter.asked[0].title, "Glimmora");
  EXPECT_EQ(prompter.asked[0].buttons, PromptButtons::OkCancel);
  prompter.answers = {PromptAnswer::Cancel};
  EXPECT_EQ(Scan(file, req).IcoCount, 0);
}

TEST_F(ScannerTest, PagesOfFiftyRecordWhereTheNextPagesStart) {
  std::vector<testing::Placed> parts;
  for (int k = 0; k < 120; ++k) parts.push_back({1 + 296 * k, Image(16, 32, 4, 296, k)});
  const Bytes file = Layout(296 * 120 + 200, parts);

  ScanResult r = Scan(file);
  EXPECT_EQ(r.IcoCount, 120);
  EXPECT_EQ(sink.items.size(), 50u);
  EXPECT_EQ(r.GrpStart, (std::vector<std::int64_t>{1, 1 + 296 * 50, 1 + 296 * 100}));
  EXPECT_EQ(r.IcoTypeCount.At(0, 1), 120);
  EXPECT_EQ(sink.items[49].text, "a.dll_50.ico");
  EXPECT_EQ(sink.items[49].statusText, "<216> 50 <386> (15.5 KB)");  // 50 x 318 bytes

  ScanRequest page;
  page.FirstMod = false;
  page.GrpNo = 2;
  page.GrpStartIco = r.GrpStart[1];
  r = Scan(file, page);
  ASSERT_EQ(sink.items.size(), 50u);
  EXPECT_EQ(sink.items[0].text, "a.dll_51.ico");
  EXPECT_EQ(sink.items[0].columns[3], "    1");
  EXPECT_EQ(r.found, 51);  // the first icon of page 3 ends the scan and is tallied
  EXPECT_EQ(r.IcoTypeCount.At(0, 1), 51);

  page.GrpNo = 3;
  page.GrpStartIco = 1 + 296 * 100;
  r = Scan(file, page);
  ASSERT_EQ(sink.items.size(), 20u);
  EXPECT_EQ(sink.items.front().text, "a.dll_101.ico");
  EXPECT_EQ(sink.items.back().text, "a.dll_120.ico");
  EXPECT_EQ(sink.items.back().key, " " + std::to_string(1 + 296 * 119) + "- 296");

  // Pages of one icon and of two: every page still has its start.
  for (const int size : {1, 2}) {
    ScanRequest small;
    small.GrpSize = size;
    r = Scan(file, small);
    ASSERT_EQ(r.GrpStart.size(), static_cast<std::size_t>(120 / size)) << size;
    EXPECT_EQ(r.GrpStart.back(), 1 + 296 * (120 - size)) << size;
  }
}

TEST_F(ScannerTest, OnlyTheFirstIconOfAnIcoFileShowsTheFilesOwnIcon) {
  std::vector<testing::Placed> parts;
  for (int k = 0; k < 3; ++k) parts.push_back({100 + 296 * k, Image(16, 32, 4, 296, k)});
  Scan(Layout(1200, parts), {}, "Pic.ICO");
  ASSERT_EQ(sink.items.size(), 3u);
  EXPECT_TRUE(sink.items[0].useFileTypeIcon);
  EXPECT_FALSE(sink.items[1].useFileTypeIcon);
  ScanRequest page;
  page.FirstMod = false;
  page.GrpNo = 2;
  page.GrpSize = 2;
  page.GrpSizeSet = 2;
  page.GrpStartIco = 100;
  Scan(Layout(1200, parts), page, "Pic.ICO");
  EXPECT_FALSE(sink.items[0].useFileTypeIcon);
}

TEST_F(ScannerTest, AShortPaletteIsNotTakenForPartOfTheImage) {
  // At 1 an 8-bit image with a 16-colour table: 40 + 64 + 256 + 64 bytes; at 425 the next image,
  // right behind it.
  const std::string file = testing::TestDataBytes("scan-short-palette-before-next-icon.bin");
  const ScanResult r = Scan(Bytes(file.begin(), file.end()));
  EXPECT_EQ(Positions(), (std::vector<std::int64_t>{1, 425}));
  ASSERT_EQ(sink.items.size(), 2u);
  EXPECT_EQ(sink.items[0].imageSize, 424);
  EXPECT_EQ(r.IcoCount, 2);
  EXPECT_TRUE(DecodeIcoFile(sink.items[0].icoFile));
}

TEST_F(ScannerTest, HeadersThatCannotBeIconsAreStepped) {
  Bytes wide = Image(256, 512, 8, 74792);  // 40 + 1024 + 65536 + 8192
  const std::vector<testing::Placed> parts = {
      {1, testing::InfoHeader(16, 32, 4, /*clrUsed=*/0, /*planes=*/2)},
      {101, testing::InfoHeader(0, 0, 8)},
      {201, testing::InfoHeader(0xFFF0, 32, 8)},   // negative width
      {301, testing::InfoHeader(16, 33, 4)},       // odd height
      {401, testing::InfoHeader(16, 32, 2)},       // no such bit count
      {501, Image(32, 64, 32, 4264)},              // 4-byte pixels: 40 + 4096 + 128
      {5001, wide},
  };
  const ScanResult r = Scan(Layout(90000, parts));
  EXPECT_EQ(Positions(), (std::vector<std::int64_t>{501, 5001}));
  ASSERT_EQ(sink.items.size(), 2u);
  EXPECT_EQ(sink.items[0].imageSize, 4264);
  EXPECT_EQ(sink.items[0].columns[1], "");
  EXPECT_EQ(sink.items[1].icoFile[6], 0);  // width and height bytes of a 256-wide icon
  EXPECT_EQ(sink.items[1].icoFile[7], 0);
  EXPECT_EQ(sink.items[1].icoFile[12], 8);
  // 32-bit images have no depth class of their own and are not tallied.
  std::int64_t tallied = 0;
  for (const auto& row : r.IcoTypeCount.IcoTypeCount)
    for (std::int64_t n : row) tallied += n;
  EXPECT_EQ(tallied, 1);
  EXPECT_EQ(r.IcoTypeCount.At(kOtherSizeClass, 2), 1);
}

TEST_F(ScannerTest, AnImageRunningPastTheEndIsNotTakenAndTheScanGoesOn) {
  // A header claiming a 1.5 GB picture, and a real icon 20 bytes behind it.
  Bytes forged = testing::InfoHeader(30000, 30000, 24);
  const ScanResult r = Scan(Layout(2000, {{1, forged}, {21, Image(16, 32, 4, 296)}}));
  EXPECT_EQ(Positions(), std::vector<std::int64_t>{21});
  // The same icon cut short is not taken.
  EXPECT_EQ(Scan(Layout(400, {{150, Image(16, 32, 4, 296)}})).IcoCount, 0);
  EXPECT_EQ(r.IcoCount, 1);
}

TEST_F(ScannerTest, AMissingSourceIsReportedAndNotCreated) {
  ScanRequest req;
  req.FolderPath = dir.str();
  req.FileName = "nothing.dll";
  const ScanResult r = SearchIconInFile(req, ScanServices{lang, prompter, &sink, &progress});
  EXPECT_EQ(r.status, ScanStatus::SourceUnreadable);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "nothing.dll"));
  req.FileName = "";
  EXPECT_EQ(SearchIconInFile(req, ScanServices{lang, prompter, &sink, &progress}).status,
            ScanStatus::SourceUnreadable);  // a folder is not scanned
}

TEST_F(ScannerTest, TheSearchPatternComesFromIconHeadOrDefaults) {
  EXPECT_EQ(ReadSearchPattern((dir.path() / "IconHead.dat").string()), kDefaultSearchPattern);
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "IconHead.dat"));
  Bytes head(62, 0);
  head[22] = 0x29;
  head[23] = 0x01;
  testing::WriteBytes(dir.path() / "IconHead.dat", head);
  EXPECT_EQ(ReadSearchPattern((dir.path() / "IconHead.dat").string()), (SearchPattern{0x29, 0x01, 0, 0}));
}

TEST(ScannerTexts, StatusAndDepthTexts) {
  LanguageTable en = testing::RowNumberTable();
  LanguageTable gb = testing::RowNumberTable(Language::ChineseGB);
  EXPECT_EQ(DepthColumnText(16, en), "  <370>");
  EXPECT_EQ(DepthColumnText(24, gb), " <371>");
  EXPECT_EQ(DepthColumnText(1, gb), "  <362>");
  EXPECT_EQ(DepthColumnText(32, en), "");
  EXPECT_EQ(FoundStatusText(2, 256, en), "<216> 2 <386> (.2 KB)");      // 2.5 tenths, to even
  EXPECT_EQ(FoundStatusText(3, 1024 * 12, en), "<216> 3 <386> (12 KB)");
  EXPECT_EQ(FoundStatusText(3, 3 * 1024 * 1024 * 1024LL, en), "<216> 3 <386> (3145728 KB)");
  EXPECT_EQ(FoundIconKey(10234, 744), " 10234- 744");
}

TEST(ScannerTexts, FoundTypesSummary) {
  IcoTypeTally t;
  TallyImage(t, 16, 16, 4);
  TallyImage(t, 16, 16, 4);
  TallyImage(t, 32, 32, 8);
  TallyImage(t, 40, 40, 8);
  TallyImage(t, 72, 72, 24);
  TallyImage(t, 32, 32, 32);  // not counted
  IcoTypeNames names;
  for (int a = 0; a < kTypeClasses; ++a)
    for (int b = 0; b < kTypeClasses; ++b) names[a][b] = "N" + std::to_string(a) + std::to_string(b);
  LanguageTable en = testing::RowNumberTable();
  EXPECT_EQ(FormatFoundIconTypes(t, names, en), "N01x 2,N12x 1,N44x 1,N52x 1");
  LanguageTable gb = testing::RowNumberTable(Language::ChineseGB);
  gb.LangStr[1][398] = "\xE4\xB8\xAA";  // one three-byte character
  EXPECT_EQ(FormatFoundIconTypes(t, names, gb),
            "N012\xE4\xB8\xAAN121\xE4\xB8\xAAN441\xE4\xB8\xAAN521");
  EXPECT_EQ(FormatFoundIconTypes(IcoTypeTally{}, names, en), "");
}

}  // namespace
}  // namespace glimmora
