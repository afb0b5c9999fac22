#include "text/LanguageFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;
using std::nullopt;
using std::optional;
using std::string;

// A block of `size` bytes: `content` followed by `filler` repeated to the end.
string Block(const string& content, std::size_t size = 256, char filler = '\0') {
  string b = content;
  b.resize(size, filler);
  return b;
}

// Expects the cut of `block` to give English, GB and BIG5 texts (nullopt: left unchanged).
void ExpectCut(const string& block, optional<string> english, optional<string> gb, optional<string> big5) {
  const LangBlockTexts t = CutLangBlock(block);
  EXPECT_EQ(t[0], english) << "English of " << block.substr(0, 40);
  EXPECT_EQ(t[1], gb) << "Chinese GB of " << block.substr(0, 40);
  EXPECT_EQ(t[2], big5) << "Chinese BIG5 of " << block.substr(0, 40);
}

// A temporary program folder with its files' bytes at hand.
class TempFolder : public testing::TempDir {
 public:
  void Write(const string& name, const string& bytes) const {
    std::ofstream(path() / name, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  string Read(const string& name) const {
    std::ifstream in(path() / name, std::ios::binary);
    return string(std::istreambuf_iterator<char>(in), {});
  }
};

string Head(unsigned char lang) {
  string head(1024, '\0');
  head[0] = static_cast<char>(lang);
  return head;
}

TEST(LanguageBlock, WellFormedBlocksGiveTheirThreeTexts) {
  ExpectCut(Block("Open@@Open@@@Open###filler @@ and ###", 256, 'x'), "Open", "Open", "Open");
  // UTF-8 texts: GB "打开", English, BIG5 "打開".
  ExpectCut(Block("\xE6\x89\x93\xE5\xBC\x80@@Open file@@@\xE6\x89\x93\xE9\x96\x8B###"), "Open file",
            "\xE6\x89\x93\xE5\xBC\x80", "\xE6\x89\x93\xE9\x96\x8B");
  // Blanks at either end belong to the text.
  ExpectCut(Block(" a @@ b @@@ c ###", 1024), " b ", " a ", " c ");
}

TEST(LanguageBlock, MissingOrEmptyPartsFollowTheSeparatorRules) {
  // Empty GB text.
  ExpectCut(Block("@@B@@@D###"), "B", "", "D");
  // Empty English: the first "@@@" starts right after the GB text, so BIG5 takes the "@@".
  ExpectCut(Block("A@@@@@D###"), nullopt, "A", "@@D");
  // No "@@@": English runs to "###", BIG5 untouched.
  ExpectCut(Block("A@@B###"), "B", "A", nullopt);
  // No "@@": English is the text from its second character on, counted in characters.
  ExpectCut(Block("AB###"), "B", nullopt, nullopt);
  ExpectCut(Block("\xE6\x96\x87\xE4\xBB\xB6###"), "\xE4\xBB\xB6", nullopt, nullopt);
  ExpectCut(Block("A###"), nullopt, nullopt, nullopt);
  // BIG5 running to the end of the block without "###".
  ExpectCut(Block("A@@B@@@D", 256, 'D'), "B", "A", nullopt);
  // Empty BIG5 text.
  ExpectCut(Block("A@@B@@@###"), "B", "A", nullopt);
  // Nothing at all.
  ExpectCut(Block(""), nullopt, nullopt, nullopt);
}

TEST(LanguageBlock, LegacyDoubleByteBlocksAreNotCutInsideACharacter) {
  // GBK "电" and 0x81 0x40 (whose second byte is '@') just before "@@"; BIG5 "電" and 0xA4 0x40.
  const string block = Block("\xB5\xE7\x81\x40@@Computer@@@\xB9\x71\xA4\x40\xB8\xA3###");
  ExpectCut(block, "Computer", "\xE7\x94\xB5\xE4\xB8\x82", "\xE9\x9B\xBB\xE4\xB8\x80\xE8\x85\xA6");
  // A CP1252 English text in a legacy block is read with its own code page.
  ExpectCut(Block("\xB5\xE7@@caf\xE9 menu@@@\xB9\x71###"), "caf\xC3\xA9 menu", "\xE7\x94\xB5", "\xE9\x9B\xBB");
  // Filler that is not UTF-8 does not turn a UTF-8 block into a legacy one.
  ExpectCut(Block("\xE6\x96\x87@@File@@@\xE6\x96\x87###", 256, '\xB5'), "File", "\xE6\x96\x87", "\xE6\x96\x87");
  // Nor does a UTF-8 BIG5 text cut off inside a character at the end of the block: "中" before
  // "@@" would otherwise pair its last byte with the '@'.
  string cutOff = "\xE4\xB8\xAD@@Open@@@";
  while (cutOff.size() < 256) cutOff += "\xE6\x96\x87";
  cutOff.resize(256);
  ExpectCut(cutOff, "Open", "\xE4\xB8\xAD", nullopt);
}

TEST(LanguageBlock, CountsRoundHalfToEven) {
  EXPECT_EQ(LangBlockCount(0, 256), 0u);
  EXPECT_EQ(LangBlockCount(1024, 256), 0u);
  EXPECT_EQ(LangBlockCount(1024 + 128, 256), 0u);
  EXPECT_EQ(LangBlockCount(1024 + 129, 256), 1u);
  EXPECT_EQ(LangBlockCount(1024 + 384, 256), 2u);
  EXPECT_EQ(LangBlockCount(1024 + 256 * 600, 256), 600u);
  EXPECT_EQ(LangBlockCount(1024 + 256 * 600 + 100, 256), 600u);
  EXPECT_EQ(LangBlockCount(1024 + 256 * 600 + 200, 256), 601u);
  EXPECT_EQ(LangBlockCount(1024 + 1024 * 3 + 512, 1024), 4u);
  EXPECT_EQ(LangBlockCount(1024 + 1024 * 2 + 512, 1024), 2u);
}

TEST(LanguageLoad, RowsComeFromTheirBlocksAndAPartialLastBlockReadsAsZeros) {
  TempFolder dir;
  string shortFile = Head(1) + Block("g1@@e1@@@b1###") + Block("") + Block("g3@@e3@@@b3###");
  shortFile.resize(1024 + 256 * 600, '\0');
  // Row 601 is only 200 bytes long: more than half of it is there, so it counts.
  dir.Write("chglangs.dat", shortFile + string("g601@@e601@@@b601###").append(180, 'z'));
  LanguageTable table;
  LoadLanguageStrings(dir.path(), table);
  EXPECT_EQ(table.CurLang, Language::ChineseGB);
  EXPECT_EQ(table.Text(Language::English, 1), "e1");
  EXPECT_EQ(table.Text(Language::ChineseGB, 3), "g3");
  EXPECT_EQ(table.Text(Language::ChineseBig5, 3), "b3");
  EXPECT_EQ(table.Text(Language::English, 2), "");
  EXPECT_EQ(table.Text(Language::English, 601), "e601");

  // 100 bytes of row 601 are less than half a block: 600 rows.
  dir.Write("chglangs.dat", shortFile + string("g601@@e601@@@b601###").append(80, 'z'));
  LanguageTable shorter;
  LoadLanguageStrings(dir.path(), shorter);
  EXPECT_EQ(shorter.Text(Language::English, 600), "");
  EXPECT_EQ(shorter.Text(Language::English, 601), "");
  EXPECT_EQ(shorter.Text(Language::ChineseBig5, 1), "b1");
}

TEST(LanguageLoad, LongFileOverridesOnlyTheLanguagesItsBlockGives) {
  TempFolder dir;
  string shortFile = Head(0);
  shortFile.resize(1024 + 256 * 600, '\0');
  shortFile += Block("s1@@s0@@@s2###") + Block("t1@@t0@@@t2###");  // rows 601 and 602
  dir.Write("chglangs.dat", shortFile);
  // Row 601: GB and English only; row 602: a block with no separators at all; row 603 is new.
  dir.Write("chglangl.dat",
            Head(2) + Block("l1@@l0###", 1024) + Block("nothing here", 1024) + Block("u1@@u0@@@u2###", 1024));
  LanguageTable table;
  LoadLanguageStrings(dir.path(), table);
  // Only the first byte of chglangs.dat decides the language.
  EXPECT_EQ(table.CurLang, Language::English);
  EXPECT_EQ(table.Text(Language::ChineseGB, 601), "l1");
  EXPECT_EQ(table.Text(Language::English, 601), "l0");
  EXPECT_EQ(table.Text(Language::ChineseBig5, 601), "s2");
  EXPECT_EQ(table.Text(Language::English, 602), "t0");
  EXPECT_EQ(table.Text(Language::ChineseBig5, 603), "u2");
}

TEST(LanguageLoad, LanguageByteDecidesOnlyWhenNoLanguageIsSet) {
  TempFolder dir;
  dir.Write("chglangs.dat", Head(2) + Block("g@@e@@@b###"));
  LanguageTable table;
  LoadLanguageStrings(dir.path(), table);
  EXPECT_EQ(table.CurLang, Language::ChineseBig5);
  EXPECT_EQ(table.Row(1), "b");

  LanguageTable preset;
  preset.CurLang = Language::ChineseGB;
  LoadLanguageStrings(dir.path(), preset);
  EXPECT_EQ(preset.CurLang, Language::ChineseGB);

  // A byte that names no language shows English rather than looking outside the table.
  dir.Write("chglangs.dat", Head(7) + Block("g@@e@@@b###"));
  LanguageTable bad;
  LoadLanguageStrings(dir.path(), bad);
  EXPECT_EQ(bad.CurLang, Language::English);
  EXPECT_EQ(bad.Row(1), "e");
}

TEST(LanguageLoad, MissingFilesGiveAnEmptyTableAndAreNotCreated) {
  TempFolder dir;
  LanguageTable table;
  LoadLanguageStrings(dir.path(), table);
  EXPECT_EQ(table.CurLang, Language::English);
  for (int lang = 0; lang < 3; ++lang)
    for (int row = 1; row <= kLangRows; ++row) ASSERT_TRUE(table.LangStr[lang][row].empty());
  EXPECT_FALSE(fs::exists(dir.path() / "chglangs.dat"));
  EXPECT_FALSE(fs::exists(dir.path() / "chglangl.dat"));

  // A folder in place of a file reads as missing.
  fs::create_directory(dir.path() / "chglangs.dat");
  dir.Write("chglangl.dat", Head(0) + Block("a@@b@@@c###", 1024));
  LanguageTable partial;
  LoadLanguageStrings(dir.path(), partial);
  EXPECT_EQ(partial.CurLang, Language::English);
  EXPECT_EQ(partial.Text(Language::ChineseBig5, 601), "c");
}

TEST(LanguageChoice, WritesExactlyTheFirstByteOfBothFiles) {
  TempFolder dir;
  string shortFile = Head(0) + Block("g@@e@@@b###", 256, '\x5A');
  string longFile = Head(1) + Block("G@@E@@@B###", 1024, '\xA5');
  dir.Write("chglangs.dat", shortFile);
  dir.Write("chglangl.dat", longFile);
  ASSERT_TRUE(WriteLanguageChoice(dir.path(), Language::ChineseBig5));
  shortFile[0] = '\x02';
  longFile[0] = '\x02';
  EXPECT_EQ(dir.Read("chglangs.dat"), shortFile);
  EXPECT_EQ(dir.Read("chglangl.dat"), longFile);

  // The choice shows from the next load.
  LanguageTable table;
  LoadLanguageStrings(dir.path(), table);
  EXPECT_EQ(table.CurLang, Language::ChineseBig5);
  EXPECT_EQ(table.Row(601), "B");
}

TEST(LanguageChoice, FailsWithoutCreatingAMissingFile) {
  TempFolder dir;
  dir.Write("chglangs.dat", Head(0));
  EXPECT_FALSE(WriteLanguageChoice(dir.path(), Language::ChineseGB));
  EXPECT_FALSE(fs::exists(dir.path() / "chglangl.dat"));
  EXPECT_EQ(dir.Read("chglangs.dat"), Head(1));

  fs::create_directory(dir.path() / "chglangl.dat");
  EXPECT_FALSE(WriteLanguageChoice(dir.path(), Language::English));
  EXPECT_FALSE(WriteLanguageChoice(dir.path() / "no such folder", Language::English));
}

}  // namespace
}  // namespace glimmora
