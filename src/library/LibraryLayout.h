#pragma once
// The library page's layout rules that outlive the widgets: which stored pane sizes are taken,
// the splitter limits, the list columns, the tab captions and the status panels. Lengths are
// twips (15 to a pixel) as the configuration file stores them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "text/LanguageTable.h"
#include "settings/PaneTwips.h"

namespace glimmora {

// The stored library-tree width and height, taken only inside their ranges (W and H are the
// page's width and height); anything else, a new file's zeros included, gives the default.
int AcceptTreeLWidth(std::int16_t saved, int pageWidth);
int AcceptTreeLHeight(std::int16_t saved, int pageHeight);

// Height of the recent-library box under the tree, and the splitter bands.
constexpr int kRecentBoxHeight = 285;
// Splitter limits: the vertical splitter's left edge stays within 150 .. W - 1200, the horizontal
// splitter's top within 450 .. H - 1050.
constexpr int kSplitLeftMin = 150;
constexpr int kSplitRightKeep = 1200;
constexpr int kSplitTopMin = 450;
constexpr int kSplitBottomKeep = 1050;

struct ColumnDef {
  std::string_view key;
  int row;                     // heading row of the language table
  std::string_view prefix;     // put before the heading text
  double widthTwips;
};

std::span<const ColumnDef> ClipboardColumns();  // ListViewIcoClipboard
std::span<const ColumnDef> LibIcoColumns();     // ListViewLIco
std::string ColumnHeading(const ColumnDef& column, const LanguageTable& lang);

// Caption of tab 1..3 of the tab strip: the page's row with two blanks on each side.
std::string TabCaption(int tab, const LanguageTable& lang);

// Key of status panel 1..3 of the library page.
std::string StatusPanelKey(int panel);

// The other captions the language table gives the main window at start-up: labels and buttons of
// the library page and the tooltips of its paging pictures. The page that builds the control
// takes its caption from here.
struct ControlCaption {
  std::string_view control;
  int index = -1;        // index in a control array; -1 for a single control
  bool tooltip = false;  // true: the row is the tooltip, not the caption
  int row = 0;
};

std::span<const ControlCaption> ControlCaptions();

}  // namespace glimmora
