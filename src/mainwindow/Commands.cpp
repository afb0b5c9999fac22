#include "mainwindow/Commands.h"

#include "mainwindow/CommandMenus.h"
#include "text/LangRows.h"
#include "text/AsciiCase.h"
#include "shared/BusyGuard.h"
#include "shared/ToolbarSlots.h"

namespace glimmora {
namespace {

constexpr std::string_view kPopFileMenu = "PopFileMenu";
constexpr std::string_view kPopIcoMenu = "PopIcoMenu";
constexpr std::string_view kPopClipMenu = "PoPIcoClipBoardMenu";
constexpr std::string_view kOptSet = "mnOptSet";

// The place of a library-tree node: "category -> library" for a library node (its text carries
// the icon count in brackets), the whole text for any other node.
std::string LibraryPlace(const TreeNodeInfo& node) {
  const std::size_t cut = node.text.find(" (");
  if (cut == std::string::npos) return node.text;
  if (!node.hasParent) return {};
  return node.parentText + " -> " + node.text.substr(0, cut);
}

class DepthGuard {
 public:
  explicit DepthGuard(int& depth) : depth_(depth) { ++depth_; }
  ~DepthGuard() { --depth_; }
  DepthGuard(const DepthGuard&) = delete;
  DepthGuard& operator=(const DepthGuard&) = delete;

 private:
  int& depth_;
};

}  // namespace

std::string WindowCaption(const std::string& appTitle, Page page, const LanguageTable& lang,
                          const std::optional<TreeNodeInfo>& libraryNode,
                          const std::optional<std::string>& folderKey) {
  // No place yet (nothing chosen in the tree): no arrow pointing at nothing.
  const auto withPlace = [](std::string caption, const std::string& place) {
    return place.empty() ? caption : caption + " -> " + place;
  };
  switch (page) {
    case Page::Library:
      return withPlace(appTitle + " -> " + lang.Row(kRowLibrariesCaption),
                       libraryNode ? LibraryPlace(*libraryNode) : std::string());
    case Page::Source:
      return withPlace(appTitle + " -> " + lang.Row(kRowSourceFilesCaption), folderKey.value_or(std::string()));
    case Page::WebSite:
      return appTitle + " -> " + lang.Row(kRowWebSitesCaption) + " ";
  }
  return appTitle;
}

MainFrame::MainFrame(Pages& pages, FrameView& view, const LanguageTable& lang,
                     const std::string& appTitle, bool& treeViewSDirty)
    : treeViewSDirty_(treeViewSDirty),
      pages_(pages),
      view_(view),
      lang_(lang),
      appTitle_(appTitle) {}

// ----- current pane -----

void MainFrame::FocusUnless(bool getFocus, Pane pane) {
  if (!getFocus) view_.FocusPane(pane);
}

void MainFrame::GetObjGet(bool getFocus) {
  DepthGuard guard(objGetDepth_);
  model_.CurListView = Pane::None;
  const int code = model_.TabObj[static_cast<int>(page_)];
  const Pane pane = PaneOfCode(page_, code);
  auto setNames = [&](Pane p) { model_.FocusObj = model_.CurListView = p; };

  switch (pane) {
    case Pane::TreeViewL:
      setNames(pane);
      FocusUnless(getFocus, pane);
      view_.SetMenuEnabled(kPopClipMenu, false);
      view_.SetMenuEnabled(kPopIcoMenu, false);
      break;
    case Pane::ListViewLIco:
      setNames(pane);
      FocusUnless(getFocus, pane);
      pages_.SelectLibIco();
      view_.SetMenuEnabled(kPopClipMenu, false);
      view_.SetMenuEnabled(kPopIcoMenu, true);
      break;
    case Pane::ListViewIcoClipboard:
      setNames(pane);
      FocusUnless(getFocus, pane);
      pages_.SelectClipIco();
      view_.SetMenuEnabled(kPopClipMenu, true);
      view_.SetMenuEnabled(kPopIcoMenu, false);
      break;
    case Pane::ImageComboLRD:
      // The recent-library box is current but keeps the focus where it is and the menus as
      // they are.
      setNames(pane);
      break;
    case Pane::TreeViewS:
      setNames(pane);
      FocusUnless(getFocus, pane);
      view_.SetMenuEnabled(kPopFileMenu, false);
      view_.SetMenuEnabled(kPopIcoMenu, false);
      break;
    case Pane::ListViewFile:
      setNames(pane);
      FocusUnless(getFocus, pane);
      pages_.SelectIcoSourceIco();
      view_.SetMenuEnabled(kPopFileMenu, true);
      view_.SetMenuEnabled(kPopIcoMenu, false);
      break;
    case Pane::ListViewPict:
      setNames(pane);
      FocusUnless(getFocus, pane);
      pages_.SelectIco();
      view_.SetMenuEnabled(kPopFileMenu, false);
      view_.SetMenuEnabled(kPopIcoMenu, true);
      break;
    case Pane::ListViewWebSite:
    case Pane::TextWebSite:
      setNames(pane);
      FocusUnless(getFocus, pane);
      break;
    case Pane::None:
      setNames(Pane::None);
      // The web-site page has no commands to switch off.
      if (page_ != Page::WebSite) OtherObj();
      break;
  }
  view_.SetMenuEnabled(kOptSet, HasSaveParameters(model_.CurListView));
  Publish();
}

void MainFrame::OtherObj() {
  toolbar_.SetEnabled(kToolFirstPaneCommand, kToolLastPaneCommand, false);
  ShowToolbar();
  view_.SetMenuEnabled(kPopFileMenu, false);
  view_.SetMenuEnabled(kPopClipMenu, false);
  view_.SetMenuEnabled(kPopIcoMenu, false);
  view_.SetMenuEnabled(kOptSet, false);
}

void MainFrame::PaneGotFocus(Pane pane) {
  if (pane == Pane::None) return;
  const Page home = PageOfPane(pane);
  model_.TabObj[static_cast<int>(home)] = static_cast<std::uint8_t>(CodeOfPane(pane));
  // Switching pages, Qt hands the focus to a control of the new page before the tab strip's
  // click has run: it is remembered for its own page, and the click makes it current.
  if (home != page_) {
    Publish();
    return;
  }
  switch (pane) {
    case Pane::ListViewFile:
    case Pane::ListViewPict:
    case Pane::ListViewLIco:
    case Pane::ListViewIcoClipboard:
      model_.CurListView = pane;
      if (objGetDepth_ == 0) GetObjGet(true);
      break;
    case Pane::TreeViewS:
      model_.FocusObj = pane;
      if (objGetDepth_ == 0) GetObjGet(true);
      break;
    case Pane::TreeViewL:
      if (objGetDepth_ == 0) GetObjGet(true);
      break;
    case Pane::ImageComboLRD:
      OtherObj();
      model_.FocusObj = pane;
      break;
    default:
      break;
  }
  Publish();
}

void MainFrame::PaneLostFocus(Pane pane) {
  switch (pane) {
    case Pane::ListViewFile:
    case Pane::ListViewPict:
    case Pane::ListViewLIco:
    case Pane::ListViewIcoClipboard:
    case Pane::TreeViewL:
      model_.FocusObj = Pane::None;
      break;
    default:
      break;
  }
  Publish();
}

void MainFrame::InputBoxGotFocus(Page page) {
  model_.TabObj[static_cast<int>(page)] = 0;
  if (page == page_) OtherObj();
  Publish();
}

void MainFrame::ComboLKeywordLostFocus() {
  model_.FocusObj = Pane::None;
  Publish();
}

void MainFrame::TabStripGotFocus() {
  model_.FocusObj = Pane::None;
  Publish();
}

// ----- page switch -----

void MainFrame::ApplyViewToPage(Pane list) {
  if (toolbar_.pressedView) pages_.SetListViewMode(list, *toolbar_.pressedView);
}

void MainFrame::SwitchToPage(Page page) {
  page_ = page;
  SetToolBarEn("TabStrip1", 0);
  auto showMenus = [&] {
    for (std::string_view m : AllPageMenus()) {
      bool shown = false;
      for (std::string_view p : PageMenus(page)) shown = shown || p == m;
      view_.SetMenuVisible(m, shown);
    }
  };
  switch (page) {
    case Page::Library:
      view_.ShowPageFrame(page);
      showMenus();
      ApplyViewToPage(Pane::ListViewLIco);
      pages_.SelectLibIco();
      break;
    case Page::Source:
      view_.SetWaitCursor(true);
      view_.ShowPageFrame(page);
      if (treeViewSDirty_) {
        view_.Repaint();
        view_.SetWaitCursor(true);
        pages_.RefreshFolderTree();
        treeViewSDirty_ = false;
      }
      showMenus();
      ApplyViewToPage(Pane::ListViewPict);
      pages_.SelectIco();
      view_.SetWaitCursor(false);
      break;
    case Page::WebSite:
      view_.ShowPageFrame(page);
      showMenus();
      break;
  }
  SetMeCaption();
  GetObjGet(false);
  SetListViewType();
}

void MainFrame::SetMeCaption() {
  std::optional<TreeNodeInfo> node;
  std::optional<std::string> key;
  if (page_ == Page::Library) node = pages_.SelectedTreeViewLNode();
  if (page_ == Page::Source) key = pages_.SelectedTreeViewSKey();
  view_.SetCaption(WindowCaption(appTitle_, page_, lang_, node, key));
}

// ----- toolbar and commands -----

void MainFrame::ShowToolbar() { view_.ShowToolbar(toolbar_); }

void MainFrame::SetToolButtonEnabled(int index, bool enabled) {
  SetToolButtonsEnabled(index, index, enabled);
}

void MainFrame::SetToolButtonsEnabled(int first, int last, bool enabled) {
  toolbar_.SetEnabled(first, last, enabled);
  ShowToolbar();
}

void MainFrame::SetToolBarEn(std::string_view obj, int /*fileN*/) {
  if (obj != "TabStrip1") return;
  ApplyPageEnabling(toolbar_, page_);
  ShowToolbar();
}

void MainFrame::RunToolbarButton(int buttonIndex) {
  if (buttonIndex >= kToolReportView && buttonIndex <= kToolLargeIconsView) {
    ChooseView(ViewModeOfButton(buttonIndex));
    return;
  }
  GetObjGet(false);
  if (const CommandRow* row = FindToolbarRow(buttonIndex, model_.FocusObj, page_))
    Run(row->proc, row->arg);
}

// The view items of a menu: all of them enabled, then the one of the chosen view greyed.
void MainFrame::EnableViewItems(std::string_view menu, std::span<const MenuSlot> places) {
  for (std::size_t i = 0; i < places.size(); ++i)
    if (places[i].proc == Proc::ViewMode) view_.SetMenuItemEnabled(menu, static_cast<int>(i), true);
}

void MainFrame::GreyViewItem(std::string_view menu, std::span<const MenuSlot> places, ListViewMode mode) {
  view_.SetMenuItemEnabled(menu, MenuPlace(places, Proc::ViewMode, Arg(mode)), false);
}

void MainFrame::ChooseView(ListViewMode mode) {
  GetObjGet(false);
  toolbar_.pressedView = mode;
  ShowToolbar();
  if (page_ == Page::Source || (page_ == Page::Library && model_.FocusObj == Pane::ListViewLIco)) {
    EnableViewItems(kViewMenu, kViewMenuSlots);
    pages_.SetListViewMode(page_ == Page::Source ? Pane::ListViewPict : Pane::ListViewLIco, mode);
    GreyViewItem(kViewMenu, kViewMenuSlots, mode);
  } else if (page_ == Page::Library && model_.FocusObj == Pane::ListViewIcoClipboard) {
    EnableViewItems(kClipMenu, kClipMenuSlots);
    pages_.SetListViewMode(Pane::ListViewIcoClipboard, mode);
    GreyViewItem(kClipMenu, kClipMenuSlots, mode);
  }
}

void MainFrame::SetListViewType() {
  Pane list = Pane::None;
  std::string_view menu = kViewMenu;
  std::span<const MenuSlot> places = kViewMenuSlots;
  if (page_ == Page::Source) {
    list = Pane::ListViewPict;
  } else if (page_ == Page::Library && model_.CurListView == Pane::ListViewLIco) {
    list = Pane::ListViewLIco;
  } else if (page_ == Page::Library && model_.CurListView == Pane::ListViewIcoClipboard) {
    list = Pane::ListViewIcoClipboard;
    menu = kClipMenu;
    places = kClipMenuSlots;
  } else {
    return;
  }
  EnableViewItems(menu, places);
  if (toolbar_.pressedView) {
    pages_.SetListViewMode(list, *toolbar_.pressedView);
    GreyViewItem(menu, places, *toolbar_.pressedView);
  }
}

bool MainFrame::RunMenuItem(std::string_view menu, int index) {
  const MenuHit hit = FindMenuRow(menu, index);
  if (!hit.row) return false;
  Run(hit.row->proc, hit.arg);
  return true;
}

void MainFrame::OpenOptions() {
  GetObjGet(false);
  if (!HasSaveParameters(model_.CurListView)) return;
  view_.OpenOptionsDialog(model_.CurListView);
}

// The one place where a command number, key or menu item becomes a procedure call.
void MainFrame::Run(Proc proc, int arg) {
  Pages& p = pages_;
  switch (proc) {
    case Proc::None: break;
    case Proc::CollapseFolderTree: p.CollapseFolderTree(); break;
    case Proc::RefreshFolderTree: p.RefreshFolderTree(); break;
    case Proc::GotoCurrentFolder: p.GotoCurrentFolder(); break;
    case Proc::SaveFileIconsWithDefaults: p.SaveFileIconsWithDefaults(); break;
    case Proc::SaveCheckedFileIconsAsIco: p.SaveCheckedFileIconsAsIco(); break;
    case Proc::SaveCheckedFileIconsAsBmp: p.SaveCheckedFileIconsAsBmp(); break;
    case Proc::SaveAllFileIconsAsIco: p.SaveAllFileIconsAsIco(); break;
    case Proc::SaveAllFileIconsAsBmp: p.SaveAllFileIconsAsBmp(); break;
    case Proc::SaveFileIconsToIconClipboard: p.SaveFileIconsToIconClipboard(arg); break;
    case Proc::MoveFileIconsToIconClipboard: p.MoveFileIconsToIconClipboard(arg); break;
    case Proc::RemoveCheckedFiles: p.RemoveCheckedFiles(); break;
    case Proc::DeleteCheckedFiles: p.DeleteCheckedFiles(); break;
    case Proc::SelectAllFiles: p.SelectAllFiles(); break;
    case Proc::CancelFileSelection: p.CancelFileSelection(); break;
    case Proc::InvertFileTicks: p.InvertFileTicks(); break;
    case Proc::SaveSelectedIconsAsIco: p.SaveSelectedIconsAsIco(arg); break;
    case Proc::SaveSelectedIconsAsBmp: p.SaveSelectedIconsAsBmp(arg); break;
    case Proc::SaveAllIconsAsIco: p.SaveAllIconsAsIco(arg); break;
    case Proc::SaveAllIconsAsBmp: p.SaveAllIconsAsBmp(arg); break;
    case Proc::SaveIconsWithDefaults: p.SaveIconsWithDefaults(); break;
    case Proc::SelectAllIcons: p.SelectAllIcons(); break;
    case Proc::CancelIconSelection: p.CancelIconSelection(); PointerBack(); break;
    case Proc::SelectIconsOfSize: p.SelectIconsOfSize(arg); PointerBack(); break;
    case Proc::SelectIconsOfColors: p.SelectIconsOfColors(arg); PointerBack(); break;
    case Proc::CopyIconToSystemClipboard: p.CopyIconToSystemClipboard(arg); break;
    case Proc::CutIconToSystemClipboard: p.CutIconToSystemClipboard(arg); break;
    case Proc::PreviousIconPage: p.PreviousIconPage(); break;
    case Proc::NextIconPage: p.NextIconPage(); break;
    case Proc::DeleteSelectedIcons: p.DeleteSelectedIcons(); break;
    case Proc::CopyIconsToIconClipboard: p.CopyIconsToIconClipboard(arg); break;
    case Proc::CutIconsToIconClipboard: p.CutIconsToIconClipboard(arg); break;
    case Proc::RunLibraryTreeCommand: p.RunLibraryTreeCommand(static_cast<LibTreeCommand>(arg)); break;
    case Proc::RunClipboardCommand: p.RunClipboardCommand(static_cast<ClipCommand>(arg)); break;
    case Proc::RunWebSiteCommand: p.RunWebSiteCommand(static_cast<WebCommand>(arg)); break;
    case Proc::ViewMode:
      // The clipboard's view items and keys are its commands, which wait out a library change
      // (the toolbar's view buttons never did).
      if (model_.CurListView == Pane::ListViewIcoClipboard && pages_.LibraryBusy()) break;
      ChooseView(static_cast<ListViewMode>(arg));
      break;
    case Proc::PopMenu: PopMenu(static_cast<Pane>(arg)); break;
    case Proc::OpenOptions: OpenOptions(); break;
    case Proc::ShowHelpContents: p.ShowHelpContents(); break;
    case Proc::ShowHomePage: p.ShowHomePage(); break;
    case Proc::ShowFriendLinks: p.ShowFriendLinks(); break;
    case Proc::ShowAbout: p.ShowAbout(); break;
    case Proc::ChangeLanguage: p.ChangeLanguage(arg); break;
    case Proc::OpenSupportMail: p.OpenSupportMail(); break;
  }
}

// ----- keyboard -----

bool MainFrame::DispatchKey(int vk, KeyMods mods) {
  if (keyBusy_ || IsModifierKey(vk)) return false;
  BusyGuard busy(keyBusy_);
  GetObjGet(false);
  const KeyHit hit = MatchKey(model_.FocusObj, vk, mods);
  if (!hit.row) return false;
  Run(hit.row->proc, hit.arg);
  return true;
}

// ----- popup menus -----

void MainFrame::PopMenu(Pane pane) {
  cursorPos_ = view_.PointerPos();
  ListCounts counts;
  counts.file = pages_.ListItemCount(Pane::ListViewFile);
  counts.pict = pages_.ListItemCount(Pane::ListViewPict);
  counts.clipboard = pages_.ListItemCount(Pane::ListViewIcoClipboard);
  counts.libIco = pages_.ListItemCount(Pane::ListViewLIco);
  counts.webSite = pages_.ListItemCount(Pane::ListViewWebSite);
  const std::string_view menu = PopupMenuFor(pane, counts);
  if (!menu.empty()) view_.ShowPopup(menu);
}

void MainFrame::PopMenuFromMouse(Pane pane) {
  if (pane == Pane::ListViewPict || pane == Pane::ListViewLIco) {
    SetIcoMnVisible(false);
    PopMenu(pane);
    SetIcoMnVisible(true);
  } else if (pane == Pane::ListViewIcoClipboard) {
    SetClipMnVisible(false);
    PopMenu(pane);
    SetClipMnVisible(true);
  } else {
    PopMenu(pane);
  }
}

void MainFrame::SetPopMenu() {
  for (std::string_view item : StartupDisabledItems()) view_.SetMenuEnabled(item, false);
}

void MainFrame::SetClipMnVisible(bool visible) {
  for (std::size_t i = 0; i < std::size(kClipMenuSlots); ++i)
    if (kClipMenuSlots[i].hiddenUnderMouse) view_.SetMenuItemVisible(kClipMenu, static_cast<int>(i), visible);
}

void MainFrame::SetIcoMnVisible(bool visible) {
  for (std::string_view item : IcoMenuMouseHiddenItems()) view_.SetMenuVisible(item, visible);
}

void MainFrame::SetMMouse() { view_.MovePointer(cursorPos_); }

// The selection commands of the icon lists end with the pointer where it was last seen over the
// window (a menu chosen with the mouse leaves it on the menu). Where the desktop refuses to move
// the pointer nothing happens, and nothing after this depends on where the pointer is.
void MainFrame::PointerBack() {
  if (page_ != Page::WebSite) SetMMouse();
}

// Inverts without moving the pointer: the selection summary is refreshed once at the end.
void MainFrame::AntiSelect(Pane list) {
  switch (list) {
    case Pane::ListViewFile:
      pages_.InvertSelection(list);
      pages_.SelectIcoSourceIco();
      break;
    case Pane::ListViewPict:
      pages_.InvertSelection(list);
      pages_.SelectIco();
      break;
    case Pane::ListViewLIco:
      pages_.InvertSelection(list);
      pages_.SelectLibIco();
      break;
    default:
      break;
  }
}

}  // namespace glimmora
