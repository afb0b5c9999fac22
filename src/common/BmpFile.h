#pragma once
// Bitmap files. Everything the program writes as .bmp is a 24-bit bitmap with every header field
// fixed (no resolution, no palette), so the same picture always gives the same bytes.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/Raster.h"

namespace glimmora {

constexpr std::size_t kBmpFileHeaderSize = 14;
constexpr std::size_t kBmpHeadSize = 54;  // file header and BITMAPINFOHEADER

// Bytes of one 24-bit row, filled up to a multiple of 4.
std::int64_t Bmp24RowBytes(std::int64_t width);

// The whole file: "BM", bfSize = 54 + rows, reserved 0, bfOffBits 54; biSize 40, the picture's
// width and height (rows bottom-up), planes 1, 24 bits, no compression, biSizeImage = rows,
// resolution and colour counts 0; then the blue, green, red rows, each zero-filled to 4 bytes.
std::vector<std::uint8_t> WriteBmp24(const Raster& picture);

// Reads a bitmap file: the file header, a BITMAPINFOHEADER (or a larger header) and uncompressed
// pixel rows of 1, 4, 8, 16, 24 or 32 bits from bfOffBits. nullopt for anything else or when the
// bytes run short.
std::optional<Raster> ReadBmpFile(std::span<const std::uint8_t> file);

}  // namespace glimmora
