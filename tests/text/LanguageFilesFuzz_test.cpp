#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "text/LanguageFiles.h"
#include "text/LanguageSource.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;

// Bytes that matter to the cutter: separators, lead and trail bytes of every encoding, zero.
constexpr unsigned char kAlphabet[] = {'@', '@', '@', '#', '#', '#', 'a', ' ', 0, 0x40, 0x7F, 0x80, 0x81,
                                       0xA4, 0xB5, 0xBF, 0xC3, 0xE4, 0xE9, 0xF0, 0xF4, 0xFE, 0xFF};

std::string RandomBytes(std::mt19937& rng, std::size_t size) {
  std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 1);
  std::string s(size, '\0');
  for (char& c : s) c = static_cast<char>(kAlphabet[pick(rng)]);
  return s;
}

void ExpectWholeTexts(const LanguageTable& table) {
  for (int lang = 0; lang < 3; ++lang)
    for (int row = 1; row <= kLangRows; ++row)
      ASSERT_TRUE(IsValidUtf8(table.LangStr[lang][row])) << "language " << lang << " row " << row;
}

TEST(LanguageFuzz, AnyBlockCutsIntoValidText) {
  std::mt19937 rng(20240611);
  for (int i = 0; i < 20000; ++i) {
    const std::string block = RandomBytes(rng, rng() % 300);
    const LangBlockTexts texts = CutLangBlock(block);
    for (const auto& t : texts) {
      if (t) {
        ASSERT_TRUE(IsValidUtf8(*t));
      }
    }
  }
}

TEST(LanguageFuzz, DamagedAndTruncatedFilesLoadWithoutHarm) {
  const testing::TempDir temp;
  const fs::path& dir = temp.path();
  auto write = [&](const char* name, const std::string& bytes) {
    std::ofstream(dir / name, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  };

  // A good pair of files to damage.
  std::vector<LangSourceRow> rows;
  std::string error;
  std::string source;
  for (int row = 1; row <= kLangRows; row += 7)
    source += std::to_string(row) + "\t-\tText " + std::to_string(row) + "\t\xE6\x96\x87\xE4\xBB\xB6\t\xE6\x96\x87\n";
  ASSERT_TRUE(ParseLanguageSource(source, "fuzz.tsv", rows, error)) << error;
  LanguageFileBytes good;
  ASSERT_TRUE(MakeLanguageFileBytes(rows, good, error)) << error;

  std::mt19937 rng(77);
  for (int i = 0; i < 300; ++i) {
    std::string s = good.shortFile, l = good.longFile;
    switch (i % 3) {
      case 0:  // cut short anywhere
        s.resize(rng() % (s.size() + 1));
        l.resize(rng() % (l.size() + 1));
        break;
      case 1:  // flip bytes
        for (int k = 0; k < 200; ++k) {
          s[rng() % s.size()] = static_cast<char>(rng());
          l[rng() % l.size()] = static_cast<char>(rng());
        }
        break;
      default:  // random content of random length, some past 800 rows
        s = RandomBytes(rng, rng() % (1024 + 256 * 820));
        l = RandomBytes(rng, rng() % (1024 + 1024 * 220));
        break;
    }
    write("chglangs.dat", s);
    write("chglangl.dat", l);
    LanguageTable table;
    LoadLanguageStrings(dir, table);
    ASSERT_LE(static_cast<int>(table.CurLang), 2);
    ExpectWholeTexts(table);
  }
}

}  // namespace
}  // namespace glimmora
