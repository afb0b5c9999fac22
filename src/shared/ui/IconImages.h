#pragma once
// Our own pictures as Qt images: a decoded icon with its transparency for the lists and the
// preview, and a picture drawn on white for the system clipboard.

#include <QImage>
#include <cstdint>
#include <span>

#include "icons/Dib.h"
#include "icons/Raster.h"

namespace glimmora {

// The icon with its transparent pixels clear (ARGB32); a null image when the bytes hold no icon.
QImage IconToImage(const DecodedIcon& icon);
QImage IcoFileToImage(std::span<const std::uint8_t> icoFile);

// Empties the system clipboard, then puts `raster` on it when it holds a picture. `withAlpha`,
// when given, is the same picture with its alpha and goes on the clipboard in its place, so
// programs that take images with alpha (PNG) get the translucent parts.
void PutOnSystemClipboard(const Raster* raster, const ArgbImage* withAlpha = nullptr);

}  // namespace glimmora
