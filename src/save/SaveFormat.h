#pragma once
// What a save writes, and whose icons a save of the icon pane takes.

#include <cstdint>

namespace glimmora {

enum class SaveFormat : std::uint8_t { Ico, Bmp };

// The icons of the icon pane itself (selected or all), or those of the checked (or all) files.
enum class SaveSource : std::uint8_t { Pane, File };

}  // namespace glimmora
