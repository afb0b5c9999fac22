#include "source/IconPaneStatus.h"

#include "text/LangRows.h"
#include "text/NumberText.h"
#include "shared/ToolbarSlots.h"

namespace glimmora {
namespace {

std::string Summary(int rowPrefix, int count, int rowWord, std::int64_t bytes, const LanguageTable& lang) {
  return lang.Row(rowPrefix) + VbStr(count) + " " + lang.Row(rowWord) + " (" + KbText(bytes) + " KB)";
}

}  // namespace

std::string KbText(std::int64_t bytes) {
  if (bytes < 0) bytes = 0;
  // Tenths of a KB, rounded half to even, in 64 bits so that any pane total fits.
  std::int64_t tenths = bytes * 10 / 1024;
  const std::int64_t twiceRest = (bytes * 10 % 1024) * 2;
  if (twiceRest > 1024 || (twiceRest == 1024 && tenths % 2 != 0)) ++tenths;
  const std::int64_t whole = tenths / 10;
  const std::int64_t frac = tenths % 10;
  if (frac == 0) return std::to_string(whole);
  return (whole == 0 ? std::string() : std::to_string(whole)) + "." + std::to_string(frac);
}

std::vector<std::pair<int, bool>> IconPaneStatus::ToolbarButtons() const {
  std::vector<std::pair<int, bool>> buttons{
      {kToolSaveAsIco, SaveSelected},      {kToolSaveAsBmp, SaveSelected},  {kToolSaveWithOptions, SaveDefault},
      {kToolCopyToIconClipboard, CopyToIconClipboard},                     {kToolDelete, Delete},
      {kToolSelectAll, SelectAll},         {kToolCancelSelection, CancelSelection},
      {kToolReportView, ViewButtons},      {kToolListView, ViewButtons},   {kToolLargeIconsView, ViewButtons}};
  for (int b : kToolsOffInIconLists) buttons.emplace_back(b, false);
  return buttons;
}

std::vector<std::pair<std::string, bool>> IconPaneStatus::MenuItems() const {
  return {{"PopIcoMenu", PopIcoMenu},
          {"mn1SaveSelectedIco", SaveSelected},
          {"mn3SelectedAllIco", SelectAll},
          {"mn4cancleselectedIco", CancelSelection},
          {"mn5CopyIcoToClipper", SystemClipboard},
          {"mn6CutIcoToClipper", SystemClipboard},
          {"mn8DeleteIco", Delete},
          {"mnCopyIcoToIcoClipper", CopyToIconClipboard},
          {"mnCutIcoToIcoClipper", CutToIconClipboard}};
}

IconPaneStatus ComputeIconPaneStatus(const std::vector<std::int64_t>& itemBytes,
                                     const std::vector<bool>& selected, const LanguageTable& lang) {
  IconPaneStatus s;
  s.ItemCount = static_cast<int>(itemBytes.size());
  std::int64_t total = 0;
  std::int64_t selectedTotal = 0;
  for (std::size_t i = 0; i < itemBytes.size(); ++i) {
    total += itemBytes[i];
    if (i < selected.size() && selected[i]) {
      selectedTotal += itemBytes[i];
      ++s.SelectedCount;
    }
  }
  const bool any = s.ItemCount > 0;
  s.PopIcoMenu = any;
  s.SaveDefault = any;
  s.SelectAll = any;
  if (any) {
    s.Panel2 = Summary(kRowPaneTotal, s.ItemCount, s.ItemCount == 1 ? kRowIconSingular : kRowPaneIcons, total, lang);
  }
  if (s.SelectedCount > 0) {
    s.Panel3 = Summary(kRowPaneSelected, s.SelectedCount, s.SelectedCount > 1 ? kRowSelectedIcons : kRowSelectedIcon,
                       selectedTotal, lang);
    s.SystemClipboard = s.SelectedCount == 1;
    s.SelectAll = s.SelectedCount == 1 || s.SelectedCount < s.ItemCount;
    s.SaveSelected = true;
    s.CancelSelection = true;
    s.Delete = true;
    s.CopyToIconClipboard = true;
    s.CutToIconClipboard = true;
    s.ViewButtons = true;
  } else {
    // Nothing selected: the commands for selected icons close, button 13 with them.
    s.SaveDefault = false;
    s.SelectAll = any;
  }
  return s;
}

std::string IconItemTooltip(bool reportView, const std::string& name, const std::string& sizeText,
                            const std::string& colourText, const LanguageTable& lang) {
  if (reportView || name.empty()) return lang.Row(kRowPaneTooltip);
  return KillSp(name) + " (" + KillSp(sizeText) + " - " + KillSp(colourText) + ")";
}

}  // namespace glimmora
