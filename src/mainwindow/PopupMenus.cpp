#include "mainwindow/PopupMenus.h"


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

std::string_view PopupMenuFor(Pane pane, const ListCounts& c) {
  switch (pane) {
    case Pane::ListViewFile: return c.file > 0 ? "PopFileMenu" : "";
    case Pane::ListViewPict: return c.pict > 0 ? "PopIcoMenu" : "";
    case Pane::TreeViewS: return "PopTreeViewSMenu";
    case Pane::TreeViewL: return "PopTreeViewLMenu";
    case Pane::ListViewIcoClipboard: return c.clipboard > 0 ? "PoPIcoClipBoardMenu" : "";
    case Pane::ListViewLIco: return c.libIco > 0 ? "PopIcoMenu" : "";
    case Pane::ListViewWebSite: return c.webSite > 0 ? "PopWebMenu" : "";
    default: return {};
  }
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
