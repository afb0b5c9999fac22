#pragma once
// Hand-made icon images for the tests: the bytes are spelled out here, never produced by the
// writers under test.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace glimmora::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Append(Bytes& out, const Bytes& more) { out.insert(out.end(), more.begin(), more.end()); }
inline Bytes Le16(unsigned v) { return {std::uint8_t(v), std::uint8_t(v >> 8)}; }
inline Bytes Le32(std::uint32_t v) {
  return {std::uint8_t(v), std::uint8_t(v >> 8), std::uint8_t(v >> 16), std::uint8_t(v >> 24)};
}

// A BITMAPINFOHEADER with the given fields and everything else 0. `height` is written as given:
// for an icon image, twice the picture's height (the mask below the colours).
inline Bytes InfoHeader(std::int32_t width, std::int32_t height, unsigned bitCount, std::uint32_t clrUsed = 0,
                        unsigned planes = 1, std::uint32_t compression = 0) {
  Bytes b;
  Append(b, Le32(40));
  Append(b, Le32(static_cast<std::uint32_t>(width)));
  Append(b, Le32(static_cast<std::uint32_t>(height)));
  Append(b, Le16(planes));
  Append(b, Le16(bitCount));
  Append(b, Le32(compression));
  Append(b, Bytes(12, 0));  // image size, resolution
  Append(b, Le32(clrUsed));
  Append(b, Le32(0));
  return b;
}

inline Bytes Cat(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const auto& p : parts) Append(out, p);
  return out;
}

// The 22-byte head of a single-image icon as this program writes it: a standard directory entry.
inline Bytes IcoHead(std::uint8_t width, std::uint8_t height, std::uint8_t bits, std::uint32_t bytesInRes) {
  const std::uint8_t colours = bits < 8 ? static_cast<std::uint8_t>(1u << bits) : 0;
  return Cat({{0, 0, 1, 0, 1, 0, width, height, colours, 0, 1, 0, bits, 0}, Le32(bytesInRes), Le32(22)});
}

// The head older files of ours carry: the bit count in the colour byte, planes and bit count 0.
inline Bytes OldIcoHead(std::uint8_t width, std::uint8_t height, std::uint8_t bits, std::uint32_t bytesInRes) {
  return Cat({{0, 0, 1, 0, 1, 0, width, height, bits, 0, 0, 0, 0, 0}, Le32(bytesInRes), Le32(22)});
}

inline Bytes WithIcoHead(const Bytes& image, std::uint8_t width, std::uint8_t height, std::uint8_t bits) {
  return Cat({IcoHead(width, height, bits, static_cast<std::uint32_t>(image.size())), image});
}

}  // namespace glimmora::testing
