// Times the library's work that grows with its size: filling a library of 32767 icons (appends of
// 50 at a time, as moves from the icon clipboard come), compacting it after deleting every other
// icon and after deleting one, a keyword search over all of it, and loading its last page.
//
//   library_bench FOLDER
//
// Makes its library in FOLDER (which must exist) and leaves it there.

#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "common/Paths.h"
#include "library/KeywordSearch.h"
#include "library/LibFiles.h"
#include "library/LibPages.h"
#include "library/LibraryReader.h"
#include "library/LibraryWriter.h"

using namespace glimmora;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// A 32 x 32 icon at 8 bits: palette, colour rows and mask rows (3200 bytes of body).
LibIconBody Icon(int seed) {
  LibIconBody b;
  b.Width = 32;
  b.Height = 32;
  b.BitCount = 8;
  b.Body.resize(1024 + 32 * 32 + 4 * 32);
  for (std::size_t i = 0; i < b.Body.size(); ++i) b.Body[i] = static_cast<std::uint8_t>(seed * 13 + i);
  return b;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: library_bench FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  const std::string src = JoinPath(folder, "bench_(Bench).src");
  const std::string work = JoinPath(folder, "work");
  ::mkdir(work.c_str(), 0755);
  std::remove(src.c_str());
  std::remove(DefaultDatPath(src).c_str());
  if (!CreateLibraryFiles(src, NewSrcHead("bench", "Bench", "bench")).Ok) return 1;

  auto t = std::chrono::steady_clock::now();
  for (int done = 0; done < kMaxLibIcons;) {
    std::vector<LibIconBody> batch;
    for (int i = 0; i < 50 && done < kMaxLibIcons; ++i, ++done) batch.push_back(Icon(done));
    if (!AppendIcons(src, batch).Ok) return 1;
  }
  std::printf("fill 32767 icons in moves of 50: %.2f s\n", Seconds(t));

  t = std::chrono::steady_clock::now();
  LibraryReader r = LibraryReader::Open(src);
  std::vector<EntryId> one = {{1, EntryStamp(*r.Item(1))}};
  r = LibraryReader();
  if (!DeleteEntries(src, one).Ok) return 1;
  std::printf("compact 32767 icons after deleting 1: %.2f s\n", Seconds(t));

  t = std::chrono::steady_clock::now();
  const auto hits = SearchLibraries(SplitSearchText("nothing"), std::vector<SearchLibrary>{{src, "C", "Bench"}}, work,
                                    Language::English);
  std::printf("keyword search over 32766 icons (no hit): %.3f s\n", Seconds(t));

  t = std::chrono::steady_clock::now();
  LanguageTable lang;
  const LibPage page = GetIcoFromLib({src, "C", "Bench", 656, 50, work}, lang);
  std::printf("load the last page (%zu icons): %.3f s\n", page.Items.size(), Seconds(t));

  t = std::chrono::steady_clock::now();
  r = LibraryReader::Open(src);
  std::vector<EntryId> half;
  for (int i = 1; i <= r.IconCount(); i += 2) half.push_back({i, EntryStamp(*r.Item(i))});
  r = LibraryReader();
  if (!DeleteEntries(src, half).Ok) return 1;
  std::printf("compact after deleting %zu icons at once: %.2f s\n", half.size(), Seconds(t));
  return hits.Hits == 0 ? 0 : 1;
}
