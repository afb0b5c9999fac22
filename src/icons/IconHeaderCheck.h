#pragma once
// The tests a candidate BITMAPINFOHEADER must pass before the bytes behind it are taken as an
// icon image. The header is read as 20 little-endian signed 16-bit words.

#include <cstdint>

namespace glimmora {

constexpr int kInfoHeaderBytes = 40;

enum class HeaderVerdict {
  Step6,        // not a header at all: move on 6 bytes
  Step14,       // a header we do not take: move on 14 bytes
  Standard,     // a square icon of 16, 32, 48 or 64 pixels: always taken
  NonStandard,  // a usable image of any other size: taken by the non-standard-size answer
};

struct CandidateHeader {
  int width = 0;         // biWidth (low word)
  int doubledHeight = 0; // biHeight (low word): colour rows plus mask rows
  int bitCount = 0;      // biBitCount
  std::uint32_t clrUsed = 0;  // biClrUsed: a palette shorter than the bit count allows
  int Height() const { return doubledHeight / 2; }
};

// Word `index` (0..19) of a 40-byte header as a signed 16-bit value.
inline int HeaderWord(const std::uint8_t* header, int index) {
  const auto v = static_cast<std::uint16_t>(header[2 * index] | (header[2 * index + 1] << 8));
  return static_cast<std::int16_t>(v);
}

// Judges the 40 bytes at `header`. Beyond the classic tests, a width or height of 0 or a negative
// one, and a bit count other than 1, 4, 8, 16, 24 or 32, are refused with the 14-byte step:
// nothing sound can be drawn or sized from them.
HeaderVerdict CheckIconHeader(const std::uint8_t* header, CandidateHeader* out);

}  // namespace glimmora
