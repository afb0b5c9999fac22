#include "picturetool/PictureFit.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>

#include "text/LangRows.h"
#include "text/NumberText.h"

namespace glimmora {

namespace {

// Whole pixels, halves to the even neighbour (the rounding every conversion of the tool uses).
int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

}  // namespace

PictureFit FitPictureIntoFrame(int pictureWidth, int pictureHeight, int frameWidth, int frameHeight) {
  PictureFit fit;
  if (pictureWidth <= 0 || pictureHeight <= 0 || frameWidth <= kFitMarginPixels ||
      frameHeight <= kFitMarginPixels)
    return fit;
  const double wp = pictureWidth;
  const double hp = pictureHeight;
  const double wf = frameWidth;
  const double hf = frameHeight;
  double w = 0;
  double h = 0;
  if (wp < wf - kFitMarginPixels && hp < hf - kFitMarginPixels) {
    w = wp;
    h = hp;
  } else if (static_cast<float>(hf / hp) > static_cast<float>(wf / wp)) {
    w = wf - kFitMarginPixels;
    h = w / wp * hp;
  } else {
    h = hf - kFitMarginPixels;
    w = h / hp * wp;
  }
  fit.viewWidth = std::max(1, RoundEven(w));
  fit.viewHeight = std::max(1, RoundEven(h));
  fit.ratio = std::min(1.0f, static_cast<float>(w / wp));
  return fit;
}

std::string PictureSizeLabel(std::optional<std::pair<int, int>> size, const LanguageTable& lang) {
  if (!size) return lang.Row(kRowPictureSize) + "----x----";
  std::string text = VbStr(size->first) + " x" + VbStr(size->second);
  if (text.size() < 9) text.append(9 - text.size(), ' ');
  return lang.Row(kRowPictureSize) + text;
}

std::string ZoomLabel(std::optional<float> ratio, const LanguageTable& lang) {
  if (!ratio) return lang.Row(kRowZoom) + "xxx%";
  const float percent = *ratio * 100.0f;
  return lang.Row(kRowZoom) + VbStr(static_cast<long long>(std::floor(percent))) + "%";
}

std::string SelectionLabel(int width, int height, const LanguageTable& lang) {
  return lang.Row(kRowSelection) + VbStr(width) + " x" + VbStr(height);
}

int IconSideFromText(std::string_view text) {
  // The leading number as the runtime reads it: blanks, an optional sign, digits and one point.
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  std::string number;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) number += text[i++];
  bool point = false;
  bool digits = false;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (std::isdigit(static_cast<unsigned char>(c))) {
      digits = true;
      number += c;
    } else if (c == '.' && !point) {
      point = true;
      number += c;
    } else {
      break;
    }
  }
  double v = digits ? std::strtod(number.c_str(), nullptr) : 0.0;
  v = std::clamp(v, static_cast<double>(kMinIconSide), static_cast<double>(kMaxIconSide));
  return RoundEven(v);
}

WindowSize ToolWindowSize(int screenWidth, int screenHeight, int mainWidth, int mainHeight) {
  WindowSize s;
  if (screenWidth == 640) {
    s.width = screenWidth;
    s.height = screenHeight;
  } else {
    s.width = RoundEven(0.9 * mainWidth);
    s.height = RoundEven(0.9 * mainHeight);
    if (s.height * 4.0 / 3.0 > s.width) s.width = RoundEven(s.height * 4.0 / 3.0);
  }
  if (screenWidth > 0 && s.width >= screenWidth) s.width = screenWidth;
  if (screenHeight > 15 && s.height >= screenHeight - 15) s.height = screenHeight - 15;
  return s;
}

}  // namespace glimmora
