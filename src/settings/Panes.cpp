#include "settings/Panes.h"

namespace glimmora {
namespace {

struct PaneInfo {
  Pane pane;
  std::string_view name;
  Page page;
  int code;
};

constexpr PaneInfo kPanes[] = {
    {Pane::TreeViewL, "TreeViewL", Page::Library, 1},
    {Pane::ListViewLIco, "ListViewLIco", Page::Library, 2},
    {Pane::ListViewIcoClipboard, "ListViewIcoClipboard", Page::Library, 3},
    {Pane::ImageComboLRD, "ImageComboLRD", Page::Library, 4},
    {Pane::TreeViewS, "TreeViewS", Page::Source, 1},
    {Pane::ListViewFile, "ListViewFile", Page::Source, 2},
    {Pane::ListViewPict, "ListViewPict", Page::Source, 3},
    {Pane::ListViewWebSite, "ListViewWebSite", Page::WebSite, 1},
    {Pane::TextWebSite, "TextWebSite", Page::WebSite, 2},
};

const PaneInfo* Info(Pane pane) {
  for (const auto& p : kPanes)
    if (p.pane == pane) return &p;
  return nullptr;
}

}  // namespace

std::string_view PaneName(Pane pane) {
  const PaneInfo* p = Info(pane);
  return p ? p->name : std::string_view{};
}

Pane PaneFromName(std::string_view name) {
  for (const auto& p : kPanes)
    if (p.name == name) return p.pane;
  return Pane::None;
}

Pane PaneOfCode(Page page, int code) {
  for (const auto& p : kPanes)
    if (p.page == page && p.code == code) return p.pane;
  return Pane::None;
}

int CodeOfPane(Pane pane) {
  const PaneInfo* p = Info(pane);
  return p ? p->code : 0;
}

Page PageOfPane(Pane pane) {
  const PaneInfo* p = Info(pane);
  return p ? p->page : Page::Library;
}

bool HasSaveParameters(Pane pane) {
  return pane == Pane::ListViewLIco || pane == Pane::ListViewPict || pane == Pane::ListViewFile ||
         pane == Pane::ListViewIcoClipboard;
}

}  // namespace glimmora
