#include "mainwindow/ToolbarState.h"
#include "shared/ToolbarSlots.h"

namespace glimmora {

void ApplyPageEnabling(ToolbarState& state, Page page) {
  switch (page) {
    case Page::Library:
      state.SetEnabled(kToolCollapseTree, kToolLargeIconsView, true);
      state.SetEnabled(kToolOpenWebSite, kToolDeleteTickedWebSites, false);
      break;
    case Page::Source:
      state.SetEnabled(kToolCollapseTree, kToolLargeIconsView, true);
      state.SetEnabled(kToolNewCategory, kToolNewCategory, false);
      state.SetEnabled(kToolOpenWebSite, kToolDeleteTickedWebSites, false);
      break;
    case Page::WebSite:
      state.SetEnabled(kToolOpenWebSite, kToolDeleteTickedWebSites, true);
      state.SetEnabled(kToolCollapseTree, kToolLargeIconsView, false);
      break;
  }
}

ListViewMode ViewModeOfButton(int button) {
  switch (button) {
    case kToolListView: return ListViewMode::List;
    case kToolLargeIconsView: return ListViewMode::LargeIcons;
    default: return ListViewMode::Report;
  }
}

int ViewButtonOf(ListViewMode mode) {
  switch (mode) {
    case ListViewMode::List: return kToolListView;
    case ListViewMode::LargeIcons: return kToolLargeIconsView;
    case ListViewMode::Report: break;
  }
  return kToolReportView;
}

}  // namespace glimmora
