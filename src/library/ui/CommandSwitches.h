#pragma once
// What a pane's status procedure switches on and off in the window: toolbar buttons by number and
// menu entries by their menu-table name (index -1 for a whole menu or a single item).

#include <string>
#include <utility>
#include <vector>

namespace glimmora {

struct MenuSwitch {
  std::string Menu;
  int Index = -1;
  bool Enabled = false;
};

struct CommandSwitches {
  std::vector<std::pair<int, bool>> Buttons;
  std::vector<MenuSwitch> Menus;

  void Button(int button, bool on) { Buttons.emplace_back(button, on); }
  void Item(const std::string& menu, int index, bool on) { Menus.push_back({menu, index, on}); }
  void Whole(const std::string& menu, bool on) { Menus.push_back({menu, -1, on}); }
};

}  // namespace glimmora
