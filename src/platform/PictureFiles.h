#pragma once
// Loading pictures: BMP files through our own decoder (Qt's reader takes the compressed kinds ours
// leaves out), JPG and GIF through Qt's image reader, WMF through our metafile player, and
// the picture on the system clipboard. Every picture comes back drawn on white as a 24-bit raster.
// Nothing larger than the limits below is decoded, whatever its header claims.

#include <QFile>
#include <QImage>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "common/Raster.h"
#include "shared/PictureTool.h"

namespace glimmora {

constexpr std::int64_t kMaxPicturePixels = std::int64_t{1} << 25;  // 32 Mi pixels
constexpr std::size_t kMaxPictureFileBytes = std::size_t{256} << 20;

// The picture in `bytes`, whatever its name says: BMP, WMF, or any kind Qt reads (JPG, GIF, ...).
std::optional<Raster> DecodePictureBytes(std::span<const std::uint8_t> bytes);

// The picture of a file; nullopt when it is missing, unreadable, damaged or too large.
std::optional<Raster> LoadPictureFile(const std::string& path);

// Opens `path` for Qt's image reader when it is a regular file (a pipe would block the reader's
// open). False when it is missing, unreadable or of another kind.
bool OpenPictureFile(QFile& file, const QString& path);

// The picture on the system clipboard; nullopt when it holds none.
std::optional<Raster> ClipboardPicture();

// A Qt image drawn on white (its alpha blended over white); nullopt when it is null or too large.
std::optional<Raster> RasterFromImage(const QImage& image);
// The raster as an opaque RGB32 image.
QImage ImageFromRaster(const Raster& raster);

// The picture reader of the conversion, on the loaders above.
class FilePictureReader : public PictureReader {
 public:
  std::optional<Raster> ReadPicture(const std::string& path) override { return LoadPictureFile(path); }
};

}  // namespace glimmora
