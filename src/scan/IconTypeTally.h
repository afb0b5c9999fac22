#pragma once
// The tally of found icons by size class and colour-depth class, and the summary text the file
// list shows for it.

#include <array>
#include <cstdint>
#include <string>

#include "text/LanguageTable.h"

namespace glimmora {

// Size classes (first index): 0 = 16, 1 = 32, 2 = 48, 3 = 64, 4 = 72 pixels square, 5 = any other
// image. Depth classes (second index): 0 = 1 bit, 1 = 4, 2 = 8, 3 = 16, 4 = 24 bits per pixel.
// Index 6 of either is never used; the arrays keep it so the layout matches IcoTypeName.
constexpr int kTypeClasses = 7;
constexpr int kOtherSizeClass = 5;

struct IcoTypeTally {
  std::array<std::array<std::int64_t, kTypeClasses>, kTypeClasses> IcoTypeCount{};

  void Clear() { IcoTypeCount = {}; }
  std::int64_t At(int sizeClass, int depthClass) const { return IcoTypeCount[sizeClass][depthClass]; }
  bool operator==(const IcoTypeTally&) const = default;
};

// Names of the classes, built at start-up from the language table.
using IcoTypeNames = std::array<std::array<std::string, kTypeClasses>, kTypeClasses>;

// Depth class of a bit count (1, 4, 8, 16, 24), or -1 for any other bit count.
int DepthClassOf(int bitCount);

// Size class of a square icon's width (16, 32, 48, 64, 72), or -1 for any other width.
int SquareSizeClassOf(std::int64_t width);

// Counts one image of `width` x `height` pixels at `bitCount` bits. A square image of a listed
// width goes to its own class, every other image to class 5; a bit count outside the five depth
// classes is not counted at all.
void TallyImage(IcoTypeTally& tally, std::int64_t width, std::int64_t height, int bitCount);

// The summary of every non-zero class in the order of the classes, e.g. "16x16-16x 2,32x32-256x 1"
// in English (name & "x " & count & ","), name & count & kRowTypeCountSuffix in the other languages, with the
// last character of the whole text cut.
std::string FormatFoundIconTypes(const IcoTypeTally& tally, const IcoTypeNames& names,
                                 const LanguageTable& lang);

}  // namespace glimmora
