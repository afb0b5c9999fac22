#pragma once
// The path box's history: the folders opened last, at most 21, the oldest first, each with the
// tree image of its folder.

#include <cstdint>
#include <string>
#include <vector>

#include "settings/ConfigFile.h"

namespace glimmora {

inline constexpr std::size_t kPathHistoryMax = 21;

struct PathHistoryState {
  std::vector<PathEntry> Items;
  int Selected = -1;  // index into Items; -1 none
  std::string Text;   // the box's text
};

// Records `trkey` opened with the tree image `image`: an entry with exactly that text is selected
// and takes the image; otherwise the text is appended (the oldest entry going when the box is
// full). "mycomputer" is never recorded.
void AddToPathHistory(PathHistoryState& box, const std::string& trkey, std::int16_t image);

}  // namespace glimmora
