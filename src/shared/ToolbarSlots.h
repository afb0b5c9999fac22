#pragma once
// The toolbar's button slots by what they do. A slot's number is its place on the bar (1 to
// kToolbarSlots) and the command number the command table and the pages' button switches use; the
// slots between groups are separators or hidden buttons.

#include <array>

namespace glimmora {

constexpr int kToolbarSlots = 32;
constexpr bool IsToolbarSlot(int index) { return index >= 1 && index <= kToolbarSlots; }
// One entry per slot, indexed by the slot's number; entry 0 stands for no slot and stays unused.
template <class T>
using PerToolbarSlot = std::array<T, kToolbarSlots + 1>;

constexpr int kToolCollapseTree = 1;
constexpr int kToolRefreshTree = 2;
constexpr int kToolNewCategory = 3;
constexpr int kToolMoveClipboardIntoLibrary = 6;
constexpr int kToolCopyClipboardToFolder = 7;
constexpr int kToolDeleteAllClipboardIcons = 8;
constexpr int kToolHidden9 = 9;  // hidden, but switched with its group
constexpr int kToolSaveAsIco = 11;
constexpr int kToolSaveAsBmp = 12;
constexpr int kToolSaveWithOptions = 13;
constexpr int kToolCopyToIconClipboard = 14;
constexpr int kToolDelete = 16;
constexpr int kToolSelectAll = 17;
constexpr int kToolCancelSelection = 18;
constexpr int kToolReportView = 21;
constexpr int kToolListView = 22;
constexpr int kToolLargeIconsView = 23;
constexpr int kToolOpenWebSite = 26;
constexpr int kToolEditWebSite = 27;
constexpr int kToolAddWebSite = 28;
constexpr int kToolDeleteTickedWebSites = 29;
constexpr int kToolHelpContents = 31;
constexpr int kToolSupportMail = 32;

// The buttons of the panes' commands: every slot but the tree group before them and the help
// group after them.
constexpr int kToolFirstPaneCommand = kToolMoveClipboardIntoLibrary;
constexpr int kToolLastPaneCommand = kToolHelpContents - 1;

// The clipboard's and the web sites' buttons, which an icon list (a file's or a library's)
// switches off while it is current.
inline constexpr int kToolsOffInIconLists[] = {kToolMoveClipboardIntoLibrary, kToolCopyClipboardToFolder,
                                               kToolDeleteAllClipboardIcons,  kToolHidden9,
                                               kToolOpenWebSite,              kToolEditWebSite,
                                               kToolAddWebSite};

}  // namespace glimmora
