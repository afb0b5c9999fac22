#include "save/SaveAllIcons.h"

#include <sys/stat.h>

#include <cerrno>

#include "icons/BmpFile.h"
#include "icons/Dib.h"
#include "files/FileBytes.h"
#include "icons/IcoFile.h"
#include "files/Folders.h"
#include "common/Paths.h"
#include "files/ReplaceFile.h"
#include "save/SaveNotes.h"

namespace glimmora {

SaveAllResult SaveAllIconsToFolder(const SaveAllRequest& request, ClipboardNaming& naming,
                                   const SaveAllServices& services) {
  SaveAllResult result;
  const std::string folderPath = DropTrailingSlash(request.FolderPath);
  result.SourceFile = JoinPath(folderPath, request.FileName);
  const bool asIco = request.IcoBmp == SaveFormat::Ico;
  const std::string suffix = asIco ? "_Ico" : "_Bmp";

  ScanFile file;
  if (Result<void> opened = file.Open(result.SourceFile); !opened) {
    result.status = ScanStatus::SourceUnreadable;
    result.failure = opened.Error();
    return result;
  }

  const bool ownFolder = request.useTargetDir && !request.TargetDir.empty();
  const std::string saveFolder =
      ownFolder ? DropTrailingSlash(request.TargetDir) : JoinPath(folderPath, request.FileName + suffix);
  const std::int64_t length = file.Length();
  ProgressReporter reporter(services.progress);
  auto progress = [&](std::int64_t pos) { reporter.Value(PercentOf(pos, length)); };
  IconWalker walker(file, request.pattern, 1,
                    MakeNonStandardDecision(request.NostanAns, services.lang, services.prompter),
                    request.bufferBytes);
  walker.SetProgressHook(progress);

  bool firstIcon = true;
  std::int64_t count = 0;
  AcceptedImage image;
  std::vector<std::uint8_t> bytes;
  while (walker.Next(image)) {
    progress(image.position);
    std::string target;
    bool writeIco = asIco;
    if (request.ToClipBoard) {
      const ClipboardName name = NextClipBoardFileName(naming, request.FileName, request.clipboardDir,
                                                       result.SourceFile, services.clock,
                                                       services.prompter, services.lang);
      if (name.Full) {
        result.Full = true;
        break;
      }
      target = name.FileName;
      writeIco = true;  // the icon clipboard holds icon files only
      result.folder = request.clipboardDir;
    } else {
      if (request.MakeFolder && firstIcon) {
        const Result<bool> made = MakeFolder(saveFolder);
        const bool exists = made.Ok();
        result.folderCreated = exists && *made;
        // Without the folder every icon would fail the same way: the folder is told once instead,
        // and the icons are only counted.
        if (!exists) result.folderFailure = made.Error();
        if (exists && !ownFolder && services.observer != nullptr) {
          services.observer->FolderAdded(folderPath, request.FileName + suffix);
        }
        result.readmeWritten =
            WriteReadme(saveFolder, ReadmeText(result.SourceFile, request.AppTitle, services.clock.Now()),
                        result.folderCreated)
                .Ok();
      }
      const std::string name =
          request.FileName + suffix + std::to_string(count + 1) + (asIco ? ".ico" : ".bmp");
      target = JoinPath(request.MakeFolder ? saveFolder : folderPath, name);
      result.folder = request.MakeFolder ? saveFolder : folderPath;
    }
    if (firstIcon && !result.folderFailure) RemoveUnfinishedSaves(result.folder);
    firstIcon = false;
    ++count;
    if (count == 1) reporter.Show();
    if (result.folderFailure) continue;

    if (!walker.ImageBytes(image, bytes)) {
      result.failures.Add(target);
      continue;
    }
    const std::vector<std::uint8_t> ico = IcoFileOf(image, bytes);
    std::optional<Result<void>> saved;
    if (writeIco) {
      saved = ReplaceFileBytes(target, ico, services.fileOps);
    } else if (const std::optional<DecodedIcon> decoded = DecodeIcoFile(ico)) {
      saved = ReplaceFileBytes(target, WriteBmp24(decoded->onWhite), services.fileOps);
    }
    if (saved && saved->Ok()) {
      result.written.push_back(target);
    } else {
      result.failures.Add(target, saved ? saved->Error().sysErrno : 0);
    }
  }

  reporter.Hide();
  result.IcoCount = count;
  result.IcoTypeCount = walker.Tally();
  if (walker.ReadFailed()) {
    result.status = ScanStatus::ReadError;
    result.failure = Fail(Fault::CannotRead, result.SourceFile, EIO);
  }
  return result;
}

}  // namespace glimmora
