#pragma once
// The file list's status: the three panel texts (all files, checked files, icons in the checked
// files) and which file commands are usable. Recomputed from the rows after every change.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "text/LanguageTable.h"

namespace glimmora {

struct FileStatusRow {
  std::uint64_t Bytes = 0;
  bool Checked = false;
  long long Icons = 0;  // icons found by a search; 0 before one
};

struct FileListStatus {
  std::string Panel[3];
  // mn5DelSelectedFile, mnSaveSelFileIcotoBmp, mnSaveSelFileIcotoIco, mn1SaveIcoOfSelectedFile,
  // mn4antiselectedFile, mn4cancleselectedFile, mn5RealDelSelectedFile, item 0 of
  // mnMoveFileIcotoIcoClipBoardSub, toolbar buttons 16 and 18: at least one file checked.
  bool CheckedFileCommands = false;
  bool SelectAllItem = false;  // mn3SelectedAllFile: rows exist and not all are checked
  bool ListButtons = false;    // toolbar buttons 13 and 17: the list has rows
  bool PopFileMenu = false;    // the file menu: the list has rows
  // Toolbar buttons 6 to 12, 14 and 26 to 28 are always disabled by the file list's status.

  // The toolbar buttons and menu items this status decides, ready to apply.
  std::vector<std::pair<int, bool>> ToolbarButtons() const;
  struct MenuSwitch {
    std::string name;
    int index;  // element of a menu array, -1 for a single item
    bool enabled;
  };
  std::vector<MenuSwitch> MenuItems() const;

  bool operator==(const FileListStatus&) const = default;
};

FileListStatus SelectIcoSourceIco(const std::vector<FileStatusRow>& rows, const LanguageTable& lang);

}  // namespace glimmora
