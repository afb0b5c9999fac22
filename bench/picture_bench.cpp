// Times the loading of pictures: metafiles through the metafile player, every other kind through
// the picture loader the picture tool uses.
//
//   picture_bench [--png DIR] [--repeat N] [--stop-after MS] [--costly] FILE...
//
// Prints one line a file, "NAME: WxH in T ms" or "NAME: refused: REASON in T ms", T the median of
// N loads (default 1); with --png it also writes what was drawn as DIR/NAME.png. --costly adds
// metafiles made here that are sound but dear to draw (wide pens, tangled polygons, large text)
// and forged ones that are dear unless counted (overlapping regions, large bitmaps and patterns,
// a large clip region moved, extents scaled to infinity, a flood fill through a comb), each of
// which must end within the player's time limit. --stop-after tells each metafile's load to
// stop MS milliseconds after it starts and notes how soon it ended after that.

#include <QGuiApplication>
#include <QImage>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
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

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);  // fonts for the text inside metafiles
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
    else {
      Result<std::vector<std::uint8_t>> bytes = ReadFileBytes(a, kMaxPictureFileBytes);
      inputs.push_back({std::filesystem::path(a).filename().string(),
                        bytes ? std::optional(std::move(bytes).Value()) : std::nullopt});
    }
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
