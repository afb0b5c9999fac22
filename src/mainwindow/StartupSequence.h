#pragma once
// The GUI-free steps of start-up: finding the program folder (asking the user when the folder of
// the executable is not a complete installation), the work folders, and the size-and-depth names.
// The folder browser and the message boxes come in through interfaces so tests can script them.

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "text/LanguageFiles.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "common/ShellServices.h"
#include "settings/AppState.h"

namespace glimmora {

// Title of the folder browser shown when no program folder is found.
inline constexpr const char* kFindProgramFolderTitle =
    " Can't found the folder of Glimmora, Please point out!";
// Shown once after the user has pointed out the program folder: set the start folder of the
// program's shortcut to the installation folder. The same in every language.
inline constexpr const char* kShortcutFolderMessage =
    "要彻底解决这个问题，请把启动本软件的快捷图标的\n\n“起始位置”设置成本软件的安装文件夹。";

// True when `folder` holds the file `exeName` and a folder WebSiteLib with at least one plain file
// in it (sub-folders and hidden files do not count), or the web-site list in any form: a
// WebSiteLib/HomePage.Lib of any kind, or a WebSiteLib that is no folder.
bool IsProgramFolder(const std::string& folder, const std::string& exeName);

struct ProgramFolderSearch {
  std::string exeFolder;       // folder of the running executable
  std::string exeName;         // file name of the running executable
  std::string fallbackFolder;  // tried when the executable's folder fails; "" = none
};

// The program folder: the executable's folder, else the fallback folder, else whatever folder the
// user points out until one passes the test. A pointed-out folder is followed by the shortcut
// message. Returns nothing when the user cancels the browser: the program then ends.
std::optional<std::string> FindProgramFolder(const ProgramFolderSearch& search,
                                             FolderBrowser& browser, Prompter& prompter);

// Creates the work folders IconClipBoard and LibIconTemp when missing. Returns the folder and the reason for
// each one that could not be made (empty when all is well), so the caller can tell the user and go on.
std::vector<Failure> MakeWorkFolders(const std::string& appPath);

// True when the program can create and replace files in `folder`.
bool FolderIsWritable(const std::string& folder);

// Captions of the size-and-depth classes of found icons: size text, "-", depth text and kRowTypeNameSuffix,
// for size classes 0-5 and depth classes 0-4; the other entries stay empty.
IcoTypeNameTable BuildIcoTypeName(const LanguageTable& table);

// The program folder's own start-up work: leftovers of settings and web-site saves that were
// killed half-way are removed, the work folders made, and a check that the folder can be
// written (Glimmora.cfg and the icon clipboard live there). The problems are told together in one
// message, in the language of `lang`; start-up goes on either way.
void PrepareProgramFolder(const std::string& appPath, const LanguageTable& lang, Prompter& prompter);

// The English message naming the language files that could not be read and why, and what follows:
// without chglangs.dat the program ends, without chglangl.dat it goes on. "" when both were read.
std::string LanguageFilesMessage(const LanguageLoad& load);

// Loads what start-up reads from the program folder into `state` (whose AppPath is set): the
// language table (the stored language decides), the configuration (pane sizes, save parameters,
// path history) and the size-and-depth captions. A configuration file that exists but cannot be
// read is told; the program then goes on with the defaults. A language file that cannot be read is
// told too; returns false, and loads nothing more, when it is chglangs.dat: the program then ends.
bool LoadStartupData(AppState& state, Prompter& prompter);

// The configuration written when the program ends: the pane sizes the window has now, the three
// save-parameter records and the path box's list and text.
ConfigData ConfigToSave(const AppState& state, const PaneSizes& current);

// Writes Glimmora.cfg at shut-down. A failure is told; returns false then. New folders too long
// for their record are named, as they will not be listed at the next start.
bool SaveFaceConfig(const AppState& state, const PaneSizes& current, Prompter& prompter,
                    const WriteCall& writeCall = {});

// The language menu: stores `lang` in the three save-parameter records and in the first byte of
// both language files, for the next start. Nothing shown changes now. A choice that cannot be
// stored in the files is told; returns false then.
bool ChooseLanguage(AppState& state, Language lang, Prompter& prompter);

}  // namespace glimmora
