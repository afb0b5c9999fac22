// The library folders as the tree reads them, creating and deleting categories and libraries,
// and library files cut short or scribbled over.

#include <gtest/gtest.h>

#include <set>

#include <random>

#include "icons/Dib.h"
#include "library/KeywordSearch.h"
#include "library/LibCatalog.h"
#include "library/LibManager.h"
#include "library/LibPages.h"
#include "library/LibraryWriter.h"
#include "support/IconFixtures.h"
#include "support/LibTestFiles.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

using namespace libtest;

class LibraryFoldersTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  LanguageTable lang = testing::RowNumberTable();
  testing::ScriptedPrompter prompter;
  fs::path lib() const { return dir.path() / "IconLib"; }
  void SetUp() override { fs::create_directories(lib()); }

  fs::path Category(const std::string& folder) {
    fs::create_directories(lib() / folder);
    return lib() / folder;
  }
  void Library(const fs::path& cat, const std::string& file, const std::string& name, const std::string& key, int n,
               const std::string& datName = "") {
    std::string entries, bodies;
    for (int i = 1; i <= n; ++i) {
      const std::string body = BodyOf(TestIco(32, 32, 4, i));
      entries += HandEntry(257 + 180 * (i - 1), std::uint32_t(bodies.size() + 1), std::uint32_t(body.size()), 32, 32, 4);
      bodies += body;
    }
    WriteAll(cat / file, HandHead(name, key, std::uint32_t(n)) + entries);
    if (!datName.empty()) WriteAll(cat / datName, bodies);
  }
};

TEST_F(LibraryFoldersTest, CategoriesAndLibrariesAsTheTreeShowsThem) {
  const fs::path animals = Category("z_an_(Animals)");
  const fs::path empty = Category("z_em_(Empty)");
  Library(animals, "CATS_(Cats).SRC", "Cats", "cats", 2, "cats_(cats).dat");
  Library(animals, "dogs_(Dogs).src", "Dogs", "dogs", 3);  // no data file
  Library(empty, "x_(Again).src", "Again", "cats", 1, "x_(Again).dat");  // key already taken
  WriteAll(animals / "notes.txt", std::string("x"));
  const auto cats = ReadLibraryFolders(lib().string(), Language::English);
  ASSERT_EQ(cats.size(), 2u);
  EXPECT_EQ(cats[0].Name, "Animals");
  EXPECT_EQ(cats[0].Folder, animals.string());
  ASSERT_EQ(cats[0].Libraries.size(), 2u);
  const LibraryInfo& c = cats[0].Libraries[0];
  EXPECT_EQ(c.NodeText(), "Cats (2)");
  EXPECT_EQ(c.LibKey, "cats");
  EXPECT_TRUE(c.HasDat);
  EXPECT_TRUE(c.ShowsOwnPicture());
  const LibraryInfo& d = cats[0].Libraries[1];
  EXPECT_EQ(d.NodeText(), "Dogs (3)");
  EXPECT_FALSE(d.ShowsOwnPicture());
  EXPECT_TRUE(cats[1].Libraries.empty());
  EXPECT_FALSE(fs::exists(animals / "dogs_(Dogs).dat"));

  // The tree picture: made from entry 1 at 16 x 16, and nothing for a library without data.
  const auto pic = EnsureTreePicture(c);
  ASSERT_TRUE(pic);
  const std::string bytes = ReadAll(*pic);
  ASSERT_GE(bytes.size(), 22u);
  EXPECT_EQ(bytes[6], 16);
  EXPECT_EQ(bytes[7], 16);
  EXPECT_FALSE(EnsureTreePicture(d));
  // An existing larger picture is shrunk in place.
  WriteAll(animals / "cats.ico", TestIco(32, 32, 4, 5));
  EXPECT_TRUE(CheckIco16x16((animals / "cats.ico").string()));
  EXPECT_EQ(ReadAll(animals / "cats.ico")[6], 16);
}

TEST_F(LibraryFoldersTest, EveryLibraryThatCannotBeReadGetsANodeOfItsOwn) {
  const fs::path cat = Category("z_a_(A)");
  WriteAll(cat / "one_(One).src", std::string(10, 'x'));
  WriteAll(cat / "two_(Two).src", std::string(10, 'y'));
  Library(cat, "l_(L).src", "L", "l", 1, "l_(L).dat");
  const auto cats = ReadLibraryFolders(lib().string(), Language::English);
  ASSERT_EQ(cats[0].Libraries.size(), 3u);
  std::set<std::string> keys, texts;
  for (const LibraryInfo& l : cats[0].Libraries) {
    keys.insert(l.LibKey);
    if (l.Unreadable()) texts.insert(l.NodeText("(cannot be read)"));
  }
  EXPECT_EQ(keys.size(), 3u);
  EXPECT_EQ(texts, (std::set<std::string>{"one_(One) (cannot be read)", "two_(Two) (cannot be read)"}));
}

TEST_F(LibraryFoldersTest, AKeyFromAFileNeverNamesAPictureElsewhere) {
  const fs::path cat = Category("z_a_(A)");
  Library(cat, "l_(L).src", "L", "../../x", 1, "l_(L).dat");
  const auto cats = ReadLibraryFolders(lib().string(), Language::English);
  ASSERT_EQ(cats[0].Libraries.size(), 1u);
  EXPECT_EQ(cats[0].Libraries[0].PicturePath, "");
  EXPECT_FALSE(EnsureTreePicture(cats[0].Libraries[0]));
  EXPECT_FALSE(fs::exists(dir.path() / "x.ico"));
}

TEST_F(LibraryFoldersTest, NameRules) {
  EXPECT_TRUE(CheckText("Cats"));
  EXPECT_TRUE(CheckText("  "));
  EXPECT_TRUE(CheckText("\xE7\x8C\xAB"));
  for (const char* bad : {"", " ", "a(b", "a_(b", "a)b", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a|b",
                          "a\tb", "1234567890123456789"})
    EXPECT_FALSE(CheckText(bad)) << bad;
  EXPECT_TRUE(CheckText("123456789012345678"));
}

TEST_F(LibraryFoldersTest, CreatingACategoryAndALibrary) {
  const std::vector<std::string> none;
  const std::vector<std::string> keys = {"cats", (lib() / "z_an_(Animals)").string()};
  const ManagerResult c = AddCategory(lib().string(), {"Animals", "an", none, keys}, prompter, lang);
  ASSERT_EQ(c.Outcome, ManagerOutcome::Done);
  EXPECT_TRUE(fs::is_directory(lib() / "z_an_(Animals)"));
  EXPECT_EQ(c.NodeKey, (lib() / "z_an_(Animals)").string());

  prompter.answers = {PromptAnswer::Yes};
  const ManagerResult l = AddLibrary(c.Path, "Animals", {"Birds", "birds", none, keys}, "Glimmora", prompter, lang);
  ASSERT_EQ(l.Outcome, ManagerOutcome::Done);
  EXPECT_EQ(prompter.asked.back().text, "<339>Animals<340>");
  const fs::path cat = lib() / "z_an_(Animals)";
  std::string want = Padded("Glimmora  <608>", 100) + HandHead("Birds", "birds", 0).substr(100);
  EXPECT_EQ(ReadAll(cat / "birds_(Birds).src"), want);
  EXPECT_EQ(ReadAll(cat / "birds_(Birds).dat"), "");

  // Refusals, in their order, and nothing made.
  prompter.asked.clear();
  const std::vector<std::string> names = {"Birds"};
  AddLibrary(c.Path, "Animals", {"a(b", "k(", names, keys}, "G", prompter, lang);
  AddLibrary(c.Path, "Animals", {"Fish", "k(", names, keys}, "G", prompter, lang);
  AddLibrary(c.Path, "Animals", {"Birds", "b2", names, keys}, "G", prompter, lang);
  AddLibrary(c.Path, "Animals", {"Fish", "cats", names, keys}, "G", prompter, lang);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{335, 336, 337, 338}));

  // Files already there without a node are never overwritten.
  Library(cat, "old_(Old).src", "Old", "old", 2, "old_(Old).dat");
  const std::string before = ReadAll(cat / "old_(Old).src");
  prompter.answers = {PromptAnswer::Yes};
  prompter.asked.clear();
  EXPECT_EQ(AddLibrary(c.Path, "Animals", {"Old", "old", none, keys}, "G", prompter, lang).Outcome,
            ManagerOutcome::Failed);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{339, 636}));
  EXPECT_EQ(ReadAll(cat / "old_(Old).src"), before);
}

// A create killed at any file step leaves the whole new library or nothing once the category is
// read, and the same create then goes through; so does one after an older create left an empty
// data file alone.
TEST_F(LibraryFoldersTest, AKilledCreateLeavesTheWholePairOrNothing) {
  const fs::path cat = Category("z_an_(Animals)");
  const std::string src = (cat / "birds_(Birds).src").string();
  const LibSrcHead head = NewSrcHead("G", "Birds", "birds");
  const auto files = [&] {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(cat)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  };
  const std::vector<std::string> pair = {"birds_(Birds).dat", "birds_(Birds).src"};
  int step = 1;
  for (;; ++step) {
    fs::remove_all(cat);
    fs::create_directories(cat);
    FaultyOps ops;
    ops.failAt = step;
    ops.crash = true;
    (void)CreateLibraryFiles(src, head, ops);  // it crashes at a step: what it leaves is checked
    const auto cats = ReadLibraryFolders(lib().string(), Language::English);
    if (files().empty()) {
      EXPECT_TRUE(cats[0].Libraries.empty()) << step;
      EXPECT_TRUE(CreateLibraryFiles(src, head).Ok) << step;
    } else {
      EXPECT_EQ(files(), pair) << step;
      ASSERT_EQ(cats[0].Libraries.size(), 1u) << step;
      EXPECT_EQ(ReadAll(src), EncodeSrcHead(head)) << step;
    }
    if (ops.calls < step) break;
  }
  EXPECT_GE(step, 8);
  fs::remove_all(cat);
  fs::create_directories(cat);
  WriteAll(cat / "birds_(Birds).dat", std::string());
  ReadLibraryFolders(lib().string(), Language::English);
  EXPECT_TRUE(files().empty());
  WriteAll(cat / "birds_(Birds).dat", std::string());
  EXPECT_TRUE(CreateLibraryFiles(src, head).Ok);
  EXPECT_EQ(files(), pair);
}

TEST_F(LibraryFoldersTest, DeletingALibraryAndACategory) {
  const fs::path cat = Category("z_an_(Animals)");
  Library(cat, "cats_(Cats).src", "Cats", "cats", 1, "CATS_(CATS).DAT");
  WriteAll(cat / "cats.ico", TestIco(16, 16, 4, 1));
  const std::string src = (cat / "cats_(Cats).src").string();

  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Cancel};
  EXPECT_EQ(KillLibrary(src, "Cats", "cats", prompter, lang).Outcome, ManagerOutcome::Cancelled);
  EXPECT_TRUE(fs::exists(src));
  EXPECT_EQ(prompter.asked[0].text, "<343>Cats<342>");
  EXPECT_EQ(prompter.DefaultsAsked(), std::vector<PromptAnswer>(2, PromptAnswer::Cancel));
  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Ok};
  EXPECT_EQ(KillLibrary(src, "Cats", "cats", prompter, lang).Outcome, ManagerOutcome::Done);
  EXPECT_TRUE(fs::is_empty(cat));
  prompter.asked.clear();
  EXPECT_TRUE(KillLibrary("", "", "", prompter, lang).Beep);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{341});

  // A category with a sub-folder loses its files but stays; three questions even when empty.
  Library(cat, "d_(D).src", "D", "d", 0, "d_(D).dat");
  fs::create_directories(cat / "sub");
  prompter.asked.clear();
  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Ok};
  const ManagerResult k = KillCategory(lib().string(), cat.string(), "Animals", prompter, lang);
  EXPECT_EQ(k.Outcome, ManagerOutcome::Done);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{343, 605, 606}));
  EXPECT_EQ(prompter.DefaultsAsked(), std::vector<PromptAnswer>(3, PromptAnswer::Cancel));
  EXPECT_TRUE(fs::exists(cat / "sub"));
  EXPECT_FALSE(fs::exists(cat / "d_(D).src"));
  fs::remove(cat / "sub");
  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Ok};
  KillCategory(lib().string(), cat.string(), "Animals", prompter, lang);
  EXPECT_FALSE(fs::exists(cat));

  // Only a category folder of IconLib itself is ever emptied.
  const fs::path outside = dir.path() / "z_x_(Keep)";
  fs::create_directories(outside);
  WriteAll(outside / "keep.txt", std::string("x"));
  prompter.asked.clear();
  KillCategory(lib().string(), outside.string(), "Keep", prompter, lang);
  EXPECT_TRUE(prompter.asked.empty());
  EXPECT_TRUE(fs::exists(outside / "keep.txt"));
  // A category that is a link goes as the link: the folder it leads to keeps every file, and so
  // does a folder a link inside a real category leads to.
  const fs::path linked = lib() / "z_l_(Linked)";
  fs::create_directory_symlink(outside, linked);
  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Ok};
  EXPECT_EQ(KillCategory(lib().string(), linked.string(), "Linked", prompter, lang).Outcome, ManagerOutcome::Done);
  EXPECT_FALSE(fs::exists(fs::symlink_status(linked)));
  const fs::path real = Category("z_r_(Real)");
  fs::create_directory_symlink(outside, real / "docs");
  fs::create_symlink(outside / "keep.txt", real / "keep.src");
  prompter.answers = {PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Ok};
  EXPECT_EQ(KillCategory(lib().string(), real.string(), "Real", prompter, lang).Outcome, ManagerOutcome::Done);
  EXPECT_FALSE(fs::exists(fs::symlink_status(real / "keep.src")));
  EXPECT_EQ(ReadAll(outside / "keep.txt"), "x");
}

// Library files cut short or with bytes changed at random: every reader and writer comes back
// without crashing, and none reads outside what it was given.
TEST_F(LibraryFoldersTest, MutatedAndTruncatedLibrariesNeverCrash) {
  const fs::path cat = Category("z_a_(A)");
  Library(cat, "l_(L).src", "L", "l", 4, "l_(L).dat");
  const std::string src0 = ReadAll(cat / "l_(L).src"), dat0 = ReadAll(cat / "l_(L).dat");
  const fs::path work = dir.path() / "work";
  fs::create_directories(work);
  const std::string src = (cat / "l_(L).src").string();
  std::mt19937 rng(1234);
  const Bytes add = TestIco(16, 16, 4, 77);
  const std::vector<LibIconBody> bodies = {*IconBodyForLibrary(add)};
  for (int round = 0; round < 300; ++round) {
    std::string s = src0, d = dat0;
    const int kind = round % 4;
    if (kind == 0) s.resize(rng() % (s.size() + 1));
    if (kind == 1) d.resize(rng() % (d.size() + 1));
    if (kind >= 2) {
      for (int i = 0; i < 6; ++i) s[rng() % s.size()] = static_cast<char>(rng());
      // Now and then a count or a position far out of range.
      if (kind == 3) s[140 + rng() % 4] = static_cast<char>(0x80 | rng());
    }
    WriteAll(cat / "l_(L).src", s);
    WriteAll(cat / "l_(L).dat", d);
    ReadLibraryFolders(lib().string(), Language::ChineseGB);
    GetIcoFromLib({src, "A", "L", 1, 50, work.string()}, lang);
    const SearchLibrary one[] = {{src, "A", "L"}};
    SearchLibraries(SplitSearchText("L"), one, work.string(), Language::ChineseBig5);
    const LibraryReader r = LibraryReader::Open(src);
    std::vector<EntryId> ids;
    for (int i = 1; i <= std::min(r.IconCount(), 2); ++i) ids.push_back({i, EntryStamp(*r.Item(i))});
    // Each change may be refused (damaged on purpose): what counts is what it leaves.
    if (round % 3 == 0) (void)DeleteEntries(src, ids);
    if (round % 3 == 1) (void)AppendIcons(src, bodies);
    if (round % 3 == 2) (void)SetKeyword(src, ids, "k");
    // A changed clipboard icon is either refused or comes back out of the library decodable.
    Bytes ico = TestIco(16, 16, round % 2 ? 8 : 4, round);
    for (int i = 0; i < 3; ++i) ico[22 + rng() % 60] = static_cast<std::uint8_t>(rng());
    if (const auto body = IconBodyForLibrary(ico)) {
      const LibSrcItem item = NewSrcItem(body->Width, body->Height, body->BitCount, 1,
                                         static_cast<std::int32_t>(body->Body.size()));
      EXPECT_TRUE(DecodeIcoFile(LibraryIcoBytes(item, body->Body))) << "round " << round;
    }
  }
}

}  // namespace
}  // namespace glimmora
