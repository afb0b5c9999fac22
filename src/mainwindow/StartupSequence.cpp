#include "mainwindow/StartupSequence.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>

#include "text/FaultText.h"
#include "text/LangRows.h"
#include "text/LanguageFiles.h"
#include "common/Paths.h"
#include "files/ReplaceFile.h"
#include "websites/WebSiteStore.h"

namespace glimmora {
namespace fs = std::filesystem;

bool IsProgramFolder(const std::string& folder, const std::string& exeName) {
  std::error_code ec;
  if (folder.empty() || exeName.empty()) return false;
  const fs::path base(folder);
  if (!fs::is_regular_file(base / exeName, ec)) return false;
  // A web-site list that is there but cannot be read (a folder or a pipe in its place, or a file
  // where its folder belongs) still marks the installation: the web-site page says what is wrong,
  // and pointing out another folder would not mend it. Looking never opens it.
  const fs::path webLib = base / "WebSiteLib";
  if (fs::exists(fs::symlink_status(webLib, ec)) && !fs::is_directory(webLib, ec)) return true;
  if (fs::exists(fs::symlink_status(webLib / "HomePage.Lib", ec))) return true;
  fs::directory_iterator it(webLib, ec);
  if (ec) return false;
  for (const fs::directory_entry& entry : it) {
    const std::string name = entry.path().filename().string();
    if (name.empty() || name.front() == '.') continue;  // hidden files do not count
    if (entry.is_regular_file(ec)) return true;
  }
  return false;
}

std::optional<std::string> FindProgramFolder(const ProgramFolderSearch& search,
                                             FolderBrowser& browser, Prompter& prompter) {
  std::string appPath = DropTrailingSlash(search.exeFolder);
  if (IsProgramFolder(appPath, search.exeName)) return appPath;

  // An installation in the user's fallback folder is taken without a question. When that folder
  // does not exist either, the user is asked straight away.
  std::error_code ec;
  if (!search.fallbackFolder.empty() && fs::is_directory(search.fallbackFolder, ec)) {
    appPath = DropTrailingSlash(search.fallbackFolder);
    if (IsProgramFolder(appPath, search.exeName)) return appPath;
  }

  bool pointedOut = false;
  while (!IsProgramFolder(appPath, search.exeName)) {
    const std::string chosen = browser.BrowseForFolder(kFindProgramFolderTitle);
    if (chosen.empty()) return std::nullopt;
    appPath = DropTrailingSlash(chosen);
    pointedOut = true;
  }
  if (pointedOut) {
    PromptRequest request;
    request.text = kShortcutFolderMessage;
    request.buttons = PromptButtons::Ok;
    prompter.Ask(request);
  }
  return appPath;
}

bool FolderIsWritable(const std::string& folder) {
  return ::access(folder.c_str(), W_OK | X_OK) == 0;
}

std::vector<Failure> MakeWorkFolders(const std::string& appPath) {
  std::vector<Failure> problems;
  for (const char* name : {"IconClipBoard", "LibIconTemp"}) {
    const fs::path folder = fs::path(appPath) / name;
    std::error_code ec;
    if (fs::is_directory(folder, ec)) continue;
    fs::create_directories(folder, ec);
    if (ec || !fs::is_directory(folder))
      problems.push_back(Fail(Fault::OnFile, folder.string(), ec ? ec.value() : ENOTDIR));
  }
  return problems;
}

IcoTypeNameTable BuildIcoTypeName(const LanguageTable& table) {
  IcoTypeNameTable names{};
  const std::string sizeText[6] = {"16x16", "32x32", "48x48", "64x64", "72x72", table.Row(kRowTypeSizeOther)};
  for (int s = 0; s <= 5; ++s)
    for (int d = 0; d <= 4; ++d)
      names[s][d] = sizeText[s] + "-" + table.Row(kRowTypeDepth1 + d) + table.Row(kRowTypeNameSuffix);
  return names;
}

void PrepareProgramFolder(const std::string& appPath, const LanguageTable& lang, Prompter& prompter) {
  // A save of the settings or of the web-site list killed between writing and renaming leaves
  // its new file beside the old one; nothing else would ever remove it.
  RemoveUnfinishedReplacements(ConfigFilePath(appPath));
  RemoveUnfinishedReplacements(WebSiteStore::PathIn(appPath));
  const std::vector<Failure> failedFolders = MakeWorkFolders(appPath);
  // Both problems in one box: the first one's row is the message's row.
  std::string text;
  int row = 0;
  if (!FolderIsWritable(appPath)) {
    row = kRowProgramFolderNotWritable;
    text = lang.Row(kRowProgramFolderNotWritable) + "\n" + appPath;
  }
  if (!failedFolders.empty()) {
    if (row == 0) row = kRowWorkFoldersNotMade;
    text += (text.empty() ? "" : "\n\n") + lang.Row(kRowWorkFoldersNotMade);
    for (const Failure& f : failedFolders) text += "\n" + FaultText(lang, f);
  }
  if (row != 0) prompter.Tell(text, row, PromptIcon::Warning);
}

std::string LanguageFilesMessage(const LanguageLoad& load) {
  if (!load.ShortError && !load.LongError) return {};
  const bool both = load.ShortError && load.LongError;
  std::string text = both ? "Glimmora cannot read its language files:" : "Glimmora cannot read its language file:";
  for (const std::optional<Failure>* error : {&load.ShortError, &load.LongError}) {
    if (!*error) continue;
    const int reason = (*error)->sysErrno;
    text += "\n" + (*error)->subject + ": " +
            (reason == kNoCaptions ? "it holds no captions (it is empty or damaged)" : EnglishReasonText(reason));
  }
  text += !load.ShortError
              ? "\n\nSome messages will be blank."
              : std::string("\n\nWithout ") + kShortLangFileName +
                    " the program has no captions, menus or messages, so it ends now.";
  return text + " Installing the program again restores the file" + (both ? "s." : ".");
}

bool LoadStartupData(AppState& state, Prompter& prompter) {
  // The stored language byte decides only when nothing chose a language before.
  state.LangStr.CurLang = Language::English;
  const LanguageLoad languages = LoadLanguageStrings(state.AppPath, state.LangStr);
  // In English: no table could be read to say it in the user's language.
  if (const std::string problem = LanguageFilesMessage(languages); !problem.empty()) {
    prompter.Tell(problem, 0, languages.ShortError ? PromptIcon::Critical : PromptIcon::Warning);
    if (languages.ShortError) return false;
  }

  const ConfigLoad load = LoadConfigFile(ConfigFilePath(state.AppPath), state.CurLang());
  if (load.Error)
    prompter.Tell(state.Row(kRowSettingsUnreadable) + "\n" + FaultText(state.LangStr, *load.Error),
                  kRowSettingsUnreadable, PromptIcon::Warning);
  state.Panes = load.Data.Panes;
  state.Params() = load.Data.Params;
  const ComboPath combo = SetComboPath(load.Data, state.AppPath);
  state.PathHistory = combo.Items;
  state.PathText = combo.Text;

  static_cast<SystemFolders&>(state) = GetWinSysDir();
  state.IcoTypeName = BuildIcoTypeName(state.LangStr);
  return true;
}

ConfigData ConfigToSave(const AppState& state, const PaneSizes& current) {
  ConfigData data;
  data.Panes = current;
  data.Params = state.Params();
  data.PathText = state.PathText;
  data.PathHistory = state.PathHistory;
  return data;
}

bool SaveFaceConfig(const AppState& state, const PaneSizes& current, Prompter& prompter,
                    const WriteCall& writeCall) {
  const std::string path = ConfigFilePath(state.AppPath);
  const ConfigData data = ConfigToSave(state, current);
  std::vector<std::string> lost;
  const Result<void> saved = SaveConfigFile(path, data, state.CurLang(), writeCall, &lost);
  if (!saved) {
    prompter.Tell(state.Row(kRowSettingsNotSaved) + "\n" + FaultText(state.LangStr, saved.Error()), kRowSettingsNotSaved,
                  PromptIcon::Warning);
    return false;
  }
  // The record of a folder holds 198 bytes: a longer new path is not kept, and the user hears which.
  if (!lost.empty()) {
    std::string text = state.Row(kRowFoldersTooLongForHistory);
    for (const std::string& p : lost) text += "\n" + p;
    prompter.Tell(text, kRowFoldersTooLongForHistory, PromptIcon::Information);
  }
  return true;
}

bool ChooseLanguage(AppState& state, Language lang, Prompter& prompter) {
  state.SetLang(static_cast<std::uint8_t>(lang));
  if (WriteLanguageChoice(state.AppPath, lang)) return true;
  prompter.Tell(state.Row(kRowLanguageNotStored) + "\n" + state.AppPath, kRowLanguageNotStored, PromptIcon::Warning);
  return false;
}

}  // namespace glimmora
