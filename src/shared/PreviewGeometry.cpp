#include "shared/PreviewGeometry.h"

#include <algorithm>

#include "text/NumberText.h"

namespace glimmora {
namespace {

// Window frame around the picture (90 and 330 twips), the smallest width (960 twips), the
// file list's offsets (240 and 675 twips) and the bottom margin (390 twips), at 15 twips a pixel.
constexpr int kFrameWidth = 6;
constexpr int kFrameHeight = 22;
constexpr int kMinWidth = 64;
constexpr int kFileListDx = 16;
constexpr int kFileListDy = 45;
constexpr int kBottomMargin = 26;
constexpr int kLargestCaptionedSmall = 72;

}  // namespace

PreviewLayout PreviewGeometry(PreviewList list, int pointerX, int pointerY, int imageWidth, int imageHeight,
                              int screenWidth, int screenHeight) {
  PreviewLayout p;
  const bool fileList = list == PreviewList::FileList;
  int left = pointerX + (fileList ? kFileListDx : 0);
  int top = pointerY + (fileList ? kFileListDy : 0);
  p.Height = imageHeight + kFrameHeight;
  p.Width = imageWidth + kFrameWidth;
  if (!fileList) {
    left += p.Width / 2;
    top += p.Height / 2;
  } else if (left + p.Width > screenWidth) {
    // Centred instead; never off the left edge when the window is wider than the screen.
    left = std::max(0, (screenWidth - p.Width) / 2);
  }
  if (imageWidth <= kLargestCaptionedSmall) {
    p.Caption = NumToStr(imageWidth) + "x" + NumToStr(imageHeight);
    p.Width = std::max(imageWidth + kFrameWidth, kMinWidth);
    p.ImageLeft = (p.Width - imageWidth - kFrameWidth) / 2;
  } else {
    p.Caption = VbStr(imageWidth) + " x" + VbStr(imageHeight);
  }
  if (!fileList) {
    if (left + p.Width > screenWidth) left = screenWidth - p.Width;
    if (top + p.Height > screenHeight - kBottomMargin) top = screenHeight - p.Height - kBottomMargin;
  }
  p.X = left;
  p.Y = top;
  return p;
}

}  // namespace glimmora
