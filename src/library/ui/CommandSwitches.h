#pragma once
// What a pane's status procedure switches on and off in the window: toolbar buttons by number,
// menus and single items by their menu-table name, and the clipboard's commands by name, wherever
// its menu holds them.

#include <string>
#include <utility>
#include <vector>

#include "library/LibraryCommands.h"

namespace glimmora {

struct MenuSwitch {
  std::string Menu;
  bool Enabled = false;
};

struct CommandSwitches {
  std::vector<std::pair<int, bool>> Buttons;
  std::vector<MenuSwitch> Menus;
  std::vector<std::pair<ClipCommand, bool>> ClipItems;

  void Button(int button, bool on) { Buttons.emplace_back(button, on); }
  void Whole(const std::string& menu, bool on) { Menus.push_back({menu, on}); }
  void Item(ClipCommand command, bool on) { ClipItems.emplace_back(command, on); }
};

}  // namespace glimmora
