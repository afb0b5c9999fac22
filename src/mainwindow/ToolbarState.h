#pragma once
// The toolbar's state: which buttons are enabled, and which view button is pressed.

#include <optional>

#include "settings/Panes.h"
#include "shared/ToolbarSlots.h"

namespace glimmora {

struct ToolbarState {
  PerToolbarSlot<bool> enabled{};
  std::optional<ListViewMode> pressedView;  // the view the user chose last; none before

  bool Enabled(int index) const { return IsToolbarSlot(index) && enabled[static_cast<std::size_t>(index)]; }
  void SetEnabled(int first, int last, bool on) {
    for (int i = first; i <= last; ++i)
      if (IsToolbarSlot(i)) enabled[static_cast<std::size_t>(i)] = on;
  }
};

// The buttons a page switch turns on and off: the library page enables those from the tree's to
// the view buttons and disables the web-site buttons; the source page the same but for the new
// category button; the web-site page the other way round. The help group is left as it is.
void ApplyPageEnabling(ToolbarState& state, Page page);

// The display mode a view button stands for, and the button of a mode.
ListViewMode ViewModeOfButton(int button);
int ViewButtonOf(ListViewMode mode);

}  // namespace glimmora
