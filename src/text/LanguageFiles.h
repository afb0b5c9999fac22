#pragma once
// The two language files beside the program and how their blocks become rows of the language table.
//
// chglangs.dat: a 1024-byte head whose first byte is the language shown, then 256-byte blocks for
// rows 1, 2, ... . chglangl.dat: the same head, then 1024-byte blocks for rows 601, 602, ... .
// A block holds the Chinese GB text, "@@", the English text, "@@@", the Chinese BIG5 text, "###",
// then filler up to the end of the block.

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/Result.h"
#include "text/LanguageTable.h"
#include "text/TextCodec.h"

namespace glimmora {

inline constexpr const char* kShortLangFileName = "chglangs.dat";
inline constexpr const char* kLongLangFileName = "chglangl.dat";
constexpr std::size_t kLangFileHeadSize = 1024;
constexpr std::size_t kShortLangBlockSize = 256;
constexpr std::size_t kLongLangBlockSize = 1024;
// Row k of chglangl.dat is row kShortLangRows + k of the table.
constexpr int kShortLangRows = 600;

// The three texts a block yields, indexed by language. A language the block's separators do not
// give a text to is empty (std::nullopt): its row keeps what it held.
using LangBlockTexts = std::array<std::optional<std::string>, 3>;

// Cuts one block into its three texts (UTF-8). A block that is not UTF-8 is scanned as a legacy
// double-byte block and each text is decoded with its own language's code page.
LangBlockTexts CutLangBlock(std::string_view block);

// Number of blocks a language file of `fileLength` bytes holds: the part after the head divided by
// the block size, rounded to the nearest whole number with a half going to the even one.
std::size_t LangBlockCount(std::uint64_t fileLength, std::size_t blockSize);

// The reason (ENODATA, "No data available") a captions file read whole is refused for: not one of
// its blocks is laid out as blocks are.
inline constexpr int kNoCaptions = ENODATA;

// Which language files could not be read, and why (Fault::OnFile, the file and its reason); none
// when it was read.
struct LanguageLoad {
  std::optional<Failure> ShortError;  // chglangs.dat, rows 1 to 600: every caption and most messages
  std::optional<Failure> LongError;   // chglangl.dat, rows 601 to 800
};

// Fills `table` from the language files in `appPath`. When table.CurLang is English on entry the
// first byte of chglangs.dat decides the language (a byte other than 0, 1, 2 means English).
// A file that is missing or cannot be read gives no rows and is named in the result, and so is a
// captions file without a single block laid out as blocks are (empty or damaged); nothing is
// ever created or written, and a pipe is never waited on.
LanguageLoad LoadLanguageStrings(const std::filesystem::path& appPath, LanguageTable& table);

// Stores the language chosen in the language menu: the first byte of chglangs.dat and of
// chglangl.dat becomes `lang`, every other byte stays. A missing file is not created. Returns
// a failure when either file could not be written, so the caller can say the choice was not stored.
[[nodiscard]] Result<void> WriteLanguageChoice(const std::filesystem::path& appPath, Language lang);

}  // namespace glimmora
