#pragma once
// The single-image icon file that every icon writer produces: a 22-byte head with one directory
// entry, then at offset 22 the image as icons store it (a BITMAPINFOHEADER whose height is doubled,
// the palette, the colour rows and the 1-bit mask rows, all rows bottom-up and padded to 4 bytes).

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace glimmora {

constexpr std::size_t kIcoFileHeadSize = 22;
constexpr std::uint32_t kIcoImageOffset = 22;
constexpr std::size_t kDibHeaderSize = 40;

// The 22-byte head. Icons we write carry a standard directory entry (see MakeIcoFileHead), since
// other programs trust it over the image's own header. Older files of ours hold the bit count in
// the colour byte and zeros in planes and bit count; our readers never take the depth from here,
// only from the image's BITMAPINFOHEADER, so both read the same.
struct IcoFileHead {
  std::uint16_t reserved = 0;
  std::uint16_t type = 1;
  std::uint16_t count = 1;
  std::uint8_t width = 0;        // 0 for 256 pixels or more
  std::uint8_t height = 0;       // 0 when the width or the height is 256 or more
  std::uint16_t colorField = 0;  // low byte: colours in the palette (0 for 256 or more); high byte: reserved
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t bytesInRes = 0;  // the image part: everything from the image offset on
  std::uint32_t imageOffset = kIcoImageOffset;

  bool operator==(const IcoFileHead&) const = default;
};

// The head as its 22 bytes on disk.
std::array<std::uint8_t, kIcoFileHeadSize> EncodeIcoFileHead(const IcoFileHead& head);

// The head from the first 22 bytes of `bytes`; nullopt when there are fewer.
std::optional<IcoFileHead> DecodeIcoFileHead(std::span<const std::uint8_t> bytes);

// The head of an icon of width x height pixels (the real height, not the doubled one) with
// `bitCount` bits per pixel and an image part of `bytesInRes` bytes: colour count 2^bits below 8
// bits and 0 from 8 bits on, reserved 0, planes 1, bit count `bitCount`. The width and height
// bytes are 0 when the picture is 256 pixels or more wide, the height byte also when it is 256
// or more high (it would not fit).
IcoFileHead MakeIcoFileHead(std::int64_t width, std::int64_t height, int bitCount, std::uint32_t bytesInRes);

// Bit counts an image may have: 1, 4, 8, 16, 24 and 32.
bool IsKnownBitCount(int bitCount);

// Bytes of one mask row: a bit per pixel, filled up to a multiple of 4 bytes.
std::int64_t MaskRowBytes(std::int64_t width);

// Bytes of one colour row at `bitCount` bits (32-bit pixels take 4 bytes), filled up to a multiple
// of 4 bytes; 0 for an unknown bit count.
std::int64_t ColorRowBytes(std::int64_t width, int bitCount);

// Bytes of the full palette: 8, 64 or 1024 for 1, 4 and 8 bits, else 0.
std::int64_t PaletteBytes(int bitCount);

// Palette entries an image of `bitCount` bits carries: biClrUsed when it is set and no more than the
// bit count can address, otherwise all 2^bits; none above 8 bits.
std::int64_t PaletteEntries(int bitCount, std::uint32_t clrUsed);

// Sizes of an icon image by the size rule: 40 + full palette + colour rows + mask rows.
struct DibRowSizes {
  std::int64_t imageSize = 0;
  std::int64_t paletteBytes = 0;
  std::int64_t xorRowBytes = 0;  // colour row
  std::int64_t xorBytes = 0;
  std::int64_t andRowBytes = 0;  // mask row
  std::int64_t andBytes = 0;
};

// Sizes of an icon image `width` pixels wide whose header height is `doubledHeight` (twice the
// picture's height), with the palette its biClrUsed gives (0: the full palette). nullopt for an
// unknown bit count, a width outside 1..32767 or a doubled height that is odd or outside
// 2..32767: no sound image has them.
std::optional<DibRowSizes> IconRowSizes(std::int64_t width, std::int64_t doubledHeight, int bitCount,
                                        std::uint32_t clrUsed = 0);

// A whole single-image icon file: the head, then the image bytes at offset 22.
std::vector<std::uint8_t> MakeSingleImageIco(const IcoFileHead& head, std::span<const std::uint8_t> image);

// The same with a head made from the image's own BITMAPINFOHEADER (width, doubled height and bit
// count) and bytes-in-resource = the length of `image`. nullopt when `image` is shorter than the
// 40-byte header or its width or height cannot be a picture (see IconRowSizes).
std::optional<std::vector<std::uint8_t>> MakeSingleImageIco(std::span<const std::uint8_t> image);

// The image part of an icon file: bytes-in-resource bytes from the image offset of the first
// directory entry, cut at the end of the file. nullopt when the head is missing, is not an icon
// head (type 1, at least one image) or points outside the file.
std::optional<std::span<const std::uint8_t>> IcoImageBytes(std::span<const std::uint8_t> file);

}  // namespace glimmora
