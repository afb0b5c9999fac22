#pragma once
// The icon clipboard as the icon saves see it: the source page saves into it, the library page
// owns it and lists it again afterwards.

#include <string>

namespace glimmora {

// What the icon clipboard holds when a save into it starts.
struct IconClipboardState {
  int ItemCount = 0;
  std::string LastKey;  // the name of its last icon ("B3_a.dll.ico"); empty when it is empty
};

// The icon clipboard pane, as the saves see it.
class IconClipboardLink {
 public:
  virtual ~IconClipboardLink() = default;
  virtual IconClipboardState ClipboardState() const = 0;
  // Lists the icon clipboard again after icons were put into it.
  virtual void RelistIconClipboard() = 0;
};

}  // namespace glimmora
