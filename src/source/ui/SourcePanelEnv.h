#pragma once
// What the parts of the source panel (folder tree, path box, file list) share: the language,
// the message boxes, the keys to clear before one, and where folders are read from.

#include <functional>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "files/DriveTypes.h"
#include "settings/ModifierKeys.h"
#include "source/FolderReader.h"
#include "text/LanguageTable.h"

namespace glimmora {

// The roots of the folder tree: the volumes under My Computer and the two user folders.
struct SourceRoots {
  std::vector<Volume> Volumes;
  std::string Desktop;
  std::string Documents;
};

struct SourcePanelEnv {
  const LanguageTable* Lang = nullptr;  // required
  Prompter* Ask = nullptr;              // required
  ModifierKeys* Keys = nullptr;         // cleared before every message box when given
  std::string AppPath;                  // the program folder
  // The roots; the default reads the mounted volumes and the XDG folders.
  std::function<SourceRoots()> Roots;
  // The disk reader; null reads the real file system. Not owned.
  FolderReader* Reader = nullptr;
};

}  // namespace glimmora
