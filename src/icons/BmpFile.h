#pragma once
// Bitmap files. Everything the program writes as .bmp is a 24-bit bitmap with every header field
// fixed (no resolution, no palette), so the same picture always gives the same bytes.

#include <cstdint>
#include <span>
#include <vector>

#include "icons/Dib.h"
#include "icons/Raster.h"

namespace glimmora {

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpHeadSize = 54;  // file header and BITMAPINFOHEADER

// Bytes of one 24-bit row, filled up to a multiple of 4.
std::int64_t Bmp24RowBytes(std::int64_t width);

// The whole file: "BM", bfSize = 54 + rows, reserved 0, bfOffBits 54; biSize 40, the picture's
// width and height (rows bottom-up), planes 1, 24 bits, no compression, biSizeImage = rows,
// resolution and colour counts 0; then the blue, green, red rows, each zero-filled to 4 bytes.
std::vector<std::uint8_t> WriteBmp24(const Raster& picture);

// Reads a bitmap file: the file header, then a bitmap as DecodeFileDib reads it, its pixels from
// bfOffBits. A file shorter than its headers is damaged; an offset past the end leaves the pixels
// short. Nothing over maxPixels is decoded.
DibPicture ReadBmpPicture(std::span<const std::uint8_t> file, std::int64_t maxPixels);

}  // namespace glimmora
