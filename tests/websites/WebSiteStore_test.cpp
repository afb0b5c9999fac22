#include "websites/WebSiteStore.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <random>

#include "support/TempDir.h"
#include "support/TestData.h"
#include "support/WebSiteTestFiles.h"

namespace glimmora {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Zeros(std::size_t n) { return std::string(n, '\0'); }
std::string Blanks(std::size_t n) { return std::string(n, ' '); }
std::string Count(int n) {
  return std::string{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF)};
}

// A record laid out by hand: six marked fields, an address of one letter (its scrambled bytes are
// the blanks after it), and the key.
std::string HandRecord(char tag, int key) {
  const auto m = static_cast<char>(key & 0xFF);
  std::string r;
  r += std::string(1, tag) + "\\\\" + Blanks(57);                // Name
  r += "\\\\" + Blanks(38);                                      // Auth
  r += "\\\\" + Blanks(3);                                       // Lang
  r += std::string(1, tag) + "\\\\" + Blanks(8);                 // Add, bytes 1-11 plain
  r += std::string(11, static_cast<char>(' ' ^ m)) + Blanks(123);  // bytes 12-22 scrambled
  r += "\\\\" + Blanks(118);                                     // Note
  r += "\\\\" + Blanks(198);                                     // Detail
  r += Zeros(4) + Count(key) + Zeros(24);
  return r;
}

WebSiteEntry Named(const char* name) {
  WebSiteEntry e;
  e.Name = name;
  return e;
}

std::string HandFile(const std::vector<std::string>& records, int count) {
  std::string f = Count(count) + Zeros(98);
  for (const auto& r : records) f += r;
  return f;
}

// How many names the folder of `path` holds: a replaced file leaves nothing behind.
int FilesBeside(const std::string& path) {
  const auto folder = std::filesystem::path(path).parent_path();
  return static_cast<int>(std::distance(std::filesystem::directory_iterator(folder), {}));
}

struct WebSiteStoreTest : ::testing::Test {
  TempDir dir;
  std::string path = WebSiteStore::PathIn(dir.str());
  WebSiteStore store{path};
  void SetUp() override {
    store.SetKeySource([] { return 1234; });
  }
};

TEST_F(WebSiteStoreTest, AddIntoAMissingFileWritesHeaderAndOneRecord) {
  ASSERT_FALSE(std::filesystem::exists(path));
  const WebSiteEntry e{"Free Icons", "Ann Lee", "EN", "https://icons.example.com", "Small note",
                       "Details here"};
  const WebStoreResult r = store.Add(e, Language::English);
  ASSERT_TRUE(r.Ok()) << r.Error;
  EXPECT_EQ(r.RecordNo, 1);
  EXPECT_EQ(r.Count, 1);

  std::string expected = "\x01" + Zeros(99);
  expected += "Free Icons\\\\" + Blanks(48);
  expected += "Ann Lee\\\\" + Blanks(31);
  expected += "EN\\\\ ";
  expected += "https://ico";
  expected += "\xBC\xA1\xFC\xB7\xAA\xB3\xBF\xA2\xBE\xB7\xFC";  // "ns.example." ^ 0xD2
  expected += "com\\\\" + Blanks(118);
  expected += "Small note\\\\" + Blanks(108);
  expected += "Details here\\\\" + Blanks(186);
  expected += Zeros(4) + "\xD2\x04" + Zeros(24);
  ASSERT_EQ(expected.size(), 700u);
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(FilesBeside(path), 1);

  const auto list = store.Get(Language::English);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].RecordNo, 1);
  EXPECT_EQ(list[0].Fields, e);
}

TEST_F(WebSiteStoreTest, ReadingNeverCreatesTheFile) {
  EXPECT_TRUE(store.Get(Language::English).empty());
  EXPECT_TRUE(store.Kill({1}).Ok());
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_FALSE(std::filesystem::exists(dir.path() / "WebSiteLib"));
}

TEST_F(WebSiteStoreTest, AddAfterTheListWasEmptiedOrLeftTwoBytes) {
  // What an older program leaves after deleting every entry: the count alone.
  WriteBytes(path, Count(0));
  ASSERT_TRUE(store.Add(Named("a"), Language::English).Ok());
  const std::string bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 700u);
  EXPECT_EQ(bytes.substr(0, 100), "\x01" + Zeros(99));
}

TEST_F(WebSiteStoreTest, SaveOverwritesOnlyItsRecordAndNeverOutsideTheList) {
  const std::string r1 = HandRecord('a', 300), r2 = HandRecord('b', 301), r3 = HandRecord('c', 302);
  WriteBytes(path, HandFile({r1, r2, r3}, 3));
  const WebStoreResult r = store.Save(2, {"New", "", "ENGL", "x.example.com", "", ""}, Language::English);
  ASSERT_TRUE(r.Ok()) << r.Error;
  EXPECT_EQ(r.Stored.Lang, "ENGL");
  const std::string bytes = ReadBytes(path);
  ASSERT_EQ(bytes.size(), 1900u);
  EXPECT_EQ(bytes.substr(100, 600), r1);
  EXPECT_EQ(bytes.substr(1300, 600), r3);
  EXPECT_EQ(bytes.substr(700 + 100, 5), "ENGL ");  // one byte short: padded, no lone backslash
  EXPECT_EQ(store.Get(Language::English)[1].Fields.Name, "New");

  const std::string before = ReadBytes(path);
  EXPECT_EQ(store.Save(0, Named("x"), Language::English).Status, WebStoreStatus::NoSuchRecord);
  EXPECT_EQ(store.Save(4, Named("x"), Language::English).Status, WebStoreStatus::NoSuchRecord);
  EXPECT_EQ(ReadBytes(path), before);
  std::filesystem::remove(path);
  EXPECT_EQ(store.Save(1, Named("x"), Language::English).Status, WebStoreStatus::NoSuchRecord);
  EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(WebSiteStoreTest, ALegacyFieldTheUserLeftKeepsItsBytes) {
  // A BIG5 language field 中文 fills four of its five bytes; in UTF-8 it would need six.
  std::string r1 = HandRecord('a', 300);
  r1.replace(100, 5, "\xA4\xA4\xA4\xE5 ");
  WriteBytes(path, HandFile({r1}, 1));
  WebSiteEntry e = store.Get(Language::ChineseBig5)[0].Fields;
  ASSERT_EQ(e.Lang, "中文");
  e.Note = "only the note changed";
  const WebStoreResult r = store.Save(1, e, Language::ChineseBig5);
  ASSERT_TRUE(r.Ok()) << r.Error;
  EXPECT_EQ(r.Stored, e);
  EXPECT_EQ(ReadBytes(path).substr(200, 5), "\xA4\xA4\xA4\xE5 ");
  EXPECT_EQ(store.Get(Language::ChineseBig5)[0].Fields.Lang, "中文");
  // Typed anew, it is stored in UTF-8, cut to what fits, and the result says so.
  e.Lang = "中文 ";
  EXPECT_EQ(store.Save(1, e, Language::ChineseBig5).Stored.Lang, "中");
}

TEST_F(WebSiteStoreTest, KillKeepsTheOtherRecordsByteForByte) {
  std::vector<std::string> recs;
  for (int i = 0; i < 5; ++i) recs.push_back(HandRecord(static_cast<char>('a' + i), 1000 + 37 * i));
  std::string original = HandFile(recs, 5);
  original[50] = 'h';  // header bytes nobody reads are kept as they are
  WriteBytes(path, original);

  ASSERT_TRUE(store.Kill({1, 4, 9}).Ok());
  std::string expected = HandFile({recs[1], recs[2], recs[4]}, 3);
  expected[50] = 'h';
  EXPECT_EQ(ReadBytes(path), expected);

  const auto list = store.Get(Language::English);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list[0].Fields.Name, "b");
  EXPECT_EQ(list[2].Fields.Address, "e");
  EXPECT_EQ(list[2].RecordNo, 3);

  // Nothing to drop: the file is not rewritten.
  const auto stamp = std::filesystem::last_write_time(path);
  std::filesystem::last_write_time(path, stamp - std::chrono::hours(1));
  EXPECT_TRUE(store.Kill({7}).Ok());
  EXPECT_EQ(std::filesystem::last_write_time(path), stamp - std::chrono::hours(1));

  ASSERT_TRUE(store.Kill({1, 2, 3}).Ok());
  EXPECT_EQ(ReadBytes(path), Zeros(50) + "h" + Zeros(49));
  EXPECT_TRUE(store.Get(Language::English).empty());
}

TEST_F(WebSiteStoreTest, ADamagedCountNeitherHidesNorLosesRecords) {
  // Two whole records and half of a third under a count of 5; then too small, zero or negative.
  // Every whole record is read, the mismatch is told, and an Add keeps every record and the half
  // one behind them.
  const std::string damaged = testing::TestDataBytes("website-list-count-too-large.Lib");
  ASSERT_EQ(damaged.size(), 1600u);
  for (const int count : {5, 1, 0, -3}) {
    WriteBytes(path, Count(count) + damaged.substr(2));
    bool matches = true;
    EXPECT_EQ(store.Get(Language::English, nullptr, &matches).size(), 2u) << count;
    EXPECT_FALSE(matches);
    const WebStoreResult r = store.Add(Named("c"), Language::English);
    ASSERT_TRUE(r.Ok());
    EXPECT_EQ(r.RecordNo, 3);
    const std::string bytes = ReadBytes(path);
    ASSERT_EQ(bytes.size(), 2200u);
    EXPECT_EQ(bytes.substr(0, 2), Count(3));
    EXPECT_EQ(bytes.substr(100, 1200), damaged.substr(100, 1200));
    EXPECT_EQ(bytes.substr(1900), damaged.substr(1300));
    store.Get(Language::English, nullptr, &matches);
    EXPECT_TRUE(matches);
  }
}

TEST_F(WebSiteStoreTest, FullListRefusesAnotherEntry) {
  std::string bytes = Count(kWebMaxRecords) + Zeros(98);
  const std::string r = HandRecord('z', 77);
  bytes.reserve(100 + 600u * kWebMaxRecords);
  for (int i = 0; i < kWebMaxRecords; ++i) bytes += r;
  WriteBytes(path, bytes);
  const WebStoreResult res = store.Add(Named("one too many"), Language::English);
  EXPECT_EQ(res.Status, WebStoreStatus::Full);
  EXPECT_EQ(ReadBytes(path), bytes);
  EXPECT_EQ(store.Get(Language::English).size(), static_cast<std::size_t>(kWebMaxRecords));
}

// Fails the n-th file operation (counting from 1) and records the calls.
class FailingFileOps : public FileOps {
 public:
  explicit FailingFileOps(int failAt) : failAt_(failAt) {}
  int Create(const std::string& p, mode_t m) override { return Step() ? real_.Create(p, m) : -1; }
  bool Write(int h, std::string_view b) override {
    if (!Step()) {
      real_.Write(h, b.substr(0, b.size() / 2));  // a torn write
      return false;
    }
    return real_.Write(h, b);
  }
  bool SetMode(int h, mode_t m) override { return Step() && real_.SetMode(h, m); }
  bool Flush(int h) override { return Step() && real_.Flush(h); }
  bool Close(int h) override {
    const bool ok = Step();
    real_.Close(h);
    return ok;
  }
  bool Rename(const std::string& a, const std::string& b) override { return Step() && real_.Rename(a, b); }
  void Remove(const std::string& p) override { real_.Remove(p); }
  int calls = 0;

 private:
  bool Step() { return ++calls != failAt_; }
  int failAt_;
  PosixFileOps real_;
};

TEST_F(WebSiteStoreTest, AFailedWriteAtAnyStepLeavesTheOldFileWhole) {
  const std::string original = HandFile({HandRecord('a', 1), HandRecord('b', 2)}, 2);
  for (int step = 1; step <= 6; ++step) {
    for (int op = 0; op < 3; ++op) {
      SCOPED_TRACE("step " + std::to_string(step) + " op " + std::to_string(op));
      WriteBytes(path, original);
      FailingFileOps ops(step);
      store.SetFileOps(ops);
      WebStoreResult r;
      if (op == 0) r = store.Add(Named("new"), Language::English);
      if (op == 1) r = store.Save(1, Named("changed"), Language::English);
      if (op == 2) r = store.Kill({1});
      EXPECT_EQ(r.Status, WebStoreStatus::WriteFailed);
      EXPECT_FALSE(r.Error.empty());
      EXPECT_EQ(r.Count, 2);
      EXPECT_EQ(ReadBytes(path), original);
      EXPECT_EQ(FilesBeside(path), 1);
    }
  }
  FailingFileOps never(0);
  store.SetFileOps(never);
  EXPECT_TRUE(store.Add(Named("new"), Language::English).Ok());
  EXPECT_EQ(never.calls, 6);
}

TEST_F(WebSiteStoreTest, AListThatCannotBeReadIsNeverWrittenOverAsEmpty) {
  // Something that exists but cannot be read as the list (here a pipe, then a folder): a change
  // must fail and leave it, not replace it with a list holding only the new entry.
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
  // Delete too: it must not report success (the page would then clear its list).
  for (int op = 0; op < 3; ++op) {
    const WebStoreResult r = op == 0   ? store.Add(Named("new"), Language::English)
                             : op == 1 ? store.Save(1, Named("changed"), Language::English)
                                       : store.Kill({1});
    EXPECT_EQ(r.Status, WebStoreStatus::WriteFailed);
    EXPECT_FALSE(r.Error.empty());
    EXPECT_TRUE(std::filesystem::is_fifo(path));
  }
  std::filesystem::remove(path);
  std::filesystem::create_directory(path);
  const WebStoreResult r = store.Add(Named("new"), Language::English);
  EXPECT_EQ(r.Status, WebStoreStatus::WriteFailed);
  EXPECT_FALSE(r.Error.empty());
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(WebSiteStoreTest, DamagedFilesLoadWithoutHarm) {
  std::string good;
  {
    WebSiteStore maker(path);
    for (const char* name : {"one", "two", "three"})
      maker.Add({name, "auth", "EN", "https://icons.example.com/long/path", "n", "d"}, Language::English);
    good = ReadBytes(path);
  }
  for (std::size_t len = 0; len <= good.size(); len += 7) {
    WriteBytes(path, good.substr(0, len));
    const auto list = store.Get(Language::ChineseGB);
    EXPECT_EQ(list.size(), len < 100 ? 0u : (len - 100) / 600);
  }
  std::mt19937 rng(7);
  for (int round = 0; round < 300; ++round) {
    std::string bad = good;
    const int flips = 1 + static_cast<int>(rng() % 40);
    for (int i = 0; i < flips; ++i) bad[rng() % bad.size()] = static_cast<char>(rng());
    if (round % 3 == 0) bad.resize(rng() % bad.size());
    WriteBytes(path, bad);
    for (Language lang : {Language::English, Language::ChineseGB, Language::ChineseBig5}) {
      for (const auto& site : store.Get(lang))
        for (int f = 0; f < kWebFieldCount; ++f)
          EXPECT_LE(site.Fields.Field(f).size(), 3 * kWebFields[static_cast<std::size_t>(f)].width);
    }
    EXPECT_TRUE(store.Add(Named("after damage"), Language::English).Ok());
  }
}

}  // namespace
}  // namespace glimmora

namespace glimmora {
namespace {

TEST(ShippedWebSiteList, HoldsEveryEntryOfTheSourceTable) {
  const std::string tsv = testing::ReadBytes(std::string(GLIMMORA_SOURCE_DIR) + "/data/websites/sites.tsv");
  std::size_t lines = 0;
  for (std::size_t at = 0; at < tsv.size();) {
    const auto end = tsv.find('\n', at);
    const std::string line = tsv.substr(at, end == std::string::npos ? std::string::npos : end - at);
    if (!line.empty() && line[0] != '#') ++lines;
    if (end == std::string::npos) break;
    at = end + 1;
  }
  WebSiteStore shipped(WebSiteStore::PathIn(GLIMMORA_APP_DIR));
  const auto list = shipped.Get(Language::English);
  ASSERT_EQ(list.size(), lines);
  for (const auto& site : list) {
    EXPECT_FALSE(site.Fields.Name.empty());
    EXPECT_NE(site.Fields.Address.find("://"), std::string::npos) << site.Fields.Address;
  }
}

}  // namespace
}  // namespace glimmora
