// Times the library's work that grows with its size: filling a library of 32767 icons (appends of
// 50 at a time, as moves from the icon clipboard come), compacting it after deleting every other
// icon and after deleting one, a keyword search over all of it, and loading its last page; then,
// for libraries of 5,000 to 29,000 icons, moving 1,000 icon files of the icon clipboard in and
// deleting 100 icons, to show that both grow no faster than the library.
//
//   library_bench FOLDER
//
// Makes its library in FOLDER (which must exist) and leaves it there.

#include <sys/stat.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "files/FileBytes.h"
#include "common/Paths.h"
#include "library/KeywordSearch.h"
#include "library/LibFiles.h"
#include "library/LibPages.h"
#include "library/LibraryReader.h"
#include "library/LibraryWriter.h"
#include "library/MoveToLib.h"

using namespace glimmora;

namespace {

double Seconds(std::chrono::steady_clock::time_point since) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// The processor time of this process: the work itself, without the waits for the disk's flushes.
double CpuSeconds() {
  timespec ts {};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
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

// Says Yes to the move question.
class YesPrompter : public Prompter {
 public:
  PromptAnswer Ask(const PromptRequest&) override { return PromptAnswer::Yes; }
};

// A library of `size` icons made anew, 1,000 icon files in the clipboard folder moved into it, then
// 100 icons spread over it deleted; the best of three rounds. False when a step fails.
bool MoveAndDelete(const std::string& folder, int size) {
  const std::string src = JoinPath(folder, "grow_(Grow).src");
  const std::string clip = JoinPath(folder, "clip");
  const std::string work = JoinPath(folder, "work");
  ::mkdir(clip.c_str(), 0755);
  std::remove(src.c_str());
  std::remove(DefaultDatPath(src).c_str());
  if (!CreateLibraryFiles(src, NewSrcHead("bench", "Grow", "grow")).Ok) return false;
  for (int done = 0; done < size;) {
    std::vector<LibIconBody> batch;
    for (int i = 0; i < 1000 && done < size; ++i, ++done) batch.push_back(Icon(done));
    if (!AppendIcons(src, batch).Ok) return false;
  }
  MoveRequest move;
  move.Target.NodeText = "Grow (" + std::to_string(size) + ")";
  move.Target.ParentText = "C";
  move.Target.SrcPath = src;
  move.ClipDir = clip;
  move.WorkDir = work;
  move.PaneCount = 50;  // a full page: the moved icons only raise the count
  std::vector<std::vector<std::uint8_t>> icos;
  for (int i = 0; i < 1000; ++i) {
    const LibIconBody b = Icon(size + i);
    icos.push_back(MakeIcoHeader(b.Width, b.Height, b.BitCount, static_cast<std::uint32_t>(b.Body.size() + 40)));
    icos.back().insert(icos.back().end(), b.Body.begin(), b.Body.end());
    move.ClipFiles.push_back("A" + std::to_string(i) + "_x.ico");
  }
  // The best of three rounds on the same library (each adds 900 icons), after one round that
  // fills the folders' caches: the disk's flushes are shared with whatever else runs, and the
  // best round shows the work itself.
  YesPrompter yes;
  LanguageTable lang;
  double moveSeconds = 1e9, deleteSeconds = 1e9, moveCpu = 1e9, deleteCpu = 1e9;
  for (int round = 0; round < 4; ++round) {
    for (int i = 0; i < 1000; ++i)
      if (!ReplaceFileBytes(JoinPath(clip, move.ClipFiles[static_cast<std::size_t>(i)]), icos[static_cast<std::size_t>(i)]))
        return false;
    auto t = std::chrono::steady_clock::now();
    double cpu = CpuSeconds();
    const MoveResult moved = MoveIcoToLib(move, yes, lang);
    if (round > 0) moveSeconds = std::min(moveSeconds, Seconds(t));
    if (round > 0) moveCpu = std::min(moveCpu, CpuSeconds() - cpu);
    if (!moved.Ok || moved.Moved.size() != 1000) return false;

    t = std::chrono::steady_clock::now();
    cpu = CpuSeconds();
    LibraryReader r = LibraryReader::Open(src);
    std::vector<EntryId> ids;
    const int step = r.IconCount() / 100;
    for (int i = 1; ids.size() < 100; i += step) ids.push_back({i, EntryStamp(*r.Item(i))});
    r = LibraryReader();
    if (!DeleteEntries(src, ids).Ok) return false;
    if (round > 0) deleteSeconds = std::min(deleteSeconds, Seconds(t));
    if (round > 0) deleteCpu = std::min(deleteCpu, CpuSeconds() - cpu);
  }
  std::printf("%6d icons: move 1000 in %.3f s (processor %.3f s), delete 100 in %.3f s (processor %.3f s)\n",
              size, moveSeconds, moveCpu, deleteSeconds, deleteCpu);
  return true;
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
  if (hits.Hits != 0) return 1;

  for (const int size : {5000, 10000, 20000, 29000})
    if (!MoveAndDelete(folder, size)) return 1;
  return 0;
}
