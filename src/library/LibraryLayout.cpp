#include "library/LibraryLayout.h"

#include "text/LangRows.h"

namespace glimmora {
namespace {

// The clipboard columns and most library columns are fractions of one fixed width, so both lists
// scroll sideways rather than squeezing their columns into the pane.
constexpr double kBase = 2970;

constexpr ColumnDef kClipboard[] = {
    {"ID", kRowClipColumnNumber, "", kBase / 4},
    {"Size", kRowClipColumnSize, "", kBase / 3},
    {"Color", kRowClipColumnColor, "", kBase / 2.2},
    {"Bytes", kRowClipColumnBytes, "", kBase / 3},
    {"Filename", kRowClipColumnFileName, "   ", kBase / 1.2},
    {"Source", kRowClipColumnSource, "", 5940},
};

constexpr ColumnDef kLibIco[] = {
    {"ID", kRowLibColumnNumber, "", kBase / 1.3},        {"Type/Keyword", kRowLibColumnLibraryKeyword, "", kBase / 1.2},
    {"Size", kRowLibColumnSize, "", kBase / 3},          {"Color", kRowLibColumnColor, "", kBase / 2.2},
    {"Bytes", kRowLibColumnBytes, "", kBase / 3},        {"AuthorName", kRowLibColumnAuthor, "", 2000},
    {"AuthorEmail", kRowLibColumnAuthorEmail, "", 2200}, {"AuthorHomepage", kRowLibColumnAuthorHomePage, "", 3500},
    {"Note", kRowLibColumnNote, "", 8000 * 1.5},
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
  return "  " + lang.Row(kRowLibrariesTab - 1 + tab) + "  ";
}

std::string StatusPanelKey(int panel) { return "Statusico " + std::to_string(panel); }

std::span<const ControlCaption> ControlCaptions() {
  static constexpr ControlCaption kCaptions[] = {
      {"LabelSearchKeyword", -1, false, kRowSearchLabel},    {"LabelSelIcoKeyword", -1, false, kRowKeywordLabel},
      {"CommandSearchKeyword", -1, false, kRowSearchButton}, {"CommandSaveKeyword", -1, false, kRowSaveKeywordButton},
      {"PictureGrp", 0, true, kRowPreviousPageButton},       {"PictureGrp", 1, true, kRowNextPageButton},
      {"PictureGrp1", 0, true, kRowPreviousPageButton},      {"PictureGrp1", 1, true, kRowNextPageButton},
  };
  return kCaptions;
}

}  // namespace glimmora
