#include "settings/ConfigFile.h"

#include "settings/PaneTwips.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <random>

#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// A 200-byte path record as the file holds it.
std::string PathRec(const std::string& path, unsigned char imageLo) {
  return path + "\\\\" + Blanks(196 - path.size()) + std::string(1, static_cast<char>(imageLo)) + '\0';
}

ConfigData WithPaths(std::string text, std::vector<PathEntry> history = {}) {
  ConfigData d;
  d.PathText = std::move(text);
  d.PathHistory = std::move(history);
  return d;
}

class ConfigFileTest : public ::testing::Test {
 protected:
  void WriteFile(const std::string& bytes) {
    std::ofstream(path_, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  std::string ReadFile() {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  testing::TempDir temp_;
  std::string dir_ = temp_.str();
  std::string path_ = ConfigFilePath(dir_);
};

TEST(ConfigLayout, ReadsEveryFieldFromItsPosition) {
  std::string file(1400, '\0');
  file.replace(0, 10, std::string("\xB8\x0B\x10\x0E\x08\x07\xA0\x0F\x60\x09", 10));
  file[99 + 2] = 1;      // SaveLibDir.SaveAs
  file[199 + 55] = 4;    // SaveFileDir.IcoSize
  file[299 + 99] = 2;    // SaveIcoDir.Lang
  file.replace(999, 2, std::string("\x03\x00", 2));
  file.replace(1200, 200, PathRec("/t", 0));
  file += PathRec("/u", 5) + PathRec("/v", 6) + PathRec("/t", 7);

  const ConfigData d = DecodeConfig(file, Language::English);
  EXPECT_EQ(d.Panes, (PaneSizes{3000, 3600, 1800, 4000, 2400}));
  EXPECT_EQ(d.Params.SaveLibDir.SaveAs, 1);
  EXPECT_EQ(d.Params.SaveFileDir.IcoSize, 4);
  EXPECT_EQ(d.Params.SaveIcoDir.Lang, 2);
  EXPECT_EQ(d.PathText, "/t");
  // The entries are read from where they were written: all three, in their order.
  EXPECT_EQ(d.PathHistory, (std::vector<PathEntry>{{"/u", 5}, {"/v", 6}, {"/t", 7}}));

  const ComboPath combo = SetComboPath(d, "/opt/glimmora");
  EXPECT_EQ(combo.Text, "/t");
  EXPECT_EQ(combo.Items.size(), 3u);
}

TEST(ConfigLayout, WritesEveryFieldAtItsPosition) {
  ConfigData d;
  d.Panes = {3000, -15, 0, 32767, 450};
  d.Params.SaveFileDir.SaveAs = 1;
  d.PathText = "/t";
  d.PathHistory = {{"/u", 5}};

  std::string expected(1600, '\0');
  expected.replace(0, 10, std::string("\xB8\x0B\xF1\xFF\x00\x00\xFF\x7F\xC2\x01", 10));
  // Only the record that changed is written anew; the others keep the zeros of a new file.
  expected.replace(199 + 5, 50, "//" + Blanks(48));
  expected.replace(199 + 59, 40, "//" + Blanks(38));
  expected[199 + 2] = 1;
  expected.replace(999, 2, std::string("\x01\x00", 2));
  expected.replace(1200, 200, PathRec("/t", 0));
  expected.replace(1400, 200, PathRec("/u", 5));
  EXPECT_EQ(EncodeConfig("", d, Language::English), expected);
}

TEST(ConfigLayout, EmptyFileReadsAsDefaults) {
  const ConfigData d = DecodeConfig("", Language::English);
  EXPECT_EQ(d, ConfigData{});
  const ComboPath combo = SetComboPath(d, "/opt/glimmora");
  EXPECT_EQ(combo.Text, "/opt/glimmora");
  EXPECT_TRUE(combo.Items.empty());
}

TEST(ConfigLayout, GapsAndTailKeepTheirBytesAndTheFileIsNeverShortened) {
  const std::string old(3000, '\xAA');
  ConfigData d;
  d.PathText = "/a";
  d.PathHistory = {{"/a", 1}, {"/b", 2}};
  const std::string out = EncodeConfig(old, d, Language::English);
  ASSERT_EQ(out.size(), 3000u);
  auto untouched = [&](std::size_t from, std::size_t to) {
    return out.substr(from, to - from) == old.substr(from, to - from);
  };
  EXPECT_TRUE(untouched(10, 99));
  EXPECT_TRUE(untouched(399, 999));
  EXPECT_TRUE(untouched(1001, 1200));
  EXPECT_TRUE(untouched(1800, 3000));
  EXPECT_EQ(DecodeConfig(out, Language::English).PathHistory, d.PathHistory);
}

TEST(ConfigLayout, AnEmptyHistoryAndTextReplaceThoseOfAnEarlierRun) {
  ConfigData earlier;
  earlier.PathText = "/x";
  for (int i = 0; i < 5; ++i) earlier.PathHistory.push_back({"/e" + std::to_string(i), 1});
  const std::string first = EncodeConfig("", earlier, Language::English);

  const std::string second = EncodeConfig(first, ConfigData{}, Language::English);
  EXPECT_EQ(second.size(), first.size());
  const ConfigData back = DecodeConfig(second, Language::English);
  EXPECT_EQ(back.PathText, "");
  EXPECT_TRUE(back.PathHistory.empty());
  EXPECT_EQ(SetComboPath(back, "/opt/g").Text, "/opt/g");
}

TEST(ConfigLayout, HistoriesOfZeroOneAndTwentyOneEntriesRoundTrip) {
  for (int n : {0, 1, 21}) {
    SCOPED_TRACE(n);
    ConfigData d;
    d.Panes = {3000, 3600, 1800, 4000, 2400};
    d.Params.SaveIcoDir.OtherDir = "/home/u/icons";
    d.Params.SaveLibDir.IconEditTool = "/usr/bin/gimp";
    d.PathText = n ? "/p0" : "";
    for (int i = 0; i < n; ++i)
      d.PathHistory.push_back({"/p" + std::to_string(i) + "/\xE5\x9B\xBE", static_cast<std::int16_t>(i % 11)});
    const std::string bytes = EncodeConfig("", d, Language::English);
    EXPECT_EQ(bytes.size(), 1400u + 200u * static_cast<unsigned>(n));
    EXPECT_EQ(DecodeConfig(bytes, Language::English), d);
  }
}

TEST(ConfigLayout, PathsThatFillTheirRecord) {
  ConfigData d;
  const std::string full = "/" + std::string(197, 'f');  // 198 bytes: no room for the mark
  const std::string tooLong = "/" + std::string(198, 'g');
  d.PathText = tooLong;
  d.PathHistory = {{full, 3}, {tooLong, 4}, {"/s", 5}};
  std::vector<std::string> leftOut;
  const std::string bytes = EncodeConfig("", d, Language::English, &leftOut);
  EXPECT_EQ(EncodeConfig("", d, Language::English), bytes);
  EXPECT_EQ(bytes.substr(1400, 198), full);
  const ConfigData back = DecodeConfig(bytes, Language::English);
  // A path that cannot be stored whole is not stored at all rather than as another folder.
  EXPECT_EQ(back.PathHistory, (std::vector<PathEntry>{{full, 3}, {"/s", 5}}));
  EXPECT_EQ(back.PathText, "");
  // What is left out is named, once.
  EXPECT_EQ(leftOut, std::vector<std::string>{tooLong});
}

TEST(ConfigLayout, RecordsNobodyChangedGoBackWithTheBytesTheyWereReadFrom) {
  // Written elsewhere: zero padding, no end marks, texts in the GB code page (a path of 75
  // characters, 150 bytes there, 225 in UTF-8).
  const std::string gbIcons = "\xCD\xBC\xB1\xEA";  // two characters
  std::string longGb = "/";
  for (int i = 0; i < 37; ++i) longGb += gbIcons;
  std::string file(1400, '\0');
  file.replace(199 + 5, 12, "/srv/icons//");  // the rest of the record stays zeros
  file[299 + 4] = 2;
  file.replace(299 + 5, 8, "/" + gbIcons + "//\x01");
  file.replace(999, 2, std::string("\x02\x00", 2));
  file.replace(1200, longGb.size(), longGb);
  file += longGb + "\\\\" + std::string(198 - longGb.size() - 2, '\0') + "\x07" + '\0';
  file += PathRec("/b", 3) + std::string(77, '\x5A');
  const ConfigData d = DecodeConfig(file, Language::ChineseGB);
  ASSERT_EQ(d.PathHistory.size(), 2u);
  ASSERT_GT(d.PathHistory[0].Path.size(), 198u);
  std::vector<std::string> leftOut{"stale"};
  EXPECT_EQ(EncodeConfig(file, d, Language::ChineseGB, &leftOut), file);
  // Longer than a record in UTF-8, but kept in its GB bytes: nothing is left out.
  EXPECT_EQ(leftOut, std::vector<std::string>{});

  // Changing one record rewrites only that one; a kept path keeps its bytes where it moves.
  ConfigData changed = d;
  changed.Params.SaveLibDir.SaveAs = 1;
  std::swap(changed.PathHistory[0], changed.PathHistory[1]);
  const std::string out = EncodeConfig(file, changed, Language::ChineseGB);
  EXPECT_EQ(out.substr(199, 200), file.substr(199, 200));
  EXPECT_NE(out.substr(99, 100), file.substr(99, 100));
  EXPECT_EQ(out.substr(1600, 198), file.substr(1400, 198));
  EXPECT_EQ(DecodeConfig(out, Language::ChineseGB), changed);

  // One path in records of different bytes (marked and blank-filled, or zero-filled without a
  // mark), far down a long history: each goes back to its own place.
  std::string longHistory(1400, '\0');
  longHistory.replace(999, 2, std::string("\x48\x00", 2));
  for (int i = 0; i < 70; ++i) longHistory += PathRec("/p" + std::to_string(i), 1);
  longHistory += PathRec("/same", 2) + "/same" + std::string(193, '\0') + "\x03" + '\0';
  EXPECT_EQ(EncodeConfig(longHistory, DecodeConfig(longHistory, Language::English), Language::English), longHistory);
}

TEST(ConfigLayout, DamagedFilesReadWithoutHarm) {
  std::string file(1500, '\0');
  file.replace(999, 2, std::string("\xFF\x7F", 2));  // N = 32767 in a file with room for one
  file.replace(1400, 100, "/only\\\\" + Blanks(93));
  EXPECT_EQ(DecodeConfig(file, Language::English).PathHistory, (std::vector<PathEntry>{{"/only", 0}}));
  file.replace(999, 2, std::string("\x00\x80", 2));  // negative N
  EXPECT_TRUE(DecodeConfig(file, Language::English).PathHistory.empty());

  std::mt19937 rng(7);
  const std::string good = EncodeConfig("", WithPaths("/a", {{"/a", 1}, {"/b", 2}}), Language::English);
  for (int round = 0; round < 2000; ++round) {
    std::string m = good.substr(0, rng() % (good.size() + 1));
    for (int k = 0; k < 8 && !m.empty(); ++k) m[rng() % m.size()] = static_cast<char>(rng());
    const ConfigData d = DecodeConfig(m, Language::ChineseBig5);
    EXPECT_LE(d.PathHistory.size(), 2u);
  }
}

TEST(ConfigLayout, PaneSizesAreWholeTwipsThatFitSixteenBits) {
  EXPECT_EQ(TwipsToInteger(3000.4), 3000);
  EXPECT_EQ(TwipsToInteger(2.5), 2);  // halves to even, as the layouts round
  EXPECT_EQ(TwipsToInteger(3.5), 4);
  EXPECT_EQ(TwipsToInteger(-32768), -32768);
  EXPECT_EQ(TwipsToInteger(32767.4), 32767);
  EXPECT_EQ(TwipsToInteger(32767.6), 0);
  EXPECT_EQ(TwipsToInteger(-40000), 0);

  // A pane measured in pixels: 0 when it does not fit; a pane still as it was laid out keeps the
  // twips it came from, finer than its pixels.
  EXPECT_EQ(PaneTwipsToStore(200, {}), 3000);
  EXPECT_EQ(PaneTwipsToStore(2184, {}), 32760);
  EXPECT_EQ(PaneTwipsToStore(2185, {}), 0);
  EXPECT_EQ(PaneTwipsToStore(467, {7000, 467}), 7000);
  EXPECT_EQ(PaneTwipsToStore(468, {7000, 467}), 7020);
}

TEST_F(ConfigFileTest, MissingFileGivesDefaultsAndIsNotCreated) {
  const ConfigLoad load = LoadConfigFile(path_, Language::English);
  EXPECT_FALSE(load.Found);
  EXPECT_FALSE(load.Error.has_value());
  EXPECT_EQ(load.Data, ConfigData{});
  EXPECT_FALSE(fs::exists(path_));
}

TEST_F(ConfigFileTest, SavedDataIsReadBack) {
  WriteFile(std::string(5000, '\x5A'));
  ConfigData d;
  d.Panes.TreeViewSWidth = 3000;
  d.Params.SaveLibDir.Lang = 1;
  d.PathText = "/home";
  d.PathHistory = {{"/home", 2}};
  ASSERT_TRUE(SaveConfigFile(path_, d, Language::English).Ok());
  EXPECT_EQ(fs::file_size(path_), 5000u);
  const ConfigLoad load = LoadConfigFile(path_, Language::English);
  EXPECT_TRUE(load.Found);
  EXPECT_EQ(load.Data, d);
  EXPECT_EQ(ReadFile().substr(10, 89), std::string(89, '\x5A'));
}

TEST_F(ConfigFileTest, FailedWriteLeavesTheOldFileWhole) {
  const std::string old = EncodeConfig("", WithPaths("/old"), Language::English);
  WriteFile(old);
  int calls = 0;
  auto failing = [&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++calls > 2) {
      errno = ENOSPC;
      return -1;
    }
    return ::write(fd, data, std::min<std::size_t>(size, 100));  // short writes first
  };
  const Result<void> saved = SaveConfigFile(path_, WithPaths("/new"), Language::English, failing);
  ASSERT_FALSE(saved.Ok());
  EXPECT_EQ(saved.Error().sysErrno, ENOSPC);
  EXPECT_EQ(ReadFile(), old);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);

  // Short writes alone are no failure.
  calls = -1000;
  EXPECT_TRUE(SaveConfigFile(path_, WithPaths("/new"), Language::English, failing).Ok());
  EXPECT_EQ(LoadConfigFile(path_, Language::English).Data.PathText, "/new");
}

TEST_F(ConfigFileTest, SaveNamesTheFoldersLeftOutOnlyAfterAWrite) {
  const std::string tooLong = "/" + std::string(198, 'g');
  const ConfigData d = WithPaths(tooLong, {{"/a", 1}, {tooLong, 2}});
  auto failing = [](int, const void*, std::size_t) -> ssize_t {
    errno = ENOSPC;
    return -1;
  };
  std::vector<std::string> lost{"untouched"};
  EXPECT_FALSE(SaveConfigFile(path_, d, Language::English, failing, &lost).Ok());
  EXPECT_EQ(lost, std::vector<std::string>{"untouched"});

  ASSERT_TRUE(SaveConfigFile(path_, d, Language::English, {}, &lost).Ok());
  EXPECT_EQ(lost, std::vector<std::string>{tooLong});
  EXPECT_EQ(ReadFile(), EncodeConfig("", d, Language::English));
}

TEST_F(ConfigFileTest, HugeSparseFileIsReadOnlyAsFarAsItsLayoutAndKeepsEveryByte) {
  // 64 GiB, almost all of it a hole, with data far past the layout.
  constexpr off_t kSize = off_t{64} << 30;
  WriteFile(EncodeConfig("", WithPaths("/a", {{"/a", 1}}), Language::English));
  {
    std::fstream f(path_, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(3 << 20);
    f.write("MIDDLE", 6);
  }
  fs::resize_file(path_, static_cast<std::uintmax_t>(kSize));
  {
    std::fstream f(path_, std::ios::in | std::ios::out | std::ios::binary);
    f.seekp(kSize - 4);
    f.write("TAIL", 4);
  }
  auto at = [&](off_t offset, std::size_t n) {
    std::ifstream in(path_, std::ios::binary);
    in.seekg(offset);
    std::string s(n, '\0');
    in.read(s.data(), static_cast<std::streamsize>(n));
    return s;
  };

  const ConfigLoad load = LoadConfigFile(path_, Language::English);
  ASSERT_TRUE(load.Found);
  EXPECT_EQ(load.Data.PathHistory, (std::vector<PathEntry>{{"/a", 1}}));

  // A write that fails while the rest is copied leaves the old file as it was.
  int calls = 0;
  auto failing = [&](int fd, const void* data, std::size_t size) -> ssize_t {
    if (++calls > 1) {
      errno = EIO;
      return -1;
    }
    return ::write(fd, data, size);
  };
  ConfigData d = load.Data;
  d.Panes.TreeViewLWidth = 3000;
  EXPECT_FALSE(SaveConfigFile(path_, d, Language::English, failing).Ok());
  EXPECT_EQ(at(4, 2), std::string(2, '\0'));

  ASSERT_TRUE(SaveConfigFile(path_, d, Language::English).Ok());
  EXPECT_EQ(fs::file_size(path_), static_cast<std::uintmax_t>(kSize));
  EXPECT_EQ(at(4, 2), "\xB8\x0B");
  EXPECT_EQ(at(3 << 20, 6), "MIDDLE");
  EXPECT_EQ(at(kSize - 4, 4), "TAIL");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator{}), 1);
  struct stat st {};
  ASSERT_EQ(::stat(path_.c_str(), &st), 0);
  EXPECT_LT(st.st_blocks * 512, 64 << 20);  // the holes stayed holes
}

TEST_F(ConfigFileTest, UnreadableFileIsReportedAndNotOverwritten) {
  fs::create_directory(path_);  // a folder where the file should be
  const ConfigLoad load = LoadConfigFile(path_, Language::English);
  EXPECT_FALSE(load.Found);
  EXPECT_TRUE(load.Error.has_value());
  EXPECT_FALSE(SaveConfigFile(path_, ConfigData{}, Language::English).Ok());
  EXPECT_TRUE(fs::is_directory(path_));
}

}  // namespace
}  // namespace glimmora
