#pragma once
// Save parameters: the user's standing answers to the questions that saving icons would otherwise
// ask. One record type, three copies (library list and icon clipboard, file list, icon pane), kept
// in Glimmora.cfg as 100-byte records.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "save/SaveInSize.h"
#include "text/TextCodec.h"

namespace glimmora {

inline constexpr std::size_t kSaveDirRecBytes = 100;
inline constexpr std::size_t kOtherDirBytes = 50;
inline constexpr std::size_t kIconEditToolBytes = 40;

// Byte offsets of the fields inside a stored record.
inline constexpr std::size_t kOffUseNow = 0;         // int16 little-endian
inline constexpr std::size_t kOffSaveAs = 2;
inline constexpr std::size_t kOffSaveSel = 3;
inline constexpr std::size_t kOffTagDir = 4;
inline constexpr std::size_t kOffOtherDir = 5;       // 50 bytes
inline constexpr std::size_t kOffIcoSize = 55;
inline constexpr std::size_t kOffMaskColorAns = 56;
inline constexpr std::size_t kOffTrPictAns = 57;
inline constexpr std::size_t kOffNostanAns = 58;
inline constexpr std::size_t kOffIconEditTool = 59;  // 40 bytes
inline constexpr std::size_t kOffLang = 99;

// End mark stored after each text of the record.
inline constexpr std::string_view kSaveDirMark = "//";

// In memory the texts are UTF-8 without their end mark. All-zero is the default of every copy:
// ICO, the selected icons, a new folder after the source file, own size, use the mask colour,
// convert pictures, take non-standard images, no folder, no editor, language 0.
struct SaveDirRec {
  std::int16_t UseNow = 0;        // -1 while a save with the default parameters runs
  std::uint8_t SaveAs = 0;        // 0 ICO, 1 BMP
  std::uint8_t SaveSel = 0;       // 0 the selected icons, 1 all
  std::uint8_t TagDir = 0;        // 0 new folder after the source file, 1 current folder, 2 OtherDir
  std::string OtherDir;           // the user's folder
  std::uint8_t IcoSize = 0;       // index in kSizeChoices; 0 = the icon's own size
  std::uint8_t MaskColorAns = 0;  // 0 use, 1 ask, 2 do not use
  std::uint8_t TrPictAns = 0;     // 0 convert, 1 ask, 2 do not convert
  std::uint8_t NostanAns = 0;     // 0 take, 1 ask, 2 skip
  std::string IconEditTool;       // full path of the external icon editor
  std::uint8_t Lang = 0;          // the language last chosen in the language menu

  bool operator==(const SaveDirRec&) const = default;
};

// The three copies the program keeps for the whole run.
struct SaveParams {
  SaveDirRec SaveLibDir;   // ListViewLIco and ListViewIcoClipboard
  SaveDirRec SaveFileDir;  // ListViewFile
  SaveDirRec SaveIcoDir;   // ListViewPict

  // The copy that serves the list named `curListView`; nullptr for any other name.
  SaveDirRec* ForList(std::string_view curListView);
  const SaveDirRec* ForList(std::string_view curListView) const;

  // The language menu stores its choice in all three copies at once.
  void SetLang(std::uint8_t lang);

  bool operator==(const SaveParams&) const = default;
};

// The 100 stored bytes of a record. Texts are cut at a character boundary to leave room for the
// end mark; a text too long for text and mark fills its field padded with blanks instead.
std::string EncodeSaveDirRec(const SaveDirRec& rec);

// Reads a record from its stored bytes; missing bytes (a short file) read as zeros. A text that is
// not valid UTF-8 is decoded with the legacy code page of `lang`.
SaveDirRec DecodeSaveDirRec(std::string_view bytes, Language lang);

// The stored folder when it can be used as one (an absolute path), else "" (no folder). Windows
// paths left in files from older desktops are no folder here.
std::string UsableOtherDir(const SaveDirRec& rec);

// The record's mask answer as the saves take it: 1 ask, 2 no; 0 and any value past 2 use the mask
// colour.
inline MaskAnswer MaskAnswerOf(const SaveDirRec& rec) {
  switch (rec.MaskColorAns) {
    case 1: return MaskAnswer::Ask;
    case 2: return MaskAnswer::No;
    default: return MaskAnswer::Yes;
  }
}

}  // namespace glimmora
