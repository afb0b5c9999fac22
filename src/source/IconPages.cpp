#include "source/IconPages.h"

#include <algorithm>

#include "text/LangRows.h"
#include "text/NumberText.h"
#include "common/Paths.h"

namespace glimmora {
namespace {

// Column widths of the heading, from twips (15 to a pixel).
constexpr int kSinglePageWidthPx = (3220 + 7) / 15;
constexpr int kPagedWidthEnglishPx = 4200 / 15;
constexpr int kPagedWidthOtherPx = 3500 / 15;

}  // namespace

std::int64_t IconPageState::PageStart() const {
  if (GrpNo >= 1 && static_cast<std::size_t>(GrpNo) <= GrpStart.size()) {
    return GrpStart[static_cast<std::size_t>(GrpNo - 1)];
  }
  return 1;
}

std::int64_t PageCountOf(std::int64_t icoCount, int grpSize) {
  if (grpSize < 1) grpSize = 1;
  if (icoCount <= 0) return 0;
  return (icoCount - 1) / grpSize + 1;
}

ScanRequest NewFileScanRequest(const std::string& folder, const std::string& fileName) {
  ScanRequest r;
  r.FolderPath = folder;
  r.FileName = fileName;
  r.FirstMod = true;
  r.GrpNo = 1;
  r.GrpSize = kGrpSizeSet;
  r.GrpSizeSet = kGrpSizeSet;
  r.GrpStartIco = 1;
  return r;
}

ScanRequest PageScanRequest(const IconPageState& state) {
  ScanRequest r;
  r.FolderPath = state.Folder;
  r.FileName = state.FileName;
  r.FirstMod = false;
  r.GrpNo = static_cast<int>(state.GrpNo);
  r.GrpSize = state.GrpSize;
  r.GrpSizeSet = kGrpSizeSet;
  r.GrpStartIco = state.PageStart();
  return r;
}

void ApplyNewFileScan(IconPageState& state, const std::string& folder, const std::string& fileName,
                      const ScanResult& result) {
  state.Folder = DropTrailingSlash(folder);
  state.FileName = fileName;
  state.SourceFile = result.SourceFile.empty() ? JoinPath(state.Folder, fileName) : result.SourceFile;
  state.SourceIsPict = false;
  state.GrpSize = kGrpSizeSet;
  state.GrpNo = 1;
  state.IcoCount = result.IcoCount;
  state.TotalIcons = result.IcoCount;
  state.GrpStart = result.GrpStart;
  if (state.GrpStart.empty()) state.GrpStart.push_back(1);
  state.GrpCount = PageCountOf(result.IcoCount, state.GrpSize);
}

void ApplyPictureIcon(IconPageState& state, const std::string& folder, const std::string& fileName,
                      bool made) {
  state.Folder = DropTrailingSlash(folder);
  state.FileName = fileName;
  state.SourceFile = JoinPath(state.Folder, fileName);
  state.SourceIsPict = made;
  state.GrpSize = kGrpSizeSet;
  state.GrpNo = 1;
  state.GrpCount = made ? 1 : 0;
  state.IcoCount = made ? 1 : 0;
  state.TotalIcons = state.IcoCount;
  state.GrpStart = {1};
}

PageControls PageControlsFor(const IconPageState& state) {
  PageControls c;
  if (state.GrpCount < 2) return c;
  c.ArrowsVisible = true;
  c.PrevEnabled = state.GrpNo > 1;
  c.NextEnabled = state.GrpNo < state.GrpCount;
  return c;
}

bool TurnPage(IconPageState& state, int direction) {
  if (!state.HasFile() || state.SourceIsPict || state.GrpCount < 2 || direction == 0) return false;
  state.GrpNo += direction > 0 ? 1 : -1;
  state.GrpNo = std::clamp<std::int64_t>(state.GrpNo, 1, state.GrpCount);
  state.IcoCount = 0;
  return true;
}

NameHeading NameColumnHeading(const IconPageState& state, const LanguageTable& lang) {
  NameHeading h;
  if (state.GrpCount > 1) {
    h.Text = "  " + lang.Row(kRowNameHeading) + " ( " + lang.Row(kRowPageWord) + NumToStr(state.GrpNo) + " " +
             lang.Row(kRowPageOf) + " " + NumToStr(state.GrpCount) + " " + lang.Row(kRowPageTotal) + " )";
    h.WidthPx = lang.CurLang == Language::English ? kPagedWidthEnglishPx : kPagedWidthOtherPx;
  } else {
    h.Text = SearchingHeading(lang);
    h.WidthPx = kSinglePageWidthPx;
  }
  return h;
}

std::string SearchingHeading(const LanguageTable& lang) { return std::string(9, ' ') + lang.Row(kRowNameHeading); }

std::string IconCountColumn(std::int64_t count) { return "   " + NumToStr(count); }

}  // namespace glimmora
