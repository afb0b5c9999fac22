#pragma once
// The state the main window shares with every page and dialog: one object, owned by the main
// window, whose fields keep the names the rest of the program uses for them. Its bases hold the
// three save-parameter records (SaveLibDir, SaveFileDir, SaveIcoDir), the modifier-key flags
// (CtrlDown, AltDown, ShiftDown) and the system folders (WinDir, SysDir), so the shared helpers
// that take those records work on the state itself.

#include <array>
#include <string>
#include <vector>

#include "scan/IconTypeTally.h"
#include "text/LanguageTable.h"
#include "settings/ModifierKeys.h"
#include "settings/SystemFolders.h"
#include "settings/ConfigFile.h"
#include "settings/Panes.h"
#include "settings/SaveParams.h"

namespace glimmora {

// Captions of the size-and-depth classes of found icons, [size class][depth class].
using IcoTypeNameTable = IcoTypeNames;

struct AppState : SaveParams, ModifierKeys, SystemFolders {
  std::string AppPath;   // the program folder, without a trailing slash
  std::string AppTitle;  // the program title (kRowProgramTitle), set near the end of start-up

  // The language table; LangStr.CurLang is the language in use for this whole run.
  LanguageTable LangStr;

  int GrpSizeSet = 50;   // icons per page of the icon pane
  int LibGrpSize = 50;   // icons per page of the library pane
  int ClipGrpSize = 50;  // icons per page of the icon clipboard

  IcoTypeNameTable IcoTypeName{};  // size-and-depth captions of found icons

  // Pane sizes in twips as Glimmora.cfg gave them at start-up; the page layouts judge them.
  PaneSizes Panes;
  // The path box: its list and text as restored at start-up. The source page keeps them up to
  // date; they are written back when the program ends.
  std::vector<PathEntry> PathHistory;
  std::string PathText;

  bool TreeViewSDirty = false;  // the folder tree is rebuilt when the source page is next shown

  // The current pane: for each page the code of the control last made active on it, the control
  // that has the focus now and the list last made current.
  std::array<int, 4> TabObj{};  // index 1..3 by page
  Pane FocusObj = Pane::None;
  Pane CurListView = Pane::None;

  Language CurLang() const { return LangStr.CurLang; }
  const std::string& Row(int row) const { return LangStr.Row(row); }

  SaveParams& Params() { return *this; }
  const SaveParams& Params() const { return *this; }
};

}  // namespace glimmora
