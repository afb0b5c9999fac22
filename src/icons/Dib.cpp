#include "icons/Dib.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "icons/IcoFile.h"
#include "common/LeBytes.h"

namespace glimmora {
namespace {

constexpr std::int64_t kMaxSide = 32767;
constexpr std::uint32_t kCoreHeaderSize = 12;
// The largest run-length picture (a megapixel) whose runs may leave any part of it blank.
constexpr std::int64_t kRunLengthBlankPixels = std::int64_t{1} << 20;

// What is wrong with the shape of an image before its bytes are looked at: an impossible size or
// plane count is damage, a bit count outside 1, 4, 8, 16, 24 and 32 a kind not decoded here.
PictureRefusal ShapeFault(const DibHeader& h, std::int64_t width, std::int64_t height) {
  if (width < 1 || height < 1 || h.planes != 1) return PictureRefusal::BmpHeaderDamaged;
  if (!IsKnownBitCount(h.bitCount)) return PictureRefusal::BmpNotRead;
  return PictureRefusal::None;
}

bool WithinLimits(std::int64_t width, std::int64_t height, std::int64_t maxSide, std::int64_t maxPixels) {
  return width <= maxSide && height <= maxSide && width * height <= maxPixels;
}

// Where the parts of a sound image lie, its palette starting at `paletteOffset`, with `withMask`
// mask rows after the colour rows. The caller has checked the shape and the size.
DibLayout MakeLayout(const DibHeader& h, std::int64_t width, std::int64_t height, bool topDown, bool withMask,
                     std::int64_t paletteOffset) {
  DibLayout l;
  l.width = static_cast<int>(width);
  l.height = static_cast<int>(height);
  l.bitCount = h.bitCount;
  l.topDown = topDown;
  l.paletteOffset = static_cast<std::size_t>(paletteOffset);
  l.paletteEntries = static_cast<std::size_t>(PaletteEntries(h.bitCount, h.clrUsed));
  const std::int64_t colorOffset = paletteOffset + static_cast<std::int64_t>(l.paletteEntries) * 4;
  const std::int64_t colorRow = ColorRowBytes(width, h.bitCount);
  const std::int64_t maskOffset = colorOffset + colorRow * height;
  const std::int64_t maskRow = withMask ? MaskRowBytes(width) : 0;
  l.colorOffset = static_cast<std::size_t>(colorOffset);
  l.colorRowBytes = static_cast<std::size_t>(colorRow);
  l.maskOffset = static_cast<std::size_t>(maskOffset);
  l.maskRowBytes = static_cast<std::size_t>(maskRow);
  l.endOffset = static_cast<std::size_t>(maskOffset + maskRow * height);
  return l;
}

// The layout of an icon image, within the limits of icons.
std::optional<DibLayout> Layout(const DibHeader& h, std::int64_t width, std::int64_t height, bool topDown,
                                bool withMask, std::int64_t paletteOffset) {
  if (h.compression != 0 || ShapeFault(h, width, height) != PictureRefusal::None ||
      !WithinLimits(width, height, kMaxSide, kMaxDecodedPixels))
    return std::nullopt;
  return MakeLayout(h, width, height, topDown, withMask, paletteOffset);
}

Rgb PaletteColour(const std::uint8_t* palette, std::size_t entries, unsigned index) {
  if (index >= entries) return kBlack;
  const std::uint8_t* e = palette + static_cast<std::size_t>(index) * 4;
  return MakeRgb(e[2], e[1], e[0]);
}

std::uint8_t Widen5(unsigned v) { return static_cast<std::uint8_t>((v << 3) | (v >> 2)); }

// Colour rows into `out` (top row first); `alpha`, when given, receives the 32-bit alpha bytes and
// the result tells whether any of them is not 0.
bool DecodeColourRows(const DibLayout& l, const std::uint8_t* palette, const std::uint8_t* rows, Raster& out,
                      std::vector<std::uint8_t>* alpha) {
  bool anyAlpha = false;
  for (int r = 0; r < l.height; ++r) {
    const int y = l.topDown ? r : l.height - 1 - r;
    const std::uint8_t* row = rows + static_cast<std::size_t>(r) * l.colorRowBytes;
    for (int x = 0; x < l.width; ++x) {
      Rgb c = kBlack;
      switch (l.bitCount) {
        case 1:
          c = PaletteColour(palette, l.paletteEntries, (row[x >> 3] >> (7 - (x & 7))) & 1u);
          break;
        case 4:
          c = PaletteColour(palette, l.paletteEntries, (row[x >> 1] >> ((x & 1) ? 0 : 4)) & 0xFu);
          break;
        case 8:
          c = PaletteColour(palette, l.paletteEntries, row[x]);
          break;
        case 16: {
          const unsigned v = le::U16(row + 2 * x);
          c = MakeRgb(Widen5((v >> 10) & 31u), Widen5((v >> 5) & 31u), Widen5(v & 31u));
          break;
        }
        case 24:
          c = MakeRgb(row[3 * x + 2], row[3 * x + 1], row[3 * x]);
          break;
        case 32: {
          const std::uint8_t* p = row + 4 * static_cast<std::size_t>(x);
          c = MakeRgb(p[2], p[1], p[0]);
          if (alpha != nullptr) {
            (*alpha)[static_cast<std::size_t>(y) * l.width + x] = p[3];
            anyAlpha = anyAlpha || p[3] != 0;
          }
          break;
        }
        default:
          break;
      }
      out.Set(x, y, c);
    }
  }
  return anyAlpha;
}

// Whether the mask bit of pixel (x, y), y from the top, is set; the mask rows are stored bottom
// row first.
bool MaskBitSet(const DibLayout& l, const std::uint8_t* image, int x, int y) {
  const std::uint8_t* row = image + l.maskOffset + static_cast<std::size_t>(l.height - 1 - y) * l.maskRowBytes;
  return ((row[x >> 3] >> (7 - (x & 7))) & 1u) != 0;
}

std::uint8_t OverWhite(std::uint8_t channel, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((channel * alpha + 255 * (255 - alpha) + 127) / 255);
}

}  // namespace

std::optional<DibHeader> ParseDibHeader(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kDibHeaderSize) return std::nullopt;
  const std::uint8_t* p = bytes.data();
  DibHeader h;
  h.size = le::U32(p);
  h.width = le::I32(p + 4);
  h.height = le::I32(p + 8);
  h.planes = le::U16(p + 12);
  h.bitCount = le::U16(p + 14);
  h.compression = le::U32(p + 16);
  h.sizeImage = le::U32(p + 20);
  h.xPelsPerMeter = le::I32(p + 24);
  h.yPelsPerMeter = le::I32(p + 28);
  h.clrUsed = le::U32(p + 32);
  h.clrImportant = le::U32(p + 36);
  return h;
}

std::array<std::uint8_t, 40> EncodeDibHeader(const DibHeader& h) {
  std::array<std::uint8_t, 40> out{};
  std::uint8_t* p = out.data();
  le::Put32(p, h.size);
  le::Put32(p + 4, static_cast<std::uint32_t>(h.width));
  le::Put32(p + 8, static_cast<std::uint32_t>(h.height));
  le::Put16(p + 12, h.planes);
  le::Put16(p + 14, h.bitCount);
  le::Put32(p + 16, h.compression);
  le::Put32(p + 20, h.sizeImage);
  le::Put32(p + 24, static_cast<std::uint32_t>(h.xPelsPerMeter));
  le::Put32(p + 28, static_cast<std::uint32_t>(h.yPelsPerMeter));
  le::Put32(p + 32, h.clrUsed);
  le::Put32(p + 36, h.clrImportant);
  return out;
}

std::optional<DibLayout> IconImageLayout(std::span<const std::uint8_t> image) {
  const auto h = ParseDibHeader(image);
  if (!h || h->size < kDibHeaderSize || h->height % 2 != 0) return std::nullopt;
  const auto l = Layout(*h, h->width, h->height / 2, false, true, h->size);
  if (!l || l->endOffset > image.size()) return std::nullopt;
  return l;
}

std::optional<DecodedIcon> DecodeIconImage(std::span<const std::uint8_t> image) {
  const auto l = IconImageLayout(image);
  if (!l) return std::nullopt;
  DecodedIcon icon;
  icon.bitCount = l->bitCount;
  icon.onWhite = Raster(l->width, l->height);
  const std::size_t pixels = static_cast<std::size_t>(l->width) * static_cast<std::size_t>(l->height);
  icon.transparent.assign(pixels, 0);
  std::vector<std::uint8_t> alpha;
  if (l->bitCount == 32) alpha.assign(pixels, 0);
  const bool blend = DecodeColourRows(*l, image.data() + l->paletteOffset, image.data() + l->colorOffset,
                                      icon.onWhite, l->bitCount == 32 ? &alpha : nullptr);
  for (int y = 0; y < l->height; ++y) {
    for (int x = 0; x < l->width; ++x) {
      const bool set = MaskBitSet(*l, image.data(), x, y);
      const std::size_t i = static_cast<std::size_t>(y) * l->width + x;
      icon.transparent[i] = set ? 1 : 0;
      const Rgb c = icon.onWhite.At(x, y);
      if (blend) {
        const std::uint8_t a = alpha[i];
        icon.onWhite.Set(x, y, MakeRgb(OverWhite(RedOf(c), a), OverWhite(GreenOf(c), a), OverWhite(BlueOf(c), a)));
      } else if (set) {
        icon.onWhite.Set(x, y, kWhite ^ c);
      }
    }
  }
  return icon;
}

std::optional<ArgbImage> DecodeIconArgb(std::span<const std::uint8_t> image) {
  const auto l = IconImageLayout(image);
  if (!l || l->bitCount != 32) return std::nullopt;
  const std::size_t pixels = static_cast<std::size_t>(l->width) * static_cast<std::size_t>(l->height);
  Raster colours(l->width, l->height);
  std::vector<std::uint8_t> alpha(pixels, 0);
  const bool anyAlpha =
      DecodeColourRows(*l, image.data() + l->paletteOffset, image.data() + l->colorOffset, colours, &alpha);
  ArgbImage out;
  out.width = l->width;
  out.height = l->height;
  out.pixels.resize(pixels);
  for (int y = 0; y < l->height; ++y) {
    for (int x = 0; x < l->width; ++x) {
      const std::size_t i = static_cast<std::size_t>(y) * l->width + x;
      const std::uint32_t a = anyAlpha ? alpha[i] : (MaskBitSet(*l, image.data(), x, y) ? 0u : 255u);
      out.pixels[i] = (a << 24) | colours.At(x, y);
    }
  }
  return out;
}

std::optional<DecodedIcon> DecodeIcoFile(std::span<const std::uint8_t> file) {
  const auto image = IcoImageBytes(file);
  if (!image) return std::nullopt;
  return DecodeIconImage(*image);
}

std::size_t PackedDibTableEntries(const DibHeader& header) {
  return header.bitCount > 8 ? header.clrUsed : static_cast<std::size_t>(PaletteEntries(header.bitCount, header.clrUsed));
}

std::size_t PackedDibMaskBytes(const DibHeader& header) {
  if (header.size != kDibHeaderSize) return 0;
  return header.compression == 3 ? 12 : header.compression == 6 ? 16 : 0;
}

std::optional<Raster> DecodePackedDib(std::span<const std::uint8_t> dib) {
  const auto h = ParseDibHeader(dib);
  if (!h || h->size < kDibHeaderSize || h->size > dib.size()) return std::nullopt;
  const std::size_t masks = PackedDibMaskBytes(*h);
  const std::size_t table = PackedDibTableEntries(*h);
  if (dib.size() - h->size < masks || table > (dib.size() - h->size - masks) / 4) return std::nullopt;
  const std::size_t rowsAt = h->size + masks + table * 4;
  DibPicture decoded = DecodeFileDib(dib, dib.subspan(rowsAt), kMaxDecodedPixels);
  if (!decoded.Ok()) return std::nullopt;
  return std::move(decoded.picture);
}

namespace {

DibPicture Refused(PictureRefusal why) { return DibPicture{Raster(), why}; }

// Uncompressed rows at the start of `pixels`, with `paletteEntries` 4-byte colours at `palette`.
DibPicture DecodeUncompressed(const DibHeader& h, std::int64_t width, std::int64_t height, bool topDown,
                              const std::uint8_t* palette, std::size_t paletteEntries,
                              std::span<const std::uint8_t> pixels, std::int64_t maxPixels) {
  if (const PictureRefusal fault = ShapeFault(h, width, height); fault != PictureRefusal::None) return Refused(fault);
  const std::int64_t rowBytes = ColorRowBytes(width, h.bitCount);
  if (static_cast<std::uint64_t>(height) > pixels.size() / static_cast<std::uint64_t>(rowBytes))
    return Refused(PictureRefusal::BmpPixelsShort);
  if (!WithinLimits(width, height, maxPixels, maxPixels)) return Refused(PictureRefusal::TooLarge);
  DibLayout l = MakeLayout(h, width, height, topDown, false, 0);
  l.paletteEntries = paletteEntries;
  Raster picture(l.width, l.height);
  DecodeColourRows(l, palette, pixels.data(), picture, nullptr);
  return DibPicture{std::move(picture)};
}

// The oldest bitmaps: a header of 16-bit fields (width, height, planes, bit count) and a full
// palette of 3-byte colours.
DibPicture DecodeCoreDib(std::span<const std::uint8_t> header, std::span<const std::uint8_t> pixels,
                         std::int64_t maxPixels) {
  if (header.size() < kCoreHeaderSize) return Refused(PictureRefusal::BmpHeaderDamaged);
  DibHeader h;
  h.size = kCoreHeaderSize;
  h.width = le::U16(header.data() + 4);
  h.height = le::U16(header.data() + 6);
  h.planes = le::U16(header.data() + 8);
  h.bitCount = le::U16(header.data() + 10);
  const auto entries = static_cast<std::size_t>(PaletteEntries(h.bitCount, 0));
  if ((header.size() - kCoreHeaderSize) / 3 < entries) return Refused(PictureRefusal::BmpPixelsShort);
  std::vector<std::uint8_t> palette(entries * 4, 0);
  for (std::size_t i = 0; i < entries; ++i) std::copy_n(header.data() + kCoreHeaderSize + 3 * i, 3, &palette[4 * i]);
  return DecodeUncompressed(h, h.width, h.height, false, palette.data(), entries, pixels, maxPixels);
}

// A colour mask as a shift and the largest value under it, so a channel widens to 8 bits.
struct ChannelMask {
  std::uint32_t mask = 0;
  int shift = 0;
  std::uint32_t max = 0;

  explicit ChannelMask(std::uint32_t m) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1u) == 0) ++shift;
    max = mask >> shift;
  }
  std::uint8_t Of(std::uint32_t pixel) const {
    if (max == 0) return 0;
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>((pixel & mask) >> shift) * 255 / max);
  }
};

// 16- and 32-bit pixels whose red, green and blue lie where three masks say; the masks follow the
// 40-byte header or sit inside a longer one, at the same place.
DibPicture DecodeMaskedDib(const DibHeader& h, std::span<const std::uint8_t> header,
                           std::span<const std::uint8_t> pixels, std::int64_t maxPixels) {
  if (h.bitCount != 16 && h.bitCount != 32) return Refused(PictureRefusal::BmpNotRead);
  const bool topDown = h.height < 0;
  const std::int64_t width = h.width;
  const std::int64_t height = std::llabs(static_cast<std::int64_t>(h.height));
  if (const PictureRefusal fault = ShapeFault(h, width, height); fault != PictureRefusal::None) return Refused(fault);
  if (header.size() < kDibHeaderSize + 12) return Refused(PictureRefusal::BmpHeaderDamaged);
  const std::int64_t rowBytes = ColorRowBytes(width, h.bitCount);
  if (static_cast<std::uint64_t>(height) > pixels.size() / static_cast<std::uint64_t>(rowBytes))
    return Refused(PictureRefusal::BmpPixelsShort);
  if (!WithinLimits(width, height, maxPixels, maxPixels)) return Refused(PictureRefusal::TooLarge);
  const std::uint8_t* m = header.data() + kDibHeaderSize;
  const ChannelMask red(le::U32(m)), green(le::U32(m + 4)), blue(le::U32(m + 8));
  Raster picture(static_cast<int>(width), static_cast<int>(height));
  for (int r = 0; r < picture.Height(); ++r) {
    const std::uint8_t* row = pixels.data() + static_cast<std::size_t>(r) * static_cast<std::size_t>(rowBytes);
    const int y = topDown ? r : picture.Height() - 1 - r;
    for (int x = 0; x < picture.Width(); ++x) {
      const std::uint32_t v = h.bitCount == 16 ? le::U16(row + 2 * static_cast<std::size_t>(x))
                                               : le::U32(row + 4 * static_cast<std::size_t>(x));
      picture.Set(x, y, MakeRgb(red.Of(v), green.Of(v), blue.Of(v)));
    }
  }
  return DibPicture{std::move(picture)};
}

// How a walk over run-length rows ended.
struct RunsWalked {
  bool ended = false;   // the end-of-picture mark was reached
  int rowsLeft = 0;     // rows the runs never reached
  std::int64_t painted = 0;
};

// Walks run-length rows (bottom row first), handing each painted pixel to put(x, y from the
// bottom, palette index). Runs that reach outside the picture are cut; every step reads at least
// two bytes, so the walk ends with the bytes.
template <class Put>
RunsWalked WalkRuns(std::span<const std::uint8_t> data, bool four, int width, int height, Put put) {
  RunsWalked walked;
  int x = 0;
  int y = 0;
  const auto paint = [&](unsigned index) {
    if (x < width && y < height) {
      put(x, y, index);
      ++walked.painted;
    }
    ++x;
  };
  std::size_t i = 0;
  while (y < height && i + 1 < data.size()) {
    const std::uint8_t count = data[i];
    const std::uint8_t value = data[i + 1];
    i += 2;
    if (count > 0) {
      for (int k = 0; k < count && x < width; ++k) paint(four ? ((k & 1) ? value & 0xFu : value >> 4) : value);
    } else if (value == 0) {
      x = 0;
      ++y;
    } else if (value == 1) {
      walked.ended = true;
      break;
    } else if (value == 2) {
      if (i + 1 >= data.size()) break;
      x += data[i];
      y += data[i + 1];
      i += 2;
    } else {
      const std::size_t bytes = four ? (value + 1u) / 2 : value;
      if (data.size() - i < bytes) break;
      for (int k = 0; k < value && x < width; ++k)
        paint(four ? ((k & 1) ? data[i + k / 2] & 0xFu : data[i + k / 2] >> 4) : data[i + k]);
      i += (bytes + 1) & ~std::size_t{1};
    }
  }
  // A row is reached once a run moved into it.
  walked.rowsLeft = std::max(0, height - y - (x > 0 ? 1 : 0));
  return walked;
}

// Run-length rows of 8 or 4 bits. The runs are walked once before the picture is made, so a
// stream that paints nothing, or whose bytes end before its last row, costs no memory.
DibPicture DecodeRunLengthDib(const DibHeader& h, std::span<const std::uint8_t> header,
                              std::span<const std::uint8_t> data, std::int64_t maxPixels) {
  const bool four = h.compression == 2;
  if (h.bitCount != (four ? 4 : 8)) return Refused(PictureRefusal::BmpNotRead);
  // Run-length rows are always stored bottom row first, so a negative height is damage too.
  if (const PictureRefusal fault = ShapeFault(h, h.width, h.height); fault != PictureRefusal::None)
    return Refused(fault);
  const auto entries = static_cast<std::size_t>(PaletteEntries(h.bitCount, h.clrUsed));
  if ((header.size() - h.size) / 4 < entries) return Refused(PictureRefusal::BmpPixelsShort);
  // Each two bytes of runs paint at most 255 pixels. A picture larger than its runs could paint
  // leaves the rest to colour 0, which real encoders do for the blank parts of small pictures
  // (ending early, skipping rows); past kRunLengthBlankPixels the runs must be able to paint it,
  // so that a forged size on a few bytes is told as short rather than filled out.
  const std::int64_t area = std::int64_t{h.width} * h.height;
  if (area > kRunLengthBlankPixels && area > static_cast<std::int64_t>(data.size() / 2) * 255)
    return Refused(PictureRefusal::BmpPixelsShort);
  // A damaged stream is told as damage, even when its header also claims too much.
  const RunsWalked walked = WalkRuns(data, four, h.width, h.height, [](int, int, unsigned) {});
  if (walked.painted == 0 || (!walked.ended && walked.rowsLeft > 0)) return Refused(PictureRefusal::BmpPixelsShort);
  if (!WithinLimits(h.width, h.height, maxPixels, maxPixels)) return Refused(PictureRefusal::TooLarge);
  const std::uint8_t* palette = header.data() + h.size;
  Raster picture(h.width, h.height, PaletteColour(palette, entries, 0));
  WalkRuns(data, four, h.width, h.height, [&](int x, int y, unsigned index) {
    picture.Set(x, h.height - 1 - y, PaletteColour(palette, entries, index));
  });
  return DibPicture{std::move(picture)};
}

}  // namespace

DibPicture DecodeFileDib(std::span<const std::uint8_t> header, std::span<const std::uint8_t> pixels,
                         std::int64_t maxPixels) {
  if (header.size() >= 4 && le::U32(header.data()) == kCoreHeaderSize) return DecodeCoreDib(header, pixels, maxPixels);
  const auto h = ParseDibHeader(header);
  if (!h || h->size < kDibHeaderSize || h->size > header.size()) return Refused(PictureRefusal::BmpHeaderDamaged);
  switch (h->compression) {
    case 0:
      break;
    case 1:
    case 2:
      return DecodeRunLengthDib(*h, header, pixels, maxPixels);
    case 3:
    case 6:  // the same masks with one for alpha, which a plain bitmap does not use
      return DecodeMaskedDib(*h, header, pixels, maxPixels);
    default:  // pictures carried inside in another format
      return Refused(PictureRefusal::BmpNotRead);
  }
  const auto entries = static_cast<std::size_t>(PaletteEntries(h->bitCount, h->clrUsed));
  if ((header.size() - h->size) / 4 < entries) return Refused(PictureRefusal::BmpPixelsShort);
  return DecodeUncompressed(*h, h->width, std::llabs(static_cast<std::int64_t>(h->height)), h->height < 0,
                            header.data() + h->size, entries, pixels, maxPixels);
}

}  // namespace glimmora
