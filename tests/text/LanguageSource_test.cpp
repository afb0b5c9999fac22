#include "text/LanguageSource.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "text/LanguageFiles.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

using std::string;
using Texts = std::array<string, 3>;  // English, GB, BIG5

std::vector<LangSourceRow> Parse(const string& content, string* error = nullptr) {
  std::vector<LangSourceRow> rows;
  string err;
  const bool ok = ParseLanguageSource(content, "texts.tsv", rows, err);
  if (error) *error = ok ? string() : err;
  else EXPECT_TRUE(ok) << err;
  return rows;
}

string ParseError(const string& content) {
  string error;
  Parse(content, &error);
  return error;
}

TEST(LanguageSource, LinesBecomeRowsWithEscapesDecoded) {
  const auto rows = Parse(
      "# comment line\n"
      "\n"
      "1\tOpenFile2\tOpen\t\xE6\x89\x93\xE5\xBC\x80\t\xE6\x89\x93\xE9\x96\x8B\n"
      "700\t-\tLine one\\nLine two\\tcol\t a\\\\b \tC:\\path\\x\\\r\n"
      "3\t\t\\\\n\t\t@ \n");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[0].row, 1);
  EXPECT_EQ(rows[0].text, (Texts{"Open", "\xE6\x89\x93\xE5\xBC\x80", "\xE6\x89\x93\xE9\x96\x8B"}));
  EXPECT_EQ(rows[0].origin, "texts.tsv:3");
  // "-" and an empty field both leave a row without a name.
  EXPECT_EQ(rows[0].name, "OpenFile2");
  EXPECT_EQ(rows[1].name, "");
  EXPECT_EQ(rows[2].name, "");
  EXPECT_EQ(rows[1].row, 700);
  // Only \n, \t and \\ are escapes; a lone or unknown backslash stays, as do blanks at the ends.
  EXPECT_EQ(rows[1].text, (Texts{"Line one\nLine two\tcol", " a\\b ", "C:\\path\\x\\"}));
  EXPECT_EQ(rows[2].text, (Texts{"\\n", "", "@ "}));
  EXPECT_EQ(rows[2].origin, "texts.tsv:5");
}

TEST(LanguageSource, BadLinesAreReportedWithFileAndLine) {
  EXPECT_EQ(ParseError("1\t-\tOpen\tA\n"), "texts.tsv:1: expected 5 fields separated by tabs "
                                           "(row, name, English, Chinese GB, Chinese BIG5), found 4");
  EXPECT_NE(ParseError("\n1\t-\ta\tb\tc\td\n").find("texts.tsv:2: expected 5 fields"), string::npos);
  // A line without its name column, as the texts were written before rows had names.
  EXPECT_NE(ParseError("1\tOpen\ta\tb\n").find("found 4"), string::npos);
  EXPECT_NE(ParseError("12a\t-\ta\tb\tc\n").find("texts.tsv:1: the row number \"12a\" is not a number"), string::npos);
  EXPECT_NE(ParseError("-1\t-\ta\tb\tc\n").find("not a number"), string::npos);
  EXPECT_NE(ParseError(" 5\t-\ta\tb\tc\n").find("not a number"), string::npos);
  EXPECT_NE(ParseError("0\t-\ta\tb\tc\n").find("row 0 is outside 1..800"), string::npos);
  EXPECT_NE(ParseError("1\t-\ta\tb\tc\n801\t-\ta\tb\tc\n").find("texts.tsv:2: row 801 is outside"), string::npos);
  EXPECT_NE(ParseError("1\t-\ta\t\xB5\xE7\tc\n").find("not valid UTF-8"), string::npos);
  // A name must make a C++ identifier after "kRow".
  for (const string name : {"open", "2Open", "Open_File", "Open File", "\xC3\x84pfel", "--"})
    EXPECT_NE(ParseError("1\t" + name + "\ta\tb\tc\n").find("texts.tsv:1: the name \"" + name + "\" is not"),
              string::npos) << name;
}

TEST(LangRowsHeader, NamesTheNamedRowsInRowOrderAndRefusesANameGivenTwice) {
  string header, error;
  ASSERT_TRUE(MakeLangRowsHeader(Parse("9\tSaveAll\ta\tb\tc\n2\t-\ta\tb\tc\n700\tAsk2\ta\tb\tc\n1\tOpen\ta\tb\tc\n"),
                                 header, error)) << error;
  EXPECT_NE(header.find("#pragma once\n\nnamespace glimmora {\n"
                        "inline constexpr int kRowOpen = 1;\n"
                        "inline constexpr int kRowSaveAll = 9;\n"
                        "inline constexpr int kRowAsk2 = 700;\n"
                        "}  // namespace glimmora\n"),
            string::npos) << header;

  std::vector<LangSourceRow> rows;
  ASSERT_TRUE(ParseLanguageSource("5\tOpen\ta\tb\tc\n", "one.tsv", rows, error));
  ASSERT_TRUE(ParseLanguageSource("# x\n6\tOpen\td\te\tf\n", "two.tsv", rows, error));
  EXPECT_FALSE(MakeLangRowsHeader(rows, header, error));
  EXPECT_EQ(error, "two.tsv:2: the name Open is already given at one.tsv:1");
}

TEST(LanguageBlockWriter, LaysOutTheThreeTextsAndRefusesOverflow) {
  string block, error;
  ASSERT_TRUE(MakeLangBlock({"Open", "\xE6\x89\x93\xE5\xBC\x80", "\xE6\x89\x93\xE9\x96\x8B"}, 256, block, error));
  string expected = "\xE6\x89\x93\xE5\xBC\x80@@Open@@@\xE6\x89\x93\xE9\x96\x8B###";
  expected.resize(256, '\0');
  EXPECT_EQ(block, expected);

  // 248 bytes of text and 8 of separators fill a short block exactly; one more byte overflows.
  EXPECT_TRUE(MakeLangBlock({string(246, 'e'), "g", "b"}, 256, block, error));
  EXPECT_EQ(block.size(), 256u);
  EXPECT_FALSE(MakeLangBlock({string(247, 'e'), "g", "b"}, 256, block, error));
  EXPECT_NE(error.find("257 bytes"), string::npos) << error;
  EXPECT_TRUE(MakeLangBlock({string(1000, 'e'), "g", "b"}, 1024, block, error));
}

TEST(LanguageBlockWriter, RefusesTextsThatWouldNotReadBack) {
  const std::vector<Texts> refused = {
      {"a@@@b", "g", "b"},  // "@@@" in English
      {"e", "g@@h", "b"},   // "@@" in GB
      {"e", "g", "b###c"},  // "###" in BIG5
      {"e@", "g", "b"},     // English ending in '@' shifts "@@@"
      {"@e", "g", "b"},     // English starting with '@'
      {"e", "g@", "b"},     // GB ending in '@'
      {"e", "g", "b#"},     // BIG5 ending in '#'
      {"", "g", "b"},       // an empty English text cannot be told apart
  };
  for (const Texts& t : refused) {
    string block, error;
    EXPECT_FALSE(MakeLangBlock(t, 256, block, error)) << t[0] << "|" << t[1] << "|" << t[2];
    EXPECT_FALSE(error.empty());
  }
  // Separator characters that do not form a separator are fine, and so are empty Chinese texts.
  string block, error;
  EXPECT_TRUE(MakeLangBlock({"mail@@host # 1", "", "@b"}, 256, block, error)) << error;
  EXPECT_TRUE(MakeLangBlock({"e", "g", ""}, 256, block, error)) << error;
}

TEST(LanguageFileBytes, RowsLandInTheirBlocksOfTheirFile) {
  LanguageFileBytes files;
  string error;
  ASSERT_TRUE(MakeLanguageFileBytes(Parse("2\t-\te\tg\tb\n601\t-\tE\tG\tB\n"), files, error)) << error;
  string shortFile(1024 + 512, '\0');
  shortFile.replace(1024 + 256, 11, "g@@e@@@b###");
  string longFile(2048, '\0');
  longFile.replace(1024, 11, "G@@E@@@B###");
  EXPECT_EQ(files.shortFile, shortFile);
  EXPECT_EQ(files.longFile, longFile);

  ASSERT_TRUE(MakeLanguageFileBytes({}, files, error));
  EXPECT_EQ(files.shortFile, string(1024, '\0'));
  EXPECT_EQ(files.longFile, string(1024, '\0'));
}

TEST(LanguageFileBytes, DuplicateAndUnstorableRowsNameTheirLine) {
  std::vector<LangSourceRow> rows;
  string error;
  ASSERT_TRUE(ParseLanguageSource("5\t-\ta\tb\tc\n", "one.tsv", rows, error));
  ASSERT_TRUE(ParseLanguageSource("# x\n5\t-\td\te\tf\n", "two.tsv", rows, error));
  LanguageFileBytes files;
  EXPECT_FALSE(MakeLanguageFileBytes(rows, files, error));
  EXPECT_EQ(error, "two.tsv:2: row 5 is already given at one.tsv:1");

  EXPECT_FALSE(MakeLanguageFileBytes(Parse("1\t-\ta\tb\tc\n9\t-\tx@@@y\tb\tc\n"), files, error));
  EXPECT_NE(error.find("texts.tsv:2: row 9: "), string::npos) << error;
  EXPECT_FALSE(MakeLanguageFileBytes(Parse("650\t-\t" + string(1020, 'x') + "\tb\tc\n"), files, error));
  EXPECT_NE(error.find("texts.tsv:1: row 650: "), string::npos) << error;
}

TEST(LanguageFileBytes, WrittenFilesLoadBackToTheSameTexts) {
  const auto rows = Parse(
      "1\t-\tOpen\t\xE6\x89\x93\xE5\xBC\x80\t\xE6\x89\x93\xE9\x96\x8B\n"
      "600\t-\tLast short\tg\tb\n"
      "800\t-\tTwo\\nlines\t\t\xE6\x96\x87\n");
  LanguageFileBytes files;
  string error;
  ASSERT_TRUE(MakeLanguageFileBytes(rows, files, error)) << error;
  const testing::TempDir temp;
  const auto& dir = temp.path();
  std::ofstream(dir / "chglangs.dat", std::ios::binary) << files.shortFile;
  std::ofstream(dir / "chglangl.dat", std::ios::binary) << files.longFile;
  LanguageTable table;
  LoadLanguageStrings(dir, table);
  for (const LangSourceRow& row : rows)
    for (int lang = 0; lang < 3; ++lang) EXPECT_EQ(table.LangStr[lang][row.row], row.text[lang]) << row.row;
  EXPECT_EQ(table.CurLang, Language::English);
}

TEST(LanguageFileBytes, ShippedFilesHaveTheirLayout) {
  for (const auto& [name, blockSize] : {std::pair{"chglangs.dat", std::size_t{256}}, {"chglangl.dat", std::size_t{1024}}}) {
    std::ifstream in(std::filesystem::path(GLIMMORA_APP_DIR) / name, std::ios::binary);
    ASSERT_TRUE(in) << name;
    const string bytes((std::istreambuf_iterator<char>(in)), {});
    ASSERT_GE(bytes.size(), 1024u);
    EXPECT_EQ(bytes[0], '\0');
    EXPECT_EQ((bytes.size() - 1024) % blockSize, 0u) << name;
  }
}

}  // namespace
}  // namespace glimmora
