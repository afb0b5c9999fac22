#include "source/IconSaving.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>

#include "save/ClipboardNames.h"
#include "files/Folders.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
#include "text/NumberText.h"
#include "common/Paths.h"
#include "save/SaveAllIcons.h"
#include "save/SaveIconFromSource.h"
#include "files/ReplaceFile.h"
#include "save/SaveNotes.h"
#include "save/SaveInSize.h"
#include "shared/IconSelection.h"
#include "source/IconPages.h"

namespace glimmora {
namespace {

// The pane's readme puts the date 36 blanks in.
constexpr int kPaneReadmeDateIndent = 36;

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
    return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
  });
  return s;
}

void YieldOnce(const SaveRunEnv& env) {
  if (env.yield) env.yield();
}

}  // namespace

SaveTarget DecideSaveTarget(SaveFrom from, const SaveDirRec& rec, bool useNow, bool asBmp,
                            const std::string& sourceFile, const std::string& currentFolder, Prompter& prompter,
                            const LanguageTable& lang, ModifierKeys* keys) {
  SaveTarget t;
  const std::string otherDir = UsableOtherDir(rec);
  const bool ask = !useNow || (rec.TagDir == 2 && otherDir.empty());
  enum class Choice { NewFolder, CurrentFolder, OtherDir } choice = Choice::NewFolder;
  if (ask) {
    if (keys != nullptr) ResetShiftKeys(*keys, 0);
    PromptRequest r;
    r.buttons = PromptButtons::YesNoCancel;
    r.icon = PromptIcon::Question;
    if (from == SaveFrom::IconPane) {
      r.row = asBmp ? kRowAskPaneBmpHead : kRowAskPaneIcoHead;
      r.text = lang.Row(r.row) + sourceFile + lang.Row(asBmp ? kRowAskPaneBmpTail : kRowAskPaneIcoTail);
    } else {
      r.row = asBmp ? kRowAskFilesBmp : kRowAskFilesIco;
      r.text = lang.Row(r.row);
    }
    r.text += "\n\n" + lang.Row(kRowAskFolderChoices);
    switch (prompter.Ask(r)) {
      case PromptAnswer::Yes: choice = Choice::NewFolder; break;
      case PromptAnswer::No: choice = Choice::CurrentFolder; break;
      default:
        t.Cancelled = true;
        return t;
    }
  } else if (rec.TagDir == 1) {
    choice = Choice::CurrentFolder;
  } else if (rec.TagDir == 2) {
    choice = Choice::OtherDir;
  }

  const std::string suffix = asBmp ? "_Bmp" : "_Ico";
  switch (choice) {
    case Choice::NewFolder:
      t.NewFolder = true;
      if (from == SaveFrom::IconPane) {
        t.Folder = sourceFile + suffix;
        t.AddToTree = true;
      }
      break;
    case Choice::CurrentFolder:
      t.Folder = from == SaveFrom::IconPane ? DropTrailingSlash(currentFolder) : std::string();
      break;
    case Choice::OtherDir:
      t.NewFolder = true;
      t.UseOtherDir = true;
      t.Folder = DropTrailingSlash(otherDir);
      break;
  }
  return t;
}

IconClipboardState ReadIconClipboardFolder(const std::string& folder) {
  IconClipboardState s;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return s;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name.size() < 5 || Upper(name.substr(name.size() - 4)) != ".ICO") continue;
    ++s.ItemCount;
    // Names start with a letter and a digit; A..Z sorts before a..z, as the names are handed out.
    if (s.LastKey.empty() || name.compare(0, 2, s.LastKey, 0, 2) > 0) s.LastKey = name;
  }
  ::closedir(dir);
  return s;
}

void ClipboardNamingFrom(const IconClipboardState& clip, char& letter, int& counter) {
  letter = 'A';
  counter = 0;
  if (clip.ItemCount <= 0 || clip.LastKey.empty()) return;
  letter = clip.LastKey[0];
  counter = clip.LastKey.size() > 1 && clip.LastKey[1] >= '0' && clip.LastKey[1] <= '9' ? clip.LastKey[1] - '0' : 0;
}

std::string SaveErrorText(const SaveErrors& errors, std::size_t written, const LanguageTable& lang) {
  const auto reason = [&lang](int err) { return err != 0 ? "\n" + ReasonText(lang, err) : std::string(); };
  std::string text;
  if (!errors.FailedFolder.empty())
    text = lang.Row(kRowFolderNotMade) + "\n" + errors.FailedFolder + reason(errors.FolderError);
  const std::string files = FailedSaveText(errors, written, kRowSaveFailed, lang);
  if (!text.empty() && !files.empty()) text += "\n\n";
  return text + files;
}

void ReportSaveErrors(const SaveErrors& errors, std::size_t written, const SaveRunEnv& env) {
  const std::string text = SaveErrorText(errors, written, env.lang);
  if (text.empty()) return;
  if (env.keys != nullptr) ResetShiftKeys(*env.keys, 0);
  env.prompter.Tell(text, errors.FailedFolder.empty() ? kRowSaveFailed : kRowFolderNotMade, PromptIcon::Warning);
}

SaveRunOutcome SaveIconsFromPane(std::vector<PaneIcon>& items, const PaneSaveRequest& request,
                                 const SaveRunEnv& env) {
  SaveRunOutcome out;
  const SaveFormat format = request.IcoBmp;
  const bool asBmp = format == SaveFormat::Bmp;
  ClipboardNaming naming;
  naming.ClipIcoCount = request.Clip.ItemCount;
  std::string folder;
  const std::string clipboardDir = JoinPath(env.AppPath, "IconClipBoard");

  SaveTarget target;
  if (request.ToIconClipboard) {
    ClipboardNamingFrom(request.Clip, naming.Letter, naming.Counter);
    folder = clipboardDir;
  } else {
    target = DecideSaveTarget(SaveFrom::IconPane, request.Rec, request.UseNow, asBmp, request.SourceFile,
                              request.CurrentFolder, env.prompter, env.lang, env.keys);
    if (target.Cancelled) {
      out.Cancelled = true;
      return out;
    }
    folder = target.Folder;
  }
  out.Folder = folder;

  // Opened once for the run. When it cannot be, no icon can be saved: the source is told once,
  // with the system's reason, for every icon asked for, and no folder is made.
  const auto wanted = [&](const PaneIcon& icon) {
    return SaveTakesIcon(request.AllIco, items.size(), icon.Selected);
  };
  ScanFile source;
  if (!request.SourceIsPict && !source.Open(request.SourceFile)) {
    const int err = errno;
    out.Errors.Add(request.SourceFile, err, std::count_if(items.begin(), items.end(), wanted));
    ReportSaveErrors(out.Errors, 0, env);
    return out;
  }
  if (target.NewFolder) {
    const Result<bool> made = MakeFolder(folder);
    if (!made) {
      // Nothing can be saved into it: said once, and no icon is tried.
      out.Errors.AddFolder(folder, made.Error().sysErrno);
      ReportSaveErrors(out.Errors, 0, env);
      return out;
    }
    out.FolderCreated = *made;
    if (target.AddToTree) out.TreeFolder = folder;
    out.ReadmeWritten = WriteReadme(
        folder, ReadmeText(request.SourceFile, env.AppTitle, env.clock.Now(), kPaneReadmeDateIndent),
        out.FolderCreated)
                            .Ok();
  }

  RemoveUnfinishedSaves(folder);
  // A pane of one icon saves it whether it is selected or not, and shows it selected afterwards.
  if (items.size() == 1) items[0].Selected = true;
  const MaskAnswer mask = MaskAnswerOf(request.Rec);
  for (std::size_t i = 0; i < items.size(); ++i) {
    YieldOnce(env);
    if (!wanted(items[i])) continue;
    std::string targetName = items[i].Text;
    std::string targetDir = folder;
    if (request.ToIconClipboard) {
      const std::string base = targetName.size() > 4 ? targetName.substr(0, targetName.size() - 4) : targetName;
      const ClipboardName name = NextClipBoardFileName(naming, base, clipboardDir, request.SourceFile, env.clock,
                                                       env.prompter, env.lang);
      if (name.Full) {
        out.Full = true;
        for (std::size_t k = i; k < items.size(); ++k) items[k].Selected = false;
        break;
      }
      if (!name.noteWritten) out.Errors.Add(name.FileName.substr(0, name.FileName.size() - 4) + ".sur");
      targetDir = FolderOfPath(name.FileName);
      targetName = NameOfPath(name.FileName);
    }
    SaveFromSourceRequest r;
    r.SizeSel = request.SizeSel;
    r.FilePos = items[i].Position;
    r.ImageSize = items[i].ImageSize;
    r.TargetDir = targetDir;
    r.TargetName = targetName;
    r.IcoBmp = format;
    r.mask = mask;
    r.SourceFile = request.SourceFile;
    r.source = request.SourceIsPict ? nullptr : &source;
    r.fileOps = env.fileOps;
    r.SourceIsPict = request.SourceIsPict;
    r.pictureIco = request.PictureIco;
    r.picture = request.Picture;
    const IconWriteResult w = SaveIconFromSource(r, env.prompter, env.lang);
    if (w.written) {
      out.Written.push_back(w.targetPath);
    } else if (w.sourceUnreadable) {
      out.Errors.Add(request.SourceFile);
    } else if (w.writeFailure) {
      out.Errors.Add(w.targetPath.empty() ? JoinPath(targetDir, w.targetName) : w.targetPath, w.writeFailure->sysErrno);
    } else {
      out.Errors.Add(JoinPath(targetDir, w.targetName));
    }
  }
  ReportSaveErrors(out.Errors, out.Written.size(), env);
  return out;
}

namespace {

class TreeFolderObserver : public SaveAllObserver {
 public:
  explicit TreeFolderObserver(FileListLink& files) : files_(files) {}
  void FolderAdded(const std::string& parentFolder, const std::string& name) override {
    files_.AddPathToTree(JoinPath(parentFolder, name));
  }

 private:
  FileListLink& files_;
};

}  // namespace

FilesSaveOutcome SaveIconsOfCheckedFiles(FileListLink& files, const FilesSaveRequest& request,
                                         const SaveRunEnv& env) {
  FilesSaveOutcome out;
  const SaveFormat format = request.IcoBmp;
  const bool asBmp = format == SaveFormat::Bmp;
  const std::string currentFolder = DropTrailingSlash(files.CurrentFolder());
  ClipboardNaming naming;
  naming.ClipIcoCount = request.Clip.ItemCount;
  SaveTarget target;
  if (request.ToIconClipboard) {
    ClipboardNamingFrom(request.Clip, naming.Letter, naming.Counter);
  } else {
    target = DecideSaveTarget(SaveFrom::CheckedFiles, request.Rec, request.UseNow, asBmp, std::string(), currentFolder,
                              env.prompter, env.lang, env.keys);
    if (target.Cancelled) {
      out.Cancelled = true;
      return out;
    }
  }

  TreeFolderObserver observer(files);
  SaveAllServices services{env.lang, env.prompter, env.clock, request.Progress, &observer, env.fileOps};
  const std::vector<ListedFile> rows = files.ListedFiles();
  const int checkedCount = CheckedFileCount(rows);
  bool stopSaveIco = false;  // the picture tool's abort button
  const auto stopAsked = [&] { return stopSaveIco || (request.Stop && request.Stop()); };
  const auto uncheckFrom = [&](std::size_t first) {
    for (std::size_t k = first; k < rows.size(); ++k) {
      if (request.SetChecked) request.SetChecked(rows[k].Name, false);
    }
  };
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (stopAsked()) {
      out.Stopped = true;
      uncheckFrom(i);
      break;
    }
    YieldOnce(env);
    bool checked = rows[i].Checked;
    if (request.AllIco && !checked) {
      checked = true;
      if (request.SetChecked) request.SetChecked(rows[i].Name, true);
    }
    if (!checked) continue;
    files.ShowFileInList(rows[i].Name);

    if (request.Pictures != nullptr && !PictureType(rows[i].Name).empty()) {
      PictureToIconRequest p;
      p.Mode = PictureMode::File;
      p.FolderPath = currentFolder;
      p.FileName = rows[i].Name;
      p.IcoBmp = format;
      p.NewFolder = target.NewFolder;
      p.ToClipBoard = request.ToIconClipboard;
      p.Naming = &naming;
      p.TrPictAns = request.Rec.TrPictAns;
      p.MaskColorAns = request.MaskColorAns;
      p.ShowAbort = AbortButtonVisible(request.AllIco, checkedCount);
      const PictureToIconResult pict = request.Pictures->PictureToIcon(p);
      stopSaveIco = stopSaveIco || pict.StopSaveIco;
      // The tool keeps the program working while it is open; when the file list has moved to
      // another folder meanwhile, its rows are no longer the files of this run.
      if (DropTrailingSlash(files.CurrentFolder()) != currentFolder) {
        if (pict.Written) out.Written.push_back(pict.TargetName);
        if (pict.WriteFailed) out.Errors.Add(pict.TargetName);
        out.Stopped = true;
        break;
      }
      if (pict.Outcome == PictureOutcome::Busy) continue;
      if (pict.Converted) {
        ++out.FilesDone;
        ++out.PicturesConverted;
        if (pict.Written) out.Written.push_back(pict.TargetName);
        if (pict.WriteFailed) out.Errors.Add(pict.TargetName.empty() ? pict.SourceFile : pict.TargetName);
        FoundIcons found;
        found.HasColumnTexts = true;
        found.Icons = IconCountColumn(0);
        files.SetFoundIcons(rows[i].Name, found);
        if (pict.Full || stopAsked()) {
          out.Full = pict.Full;
          out.Stopped = !pict.Full;
          uncheckFrom(i);
          break;
        }
        continue;
      }
    }

    SaveAllRequest r;
    r.FolderPath = currentFolder;
    r.FileName = rows[i].Name;
    r.IcoBmp = format;
    r.MakeFolder = target.NewFolder;
    r.useTargetDir = target.UseOtherDir;
    r.TargetDir = target.Folder;
    r.ToClipBoard = request.ToIconClipboard;
    r.NostanAns = request.Rec.NostanAns;
    r.clipboardDir = JoinPath(env.AppPath, "IconClipBoard");
    r.AppTitle = env.AppTitle;
    const SaveAllResult result = SaveAllIconsToFolder(r, naming, services);
    ++out.FilesDone;
    out.Written.insert(out.Written.end(), result.written.begin(), result.written.end());
    if (result.status != ScanStatus::Done) out.Errors.Add(result.SourceFile);
    if (result.folderFailure) out.Errors.AddFolder(result.folder, result.folderFailure->sysErrno);
    out.Errors.Add(result.failures);
    FoundIcons found;
    found.HasColumnTexts = true;
    found.Icons = IconCountColumn(result.IcoCount);
    if (request.TypeNames != nullptr) found.Details = FormatFoundIconTypes(result.IcoTypeCount, *request.TypeNames, env.lang);
    files.SetFoundIcons(rows[i].Name, found);
    if (result.Full || stopAsked()) {
      out.Full = result.Full;
      out.Stopped = !result.Full;
      uncheckFrom(i);
      break;
    }
  }
  ReportSaveErrors(out.Errors, out.Written.size(), env);
  files.SelectIcoSourceIco();
  return out;
}

}  // namespace glimmora
