#pragma once
// Copying an icon that already lies on disk as a single-image .ico (an icon of the icon clipboard,
// a library icon taken out into the work folder): byte for byte in its own size, drawn on white as
// a bitmap or for the clipboard, or resized to one of the offered sizes.

#include <string>

#include "files/FileOps.h"

#include "save/SaveIconFromSource.h"

namespace glimmora {

struct CopyIcoRequest {
  int SizeSel = 0;          // index in kSizeChoices; 0 = the icon's own size
  std::string SourceDir;
  std::string FileName;     // the source icon in SourceDir
  std::string TargetDir;
  std::string TargetName;   // with a 4-character extension, replaced for bitmaps and sizes
  SaveFormat IcoBmp = SaveFormat::Ico;
  bool ToSysClipboard = false;
  MaskAnswer mask = MaskAnswer::Yes;
  FileOps* fileOps = nullptr;  // how the file is written; null: the real file system
};

struct CopyIcoResult : IconWriteResult {
  std::string FullSourcePath;  // SourceDir/FileName
};

// An own-size icon copy is the source's 22-byte head and its image, without anything the file
// holds behind the image; every other case goes through SaveIconInSize. A missing or unreadable
// source, or one that holds no icon, writes nothing and is reported in sourceUnreadable.
CopyIcoResult CopyIcoFile(const CopyIcoRequest& request, Prompter& prompter, const LanguageTable& lang);

}  // namespace glimmora
