#pragma once
// The options dialog without its widgets: which choices it shows, greys and forces for each list,
// the automatic-folder preview, and what OK stores.
//
// The dialog edits a working copy of one save-parameter record. It is bound to the list it was
// opened for, so OK stores into that list's record even when another list has become current
// while the dialog was open.

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "icons/SizeChoices.h"
#include "settings/Panes.h"
#include "settings/SaveParams.h"

namespace glimmora {

// The seven groups of choices, by the index of their frame.
enum class OptGroup : int { SaveAs = 0, SaveSel, TagDir, IcoSize, MaskColor, TrPict, Nostan };
constexpr int kOptGroups = 7;
constexpr int kEditorFrame = 7;
// Number of choices in each group.
constexpr std::array<int, kOptGroups> kOptChoiceCounts = {2, 2, 3, kSizeChoiceCount, 3, 3, 3};
constexpr int kMostOptChoices = *std::max_element(kOptChoiceCounts.begin(), kOptChoiceCounts.end());

struct OptChoiceGroup {
  std::optional<int> selected;
  std::array<bool, kMostOptChoices> enabled = AllEnabled();

 private:
  static constexpr std::array<bool, kMostOptChoices> AllEnabled() {
    std::array<bool, kMostOptChoices> all{};
    all.fill(true);
    return all;
  }
};

// What survives closing the dialog: the user folder last shown in folder mode 2.
struct OptionsMemory {
  std::string DlgOtherDir;
};

struct OptionsForm {
  Pane list = Pane::None;  // the list the dialog was opened for
  SaveDirRec DlgRec;       // the working copy
  std::string DlgBaseDir;  // the file list's folder, without a trailing slash
  std::array<OptChoiceGroup, kOptGroups> groups;
  std::array<bool, 8> frameEnabled{true, true, true, true, true, true, true, true};

  std::string folderText;
  bool folderEnabled = true;  // white and editable; grey when off
  bool browseShown = true;    // the picture that opens the folder browser

  std::string editorText;
  bool editorEnabled = false;  // the whole editor group: box, chooser picture and note

  OptChoiceGroup& Group(OptGroup g) { return groups[static_cast<int>(g)]; }
  const OptChoiceGroup& Group(OptGroup g) const { return groups[static_cast<int>(g)]; }
};

// The dialog's title: kRowOptionsTitle, " -- " and the list's own row.
std::string OptionsTitle(Pane list, const LanguageTable& lang);
// Caption rows of the two which-icons choices for a list.
std::array<int, 2> SaveSelRows(Pane list);

// Fills the dialog for `list` from its record. `fileListFolder` is the folder the file list shows
// (the program folder until it has shown one).
// Returns nothing for a list without save parameters.
std::optional<OptionsForm> LoadOptions(Pane list, const SaveParams& params,
                                       const std::string& fileListFolder, OptionsMemory& memory,
                                       const LanguageTable& lang);

// The user (or the loading) selects a choice; format and folder-mode choices react as they do
// on a click.
void SelectOption(OptionsForm& form, OptGroup group, int index, const OptionsMemory& memory,
                  const LanguageTable& lang);

// The folder browser returned `folder` ("" = cancelled: nothing changes).
void TakeBrowsedFolder(OptionsForm& form, OptionsMemory& memory, const std::string& folder);

// Outcome of OK.
enum class OptionsOk { Stored, FolderTooLong, EditorPathTooLong };
// Stores the choices into the record of the list the dialog was opened for. A user folder
// longer than its field (kRowFolderTooLong) or an editor path longer than the editor field (kRowEditorPathTooLong) is
// told and stores nothing; the dialog then stays open.
OptionsOk PressOptionsOk(OptionsForm& form, SaveParams& params, Prompter& prompter,
                         const LanguageTable& lang);

// The two filters of the program chooser: programs (the files one may run; programs here carry
// no extension of their own) and all files.
std::array<std::string, 2> ProgramChooserFilters(const LanguageTable& lang);

// The text the icon clipboard takes as its editor program when no dialog is open: the stored
// editor path of the library record.
std::string StoredEditorPath(const SaveParams& params);

}  // namespace glimmora
