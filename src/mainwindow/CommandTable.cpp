#include "mainwindow/CommandTable.h"

#include "mainwindow/CommandMenus.h"

#include "text/LangRows.h"
#include "icons/SizeChoices.h"
#include "shared/ToolbarSlots.h"

// The rows name only the fields they use; the others keep their defaults on purpose.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace glimmora {
namespace {

constexpr PaneSet P(Pane a) { return PaneBit(a); }
constexpr Pane kFile = Pane::ListViewFile;
constexpr Pane kClip = Pane::ListViewIcoClipboard;
constexpr Pane kWeb = Pane::ListViewWebSite;
constexpr PageSet kLibPage = PageBit(Page::Library);
constexpr PageSet kOtherPages = PageBit(Page::Source) | PageBit(Page::WebSite);

constexpr Tri On = Tri::On;
constexpr Tri Off = Tri::Off;
constexpr Tri Any = Tri::Any;

// Ctrl held; Alt and Shift as given.
constexpr KeyRule Ctrl(int vk, Tri alt = Any, Tri shift = Any) { return {vk, On, alt, shift}; }
// Alt held without Ctrl.
constexpr KeyRule Alt(int vk, Tri shift = Any) { return {vk, Off, On, shift}; }
// Ctrl not held.
constexpr KeyRule Plain(int vk, Tri alt = Any) { return {vk, Off, alt, Any}; }

constexpr int kF2 = kVkF1 + 1;
constexpr int kF3 = kVkF1 + 2;
constexpr int kF4 = kVkF1 + 3;
constexpr int kF5 = kVkF1 + 4;
constexpr int kF6 = kVkF1 + 5;
constexpr int kF7 = kVkF1 + 6;


constexpr CommandRow kRows[] = {
    // ----- toolbar commands (with the keys and menu items that do the same) -----
    // Commands 1 and 2 go by the page, not by the pane.
    {.command = kToolCollapseTree, .proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::CollapseAll),
     .pages = kLibPage, .tipRow = kRowTipCollapseTree},
    {.command = kToolCollapseTree, .proc = Proc::CollapseFolderTree, .pages = kOtherPages,
     .tipRow = kRowTipCollapseTree},
    {.command = kToolRefreshTree, .proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::Refresh),
     .pages = kLibPage, .tipRow = kRowTipRefreshTree},
    {.command = kToolRefreshTree, .proc = Proc::RefreshFolderTree, .pages = kOtherPages,
     .tipRow = kRowTipRefreshTree},
    {.command = kToolNewCategory, .proc = Proc::RunLibraryTreeCommand,
     .arg = Arg(LibTreeCommand::NewCategoryOrLibrary), .tipRow = kRowTipNewCategoryOrLibrary},
    {.command = kToolMoveClipboardIntoLibrary, .proc = Proc::RunClipboardCommand,
     .arg = Arg(ClipCommand::MoveSelectedIntoLibrary), .tipRow = kRowTipMoveClipboardIntoLibrary},
    {.command = kToolCopyClipboardToFolder, .proc = Proc::RunClipboardCommand,
     .arg = Arg(ClipCommand::CopySelectedToFolder), .tipRow = kRowTipCopyClipboardToFolder},
    {.command = kToolDeleteAllClipboardIcons, .proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::DeleteAll),
     .tipRow = kRowTipDeleteAllClipboardIcons},
    {.command = kToolSaveAsIco, .proc = Proc::SaveSelectedIconsAsIco, .arg = 0, .tipRow = kRowTipSaveSelectedAsIco},
    {.command = kToolSaveAsBmp, .proc = Proc::SaveSelectedIconsAsBmp, .arg = 0, .tipRow = kRowTipSaveSelectedAsBmp},
    // Only the file list has its own save-with-parameters; every other pane takes the icon one.
    {.command = kToolSaveWithOptions, .proc = Proc::SaveFileIconsWithDefaults, .panes = P(kFile), .key = Plain(kF2),
     .menu = "mnSaveFileIconUsedef", .tipRow = kRowTipSaveWithOptions},
    {.command = kToolSaveWithOptions, .proc = Proc::SaveIconsWithDefaults, .tipRow = kRowTipSaveWithOptions},
    {.command = kToolCopyToIconClipboard, .proc = Proc::CopyIconsToIconClipboard, .arg = 0,
     .tipRow = kRowTipCopyToIconClipboard},
    // Delete, select all and cancel selection act on whichever list is current.
    {.command = kToolDelete, .proc = Proc::RemoveCheckedFiles, .panes = P(kFile), .key = Plain(kVkDelete),
     .menu = "mn5DelSelectedFile", .tipRow = kRowTipDelete},
    {.command = kToolDelete, .proc = Proc::DeleteSelectedIcons, .panes = kIconPanes, .key = Plain(kVkDelete, Off),
     .menu = "mn8DeleteIco", .tipRow = kRowTipDelete},
    {.command = kToolDelete, .proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::DeleteSelected),
     .panes = P(kClip), .key = Plain(kVkDelete),
     .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::DeleteSelected), .tipRow = kRowTipDelete},
    {.command = kToolDelete, .proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::DeleteTicked), .panes = P(kWeb),
     .key = Plain(kVkDelete),
     .menu = kWebMenu, .menuIndex = WebPlace(WebCommand::DeleteTicked), .tipRow = kRowTipDelete},
    {.command = kToolSelectAll, .proc = Proc::SelectAllFiles, .panes = P(kFile), .key = Ctrl('A'),
     .menu = "mn3SelectedAllFile", .tipRow = kRowTipSelectAll},
    {.command = kToolSelectAll, .proc = Proc::SelectAllIcons, .panes = kIconPanes, .key = Ctrl('A', Off),
     .menu = "mn3SelectedAllIco", .tipRow = kRowTipSelectAll},
    {.command = kToolSelectAll, .proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::SelectAll),
     .panes = P(kClip), .key = Ctrl('A'),
     .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::SelectAll), .tipRow = kRowTipSelectAll},
    {.command = kToolCancelSelection, .proc = Proc::CancelFileSelection, .panes = P(kFile), .key = Ctrl('U'),
     .menu = "mn4cancleselectedFile", .tipRow = kRowTipClearSelection},
    {.command = kToolCancelSelection, .proc = Proc::CancelIconSelection, .panes = kIconPanes, .key = Ctrl('U', Off),
     .menu = "mn4cancleselectedIco", .tipRow = kRowTipClearSelection},
    {.command = kToolCancelSelection, .proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::ClearSelection),
     .panes = P(kClip), .key = Ctrl('U'),
     .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::ClearSelection), .tipRow = kRowTipClearSelection},
    // The view buttons choose the view of the current icon list, as the view items of its menu do.
    {.command = kToolReportView, .proc = Proc::ViewMode, .arg = Arg(ListViewMode::Report),
     .tipRow = kRowTipDetailsView},
    {.command = kToolListView, .proc = Proc::ViewMode, .arg = Arg(ListViewMode::List), .tipRow = kRowTipListView},
    {.command = kToolLargeIconsView, .proc = Proc::ViewMode, .arg = Arg(ListViewMode::LargeIcons),
     .tipRow = kRowTipLargeIcons},
    {.command = kToolOpenWebSite, .proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::Open),
     .tipRow = kRowTipOpenWebSite},
    {.command = kToolEditWebSite, .proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::Edit),
     .tipRow = kRowTipEditWebSite},
    {.command = kToolAddWebSite, .proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::Add),
     .tipRow = kRowTipAddWebSite},
    {.command = kToolDeleteTickedWebSites, .proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::DeleteTicked),
     .tipRow = kRowTipDeleteTickedWebSites},
    {.command = kToolHelpContents, .proc = Proc::ShowHelpContents, .menu = "mnHelpContents",
     .tipRow = kRowTipHelpContents},
    {.command = kToolSupportMail, .proc = Proc::OpenSupportMail, .tipRow = kRowTipSupportMail},

    // ----- folder tree -----
    {.proc = Proc::CollapseFolderTree, .panes = P(Pane::TreeViewS), .key = Ctrl('L'), .menu = "mn2CloseTreeViewS"},
    {.proc = Proc::RefreshFolderTree, .panes = P(Pane::TreeViewS), .key = Ctrl('R'), .menu = "mn3RefeshTreeViewS"},
    {.proc = Proc::GotoCurrentFolder, .panes = P(Pane::TreeViewS), .key = Ctrl('N'),
     .menu = "mn1GotoCurDirTreeViewS"},
    // Enter on the folder tree opens nothing: only Space does.
    {.proc = Proc::PopMenu, .arg = Arg(Pane::TreeViewS), .panes = P(Pane::TreeViewS), .key = Plain(kVkSpace)},

    // ----- library tree -----
    {.proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::NewCategoryOrLibrary),
     .panes = P(Pane::TreeViewL), .key = Ctrl('B'),
     .menu = kLibTreeMenu, .menuIndex = LibTreePlace(LibTreeCommand::NewCategoryOrLibrary)},
    {.proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::CollapseAll), .panes = P(Pane::TreeViewL),
     .key = Ctrl('L'), .menu = kLibTreeMenu, .menuIndex = LibTreePlace(LibTreeCommand::CollapseAll)},
    {.proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::ExpandAll), .panes = P(Pane::TreeViewL),
     .key = Ctrl('E'), .menu = kLibTreeMenu, .menuIndex = LibTreePlace(LibTreeCommand::ExpandAll)},
    {.proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::Refresh), .panes = P(Pane::TreeViewL),
     .key = Ctrl('R'), .menu = kLibTreeMenu, .menuIndex = LibTreePlace(LibTreeCommand::Refresh)},
    {.proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::ShowSelected), .panes = P(Pane::TreeViewL),
     .key = Ctrl('N'), .menu = kLibTreeMenu, .menuIndex = LibTreePlace(LibTreeCommand::ShowSelected)},
    {.proc = Proc::RunLibraryTreeCommand, .arg = Arg(LibTreeCommand::DeleteCategoryOrLibrary),
     .panes = P(Pane::TreeViewL), .key = Plain(kVkDelete),
     .menu = kLibTreeMenu, .menuIndex = LibTreePlace(LibTreeCommand::DeleteCategoryOrLibrary)},
    {.proc = Proc::PopMenu, .arg = Arg(Pane::TreeViewL), .panes = P(Pane::TreeViewL), .key = Plain(kVkSpace)},
    {.proc = Proc::PopMenu, .arg = Arg(Pane::TreeViewL), .panes = P(Pane::TreeViewL), .key = Plain(kVkEnter)},

    // ----- file list -----
    {.proc = Proc::SaveFileIconsToIconClipboard, .arg = 0, .panes = P(kFile), .key = Ctrl('J'),
     .menu = "mnSaveFileIcotoIcoClipBoardSub", .menuIndex = 0},
    {.proc = Proc::SaveFileIconsToIconClipboard, .arg = 1, .panes = P(kFile), .key = Ctrl('K'),
     .menu = "mnSaveFileIcotoIcoClipBoardSub", .menuIndex = 1},
    {.proc = Proc::MoveFileIconsToIconClipboard, .arg = 0, .span = 2, .panes = P(kFile),
     .menu = "mnMoveFileIcotoIcoClipBoardSub", .menuIndex = 0},
    {.proc = Proc::InvertFileTicks, .panes = P(kFile), .key = Ctrl('Z'), .menu = "mn4antiselectedFile"},
    {.proc = Proc::DeleteCheckedFiles, .panes = P(kFile), .key = Ctrl('X'), .menu = "mn5RealDelSelectedFile"},
    {.proc = Proc::SaveCheckedFileIconsAsIco, .panes = P(kFile), .key = Plain(kF4), .menu = "mnSaveSelFileIcotoIco"},
    {.proc = Proc::SaveCheckedFileIconsAsBmp, .panes = P(kFile), .key = Plain(kF5), .menu = "mnSaveSelFileIcotoBmp"},
    {.proc = Proc::SaveAllFileIconsAsIco, .panes = P(kFile), .key = Plain(kF6), .menu = "mnSaveAllFileIcotoIco"},
    {.proc = Proc::SaveAllFileIconsAsBmp, .panes = P(kFile), .key = Plain(kF7), .menu = "mnSaveAllFileIcotoBmp"},
    // Enter is left to the list: it lists the current file's icons, as a double click does.
    {.proc = Proc::PopMenu, .arg = Arg(kFile), .panes = P(kFile), .key = Plain(kVkSpace)},

    // ----- icon panes (a file's icons and a library's icons share the keys and the menu) -----
    {.proc = Proc::SaveSelectedIconsAsIco, .arg = 0, .span = kSizeChoiceCount, .panes = kIconPanes,
     .key = Ctrl(kVkF1, Off, Off), .menu = "mn12SaveSelectedIcoAsIcoSub", .menuIndex = 0},
    {.proc = Proc::SaveSelectedIconsAsBmp, .arg = 0, .span = kSizeChoiceCount, .panes = kIconPanes,
     .key = Ctrl(kVkF1, Off, On), .menu = "mn12SaveSelectedIcoAsBmpSub", .menuIndex = 0},
    {.proc = Proc::CopyIconToSystemClipboard, .arg = 0, .panes = kIconPanes, .key = Ctrl('C', Off),
     .menu = "mn5CopyIcoToClipperSub", .menuIndex = 0},
    {.proc = Proc::CutIconToSystemClipboard, .arg = 0, .panes = kIconPanes, .key = Ctrl('X', Off),
     .menu = "mn6CutIcoToClipperSub", .menuIndex = 0},
    {.proc = Proc::SelectIconsOfSize, .arg = 0, .span = 4, .panes = kIconPanes,
     .key = Ctrl('1', Off), .menu = "mn3SelectedIcoWithHWSub", .menuIndex = 0},
    {.proc = Proc::ViewMode, .arg = Arg(ListViewMode::Report), .panes = kIconPanes, .key = Ctrl('L', Off),
     .menu = kViewMenu, .menuIndex = ViewPlace(ListViewMode::Report)},
    {.proc = Proc::ViewMode, .arg = Arg(ListViewMode::List), .panes = kIconPanes, .key = Ctrl('S', Off),
     .menu = kViewMenu, .menuIndex = ViewPlace(ListViewMode::List)},
    {.proc = Proc::ViewMode, .arg = Arg(ListViewMode::LargeIcons), .panes = kIconPanes, .key = Ctrl('B', Off),
     .menu = kViewMenu, .menuIndex = ViewPlace(ListViewMode::LargeIcons)},
    {.proc = Proc::CopyIconsToIconClipboard, .arg = 0, .span = kSizeChoiceCount, .panes = kIconPanes,
     .key = Ctrl(kVkF1, On, Off), .menu = "mnCopyIcoToIcoClipperSub", .menuIndex = 0},
    {.proc = Proc::CutIconsToIconClipboard, .arg = 0, .span = kSizeChoiceCount, .panes = kIconPanes,
     .key = Ctrl(kVkF1, On, On), .menu = "mnCutIcoToIcoClipperSub", .menuIndex = 0},
    {.proc = Proc::CopyIconsToIconClipboard, .arg = 0, .panes = kIconPanes, .key = Ctrl('C', On)},
    {.proc = Proc::CutIconsToIconClipboard, .arg = 0, .panes = kIconPanes, .key = Ctrl('X', On)},
    {.proc = Proc::CopyIconToSystemClipboard, .arg = 1, .span = kSizeChoiceCount - 1, .panes = kIconPanes,
     .key = Ctrl('2', On, Off), .menu = "mn5CopyIcoToClipperSub", .menuIndex = 1},
    {.proc = Proc::CutIconToSystemClipboard, .arg = 1, .span = kSizeChoiceCount - 1, .panes = kIconPanes,
     .key = Ctrl('2', On, On), .menu = "mn6CutIcoToClipperSub", .menuIndex = 1},
    {.proc = Proc::SaveAllIconsAsIco, .arg = 0, .span = kSizeChoiceCount, .panes = kIconPanes,
     .key = Alt(kVkF1, Off), .menu = "mn22SaveAllIcoAsIcoSub", .menuIndex = 0},
    {.proc = Proc::SaveAllIconsAsBmp, .arg = 0, .span = kSizeChoiceCount, .panes = kIconPanes,
     .key = Alt(kVkF1, On), .menu = "mn22SaveAllIcoAsBmpSub", .menuIndex = 0},
    {.proc = Proc::SelectIconsOfColors, .arg = 0, .span = 6, .panes = kIconPanes, .key = Alt('1'),
     .menu = "mn3SelectedIcoWithColorSub", .menuIndex = 0},
    {.proc = Proc::PreviousIconPage, .panes = kIconPanes, .key = Alt(kVkPageUp), .menu = "mn9LastGrpIcon"},
    {.proc = Proc::NextIconPage, .panes = kIconPanes, .key = Alt(kVkPageDown), .menu = "mn10NextGrpIcon"},
    {.proc = Proc::SaveIconsWithDefaults, .panes = kIconPanes, .key = Plain(kF3, Off), .menu = "mnSaveIcoUsedef"},
    {.proc = Proc::PopMenu, .arg = Arg(Pane::ListViewPict), .panes = P(Pane::ListViewPict),
     .key = Plain(kVkSpace, Off)},
    {.proc = Proc::PopMenu, .arg = Arg(Pane::ListViewPict), .panes = P(Pane::ListViewPict),
     .key = Plain(kVkEnter, Off)},
    {.proc = Proc::PopMenu, .arg = Arg(Pane::ListViewLIco), .panes = P(Pane::ListViewLIco),
     .key = Plain(kVkSpace, Off)},
    {.proc = Proc::PopMenu, .arg = Arg(Pane::ListViewLIco), .panes = P(Pane::ListViewLIco),
     .key = Plain(kVkEnter, Off)},

    // ----- icon clipboard -----
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::MoveSelectedIntoLibrary), .panes = P(kClip),
     .key = Ctrl('M'), .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::MoveSelectedIntoLibrary)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::MoveAllIntoLibrary), .panes = P(kClip),
     .key = Ctrl('T'), .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::MoveAllIntoLibrary)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::CopySelectedToFolder), .panes = P(kClip),
     .key = Ctrl('P'), .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::CopySelectedToFolder)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::CopyAllToFolder), .panes = P(kClip), .key = Ctrl('W'),
     .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::CopyAllToFolder)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::MoveSelectedToFolder), .panes = P(kClip),
     .key = Ctrl('Y'), .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::MoveSelectedToFolder)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::MoveAllToFolder), .panes = P(kClip), .key = Ctrl('G'),
     .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::MoveAllToFolder)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::DeleteAll), .panes = P(kClip), .key = Ctrl('R'),
     .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::DeleteAll)},
    // The clipboard's view items, with keys of their own.
    {.proc = Proc::ViewMode, .arg = Arg(ListViewMode::Report), .panes = P(kClip), .key = Ctrl('L'),
     .menu = kClipMenu, .menuIndex = ClipViewPlace(ListViewMode::Report)},
    {.proc = Proc::ViewMode, .arg = Arg(ListViewMode::List), .panes = P(kClip), .key = Ctrl('B'),
     .menu = kClipMenu, .menuIndex = ClipViewPlace(ListViewMode::List)},
    {.proc = Proc::ViewMode, .arg = Arg(ListViewMode::LargeIcons), .panes = P(kClip), .key = Ctrl('S'),
     .menu = kClipMenu, .menuIndex = ClipViewPlace(ListViewMode::LargeIcons)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::CopyToSystemClipboard), .panes = P(kClip),
     .key = Ctrl('C'), .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::CopyToSystemClipboard)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::CutToSystemClipboard), .panes = P(kClip),
     .key = Ctrl('X'), .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::CutToSystemClipboard)},
    // Ctrl+F refreshes the clipboard list, the item beside it in the menu.
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::Refresh), .panes = P(kClip), .key = Ctrl('F'),
     .menu = kClipMenu, .menuIndex = ClipPlace(ClipCommand::Refresh)},
    {.proc = Proc::RunClipboardCommand, .arg = Arg(ClipCommand::OpenInEditor), .panes = P(kClip), .menu = kClipMenu,
     .menuIndex = ClipPlace(ClipCommand::OpenInEditor)},
    {.proc = Proc::PopMenu, .arg = Arg(kClip), .panes = P(kClip), .key = Plain(kVkSpace)},
    {.proc = Proc::PopMenu, .arg = Arg(kClip), .panes = P(kClip), .key = Plain(kVkEnter)},

    // ----- web-site list -----
    {.proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::Open), .panes = P(kWeb), .key = Ctrl('I'),
     .menu = kWebMenu, .menuIndex = WebPlace(WebCommand::Open)},
    {.proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::Edit), .panes = P(kWeb), .key = Ctrl('E'),
     .menu = kWebMenu, .menuIndex = WebPlace(WebCommand::Edit)},
    {.proc = Proc::RunWebSiteCommand, .arg = Arg(WebCommand::Add), .panes = P(kWeb), .key = Ctrl('A'),
     .menu = kWebMenu, .menuIndex = WebPlace(WebCommand::Add)},
    {.proc = Proc::PopMenu, .arg = Arg(kWeb), .panes = P(kWeb), .key = Plain(kVkSpace)},
    {.proc = Proc::PopMenu, .arg = Arg(kWeb), .panes = P(kWeb), .key = Plain(kVkEnter)},

    // ----- menu-bar commands -----
    {.proc = Proc::OpenOptions, .menu = "mnOptSet"},
    {.proc = Proc::ChangeLanguage, .arg = 0, .span = 3, .menu = "mnchglangsub", .menuIndex = 0},
    {.proc = Proc::ShowHomePage, .menu = "mnHelpWebsite"},
    {.proc = Proc::ShowFriendLinks, .menu = "mnHelpFrdLink"},
    {.proc = Proc::ShowAbout, .menu = "mnHelpAbout"},
};

// The fixed layout of the buttons: hidden buttons and separators carry no command.
constexpr PerToolbarSlot<SlotKind> kSlots = {
    SlotKind::Separator,  // index 0 is unused
    SlotKind::Command, SlotKind::Command, SlotKind::Command, SlotKind::Hidden,       // 1-4
    SlotKind::Separator, SlotKind::Command, SlotKind::Command, SlotKind::Command,    // 5-8
    SlotKind::Hidden, SlotKind::Separator,                                           // 9-10
    SlotKind::Command, SlotKind::Command, SlotKind::Command, SlotKind::Command,      // 11-14
    SlotKind::Separator, SlotKind::Command, SlotKind::Command, SlotKind::Command,    // 15-18
    SlotKind::Hidden, SlotKind::Separator,                                           // 19-20
    SlotKind::Command, SlotKind::Command, SlotKind::Command, SlotKind::Hidden,       // 21-24
    SlotKind::Separator, SlotKind::Command, SlotKind::Command, SlotKind::Command,    // 25-28
    SlotKind::Command, SlotKind::Separator, SlotKind::Command, SlotKind::Command,    // 29-32
};

}  // namespace

std::span<const CommandRow> CommandRows() { return kRows; }

SlotKind ToolbarSlotKind(int index) {
  if (!IsToolbarSlot(index)) return SlotKind::Separator;
  return kSlots[static_cast<std::size_t>(index)];
}

int ToolbarTipRow(int index) {
  if (ToolbarSlotKind(index) != SlotKind::Command) return 0;
  for (const auto& r : kRows)
    if (r.command == index) return r.tipRow;
  return 0;
}

const CommandRow* FindToolbarRow(int command, Pane focus, Page page) {
  if (command <= 0) return nullptr;
  for (const auto& r : kRows)
    if (r.command == command && InSet(r.panes, focus) && (r.pages & PageBit(page)) != 0) return &r;
  return nullptr;
}

std::string MenuKeyHint(std::string_view menu, int index) {
  const MenuHit hit = FindMenuRow(menu, index);
  if (hit.row == nullptr) return {};
  const CommandRow* shown = nullptr;
  int vk = 0;
  for (const auto& r : kRows) {
    // Keys of another list run the same procedure there, not this item.
    if ((r.panes & hit.row->panes) == 0) continue;
    if (r.key.vk == 0 || r.proc != hit.row->proc || hit.arg < r.arg || hit.arg >= r.arg + r.span) continue;
    shown = &r;
    vk = r.key.vk + hit.arg - r.arg;
  }
  if (shown == nullptr) return {};
  std::string hint;
  if (shown->key.ctrl == Tri::On) hint += "Ctrl+";
  if (shown->key.alt == Tri::On) hint += "Alt+";
  if (shown->key.shift == Tri::On) hint += "Shift+";
  if (vk >= kVkF1 && vk < kVkF1 + 12) hint += "F" + std::to_string(vk - kVkF1 + 1);
  else if (vk == kVkDelete) hint += "Del";
  else if (vk == kVkPageUp) hint += "PgUp";
  else if (vk == kVkPageDown) hint += "PgDown";
  else if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9')) hint += static_cast<char>(vk);
  else return {};
  return hint;
}

MenuHit FindMenuRow(std::string_view menu, int index) {
  if (menu.empty()) return {};
  for (const auto& r : kRows) {
    if (r.menu != menu) continue;
    if (r.menuIndex < 0) {
      if (index < 0) return {&r, r.arg};
      continue;
    }
    if (index >= r.menuIndex && index < r.menuIndex + r.span) return {&r, r.arg + index - r.menuIndex};
  }
  return {};
}

}  // namespace glimmora
