#pragma once
// Saving every icon of a file in its own size: scanned again from the start, each icon written as
// an .ico (or drawn on white as a .bmp) into a folder beside the file, into a folder of the user's
// choice, beside the file itself, or into the icon clipboard. The icon pane's state is left alone:
// everything the run found comes back in its result.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "save/ClipboardNames.h"
#include "files/FileOps.h"
#include "common/Clock.h"
#include "scan/IconScanner.h"
#include "scan/IconTypeTally.h"
#include "scan/IconWalker.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "save/SaveFailures.h"
#include "save/SaveFormat.h"

namespace glimmora {

struct SaveAllRequest {
  std::string FolderPath;  // folder of the source file; a trailing '/' is dropped
  std::string FileName;
  SaveFormat IcoBmp = SaveFormat::Ico;
  bool MakeFolder = true;  // save into a folder (made at the first icon) rather than beside the file
  // The file list's save parameters: TagDir 2 with UseNow set means the user's own folder.
  bool useTargetDir = false;
  std::string TargetDir;
  bool ToClipBoard = false;  // into the icon clipboard instead
  int NostanAns = 0;         // the file list's answer to non-standard sizes
  std::string clipboardDir;  // the icon clipboard folder
  std::string AppTitle;      // for readme.txt
  SearchPattern pattern = kDefaultSearchPattern;
  std::int64_t bufferBytes = IconWalker::kDefaultBufferBytes;
};

struct SaveAllResult {
  ScanStatus status = ScanStatus::Done;
  std::optional<Failure> failure;  // why the source could not be read
  std::string SourceFile;
  std::int64_t IcoCount = 0;  // icons saved or attempted, into the clipboard too
  IcoTypeTally IcoTypeCount;
  bool Full = false;          // the icon clipboard refused an icon and the run stopped
  std::string folder;         // the folder written into (empty when nothing was written)
  bool folderCreated = false;
  bool readmeWritten = false;
  std::vector<std::string> written;  // every file written, in order
  SaveFailures failures;      // the paths not written (no reason when the icon could not be read again)
  // The folder to save into could not be made: nothing was written.
  std::optional<Failure> folderFailure;
};

// What the user sees of the run besides the files.
class SaveAllObserver {
 public:
  virtual ~SaveAllObserver() = default;
  // A folder named after the source file was made beside it (the folder tree adds it).
  virtual void FolderAdded(const std::string& parentFolder, const std::string& name) = 0;
};

struct SaveAllServices {
  const LanguageTable& lang;
  Prompter& prompter;
  const Clock& clock;
  ScanProgress* progress = nullptr;
  SaveAllObserver* observer = nullptr;
  FileOps* fileOps = nullptr;  // how the files are written; null: the real file system
};

// Saves every icon of FolderPath/FileName; `naming` is advanced for the icon clipboard.
[[nodiscard]] SaveAllResult SaveAllIconsToFolder(const SaveAllRequest& request, ClipboardNaming& naming,
                                   const SaveAllServices& services);

}  // namespace glimmora
