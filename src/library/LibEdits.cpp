#include "library/LibEdits.h"

#include <unistd.h>

#include "text/FaultText.h"
#include "text/LangRows.h"
#include "text/NumberText.h"
#include "common/Paths.h"
#include "library/LibFiles.h"
#include "library/LibraryReader.h"

namespace glimmora {
namespace {

// `row` says what failed; `error` (the libraries and the system's reasons) follows it.
void TellFailure(Prompter& prompter, const LanguageTable& lang, int row, const std::string& error) {
  prompter.Tell(lang.Row(row) + "\n" + error, row, PromptIcon::Warning);
}

}  // namespace

bool ConfirmKeywordSave(const std::string& keyword, int selCount, Prompter& prompter, const LanguageTable& lang) {
  bool saidYes = false;
  if (keyword.empty()) {
    PromptRequest r;
    r.text = lang.Row(kRowAskClearKeyword);
    r.row = kRowAskClearKeyword;
    r.buttons = PromptButtons::YesNo;
    if (prompter.Ask(r) != PromptAnswer::Yes) return false;
    saidYes = true;
  }
  if (selCount <= 1) return true;
  if (saidYes) return true;
  PromptRequest r;
  r.text = lang.Row(kRowAskSetKeywordHead) + keyword + lang.Row(kRowAskSetKeywordMiddle) + VbStr(selCount) +
           lang.Row(kRowAskSetKeywordTail);
  r.row = kRowAskSetKeywordHead;
  r.buttons = PromptButtons::YesNo;
  return prompter.Ask(r) == PromptAnswer::Yes;
}

bool SaveKeyWord(std::span<LibPaneItem* const> items, const std::string& keyword, Prompter& prompter,
                 const LanguageTable& lang, LibraryFileOps& ops) {
  std::map<std::string, std::vector<LibPaneItem*>> byLib;
  for (LibPaneItem* item : items) byLib[item->SrcPath].push_back(item);
  // What a reader will find: the keyword as its field holds it, or as it was where it was kept.
  const std::string stored = FieldText(FieldBytes(keyword, kKeywordBytes), lang.CurLang);
  std::string errors;
  bool shortened = false;
  for (auto& [src, libItems] : byLib) {
    std::vector<EntryId> ids;
    for (const LibPaneItem* item : libItems) ids.push_back(item->Id());
    const LibWriteResult r = SetKeyword(src, ids, keyword, ops, lang.CurLang);
    if (!r.Ok) {
      errors += (errors.empty() ? "" : "\n") + FaultText(lang, r.Error);
      continue;
    }
    for (LibPaneItem* item : libItems) {
      if (item->Keyword == keyword) continue;  // its field was kept as it was
      item->Keyword = stored;
      shortened = shortened || stored != keyword;
    }
  }
  if (!errors.empty()) TellFailure(prompter, lang, kRowKeywordNotStored, errors);
  if (shortened) prompter.Tell(lang.Row(kRowFieldsShortened), kRowFieldsShortened, PromptIcon::Information);
  return errors.empty();
}

bool SaveAuthorInf(LibPaneItem& item, const AuthorFields& fields, Prompter& prompter, const LanguageTable& lang,
                   LibraryFileOps& ops) {
  // The entry as it is before the change: a field the user left as it reads keeps its bytes.
  const std::optional<LibSrcItem> before = LibraryReader::Open(item.SrcPath).Item(item.Entry);
  const LibWriteResult r = SetAuthor(item.SrcPath, item.Id(), fields, ops, lang.CurLang);
  if (!r.Ok) {
    TellFailure(prompter, lang, kRowAuthorInfoNotStored, FaultText(lang, r.Error));
    return false;
  }
  const AuthorFields stored = StoredAuthorFields(fields, before.value_or(LibSrcItem{}), lang.CurLang);
  item.AuthorName = stored.AuthorName;
  item.AuthorEmail = stored.AuthorEmail;
  item.AuthorHomepage = stored.AuthorHomepage;
  item.Note = stored.Note;
  if (stored.AuthorName != fields.AuthorName || stored.AuthorEmail != fields.AuthorEmail ||
      stored.AuthorHomepage != fields.AuthorHomepage || stored.Note != fields.Note)
    prompter.Tell(lang.Row(kRowFieldsShortened), kRowFieldsShortened, PromptIcon::Information);
  return true;
}

std::optional<AuthorFields> ReadAuthorInf(const LibPaneItem& item, Language lang) {
  const LibraryReader reader = LibraryReader::Open(item.SrcPath);
  const auto entry = reader.Item(item.Entry);
  if (!entry || EntryStamp(*entry) != item.Stamp) return std::nullopt;
  return AuthorFields{FieldText(entry->AuthorName, lang), FieldText(entry->AuthorEmail, lang),
                      FieldText(entry->AuthorHomepage, lang), FieldText(entry->Note, lang)};
}

KillResult KillIcoFromLib(std::span<const LibPaneItem> items, Prompter& prompter, const LanguageTable& lang,
                          LibraryFileOps& ops) {
  KillResult result;
  PromptRequest q;
  q.text = lang.Row(kRowAskDeleteFromLibraryFiles);
  q.row = kRowAskDeleteFromLibraryFiles;
  q.buttons = PromptButtons::OkCancel;
  if (prompter.AskToDelete(q) != PromptAnswer::Ok) {
    result.Cancelled = true;
    return result;
  }
  std::map<std::string, std::vector<EntryId>> byLib;
  for (const LibPaneItem& item : items) byLib[item.SrcPath].push_back(item.Id());
  std::string errors;
  for (const auto& [src, ids] : byLib) {
    const DeleteResult r = DeleteEntries(src, ids, ops);
    if (!r.Ok) {
      errors += (errors.empty() ? "" : "\n") + FaultText(lang, r.Error);
      continue;
    }
    result.NewCounts[src] = r.IconCount;
    if (r.FirstEntryGone) {
      // The tree makes the picture again from the new first icon at its next build.
      const LibraryReader reader = LibraryReader::Open(src);
      const std::string key = HeadFieldText(reader.Head().LibKey, lang.CurLang);
      if (!key.empty()) {
        const std::string pic = TreePicturePath(FolderOfPath(src), key);
        if (!pic.empty() && FileExists(pic)) ::unlink(pic.c_str());
      }
    }
  }
  if (!errors.empty()) TellFailure(prompter, lang, kRowLibIconsNotDeleted, errors);
  result.Ok = errors.empty();
  return result;
}

}  // namespace glimmora
