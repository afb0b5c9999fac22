#include "mainwindow/MenuTable.h"

#include <algorithm>

#include "text/LangRows.h"
#include "icons/SizeChoices.h"
#include "mainwindow/CommandMenus.h"
#include "mainwindow/CommandTable.h"

namespace glimmora {
namespace {

class TableBuilder {
 public:
  std::vector<MenuEntry> entries;

  // The key hint comes from the command table once, as the entry is made.
  void Add(std::string_view name, int index, std::string_view parent, MenuKind kind, int row) {
    entries.push_back({name, index, parent, kind, row,
                       kind == MenuKind::Separator ? std::string() : MenuKeyHint(name, index)});
  }

  void Menu(std::string_view name, std::string_view parent, int row) {
    Add(name, -1, parent, MenuKind::Menu, row);
  }
  void Item(std::string_view name, std::string_view parent, int row) {
    Add(name, -1, parent, MenuKind::Item, row);
  }
  void Separator(std::string_view name, std::string_view parent) {
    Add(name, -1, parent, MenuKind::Separator, 0);
  }
  // One element of a menu array; a row of 0 makes it a separator that still takes its index.
  void Element(std::string_view name, int index, std::string_view parent, int row) {
    Add(name, index, parent, row == 0 ? MenuKind::Separator : MenuKind::Item, row);
  }
  // A menu array made of its places: a slot without a command is a separator.
  void Slots(std::string_view name, std::string_view parent, std::span<const MenuSlot> places) {
    for (std::size_t i = 0; i < places.size(); ++i) Element(name, static_cast<int>(i), parent, places[i].captionRow);
  }
  // A menu array of `count` items captioned by consecutive rows from `firstRow`.
  void Run(std::string_view name, std::string_view parent, int firstRow, int count) {
    for (int i = 0; i < count; ++i) Element(name, i, parent, firstRow + i);
  }
  // A menu array of every size choice, each captioned by its own row for `menu`.
  void Sizes(std::string_view name, std::string_view parent, SizeMenu menu) {
    for (int i = 0; i < kSizeChoiceCount; ++i)
      Element(name, i, parent, kSizeChoices[static_cast<std::size_t>(i)].MenuRow(menu));
  }
};

std::vector<MenuEntry> BuildTable() {
  TableBuilder t;

  t.Menu("PopTreeViewSMenu", "", kRowFoldersMenu);
  t.Item("mn2CloseTreeViewS", "PopTreeViewSMenu", kRowCollapseAll);
  t.Item("mn3RefeshTreeViewS", "PopTreeViewSMenu", kRowRefreshTree);
  t.Item("mn1GotoCurDirTreeViewS", "PopTreeViewSMenu", kRowGoToCurrentFolder);

  t.Menu("PopTreeViewLMenu", "", kRowLibrariesMenu);
  t.Slots(kLibTreeMenu, "PopTreeViewLMenu", kLibTreeMenuSlots);

  t.Menu("PopFileMenu", "", kRowFilesMenu);
  t.Menu("mn1SaveIcoOfSelectedFile", "PopFileMenu", kRowSaveTickedFileIcons);
  t.Item("mnSaveSelFileIcotoIco", "mn1SaveIcoOfSelectedFile", kRowSaveTickedFileIconsAsIco);
  t.Item("mnSaveSelFileIcotoBmp", "mn1SaveIcoOfSelectedFile", kRowSaveTickedFileIconsAsBmp);
  t.Menu("mn2SaveIconOfAllFile", "PopFileMenu", kRowSaveAllFileIcons);
  t.Item("mnSaveAllFileIcotoIco", "mn2SaveIconOfAllFile", kRowSaveAllFileIconsAsIco);
  t.Item("mnSaveAllFileIcotoBmp", "mn2SaveIconOfAllFile", kRowSaveAllFileIconsAsBmp);
  t.Item("mnSaveFileIconUsedef", "PopFileMenu", kRowSaveFileIconsWithOptions);
  t.Menu("mnSaveFileIcotoIcoClipBoard", "PopFileMenu", kRowCopyFileIconsToIconClipboard);
  t.Run("mnSaveFileIcotoIcoClipBoardSub", "mnSaveFileIcotoIcoClipBoard", kRowCopyTickedFileIconsToIconClipboard, 2);
  t.Menu("mnMoveFileIcotoIcoClipBoard", "PopFileMenu", kRowMoveFileIconsToIconClipboard);
  t.Run("mnMoveFileIcotoIcoClipBoardSub", "mnMoveFileIcotoIcoClipBoard", kRowMoveTickedFileIconsToIconClipboard, 2);
  t.Separator("mnbreakFile1", "PopFileMenu");
  t.Item("mn3SelectedAllFile", "PopFileMenu", kRowTickAllFiles);
  t.Item("mn4cancleselectedFile", "PopFileMenu", kRowUntickAllFiles);
  t.Item("mn4antiselectedFile", "PopFileMenu", kRowInvertTicks);
  t.Separator("mnbreakFile2", "PopFileMenu");
  t.Item("mn5DelSelectedFile", "PopFileMenu", kRowRemoveTickedFilesFromList);
  t.Item("mn5RealDelSelectedFile", "PopFileMenu", kRowDeleteTickedFiles);

  t.Menu("PopIcoMenu", "", kRowIconsMenu);
  t.Menu("mn1SaveSelectedIco", "PopIcoMenu", kRowSaveSelectedIcons);
  t.Menu("mn11SaveSelectedIcoAsIco", "mn1SaveSelectedIco", kRowSaveSelectedAsIco);
  t.Sizes("mn12SaveSelectedIcoAsIcoSub", "mn11SaveSelectedIcoAsIco", SizeMenu::SaveSelectedAsIco);
  t.Menu("mn12SaveSelectedIcoAsBmp", "mn1SaveSelectedIco", kRowSaveSelectedAsBmp);
  t.Sizes("mn12SaveSelectedIcoAsBmpSub", "mn12SaveSelectedIcoAsBmp", SizeMenu::SaveSelectedAsBmp);
  t.Menu("mn2SaveAllIco", "PopIcoMenu", kRowSaveAllIcons);
  t.Menu("mn21SaveAllIcoAsIco", "mn2SaveAllIco", kRowSaveAllAsIco);
  t.Sizes("mn22SaveAllIcoAsIcoSub", "mn21SaveAllIcoAsIco", SizeMenu::SaveAllAsIco);
  t.Menu("mn22SaveAllIcoAsBmp", "mn2SaveAllIco", kRowSaveAllAsBmp);
  t.Sizes("mn22SaveAllIcoAsBmpSub", "mn22SaveAllIcoAsBmp", SizeMenu::SaveAllAsBmp);
  t.Item("mnSaveIcoUsedef", "PopIcoMenu", kRowSaveIconsWithOptions);
  t.Separator("mnbreakIco1", "PopIcoMenu");
  t.Item("mn3SelectedAllIco", "PopIcoMenu", kRowSelectAllIcons);
  t.Menu("mn3SelectedIcoWithHW", "PopIcoMenu", kRowSelectBySize);
  t.Run("mn3SelectedIcoWithHWSub", "mn3SelectedIcoWithHW", kRowSelectSize16, 4);
  t.Menu("mn3SelectedIcoWithColor", "PopIcoMenu", kRowSelectByColorDepth);
  t.Run("mn3SelectedIcoWithColorSub", "mn3SelectedIcoWithColor", kRowSelectDepth4, 6);
  t.Item("mn4cancleselectedIco", "PopIcoMenu", kRowClearIconSelection);
  t.Separator("mnbreakIco2", "PopIcoMenu");
  t.Menu("mnCopyIcoToIcoClipper", "PopIcoMenu", kRowCopyToIconClipboard);
  t.Sizes("mnCopyIcoToIcoClipperSub", "mnCopyIcoToIcoClipper", SizeMenu::CopyToIconClipboard);
  t.Menu("mnCutIcoToIcoClipper", "PopIcoMenu", kRowCutToIconClipboard);
  t.Sizes("mnCutIcoToIcoClipperSub", "mnCutIcoToIcoClipper", SizeMenu::CutToIconClipboard);
  t.Separator("mnbreak21", "PopIcoMenu");
  t.Menu("mn5CopyIcoToClipper", "PopIcoMenu", kRowCopyToSystemClipboard);
  t.Sizes("mn5CopyIcoToClipperSub", "mn5CopyIcoToClipper", SizeMenu::CopyToSystemClipboard);
  t.Menu("mn6CutIcoToClipper", "PopIcoMenu", kRowCutToSystemClipboard);
  t.Sizes("mn6CutIcoToClipperSub", "mn6CutIcoToClipper", SizeMenu::CutToSystemClipboard);
  t.Separator("mnbreakIco3", "PopIcoMenu");
  t.Slots(kViewMenu, "PopIcoMenu", kViewMenuSlots);
  t.Separator("mnbreakIco4", "PopIcoMenu");
  t.Item("mn8DeleteIco", "PopIcoMenu", kRowDeleteIcons);
  t.Separator("mnbreakIco5", "PopIcoMenu");
  t.Item("mn9LastGrpIcon", "PopIcoMenu", kRowPreviousPage);
  t.Item("mn10NextGrpIcon", "PopIcoMenu", kRowNextPage);

  t.Menu("PoPIcoClipBoardMenu", "", kRowIconClipboardMenu);
  t.Slots(kClipMenu, "PoPIcoClipBoardMenu", kClipMenuSlots);

  t.Menu("PopWebMenu", "", kRowWebSitesMenu);
  t.Slots(kWebMenu, "PopWebMenu", kWebMenuSlots);

  t.Item("mnOptSet", "", kRowOptionsMenu);

  t.Menu("mnchglang", "", kRowLanguageMenu);
  t.Run("mnchglangsub", "mnchglang", kRowLanguageEnglish, 3);

  t.Menu("mnHelp", "", kRowHelpMenu);
  t.Item("mnHelpContents", "mnHelp", kRowHelpContents);
  t.Item("mnHelpWebsite", "mnHelp", kRowHelpHomePage);
  t.Item("mnHelpFrdLink", "mnHelp", kRowHelpFriendlyLinks);
  t.Separator("mnbreakHelp1", "mnHelp");
  t.Item("mnHelpAbout", "mnHelp", kRowHelpAbout);
  return t.entries;
}

}  // namespace

std::span<const MenuEntry> MenuTable() {
  static const std::vector<MenuEntry> kTable = BuildTable();
  return kTable;
}

std::string MenuCaption(const MenuEntry& entry, const LanguageTable& table) {
  if (entry.kind == MenuKind::Separator) return {};
  std::string caption = table.Row(entry.captionRow);
  // A text that carries its own key column (after a tab) keeps it.
  if (!entry.keyHint.empty() && caption.find('\t') == std::string::npos) {
    caption += '\t';
    caption += entry.keyHint;
  }
  return caption;
}

std::string MenuEntryKey(std::string_view name, int index) {
  std::string key(name);
  if (index >= 0) key += "(" + std::to_string(index) + ")";
  return key;
}

}  // namespace glimmora
