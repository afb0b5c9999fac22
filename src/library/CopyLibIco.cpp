#include "library/CopyLibIco.h"

#include <sys/stat.h>

#include <span>

#include "save/ClipboardNames.h"
#include "save/CopyIcoFile.h"
#include "files/FileBytes.h"
#include "files/Folders.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "files/ReplaceFile.h"
#include "save/SaveNotes.h"
#include "library/IconClipboard.h"
#include "library/LibFiles.h"
#include "shared/IconSelection.h"
#include "text/RowPrompts.h"

namespace glimmora {
namespace {

bool WriteText(const std::string& path, const std::string& text) {
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return ReplaceFileBytes(path, std::span<const std::uint8_t>(bytes, text.size())).Ok();
}

}  // namespace

ClipPrefix ClipPrefix::After(std::string_view lastKey) {
  ClipPrefix p;
  if (lastKey.empty()) return p;
  p.Letter = lastKey[0];
  p.Digit = lastKey.size() > 1 && lastKey[1] >= '0' && lastKey[1] <= '9' ? lastKey[1] - '0' : 0;
  return p;
}

void ClipPrefix::Advance() {
  ++Digit;
  if (Digit >= 10 || Digit < 1) {
    Digit = 1;
    Letter = NextClipboardLetter(Letter);
  }
}

std::string ClipPrefix::Text() const { return std::string(1, Letter) + std::to_string(Digit); }

std::string LibReadmeLine(const std::string& appTitle, const std::string& category, const std::string& nodeText) {
  const std::size_t p = nodeText.find('(');
  return "These ICO/BMP Files are from " + appTitle + " Library --" + category + "_" +
         (p == std::string::npos ? nodeText : nodeText.substr(0, p)) + ".\r\n";
}

std::string LibNoteLine(const std::string& category, const std::string& library, const LocalDateTime& now) {
  return category + "-" + library + "   " + DateText(now) + " " + TimeText(now) + "\r\n";
}

std::optional<std::string> ParamExportFolder(bool useNow, const std::string& otherDir) {
  if (!useNow || !IsAbsolutePath(otherDir)) return std::nullopt;
  return otherDir;
}

std::optional<std::string> ChooseExportFolder(const std::function<std::string()>& browse, Prompter& prompter,
                                              const LanguageTable& lang) {
  for (;;) {
    const std::string folder = browse();
    if (folder.empty()) return std::nullopt;
    PromptRequest r;
    r.text = lang.Row(kRowAskExportFolderHead) + " " + folder + lang.Row(kRowAskExportFolderTail);
    r.row = kRowAskExportFolderHead;
    r.buttons = PromptButtons::YesNoCancel;
    const PromptAnswer a = prompter.Ask(r);
    if (a == PromptAnswer::Yes) return folder;
    if (a != PromptAnswer::No) return std::nullopt;
  }
}

CopyLibResult CopyLibIco(const CopyLibRequest& request, std::span<const LibPaneItem> items,
                         std::span<const bool> selected, const Clock& clock, Prompter& prompter,
                         const LanguageTable& lang, const std::function<void()>& yield) {
  CopyLibResult result;
  const std::string target = request.ToClipboard ? request.ClipDir : request.TargetDir;
  if (!request.ToClipboard) {
    const Result<bool> folder = MakeFolder(target);
    const bool exists = folder.Ok(), made = exists && *folder;
    // The note goes into a folder made now, or one without a readme: a readme.txt the user keeps
    // in a folder of his own is never replaced.
    const std::string readme = JoinPath(target, "readme.txt");
    // The note is a courtesy: the icons are copied without it.
    if (exists && (made || ReadmeWanted(readme))) (void)WriteText(readme, request.ReadmeLine);
    if (exists) RemoveUnfinishedSaves(target);
  }
  ClipPrefix prefix = ClipPrefix::After(request.LastClipKey);
  int clipCount = request.ClipIcoCount;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (yield) yield();
    if (!SaveTakesIcon(request.AllIco, items.size(), i < selected.size() && selected[i])) continue;
    const LibPaneItem& item = items[i];
    std::string name = item.CategoryName + "_" + item.LibraryName + "_" + std::to_string(i + 1) + ".ico";
    if (request.ToClipboard) {
      if (clipCount + 1 > kClipboardCapacity) {
        AskRow(prompter, lang, kRowClipboardFull);
        result.Full = true;
        break;
      }
      // A name in use (icon or note) would be overwritten: take the next free prefix.
      std::string candidate;
      for (int tries = 0; tries < 9 * 52; ++tries) {
        prefix.Advance();
        candidate = prefix.Text() + "-" + name;
        if (!FileExists(JoinPath(target, candidate)) && !FileExists(JoinPath(target, ClipNoteName(candidate)))) break;
        candidate.clear();
      }
      if (candidate.empty()) {
        result.Failed.Add(name);
        continue;
      }
      name = candidate;
    }
    CopyIcoRequest copy;
    copy.SizeSel = request.SubMnindex;
    copy.SourceDir = request.WorkDir;
    copy.FileName = item.Key;
    copy.TargetDir = target;
    copy.TargetName = name;
    copy.IcoBmp = request.IcoBmp;
    copy.mask = request.Mask;
    copy.fileOps = request.fileOps;
    const CopyIcoResult r = CopyIcoFile(copy, prompter, lang);
    if (!r.written) {
      result.Failed.Add(name, r.writeFailure ? r.writeFailure->sysErrno : 0);
      continue;
    }
    result.Copied.push_back(static_cast<int>(i));
    if (request.ToClipboard) {
      ++clipCount;
      WriteText(JoinPath(target, ClipNoteName(r.targetName)),
                LibNoteLine(item.CategoryName, item.LibraryName, clock.Now()));
      result.NewClipFiles.push_back(r.targetName);
    }
  }
  return result;
}

}  // namespace glimmora
