#include "mainwindow/PopupMenus.h"

#include "common/AsciiCase.h"

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

constexpr int kClipMouseHidden[] = {3, 4, 5, 6, 7, 8, 18, 19, 20};

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

std::string_view PopupMenuFor(std::string_view paneName, const ListCounts& c) {
  const std::string n = AsciiUpper(paneName);
  const auto is = [&n](PopupPane pane) { return n == AsciiUpper(PopupPaneName(pane)); };
  if (is(PopupPane::File) && c.file > 0) return "PopFileMenu";
  if (is(PopupPane::Ico) && c.pict > 0) return "PopIcoMenu";
  if (is(PopupPane::TreeViewS)) return "PopTreeViewSMenu";
  if (is(PopupPane::TreeViewL)) return "PopTreeViewLMenu";
  if (is(PopupPane::ClipBoard) && c.clipboard > 0) return "PoPIcoClipBoardMenu";
  if (is(PopupPane::LibIco) && c.libIco > 0) return "PopIcoMenu";
  if (is(PopupPane::WebSite) && c.webSite > 0) return "PopWebMenu";
  return {};
}

std::span<const std::string_view> StartupDisabledItems() { return kStartupDisabled; }
std::span<const std::string_view> IcoMenuMouseHiddenItems() { return kIcoMouseHidden; }
std::span<const int> ClipMenuMouseHiddenIndexes() { return kClipMouseHidden; }


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
