#include "common/Dib.h"

#include <cstdlib>

#include "common/IcoFile.h"
#include "common/LeBytes.h"

namespace glimmora {
namespace {

constexpr std::int64_t kMaxSide = 32767;

// The layout of an image whose palette starts at `paletteOffset`, with `withMask` mask rows after
// the colour rows. Checks the fields that every image must have right; the caller checks the
// bytes against endOffset.
std::optional<DibLayout> Layout(const DibHeader& h, std::int64_t width, std::int64_t height, bool topDown,
                                bool withMask, std::int64_t paletteOffset) {
  if (width < 1 || width > kMaxSide || height < 1 || height > kMaxSide) return std::nullopt;
  if (width * height > kMaxDecodedPixels) return std::nullopt;
  if (h.planes != 1 || h.compression != 0 || !IsKnownBitCount(h.bitCount)) return std::nullopt;
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

std::optional<Raster> DecodePlainDib(std::span<const std::uint8_t> header, std::span<const std::uint8_t> pixels) {
  const auto h = ParseDibHeader(header);
  if (!h || h->size < kDibHeaderSize) return std::nullopt;
  const bool topDown = h->height < 0;
  const std::int64_t height = std::llabs(static_cast<std::int64_t>(h->height));
  const auto l = Layout(*h, h->width, height, topDown, false, h->size);
  if (!l) return std::nullopt;
  const std::size_t paletteEnd = l->paletteOffset + l->paletteEntries * 4;
  const std::size_t rowsBytes = l->colorRowBytes * static_cast<std::size_t>(l->height);
  if (paletteEnd > header.size() || rowsBytes > pixels.size()) return std::nullopt;
  Raster picture(l->width, l->height);
  DecodeColourRows(*l, header.data() + l->paletteOffset, pixels.data(), picture, nullptr);
  return picture;
}

std::size_t PackedDibTableEntries(const DibHeader& header) {
  return header.bitCount > 8 ? header.clrUsed : static_cast<std::size_t>(PaletteEntries(header.bitCount, header.clrUsed));
}

std::optional<Raster> DecodePackedDib(std::span<const std::uint8_t> dib) {
  const auto h = ParseDibHeader(dib);
  if (!h || h->size < kDibHeaderSize || h->size > dib.size()) return std::nullopt;
  const std::size_t table = PackedDibTableEntries(*h);
  if (table > (dib.size() - h->size) / 4) return std::nullopt;
  const std::size_t rowsAt = h->size + table * 4;
  return DecodePlainDib(dib, dib.subspan(rowsAt));
}

}  // namespace glimmora
