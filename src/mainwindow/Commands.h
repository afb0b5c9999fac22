#pragma once
// The command logic of the main window, free of any widget: the current pane and the page
// switch, the toolbar dispatcher, the keyboard dispatcher and the popup menus. It reads and
// changes the window through FrameView and runs the page procedures through Pages; every command
// it runs comes from the command table.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "text/LanguageTable.h"
#include "mainwindow/CommandTable.h"
#include "mainwindow/FrameView.h"
#include "mainwindow/KeyDispatch.h"
#include "mainwindow/Pages.h"
#include "settings/Panes.h"
#include "mainwindow/PopupMenus.h"
#include "mainwindow/ToolbarState.h"

namespace glimmora {

struct MenuSlot;

// The window caption: title, page word and, on the two first pages, the place shown.
// `libraryNode` / `folderKey` are the selected nodes of the two trees (nothing when none).
std::string WindowCaption(const std::string& appTitle, Page page, const LanguageTable& lang,
                          const std::optional<TreeNodeInfo>& libraryNode,
                          const std::optional<std::string>& folderKey);

class MainFrame {
 public:
  // `treeViewSDirty` is the shared mark that the folder tree must be rebuilt when the source page
  // is next shown; the page switch reads and clears it.
  MainFrame(Pages& pages, FrameView& view, const LanguageTable& lang, const std::string& appTitle,
            bool& treeViewSDirty);

  // Called whenever the current-pane model may have changed, so that the shared state the pages
  // read (TabObj, FocusObj, CurListView) can follow it.
  void OnModelChanged(std::function<void(const PaneModel&)> observer) {
    observer_ = std::move(observer);
  }

  const PaneModel& Model() const { return model_; }
  Pane FocusObj() const { return model_.FocusObj; }
  Pane CurListView() const { return model_.CurListView; }
  const ToolbarState& Toolbar() const { return toolbar_; }
  bool KeyBusy() const { return keyBusy_; }
  ScreenPoint CursorPos() const { return cursorPos_; }

  // ----- current pane and page switch -----
  void GetObjGet(bool getFocus);
  void OtherObj();
  // The tab strip selected `page` (also run once when the library page is built).
  void SwitchToPage(Page page);
  void SetMeCaption();

  // Focus handlers of the panes and boxes, which keep the current-pane model.
  void PaneGotFocus(Pane pane);
  void PaneLostFocus(Pane pane);
  // ImageComboPath (source page), TextSelIcoKeyword or ComboLKeyword (library page) took the
  // focus: no pane of that page is current.
  void InputBoxGotFocus(Page page);
  void ComboLKeywordLostFocus();
  void TabStripGotFocus();

  // ----- toolbar and commands -----
  // A toolbar button was clicked: its command for the current pane and page.
  void RunToolbarButton(int buttonIndex);
  // A view button or view item: the current icon list shows `mode`, and the toolbar and the list's
  // menu say so.
  void ChooseView(ListViewMode mode);
  void SetToolBarEn(std::string_view obj, int fileN);
  void SetListViewType();
  void SetToolButtonEnabled(int index, bool enabled);
  void SetToolButtonsEnabled(int first, int last, bool enabled);
  // A menu item was chosen (by its menu-table name and array index); false when it has no command.
  bool RunMenuItem(std::string_view menu, int index = -1);
  // The options dialog for the current list, when it has save parameters.
  void OpenOptions();

  // ----- keyboard -----
  // One key press with the modifiers of that key event. Returns true when a command row matched
  // (the key is then consumed). A key that comes while an earlier key's command still runs is
  // dropped.
  bool DispatchKey(int vk, KeyMods mods);

  // ----- popup menus and list helpers -----
  void PopMenu(Pane pane);
  // A popup opened with the mouse: the icon and clipboard menus leave some items out.
  void PopMenuFromMouse(Pane pane);
  void SetPopMenu();
  void SetClipMnVisible(bool visible);
  void SetIcoMnVisible(bool visible);
  void SetMMouse();
  // The pointer moved over the main window to this screen position.
  void RecordCursorPos(ScreenPoint pos) { cursorPos_ = pos; }
  void AntiSelect(Pane list);

 private:
  void Run(Proc proc, int arg);
  void PointerBack();
  void FocusUnless(bool getFocus, Pane pane);
  void ApplyViewToPage(Pane list);
  void EnableViewItems(std::string_view menu, std::span<const MenuSlot> places);
  void GreyViewItem(std::string_view menu, std::span<const MenuSlot> places, ListViewMode mode);
  void ShowToolbar();
  void Publish() {
    if (observer_) observer_(model_);
  }

  bool& treeViewSDirty_;
  Pages& pages_;
  FrameView& view_;
  const LanguageTable& lang_;
  const std::string& appTitle_;

  PaneModel model_;
  Page page_ = Page::Library;
  ToolbarState toolbar_;
  ScreenPoint cursorPos_;
  bool keyBusy_ = false;
  int objGetDepth_ = 0;
  std::function<void(const PaneModel&)> observer_;  // inside GetObjGet: focus moves it makes must not run it again
};

}  // namespace glimmora
