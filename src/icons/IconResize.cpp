#include "icons/IconResize.h"

#include <algorithm>
#include <array>

#include "icons/BmpFile.h"
#include "icons/IcoFile.h"
#include "common/LeBytes.h"

namespace glimmora {
namespace {

constexpr int kLowestGrey = 150;

// The target size of a choice for a picture of its own width x height.
bool TargetSize(int sizeSel, int ownWidth, int ownHeight, int& width, int& height) {
  const int pixels = SizeChoicePixels(sizeSel);
  if (pixels < 0) return false;
  width = pixels == 0 ? ownWidth : pixels;
  height = pixels == 0 ? ownHeight : pixels;
  return true;
}

}  // namespace

int SizeChoicePixels(int sizeSel) {
  return sizeSel >= 0 && sizeSel < kSizeChoiceCount ? kSizeChoices[static_cast<std::size_t>(sizeSel)].pixels : -1;
}

std::string_view SizeChoiceSuffix(int sizeSel) {
  return sizeSel >= 0 && sizeSel < kSizeChoiceCount ? kSizeChoices[static_cast<std::size_t>(sizeSel)].suffix
                                                    : std::string_view{};
}

std::string SizedTargetBase(std::string_view targetName, int sizeSel) {
  std::string base(targetName.substr(0, targetName.size() >= 4 ? targetName.size() - 4 : 0));
  base += SizeChoiceSuffix(sizeSel);
  return base;
}

std::optional<Rgb> ChooseKeyColor(const DecodedIcon& icon) {
  // Opaque pixels per grey level; only white and the greys down to 150 are candidates, and a
  // count of two already rules a candidate out.
  std::array<int, 256> uses{};
  const Raster& p = icon.onWhite;
  for (int y = 0; y < p.Height(); ++y) {
    for (int x = 0; x < p.Width(); ++x) {
      if (icon.IsTransparent(x, y)) continue;
      const Rgb c = p.At(x, y);
      const std::uint8_t g = BlueOf(c);
      if (c == Grey(g) && g >= kLowestGrey && uses[g] < 2) ++uses[g];
    }
  }
  for (int g = 255; g >= kLowestGrey; --g) {
    if (uses[static_cast<std::size_t>(g)] <= 1) return Grey(static_cast<std::uint8_t>(g));
  }
  return std::nullopt;
}

KeyedPicture ReadIcoMask(const DecodedIcon& icon) {
  KeyedPicture keyed;
  keyed.picture = icon.onWhite;
  if (std::none_of(icon.transparent.begin(), icon.transparent.end(), [](std::uint8_t t) { return t != 0; })) {
    keyed.mask = MaskResult::NoTransparentPixel;
    return keyed;
  }
  const auto key = ChooseKeyColor(icon);
  if (!key) {
    keyed.mask = MaskResult::NoKeyColor;
    return keyed;
  }
  keyed.mask = MaskResult::Made;
  keyed.key = *key;
  for (int y = 0; y < keyed.picture.Height(); ++y) {
    for (int x = 0; x < keyed.picture.Width(); ++x) {
      if (!icon.IsTransparent(x, y)) continue;
      if (keyed.picture.At(x, y) != *key) {
        keyed.repainted = true;
        keyed.picture.Set(x, y, *key);
      }
    }
  }
  return keyed;
}

Raster StretchKeyedPicture(const KeyedPicture& keyed, int width, int height) {
  const Raster& src = keyed.picture;
  int srcHeight = src.Height();
  if (keyed.mask == MaskResult::Made && keyed.repainted && width == 16 && height == 16)
    srcHeight = std::max(1, srcHeight - 1);
  return ScaleNearest(src, src.Width(), srcHeight, width, height);
}

std::vector<std::uint8_t> MarkAndBlacken(Raster& picture, Rgb colour) {
  std::vector<std::uint8_t> marks(static_cast<std::size_t>(picture.Width()) * picture.Height(), 0);
  for (int y = 0; y < picture.Height(); ++y) {
    for (int x = 0; x < picture.Width(); ++x) {
      if (picture.At(x, y) != colour) continue;
      marks[static_cast<std::size_t>(y) * picture.Width() + x] = 1;
      picture.Set(x, y, kBlack);
    }
  }
  return marks;
}

std::vector<std::uint8_t> PackMaskRows(std::span<const std::uint8_t> marks, int width, int height) {
  if (width <= 0 || height <= 0) return {};
  const std::size_t rowBytes = static_cast<std::size_t>(MaskRowBytes(width));
  std::vector<std::uint8_t> rows(rowBytes * static_cast<std::size_t>(height), 0);
  const std::size_t pixels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
  if (marks.size() < pixels) return rows;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = rows.data() + static_cast<std::size_t>(height - 1 - y) * rowBytes;
    for (int x = 0; x < width; ++x) {
      if (marks[static_cast<std::size_t>(y) * width + x] != 0) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
  }
  return rows;
}

std::vector<std::uint8_t> MakeIco24(const Raster& picture, std::span<const std::uint8_t> marks) {
  if (picture.Empty()) return {};
  // The colour part is exactly what the bitmap writer produces for the same picture.
  std::vector<std::uint8_t> bmp = WriteBmp24(picture);
  const std::vector<std::uint8_t> mask = PackMaskRows(marks, picture.Width(), picture.Height());
  std::uint8_t* info = bmp.data() + kBmpFileHeaderSize;
  le::Put32(info + 8, static_cast<std::uint32_t>(2 * picture.Height()));
  const std::size_t image = bmp.size() - kBmpFileHeaderSize + mask.size();
  const IcoFileHead head =
      MakeIcoFileHead(picture.Width(), picture.Height(), 24, static_cast<std::uint32_t>(image));
  std::vector<std::uint8_t> ico(kIcoFileHeadSize + image);
  const auto encoded = EncodeIcoFileHead(head);
  auto out = std::copy(encoded.begin(), encoded.end(), ico.begin());
  out = std::copy(bmp.begin() + kBmpFileHeaderSize, bmp.end(), out);
  std::copy(mask.begin(), mask.end(), out);
  return ico;
}

std::vector<std::uint8_t> MakeIco32(const ArgbImage& picture) {
  if (picture.width <= 0 || picture.height <= 0) return {};
  const std::size_t colourRow = static_cast<std::size_t>(picture.width) * 4;
  const std::size_t colourBytes = colourRow * static_cast<std::size_t>(picture.height);
  std::vector<std::uint8_t> marks(picture.pixels.size());
  for (std::size_t i = 0; i < marks.size(); ++i) marks[i] = (picture.pixels[i] >> 24) == 0 ? 1 : 0;
  const std::vector<std::uint8_t> mask = PackMaskRows(marks, picture.width, picture.height);
  DibHeader info;
  info.width = picture.width;
  info.height = 2 * picture.height;
  info.bitCount = 32;
  info.sizeImage = static_cast<std::uint32_t>(colourBytes);
  const std::size_t image = kDibHeaderSize + colourBytes + mask.size();
  const auto head = EncodeIcoFileHead(
      MakeIcoFileHead(picture.width, picture.height, 32, static_cast<std::uint32_t>(image)));
  const auto encodedInfo = EncodeDibHeader(info);
  std::vector<std::uint8_t> ico(kIcoFileHeadSize + image);
  auto out = std::copy(head.begin(), head.end(), ico.begin());
  out = std::copy(encodedInfo.begin(), encodedInfo.end(), out);
  for (int r = 0; r < picture.height; ++r) {
    const std::uint32_t* line = picture.pixels.data() + static_cast<std::size_t>(picture.height - 1 - r) * picture.width;
    for (int x = 0; x < picture.width; ++x, out += 4) le::Put32(&*out, line[x]);
  }
  std::copy(mask.begin(), mask.end(), out);
  return ico;
}

ArgbImage ScaleArgb(const ArgbImage& picture, int width, int height) {
  ArgbImage out;
  if (width <= 0 || height <= 0 || picture.width <= 0 || picture.height <= 0) return out;
  out.width = width;
  out.height = height;
  out.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
  for (int dy = 0; dy < height; ++dy) {
    const std::uint32_t* src =
        picture.pixels.data() + static_cast<std::size_t>(NearestSource(dy, picture.height, height)) * picture.width;
    std::uint32_t* dst = out.pixels.data() + static_cast<std::size_t>(dy) * width;
    for (int dx = 0; dx < width; ++dx) dst[dx] = src[NearestSource(dx, picture.width, width)];
  }
  return out;
}

std::optional<ArgbImage> ResizeIconToArgb(std::span<const std::uint8_t> icoFile, int sizeSel) {
  const auto image = IcoImageBytes(icoFile);
  std::optional<ArgbImage> argb = image ? DecodeIconArgb(*image) : std::nullopt;
  int width = 0;
  int height = 0;
  if (!argb || !TargetSize(sizeSel, argb->width, argb->height, width, height)) return std::nullopt;
  return ScaleArgb(*argb, width, height);
}

std::optional<ResizedIcon> ResizeIconToIco(std::span<const std::uint8_t> icoFile, int sizeSel, bool makeMask) {
  ResizedIcon out;
  // A 32-bit icon keeps its alpha. Its own decode comes first, so its bytes are read once; any
  // other depth falls through to the on-white picture.
  if (makeMask) {
    if (const auto argb = ResizeIconToArgb(icoFile, sizeSel)) {
      const bool anyClear =
          std::any_of(argb->pixels.begin(), argb->pixels.end(), [](std::uint32_t p) { return (p >> 24) == 0; });
      out.mask = anyClear ? MaskResult::Made : MaskResult::NoTransparentPixel;
      out.ico = MakeIco32(*argb);
      return out;
    }
  }
  const auto icon = DecodeIcoFile(icoFile);
  int width = 0;
  int height = 0;
  if (!icon || !TargetSize(sizeSel, icon->onWhite.Width(), icon->onWhite.Height(), width, height))
    return std::nullopt;
  if (makeMask) {
    const KeyedPicture keyed = ReadIcoMask(*icon);
    out.mask = keyed.mask;
    if (keyed.mask == MaskResult::Made) {
      Raster scaled = StretchKeyedPicture(keyed, width, height);
      const auto marks = MarkAndBlacken(scaled, keyed.key);
      out.ico = MakeIco24(scaled, marks);
      return out;
    }
  }
  out.ico = MakeIco24(ScaleNearest(icon->onWhite, width, height), {});
  return out;
}

std::optional<Raster> ResizeIconToPicture(std::span<const std::uint8_t> icoFile, int sizeSel) {
  const auto icon = DecodeIcoFile(icoFile);
  if (!icon || SizeChoicePixels(sizeSel) < 0) return std::nullopt;
  return ScalePictureToSize(icon->onWhite, sizeSel);
}

Raster ScalePictureToSize(const Raster& picture, int sizeSel) {
  int width = 0;
  int height = 0;
  if (!TargetSize(sizeSel, picture.Width(), picture.Height(), width, height)) return {};
  if (sizeSel == 0) return picture;
  return ScaleNearest(picture, width, height);
}

PictureIcon IconFromPicture(const Raster& picture, std::optional<Rgb> maskColour) {
  PictureIcon out;
  Raster copy = picture;
  std::vector<std::uint8_t> marks;
  if (maskColour) {
    if (picture.Width() <= kMaxMaskedPictureSide && picture.Height() <= kMaxMaskedPictureSide)
      marks = MakeIconMask(copy, *maskColour & 0xFFFFFF);
    else
      out.maskRefused = true;
  }
  out.ico = MakeIco24(copy, marks);
  return out;
}

}  // namespace glimmora
