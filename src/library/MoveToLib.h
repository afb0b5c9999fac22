#pragma once
// Moving icons of the icon clipboard into the library selected in the tree. All chosen icons that
// the library format can hold go in with one commit; only those are then deleted from the
// clipboard. Icons it cannot hold, and every icon when the write fails, stay in the clipboard.

#include <span>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "text/LanguageTable.h"
#include "library/LibPane.h"
#include "library/LibraryWriter.h"

namespace glimmora {

// The selected tree node.
struct MoveTarget {
  bool IsCategory = false;
  bool CategoryHasChildren = false;  // for the refusal text
  std::string NodeText;              // e.g. "Cats (12)"
  std::string ParentText;            // the category's text (library nodes)
  std::string SrcPath;               // the library (library nodes)
};

struct MoveRequest {
  MoveTarget Target;
  bool AllIco = false;                     // the question's wording only: the caller passes the files
  std::vector<std::string> ClipFiles;      // real names of the chosen clipboard icons, in pane order
  std::string ClipDir;                     // IconClipBoard
  std::string WorkDir;                     // LibIconTemp
  std::string LastPaneKey;                 // key of the library pane's last item ("" when empty)
  int PaneCount = 0;                       // items in the library pane now
  int LibGrpSize = kLibGrpSize;
};

struct MoveResult {
  bool Asked = false;      // got past the refusal and the question was answered Yes
  bool Ok = false;         // the library was written (or nothing was to be written)
  int IconCount = 0;       // the library's count afterwards
  std::string NodeText;    // name & " (" & count & ")"
  std::vector<std::string> Moved;     // clipboard files now in the library
  std::vector<std::string> NotDeleted;  // of those, the ones still in the clipboard folder (told)
  std::vector<std::string> Refused;   // clipboard files the library cannot hold (they stay)
  std::vector<LibPaneItem> NewPaneItems;  // the moved icons that fit on the pane, work copies written
};

// Refusal for a category (kRowCategoryHasNoLibraryHead/kRowCategoryHasNoLibraryTail or
// kRowNotIntoCategoryHead/kRowNotIntoCategoryTail), the question (kRowAskMoveSelectedIntoLibraryHead or
// kRowAskMoveAllIntoLibraryHead & caption & kRowAskMoveIntoLibraryTail, Yes/No), then the move. Failures are told once.
MoveResult MoveIcoToLib(const MoveRequest& request, Prompter& prompter, const LanguageTable& lang,
                        LibraryFileOps& ops = DefaultLibraryFileOps());

}  // namespace glimmora
