#pragma once
// A 24-bit picture in memory, top row first: what an icon looks like once it is drawn on a white
// background. Every resize, mask and bitmap step works on this type.

#include <cstdint>
#include <vector>

namespace glimmora {

// A colour as 0x00RRGGBB.
using Rgb = std::uint32_t;

constexpr Rgb kWhite = 0xFFFFFF;
constexpr Rgb kBlack = 0x000000;

constexpr Rgb MakeRgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return (static_cast<Rgb>(red) << 16) | (static_cast<Rgb>(green) << 8) | blue;
}
constexpr std::uint8_t RedOf(Rgb c) { return static_cast<std::uint8_t>(c >> 16); }
constexpr std::uint8_t GreenOf(Rgb c) { return static_cast<std::uint8_t>(c >> 8); }
constexpr std::uint8_t BlueOf(Rgb c) { return static_cast<std::uint8_t>(c); }
constexpr Rgb Grey(std::uint8_t level) { return MakeRgb(level, level, level); }

class Raster {
 public:
  Raster() = default;
  // A picture of width x height pixels, all `fill`. Negative sizes give an empty picture.
  Raster(int width, int height, Rgb fill = kWhite);

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  // Pixel (x, y), x from the left, y from the top. No range check beyond a debug assertion.
  Rgb At(int x, int y) const { return pixels_[Index(x, y)]; }
  void Set(int x, int y, Rgb colour) { pixels_[Index(x, y)] = colour & 0xFFFFFF; }

  const std::vector<Rgb>& Pixels() const { return pixels_; }
  // The pixels for a decoder that fills the picture in place (rows top first, no padding); it
  // must leave the top byte of every pixel 0.
  Rgb* MutablePixels() { return pixels_.data(); }

  bool operator==(const Raster&) const = default;

 private:
  std::size_t Index(int x, int y) const;

  int width_ = 0;
  int height_ = 0;
  std::vector<Rgb> pixels_;
};

// Nearest-neighbour scaling without any blending of colours: destination pixel (dx, dy) takes
// source pixel (dx * srcWidth / dstWidth, dy * srcHeight / dstHeight) of the top-left srcWidth x
// srcHeight rectangle of `src`. The rectangle is clipped to the picture; an empty source or
// destination gives a white or empty picture of the destination size.
Raster ScaleNearest(const Raster& src, int srcWidth, int srcHeight, int dstWidth, int dstHeight);

// The source index that destination index `d` takes when `srcLength` pixels are scaled to
// `dstLength`: d * srcLength / dstLength, the rule of every nearest-neighbour scaling here.
constexpr int NearestSource(int d, int srcLength, int dstLength) {
  return static_cast<int>(static_cast<std::int64_t>(d) * srcLength / dstLength);
}

// The whole of `src` scaled to dstWidth x dstHeight.
inline Raster ScaleNearest(const Raster& src, int dstWidth, int dstHeight) {
  return ScaleNearest(src, src.Width(), src.Height(), dstWidth, dstHeight);
}

}  // namespace glimmora
