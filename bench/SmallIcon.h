#pragma once
// The small icon file the benchmarks fill folders with: one 16 x 16 image of 16 colours (318
// bytes) whose pixels come from `seed`.

#include <cstdint>
#include <vector>

#include "icons/Dib.h"
#include "icons/IcoFile.h"

namespace glimmora::bench {

inline std::vector<std::uint8_t> SmallIconFile(std::uint32_t& seed) {
  std::vector<std::uint8_t> image(40 + 64 + 128 + 64, 0);
  DibHeader h;
  h.width = 16;
  h.height = 32;
  h.planes = 1;
  h.bitCount = 4;
  const auto head = EncodeDibHeader(h);
  std::copy(head.begin(), head.end(), image.begin());
  // Pixels that never repeat the header's first bytes: every byte has its top bit set.
  for (std::size_t k = 40; k < 40 + 64 + 128; ++k)
    image[k] = static_cast<std::uint8_t>(0x80 | ((seed = seed * 1103515245u + 12345u) >> 24));
  const auto ico = EncodeIcoFileHead(MakeIcoFileHead(16, 16, 4, static_cast<std::uint32_t>(image.size())));
  std::vector<std::uint8_t> bytes(ico.size() + image.size());
  std::copy(ico.begin(), ico.end(), bytes.begin());
  std::copy(image.begin(), image.end(), bytes.begin() + static_cast<std::ptrdiff_t>(ico.size()));
  return bytes;
}

}  // namespace glimmora::bench
