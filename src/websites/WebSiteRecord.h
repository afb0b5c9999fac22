#pragma once
// One entry of the web-site list as it lies in HomePage.Lib: a 600-byte record of fixed text
// fields, each ended by a "\\" marker and padded with blanks, with eleven bytes of the address
// scrambled by a per-record key.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "text/LangRows.h"
#include "text/TextCodec.h"

namespace glimmora {

constexpr std::size_t kWebHeaderSize = 100;
constexpr std::size_t kWebRecordSize = 600;
constexpr int kWebMaxRecords = 32767;  // the count is a signed 16-bit number
constexpr int kWebKeyLimit = 20000;    // keys are 0 .. 19999

// Offsets inside a record.
constexpr std::size_t kWebCodeKeyOffset = 574;
constexpr std::size_t kWebScrambleFirst = 116;  // bytes 12 to 22 of the address field
constexpr std::size_t kWebScrambleLast = 126;

// The fields of an entry, in the order of the record, of the list's columns (after the number
// column) and of the editor's boxes.
enum WebField : int { kWebName, kWebAuth, kWebLang, kWebAddress, kWebNote, kWebDetail };

struct WebFieldSpec {
  std::size_t offset;    // in the record
  std::size_t width;     // bytes in the record
  int headerRow;         // the list column's header
  int labelRow;          // the editor's label
  double listDivisor;    // the list column's width: the list's width divided by this
  std::string_view key;  // the list column's key
};

constexpr int kWebFieldCount = 6;
constexpr std::array<WebFieldSpec, kWebFieldCount> kWebFields{{
    {0, 60, kRowSiteColumnName, kRowSiteNameLabel, 3.5, "Name"},
    {60, 40, kRowSiteColumnAuthor, kRowSiteAuthorLabel, 6.4, "Auth"},
    {100, 5, kRowSiteColumnLanguage, kRowSiteLanguageLabel, 15, "Lang"},
    {105, 145, kRowSiteColumnAddress, kRowSiteAddressLabel, 2, "Add"},
    {250, 120, kRowSiteColumnNote, kRowSiteNoteLabel, 3, "Note"},
    {370, 200, kRowSiteColumnDetails, kRowSiteDetailsLabel, 3, "Detail"}}};

// The list column of a field: the record number comes first.
constexpr int WebColumnOf(int field) { return field + 1; }

// The six texts of an entry, UTF-8.
struct WebSiteEntry {
  std::string Name;
  std::string Auth;
  std::string Lang;
  std::string Address;
  std::string Note;
  std::string Detail;

  std::string& Field(int i);
  const std::string& Field(int i) const;
  bool operator==(const WebSiteEntry&) const = default;
};

// A record as stored, exactly 600 bytes.
using WebRecordBytes = std::string;

// The bytes of one text field: the text followed by the "\\" marker, cut to `width` at a
// character boundary and padded with blanks. When the marker does not fit whole, none of it is
// written, so no lone backslash ends up in the field.
std::string EncodeWebField(std::string_view text, std::size_t width);

// Cuts `t` in place before its first "\\"; leaves it alone when there is none.
void KillGang(std::string& t);

// The text of a field read back: cut at the marker, or the whole field less its trailing blanks
// and NULs when it has none. Bytes that are not UTF-8 are read in the code page of `lang`.
std::string DecodeWebField(std::string_view bytes, Language lang);

// XORs the scrambled address bytes with the low byte of `key`; doing it twice restores them.
void CodeWebSiteData(WebRecordBytes& record, int key);

// The scramble key stored in a record.
int StoredCodeKey(std::string_view record);

// A record built from `entry`, scrambled with `key` (0 .. 19999). In place of the stored record
// `was` (scrambled; empty for a new one), a field that reads as the entry's text in `lang` keeps
// its bytes: a field in a legacy code page the user left as it was could grow past its width in
// UTF-8 and be cut.
WebRecordBytes EncodeWebRecord(const WebSiteEntry& entry, int key, std::string_view was = {},
                               Language lang = Language::English);

// The entry held by a stored record (at least 600 bytes), unscrambled.
WebSiteEntry DecodeWebRecord(std::string_view record, Language lang);

// What `entry` reads back as once stored (in place of `was`, as EncodeWebRecord does): every text
// cut to its field.
WebSiteEntry StoredWebEntry(const WebSiteEntry& entry, Language lang, std::string_view was = {});

}  // namespace glimmora
