// The library files: their layout against bytes written by hand, appending, compaction and
// field rewrites, each with a failure or a crash at every file step.

#include <gtest/gtest.h>

#include "common/Paths.h"
#include "library/LibFiles.h"
#include "library/LibFormat.h"
#include "library/LibPages.h"
#include "library/LibraryReader.h"
#include "library/LibraryWriter.h"
#include "support/IconFixtures.h"
#include "support/LibTestFiles.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace glimmora {
namespace {

using namespace libtest;

class LibraryStoreTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  std::string src() const { return (dir.path() / "cats_(Cats).src").string(); }
  std::string dat() const { return (dir.path() / "cats_(Cats).dat").string(); }

  // A library of `n` icons built by hand: 16 x 16 at 4 bits, each body from its own seed.
  std::vector<Bytes> MakeLibrary(int n, const std::string& datName = "cats_(Cats).dat") {
    std::vector<Bytes> icons;
    std::string entries, bodies;
    for (int i = 1; i <= n; ++i) {
      icons.push_back(TestIco(16, 16, 4, i));
      const std::string body = BodyOf(icons.back());
      entries += HandEntry(257 + 180 * (i - 1), std::uint32_t(bodies.size() + 1), std::uint32_t(body.size()), 16, 16,
                           4, "kw" + std::to_string(i) + "\\\\");
      bodies += body;
    }
    WriteAll(src(), HandHead("Cats", "cats", std::uint32_t(n)) + entries);
    WriteAll(dir.path() / datName, bodies);
    return icons;
  }

  std::vector<Bytes> Icons() const {
    std::vector<Bytes> out;
    const LibraryReader r = LibraryReader::Open(src());
    for (int i = 1; i <= r.IconCount(); ++i) out.push_back(r.IcoBytes(i).value_or(Bytes{}));
    return out;
  }

  bool NoScratchFiles() const {
    for (const auto& e : fs::directory_iterator(dir.path())) {
      const std::string n = e.path().filename().string();
      if (n.ends_with(".new") || n.ends_with(".commit") || n.ends_with(".lock")) return false;
    }
    return true;
  }
};

TEST_F(LibraryStoreTest, EntryOneAtPosition257ScramblesDataPosOneAs28F2) {
  EXPECT_EQ(EntryPos(1), 257);
  EXPECT_EQ(EntryPos(2), 437);
  EXPECT_EQ(ScrambleKey(257), 0x28F3u);
  LibSrcItem item = NewSrcItem(32, 32, 4, 1, 0);
  const std::string bytes = EncodeSrcItem(item, 257);
  EXPECT_EQ(bytes.substr(0, 4), std::string("\xF2\x28\x00\x00", 4));
  EXPECT_EQ(bytes.substr(4, 4), std::string("\xF3\x28\x00\x00", 4));
  EXPECT_EQ(bytes.substr(8, 5), std::string("\x20\x20\x04\x00\x00", 5));
  EXPECT_EQ(bytes.substr(13, 37), "\\\\" + std::string(35, ' '));
  EXPECT_EQ(bytes.substr(50), std::string(130, '\0'));
  // The same bytes read at another position are another icon.
  const LibSrcItem moved = DecodeSrcItem(bytes, 437);
  EXPECT_NE(moved.DataPos, 1);
}

TEST_F(LibraryStoreTest, NewHeaderAndKeywordFields) {
  const std::string head = EncodeSrcHead(NewSrcHead("Glimmora  made", "Cats", "cats"));
  ASSERT_EQ(head.size(), 256u);
  EXPECT_EQ(head.substr(0, 14), "Glimmora  made");
  EXPECT_EQ(head.substr(100, 20), Padded("Cats\\\\", 20));
  EXPECT_EQ(head.substr(120, 20), Padded("cats\\\\", 20));
  EXPECT_EQ(head.substr(140), std::string(116, '\0'));

  const std::string k35(35, 'k'), k36(36, 'k'), k40(40, 'k');
  EXPECT_EQ(FieldBytes(k35, 37), k35 + "\\\\");
  // No half mark: a reader would take the backslash as part of the keyword.
  EXPECT_EQ(FieldBytes(k36, 37), k36 + " ");
  EXPECT_EQ(FieldBytes(k40, 37), std::string(37, 'k'));
  EXPECT_EQ(FieldText(k35 + "\\\\", Language::English), k35);
  EXPECT_EQ(FieldText(std::string(37, 'k'), Language::English), std::string(37, 'k'));
  EXPECT_EQ(FieldText("ab\\\\cd\\\\  ", Language::English), "ab");
  EXPECT_EQ(FieldText(std::string(20, '\0'), Language::English), "");
  // A field written on a Windows desktop in its code page reads back in that code page.
  EXPECT_EQ(FieldText("caf\xE9\\\\ ", Language::English), "caf\xC3\xA9");
  // The tree's reading of the header fields: no mark, no name.
  EXPECT_EQ(HeadFieldText(std::string(20, 'x'), Language::English), "");
  // Double-byte characters whose second byte is a backslash (BIG5 許功蓋, GBK 乗) are whole
  // characters, not the start of the mark; only a mark that starts a character ends the field.
  struct Legacy {
    std::string field;
    Language lang;
    const char* text;
  };
  for (const Legacy& c : {Legacy{"\xB3\x5C\xA5\x5C\xBB\x5C\\\\  ", Language::ChineseBig5, "許功蓋"},
                          Legacy{"\xA5\x5C\\\\", Language::ChineseBig5, "功"},
                          Legacy{"\x81\x5C\\\\x\\\\", Language::ChineseGB, "乗"}}) {
    EXPECT_EQ(FieldText(c.field, c.lang), c.text) << c.field;
    EXPECT_EQ(HeadFieldText(c.field, c.lang), c.text) << c.field;
  }
}

TEST_F(LibraryStoreTest, TakenOutIconHasTheLibraryHeaders) {
  const std::vector<Bytes> icons = MakeLibrary(2);
  const LibraryReader r = LibraryReader::Open(src());
  ASSERT_TRUE(r.Ok());
  EXPECT_EQ(r.IconCount(), 2);
  const Bytes ico = *r.IcoBytes(2);
  const std::size_t bodySize = icons[1].size() - 62;
  std::string want = std::string("\0\0\1\0\1\0\x10\x10\x10\0\1\0\x04\0", 14) + Le32(std::uint32_t(bodySize + 40)) +
                     Le32(22) + Le32(40) + Le32(16) + Le32(32) + std::string("\1\0\4\0", 4) + Le32(0) + Le32(2) +
                     std::string(16, '\0') + BodyOf(icons[1]);
  EXPECT_EQ(std::string(ico.begin(), ico.end()), want);
  EXPECT_EQ(FieldText(r.Item(2)->Keyword, Language::English), "kw2");
  EXPECT_FALSE(r.Item(0));
  EXPECT_FALSE(r.Item(3));
}

TEST_F(LibraryStoreTest, ReadingNeverCreatesFiles) {
  const LibraryReader missing = LibraryReader::Open(src());
  EXPECT_EQ(missing.Status(), LibOpenStatus::Missing);
  WriteAll(src(), HandHead("Cats", "cats", 0));
  const LibraryReader noDat = LibraryReader::Open(src());
  EXPECT_TRUE(noDat.Ok());
  EXPECT_FALSE(noDat.HasDat());
  EXPECT_FALSE(fs::exists(dat()));
}

TEST_F(LibraryStoreTest, DataFileFoundInAnyCase) {
  const auto icons = MakeLibrary(1, "CATS_(CATS).DAT");
  const LibraryReader r = LibraryReader::Open(src());
  ASSERT_TRUE(r.HasDat());
  EXPECT_EQ(*r.IcoBytes(1), LibraryIcoBytes(*r.Item(1), Bytes(icons[0].begin() + 62, icons[0].end())));
  // Deleting keeps the data file under its own name.
  const EntryId id{1, EntryStamp(*r.Item(1))};
  ASSERT_TRUE(DeleteEntries(src(), std::span<const EntryId>(&id, 1)).Ok);
  EXPECT_TRUE(fs::exists(dir.path() / "CATS_(CATS).DAT"));
  EXPECT_FALSE(fs::exists(dat()));
}

TEST_F(LibraryStoreTest, AppendWritesTheFilesByteForByte) {
  WriteAll(src(), HandHead("Cats", "cats", 0));
  WriteAll(dat(), std::string());
  // What a killed change leaves of its lock locks nothing, and goes with the next change.
  WriteAll(dir.path() / "cats_(Cats).src.lock", std::string());
  const Bytes a = TestIco(32, 32, 4, 7), b = TestIco(16, 16, 8, 9);
  std::vector<LibIconBody> bodies = {*IconBodyForLibrary(a), *IconBodyForLibrary(b)};
  const LibWriteResult r = AppendIcons(src(), bodies);
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.IconCount, 2);
  const std::uint32_t sa = std::uint32_t(a.size() - 62), sb = std::uint32_t(b.size() - 62);
  const std::string want = HandHead("Cats", "cats", 2, 256 + 360, sa + sb) + HandEntry(257, 1, sa, 32, 32, 4) +
                           HandEntry(437, 1 + sa, sb, 16, 16, 8);
  EXPECT_EQ(ReadAll(src()), want);
  EXPECT_EQ(ReadAll(dat()), BodyOf(a) + BodyOf(b));
  EXPECT_TRUE(NoScratchFiles());
}

TEST_F(LibraryStoreTest, AppendRefusesWhatTheFormatCannotHold) {
  const std::string cut = testing::TestDataBytes("icon-too-short-for-its-rows.ico");  // 16 x 16 at 4 bits, 10 bytes short
  EXPECT_FALSE(IconBodyForLibrary(Bytes(cut.begin(), cut.end())));
  Bytes png = TestIco(16, 16, 4, 1);
  png[22] = 0x89;  // no bitmap header where the image starts
  EXPECT_FALSE(IconBodyForLibrary(png));
  EXPECT_FALSE(IconBodyForLibrary(TestIco(16, 16, 3, 1)));

  MakeLibrary(1);
  // A header counting more entries than the file holds is damage, not room for new icons.
  WriteAll(src(), HandHead("Cats", "cats", 5) + ReadAll(src()).substr(256));
  const Bytes a = TestIco(16, 16, 4, 2);
  std::vector<LibIconBody> bodies = {*IconBodyForLibrary(a)};
  const std::string before = ReadAll(src());
  EXPECT_FALSE(AppendIcons(src(), bodies).Ok);
  EXPECT_EQ(ReadAll(src()), before);

  // A data file that lost its tail: the last entry reaches past its end, and would read the new
  // icon's bytes as its own.
  const std::string src3 = testing::TestDataBytes("library-data-lost-its-tail.src");
  const std::string dat3 = testing::TestDataBytes("library-data-lost-its-tail.dat");
  WriteAll(src(), src3);
  WriteAll(dat(), dat3);
  const LibWriteResult r = AppendIcons(src(), bodies);
  EXPECT_FALSE(r.Ok);
  EXPECT_NE(r.Error.find("Icon 3 "), std::string::npos) << r.Error;
  EXPECT_EQ(ReadAll(src()), src3);
  EXPECT_EQ(ReadAll(dat()), dat3);
}

TEST_F(LibraryStoreTest, AppendRefusesPast32767Icons) {
  WriteAll(src(), HandHead("Cats", "cats", 32766) + std::string(180 * 32766, '\0'));
  WriteAll(dat(), std::string());
  const Bytes a = TestIco(16, 16, 4, 2);
  std::vector<LibIconBody> two = {*IconBodyForLibrary(a), *IconBodyForLibrary(a)};
  const LibWriteResult r = AppendIcons(src(), two);
  EXPECT_FALSE(r.Ok);
  EXPECT_NE(r.Error.find("32767"), std::string::npos);
  EXPECT_EQ(LibraryReader::Open(src()).IconCount(), 32766);
}

TEST_F(LibraryStoreTest, DeletingCompactsKeepingEveryOtherIconByteForByte) {
  const std::vector<Bytes> icons = MakeLibrary(5);
  const std::vector<Bytes> before = Icons();
  const LibraryReader r = LibraryReader::Open(src());
  const std::vector<EntryId> ids = {{3, EntryStamp(*r.Item(3))}, {4, EntryStamp(*r.Item(4))}};
  const DeleteResult d = DeleteEntries(src(), ids);
  ASSERT_TRUE(d.Ok) << d.Error;
  EXPECT_EQ(d.IconCount, 3);
  EXPECT_EQ(d.Deleted, 2);
  EXPECT_FALSE(d.FirstEntryGone);
  const std::uint32_t s = std::uint32_t(icons[0].size() - 62);
  const std::string want = HandHead("Cats", "cats", 3, 256 + 540, 3 * s) + HandEntry(257, 1, s, 16, 16, 4, "kw1\\\\") +
                           HandEntry(437, 1 + s, s, 16, 16, 4, "kw2\\\\") +
                           HandEntry(617, 1 + 2 * s, s, 16, 16, 4, "kw5\\\\");
  EXPECT_EQ(ReadAll(src()), want);
  EXPECT_EQ(ReadAll(dat()), BodyOf(icons[0]) + BodyOf(icons[1]) + BodyOf(icons[4]));
  EXPECT_EQ(Icons(), (std::vector<Bytes>{before[0], before[1], before[4]}));
  EXPECT_TRUE(NoScratchFiles());
}

TEST_F(LibraryStoreTest, DeletingEveryIconLeavesTheHeaderAndAnEmptyDataFile) {
  MakeLibrary(2);
  const LibraryReader r = LibraryReader::Open(src());
  const std::vector<EntryId> ids = {{1, EntryStamp(*r.Item(1))}, {2, EntryStamp(*r.Item(2))}};
  const DeleteResult d = DeleteEntries(src(), ids);
  ASSERT_TRUE(d.Ok);
  EXPECT_TRUE(d.FirstEntryGone);
  EXPECT_EQ(ReadAll(src()), HandHead("Cats", "cats", 0, 256, 0));
  EXPECT_EQ(ReadAll(dat()), "");
}

// Entries may share one body; compacting gives each its own copy. A library that would pass the
// 32-bit positions that way, or whose entries point outside its data file, is refused unwritten.
TEST_F(LibraryStoreTest, DeletingRefusesADataFilePast2GBOrEntriesOutsideIt) {
  const std::uint32_t big = 255 * 255 * 4 + 32 * 255;
  const int n = 8300;
  std::string entries;
  for (int i = 1; i <= n; ++i) entries += HandEntry(257 + 180 * std::uint32_t(i - 1), 1, big, 255, 255, 32);
  WriteAll(src(), HandHead("Cats", "cats", n) + entries);
  WriteAll(dat(), std::string(big, 'x'));
  const std::string before = ReadAll(src());
  const auto deleteFirst = [&] {
    const LibraryReader r = LibraryReader::Open(src());
    const EntryId id{1, EntryStamp(*r.Item(1))};
    return DeleteEntries(src(), std::span<const EntryId>(&id, 1));
  };
  DeleteResult d = deleteFirst();
  EXPECT_FALSE(d.Ok);
  EXPECT_NE(d.Error.find("2 GB"), std::string::npos) << d.Error;
  EXPECT_EQ(ReadAll(src()), before);
  EXPECT_EQ(fs::file_size(dat()), big);
  EXPECT_TRUE(NoScratchFiles());

  MakeLibrary(3);
  std::string src3 = ReadAll(src());
  src3.replace(256 + 360, 180, HandEntry(617, 1 + 4 * 1000, 100, 16, 16, 4));
  WriteAll(src(), src3);
  d = deleteFirst();
  EXPECT_FALSE(d.Ok);
  EXPECT_EQ(ReadAll(src()), src3);
  EXPECT_TRUE(NoScratchFiles());
}

TEST_F(LibraryStoreTest, WritesRefuseEntriesOutsideTheLibraryOrRenumbered) {
  MakeLibrary(3);
  const std::string before = ReadAll(src());
  const LibraryReader r = LibraryReader::Open(src());
  const std::uint64_t stamp3 = EntryStamp(*r.Item(3));
  for (const EntryId id : {EntryId{0, 0}, EntryId{4, 0}, EntryId{-1, 0}, EntryId{2, stamp3}}) {
    EXPECT_FALSE(DeleteEntries(src(), std::span<const EntryId>(&id, 1)).Ok);
    EXPECT_FALSE(SetKeyword(src(), std::span<const EntryId>(&id, 1), "x").Ok);
    EXPECT_FALSE(SetAuthor(src(), id, {"a", "b", "c", "d"}).Ok);
  }
  EXPECT_EQ(ReadAll(src()), before);
}

TEST_F(LibraryStoreTest, KeywordAndAuthorChangeOnlyTheirBytes) {
  MakeLibrary(3);
  const std::string before = ReadAll(src());
  const LibraryReader r = LibraryReader::Open(src());
  const std::vector<EntryId> ids = {{1, EntryStamp(*r.Item(1))}, {3, EntryStamp(*r.Item(3))}};
  ASSERT_TRUE(SetKeyword(src(), ids, "red").Ok);
  ASSERT_TRUE(SetAuthor(src(), ids[1], {"Ann", "", std::string(45, 'h'), std::string(50, 'n')}).Ok);
  std::string want = before;
  want.replace(256 + 13, 37, Padded("red\\\\", 37));
  want.replace(256 + 360 + 13, 37, Padded("red\\\\", 37));
  // The e-mail field left empty keeps the zeros a new entry has.
  want.replace(256 + 360 + 50, 130, Padded("Ann\\\\", 20) + std::string(20, '\0') + std::string(40, 'h') + std::string(50, 'n'));
  EXPECT_EQ(ReadAll(src()), want);

  // A legacy BIG5 field the user left alone keeps its bytes, although in UTF-8 it would not fit
  // (中文中文中文中 is 14 bytes in BIG5, 21 in UTF-8); a changed one is stored, cut, in UTF-8.
  const std::string big5 = Padded("\xA4\xA4\xA4\xE5\xA4\xA4\xA4\xE5\xA4\xA4\xA4\xE5\xA4\xA4\\\\", 20);
  std::string legacy = ReadAll(src());
  legacy.replace(256 + 360 + 50, 20, big5);
  WriteAll(src(), legacy);
  const LibSrcItem was = *LibraryReader::Open(src()).Item(3);
  const EntryId id3{3, EntryStamp(was)};
  const AuthorFields typed{"中文中文中文中", "", std::string(40, 'h'), "note"};
  ASSERT_TRUE(SetAuthor(src(), id3, typed, DefaultLibraryFileOps(), Language::ChineseBig5).Ok);
  EXPECT_EQ(LibraryReader::Open(src()).Item(3)->AuthorName, big5);
  EXPECT_EQ(StoredAuthorFields(typed, was, Language::ChineseBig5).AuthorName, typed.AuthorName);
  EXPECT_EQ(StoredAuthorFields({"中文中文中文文", "", "", ""}, was, Language::ChineseBig5).AuthorName, "中文中文中文");
}

// Runs `change` on a fresh copy of the library with the file step `step` failing (or, with
// `crash`, stopping everything from there on), then checks that the library is exactly the old or
// exactly the new set of icons, before and after recovery, and that recovery leaves no scratch
// file. A failed change leaves the data file as it was; a crashed one may leave bytes behind it,
// which opening the library cuts off. Returns false once `step` lies beyond the last step of the
// change.
template <typename Change>
bool CheckStep(LibraryStoreTest& t, const std::function<void()>& make, const std::vector<Bytes>& oldSet,
               const std::vector<Bytes>& newSet, int step, bool crash, Change change,
               const std::function<std::vector<Bytes>()>& icons, const std::function<bool()>& clean,
               const std::string& src) {
  make();
  const std::string oldSrc = ReadAll(src);
  const std::string dat = LibBasePath(src) + ".dat";
  const std::string oldDat = ReadAll(dat);
  FaultyOps ops;
  ops.failAt = step;
  ops.crash = crash;
  const bool ok = change(ops);
  const bool reached = ops.calls >= step;
  const std::vector<Bytes> seen = icons();
  if (ok && !crash) {
    EXPECT_EQ(seen, newSet) << "step " << step;
  }
  if (!ok && !crash) {
    EXPECT_EQ(seen, oldSet) << "step " << step;
    EXPECT_EQ(ReadAll(src), oldSrc) << "step " << step;
    EXPECT_EQ(ReadAll(dat), oldDat) << "step " << step;
  }
  EXPECT_TRUE(seen == oldSet || seen == newSet) << "step " << step << (crash ? " crash" : " failure");
  // A look at the library (opening it, or its category in the tree) finishes or rolls back.
  if (step % 2 == 0) {
    static const testing::TempDir work;
    GetIcoFromLib({src, "C", "Cats", 0, 50, work.str()}, testing::RowNumberTable());
  } else {
    TidyCategoryFolder(FolderOfPath(src));
  }
  const std::vector<Bytes> after = icons();
  EXPECT_TRUE(after == oldSet || after == newSet) << "step " << step;
  EXPECT_EQ(after, seen) << "recovery changed the set at step " << step;
  EXPECT_TRUE(clean()) << "scratch files left at step " << step;
  if (step % 2 == 0 && after == oldSet) {
    EXPECT_EQ(ReadAll(dat), oldDat) << "step " << step;
  }
  return reached;
}

TEST_F(LibraryStoreTest, CompactionIsOldOrNewAfterAFailureOrCrashAtEveryStep) {
  const auto make = [&] {
    for (const auto& e : fs::directory_iterator(dir.path())) fs::remove(e.path());
    MakeLibrary(5);
  };
  make();
  const std::vector<Bytes> oldSet = Icons();
  const std::vector<Bytes> newSet = {oldSet[1], oldSet[3]};
  const auto change = [&](LibraryFileOps& ops) {
    const LibraryReader r = LibraryReader::Open(src());
    std::vector<EntryId> ids;
    for (int e : {1, 3, 5}) ids.push_back({e, EntryStamp(*r.Item(e))});
    return DeleteEntries(src(), ids, ops).Ok;
  };
  for (bool crash : {false, true}) {
    int steps = 0;
    for (int step = 1; step < 40; ++step, ++steps)
      if (!CheckStep(*this, make, oldSet, newSet, step, crash, change, [&] { return Icons(); },
                     [&] { return NoScratchFiles(); }, src()))
        break;
    EXPECT_GE(steps, 9);  // create, write, flush, close twice, then three renames
  }
}

TEST_F(LibraryStoreTest, AppendIsOldOrNewAfterAFailureOrCrashAtEveryStep) {
  const auto make = [&] {
    for (const auto& e : fs::directory_iterator(dir.path())) fs::remove(e.path());
    MakeLibrary(2);
  };
  make();
  const std::vector<Bytes> oldSet = Icons();
  const Bytes a = TestIco(32, 32, 8, 40), b = TestIco(16, 16, 1, 41);
  std::vector<LibIconBody> bodies = {*IconBodyForLibrary(a), *IconBodyForLibrary(b)};
  std::vector<Bytes> newSet = oldSet;
  newSet.push_back(a);
  newSet.push_back(b);
  // The library gives its icons back with its own headers: compare what it gives.
  make();
  ASSERT_TRUE(AppendIcons(src(), bodies).Ok);
  newSet = Icons();
  const auto change = [&](LibraryFileOps& ops) { return AppendIcons(src(), bodies, ops).Ok; };
  for (bool crash : {false, true}) {
    for (int step = 1; step < 40; ++step)
      if (!CheckStep(*this, make, oldSet, newSet, step, crash, change, [&] { return Icons(); },
                     [&] { return NoScratchFiles(); }, src()))
        break;
  }
}

TEST_F(LibraryStoreTest, KeywordRewriteIsOldOrNewAfterAFailureOrCrashAtEveryStep) {
  const auto make = [&] {
    for (const auto& e : fs::directory_iterator(dir.path())) fs::remove(e.path());
    MakeLibrary(2);
  };
  const auto keywords = [&] {
    std::vector<Bytes> out;
    const LibraryReader r = LibraryReader::Open(src());
    for (int i = 1; i <= r.IconCount(); ++i) {
      const std::string raw = *r.RawItem(i);
      out.emplace_back(raw.begin(), raw.end());
    }
    return out;
  };
  make();
  const std::vector<Bytes> oldSet = keywords();
  const auto change = [&](LibraryFileOps& ops) {
    const LibraryReader r = LibraryReader::Open(src());
    const EntryId id{2, EntryStamp(*r.Item(2))};
    return SetKeyword(src(), std::span<const EntryId>(&id, 1), "blue", ops).Ok;
  };
  FaultyOps none;
  ASSERT_TRUE(change(none));
  const std::vector<Bytes> newSet = keywords();
  for (bool crash : {false, true})
    for (int step = 1; step < 20; ++step)
      if (!CheckStep(*this, make, oldSet, newSet, step, crash, change, keywords, [&] { return NoScratchFiles(); },
                     src()))
        break;
}

}  // namespace
}  // namespace glimmora
