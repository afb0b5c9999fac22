#pragma once
// Source files for the icon pane tests: icon images written by our own icon writer, laid one after
// another between filler bytes that hold no bitmap header.

#include <cstdint>
#include <string>
#include <vector>

#include "icons/IcoFile.h"
#include "icons/IconResize.h"
#include "icons/Raster.h"

namespace glimmora::testing {

using ImageBytes = std::vector<std::uint8_t>;

// The image part (from its BITMAPINFOHEADER on) of a 24-bit icon of side x side pixels, one colour.
inline ImageBytes SolidIconImage(int side, Rgb colour = MakeRgb(0x30, 0x60, 0x90), int height = -1) {
  const PictureIcon icon = IconFromPicture(Raster(side, height < 0 ? side : height, colour), std::nullopt);
  return ImageBytes(icon.ico.begin() + static_cast<std::ptrdiff_t>(kIcoFileHeadSize), icon.ico.end());
}

// An icon image of another bit count: a 40-byte header, then palette, colour and mask bytes of
// the right length (all 0x11, so the body holds no header of its own).
inline ImageBytes DepthIconImage(int side, int bitCount) {
  const auto sizes = IconRowSizes(side, side * 2, bitCount);
  ImageBytes b(static_cast<std::size_t>(sizes->imageSize), 0x11);
  const std::uint8_t header[16] = {40, 0, 0, 0, static_cast<std::uint8_t>(side), static_cast<std::uint8_t>(side >> 8),
                                   0, 0, static_cast<std::uint8_t>(side * 2), static_cast<std::uint8_t>((side * 2) >> 8),
                                   0, 0, 1, 0, static_cast<std::uint8_t>(bitCount), 0};
  std::fill(b.begin(), b.begin() + 40, 0);
  std::copy(header, header + 16, b.begin());
  return b;
}

struct IconSourceFile {
  std::vector<std::uint8_t> Bytes;
  std::vector<std::int64_t> Positions;  // 1-based position of each image's header
};

// The images one after another, `gap` filler bytes before each and 200 after the last.
inline IconSourceFile LayIcons(const std::vector<ImageBytes>& images, std::size_t gap = 37) {
  IconSourceFile f;
  for (const ImageBytes& image : images) {
    f.Bytes.insert(f.Bytes.end(), gap, 0xAA);
    f.Positions.push_back(static_cast<std::int64_t>(f.Bytes.size()) + 1);
    f.Bytes.insert(f.Bytes.end(), image.begin(), image.end());
  }
  f.Bytes.insert(f.Bytes.end(), 200, 0xAA);
  return f;
}

inline IconSourceFile ManyIcons(int count, int side = 32) {
  std::vector<ImageBytes> images;
  for (int i = 0; i < count; ++i) {
    images.push_back(SolidIconImage(side, MakeRgb(static_cast<std::uint8_t>(0x40 + i % 100), 0x50, 0x60)));
  }
  return LayIcons(images);
}

}  // namespace glimmora::testing
