#pragma once
// The library pane's items and texts. Every item carries its library (the index file's path) and
// its entry number with the entry's stamp, so that writes go to the icon the item shows whatever
// filled the pane (a page, a keyword search, icons moved in) and whatever was removed from it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileOps.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "library/LibFormat.h"
#include "library/LibraryWriter.h"

namespace glimmora {

constexpr int kLibGrpSize = 50;

struct LibPaneItem {
  std::string Key;        // the icon file's name in LibIconTemp, e.g. "AAB.ico"
  std::string Text;       // " " & position with its leading blank: "  3"
  // Where the icon lives.
  std::string SrcPath;
  int Entry = 0;
  std::uint64_t Stamp = 0;
  // Shown texts.
  std::string CategoryName;
  std::string LibraryName;
  std::string Gap = "  ";  // between the names and "[": two on a page, one in a search hit
  std::string Keyword;
  std::uint8_t Width = 0, Height = 0, BitCount = 0;
  std::uint64_t Bytes = 0;  // the icon file's size: bytes in resource + 22
  std::string AuthorName, AuthorEmail, AuthorHomepage, Note;

  EntryId Id() const { return {Entry, Stamp}; }
  // Subitem 1: category & "-" & library & gap & "[" & keyword & "]".
  std::string SubItem1() const;
  std::string SizeText() const;                              // subitem 2: " 32 x 32"
  std::string ColorText(const LanguageTable& lang) const;    // subitem 3
  std::string BytesText() const;                             // subitem 4: " " & Str(bytes)
  // The tooltip text of a single selected item: its texts without their leading blanks.
  std::string InfoText(const LanguageTable& lang) const;
};

// Colour-depth text of the library pane: kRowDepth1, kRowDepth4, kRowDepth8, kRowDepth16 or kRowDepth24
// for 1, 4, 8, 16 or 24 bits.
std::string LibColorText(int bitCount, const LanguageTable& lang);

// Work-file names: "AAA", "AAB", .. "AAZ", "ABA", ..; NextWorkName("") is "AAA" (the name before
// the first); "ZZZ" is followed by "AAA".
std::string NextWorkName(std::string_view name);

// The name of a work file: three capitals and ".ico" ("AAA.ico" .. "ZZZ.ico").
bool IsWorkFileName(std::string_view name);

// Deletes the work files of the work folder (regular files only, never through a link); whatever
// else the folder holds stays. False when the folder is a link or no folder: nothing in it is
// touched, and nothing should be written into it.
[[nodiscard]] bool EmptyWorkFolder(const OwnFolder& workDir);

// Writes the work file `name` in place of one of that name (a link of that name stays and the
// write fails).
[[nodiscard]] bool WriteWorkFile(const OwnFolder& workDir, std::string_view name, std::span<const std::uint8_t> bytes);

void TellNotRealFolder(const std::string& folder, Prompter& prompter, const LanguageTable& lang);

// An item for entry `entry` of a library, named `key`, at pane position `position` (from 1).
LibPaneItem MakeLibPaneItem(const std::string& srcPath, int entry, const LibSrcItem& item, const std::string& key,
                            int position, const std::string& categoryName, const std::string& libraryName,
                            Language lang);

// The kilobyte text: bytes / 1024 to one decimal (halves to even), without a leading blank:
// 1536 -> "1.5", 512 -> ".5", 0 -> "0". Exact for any total.
std::string KbText(std::uint64_t bytes);

// Status panel 2 of the pane: kRowPaneTotal & Str(count) & " " & kRowPaneIcons/kRowIconSingular & " (" & KB & " KB)".
std::string LibPaneStatus(int count, std::uint64_t bytes, const LanguageTable& lang);
// Status panel 3: kRowPaneSelected & Str(selCount) & " " & kRowSelectedIcons/kRowSelectedIcon & " (" & KB & " KB)".
std::string LibPaneSelStatus(int selCount, std::uint64_t selBytes, const LanguageTable& lang);

// What the selection of the library pane switches on and off.
struct LibSelectState {
  std::string Panel2, Panel3;
  bool PopIcoMenu = false;          // the icon menu, with buttons 13
  bool SelectAll = false;           // mn3SelectedAllIco, button 17
  bool CopyToSysClipboard = false;  // mn5CopyIcoToClipper, mn6CutIcoToClipper
  bool SelectedCommands = false;    // save (11, 12), cancel (18), delete (16), copy/cut to the icon
                                    // clipboard (14), views (21-23)
  bool KeywordBox = false;          // TextSelIcoKeyword and CommandSaveKeyword
  bool SetKeywordText = false;      // the keyword box takes KeywordText
  std::string KeywordText;          // the single selected item's keyword
};
LibSelectState SelectLibIco(std::span<const LibPaneItem> items, std::span<const bool> selected,
                            const LanguageTable& lang);

}  // namespace glimmora
