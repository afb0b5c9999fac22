#include "source/PathHistory.h"

#include "source/FolderTree.h"

namespace glimmora {

void AddToPathHistory(PathHistoryState& box, const std::string& trkey, std::int16_t image) {
  if (trkey == kMyComputerKey) return;
  for (std::size_t i = 0; i < box.Items.size(); ++i) {
    if (box.Items[i].Path != trkey) continue;
    box.Selected = static_cast<int>(i);
    box.Text = trkey;
    box.Items[i].Image = image;
    return;
  }
  // Trim only to make room: revisiting an entry never drops another.
  while (box.Items.size() >= kPathHistoryMax) box.Items.erase(box.Items.begin());
  box.Items.push_back({trkey, image});
  box.Selected = static_cast<int>(box.Items.size()) - 1;
  box.Text = trkey;
}

}  // namespace glimmora
