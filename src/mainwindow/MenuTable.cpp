#include "mainwindow/MenuTable.h"

#include <algorithm>

namespace glimmora {
namespace {

class TableBuilder {
 public:
  std::vector<MenuEntry> entries;

  void Menu(std::string_view name, std::string_view parent, int row) {
    entries.push_back({name, -1, parent, MenuKind::Menu, row, {}});
  }
  void Item(std::string_view name, std::string_view parent, int row, std::string_view hint = {}) {
    entries.push_back({name, -1, parent, MenuKind::Item, row, hint});
  }
  void Separator(std::string_view name, std::string_view parent) {
    entries.push_back({name, -1, parent, MenuKind::Separator, 0, {}});
  }
  // One element of a menu array; a row of 0 makes it a separator that still takes its index.
  void Element(std::string_view name, int index, std::string_view parent, int row,
               std::string_view hint = {}) {
    entries.push_back(
        {name, index, parent, row == 0 ? MenuKind::Separator : MenuKind::Item, row, hint});
  }
  // A menu array of `count` items captioned by consecutive rows from `firstRow`.
  void Run(std::string_view name, std::string_view parent, int firstRow, int count,
           const std::string_view* hints = nullptr) {
    for (int i = 0; i < count; ++i)
      Element(name, i, parent, firstRow + i, hints ? hints[i] : std::string_view{});
  }
};

// Key hints of the two size submenus that copy or cut into the icon clipboard.
constexpr std::string_view kCopyToClipHints[8] = {
    "Ctrl+Alt+C",  "Ctrl+Alt+F2", "Ctrl+Alt+F3", "Ctrl+Alt+F4",
    "Ctrl+Alt+F5", "Ctrl+Alt+F6", "Ctrl+Alt+F7", "Ctrl+Alt+F8"};
constexpr std::string_view kCutToClipHints[8] = {
    "Ctrl+Alt+X",        "Ctrl+Alt+Shift+F2", "Ctrl+Alt+Shift+F3", "Ctrl+Alt+Shift+F4",
    "Ctrl+Alt+Shift+F5", "Ctrl+Alt+Shift+F6", "Ctrl+Alt+Shift+F7", "Ctrl+Alt+Shift+F8"};

std::vector<MenuEntry> BuildTable() {
  TableBuilder t;

  t.Menu("PopTreeViewSMenu", "", 1);
  t.Item("mn2CloseTreeViewS", "PopTreeViewSMenu", 2);
  t.Item("mn3RefeshTreeViewS", "PopTreeViewSMenu", 3);
  t.Item("mn1GotoCurDirTreeViewS", "PopTreeViewSMenu", 4);

  t.Menu("PopTreeViewLMenu", "", 5);
  {
    constexpr std::string_view m = "mnTreeViewLPopMenuSub";
    constexpr std::string_view p = "PopTreeViewLMenu";
    t.Element(m, 0, p, 6);
    t.Element(m, 1, p, 411);
    t.Element(m, 2, p, 0);
    t.Element(m, 3, p, 2);
    t.Element(m, 4, p, 454);
    t.Element(m, 5, p, 3);
    t.Element(m, 6, p, 7);
  }

  t.Menu("PopFileMenu", "", 8);
  t.Menu("mn1SaveIcoOfSelectedFile", "PopFileMenu", 9);
  t.Item("mnSaveSelFileIcotoIco", "mn1SaveIcoOfSelectedFile", 10);
  t.Item("mnSaveSelFileIcotoBmp", "mn1SaveIcoOfSelectedFile", 11);
  t.Menu("mn2SaveIconOfAllFile", "PopFileMenu", 12);
  t.Item("mnSaveAllFileIcotoIco", "mn2SaveIconOfAllFile", 13);
  t.Item("mnSaveAllFileIcotoBmp", "mn2SaveIconOfAllFile", 14);
  t.Item("mnSaveFileIconUsedef", "PopFileMenu", 15);
  t.Menu("mnSaveFileIcotoIcoClipBoard", "PopFileMenu", 16);
  t.Run("mnSaveFileIcotoIcoClipBoardSub", "mnSaveFileIcotoIcoClipBoard", 17, 2);
  t.Menu("mnMoveFileIcotoIcoClipBoard", "PopFileMenu", 19);
  t.Run("mnMoveFileIcotoIcoClipBoardSub", "mnMoveFileIcotoIcoClipBoard", 20, 2);
  t.Separator("mnbreakFile1", "PopFileMenu");
  t.Item("mn3SelectedAllFile", "PopFileMenu", 22);
  t.Item("mn4cancleselectedFile", "PopFileMenu", 23);
  t.Item("mn4antiselectedFile", "PopFileMenu", 24);
  t.Separator("mnbreakFile2", "PopFileMenu");
  t.Item("mn5DelSelectedFile", "PopFileMenu", 25);
  t.Item("mn5RealDelSelectedFile", "PopFileMenu", 26);

  t.Menu("PopIcoMenu", "", 27);
  t.Menu("mn1SaveSelectedIco", "PopIcoMenu", 28);
  t.Menu("mn11SaveSelectedIcoAsIco", "mn1SaveSelectedIco", 29);
  t.Run("mn12SaveSelectedIcoAsIcoSub", "mn11SaveSelectedIcoAsIco", 30, 8);
  t.Menu("mn12SaveSelectedIcoAsBmp", "mn1SaveSelectedIco", 38);
  t.Run("mn12SaveSelectedIcoAsBmpSub", "mn12SaveSelectedIcoAsBmp", 39, 8);
  t.Menu("mn2SaveAllIco", "PopIcoMenu", 47);
  t.Menu("mn21SaveAllIcoAsIco", "mn2SaveAllIco", 48);
  t.Run("mn22SaveAllIcoAsIcoSub", "mn21SaveAllIcoAsIco", 49, 8);
  t.Menu("mn22SaveAllIcoAsBmp", "mn2SaveAllIco", 57);
  t.Run("mn22SaveAllIcoAsBmpSub", "mn22SaveAllIcoAsBmp", 58, 8);
  t.Item("mnSaveIcoUsedef", "PopIcoMenu", 66);
  t.Separator("mnbreakIco1", "PopIcoMenu");
  t.Item("mn3SelectedAllIco", "PopIcoMenu", 67);
  t.Menu("mn3SelectedIcoWithHW", "PopIcoMenu", 68);
  t.Run("mn3SelectedIcoWithHWSub", "mn3SelectedIcoWithHW", 69, 4);
  t.Menu("mn3SelectedIcoWithColor", "PopIcoMenu", 73);
  t.Run("mn3SelectedIcoWithColorSub", "mn3SelectedIcoWithColor", 74, 6);
  t.Item("mn4cancleselectedIco", "PopIcoMenu", 80);
  t.Separator("mnbreakIco2", "PopIcoMenu");
  t.Menu("mnCopyIcoToIcoClipper", "PopIcoMenu", 81);
  t.Run("mnCopyIcoToIcoClipperSub", "mnCopyIcoToIcoClipper", 82, 8, kCopyToClipHints);
  t.Menu("mnCutIcoToIcoClipper", "PopIcoMenu", 90);
  t.Run("mnCutIcoToIcoClipperSub", "mnCutIcoToIcoClipper", 91, 8, kCutToClipHints);
  t.Separator("mnbreak21", "PopIcoMenu");
  t.Menu("mn5CopyIcoToClipper", "PopIcoMenu", 99);
  t.Run("mn5CopyIcoToClipperSub", "mn5CopyIcoToClipper", 100, 8);
  t.Menu("mn6CutIcoToClipper", "PopIcoMenu", 108);
  t.Run("mn6CutIcoToClipperSub", "mn6CutIcoToClipper", 109, 8);
  t.Separator("mnbreakIco3", "PopIcoMenu");
  t.Run("mnIcodispSub", "PopIcoMenu", 455, 3);
  t.Separator("mnbreakIco4", "PopIcoMenu");
  t.Item("mn8DeleteIco", "PopIcoMenu", 117);
  t.Separator("mnbreakIco5", "PopIcoMenu");
  t.Item("mn9LastGrpIcon", "PopIcoMenu", 118);
  t.Item("mn10NextGrpIcon", "PopIcoMenu", 119);

  t.Menu("PoPIcoClipBoardMenu", "", 120);
  {
    constexpr std::string_view m = "mnIcoClipBoardMenuSub";
    constexpr std::string_view p = "PoPIcoClipBoardMenu";
    struct Row {
      int index, row;
      std::string_view hint;
    };
    constexpr Row kRows[] = {{0, 121, "Ctrl+M"},  {1, 122, "Ctrl+T"},  {2, 0, {}},
                             {3, 123, "Ctrl+P"},  {4, 124, "Ctrl+W"},  {5, 0, {}},
                             {6, 125, "Ctrl+Y"},  {7, 126, "Ctrl+G"},  {8, 0, {}},
                             {9, 127, "Ctrl+A"},  {10, 128, "Ctrl+U"}, {11, 0, {}},
                             {12, 129, "Del"},    {13, 130, "Ctrl+R"}, {14, 0, {}},
                             {15, 131, "Ctrl+L"}, {16, 132, "Ctrl+B"}, {17, 133, "Ctrl+S"},
                             {18, 0, {}},         {19, 134, "Ctrl+C"}, {20, 135, "Ctrl+X"},
                             {21, 0, {}},         {22, 137, "Ctrl+F"}, {23, 0, {}},
                             {24, 413, {}}};
    for (const Row& r : kRows) t.Element(m, r.index, p, r.row, r.hint);
  }

  t.Menu("PopWebMenu", "", 138);
  t.Element("mnWebSiteSub", 0, "PopWebMenu", 139);
  t.Element("mnWebSiteSub", 1, "PopWebMenu", 0);
  t.Element("mnWebSiteSub", 2, "PopWebMenu", 140);
  t.Element("mnWebSiteSub", 3, "PopWebMenu", 141);
  t.Element("mnWebSiteSub", 4, "PopWebMenu", 142);

  t.Item("mnOptSet", "", 143);

  t.Menu("mnchglang", "", 144);
  t.Run("mnchglangsub", "mnchglang", 145, 3);

  t.Menu("mnHelp", "", 148);
  t.Item("mnHelpContents", "mnHelp", 149);
  t.Item("mnHelpWebsite", "mnHelp", 150);
  t.Item("mnHelpFrdLink", "mnHelp", 152);
  t.Separator("mnbreakHelp1", "mnHelp");
  t.Item("mnHelpAbout", "mnHelp", 153);
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
