#include "library/MoveToLib.h"

#include "files/FileBytes.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "library/IconClipboard.h"
#include "library/LibFiles.h"
#include "library/LibPages.h"
#include "library/LibraryReader.h"

namespace glimmora {
namespace {

// The largest clipboard file read: far above any icon a library can hold.
constexpr std::size_t kMaxClipFile = 4u << 20;

}  // namespace

MoveResult MoveIcoToLib(const MoveRequest& request, Prompter& prompter, const LanguageTable& lang,
                        LibraryFileOps& ops) {
  MoveResult result;
  const MoveTarget& t = request.Target;
  if (t.IsCategory) {
    PromptRequest r;
    r.text = t.CategoryHasChildren
                 ? lang.Row(kRowNotIntoCategoryHead) + t.NodeText + lang.Row(kRowNotIntoCategoryTail)
                 : lang.Row(kRowCategoryHasNoLibraryHead) + t.NodeText + lang.Row(kRowCategoryHasNoLibraryTail);
    r.row = t.CategoryHasChildren ? kRowNotIntoCategoryHead : kRowCategoryHasNoLibraryHead;
    r.icon = PromptIcon::Information;
    prompter.Ask(r);
    return result;
  }
  const std::string libName = NodeName(t.NodeText);
  const std::string caption = NodeName(t.ParentText + "-" + t.NodeText);
  PromptRequest q;
  q.text = lang.Row(request.AllIco ? kRowAskMoveAllIntoLibraryHead : kRowAskMoveSelectedIntoLibraryHead) + caption +
           lang.Row(kRowAskMoveIntoLibraryTail);
  q.row = request.AllIco ? kRowAskMoveAllIntoLibraryHead : kRowAskMoveSelectedIntoLibraryHead;
  q.buttons = PromptButtons::YesNo;
  if (prompter.Ask(q) != PromptAnswer::Yes) return result;
  result.Asked = true;

  // What the library can hold, read once; the rest stays in the clipboard.
  std::vector<LibIconBody> bodies;
  std::vector<std::string> files;
  std::vector<std::vector<std::uint8_t>> raw;
  for (const auto& name : request.ClipFiles) {
    auto bytes = ReadFileBytes(JoinPath(request.ClipDir, name), kMaxClipFile);
    auto body = bytes ? IconBodyForLibrary(*bytes) : std::nullopt;
    if (!body) {
      result.Refused.push_back(name);
      continue;
    }
    bodies.push_back(std::move(*body));
    files.push_back(name);
    raw.push_back(std::move(*bytes));
  }
  if (!result.Refused.empty()) {
    std::string list;
    for (const auto& n : result.Refused) list += "\n" + n;
    prompter.Tell(lang.Row(kRowNotStorableInLibrary) + list, kRowNotStorableInLibrary, PromptIcon::Warning);
  }

  const LibWriteResult w = AppendIcons(t.SrcPath, bodies, ops);
  result.IconCount = w.IconCount;
  result.NodeText = LibNodeText(libName, w.IconCount);
  if (!w.Ok) {
    prompter.Tell(lang.Row(kRowMoveIntoLibraryFailed) + "\n" + FaultText(lang, w.Error), kRowMoveIntoLibraryFailed, PromptIcon::Warning);
    return result;
  }
  result.Ok = true;
  result.Moved = files;

  // Work copies and pane items of the new entries, as far as the pane has room.
  const LibraryReader reader = LibraryReader::Open(t.SrcPath);
  const OwnFolder work(request.WorkDir);
  if (work.NotReal()) TellNotRealFolder(request.WorkDir, prompter, lang);
  std::string name = request.LastPaneKey.size() >= 3 ? request.LastPaneKey.substr(0, 3) : std::string();
  int paneCount = request.PaneCount;
  const int firstNew = w.IconCount - static_cast<int>(files.size()) + 1;
  for (std::size_t i = 0; i < files.size() && !work.NotReal(); ++i) {
    name = NextWorkName(name);
    const std::string key = name + ".ico";
    const bool copied = WriteWorkFile(work, key, raw[i]);
    const int entry = firstNew + static_cast<int>(i);
    const auto item = reader.Item(entry);
    if (paneCount >= request.LibGrpSize || !item || !copied) continue;
    ++paneCount;
    result.NewPaneItems.push_back(MakeLibPaneItem(t.SrcPath, entry, *item, key, paneCount,
                                                  t.ParentText, libName, lang.CurLang));
  }
  // Only icons now safely in the library leave the clipboard; those that cannot stay listed.
  result.NotDeleted = DelClipFiles(request.ClipDir, result.Moved);
  TellClipFilesNotDeleted(request.ClipDir, result.NotDeleted, prompter, lang);
  return result;
}

}  // namespace glimmora
