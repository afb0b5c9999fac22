#pragma once
// The web-site page's commands by name; the menu, keys and toolbar find their places for these in
// the main window's tables.

#include <cstdint>

namespace glimmora {

enum class WebCommand : std::uint8_t { Open, Edit, Add, DeleteTicked };

inline constexpr int kWebCommandCount = static_cast<int>(WebCommand::DeleteTicked) + 1;

}  // namespace glimmora
