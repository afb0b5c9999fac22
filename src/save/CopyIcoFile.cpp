#include "save/CopyIcoFile.h"

#include "files/FileBytes.h"
#include "scan/IconWalker.h"
#include "common/Paths.h"

namespace glimmora {

CopyIcoResult CopyIcoFile(const CopyIcoRequest& request, Prompter& prompter, const LanguageTable& lang) {
  CopyIcoResult result;
  result.FullSourcePath = JoinPath(request.SourceDir, request.FileName);
  result.targetName = request.TargetName;
  // An icon file is small; anything far larger than the largest image we take is no icon of ours.
  const auto bytes = ReadFileBytes(result.FullSourcePath, kMaxIconImageBytes + 22);
  if (!bytes) {
    result.sourceUnreadable = true;
    return result;
  }
  IconWriteResult written = WriteIconInChoice(*bytes, nullptr, request.TargetDir, request.TargetName,
                                              request.SizeSel, request.IcoBmp, request.ToSysClipboard,
                                              request.mask, prompter, lang, request.fileOps);
  static_cast<IconWriteResult&>(result) = std::move(written);
  return result;
}

}  // namespace glimmora
