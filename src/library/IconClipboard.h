#pragma once
// The icon clipboard folder as its pane lists it: every file whose name ends in ".ico" in any
// case, read for its 22-byte head and the image's own bitmap header, with the first line of its
// ".sur" note. Items keep the file's real name; the capitals are only what the pane shows.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "text/LanguageTable.h"
#include "common/Prompter.h"

namespace glimmora {

struct ClipFile {
  std::string FileName;        // the real name in the folder
  // The picture's own size and depth, from its bitmap header: the head's bytes cannot hold a
  // width of 256 or more, give a 14 x 7 image as 14 x 14, and hold a colour count, not a bit
  // count, in a standard directory entry.
  int Width = 0, Height = 0;
  int BitCount = 0;
  std::uint32_t BytesInRes = 0;
  std::string Source;            // first line of the note; empty without one

  std::string Key() const;       // the name in capitals (the pane's key and Filename column)
  std::uint64_t Bytes() const { return std::uint64_t{BytesInRes} + 22; }
};

// The icons of the folder in listing order. Files without a readable bitmap header behind their
// head (no picture to show) are left out; a width byte of 0, which is how every icon 256 pixels
// wide or more is stored, is no reason to hide one. Files whose real names are in `listed` are
// skipped unread: an append to the pane reads only what it adds.
std::vector<ClipFile> ListIcoClipBoard(const std::string& clipDir, Language lang,
                                       std::span<const std::string> listed = {});

// The pane's texts for a file shown as number `number`.
struct ClipItemTexts {
  std::string Text;      // Str(number): " 1"
  std::string Size;      // " 32 x 32"
  std::string Color;     // by bit count: kRowClipDepth1, kRowClipDepth4, kRowClipDepth8, kRowDepth16, kRowDepth24
  std::string Bytes;     // Str(bytes) & " "
  std::string Filename;  // capitals
  std::string Source;
};
ClipItemTexts MakeClipItemTexts(const ClipFile& file, int number, const LanguageTable& lang);

// Tooltip of a single selected item: text & ": " & file name & " (" & size & " - " & colour & ")".
std::string ClipInfoText(const ClipItemTexts& texts);

// What the clipboard pane's selection switches on and off (menu item indexes of the clipboard
// menu, toolbar buttons by number).
struct ClipSelectState {
  std::string Panel1;
  bool Menu = false;               // PoPIcoClipBoardMenu
  bool SysClipboardItems = false;  // items 19, 20: exactly one selected
  bool SelectedItems = false;      // items 0, 3, 6, 10; buttons 6, 7, 8, 16, 18, 21, 22, 23
  bool SelectAll = false;          // item 9, button 17
  // Buttons 26, 27, 28, 11, 12, 13, 14 are always off.
};
ClipSelectState SelectClipIco(int count, int selCount, const LanguageTable& lang);

// Deletes icons of the clipboard with their notes; a missing note is no error. Only regular files
// go, never through a link. Returns the names that could not be deleted (they stay listed).
std::vector<std::string> DelClipFiles(const std::string& clipDir, std::span<const std::string> fileNames);
// Deletes every icon and note of the folder (names ending in ".ico" or ".sur" in any case) the
// same way; other files stay. Returns the names that could not be deleted: all of them when the
// folder is a link or no folder.
std::vector<std::string> DelAllClipFiles(const std::string& clipDir);
// Tells once that these clipboard files could not be deleted: kRowClipIconsNotDeleted and their names, or row
// 730 and the folder when the folder is a link or no folder. Nothing for no names.
void TellClipFilesNotDeleted(const std::string& clipDir, std::span<const std::string> names, Prompter& prompter,
                             const LanguageTable& lang);

// The note beside an icon: the icon's name less its last four characters & ".sur".
std::string ClipNoteName(const std::string& icoName);

}  // namespace glimmora
