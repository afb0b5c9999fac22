#pragma once
// Turning one single-image icon into an icon of another size. Scaling loses the icon's own mask,
// so the mask travels through the scaling as a key colour: a colour that at most one opaque pixel
// uses is painted over the transparent pixels, and after the scaling every pixel of that colour
// becomes transparent (and black) again. Also the icon made from a 24-bit picture and a picked
// mask colour.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "icons/Dib.h"
#include "icons/Raster.h"
#include "icons/SizeChoices.h"

namespace glimmora {

// Pixels of a size choice (0 for the icon's own size); -1 for an index outside kSizeChoices.
int SizeChoicePixels(int sizeSel);

// The name suffix of a size choice ("_16x16"); empty for the own size and outside kSizeChoices.
std::string_view SizeChoiceSuffix(int sizeSel);

// A target name less its last 4 characters (its extension), followed by the suffix of the size
// choice: "a.ico" with choice 2 gives "a_32x32". The extension is the caller's to add.
std::string SizedTargetBase(std::string_view targetName, int sizeSel);

// The key colour of an icon drawn on white: white when at most one opaque pixel is white, else the
// first grey from (254, 254, 254) down to (150, 150, 150) that at most one opaque pixel uses;
// nullopt when every candidate is used twice or more.
std::optional<Rgb> ChooseKeyColor(const DecodedIcon& icon);

enum class MaskResult {
  Made,                // a key colour was found; the mask is rebuilt from it
  NotWanted,           // nobody asked for a mask
  NoTransparentPixel,  // the icon has none: it stays opaque, nothing is said
  NoKeyColor,          // every candidate is taken: the icon stays opaque and the user is told
};

// The icon ready for scaling: drawn on white and, when a key colour was found, its transparent
// pixels painted with it.
struct KeyedPicture {
  MaskResult mask = MaskResult::NotWanted;
  Rgb key = kWhite;
  bool repainted = false;  // some transparent pixel did not already show the key colour
  Raster picture;
};

// Looks at every mask bit the image holds (where its header puts the mask), chooses the key colour
// and paints the transparent pixels with it.
KeyedPicture ReadIcoMask(const DecodedIcon& icon);

// The keyed picture scaled to width x height by nearest neighbour. A repainted picture scaled to
// 16 x 16 leaves out its bottom pixel row (the source is one row shorter), as icons of that size
// have always come out; every other case scales the whole picture.
Raster StretchKeyedPicture(const KeyedPicture& keyed, int width, int height);

// Marks (1) every pixel of `colour`, top row first, and paints those pixels black.
std::vector<std::uint8_t> MarkAndBlacken(Raster& picture, Rgb colour);

// Mask rows of a width x height picture from its marks (top row first): the bottom row first, the
// leftmost pixel in bit 7, each row zero-filled to a multiple of 4 bytes.
std::vector<std::uint8_t> PackMaskRows(std::span<const std::uint8_t> marks, int width, int height);

// A single-image icon of a 24-bit picture: colour byte 24, the BITMAPINFOHEADER of a 24-bit bitmap
// with the height doubled, the colour rows as they are, then the mask rows from `marks` (top row
// first; empty means all opaque).
std::vector<std::uint8_t> MakeIco24(const Raster& picture, std::span<const std::uint8_t> marks);

// A single-image 32-bit icon of `picture`: its colours and alpha as they are, the mask set where
// the alpha is 0.
std::vector<std::uint8_t> MakeIco32(const ArgbImage& picture);

// `picture` scaled to width x height by the nearest-neighbour rule of ScaleNearest, alpha with it.
ArgbImage ScaleArgb(const ArgbImage& picture, int width, int height);

struct ResizedIcon {
  std::vector<std::uint8_t> ico;
  MaskResult mask = MaskResult::NotWanted;
};

// The icon file `icoFile` as a 24-bit icon of the size choice (own size for 0), with its mask
// rebuilt through the key colour when `makeMask` is set. A 32-bit icon that keeps its
// transparency stays a 32-bit icon: its alpha is scaled with its pixels, so shadows and
// translucent parts survive. nullopt when `icoFile` cannot be decoded or the size choice is
// outside 0..7.
std::optional<ResizedIcon> ResizeIconToIco(std::span<const std::uint8_t> icoFile, int sizeSel, bool makeMask);

// The icon file drawn on white and scaled to the size choice: the picture of a bitmap or of a
// clipboard copy. nullopt as for ResizeIconToIco.
std::optional<Raster> ResizeIconToPicture(std::span<const std::uint8_t> icoFile, int sizeSel);

// A 32-bit icon file scaled to the size choice with its alpha (for the clipboard, which carries
// it); nullopt for any other depth and as for ResizeIconToIco.
std::optional<ArgbImage> ResizeIconToArgb(std::span<const std::uint8_t> icoFile, int sizeSel);

// A whole picture scaled to the size choice (unchanged for 0); empty for a choice outside 0..7.
Raster ScalePictureToSize(const Raster& picture, int sizeSel);

// Pictures larger than this on either side get no mask from a picked colour.
constexpr int kMaxMaskedPictureSide = 200;

// Builds the mask of a 24-bit picture from the pixels of exactly `maskColour` and paints those
// pixels black; returns the marks, top row first.
inline std::vector<std::uint8_t> MakeIconMask(Raster& picture, Rgb maskColour) {
  return MarkAndBlacken(picture, maskColour);
}

struct PictureIcon {
  std::vector<std::uint8_t> ico;
  bool maskRefused = false;  // a colour was picked but the picture is too large for a mask
};

// The icon of a picture made in the picture-to-icon tool: a 24-bit icon of the picture's own width
// and height, transparent (and black) where the picture has exactly `maskColour`. With no colour,
// or a picture wider or higher than kMaxMaskedPictureSide, the icon is all opaque.
PictureIcon IconFromPicture(const Raster& picture, std::optional<Rgb> maskColour);

}  // namespace glimmora
