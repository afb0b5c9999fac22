#pragma once
// The byte layout of an icon library: an index file (.src) with a 256-byte header and one
// 180-byte entry per icon, and a data file (.dat) holding the icon bodies one after another (a
// body is a single-image .ico from offset 62 on: palette, colour rows and mask rows).
//
// Integers are little-endian. Texts are fixed-width fields ending in the two-byte mark "\\" and
// filled with blanks. An entry's data position and size are stored scrambled with the entry's own
// file position, so an entry moved to another place must be decoded and encoded again.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "text/TextCodec.h"

namespace glimmora {

constexpr std::size_t kSrcHeadSize = 256;
constexpr std::size_t kSrcItemSize = 180;
constexpr std::size_t kLibIcoPrefixSize = 62;  // 22-byte icon head + 40-byte bitmap header
// Entry numbers and counts are 16-bit signed values in every library.
constexpr int kMaxLibIcons = 32767;
constexpr std::string_view kFieldMark = "\\\\";

// Field widths.
constexpr std::size_t kLibTitleBytes = 100;
constexpr std::size_t kLibNameBytes = 20;
constexpr std::size_t kLibKeyBytes = 20;
constexpr std::size_t kKeywordBytes = 37;
constexpr std::size_t kAuthorNameBytes = 20;
constexpr std::size_t kAuthorEmailBytes = 20;
constexpr std::size_t kAuthorHomepageBytes = 40;
constexpr std::size_t kNoteBytes = 50;

// Header of the .src; text fields as their raw stored bytes.
struct LibSrcHead {
  std::string LibTitle = std::string(kLibTitleBytes, '\0');
  std::string LibName = std::string(kLibNameBytes, '\0');
  std::string LibKey = std::string(kLibKeyBytes, '\0');
  std::int32_t IconCount = 0;
  std::int32_t SrcFileLength = 0;
  std::int32_t DatFileLength = 0;
  std::string Reserved = std::string(104, '\0');
};

std::string EncodeSrcHead(const LibSrcHead& head);      // 256 bytes
LibSrcHead DecodeSrcHead(std::string_view bytes);       // bytes past the end read as zeros

// The header of a new, empty library.
LibSrcHead NewSrcHead(std::string_view title, std::string_view libName, std::string_view libKey);

// One entry; DataPos (1-based position in the .dat) and DataSize (body bytes) unscrambled, text
// fields as their raw stored bytes.
struct LibSrcItem {
  std::int32_t DataPos = 0;
  std::int32_t DataSize = 0;
  std::uint8_t Width = 0;
  std::uint8_t Height = 0;
  std::uint8_t BitCount = 0;
  std::int16_t Reserved = 0;
  std::string Keyword;         // 37 bytes
  std::string AuthorName;      // 20
  std::string AuthorEmail;     // 20
  std::string AuthorHomepage;  // 40
  std::string Note;            // 50
};

// File position (from 1) of entry `entry` (from 1): 257 for entry 1, 437 for entry 2.
std::int64_t EntryPos(std::int64_t entry);

// The XOR key of an entry at file position `pos`; applying it twice restores the value.
std::uint32_t ScrambleKey(std::int64_t pos);

std::string EncodeSrcItem(const LibSrcItem& item, std::int64_t pos);           // 180 bytes
LibSrcItem DecodeSrcItem(std::string_view bytes, std::int64_t pos);            // 180 bytes wanted

// Where an entry's body lies: its DataPos and DataSize alone, for walks over every entry.
struct BodyRange {
  std::int32_t DataPos = 0;
  std::int32_t DataSize = 0;
};
BodyRange DecodeBodyRange(std::string_view bytes, std::int64_t pos);

// A fresh entry: empty keyword ("\\" and blanks), author fields zero bytes.
LibSrcItem NewSrcItem(std::uint8_t width, std::uint8_t height, std::uint8_t bitCount, std::int32_t dataPos,
                      std::int32_t dataSize);

// A text as its stored field: cut at a character boundary, then the mark when it fits, then
// blanks. A text that fills the field (or all but one byte of it) is stored without any mark,
// never with half of one.
std::string FieldBytes(std::string_view text, std::size_t width);

// The bytes to store for `text` in a field that holds `stored` now: `stored` itself when it reads as
// `text` in `lang` (a field in a legacy code page the user left as it was keeps its bytes, which in
// UTF-8 could grow past the field), else FieldBytes(text, width).
std::string KeptFieldBytes(std::string_view text, std::string_view stored, std::size_t width, Language lang);

// The text of a stored field: cut before the first "\\" that starts a character (the whole field
// when it has none) and before any NUL; bytes that are not UTF-8 are read in the legacy code page of
// `lang`, whose double-byte characters may end with a backslash.
std::string FieldText(std::string_view field, Language lang);

// The header's name and key as the library tree reads them: empty when the mark is missing.
std::string HeadFieldText(std::string_view field, Language lang);

// The 22-byte icon head and the 40-byte bitmap header of an icon taken out of a library, for
// an image of `imageSize` bytes (body + 40): a standard directory entry (see MakeIcoFileHead);
// biSizeImage is the bit count / 2 rounded half to even.
std::vector<std::uint8_t> MakeIcoHeader(std::uint8_t width, std::uint8_t height, std::uint8_t bitCount,
                                        std::uint32_t imageSize);

// The whole single-image icon of an entry: MakeIcoHeader, then the body.
std::vector<std::uint8_t> LibraryIcoBytes(const LibSrcItem& item, std::span<const std::uint8_t> body);

// What a single-image icon file gives the library: its size and depth and its body. nullopt when
// the file cannot be stored so that it comes out whole again: no icon head, an image shorter than
// its head says, an image that is no plain bitmap (PNG, compressed), a width or height outside
// 1..255, a bit count other than 1, 4, 8, 16, 24, 32, or fewer bytes than its rows need. A
// palette shorter than the bit count allows is padded to full, since the library's headers always
// say "full palette".
struct LibIconBody {
  std::uint8_t Width = 0;
  std::uint8_t Height = 0;
  std::uint8_t BitCount = 0;
  std::vector<std::uint8_t> Body;  // the image less its 40-byte bitmap header
};
std::optional<LibIconBody> IconBodyForLibrary(std::span<const std::uint8_t> icoFile);

}  // namespace glimmora
