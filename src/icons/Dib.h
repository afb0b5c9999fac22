#pragma once
// Decoding device-independent bitmaps: the images inside icon files and the pixel part of bitmap
// files. An icon image is drawn the way it shows on a white background: a pixel whose mask bit is
// clear shows its colour, a pixel whose mask bit is set shows white combined with its colour by
// exclusive or (so a black transparent pixel shows white and any other colour inverts).
//
// Every decoder takes the bytes it was given and checks every size against them before it reads
// or allocates: a forged header never makes it read past the end or allocate beyond the limit.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "icons/PictureRefusal.h"
#include "icons/Raster.h"

namespace glimmora {

// The 40-byte BITMAPINFOHEADER, fields as stored.
struct DibHeader {
  std::uint32_t size = 40;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 1;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = 0;
  std::uint32_t sizeImage = 0;
  std::int32_t xPelsPerMeter = 0;
  std::int32_t yPelsPerMeter = 0;
  std::uint32_t clrUsed = 0;
  std::uint32_t clrImportant = 0;

  bool operator==(const DibHeader&) const = default;
};

// The header from the first 40 bytes; nullopt when there are fewer.
std::optional<DibHeader> ParseDibHeader(std::span<const std::uint8_t> bytes);
std::array<std::uint8_t, 40> EncodeDibHeader(const DibHeader& header);

// The largest picture the decoders produce (pixels): far above any icon, and it keeps a forged
// header from asking for gigabytes even when the file behind it is large.
constexpr std::int64_t kMaxDecodedPixels = std::int64_t{1} << 24;

// Where the parts of an image lie, in bytes from the start of its BITMAPINFOHEADER.
struct DibLayout {
  int width = 0;
  int height = 0;  // of the picture: half the header's height for an icon image
  int bitCount = 0;
  bool topDown = false;
  std::size_t paletteOffset = 0;
  std::size_t paletteEntries = 0;  // biClrUsed when it is set and fits, else 2^bits (0 above 8 bits)
  std::size_t colorOffset = 0;
  std::size_t colorRowBytes = 0;
  std::size_t maskOffset = 0;      // icon images only
  std::size_t maskRowBytes = 0;    // 0 for a plain bitmap
  std::size_t endOffset = 0;       // one past the last byte the image uses
};

// The layout of an icon image (header, palette, colour rows, mask rows). nullopt when the header
// is shorter than 40 bytes or unsound: width outside 1..32767, header height odd or outside
// 2..32767, planes other than 1, compression, a bit count other than 1, 4, 8, 16, 24 or 32, more
// pixels than kMaxDecodedPixels, or more bytes than `image` holds.
std::optional<DibLayout> IconImageLayout(std::span<const std::uint8_t> image);

// An icon image as it shows on white, with its transparency.
struct DecodedIcon {
  Raster onWhite;
  // One entry per pixel, top row first: 1 where the mask bit is set (transparent), else 0.
  std::vector<std::uint8_t> transparent;
  int bitCount = 0;

  bool IsTransparent(int x, int y) const {
    return transparent[static_cast<std::size_t>(y) * static_cast<std::size_t>(onWhite.Width()) +
                       static_cast<std::size_t>(x)] != 0;
  }
};

// Decodes an icon image (the bytes from its BITMAPINFOHEADER on). 16-bit pixels are X1R5G5B5, each
// 5-bit channel v widened to (v << 3) | (v >> 2). 32-bit pixels are blue, green, red, alpha; when
// any alpha byte is not 0 they are blended over white by their alpha and the mask does not change
// their colour, otherwise they are drawn like 24-bit pixels. Palette indexes beyond the palette
// show black.
std::optional<DecodedIcon> DecodeIconImage(std::span<const std::uint8_t> image);

// The pixels of a 32-bit icon image as stored, with their alpha: 0xAARRGGBB, top row first. When
// no alpha byte is set the alpha comes from the mask (0 where its bit is set, else 255), as older
// 32-bit icons mean it.
struct ArgbImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
};

// The image (bytes from its BITMAPINFOHEADER on) as an ArgbImage; nullopt unless it is a sound
// 32-bit icon image.
std::optional<ArgbImage> DecodeIconArgb(std::span<const std::uint8_t> image);

// Decodes the image of a single-image icon file (the 22-byte head, then the image).
std::optional<DecodedIcon> DecodeIcoFile(std::span<const std::uint8_t> file);

// A picture decoded from a bitmap, or why there is none.
struct DibPicture {
  Raster picture;  // empty when refused
  PictureRefusal refusal = PictureRefusal::None;

  bool Ok() const { return refusal == PictureRefusal::None; }
};

// The picture of a bitmap file: `header` holds its BITMAPINFOHEADER (or a larger header, or the
// 12-byte BITMAPCOREHEADER of the oldest files) and everything after it, `pixels` the bytes from
// the file's pixel offset on. Besides plain rows (no mask, height not doubled, negative height for
// top-down rows; alpha bytes of 32-bit pixels not used) it takes 16- and 32-bit pixels under
// colour masks and run-length rows of 4 and 8 bits, whose skipped pixels show the first
// palette colour. Rows that run short, runs whose bytes end before the last row, and runs too few
// to paint a picture over a megapixel (two bytes paint at most 255 pixels) are refused
// (BmpPixelsShort): a claimed size is never filled up with made-up pixels. The data is checked
// before the size, so a damaged file is told as damaged; nothing over maxPixels is allocated.
DibPicture DecodeFileDib(std::span<const std::uint8_t> header, std::span<const std::uint8_t> pixels,
                         std::int64_t maxPixels);

// The colours in the table between a packed bitmap's header and its rows: the palette up to 8
// bits, and above that the biClrUsed colours a bitmap of many colours may still carry.
std::size_t PackedDibTableEntries(const DibHeader& header);
// The colour masks between a packed bitmap's 40-byte header and its table (12 or 16 bytes for the
// bit-field kinds; none after a larger header, which holds them itself).
std::size_t PackedDibMaskBytes(const DibHeader& header);

// The picture of a packed bitmap: the BITMAPINFOHEADER (with the colour masks after it), its
// colour table and its pixel rows one after the other in `dib`, as pictures inside other files
// keep them. Read as DecodeFileDib reads them, within the limits of icon images; nullopt when
// refused.
std::optional<Raster> DecodePackedDib(std::span<const std::uint8_t> dib);

}  // namespace glimmora
