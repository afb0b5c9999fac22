#include "platform/RasterImages.h"

#include <algorithm>

namespace glimmora {

bool PictureSizeAllowed(std::int64_t width, std::int64_t height) {
  return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

std::optional<Raster> RasterFromImage(const QImage& image) {
  if (image.isNull() || !PictureSizeAllowed(image.width(), image.height())) return std::nullopt;
  const int width = image.width();
  const int height = image.height();
  Raster out(width, height);
  if (out.Empty()) return std::nullopt;
  // Other formats are converted a band of rows at a time, so a large image is never held twice.
  const bool direct = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32;
  const bool opaque = image.format() == QImage::Format_RGB32;
  const int band = direct ? height : std::max(1, (4 << 20) / (width * 4));
  for (int top = 0; top < height; top += band) {
    const int rows = std::min(band, height - top);
    const QImage part = direct ? image : image.copy(0, top, width, rows).convertToFormat(QImage::Format_ARGB32);
    if (part.isNull()) return std::nullopt;
    for (int r = 0; r < rows; ++r) {
      const QRgb* line = reinterpret_cast<const QRgb*>(part.constScanLine(direct ? top + r : r));
      Rgb* dst = out.MutablePixels() + static_cast<std::size_t>(top + r) * static_cast<std::size_t>(width);
      if (opaque) {
        for (int x = 0; x < width; ++x) dst[x] = line[x] & 0xFFFFFF;
        continue;
      }
      for (int x = 0; x < width; ++x) {
        const QRgb p = line[x];
        const int a = qAlpha(p);
        auto over = [a](int c) { return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255); };
        dst[x] = MakeRgb(over(qRed(p)), over(qGreen(p)), over(qBlue(p)));
      }
    }
  }
  return out;
}

QImage ImageFromRaster(const Raster& raster) {
  if (raster.Empty()) return {};
  QImage image(raster.Width(), raster.Height(), QImage::Format_RGB32);
  if (image.isNull()) return image;  // no memory for it
  for (int y = 0; y < raster.Height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < raster.Width(); ++x) line[x] = 0xFF000000u | raster.At(x, y);
  }
  return image;
}

QImage ImageViewOfRaster(const Raster& raster) {
  if (raster.Empty()) return {};
  return QImage(reinterpret_cast<const uchar*>(raster.Pixels().data()), raster.Width(), raster.Height(),
                static_cast<qsizetype>(raster.Width()) * 4, QImage::Format_RGB32);
}

}  // namespace glimmora
