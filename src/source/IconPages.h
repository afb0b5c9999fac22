#pragma once
// The page state of the icon pane: which file the pane shows, how many icons it holds, where each
// page of 50 starts in the file and which page is shown. The pane owns this state; page turns
// always rescan the file whose pages they are, whatever the file list has selected since.

#include <cstdint>
#include <string>
#include <vector>

#include "scan/IconScanner.h"
#include "text/LanguageTable.h"

namespace glimmora {

constexpr int kGrpSizeSet = 50;  // icons per page

struct IconPageState {
  std::string Folder;      // folder of the shown file (no trailing slash but the root's)
  std::string FileName;
  std::string SourceFile;  // Folder joined with FileName
  bool SourceIsPict = false;  // the pane holds one icon made from a picture file
  int GrpSize = kGrpSizeSet;
  std::int64_t GrpNo = 1;
  std::int64_t GrpCount = 0;
  // IcoCount of the last new-file scan; a page turn leaves 0 here, as the search always did.
  std::int64_t IcoCount = 0;
  std::int64_t TotalIcons = 0;  // the whole file's count, kept across page turns
  std::vector<std::int64_t> GrpStart;  // GrpStart[p - 1]: 1-based position of page p's first icon

  bool HasFile() const { return !FileName.empty(); }
  // Where the scan of the current page starts (1 when nothing is recorded).
  std::int64_t PageStart() const;
};

// Pages of `icoCount` icons at `grpSize` a page: Int((count - 1) / size) + 1, so 0 icons give 0.
std::int64_t PageCountOf(std::int64_t icoCount, int grpSize);

// The request for a new-file scan of folder/fileName, and for the current page of `state`.
ScanRequest NewFileScanRequest(const std::string& folder, const std::string& fileName);
ScanRequest PageScanRequest(const IconPageState& state);

// Takes what a new-file scan found as the pane's state: page 1 of its pages.
void ApplyNewFileScan(IconPageState& state, const std::string& folder, const std::string& fileName,
                      const ScanResult& result);

// A picture file made into one icon: one page, nothing to turn to. `made` false: the picture
// tool was closed without an icon, and the pane shows that file with nothing in it.
void ApplyPictureIcon(IconPageState& state, const std::string& folder, const std::string& fileName,
                      bool made = true);

// The arrows under the pane and the two page menu items.
struct PageControls {
  bool ArrowsVisible = false;
  bool PrevEnabled = false;  // previous arrow and mn9LastGrpIcon
  bool NextEnabled = false;  // next arrow and mn10NextGrpIcon
  bool operator==(const PageControls&) const = default;
};
PageControls PageControlsFor(const IconPageState& state);

// Moves to the next (direction > 0) or previous page, clamped to 1..GrpCount. True when the page
// is to be scanned again, which happens on every turn of a file with two or more pages, also when
// the clamp kept the page; with fewer pages (or no file) nothing happens.
bool TurnPage(IconPageState& state, int direction);

// The heading of the pane's first column and its width in pixels.
struct NameHeading {
  std::string Text;
  int WidthPx = 0;
};
NameHeading NameColumnHeading(const IconPageState& state, const LanguageTable& lang);
// The heading while a search runs: nine blanks and kRowNameHeading.
std::string SearchingHeading(const LanguageTable& lang);

// The file list's icon count column: three blanks and the count ("   37").
std::string IconCountColumn(std::int64_t count);

}  // namespace glimmora
