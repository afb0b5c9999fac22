#include "library/LibPages.h"

#include <algorithm>
#include <span>

#include "text/LangRows.h"
#include "text/NumberText.h"
#include "library/LibraryWriter.h"

namespace glimmora {

LibPage GetIcoFromLib(const LibPageRequest& request, const LanguageTable& lang, const LibProgress& progress) {
  LibPage page;
  const OwnFolder work(request.WorkDir);
  page.WorkFolderNotReal = !EmptyWorkFolder(work);
  // A change cut off by a crash is finished or rolled back when the library is opened; turning its
  // pages reads what that left (the reader takes committed files as they stand).
  if (request.LibGrpNo == 0) TidyLibraryFiles(request.SrcPath);
  LibraryReader reader = LibraryReader::Open(request.SrcPath);
  if (request.LibGrpNo == 0 && CutUnusedData(reader)) reader = LibraryReader::Open(request.SrcPath);
  if (!reader.Ok()) {
    page.Problem = reader.Problem();
    return page;
  }
  page.IconCount = reader.IconCount();
  if (page.IconCount == 0) return page;
  const int size = std::max(1, request.LibGrpSize);
  page.LibGrpCount = (page.IconCount - 1) / size + 1;
  page.LibGrpNo = std::clamp(request.LibGrpNo == 0 ? 1 : request.LibGrpNo, 1, page.LibGrpCount);
  // 64-bit: the first entry of a late page does not fit the 16 bits it once was computed in.
  const std::int64_t first = (std::int64_t{page.LibGrpNo} - 1) * size + 1;
  const std::int64_t last = std::min<std::int64_t>(first + size - 1, page.IconCount);
  std::string name;
  for (std::int64_t i = first; i <= last && !page.WorkFolderNotReal; ++i) {
    const int entry = static_cast<int>(i);
    const auto item = reader.Item(entry);
    const auto body = item ? reader.Body(*item) : std::nullopt;
    if (progress) progress(static_cast<int>(static_cast<double>(entry) / page.IconCount * 105) + 1);
    if (!body) {
      ++page.Unreadable;
      continue;
    }
    name = NextWorkName(name);
    const std::string key = name + ".ico";
    if (!WriteWorkFile(work, key, LibraryIcoBytes(*item, *body))) {
      ++page.Unreadable;
      continue;
    }
    LibPaneItem p = MakeLibPaneItem(request.SrcPath, entry, *item, key, static_cast<int>(page.Items.size()) + 1,
                                    request.CategoryName, request.LibraryName, lang.CurLang);
    page.Bytes += p.Bytes;
    page.Items.push_back(std::move(p));
  }
  if (progress) progress(110);
  page.Status2 = LibPaneStatus(static_cast<int>(page.Items.size()), page.Bytes, lang);
  return page;
}

LibPage CategoryPage(const std::string& workDir, const LanguageTable& lang) {
  // A work folder that is a link is left alone; an empty category lists nothing from it anyway.
  (void)EmptyWorkFolder(OwnFolder(workDir));
  LibPage page;
  page.Status2 = LibPaneStatus(0, 0, lang);
  return page;
}

LibPagesState MakeLibPagesState(int iconCount, int paneCount, int libGrpNo, int libGrpSize, const LanguageTable& lang) {
  LibPagesState s;
  if (iconCount == 0) iconCount = paneCount;
  const int size = std::max(1, libGrpSize);
  s.LibGrpCount = (iconCount + size - 1) / size;
  s.LibGrpNo = libGrpNo;
  if (s.LibGrpCount <= 1) return s;
  s.MultiPage = true;
  if (s.LibGrpNo == 0 && iconCount > 0) s.LibGrpNo = 1;
  s.Caption = lang.Row(kRowLibPageHeading) + NumToStr(s.LibGrpNo) + " " + lang.Row(kRowLibPageOf) + " " +
              NumToStr(s.LibGrpCount) + " " + lang.Row(kRowPageTotal) + " )";
  s.PrevEnabled = s.LibGrpNo != 1;
  s.NextEnabled = s.LibGrpNo != s.LibGrpCount;
  return s;
}

int ClampLibPage(int libGrpNo, int iconCount, int libGrpSize) {
  const int size = std::max(1, libGrpSize);
  const int count = (iconCount + size - 1) / size;
  return std::min(libGrpNo, count);
}

std::string LibNodeText(const std::string& libraryName, int iconCount) {
  return libraryName + " (" + NumToStr(iconCount) + ")";
}

std::string NodeName(const std::string& nodeText) {
  const std::size_t p = nodeText.find(" (");
  return p == std::string::npos ? nodeText : nodeText.substr(0, p);
}

}  // namespace glimmora
