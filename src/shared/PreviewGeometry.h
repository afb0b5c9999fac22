#pragma once
// Where the real-size preview window goes and what its caption says. All lengths are pixels in
// screen coordinates.

#include <string>

namespace glimmora {

enum class PreviewList { IconPane, FileList, LibraryIcons, IconClipboard };

struct PreviewLayout {
  int X = 0;
  int Y = 0;
  int Width = 0;
  int Height = 0;
  int ImageLeft = 0;  // the picture's left edge inside the window
  std::string Caption;
};

// The window for a picture of imageWidth x imageHeight shown for a press at (pointerX, pointerY)
// on `list`, on a screen of screenWidth x screenHeight. Small pictures get a caption such as
// "32x32" and a window at least 64 pixels wide with the picture centred; larger ones the caption
// " 128 x 128". The icon lists put the window's corner half its size beyond the pointer and keep
// it on the screen; the file list puts it 16 and 45 pixels off and centres it when it would leave
// the screen on the right.
PreviewLayout PreviewGeometry(PreviewList list, int pointerX, int pointerY, int imageWidth, int imageHeight,
                              int screenWidth, int screenHeight);

}  // namespace glimmora
