#include "icons/IconHeaderCheck.h"

#include "common/LeBytes.h"

namespace glimmora {

HeaderVerdict CheckIconHeader(const std::uint8_t* header, CandidateHeader* out) {
  const int w2 = HeaderWord(header, 2), w3 = HeaderWord(header, 3);
  const int w4 = HeaderWord(header, 4), w5 = HeaderWord(header, 5);
  const int w6 = HeaderWord(header, 6), w7 = HeaderWord(header, 7);
  const int w8 = HeaderWord(header, 8), w9 = HeaderWord(header, 9);
  const int w11 = HeaderWord(header, 11);

  if (w3 != 0 || w5 != 0 || w6 != 1) return HeaderVerdict::Step6;
  // A biSizeImage of 64 KiB or more is believed only for an image 256 pixels wide.
  if (w4 % 2 != 0 || w8 != 0 || w9 != 0 || (w11 != 0 && (w11 <= 0 || w2 != 256))) {
    return HeaderVerdict::Step14;
  }
  if (w2 <= 0 || w4 <= 0) return HeaderVerdict::Step14;
  switch (w7) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: return HeaderVerdict::Step14;
  }
  if (out != nullptr) {
    out->width = w2;
    out->doubledHeight = w4;
    out->bitCount = w7;
    out->clrUsed = le::U32(header + 32);
  }
  const int height = w4 / 2;
  if (height == w2 && w2 % 16 == 0 && w2 <= 72) return HeaderVerdict::Standard;
  return HeaderVerdict::NonStandard;
}

}  // namespace glimmora
