#include "picturetool/PictureToolModel.h"

#include <algorithm>
#include <cmath>

#include "text/LangRows.h"

namespace glimmora {

namespace {

// The preview box is 2200 x 1500 twips: 146.67 x 100 pixels.
constexpr double kPreviewExactWidth = 2200.0 / 15.0;

int RoundEven(double v) { return static_cast<int>(std::nearbyint(v)); }

// Whole picture pixels of a view length, truncated (the selection label's rule).
int PicturePixels(double viewLength, float ratio) {
  if (!(ratio > 0)) return 0;
  const double v = std::floor(viewLength / ratio);
  return v > 2147483647.0 ? 2147483647 : static_cast<int>(v);
}

}  // namespace

void PictureToolModel::SetFrameSize(int width, int height) {
  frameWidth_ = std::max(0, width);
  frameHeight_ = std::max(0, height);
}

void PictureToolModel::SetPicture(Raster picture) {
  picture_ = std::move(picture);
  loaded_ = true;
  fit_ = FitPictureIntoFrame(picture_.Width(), picture_.Height(), frameWidth_, frameHeight_);
  selection_.Reset(fit_.viewWidth, fit_.viewHeight);
  wholeFrame_.reset();
  noColourHint_ = true;
}

void PictureToolModel::MouseMove(bool rightButton, double x, double y) {
  if (!selection_.MouseMove(rightButton, x, y)) return;
  const FrameRect& f = selection_.Frame();
  selectionText_ = SelectionLabel(PicturePixels(f.width, fit_.ratio), PicturePixels(f.height, fit_.ratio), lang_);
  partChosen_ = true;
}

void PictureToolModel::MouseUp() {
  if (selection_.MouseUp()) CopyPartPict();
}

void PictureToolModel::SetIconSide(int side, int pixels) {
  iconSide_[side == 0 ? 0 : 1] = std::clamp(pixels, kMinIconSide, kMaxIconSide);
  CopyPartPict();
}

PixelRect PictureToolModel::SourceRect() const {
  if (wholeFrame_ && selection_.Frame() == *wholeFrame_ && fit_.ratio > 0)
    return PixelRect{0, 0, picture_.Width(), picture_.Height()};
  return SourceRectOf(selection_.Frame(), fit_.ratio, picture_.Width(), picture_.Height());
}

int PictureToolModel::PreviewIconLeft() const { return RoundEven((kPreviewExactWidth - iconSide_[0]) / 2); }
int PictureToolModel::PreviewIconTop() const { return RoundEven((kPreviewHeight - iconSide_[1]) / 2.0); }

void PictureToolModel::CopyPartPict() {
  if (!(fit_.ratio > 0)) return;
  preview_ = Raster(kPreviewWidth, kPreviewHeight, kPreviewGround);
  const PixelRect part = SourceRect();
  if (part.Empty()) {
    // Nothing of the picture is selected: no icon rather than a blank one.
    picSmall_.reset();
    return;
  }
  // One scaling serves both the preview and the icon, so any colour picked on the icon in the
  // preview is a colour of the icon.
  Raster icon = CopyPart(picture_, part, iconSide_[0], iconSide_[1]);
  const int left = PreviewIconLeft();
  const int top = PreviewIconTop();
  for (int y = 0; y < icon.Height(); ++y) {
    for (int x = 0; x < icon.Width(); ++x) {
      const int px = left + x;
      const int py = top + y;
      if (px >= 0 && py >= 0 && px < kPreviewWidth && py < kPreviewHeight) preview_.Set(px, py, icon.At(x, y));
    }
  }
  picSmall_ = std::move(icon);
}

void PictureToolModel::PickMaskColour(int x, int y) {
  if (x < 0 || y < 0 || x >= preview_.Width() || y >= preview_.Height()) return;
  noColourHint_ = false;
  maskColour_ = preview_.At(x, y);
}

std::string PictureToolModel::SizeLabel() const {
  if (!loaded_) return PictureSizeLabel(std::nullopt, lang_);
  return PictureSizeLabel(std::pair{picture_.Width(), picture_.Height()}, lang_);
}

std::string PictureToolModel::ZoomText() const {
  if (!loaded_) return ZoomLabel(std::nullopt, lang_);
  return ZoomLabel(fit_.ratio, lang_);
}

bool PictureToolModel::MakeEnabled() const { return partChosen_ && !SourceRect().Empty(); }

bool PictureToolModel::MakeIcon() {
  if (!MakeEnabled()) return false;
  if (noColourHint_ && !maskColour_) {
    PromptRequest r;
    r.text = lang_.Row(kRowAskNoMaskColour);
    r.row = kRowAskNoMaskColour;
    r.buttons = PromptButtons::YesNo;
    r.icon = PromptIcon::Question;
    if (prompter_.Ask(r) != PromptAnswer::Yes) return false;
  }
  CopyPartPict();
  return picSmall_.has_value();
}

void PictureToolModel::Defaults() {
  selection_.SelectWholeView();
  wholeFrame_ = selection_.Frame();
  iconSide_[0] = kDefaultIconSide;
  iconSide_[1] = kDefaultIconSide;
  selectionText_ = SelectionLabel(picture_.Width(), picture_.Height(), lang_);
  CopyPartPict();
  partChosen_ = true;
}

bool PictureToolModel::Abort() {
  PromptRequest r;
  r.text = lang_.Row(kRowAskStopBatch);
  r.row = kRowAskStopBatch;
  r.buttons = PromptButtons::YesNo;
  r.icon = PromptIcon::Question;
  stopSaveIco_ = prompter_.Ask(r) == PromptAnswer::Yes;
  return stopSaveIco_;
}

}  // namespace glimmora
