#pragma once
// Text rules for everything the program stores in fixed-length byte fields.
//
// What we write is UTF-8, cut at a character boundary so a field never ends in the middle of a
// character. What we read back may come from a file written on a Windows desktop in that
// language's code page; a field that is not valid UTF-8 is decoded with the legacy code page of
// the language being shown (CP1252, GBK or BIG5).

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace glimmora {

// Languages of the language table, in the order of the language menu.
enum class Language : std::uint8_t { English = 0, ChineseGB = 1, ChineseBig5 = 2 };
constexpr std::size_t kLanguageCount = 3;  // text/Languages.h has a row for each

// Legacy code page of a language: "CP1252", "GBK" or "BIG5".
const char* LegacyCodePage(Language lang);

// True when `bytes` is well-formed UTF-8 (no overlongs, no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Length in bytes of the longest prefix of the UTF-8 text `text` that fits in `maxBytes` without
// splitting a character. Invalid bytes count as one-byte characters.
std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes);

// `text` cut to at most `maxBytes` bytes at a character boundary.
std::string CutUtf8(std::string_view text, std::size_t maxBytes);

// Byte length of a text as stored (UTF-8).
inline std::size_t LenDbcs(std::string_view text) { return text.size(); }

// Offset of the first `mark` (ASCII) in `field` that starts a character, npos when there is none.
// A field that is UTF-8 up to the first `mark` is searched as UTF-8; any other is read in the legacy
// code page of `lang`, whose double-byte characters (GBK, BIG5) may end with the mark's bytes.
std::size_t FindAtCharacterStart(std::string_view field, std::string_view mark, Language lang);

// `text` (UTF-8) with every letter that has an upper case in upper case, whatever the desktop's
// locale; bytes that are not UTF-8 stay as they are but for the ASCII letters.
std::string UpperCase(std::string_view text);

// Decodes bytes read from a file: valid UTF-8 is returned as it is, anything else is converted from
// the legacy code page of `lang`. Bytes that even the legacy code page cannot map become U+FFFD.
std::string DecodeStoredText(std::string_view bytes, Language lang);

// Converts `bytes` from the code page `codePage` (an iconv name) to UTF-8; unmappable bytes become
// U+FFFD. Never fails.
std::string LegacyToUtf8(std::string_view bytes, const char* codePage);

}  // namespace glimmora
