#include "scan/IconTypeTally.h"

#include "text/LangRows.h"
#include "text/TextCodec.h"

namespace glimmora {

int DepthClassOf(int bitCount) {
  switch (bitCount) {
    case 1: return 0;
    case 4: return 1;
    case 8: return 2;
    case 16: return 3;
    case 24: return 4;
    default: return -1;
  }
}

int SquareSizeClassOf(std::int64_t width) {
  switch (width) {
    case 16: return 0;
    case 32: return 1;
    case 48: return 2;
    case 64: return 3;
    case 72: return 4;
    default: return -1;
  }
}

void TallyImage(IcoTypeTally& tally, std::int64_t width, std::int64_t height, int bitCount) {
  const int depth = DepthClassOf(bitCount);
  if (depth < 0) return;
  const int square = width == height ? SquareSizeClassOf(width) : -1;
  tally.IcoTypeCount[square >= 0 ? square : kOtherSizeClass][depth] += 1;
}

std::string FormatFoundIconTypes(const IcoTypeTally& tally, const IcoTypeNames& names,
                                 const LanguageTable& lang) {
  std::string text;
  for (int a = 0; a <= kOtherSizeClass; ++a) {
    for (int b = 0; b <= 4; ++b) {
      const std::int64_t n = tally.At(a, b);
      if (n <= 0) continue;
      if (lang.CurLang == Language::English) {
        text += names[a][b] + "x " + std::to_string(n) + ",";
      } else {
        text += names[a][b] + std::to_string(n) + lang.Row(kRowTypeCountSuffix);
      }
    }
  }
  if (!text.empty()) {
    // Cut the last character, not the last byte: kRowTypeCountSuffix may end in a multi-byte character.
    const std::size_t keep = Utf8CutLength(text, text.size() - 1);
    text.resize(keep);
  }
  return text;
}

}  // namespace glimmora
