#pragma once
// The sources of the language files: UTF-8 text tables, one row a line, turned into the bytes of
// chglangs.dat and chglangl.dat at build time.
//
// A line is `<row>\t<name>\t<English>\t<Chinese GB>\t<Chinese BIG5>`. Empty lines and lines starting
// with '#' are skipped. The name is what the code calls the row (`kRow<name>` in the generated
// text/LangRows.h): a PascalCase identifier, or "-" or nothing for a row the code never names.
// Inside a text "\n", "\t" and "\\" stand for a newline, a tab and a backslash; every other
// character, blanks at either end included, is taken as it stands.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace glimmora {

struct LangSourceRow {
  int row = 0;
  std::array<std::string, 3> text;  // indexed by language: English, Chinese GB, Chinese BIG5
  std::string origin;               // "file:line", for messages
  std::string name;                 // empty for a row without a name
};

// Appends the rows of one source file to `rows`. On a bad line returns false with `error` set to
// "file:line: reason"; rows already appended stay. Row numbers are checked against 1..800 here and
// for duplicates by MakeLanguageFileBytes.
[[nodiscard]] bool ParseLanguageSource(std::string_view content, const std::string& fileName, std::vector<LangSourceRow>& rows,
                         std::string& error);

// The bytes of one block of `blockSize` bytes: Chinese GB, "@@", English, "@@@", Chinese BIG5,
// "###", zeros. Refuses (false, `error` says why) texts that do not fit or that the loader would
// not cut back into exactly these texts.
[[nodiscard]] bool MakeLangBlock(const std::array<std::string, 3>& text, std::size_t blockSize, std::string& block,
                   std::string& error);

// The header that names the rows: `inline constexpr int kRow<name> = <row>;` in namespace glimmora
// for each named row, in row order. Fails with "file:line: reason" on a name given twice.
[[nodiscard]] bool MakeLangRowsHeader(const std::vector<LangSourceRow>& rows, std::string& header, std::string& error);

struct LanguageFileBytes {
  std::string shortFile;  // chglangs.dat
  std::string longFile;   // chglangl.dat
};

// Lays out both language files from all rows: a 1024-byte head with language 0, then rows 1 to 600
// in chglangs.dat and rows 601 to 800 in chglangl.dat, each file up to its highest row present;
// a row not given is a block of zeros. Fails with "file:line: reason" on a duplicate row or a row
// that cannot be stored.
[[nodiscard]] bool MakeLanguageFileBytes(const std::vector<LangSourceRow>& rows, LanguageFileBytes& files, std::string& error);

}  // namespace glimmora
