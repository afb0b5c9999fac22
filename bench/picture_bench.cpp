// Times the loading of pictures: metafiles through the metafile player, every other kind through
// the picture loader the picture tool uses.
//
//   picture_bench [--png DIR] [--repeat N] [--stop-after MS] [--costly] FILE...
//   picture_bench --forged [--check]
//
// Prints one line a file, "NAME: WxH in T ms" or "NAME: refused: REASON in T ms", T the median of
// N loads (default 1); with --png it also writes what was drawn as DIR/NAME.png. --costly adds
// metafiles made here that are sound but dear to draw (wide pens, tangled polygons, large text)
// and forged ones that are dear unless counted (overlapping regions, large bitmaps and patterns,
// a large clip region moved, extents scaled to infinity, a flood fill through a comb), each of
// which must end within the player's time limit. --stop-after tells each metafile's load to
// stop MS milliseconds after it starts and notes how soon it ended after that.
//
// --forged loads, each in a process of its own, files whose few bytes claim a huge picture (a GIF,
// a JPEG, a PNG, a metafile, and 380 MB of zeros named .jpg) and, beside them, sound pictures as
// large as such a claim, and prints the time and the peak memory each load adds to an idle process.
// The goal: every forged file is loaded or refused within 0.5 s and 100 MB, every sound one loads.
// With --check the program exits with 1 when a goal is missed; run it on a quiet machine.

#include <QGuiApplication>
#include <QImage>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "files/FileBytes.h"
#include "support/PictureTestFiles.h"
#include "platform/PictureFiles.h"
#include "platform/wmf/WmfPlayer.h"

using namespace glimmora;

namespace {

struct Loaded {
  QImage image;
  std::string refusal;
  std::string note;
};

// With `stopAfterMs` at 0 or more, a metafile's load is told to stop that long after it starts, and
// the note says how long it took to end after that.
Loaded Load(const std::vector<std::uint8_t>& bytes, int stopAfterMs) {
  Loaded out;
  if (LooksLikeWmf(bytes)) {
    std::atomic<bool> stop{false};
    WmfBudget budget;
    std::chrono::steady_clock::time_point stoppedAt;
    std::thread stopper;
    if (stopAfterMs >= 0) {
      budget.cancel = &stop;
      stopper = std::thread([&] {
        for (int ms = 0; ms < stopAfterMs && !stop; ++ms) std::this_thread::sleep_for(std::chrono::milliseconds(1));
        stoppedAt = std::chrono::steady_clock::now();
        stop = true;
      });
    }
    WmfPicture picture = PlayWmf(bytes, budget);
    const auto ended = std::chrono::steady_clock::now();
    if (stopper.joinable()) {
      stop = true;
      stopper.join();
    }
    out.image = std::move(picture.image);
    out.refusal = PictureRefusalName(picture.refusal);
    if (picture.partial) out.note = " (drawn up to: " + picture.stopped + ")";
    if (stopAfterMs >= 0 && ended > stoppedAt) {
      const double late = std::chrono::duration<double, std::milli>(ended - stoppedAt).count();
      out.note += " (ended " + std::to_string(late).substr(0, 5) + " ms after the stop)";
    }
    return out;
  }
  const PictureLoad load = DecodePicture(bytes);
  if (load.Ok()) out.image = ImageFromRaster(load.Picture);
  else out.refusal = PictureRefusalName(load.Refusal);
  return out;
}

struct Input {
  std::string name;
  std::optional<std::vector<std::uint8_t>> bytes;
};

std::vector<Input> CostlyInputs() {
  using namespace glimmora::testing;
  return {
      {"wide-pen polylines 8 x 8000", RandomPolyWmf(8, 8000, 300, false)},
      {"filled tangles 16 x 16000", RandomPolyWmf(16, 16000, 0, true)},
      {"wide-pen polylines 500 x 8000", RandomPolyWmf(500, 8000, 300, false)},
      {"large text 200000 x 100", BigTextWmf(200000, 100, 300)},
      {"overlapping region 8000 x 10 fills", OverlappingRegionWmf(8000, 10)},
      {"pattern brushes 63 x 4096 on 4096", LargeBitmapsWmf(63, 4096, 4096, false)},
      {"old bitmaps 60 x 4096 on 100", LargeBitmapsWmf(60, 4096, 100, true)},
      {"clip region of 1000000 moved 5000 times", MovedClipWmf(100, 5000)},
      {"extent scaled to infinity, 100000 fills", ScaledPastDoublesWmf(100000)},
      {"flood fill through a comb 10000", CombFloodWmf(10000)},
  };
}

struct ForgedFile {
  const char* name;
  bool forged;  // false: a sound picture, which must load
};

constexpr ForgedFile kForgedFiles[] = {
    {"forged.gif (35 bytes, claims 10000x10000)", true},
    {"forged.jpg (SOF 10000x10000, data of 16x16)", true},
    {"forged.png (IHDR 10000x10000, one tiny IDAT)", true},
    {"forged.wmf (82 bytes, frame 10000x10000)", true},
    {"zeros.jpg (380 MB of zeros)", true},
    {"sound progressive.jpg 5000x5000", false},
    {"sound.jpg 5000x5000", false},
    {"sound.wmf 5000x5000", false},
};
constexpr int kForgedCount = static_cast<int>(std::size(kForgedFiles));

// Writes file `index` of kForgedFiles as `path`.
void WriteForged(int index, const std::string& path) {
  using namespace glimmora::testing;
  std::vector<std::uint8_t> bytes;
  switch (index) {
    case 0: bytes = GifClaiming(); break;
    case 1: bytes = JpegClaiming(); break;
    case 2: bytes = PngClaiming(); break;
    case 3: bytes = WmfClaiming(); break;
    case 5: bytes = Jpeg(5000, 5000, true); break;
    case 6: bytes = Jpeg(5000, 5000, false); break;
    case 7: bytes = RectangleWmf(5000, 5000); break;
    default: break;
  }
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (index == 4) std::filesystem::resize_file(path, std::uint64_t{380} << 20);
}

constexpr double kForgedSeconds = 0.5;
constexpr double kForgedMegabytes = 100;

// The child's part: loads file `index` (or nothing, for the idle baseline) and prints its line.
// Exits with 3 when a goal of time or outcome is missed.
int LoadOneForged(const std::string& dir, int index) {
  if (index < 0 || index >= kForgedCount) return 0;
  const ForgedFile& f = kForgedFiles[index];
  const auto t0 = std::chrono::steady_clock::now();
  const PictureLoad load = LoadPicture(dir + "/" + std::to_string(index));
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  std::string outcome = load.Ok() ? std::to_string(load.Picture.Width()) + "x" + std::to_string(load.Picture.Height())
                                  : std::string("refused: ") + PictureRefusalName(load.Refusal);
  if (load.Ok() && load.CutShort) outcome += " (cut short)";
  std::printf("%-48s %-28s %8.1f ms", f.name, outcome.c_str(), seconds * 1000);
  std::fflush(stdout);
  const bool missed = f.forged ? seconds > kForgedSeconds : !load.Ok();
  return missed ? 3 : 0;
}

// Runs this program on file `index` and returns its exit status and its peak memory in MB.
// `mode` --forged-write writes the file instead, so that this process never holds its pictures.
std::pair<int, double> RunChild(const char* self, const char* mode, const std::string& dir, int index) {
  const std::string indexText = std::to_string(index);
  const char* args[] = {self, mode, dir.c_str(), indexText.c_str(), nullptr};
  pid_t pid = 0;
  if (posix_spawn(&pid, self, nullptr, nullptr, const_cast<char* const*>(args), environ) != 0) return {-1, 0};
  int status = 0;
  struct rusage usage {};
  if (wait4(pid, &status, 0, &usage) != pid) return {-1, 0};
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, static_cast<double>(usage.ru_maxrss) / 1024.0};
}

int RunForged(const char* self, bool check) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("picture_bench." + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  for (int i = 0; i < kForgedCount; ++i) RunChild(self, "--forged-write", dir.string(), i);
  const double idle = RunChild(self, "--forged-one", dir.string(), -1).second;
  std::printf("an idle process peaks at %.1f MB; goals: forged files %.1f s and %.0f MB over that, sound ones load\n",
              idle, kForgedSeconds, kForgedMegabytes);
  std::fflush(stdout);
  bool missed = false;
  for (int i = 0; i < kForgedCount; ++i) {
    const auto [status, peak] = RunChild(self, "--forged-one", dir.string(), i);
    const bool over = kForgedFiles[i].forged && peak - idle > kForgedMegabytes;
    const bool bad = status != 0 || over;
    missed = missed || bad;
    std::printf(" peak %7.1f MB (+%.1f)%s\n", peak, peak - idle, bad ? "  MISSED" : "");
    std::fflush(stdout);
  }
  std::filesystem::remove_all(dir);
  return check && missed ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);  // fonts for the text inside metafiles
  if (argc == 4 && std::string(argv[1]) == "--forged-one") return LoadOneForged(argv[2], std::atoi(argv[3]));
  if (argc == 4 && std::string(argv[1]) == "--forged-write") {
    WriteForged(std::atoi(argv[3]), std::string(argv[2]) + "/" + argv[3]);
    return 0;
  }
  bool forged = false;
  bool check = false;
  for (int i = 1; i < argc; ++i) {
    forged = forged || std::string(argv[i]) == "--forged";
    check = check || std::string(argv[i]) == "--check";
  }
  if (forged) return RunForged("/proc/self/exe", check);
  std::string pngDir;
  int repeat = 1;
  int stopAfterMs = -1;
  std::vector<Input> inputs;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--png" && i + 1 < argc) pngDir = argv[++i];
    else if (a == "--repeat" && i + 1 < argc) repeat = std::max(1, std::atoi(argv[++i]));
    else if (a == "--stop-after" && i + 1 < argc) stopAfterMs = std::max(0, std::atoi(argv[++i]));
    else if (a == "--costly") for (Input& c : CostlyInputs()) inputs.push_back(std::move(c));
    else inputs.push_back({std::filesystem::path(a).filename().string(), ReadFileBytes(a, kMaxPictureFileBytes)});
  }
  if (inputs.empty()) {
    std::fprintf(stderr, "usage: picture_bench [--png DIR] [--repeat N] [--stop-after MS] [--costly] FILE...\n");
    return 2;
  }
  if (!pngDir.empty()) std::filesystem::create_directories(pngDir);
  for (const Input& input : inputs) {
    std::vector<double> times;
    Loaded loaded;
    for (int run = 0; run < repeat; ++run) {
      const auto t0 = std::chrono::steady_clock::now();
      if (input.bytes) loaded = Load(*input.bytes, stopAfterMs);
      else loaded.refusal = "cannot be read, or larger than the picture file limit";
      times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count());
    }
    std::nth_element(times.begin(), times.begin() + repeat / 2, times.end());
    const double ms = times[repeat / 2];
    const char* name = input.name.c_str();
    if (loaded.image.isNull()) {
      std::printf("%s: refused: %s in %.3f ms%s\n", name, loaded.refusal.c_str(), ms, loaded.note.c_str());
      continue;
    }
    std::printf("%s: %dx%d in %.3f ms%s\n", name, loaded.image.width(), loaded.image.height(), ms,
                loaded.note.c_str());
    if (!pngDir.empty()) loaded.image.save(QString::fromStdString(pngDir + "/" + input.name + ".png"), "PNG");
  }
  return 0;
}
