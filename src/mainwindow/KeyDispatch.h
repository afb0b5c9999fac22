#pragma once
// Matching a key press against the command table.
//
// Keys arrive as Windows key codes: letters 'A'..'Z' whatever the Shift state, main-row digits
// '0'..'9' (Shift+digit is still the digit), F1..F8 = 112..119, Enter 13, Space 32, Page Up/Down
// 33/34, Delete 46. Number-pad digits have codes of their own and match nothing.

#include "mainwindow/CommandTable.h"
#include "settings/Panes.h"

namespace glimmora {

// The modifiers held during one key press, read from that key event.
struct KeyMods {
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
};

// Ctrl+Alt is a combination of its own only for F1..F8, C, X and the digits 2..8; with any other
// key Alt is ignored for this key, so that Ctrl+Alt+A acts as Ctrl+A and Ctrl+Alt+1 as Ctrl+1.
KeyMods EffectiveMods(int vk, KeyMods mods);

struct KeyHit {
  const CommandRow* row = nullptr;
  int arg = 0;
};

// The first row of the command table for the focused pane whose key and modifier rule fit, with
// the argument for that key (the row's argument plus the key's offset in its range). The Ctrl+Alt
// rule is applied first. Nothing matches for Pane::None.
KeyHit MatchKey(Pane focus, int vk, KeyMods mods);

// The key codes of Shift, Ctrl and Alt themselves: they never reach the dispatcher.
constexpr bool IsModifierKey(int vk) { return vk == kVkShift || vk == kVkControl || vk == kVkAlt; }

}  // namespace glimmora
