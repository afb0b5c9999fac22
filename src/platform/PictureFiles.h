#pragma once
// Loading pictures: BMP files through our own decoder (never through Qt's, which fills the rows a
// damaged bitmap lacks), JPG and GIF through Qt's image reader, WMF through our metafile player,
// and the picture on the system clipboard. Every picture comes back drawn on white as a 24-bit
// raster, or refused with the reason. Nothing larger than the picture limit (RasterImages.h) or
// the file limit below is decoded, whatever its header claims. The loaders touch no widget, so
// they may run on any thread; only TakeClipboardPicture must run on the window's thread.

#include <QFile>
#include <QImage>
#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "icons/PictureRefusal.h"
#include "icons/Raster.h"
#include "platform/RasterImages.h"

namespace glimmora {

// Room for the largest picture as an uncompressed 32-bit bitmap.
constexpr std::size_t kMaxPictureFileBytes = static_cast<std::size_t>(kMaxPicturePixels) * 4 + (std::size_t{1} << 20);

struct PictureLoad {
  Raster Picture;  // empty when refused
  PictureRefusal Refusal = PictureRefusal::None;  // why, told to the user by PictureRefusalRow
  // Loaded, but drawn only as far as the file's data or the drawing's budget went: the user is
  // told so, never shown a half-drawn picture without a word.
  bool CutShort = false;

  bool Ok() const { return Refusal == PictureRefusal::None; }
};

// The picture in `bytes`, whatever its name says: BMP, WMF, or any kind Qt reads (JPG, GIF, ...).
// A metafile stops drawing soon after `stop` (when given) becomes true, and is then refused: its
// caller no longer wants it.
PictureLoad DecodePicture(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop = nullptr);
// The picture of a file. Only a regular file is opened, so a pipe never blocks the caller.
PictureLoad LoadPicture(const std::string& path, const std::atomic<bool>* stop = nullptr);

// How a window loads a picture file: LoadPicture, or a stand-in in tests.
using PictureFileLoader = std::function<PictureLoad(const std::string& path, const std::atomic<bool>* stop)>;

// Opens `path` for Qt's image reader when it is a regular file (a pipe would block the reader's
// own open). False when it is missing, unreadable or of another kind.
bool OpenPictureFile(QFile& file, const std::string& path);

// A small picture for a preview: null unless `path` is a regular file holding an image of at most
// maxSide pixels a side. Quick enough for the window's thread.
QImage SmallPictureImage(const std::string& path, int maxSide);

// What the system clipboard holds as a picture: the bytes of a picture file it offers (another
// program's copy), or else an image (a copy made inside this program).
struct ClipboardPicture {
  std::vector<std::uint8_t> bytes;
  QImage image;

  bool Empty() const { return bytes.empty() && image.isNull(); }
};
// Takes the clipboard's picture without decoding it. Window thread only.
ClipboardPicture TakeClipboardPicture();
// The clipboard's picture on white: bytes as DecodePicture reads them, so a bitmap goes through our
// own decoder and never through the toolkit's, which pads the rows a damaged one lacks. Refused
// (UnknownKind) when the clipboard held no picture.
PictureLoad DecodeClipboardPicture(const ClipboardPicture& clip);
// An image (the clipboard's, a drawn metafile) as a picture on white; refused (UnknownKind) when null.
PictureLoad PictureFromImage(const QImage& image);

}  // namespace glimmora
