// Times the saving of found icons: every icon of a file saved in its own size and in each of the
// seven sizes, as .ico and as .bmp, through the same code the save commands use; then the save of
// all icons of the file into a folder, as icons and as bitmaps.
//
//   save_bench [--max N] [--only ICO|BMP] FILE TARGET_FOLDER
//
// Writes into TARGET_FOLDER (made when missing) and reports icons and files per second. --max
// limits the icons saved one by one (0 skips that part); --only keeps one format of the save of
// all icons. bench/save_rate.sh compares the save of all icons with a resource extractor.

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <cstdlib>
#include <string>
#include <vector>

#include "text/AsciiCase.h"
#include "save/ClipboardNames.h"
#include "scan/IconWalker.h"
#include "save/SaveAllIcons.h"
#include "save/SaveIconFromSource.h"

using namespace glimmora;

namespace {

struct Silent : Prompter {
  PromptAnswer Ask(const PromptRequest&) override { return PromptAnswer::Ok; }
};

struct FixedClock : Clock {
  LocalDateTime Now() const override { return LocalDateTime{2024, 1, 2, 3, 4, 5}; }
};

double Since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  std::int64_t maxIcons = 200;
  std::vector<std::string> formats = {"ICO", "BMP"};
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--max" && i + 1 < argc) maxIcons = std::atoll(argv[++i]);
    else if (a == "--only" && i + 1 < argc) formats = {argv[++i]};
    else args.push_back(a);
  }
  if (args.size() != 2) {
    std::fprintf(stderr, "usage: save_bench [--max N] [--only ICO|BMP] FILE TARGET_FOLDER\n");
    return 2;
  }
  const std::string path = args[0];
  const std::string target = args[1];
  std::error_code made;
  std::filesystem::create_directories(target, made);
  if (made) {
    std::fprintf(stderr, "%s: %s\n", target.c_str(), made.message().c_str());
    return 1;
  }
  const auto slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);

  ScanFile file;
  if (Result<void> opened = file.Open(path); !opened) {
    std::fprintf(stderr, "%s: error %d\n", path.c_str(), opened.Error().sysErrno);
    return 1;
  }
  std::vector<AcceptedImage> icons;
  {
    IconWalker walker(file, kDefaultSearchPattern, 1, nullptr);
    AcceptedImage image;
    while (walker.Next(image) && static_cast<std::int64_t>(icons.size()) < maxIcons) icons.push_back(image);
  }
  if (icons.empty() && maxIcons > 0) {
    std::printf("%s: no icons\n", path.c_str());
    return 0;
  }

  LanguageTable lang;
  Silent prompter;
  std::int64_t files = 0, failures = 0;
  const auto t0 = std::chrono::steady_clock::now();
  for (std::size_t i = 0; i < icons.size(); ++i) {
    for (const SaveFormat format : {SaveFormat::Ico, SaveFormat::Bmp}) {
      for (int sizeSel = 0; sizeSel <= 7; ++sizeSel) {
        SaveFromSourceRequest req;
        req.SizeSel = sizeSel;
        req.FilePos = icons[i].position;
        req.ImageSize = icons[i].imageSize;
        req.TargetDir = target;
        req.TargetName = name + "_" + std::to_string(i + 1) + ".ico";
        req.IcoBmp = format;
        req.mask = MaskAnswer::Yes;
        req.SourceFile = path;
        req.source = &file;
        const IconWriteResult r = SaveIconFromSource(req, prompter, lang);
        if (r.written) ++files;
        else ++failures;
      }
    }
  }
  const double each = Since(t0);
  if (!icons.empty())
    std::printf("%s: %zu icons x 8 sizes x 2 formats: %lld files in %.3f s = %.1f icons/s, %.1f files/s "
              "(%lld not written)\n",
              path.c_str(), icons.size(), static_cast<long long>(files), each, icons.size() / each, files / each,
              static_cast<long long>(failures));

  FixedClock clock;
  for (const std::string& format : formats) {
    SaveAllRequest req;
    req.FolderPath = folder;
    req.FileName = name;
    // Only "ICO" (in any case) saves icons, as before; every other name saves bitmaps.
    req.IcoBmp = AsciiUpper(format) == "ICO" ? SaveFormat::Ico : SaveFormat::Bmp;
    req.MakeFolder = true;
    req.useTargetDir = true;
    req.TargetDir = target;
    req.AppTitle = "Glimmora";
    ClipboardNaming naming;
    const auto t1 = std::chrono::steady_clock::now();
    const SaveAllResult r = SaveAllIconsToFolder(req, naming, SaveAllServices{lang, prompter, clock, nullptr, nullptr});
    const double all = Since(t1);
    std::printf("save all as %s: %lld icons in %.3f s = %.1f icons/s (%lld not written)\n", format.c_str(),
                static_cast<long long>(r.IcoCount), all, r.IcoCount / all, static_cast<long long>(r.failures.Count));
  }
  return 0;
}
