#pragma once
// Saving an icon in one of the offered sizes: as an icon file with a rebuilt mask, as a bitmap
// file, or as a picture for the clipboard.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "common/Result.h"
#include "files/FileOps.h"
#include "icons/IconResize.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "icons/Raster.h"
#include "save/SaveFormat.h"

namespace glimmora {

// The mask field of the save parameters: 0 yes, 1 ask, 2 no.
enum class MaskAnswer { Yes = 0, Ask = 1, No = 2 };

struct SaveInSizeRequest {
  std::span<const std::uint8_t> icoFile;  // the single-image icon to save in a size
  // When set, the bitmap and clipboard cases scale this whole picture in place of the icon (an
  // icon made from a picture is saved as a bitmap of the picture itself).
  const Raster* picture = nullptr;
  std::string targetDir;   // a trailing '/' is dropped
  std::string targetName;  // with a 4-character extension, replaced by the suffix and ".ico"/".bmp"
  int sizeSel = 0;
  SaveFormat icoBmp = SaveFormat::Ico;
  bool toSysClipboard = false;
  MaskAnswer mask = MaskAnswer::Yes;  // the caller's page rule already applied
  FileOps* fileOps = nullptr;  // how the file is written; null: the real file system
};

struct SaveInSizeResult {
  std::string targetName;  // the name used (suffix and extension applied); unchanged when nothing was to be done
  std::string targetPath;  // the file written; empty when none
  bool written = false;
  std::optional<Failure> writeFailure;  // why the file could not be written
  std::optional<Raster> clipboard;  // the picture to put on the clipboard, drawn on white
  std::optional<ArgbImage> clipboardAlpha;  // the same with its alpha, when the icon has one
  MaskResult mask = MaskResult::NotWanted;
};

// An icon without the clipboard writes targetDir/<base><suffix>.ico (asking kRowAskMask first when the
// mask answer is Ask, telling kRowNoKeyColor when no key colour is free); a bitmap, or the clipboard,
// writes targetDir/<base><suffix>.bmp or hands the picture back for the clipboard. An existing target
// is replaced.
[[nodiscard]] SaveInSizeResult SaveIconInSize(const SaveInSizeRequest& request, Prompter& prompter, const LanguageTable& texts);

// Writes `bytes` as `path` (through `ops` when given) and records in `result` whether it was written.
void WriteTargetFile(SaveInSizeResult& result, const std::string& path, std::span<const std::uint8_t> bytes,
                     FileOps* ops = nullptr);

}  // namespace glimmora
