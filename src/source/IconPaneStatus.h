#pragma once
// The icon pane's status texts and which icon commands are open, worked out afresh from the
// pane's items and selection after every change.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "text/LanguageTable.h"

namespace glimmora {

// bytes / 1024 to the nearest tenth (a half tenth to the even tenth), without a leading blank, a
// leading zero or a trailing ".0": 1536 -> "1.5", 1024 -> "1", 512 -> ".5".
std::string KbText(std::int64_t bytes);

struct IconPaneStatus {
  std::string Panel2;  // the whole pane
  std::string Panel3;  // the selection
  int ItemCount = 0;
  int SelectedCount = 0;

  bool PopIcoMenu = false;          // the icon menu as a whole
  bool SaveDefault = false;         // button 13
  bool SelectAll = false;           // mn3SelectedAllIco, button 17
  bool CancelSelection = false;     // mn4cancleselectedIco, button 18
  bool SaveSelected = false;        // mn1SaveSelectedIco, buttons 11 and 12
  bool Delete = false;              // mn8DeleteIco, button 16
  bool CopyToIconClipboard = false; // mnCopyIcoToIcoClipper, button 14
  bool CutToIconClipboard = false;  // mnCutIcoToIcoClipper
  bool SystemClipboard = false;     // mn5CopyIcoToClipper, mn6CutIcoToClipper
  bool ViewButtons = false;         // buttons 21 to 23

  // The toolbar buttons this status decides (buttons 6 to 9 and 26 to 28 are always off here).
  std::vector<std::pair<int, bool>> ToolbarButtons() const;
  // The menu items this status decides, by their menu names.
  std::vector<std::pair<std::string, bool>> MenuItems() const;

  bool operator==(const IconPaneStatus&) const = default;
};

// `itemBytes` holds each item's size as a one-image icon file, `selected` whether it is selected
// (the same length).
IconPaneStatus ComputeIconPaneStatus(const std::vector<std::int64_t>& itemBytes,
                                     const std::vector<bool>& selected, const LanguageTable& lang);

// The pane's tool tip for one item: kRowPaneTooltip in report view, else the item's name with its size and
// colour texts ("a.dll_3.ico (32 x 32 - 16 colors)").
std::string IconItemTooltip(bool reportView, const std::string& name, const std::string& sizeText,
                            const std::string& colourText, const LanguageTable& lang);

}  // namespace glimmora
