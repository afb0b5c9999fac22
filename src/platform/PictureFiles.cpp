#include "platform/PictureFiles.h"

#include <fcntl.h>
#include <unistd.h>

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageReader>
#include <QPainter>

#include "common/BmpFile.h"
#include "common/FileBytes.h"
#include "common/RegularFile.h"
#include "platform/wmf/WmfPlayer.h"

namespace glimmora {

namespace {

bool SizeAllowed(qint64 width, qint64 height) {
  return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

std::optional<Raster> DecodeWithQt(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return std::nullopt;
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);  // pictures show as stored, whatever their camera notes say
  if (!reader.canRead()) return std::nullopt;
  const QSize size = reader.size();
  if (size.isValid() && !SizeAllowed(size.width(), size.height())) return std::nullopt;
  const QImage image = reader.read();  // the first frame of an animation
  return RasterFromImage(image);
}

std::optional<Raster> DecodeWmf(std::span<const std::uint8_t> bytes) {
  const WmfPicture picture = PlayWmf(bytes);
  return RasterFromImage(picture.image);
}

}  // namespace

std::optional<Raster> RasterFromImage(const QImage& image) {
  if (image.isNull() || !SizeAllowed(image.width(), image.height())) return std::nullopt;
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  if (argb.isNull()) return std::nullopt;
  Raster out(argb.width(), argb.height());
  for (int y = 0; y < argb.height(); ++y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(argb.constScanLine(y));
    for (int x = 0; x < argb.width(); ++x) {
      const QRgb p = line[x];
      const int a = qAlpha(p);
      auto over = [a](int c) { return static_cast<std::uint8_t>((c * a + 255 * (255 - a) + 127) / 255); };
      out.Set(x, y, MakeRgb(over(qRed(p)), over(qGreen(p)), over(qBlue(p))));
    }
  }
  return out;
}

QImage ImageFromRaster(const Raster& raster) {
  if (raster.Empty()) return {};
  QImage image(raster.Width(), raster.Height(), QImage::Format_RGB32);
  for (int y = 0; y < raster.Height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < raster.Width(); ++x) line[x] = 0xFF000000u | raster.At(x, y);
  }
  return image;
}

std::optional<Raster> DecodePictureBytes(std::span<const std::uint8_t> bytes) {
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    if (std::optional<Raster> bmp = ReadBmpFile(bytes)) {
      if (SizeAllowed(bmp->Width(), bmp->Height())) return bmp;
      return std::nullopt;
    }
    // Compressed bitmaps are left to Qt's reader.
    return DecodeWithQt(bytes);
  }
  if (LooksLikeWmf(bytes)) return DecodeWmf(bytes);
  return DecodeWithQt(bytes);
}

std::optional<Raster> LoadPictureFile(const std::string& path) {
  const std::optional<std::vector<std::uint8_t>> bytes = ReadFileBytes(path, kMaxPictureFileBytes);
  if (!bytes || bytes->empty()) return std::nullopt;
  return DecodePictureBytes(*bytes);
}

bool OpenPictureFile(QFile& file, const QString& path) {
  const int fd = OpenRegularFile(QFile::encodeName(path).toStdString(), O_RDONLY);
  if (fd < 0) return false;
  if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
  ::close(fd);
  return false;
}

std::optional<Raster> ClipboardPicture() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return std::nullopt;
  return RasterFromImage(clipboard->image());
}

}  // namespace glimmora
