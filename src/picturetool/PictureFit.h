#pragma once
// How the picture-to-icon tool shows a picture: the reduced view fitted into the picture frame,
// its scale, the texts of the size, zoom and selection labels, the tool window's size and the
// rule for the icon-size boxes. All sizes are screen pixels; the fit keeps the margin and the
// tie rule the tool has always used.

#include <optional>
#include <string>
#include <string_view>

#include "text/LanguageTable.h"

namespace glimmora {

// The reduced view is kept this far inside the frame (4 pixels).
constexpr int kFitMarginPixels = 4;

struct PictureFit {
  int viewWidth = 0;   // the reduced view, pixels
  int viewHeight = 0;
  // View width / picture width, at most 1; 0 when there is no picture (nothing can be copied).
  float ratio = 0;
};

// A picture smaller than the frame by more than the margin in both directions is shown as it is;
// otherwise it is scaled to the frame less the margin, by the width when the frame's height over
// the picture's is strictly the larger quotient, else by the height. An empty picture or frame
// gives an empty view and ratio 0.
PictureFit FitPictureIntoFrame(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight);

// kRowPictureSize & Str(w) & " x" & Str(h), the size part padded with blanks to 9 characters; with no
// picture loaded yet the placeholder "----x----".
std::string PictureSizeLabel(std::optional<std::pair<int, int>> size, const LanguageTable& lang);
// kRowZoom & Str(Int(ratio x 100)) & "%"; with no picture loaded yet kRowZoom & "xxx%".
std::string ZoomLabel(std::optional<float> ratio, const LanguageTable& lang);
// kRowSelection & Str(w) & " x" & Str(h): a selection's size in picture pixels.
std::string SelectionLabel(int width, int height, const LanguageTable& lang);

// The icon's width and height in pixels.
constexpr int kMinIconSide = 1;
constexpr int kMaxIconSide = 100;
constexpr int kDefaultIconSide = 32;

// The icon side a size box's text asks for: its leading number (0 when it starts with none),
// clamped to 1..100 and taken to the nearest whole number, a half to the even one.
int IconSideFromText(std::string_view text);

// The tool window: on a screen exactly 640 pixels wide the whole screen; otherwise 0.9 times the
// main window, made 4:3 when it would be taller than that. Never wider than the screen and never
// taller than the screen less 15 pixels.
struct WindowSize {
  int width = 0;
  int height = 0;
};
WindowSize ToolWindowSize(int screenWidth, int screenHeight, int mainWidth, int mainHeight);

}  // namespace glimmora
