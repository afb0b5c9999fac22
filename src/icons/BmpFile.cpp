#include "icons/BmpFile.h"

#include <algorithm>

#include "icons/Dib.h"
#include "icons/IcoFile.h"
#include "common/LeBytes.h"

namespace glimmora {

std::int64_t Bmp24RowBytes(std::int64_t width) { return (width * 3 + 3) / 4 * 4; }

std::vector<std::uint8_t> WriteBmp24(const Raster& picture) {
  const int w = picture.Width();
  const int h = picture.Height();
  const std::size_t rowBytes = static_cast<std::size_t>(Bmp24RowBytes(w));
  const std::size_t rows = rowBytes * static_cast<std::size_t>(h);
  std::vector<std::uint8_t> file(kBmpHeadSize + rows, 0);
  std::uint8_t* p = file.data();
  p[0] = 'B';
  p[1] = 'M';
  le::Put32(p + 2, static_cast<std::uint32_t>(file.size()));
  le::Put32(p + 10, static_cast<std::uint32_t>(kBmpHeadSize));
  DibHeader info;
  info.width = w;
  info.height = h;
  info.bitCount = 24;
  info.sizeImage = static_cast<std::uint32_t>(rows);
  const auto encoded = EncodeDibHeader(info);
  std::copy(encoded.begin(), encoded.end(), p + kBmpFileHeaderSize);
  for (int y = 0; y < h; ++y) {
    std::uint8_t* row = p + kBmpHeadSize + static_cast<std::size_t>(h - 1 - y) * rowBytes;
    for (int x = 0; x < w; ++x) {
      const Rgb c = picture.At(x, y);
      row[3 * x] = BlueOf(c);
      row[3 * x + 1] = GreenOf(c);
      row[3 * x + 2] = RedOf(c);
    }
  }
  return file;
}

DibPicture ReadBmpPicture(std::span<const std::uint8_t> file, std::int64_t maxPixels) {
  if (file.size() < kBmpFileHeaderSize + 4 || file[0] != 'B' || file[1] != 'M')
    return DibPicture{Raster(), PictureRefusal::BmpHeaderDamaged};
  const std::uint32_t offBits = le::U32(file.data() + 10);
  const std::size_t headersEnd =
      kBmpFileHeaderSize + std::min<std::uint32_t>(le::U32(file.data() + kBmpFileHeaderSize), kDibHeaderSize);
  if (file.size() < headersEnd || offBits < headersEnd) return DibPicture{Raster(), PictureRefusal::BmpHeaderDamaged};
  if (offBits > file.size()) return DibPicture{Raster(), PictureRefusal::BmpPixelsShort};
  return DecodeFileDib(file.subspan(kBmpFileHeaderSize), file.subspan(offBits), maxPixels);
}

}  // namespace glimmora
