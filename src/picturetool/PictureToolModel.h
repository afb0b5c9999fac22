#pragma once
// Everything the picture-to-icon tool knows, free of widgets: the loaded picture and its reduced
// view, the selection frame, the icon's width and height, the icon made from the selected part
// (shown centred in the preview) and the transparent colour picked from that preview, and the
// rules of its four buttons. The window only draws this state and passes the user's actions on.

#include <optional>
#include <string>
#include <utility>

#include "text/LangRows.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "icons/Raster.h"
#include "picturetool/PictureFit.h"
#include "picturetool/Selection.h"

namespace glimmora {

// The preview box: 147 x 100 pixels on a white ground, the icon centred in it.
constexpr int kPreviewWidth = 147;
constexpr int kPreviewHeight = 100;
constexpr Rgb kPreviewGround = kWhite;

class PictureToolModel {
 public:
  PictureToolModel(const LanguageTable& lang, Prompter& prompter) : lang_(lang), prompter_(prompter) {}

  // The size of the picture frame the reduced view is fitted into.
  void SetFrameSize(int width, int height);

  // A newly loaded picture (from a file or the clipboard): fitted into the frame, the selection
  // back at its start, the "no colour picked" hint shown. The icon size, the picked colour and the
  // icon stay until the next copy.
  void SetPicture(Raster picture);
  bool HasPicture() const { return !picture_.Empty(); }
  const Raster& Picture() const { return picture_; }
  // Hands the picture over when the tool closes (the model holds none afterwards).
  Raster TakePicture() { return std::exchange(picture_, Raster()); }
  const PictureFit& Fit() const { return fit_; }

  // Mouse on the reduced view (view pixels).
  void MouseDown() { selection_.MouseDown(); }
  void MouseMove(bool rightButton, double x, double y);
  void MouseUp();
  const FrameRect& Frame() const { return selection_.Frame(); }

  // Icon width (side 0) and height (side 1), 1..100. Setting one copies the part again.
  int IconSide(int side) const { return iconSide_[side == 0 ? 0 : 1]; }
  void SetIconSide(int side, int pixels);

  // Stretches the selected part to the icon size: the icon, and the preview showing it centred.
  void CopyPartPict();
  // The icon last made; nothing before the first copy or when the selection holds no pixel.
  const std::optional<Raster>& PicSmall() const { return picSmall_; }
  // The preview box as it shows now.
  const Raster& Preview() const { return preview_; }
  // Where the icon sits in the preview (for drawing and tests).
  int PreviewIconLeft() const;
  int PreviewIconTop() const;

  // A click on the preview at (x, y) picks the colour there, the ground around the icon included.
  void PickMaskColour(int x, int y);
  std::optional<Rgb> MaskColour() const { return maskColour_; }
  bool NoColourHintShown() const { return noColourHint_; }

  std::string SizeLabel() const;
  std::string ZoomText() const;
  const std::string& SelectionText() const { return selectionText_; }

  // The make-icon button works once the user chose a part (a left drag or the default values) and
  // only while that part holds at least one picture pixel.
  bool MakeEnabled() const;

  // Buttons. MakeIcon asks first when no colour was picked; true means the icon is made and the
  // tool closes. Abort asks whether to stop the remaining pictures; true means the tool closes.
  bool MakeIcon();
  void Defaults();
  bool Abort();
  bool StopSaveIco() const { return stopSaveIco_; }

 private:
  PixelRect SourceRect() const;

  const LanguageTable& lang_;
  Prompter& prompter_;
  int frameWidth_ = 0;
  int frameHeight_ = 0;
  Raster picture_;
  bool loaded_ = false;  // a picture was set at least once (the labels leave their placeholders)
  PictureFit fit_;
  SelectionModel selection_;
  int iconSide_[2] = {kDefaultIconSide, kDefaultIconSide};
  std::optional<Raster> picSmall_;
  Raster preview_{kPreviewWidth, kPreviewHeight, kPreviewGround};
  std::optional<Rgb> maskColour_;
  // The frame "Defaults" set over the whole view, while it stays there: it stands for the whole
  // picture, which a view rounded to whole pixels would miss a few columns of on a thin picture.
  std::optional<FrameRect> wholeFrame_;
  bool noColourHint_ = true;
  bool partChosen_ = false;
  bool stopSaveIco_ = false;
  std::string selectionText_ = lang_.Row(kRowSelection);
};

}  // namespace glimmora
