#pragma once
// Saving icons of the source page: the icons of the icon pane (selected or all), or every icon of
// the checked files of the file list, as .ico or .bmp files, into a folder or into the icon
// clipboard. This file decides where they go and drives the engine's writers; it reports every
// file or folder error once per command.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "common/Clock.h"
#include "scan/IconScanner.h"
#include "scan/IconTypeTally.h"
#include "text/LanguageTable.h"
#include "files/FileOps.h"
#include "common/Prompter.h"
#include "icons/Raster.h"
#include "save/SaveFailures.h"
#include "save/SaveFormat.h"
#include "settings/ModifierKeys.h"
#include "settings/SaveParams.h"
#include "shared/IconClipboardLink.h"
#include "shared/PictureToIcon.h"
#include "source/SourceLinks.h"

namespace glimmora {

enum class SaveFrom { IconPane, CheckedFiles };

// Where a save goes.
struct SaveTarget {
  bool Cancelled = false;
  // Icon pane: make Folder (with a readme.txt). Checked files: each file's icons into a new
  // folder named after it (or all into Folder when UseOtherDir).
  bool NewFolder = false;
  bool UseOtherDir = false;  // the user's own folder from the save parameters
  bool AddToTree = false;    // the new folder beside the source is shown in the folder tree
  std::string Folder;        // icon pane: the folder written into; checked files: the user's folder
};

// Decides the target from the save parameters `rec`, asking (Yes new folder, No current folder,
// Cancel nothing) when `useNow` is false or when the parameters name a user folder that is not
// usable. `asBmp` picks the "_Bmp" texts and suffix.
SaveTarget DecideSaveTarget(SaveFrom from, const SaveDirRec& rec, bool useNow, bool asBmp,
                            const std::string& sourceFile, const std::string& currentFolder, Prompter& prompter,
                            const LanguageTable& lang, ModifierKeys* keys = nullptr);

// The state of the icon clipboard folder itself: its .ico files, the last in list order.
IconClipboardState ReadIconClipboardFolder(const std::string& folder);


// Services of a save run.
struct SaveRunEnv {
  const LanguageTable& lang;
  Prompter& prompter;
  const Clock& clock;
  ModifierKeys* keys = nullptr;
  std::string AppPath;
  std::string AppTitle;
  std::function<void()> yield;  // once per item, so the window stays responsive
  FileOps* fileOps = nullptr;   // how the files are written; null: the real file system
};

// Every error of one command, reported once at its end: the files not saved (how many, the first
// few, the system's reasons), and the first folder that could not be made.
struct SaveErrors : SaveFailures {
  std::string FailedFolder;
  int FolderError = 0;
  void AddFolder(const std::string& folder, int error) {
    if (FailedFolder.empty()) {
      FailedFolder = folder;
      FolderError = error;
    }
  }
};
// The message of ReportSaveErrors: the folder that could not be made, then FailedSaveText of the
// files (`written` of them were written). Empty when nothing failed.
std::string SaveErrorText(const SaveErrors& errors, std::size_t written, const LanguageTable& lang);
void ReportSaveErrors(const SaveErrors& errors, std::size_t written, const SaveRunEnv& env);

// One icon of the icon pane.
struct PaneIcon {
  std::string Text;  // "a.dll_12.ico"
  std::int64_t Position = 0;
  std::int64_t ImageSize = 0;
  bool Selected = false;
};

struct PaneSaveRequest {
  int SizeSel = 0;          // index in kSizeChoices; 0 = the icon's own size
  SaveFormat IcoBmp = SaveFormat::Ico;
  bool AllIco = false;
  bool ToIconClipboard = false;
  bool UseNow = false;      // use the parameters without asking
  SaveDirRec Rec;           // the icon pane's parameters
  std::string CurrentFolder;  // the folder the file list shows
  std::string SourceFile;
  bool SourceIsPict = false;
  std::span<const std::uint8_t> PictureIco;  // the icon made from the picture
  const Raster* Picture = nullptr;
  IconClipboardState Clip;
};

struct SaveRunOutcome {
  bool Cancelled = false;
  bool Full = false;  // the icon clipboard refused an icon and the run stopped
  std::string Folder;
  bool FolderCreated = false;
  bool ReadmeWritten = false;
  std::string TreeFolder;  // a new folder beside the source, for the folder tree
  std::vector<std::string> Written;
  SaveErrors Errors;
};

// Saves the selected icons of `items` (all with AllIco; the only one when there is one), in
// order. A full icon clipboard stops the run and leaves the icons not saved deselected; the
// lone item is left selected. Errors are reported once through the prompter.
SaveRunOutcome SaveIconsFromPane(std::vector<PaneIcon>& items, const PaneSaveRequest& request,
                                 const SaveRunEnv& env);

struct FilesSaveRequest {
  SaveFormat IcoBmp = SaveFormat::Ico;
  bool AllIco = false;
  bool ToIconClipboard = false;
  bool UseNow = false;
  SaveDirRec Rec;  // the file list's parameters
  IconClipboardState Clip;
  const IcoTypeNames* TypeNames = nullptr;
  std::function<bool()> Stop;  // asked before each file: true ends the run
  // Ticks or clears a row of the file list (the run ticks every row with AllIco and clears the
  // rows it did not reach when it stops early).
  std::function<void(const std::string& fileName, bool checked)> SetChecked;
  ScanProgress* Progress = nullptr;
  // Picture files (BMP, JPG, GIF, WMF) go to the picture-to-icon tool instead of the scanner,
  // each as one icon (or one bitmap of the picture); null: every file is scanned.
  PictureConverter* Pictures = nullptr;
  std::uint8_t MaskColorAns = 0;  // the icon pane's mask answer, for icons made from pictures
};

struct FilesSaveOutcome {
  bool Cancelled = false;
  bool Full = false;
  bool Stopped = false;
  int FilesDone = 0;
  int PicturesConverted = 0;  // picture files the tool took (made or closed without an icon)
  std::vector<std::string> Written;
  SaveErrors Errors;
};

// Saves every icon of each checked file (every file with AllIco), in its own size. A picture
// file accepted by the picture-to-icon tool is not scanned; the tool's abort button ends the run
// after that file, and so does a change of the listed folder while the tool was open.
FilesSaveOutcome SaveIconsOfCheckedFiles(FileListLink& files, const FilesSaveRequest& request,
                                         const SaveRunEnv& env);

// Where letter and counter continue from after the last icon of the icon clipboard.
void ClipboardNamingFrom(const IconClipboardState& clip, char& letter, int& counter);

}  // namespace glimmora
