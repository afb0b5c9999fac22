#pragma once
// What the main window's command logic changes on the window itself: focus, menus, toolbar,
// page frames, caption, pointer. The window implements it; tests record the calls.

#include <string>
#include <string_view>

#include "settings/Panes.h"

namespace glimmora {

struct ToolbarState;

struct ScreenPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const ScreenPoint&, const ScreenPoint&) = default;
};

class FrameView {
 public:
  virtual ~FrameView() = default;

  // Gives the keyboard focus to a pane of the shown page.
  virtual void FocusPane(Pane pane) = 0;

  // A menu of the menu table by its name: enabled state and visibility of the menu (or single
  // item) itself, without touching the state of the items inside it.
  virtual void SetMenuEnabled(std::string_view name, bool enabled) = 0;
  virtual void SetMenuVisible(std::string_view name, bool visible) = 0;
  // One element of a menu array.
  virtual void SetMenuItemEnabled(std::string_view name, int index, bool enabled) = 0;
  virtual void SetMenuItemVisible(std::string_view name, int index, bool visible) = 0;
  // Pops the named menu up at the pointer and returns when it has closed.
  virtual void ShowPopup(std::string_view menu) = 0;

  // The toolbar shows the given enabled and pressed states.
  virtual void ShowToolbar(const ToolbarState& state) = 0;

  // Shows the frame of one page and hides the other two.
  virtual void ShowPageFrame(Page page) = 0;
  virtual void SetWaitCursor(bool wait) = 0;
  virtual void Repaint() = 0;
  virtual void SetCaption(const std::string& caption) = 0;

  virtual ScreenPoint PointerPos() const = 0;
  // Best effort: some desktops do not let a program move the pointer.
  virtual void MovePointer(ScreenPoint pos) = 0;

  // Opens the options dialog (closing an open one first) for the save parameters of `list`.
  virtual void OpenOptionsDialog(Pane list) = 0;
};

}  // namespace glimmora
