#pragma once
// Saving one icon of the icon pane: read again from the scanned file at the position its item
// remembers (or, for an icon made from a picture, taken from the work icon), then written in its
// own size as an .ico, or handed to the resizer for every other size, for bitmaps and for the
// clipboard.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "scan/IconWalker.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "icons/Raster.h"
#include "save/SaveInSize.h"

namespace glimmora {

// What one save of one icon did: what a save in a size does, and whether the source was there.
struct IconWriteResult : SaveInSizeResult {
  bool sourceUnreadable = false;  // the source is missing, unreadable or no longer holds the icon
};

struct SaveFromSourceRequest {
  int SizeSel = 0;              // index in kSizeChoices; 0 = the icon's own size
  std::int64_t FilePos = 0;     // from the item: 1-based position of the image's header
  std::int64_t ImageSize = 0;   // from the item: bytes in resource
  std::string TargetDir;
  std::string TargetName;       // the item text (its extension is replaced for bitmaps and sizes)
  SaveFormat IcoBmp = SaveFormat::Ico;
  bool ToSysClipboard = false;  // the picture goes to the clipboard instead of a file
  MaskAnswer mask = MaskAnswer::Yes;  // the icon pane's mask answer
  std::string SourceFile;       // the scanned file
  // The scanned file already open, for a run over many of its icons; null opens SourceFile.
  const ScanFile* source = nullptr;
  FileOps* fileOps = nullptr;  // how the file is written; null: the real file system
  // An icon made from a picture: the work icon that holds it, and the whole picture for the
  // bitmap and clipboard cases.
  bool SourceIsPict = false;
  std::span<const std::uint8_t> pictureIco;
  const Raster* picture = nullptr;
};

// An icon in its own size writes the 22-byte head and the image bytes as TargetDir/TargetName; every
// other size, every bitmap and every clipboard copy (the clipboard flag wins over the format) goes
// through SaveIconInSize.
// The image is read again and its header checked against the item before anything is written.
IconWriteResult SaveIconFromSource(const SaveFromSourceRequest& request, Prompter& prompter,
                                   const LanguageTable& lang);

// The same choice for a single-image icon already in memory (shared with the copy of icon files).
IconWriteResult WriteIconInChoice(std::span<const std::uint8_t> icoFile, const Raster* picture,
                                  const std::string& targetDir, const std::string& targetName, int sizeSel,
                                  SaveFormat icoBmp, bool toSysClipboard, MaskAnswer mask,
                                  Prompter& prompter, const LanguageTable& lang, FileOps* fileOps = nullptr);

}  // namespace glimmora
