#include "shared/ui/IconImages.h"

#include <QClipboard>
#include <QGuiApplication>
#include <algorithm>

#include "platform/RasterImages.h"

namespace glimmora {

QImage IconToImage(const DecodedIcon& icon) {
  const Raster& r = icon.onWhite;
  QImage image(r.Width(), r.Height(), QImage::Format_ARGB32);
  for (int y = 0; y < r.Height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < r.Width(); ++x) line[x] = icon.IsTransparent(x, y) ? 0u : (0xFF000000u | r.At(x, y));
  }
  return image;
}

QImage IcoFileToImage(std::span<const std::uint8_t> icoFile) {
  const auto decoded = DecodeIcoFile(icoFile);
  return decoded ? IconToImage(*decoded) : QImage();
}

void PutOnSystemClipboard(const Raster* raster, const ArgbImage* withAlpha) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  if (withAlpha != nullptr && withAlpha->width > 0 && withAlpha->height > 0) {
    QImage image(withAlpha->width, withAlpha->height, QImage::Format_ARGB32);
    for (int y = 0; y < withAlpha->height; ++y)
      std::copy_n(withAlpha->pixels.data() + static_cast<std::size_t>(y) * withAlpha->width, withAlpha->width,
                  reinterpret_cast<QRgb*>(image.scanLine(y)));
    clipboard->setImage(image);
    return;
  }
  if (raster != nullptr && !raster->Empty()) clipboard->setImage(ImageFromRaster(*raster));
}

}  // namespace glimmora
