#pragma once
// The commands that change library entries from the library pane: the keyword of the selected
// icons, the author fields of one icon, and deleting icons. Each writes to the library and entry
// the item carries, checks the entry first, and reports a failure once; items are updated only
// after their library was written.

#include <map>
#include <span>
#include <string>
#include <vector>

#include "common/Prompter.h"
#include "text/LanguageTable.h"
#include "library/LibPane.h"
#include "library/LibraryWriter.h"

namespace glimmora {

// The keyword save's questions: an empty keyword asks kRowAskClearKeyword (Yes/No); more than one selected
// icon asks kRowAskSetKeywordHead & K & kRowAskSetKeywordMiddle & Str(count) & kRowAskSetKeywordTail (Yes/No) unless
// kRowAskClearKeyword was answered Yes. True when the keyword is to be stored.
bool ConfirmKeywordSave(const std::string& keyword, int selCount, Prompter& prompter, const LanguageTable& lang);

// Stores `keyword` in the entries of `items` (one rewrite per library) and, for each library
// written, updates its items' Keyword. False when any library could not be written (told once).
bool SaveKeyWord(std::span<LibPaneItem* const> items, const std::string& keyword, Prompter& prompter,
                 const LanguageTable& lang, LibraryFileOps& ops = DefaultLibraryFileOps());

// Stores the author fields of `item`'s entry; the item takes the fields as stored only after the
// write. False when it failed (told once).
bool SaveAuthorInf(LibPaneItem& item, const AuthorFields& fields, Prompter& prompter, const LanguageTable& lang,
                   LibraryFileOps& ops = DefaultLibraryFileOps());

// The author fields as `item`'s entry holds them now (the dialog fills its boxes from here, not
// from pane texts that may be stale). Nothing when the entry is gone or changed.
std::optional<AuthorFields> ReadAuthorInf(const LibPaneItem& item, Language lang);

struct KillResult {
  bool Cancelled = false;                // kRowAskDeleteFromLibraryFiles was not answered OK
  bool Ok = false;                       // every library written
  std::map<std::string, int> NewCounts;  // srcPath -> icon count after, for each library changed
};

// Deletes the entries of `items` from their libraries after kRowAskDeleteFromLibraryFiles (OK/Cancel), compacting each
// library once. A library whose entry 1 went loses its tree picture. Failures are told once.
KillResult KillIcoFromLib(std::span<const LibPaneItem> items, Prompter& prompter, const LanguageTable& lang,
                          LibraryFileOps& ops = DefaultLibraryFileOps());

}  // namespace glimmora
