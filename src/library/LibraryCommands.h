#pragma once
// The library page's commands by name: those of the library tree and those of the icon clipboard.
// The page is told which command to run, never where it stands in a menu; the menus, keys and
// toolbar find their places for these in the main window's tables.

#include <cstdint>

namespace glimmora {

enum class LibTreeCommand : std::uint8_t {
  NewCategoryOrLibrary,
  DeleteCategoryOrLibrary,
  CollapseAll,
  ExpandAll,
  Refresh,
  ShowSelected,
};

// The clipboard's view items are no command of the page: they choose the list's view as the view
// buttons do.
enum class ClipCommand : std::uint8_t {
  MoveSelectedIntoLibrary,
  MoveAllIntoLibrary,
  CopySelectedToFolder,
  CopyAllToFolder,
  MoveSelectedToFolder,
  MoveAllToFolder,
  SelectAll,
  ClearSelection,
  DeleteSelected,
  DeleteAll,
  CopyToSystemClipboard,
  CutToSystemClipboard,
  Refresh,
  OpenInEditor,
};

inline constexpr int kLibTreeCommandCount = static_cast<int>(LibTreeCommand::ShowSelected) + 1;
inline constexpr int kClipCommandCount = static_cast<int>(ClipCommand::OpenInEditor) + 1;

}  // namespace glimmora
