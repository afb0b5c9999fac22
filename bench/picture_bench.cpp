// Times the loading of pictures: metafiles through the metafile player, every other kind through
// the picture loader the picture tool uses.
//
//   picture_bench [--png DIR] FILE...
//
// Prints one line a file, "NAME: WxH in T ms" or "NAME: refused: REASON in T ms"; with --png it
// also writes what was drawn as DIR/NAME.png.

#include <QGuiApplication>
#include <QImage>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/FileBytes.h"
#include "platform/PictureFiles.h"
#include "platform/wmf/WmfPlayer.h"

using namespace glimmora;

namespace {

struct Loaded {
  QImage image;
  std::string refusal;
  std::string note;
};

Loaded Load(const std::vector<std::uint8_t>& bytes) {
  Loaded out;
  if (LooksLikeWmf(bytes)) {
    WmfPicture picture = PlayWmf(bytes);
    out.image = std::move(picture.image);
    out.refusal = PictureRefusalName(picture.refusal);
    if (picture.partial) out.note = " (drawn up to: " + picture.stopped + ")";
    return out;
  }
  const PictureLoad load = DecodePicture(bytes);
  if (load.Ok()) out.image = ImageFromRaster(load.Picture);
  else out.refusal = PictureRefusalName(load.Refusal);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);  // fonts for the text inside metafiles
  std::string pngDir;
  std::vector<std::string> files;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--png" && i + 1 < argc) pngDir = argv[++i];
    else files.push_back(a);
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: picture_bench [--png DIR] FILE...\n");
    return 2;
  }
  if (!pngDir.empty()) std::filesystem::create_directories(pngDir);
  for (const std::string& file : files) {
    const std::string name = std::filesystem::path(file).filename().string();
    const auto t0 = std::chrono::steady_clock::now();
    const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(file, kMaxPictureFileBytes);
    Loaded loaded;
    if (bytes) loaded = Load(*bytes);
    else loaded.refusal = "cannot be read, or larger than the picture file limit";
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (loaded.image.isNull()) {
      std::printf("%s: refused: %s in %.1f ms\n", name.c_str(), loaded.refusal.c_str(), ms);
      continue;
    }
    std::printf("%s: %dx%d in %.1f ms%s\n", name.c_str(), loaded.image.width(), loaded.image.height(), ms,
                loaded.note.c_str());
    if (!pngDir.empty()) loaded.image.save(QString::fromStdString(pngDir + "/" + name + ".png"), "PNG");
  }
  return 0;
}
