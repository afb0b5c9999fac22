#include "library/LibraryLayout.h"

namespace glimmora {
namespace {

// The clipboard columns and most library columns are fractions of one fixed width, so both lists
// scroll sideways rather than squeezing their columns into the pane.
constexpr double kBase = 2970;

constexpr ColumnDef kClipboard[] = {
    {"ID", 164, "", kBase / 4},          {"Size", 165, "", kBase / 3},
    {"Color", 166, "", kBase / 2.2},     {"Bytes", 167, "", kBase / 3},
    {"Filename", 168, "   ", kBase / 1.2}, {"Source", 169, "", 5940},
};

constexpr ColumnDef kLibIco[] = {
    {"ID", 170, "", kBase / 1.3},          {"Type/Keyword", 171, "", kBase / 1.2},
    {"Size", 172, "", kBase / 3},          {"Color", 173, "", kBase / 2.2},
    {"Bytes", 174, "", kBase / 3},         {"AuthorName", 450, "", 2000},
    {"AuthorEmail", 451, "", 2200},        {"AuthorHomepage", 452, "", 3500},
    {"Note", 175, "", 8000 * 1.5},
};

}  // namespace

int AcceptTreeLWidth(std::int16_t saved, int pageWidth) {
  if (saved > kSplitLeftMin && saved < pageWidth - kSplitRightKeep) return saved;
  return 2550;
}

int AcceptTreeLHeight(std::int16_t saved, int pageHeight) {
  if (saved > kSplitTopMin && saved < pageHeight - kSplitBottomKeep) return saved;
  return static_cast<int>(pageHeight * 3.3 / 5);
}

std::span<const ColumnDef> ClipboardColumns() { return kClipboard; }
std::span<const ColumnDef> LibIcoColumns() { return kLibIco; }

std::string ColumnHeading(const ColumnDef& column, const LanguageTable& lang) {
  return std::string(column.prefix) + lang.Row(column.row);
}

std::string TabCaption(int tab, const LanguageTable& lang) {
  if (tab < 1 || tab > 3) return {};
  return "  " + lang.Row(160 + tab) + "  ";
}

std::string StatusPanelKey(int panel) { return "Statusico " + std::to_string(panel); }

std::span<const ControlCaption> ControlCaptions() {
  static constexpr ControlCaption kCaptions[] = {
      {"LabelSearchKeyword", -1, false, 263}, {"LabelSelIcoKeyword", -1, false, 264},
      {"CommandSearchKeyword", -1, false, 265}, {"CommandSaveKeyword", -1, false, 266},
      {"PictureGrp", 0, true, 267},           {"PictureGrp", 1, true, 268},
      {"PictureGrp1", 0, true, 267},          {"PictureGrp1", 1, true, 268},
  };
  return kCaptions;
}

}  // namespace glimmora
