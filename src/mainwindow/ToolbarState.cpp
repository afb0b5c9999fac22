#include "mainwindow/ToolbarState.h"

namespace glimmora {

void ApplyPageEnabling(ToolbarState& state, Page page) {
  switch (page) {
    case Page::Library:
      state.SetEnabled(1, 23, true);
      state.SetEnabled(26, 29, false);
      break;
    case Page::Source:
      state.SetEnabled(1, 23, true);
      state.SetEnabled(3, 3, false);
      state.SetEnabled(26, 29, false);
      break;
    case Page::WebSite:
      state.SetEnabled(26, 29, true);
      state.SetEnabled(1, 23, false);
      break;
  }
}

ListViewMode ViewModeOfButton(int button) {
  switch (button) {
    case 22: return ListViewMode::List;
    case 23: return ListViewMode::LargeIcons;
    default: return ListViewMode::Report;
  }
}

std::optional<ListViewMode> PressedViewMode(const ToolbarState& state) {
  if (state.pressedView < 21 || state.pressedView > 23) return std::nullopt;
  return ViewModeOfButton(state.pressedView);
}

}  // namespace glimmora
