#include "mainwindow/PopupMenus.h"

#include "text/AsciiCase.h"

namespace glimmora {
namespace {

constexpr std::string_view kStartupDisabled[] = {
    "mn1SaveIcoOfSelectedFile", "mn4cancleselectedFile", "mn5DelSelectedFile",
    "mn5CopyIcoToClipper",      "mn6CutIcoToClipper",    "mn1SaveSelectedIco",
    "mn4cancleselectedIco",     "mn8DeleteIco",          "mn10NextGrpIcon",
    "mn9LastGrpIcon"};

constexpr std::string_view kIcoMouseHidden[] = {"mn3SelectedIcoWithHW", "mn3SelectedIcoWithColor",
                                                 "mnCutIcoToIcoClipper", "mn5CopyIcoToClipper",
                                                 "mn6CutIcoToClipper",   "mnbreak21"};

constexpr std::string_view kLibraryMenus[] = {"PopIcoMenu", "PopTreeViewLMenu",
                                              "PoPIcoClipBoardMenu"};
constexpr std::string_view kSourceMenus[] = {"PopFileMenu", "PopIcoMenu", "PopTreeViewSMenu"};
constexpr std::string_view kWebMenus[] = {"PopWebMenu"};
constexpr std::string_view kAllPageMenus[] = {"PopTreeViewSMenu", "PopTreeViewLMenu",
                                              "PopFileMenu",      "PopIcoMenu",
                                              "PoPIcoClipBoardMenu", "PopWebMenu"};

}  // namespace

std::string_view PopupPaneName(PopupPane pane) {
  switch (pane) {
    case PopupPane::File: return "File";
    case PopupPane::Ico: return "Ico";
    case PopupPane::TreeViewS: return "TreeViewS";
    case PopupPane::TreeViewL: return "TreeViewL";
    case PopupPane::ClipBoard: return "ClipBoard";
    case PopupPane::LibIco: return "LibIco";
    case PopupPane::WebSite: return "WebSite";
  }
  return {};
}

std::optional<PopupPane> PopupPaneOf(std::string_view name) {
  for (int p = 0; p <= static_cast<int>(PopupPane::WebSite); ++p)
    if (EqualsIgnoringCase(name, PopupPaneName(static_cast<PopupPane>(p)))) return static_cast<PopupPane>(p);
  return std::nullopt;
}

std::string_view PopupMenuFor(PopupPane pane, const ListCounts& c) {
  switch (pane) {
    case PopupPane::File: return c.file > 0 ? "PopFileMenu" : "";
    case PopupPane::Ico: return c.pict > 0 ? "PopIcoMenu" : "";
    case PopupPane::TreeViewS: return "PopTreeViewSMenu";
    case PopupPane::TreeViewL: return "PopTreeViewLMenu";
    case PopupPane::ClipBoard: return c.clipboard > 0 ? "PoPIcoClipBoardMenu" : "";
    case PopupPane::LibIco: return c.libIco > 0 ? "PopIcoMenu" : "";
    case PopupPane::WebSite: return c.webSite > 0 ? "PopWebMenu" : "";
  }
  return {};
}

std::span<const std::string_view> StartupDisabledItems() { return kStartupDisabled; }
std::span<const std::string_view> IcoMenuMouseHiddenItems() { return kIcoMouseHidden; }


std::span<const std::string_view> PageMenus(Page page) {
  switch (page) {
    case Page::Library: return kLibraryMenus;
    case Page::Source: return kSourceMenus;
    case Page::WebSite: return kWebMenus;
  }
  return {};
}

std::span<const std::string_view> AllPageMenus() { return kAllPageMenus; }

}  // namespace glimmora
