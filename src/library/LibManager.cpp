#include "library/LibManager.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/FileOps.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "library/LibFiles.h"
#include "library/LibraryLock.h"
#include "library/LibFormat.h"
#include "text/RowPrompts.h"

namespace glimmora {
namespace {

PromptRequest TextQuestion(const std::string& text, int row, PromptButtons buttons) {
  PromptRequest r;
  r.text = text;
  r.row = row;
  r.buttons = buttons;
  return r;
}

// One of the OK/Cancel questions before files are deleted; Enter cancels.
bool AgreesToDelete(Prompter& prompter, const std::string& text, int row) {
  return prompter.AskToDelete(TextQuestion(text, row, PromptButtons::OkCancel)) == PromptAnswer::Ok;
}

ManagerResult Refuse(Prompter& prompter, const LanguageTable& lang, int row) {
  AskRow(prompter, lang, row);
  return {};
}

bool Contains(std::span<const std::string> list, const std::string& text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

// The name checks shared by both kinds: each name usable, the display name new in its list, the
// key new in the tree. 0 when all pass, else the row that refuses.
int CheckNames(const AddRequest& request) {
  if (!CheckText(request.LibName)) return kRowManagerBadName;
  if (!CheckText(request.LibKey)) return kRowManagerBadKey;
  if (Contains(request.Names, request.LibName)) return kRowManagerNameTaken;
  if (Contains(request.NodeKeys, request.LibKey)) return kRowManagerKeyTaken;
  return 0;
}

// `row` says what failed; `error` (the files and the system's reasons) follows it.
ManagerResult Failed(Prompter& prompter, const LanguageTable& lang, int row, const std::string& error) {
  ManagerResult r;
  r.Outcome = ManagerOutcome::Failed;
  r.Error = error;
  prompter.Tell(lang.Row(row) + "\n" + error, row, PromptIcon::Warning);
  return r;
}

}  // namespace

bool CheckText(std::string_view text) {
  if (text.empty() || text == " " || text.size() > kMaxLibNameBytes) return false;
  for (const char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return false;
    if (std::strchr("()\\/:*?\"<>|", c) != nullptr) return false;
  }
  return IsValidUtf8(text);
}

ManagerResult AddCategory(const std::string& iconLibDir, const AddRequest& request, Prompter& prompter,
                          const LanguageTable& lang) {
  if (const int row = CheckNames(request)) return Refuse(prompter, lang, row);
  const std::string folder = JoinPath(iconLibDir, CategoryFolderName(request.LibKey, request.LibName));
  if (::mkdir(folder.c_str(), 0755) != 0)
    return Failed(prompter, lang, kRowCategoryNotCreated, FaultText(lang, Fail(Fault::OnFile, folder, errno)));
  ManagerResult r;
  r.Outcome = ManagerOutcome::Done;
  r.Path = folder;
  r.NodeKey = folder;
  r.NodeText = request.LibName;
  return r;
}

ManagerResult AddLibrary(const std::string& categoryFolder, const std::string& categoryName, const AddRequest& request,
                         const std::string& appTitle, Prompter& prompter, const LanguageTable& lang,
                         LibraryFileOps& ops) {
  if (const int row = CheckNames(request)) return Refuse(prompter, lang, row);
  if (prompter.Ask(TextQuestion(lang.Row(kRowAskCreateLibraryHead) + categoryName + lang.Row(kRowAskCreateLibraryTail),
                                kRowAskCreateLibraryHead, PromptButtons::YesNo)) != PromptAnswer::Yes) {
    ManagerResult r;
    r.Outcome = ManagerOutcome::Cancelled;
    return r;
  }
  const std::string base = LibraryFileBase(request.LibKey, request.LibName);
  // An existing pair (in any letter case) is a library already: creating over it would reset its
  // count and let the next icons overwrite the old ones.
  std::string src = JoinPath(categoryFolder, base + ".src");
  if (const auto found = FindNameIgnoringCase(categoryFolder, base + ".src")) src = JoinPath(categoryFolder, *found);
  const LibSrcHead head = NewSrcHead(appTitle + "  " + lang.Row(kRowNewLibraryTitle), request.LibName, request.LibKey);
  const LibWriteResult w = CreateLibraryFiles(src, head, ops);
  if (!w.Ok) return Failed(prompter, lang, kRowLibraryNotCreated, FaultText(lang, w.Error));
  ManagerResult r;
  r.Outcome = ManagerOutcome::Done;
  r.Path = src;
  r.NodeKey = request.LibKey;
  r.NodeText = request.LibName;
  return r;
}

ManagerResult KillLibrary(const std::string& srcPath, const std::string& libName, const std::string& libKey,
                          Prompter& prompter, const LanguageTable& lang) {
  ManagerResult r;
  if (srcPath.empty()) {
    AskRow(prompter, lang, kRowNoLibraryToDelete);
    r.Beep = true;
    return r;
  }
  if (!AgreesToDelete(prompter, lang.Row(kRowAskDeleteHead) + libName + lang.Row(kRowAskDeleteLibraryTail),
                      kRowAskDeleteHead) ||
      !AgreesToDelete(prompter, lang.Row(kRowLastWarnDeleteLibrary), kRowLastWarnDeleteLibrary)) {
    r.Outcome = ManagerOutcome::Cancelled;
    return r;
  }
  // Not while another window changes the library: its commit would bring the index back.
  const LibraryLock lock = LibraryLock::Acquire(srcPath);
  if (!lock.Held()) return Failed(prompter, lang, kRowLibraryNotDeleted, FaultText(lang, lock.Problem()));
  const std::string folder = FolderOfPath(srcPath);
  std::vector<std::string> paths = {srcPath};
  if (const auto dat = FindDatPath(srcPath)) paths.push_back(*dat);
  if (const std::string pic = TreePicturePath(folder, libKey); !pic.empty()) paths.push_back(pic);
  paths.push_back(SrcNewPath(srcPath));
  paths.push_back(DatNewPath(srcPath));
  paths.push_back(SrcCommitPath(srcPath));
  std::string errors;
  // The index file first: without it the library is gone, whatever is left of the rest.
  for (const auto& p : paths)
    if (FileExists(p) && ::unlink(p.c_str()) != 0) errors += FaultText(lang, Fail(Fault::OnFile, p, errno)) + "\n";
  if (!errors.empty()) return Failed(prompter, lang, kRowLibraryNotDeleted, errors);
  r.Outcome = ManagerOutcome::Done;
  r.Path = srcPath;
  return r;
}

ManagerResult KillCategory(const std::string& iconLibDir, const std::string& categoryFolder,
                           const std::string& categoryName, Prompter& prompter, const LanguageTable& lang) {
  ManagerResult r;
  // Only a category folder of the library folder itself: never whatever a stale node points at.
  const std::string leaf = NameOfPath(categoryFolder);
  if (DropTrailingSlash(FolderOfPath(categoryFolder)) != DropTrailingSlash(iconLibDir) || leaf.rfind("z_", 0) != 0 ||
      !FolderExists(categoryFolder)) {
    return r;
  }
  if (!AgreesToDelete(prompter, lang.Row(kRowAskDeleteHead) + categoryName + lang.Row(kRowAskDeleteCategoryTail),
                      kRowAskDeleteHead) ||
      !AgreesToDelete(prompter, lang.Row(kRowWarnDeleteCategory), kRowWarnDeleteCategory) ||
      !AgreesToDelete(prompter, lang.Row(kRowLastWarnDeleteCategory), kRowLastWarnDeleteCategory)) {
    r.Outcome = ManagerOutcome::Cancelled;
    return r;
  }
  // A category that is a link to a folder elsewhere goes as the link: what it leads to is not ours.
  struct stat st {};
  if (::lstat(categoryFolder.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    if (::unlink(categoryFolder.c_str()) != 0)
      return Failed(prompter, lang, kRowCategoryFilesNotDeleted, FaultText(lang, Fail(Fault::OnFile, categoryFolder, errno)));
    r.Path = categoryFolder;
    r.Outcome = ManagerOutcome::Done;
    return r;
  }
  {
    // Opened without following a link, so a folder swapped for one meanwhile is left alone.
    const OwnFolder folder(categoryFolder);
    // What cannot be removed keeps the folder, which the count below tells.
    for (const auto& name : folder.Names()) (void)folder.RemoveNonFolder(name);
  }
  ::rmdir(categoryFolder.c_str());  // stays when a sub-folder is left in it
  r.Path = categoryFolder;
  r.Outcome = ListFolderFiles(categoryFolder).empty() ? ManagerOutcome::Done : ManagerOutcome::Failed;
  if (r.Outcome == ManagerOutcome::Failed)
    return Failed(prompter, lang, kRowCategoryFilesNotDeleted, categoryFolder);
  return r;
}

}  // namespace glimmora
