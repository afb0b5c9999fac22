#pragma once
// Our 24-bit rasters and Qt's images, one into the other, and the size limit every picture is held
// to. The picture loaders and the metafile player both draw through these, so they sit below both.

#include <QImage>
#include <cstdint>
#include <optional>

#include "icons/Raster.h"

namespace glimmora {

// A current phone's 50-megapixel photo loads with room to spare; a picture held as a raster costs
// four bytes a pixel, so the largest takes 400 MB.
constexpr int kMaxPictureMegapixels = 100;
constexpr std::int64_t kMaxPicturePixels = std::int64_t{kMaxPictureMegapixels} * 1000 * 1000;

// Up to this size (4096 x 4096) a picture costs little enough to be drawn whatever its file holds;
// a larger one must be borne out by what its file draws, or a few bytes could claim hundreds of
// megabytes.
constexpr std::int64_t kUnjustifiedPixels = std::int64_t{4096} * 4096;

// A picture of width x height pixels is within the limit (and has pixels at all).
bool PictureSizeAllowed(std::int64_t width, std::int64_t height);

// A Qt image drawn on white (its alpha blended over white); nullopt when it is null or too large.
std::optional<Raster> RasterFromImage(const QImage& image);
// The raster as an opaque RGB32 image (a copy); null when there is no memory for it.
QImage ImageFromRaster(const Raster& raster);
// The raster seen as an RGB32 image without a copy: valid while `raster` lives unchanged.
QImage ImageViewOfRaster(const Raster& raster);

}  // namespace glimmora
