#include "icons/IcoFile.h"

#include <algorithm>

#include "common/LeBytes.h"

namespace glimmora {

std::array<std::uint8_t, kIcoFileHeadSize> EncodeIcoFileHead(const IcoFileHead& head) {
  std::array<std::uint8_t, kIcoFileHeadSize> out{};
  le::Put16(&out[0], head.reserved);
  le::Put16(&out[2], head.type);
  le::Put16(&out[4], head.count);
  out[6] = head.width;
  out[7] = head.height;
  le::Put16(&out[8], head.colorField);
  le::Put16(&out[10], head.planes);
  le::Put16(&out[12], head.bitCount);
  le::Put32(&out[14], head.bytesInRes);
  le::Put32(&out[18], head.imageOffset);
  return out;
}

std::optional<IcoFileHead> DecodeIcoFileHead(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kIcoFileHeadSize) return std::nullopt;
  const std::uint8_t* p = bytes.data();
  IcoFileHead head;
  head.reserved = le::U16(p);
  head.type = le::U16(p + 2);
  head.count = le::U16(p + 4);
  head.width = p[6];
  head.height = p[7];
  head.colorField = le::U16(p + 8);
  head.planes = le::U16(p + 10);
  head.bitCount = le::U16(p + 12);
  head.bytesInRes = le::U32(p + 14);
  head.imageOffset = le::U32(p + 18);
  return head;
}

IcoFileHead MakeIcoFileHead(std::int64_t width, std::int64_t height, int bitCount, std::uint32_t bytesInRes) {
  IcoFileHead head;
  const bool wide = width >= 256 || width < 0;
  head.width = wide ? 0 : static_cast<std::uint8_t>(width);
  head.height = (wide || height >= 256 || height < 0) ? 0 : static_cast<std::uint8_t>(height);
  head.colorField = bitCount >= 1 && bitCount < 8 ? static_cast<std::uint16_t>(1u << bitCount) : 0;
  head.planes = 1;
  head.bitCount = static_cast<std::uint16_t>(bitCount & 0xFFFF);
  head.bytesInRes = bytesInRes;
  return head;
}

bool IsKnownBitCount(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 || bitCount == 16 || bitCount == 24 || bitCount == 32;
}

std::int64_t MaskRowBytes(std::int64_t width) { return (width + 31) / 32 * 4; }

std::int64_t ColorRowBytes(std::int64_t width, int bitCount) {
  if (!IsKnownBitCount(bitCount)) return 0;
  return (width * bitCount + 31) / 32 * 4;
}

std::int64_t PaletteBytes(int bitCount) {
  return bitCount == 1 || bitCount == 4 || bitCount == 8 ? std::int64_t{4} << bitCount : 0;
}

std::int64_t PaletteEntries(int bitCount, std::uint32_t clrUsed) {
  if (bitCount > 8 || !IsKnownBitCount(bitCount)) return 0;
  const std::uint32_t full = 1u << bitCount;
  return clrUsed != 0 && clrUsed <= full ? clrUsed : full;
}

std::optional<DibRowSizes> IconRowSizes(std::int64_t width, std::int64_t doubledHeight, int bitCount,
                                        std::uint32_t clrUsed) {
  if (!IsKnownBitCount(bitCount) || width < 1 || width > 32767 || doubledHeight < 2 || doubledHeight > 32767 ||
      doubledHeight % 2 != 0)
    return std::nullopt;
  const std::int64_t height = doubledHeight / 2;
  DibRowSizes s;
  s.paletteBytes = 4 * PaletteEntries(bitCount, clrUsed);
  s.xorRowBytes = ColorRowBytes(width, bitCount);
  s.xorBytes = s.xorRowBytes * height;
  s.andRowBytes = MaskRowBytes(width);
  s.andBytes = s.andRowBytes * height;
  s.imageSize = static_cast<std::int64_t>(kDibHeaderSize) + s.paletteBytes + s.xorBytes + s.andBytes;
  return s;
}

std::vector<std::uint8_t> MakeSingleImageIco(const IcoFileHead& head, std::span<const std::uint8_t> image) {
  std::vector<std::uint8_t> file(kIcoFileHeadSize + image.size());
  const auto encoded = EncodeIcoFileHead(head);
  std::copy(encoded.begin(), encoded.end(), file.begin());
  std::copy(image.begin(), image.end(), file.begin() + kIcoFileHeadSize);
  return file;
}

std::optional<std::vector<std::uint8_t>> MakeSingleImageIco(std::span<const std::uint8_t> image) {
  if (image.size() < kDibHeaderSize || image.size() > UINT32_MAX) return std::nullopt;
  const std::int32_t width = le::I32(image.data() + 4);
  const std::int32_t doubledHeight = le::I32(image.data() + 8);
  if (width < 1 || width > 32767 || doubledHeight < 2 || doubledHeight > 32767 || doubledHeight % 2 != 0)
    return std::nullopt;
  const int bitCount = le::U16(image.data() + 14);
  return MakeSingleImageIco(
      MakeIcoFileHead(width, doubledHeight / 2, bitCount, static_cast<std::uint32_t>(image.size())), image);
}

std::optional<std::span<const std::uint8_t>> IcoImageBytes(std::span<const std::uint8_t> file) {
  const auto head = DecodeIcoFileHead(file);
  if (!head || head->type != 1 || head->count == 0) return std::nullopt;
  if (head->imageOffset < kIcoFileHeadSize || head->imageOffset >= file.size()) return std::nullopt;
  const std::size_t available = file.size() - head->imageOffset;
  const std::size_t length = head->bytesInRes < available ? head->bytesInRes : available;
  return file.subspan(head->imageOffset, length);
}

}  // namespace glimmora
