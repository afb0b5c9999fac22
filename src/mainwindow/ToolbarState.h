#pragma once
// The toolbar's state: which of the 32 buttons are enabled, and which view button is pressed.

#include <array>
#include <optional>

#include "settings/Panes.h"

namespace glimmora {

struct ToolbarState {
  std::array<bool, 33> enabled{};  // by button index 1..32; index 0 unused
  std::optional<ListViewMode> pressedView;  // the view the user chose last; none before

  bool Enabled(int index) const { return index >= 1 && index <= 32 && enabled[index]; }
  void SetEnabled(int first, int last, bool on) {
    for (int i = first; i <= last; ++i)
      if (i >= 1 && i <= 32) enabled[i] = on;
  }
};

// The buttons a page switch turns on and off: the library page enables 1-23 and disables the
// web-site buttons 26-29; the source page the same without 3; the web-site page only 26-29.
// Buttons 24, 25 and 30-32 are left as they are.
void ApplyPageEnabling(ToolbarState& state, Page page);

// The display mode a view button stands for, and the button of a mode.
ListViewMode ViewModeOfButton(int button);
int ViewButtonOf(ListViewMode mode);

}  // namespace glimmora
