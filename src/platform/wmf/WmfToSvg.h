#pragma once
// Windows metafiles drawn through libwmf, which turns them into SVG text that the picture loader
// draws. libwmf's headers define macros that break Qt's, so this header carries neither: only
// standard types cross it.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace glimmora {

struct WmfDrawing {
  std::string svg;  // an SVG document of width x height units
  int width = 0;    // the picture's size in pixels at 96 dots per inch
  int height = 0;
};

// The largest metafile picture we draw, per side and in pixels.
constexpr int kMaxWmfSide = 16384;
constexpr std::int64_t kMaxWmfPixels = std::int64_t{1} << 25;

// True when `bytes` start like a metafile: the placeable header's key, or a plain metafile header
// (type 1 or 2, header size 9 words, version 0x100 or 0x300).
bool LooksLikeWmf(std::span<const std::uint8_t> bytes);

// The metafile as SVG. nullopt when the bytes are no sound metafile (its records must follow each
// other inside the bytes up to the end record), when libwmf cannot draw it, or when its picture
// is empty or larger than the limits above.
std::optional<WmfDrawing> WmfToSvg(std::span<const std::uint8_t> bytes);

}  // namespace glimmora
