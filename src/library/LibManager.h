#pragma once
// Creating and deleting categories and libraries for the library manager dialog. The dialog
// passes what it shows (the names in its lists, the keys of the tree's nodes); the questions and
// messages go through the Prompter in the order the dialog has always asked them.

#include <span>
#include <string>

#include "common/Prompter.h"
#include "text/LanguageTable.h"
#include "library/LibraryWriter.h"

namespace glimmora {

// Longest name or key (bytes): the 20-byte header fields keep their two-byte end mark.
constexpr std::size_t kMaxLibNameBytes = 18;

// Whether a typed name can be part of a folder or file name on every desktop the libraries travel
// to: not empty, not a single blank, no "(", no control character, none of \ / : * ? " < > |, and
// at most 18 bytes.
bool CheckText(std::string_view text);

enum class ManagerOutcome { Done, Refused, Cancelled, Failed };

struct ManagerResult {
  ManagerOutcome Outcome = ManagerOutcome::Refused;
  std::string Path;      // the category folder or the library's index file made or deleted
  std::string NodeKey;   // the new node's key (category: its folder path; library: its key)
  std::string NodeText;  // the new node's text
  bool Beep = false;     // kRowNoLibraryToDelete goes with a beep
  std::string Error;     // Failed: why (already told)
};

struct AddRequest {
  std::string LibName;                  // TextLibname(0)
  std::string LibKey;                   // TextLibname(1)
  std::span<const std::string> Names;   // category tab: Combo1's texts; library tab: Combo2's texts
  std::span<const std::string> NodeKeys;  // the keys of every node of the tree
};

// A category: the folder IconLib/z_key_(name). kRowManagerBadName, kRowManagerBadKey, kRowManagerNameTaken,
// kRowManagerKeyTaken refuse.
ManagerResult AddCategory(const std::string& iconLibDir, const AddRequest& request, Prompter& prompter,
                          const LanguageTable& lang);

// A library in `categoryFolder`: asks kRowAskCreateLibraryHead & category & kRowAskCreateLibraryTail (Yes/No), then
// writes the header (title AppTitle & "  " & kRowNewLibraryTitle) and an empty data file. Existing files are never
// overwritten.
ManagerResult AddLibrary(const std::string& categoryFolder, const std::string& categoryName, const AddRequest& request,
                         const std::string& appTitle, Prompter& prompter, const LanguageTable& lang,
                         LibraryFileOps& ops = DefaultLibraryFileOps());

// Deletes a library's index file, data file and tree picture after kRowAskDeleteHead & name &
// kRowAskDeleteLibraryTail and kRowLastWarnDeleteLibrary (OK/Cancel each). `srcPath` empty: there
// is no library in the list (kRowNoLibraryToDelete with a beep).
ManagerResult KillLibrary(const std::string& srcPath, const std::string& libName, const std::string& libKey,
                          Prompter& prompter, const LanguageTable& lang);

// Deletes a category folder's files and the folder after kRowAskDeleteHead & name &
// kRowAskDeleteCategoryTail, kRowWarnDeleteCategory and kRowLastWarnDeleteCategory (OK/Cancel
// each). Only a direct "z_" folder of `iconLibDir` is touched. A folder that still holds something
// (a sub-folder) stays; Done tells whether no file is left in it.
ManagerResult KillCategory(const std::string& iconLibDir, const std::string& categoryFolder,
                           const std::string& categoryName, Prompter& prompter, const LanguageTable& lang);

}  // namespace glimmora
