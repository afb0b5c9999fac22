#pragma once
// The panes of the main window's three pages, and which of them is current.
//
// Every command acts on "the current pane": the selected page together with the control of that
// page that was active last. Each page remembers its last active control as a small code in
// `TabObj`; `FocusObj` and `CurListView` name the pane the commands work on.

#include <array>
#include <cstdint>
#include <string_view>

namespace glimmora {

enum class Page : std::uint8_t { Library = 1, Source = 2, WebSite = 3 };

// Control names are the names commands and stored settings use; None is the empty name.
enum class Pane : std::uint8_t {
  None = 0,
  TreeViewL,
  ListViewLIco,
  ListViewIcoClipboard,
  ImageComboLRD,
  TreeViewS,
  ListViewFile,
  ListViewPict,
  ListViewWebSite,
  TextWebSite,
};

// "TreeViewL", "ListViewFile", ...; "" for Pane::None.
std::string_view PaneName(Pane pane);
// The pane of a control name; Pane::None for any other text.
Pane PaneFromName(std::string_view name);

// The pane a page's code stands for (codes 1..4 on the library page, 1..3 on the source page,
// 1..2 on the web-site page); Pane::None for code 0 and any code the page does not have.
Pane PaneOfCode(Page page, int code);
// The code of a pane on its own page (0 for Pane::None).
int CodeOfPane(Pane pane);
// The page a pane lives on (Library for Pane::None).
Page PageOfPane(Pane pane);

// A set of panes, for the rows of the command table; None is a member like any other pane, so
// "any pane" includes having no current pane at all.
using PaneSet = std::uint16_t;
constexpr PaneSet PaneBit(Pane p) { return static_cast<PaneSet>(1u << static_cast<unsigned>(p)); }
constexpr PaneSet kAnyPane = 0x03FF;
constexpr PaneSet kIconPanes = PaneBit(Pane::ListViewPict) | PaneBit(Pane::ListViewLIco);
constexpr bool InSet(PaneSet set, Pane p) { return (set & PaneBit(p)) != 0; }

using PageSet = std::uint8_t;
constexpr PageSet PageBit(Page p) { return static_cast<PageSet>(1u << static_cast<unsigned>(p)); }
constexpr PageSet kAnyPage = PageBit(Page::Library) | PageBit(Page::Source) | PageBit(Page::WebSite);

// True for the four lists that have save parameters (and so an options dialog).
bool HasSaveParameters(Pane pane);

// Display modes of an icon list; the numbers are the list's stored `View` values.
enum class ListViewMode : std::uint8_t { LargeIcons = 0, List = 2, Report = 3 };

// The model itself: one remembered code per page, the focused pane and the current list.
struct PaneModel {
  std::array<std::uint8_t, 4> TabObj{};  // index 1..3 = page; 0 unused
  Pane FocusObj = Pane::None;
  Pane CurListView = Pane::None;
};

}  // namespace glimmora
