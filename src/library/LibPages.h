#pragma once
// One page of a library taken out into the work folder LibIconTemp, and the page count and
// caption of the library pane.

#include <functional>
#include <string>
#include <vector>

#include "text/LanguageTable.h"
#include "library/LibPane.h"
#include "library/LibraryReader.h"

namespace glimmora {

// ProgressBarLib's value while a long run goes on (1..110).
using LibProgress = std::function<void(int value)>;

struct LibPageRequest {
  std::string SrcPath;       // the library of the selected tree node
  std::string CategoryName;  // the parent node's text
  std::string LibraryName;   // the node text before its first " (" (the whole text without one)
  int LibGrpNo = 0;          // 0 is read as 1: the library is opened anew (not a page turn)
  int LibGrpSize = kLibGrpSize;
  std::string WorkDir;       // LibIconTemp
};

struct LibPage {
  LibOpenStatus Status = LibOpenStatus::Ok;
  std::string Problem;       // why the library could not be read (to tell the user once)
  int IconCount = 0;         // icons of the library
  int LibGrpNo = 0;          // the page shown (clamped to 1..LibGrpCount; 0 for an empty library)
  int LibGrpCount = 0;
  std::vector<LibPaneItem> Items;  // AAA.ico, AAB.ico, .. in the work folder
  int Unreadable = 0;        // entries of the page whose body could not be read (left out)
  bool WorkFolderNotReal = false;  // the work folder is a link or no folder: nothing taken out
  std::uint64_t Bytes = 0;
  std::string Status2;       // status panel 2 (empty when the library is empty)
};

// The page, written as AAA.ico, AAB.ico, .. into the emptied work folder; a library opened anew
// first has a change cut off by a crash finished or rolled back, and bodies an append killed
// before its commit left behind cut off its data file. For an empty library the work
// folder is emptied and nothing else happens (the caller leaves the status as it was). A work
// folder that is a link or no folder is left alone and no icon is taken out into it.
LibPage GetIcoFromLib(const LibPageRequest& request, const LanguageTable& lang, const LibProgress& progress = {});

// A category node: the work folder emptied, no items, status "0 icons".
LibPage CategoryPage(const std::string& workDir, const LanguageTable& lang);

// Page count, caption and page commands of the pane.
struct LibPagesState {
  int LibGrpCount = 0;
  int LibGrpNo = 0;
  bool MultiPage = false;    // false: both page buttons off and the caption left as it is
  std::string Caption;       // column 1 caption for several pages
  bool PrevEnabled = false;  // mn9LastGrpIcon, PictureGrp(0)
  bool NextEnabled = false;  // mn10NextGrpIcon, PictureGrp(1)
};
// `iconCount` 0 is replaced by the pane's item count.
LibPagesState MakeLibPagesState(int iconCount, int paneCount, int libGrpNo, int libGrpSize, const LanguageTable& lang);

// The page to show after the library shrank to `iconCount`: the same page unless it no longer
// exists, then the new last page.
int ClampLibPage(int libGrpNo, int iconCount, int libGrpSize);

// The node text of a library: name & " (" & count & ")".
std::string LibNodeText(const std::string& libraryName, int iconCount);
// A node text's name part: the text before its first " (", or the whole text.
std::string NodeName(const std::string& nodeText);

}  // namespace glimmora
