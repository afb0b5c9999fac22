#pragma once
// Copying library icons out of the work folder: into the icon clipboard (a letter-and-digit
// prefix and a ".sur" note each, at most 50 icons in the clipboard) or into a folder (with a
// one-line readme). Names and notes come from each icon's own library.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "save/SaveIconFromSource.h"
#include "common/Prompter.h"
#include "text/LanguageTable.h"
#include "save/SaveFailures.h"
#include "library/LibPane.h"

namespace glimmora {

// The clipboard prefix: a letter (A..Z, a..z) and a digit 1..9.
struct ClipPrefix {
  char Letter = 'A';
  int Digit = 0;  // 0 before the first name
  // Continues after the key of the clipboard pane's last item: its first character and the
  // value of its second (0 when that is no digit); "A", 0 for an empty pane.
  static ClipPrefix After(std::string_view lastKey);
  // The next prefix: digit + 1, past 9 the digit is 1 and the letter moves on (Z -> a, z -> A).
  void Advance();
  std::string Text() const;  // "A1"
};

// The export's readme line: "These ICO/BMP Files are from " & title & " Library --" & category &
// "_" & node text cut before its first "(" & ".".
std::string LibReadmeLine(const std::string& appTitle, const std::string& category, const std::string& nodeText);

// A clipboard note: category & "-" & library & three blanks (the blank that stood before the
// count in the library's node text, then two) & date & " " & time, CR LF.
std::string LibNoteLine(const std::string& category, const std::string& library, const LocalDateTime& now);

// The export target when the parameters say so: `OtherDir` of the library record when UseNow is
// set and it is an absolute folder; nothing otherwise (then the user chooses).
std::optional<std::string> ParamExportFolder(bool useNow, const std::string& otherDir);

// The folder question loop: `browse` (empty: cancelled), then kRowAskExportFolderHead & " " & folder &
// kRowAskExportFolderTail (Yes/No/Cancel); No browses again. Nothing when the user cancels.
std::optional<std::string> ChooseExportFolder(const std::function<std::string()>& browse, Prompter& prompter,
                                              const LanguageTable& lang);

struct CopyLibRequest {
  int SubMnindex = 0;        // size choice 0..7
  SaveFormat IcoBmp = SaveFormat::Ico;
  bool AllIco = false;
  bool ToClipboard = false;
  std::string WorkDir;       // LibIconTemp
  std::string ClipDir;       // IconClipBoard
  std::string TargetDir;     // folder case: the chosen folder (made when missing)
  std::string ReadmeLine;    // folder case: written as readme.txt
  int ClipIcoCount = 0;      // icons in the clipboard now
  std::string LastClipKey;   // key of the clipboard pane's last item
  MaskAnswer Mask = MaskAnswer::Yes;  // the mask answer of the library record
  FileOps* fileOps = nullptr;  // how the icons are written; null: the real file system
};

struct CopyLibResult {
  std::vector<int> Copied;             // pane indexes (from 0) of the icons written
  std::vector<std::string> NewClipFiles;  // clipboard case: the files added, in order
  bool Full = false;                   // the clipboard limit stopped the run (kRowClipboardFull told)
  SaveFailures Failed;                 // target names that could not be written, with the reasons
};

// Copies the selected items (every item with AllIco; the only item of a one-item pane). Target
// name: category & "_" & library & "_" & position & ".ico", in the clipboard with prefix & "-"
// in front; a clipboard name already taken is skipped. `yield` runs before each item.
CopyLibResult CopyLibIco(const CopyLibRequest& request, std::span<const LibPaneItem> items,
                         std::span<const bool> selected, const Clock& clock, Prompter& prompter,
                         const LanguageTable& lang, const std::function<void()>& yield = {});

}  // namespace glimmora
