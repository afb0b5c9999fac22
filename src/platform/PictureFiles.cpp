#include "platform/PictureFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <new>
#include <utility>

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>
#include <QMimeData>
#include <QStringList>

#include "icons/BmpFile.h"
#include "icons/Dib.h"
#include "common/LeBytes.h"
#include "files/RegularFile.h"
#include "platform/wmf/WmfPlayer.h"

namespace glimmora {

namespace {

PictureLoad Refuse(PictureRefusal why) {
  PictureLoad load;
  load.Refusal = why;
  return load;
}

PictureLoad Loaded(Raster picture) {
  PictureLoad load;
  load.Picture = std::move(picture);
  return load;
}

bool IsBmp(std::span<const std::uint8_t> bytes) { return bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M'; }

// Qt's GIF reader reports the first frame's size but allocates the whole logical screen, so the
// screen is checked first.
std::int64_t GifScreenPixels(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 10 || bytes[0] != 'G' || bytes[1] != 'I' || bytes[2] != 'F') return 0;
  return std::int64_t{le::U16(bytes.data() + 6)} * le::U16(bytes.data() + 8);
}

// Qt refuses images over its own allocation limit (256 MB by default); ours is the pixel limit.
void AllowLargestPicture() {
  static const bool done = [] {
    const auto megabytes = static_cast<int>(kMaxPicturePixels * 4 / (1024 * 1024) + 16);
    if (QImageReader::allocationLimit() < megabytes) QImageReader::setAllocationLimit(megabytes);
    return true;
  }();
  (void)done;
}

PictureLoad DecodeWithQt(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > static_cast<std::size_t>(std::numeric_limits<int>::max()))
    return Refuse(PictureRefusal::FileTooLarge);
  AllowLargestPicture();
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return Refuse(PictureRefusal::CannotOpen);
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);  // pictures show as stored, whatever their camera notes say
  if (!reader.canRead()) return Refuse(PictureRefusal::UnknownKind);
  const QSize size = reader.size();
  if (size.isValid() && !PictureSizeAllowed(size.width(), size.height())) return Refuse(PictureRefusal::TooLarge);

  QImage image;
  if (size.isValid()) {
    // A photo decodes straight into the raster when the reader can fill an image of that size and
    // format in place, so the largest picture is held once, not twice.
    Raster out(size.width(), size.height());
    image = QImage(reinterpret_cast<uchar*>(out.MutablePixels()), size.width(), size.height(), size.width() * 4,
                   QImage::Format_RGB32);
    const uchar* const inPlace = image.constBits();
    if (!reader.read(&image) || image.isNull()) return Refuse(PictureRefusal::Damaged);
    if (image.constBits() == inPlace && image.format() == QImage::Format_RGB32 && image.size() == size) {
      image = QImage();
      Rgb* pixels = out.MutablePixels();
      const std::size_t count = static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height());
      for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0xFFFFFF;
      return Loaded(std::move(out));
    }
  } else {
    image = reader.read();  // the first frame of an animation
    if (image.isNull()) return Refuse(PictureRefusal::Damaged);
  }
  return PictureFromImage(image);
}

// The bytes of a regular file; the size is checked before anything is read.
std::optional<std::vector<std::uint8_t>> ReadPictureBytes(const std::string& path, PictureLoad& refusal) {
  Result<UniqueFd> opened = OpenRegularFile(path, O_RDONLY);
  if (!opened) {
    // A folder or a pipe, device or socket is refused by kind, without waiting on it.
    const int err = opened.Error().sysErrno;
    refusal = Refuse(err == EISDIR || err == EINVAL ? PictureRefusal::NotRegularFile : PictureRefusal::CannotOpen);
    return std::nullopt;
  }
  const int fd = opened->Get();
  struct stat st {};
  std::optional<std::vector<std::uint8_t>> bytes;
  if (::fstat(fd, &st) != 0) {
    refusal = Refuse(PictureRefusal::CannotOpen);
  } else if (st.st_size == 0) {
    refusal = Refuse(PictureRefusal::Empty);
  } else if (static_cast<std::uint64_t>(st.st_size) > kMaxPictureFileBytes) {
    refusal = Refuse(PictureRefusal::FileTooLarge);
  } else {
    bytes.emplace(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < bytes->size()) {
      const ssize_t n = ::read(fd, bytes->data() + got, bytes->size() - got);
      if (n == 0) break;  // the file shrank meanwhile: decode what is there
      if (n < 0) {
        if (errno == EINTR) continue;
        refusal = Refuse(PictureRefusal::CannotOpen);
        bytes.reset();
        break;
      }
      got += static_cast<std::size_t>(n);
    }
    if (bytes) bytes->resize(got);
  }
  return bytes;
}

PictureLoad DecodeWmf(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop) {
  WmfBudget budget;
  budget.cancel = stop;
  WmfPicture picture = PlayWmf(bytes, budget);
  // Nobody waits for a stopped load; it is never shown, so it needs no reason of its own.
  if (stop != nullptr && stop->load()) return Refuse(PictureRefusal::Damaged);
  if (picture.image.isNull()) return Refuse(picture.refusal);
  return PictureFromImage(std::exchange(picture.image, QImage()));
}

PictureLoad DecodeUnguarded(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop) {
  if (bytes.empty()) return Refuse(PictureRefusal::Empty);
  if (IsBmp(bytes)) {
    // What our decoder refuses stays refused: Qt's reader would fill the missing rows and accept a
    // damaged file at whatever size its header claims.
    DibPicture bmp = ReadBmpPicture(bytes, kMaxPicturePixels);
    return bmp.Ok() ? Loaded(std::move(bmp.picture)) : Refuse(bmp.refusal);
  }
  if (LooksLikeWmf(bytes)) {
    return DecodeWmf(bytes, stop);
  }
  if (GifScreenPixels(bytes) > kMaxPicturePixels) return Refuse(PictureRefusal::TooLarge);
  return DecodeWithQt(bytes);
}

PictureLoad OutOfMemory() { return Refuse(PictureRefusal::NoMemory); }

}  // namespace

PictureLoad DecodePicture(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop) {
  try {
    return DecodeUnguarded(bytes, stop);
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  }
}

PictureLoad LoadPicture(const std::string& path, const std::atomic<bool>* stop) {
  try {
    PictureLoad refusal;
    const std::optional<std::vector<std::uint8_t>> bytes = ReadPictureBytes(path, refusal);
    if (!bytes) return refusal;
    return DecodeUnguarded(*bytes, stop);
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  }
}

bool OpenPictureFile(QFile& file, const std::string& path) {
  Result<UniqueFd> fd = OpenRegularFile(path, O_RDONLY);
  if (!fd) return false;
  if (!file.open(fd->Get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return false;
  (void)fd->Release();  // the file closes it now
  return true;
}

QImage SmallPictureImage(const std::string& path, int maxSide) {
  // Checked before Qt reads it, so a pipe never holds the window.
  QFile file;
  if (!OpenPictureFile(file, path)) return {};
  const QByteArray head = file.peek(10);
  const std::span<const std::uint8_t> headBytes(reinterpret_cast<const std::uint8_t*>(head.constData()),
                                                static_cast<std::size_t>(head.size()));
  if (IsBmp(headBytes)) {
    // A bitmap goes through our decoder here too. Room for the largest small one at 32 bits, with
    // its headers and palette.
    const qint64 most = qint64{maxSide} * maxSide * 4 + (qint64{1} << 16);
    if (file.size() > most) return {};
    const QByteArray data = file.readAll();
    const DibPicture bmp = ReadBmpPicture(
        std::span(reinterpret_cast<const std::uint8_t*>(data.constData()), static_cast<std::size_t>(data.size())),
        qint64{maxSide} * maxSide);
    if (!bmp.Ok() || bmp.picture.Width() > maxSide || bmp.picture.Height() > maxSide) return {};
    return ImageFromRaster(bmp.picture);
  }
  // Qt's GIF reader would allocate the whole screen of a GIF, whatever its frame's size.
  if (GifScreenPixels(headBytes) > qint64{maxSide} * maxSide) return {};
  QImageReader reader(&file);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > maxSide || size.height() > maxSide) return {};
  return reader.read();
}

ClipboardPicture TakeClipboardPicture() {
  ClipboardPicture clip;
  const QClipboard* clipboard = QGuiApplication::clipboard();
  const QMimeData* data = clipboard != nullptr ? clipboard->mimeData() : nullptr;
  if (data == nullptr) return clip;
  // Another program offers its picture as file bytes of one or more kinds, which the toolkit's own
  // image() would decode with its own readers. PNG first, as the toolkit takes it; then any other
  // kind in the order offered.
  const QStringList offered = data->formats();
  QStringList kinds;
  if (offered.contains(QStringLiteral("image/png"))) kinds << QStringLiteral("image/png");
  for (const QString& kind : offered) {
    if (kind.startsWith(QStringLiteral("image/")) && !kinds.contains(kind)) kinds << kind;
  }
  for (const QString& kind : kinds) {
    const QByteArray bytes = data->data(kind);
    if (bytes.isEmpty()) continue;
    clip.bytes.assign(bytes.begin(), bytes.end());
    return clip;
  }
  // A picture this program put there is held as an image already.
  if (data->hasImage()) clip.image = qvariant_cast<QImage>(data->imageData());
  return clip;
}

PictureLoad DecodeClipboardPicture(const ClipboardPicture& clip) {
  if (!clip.bytes.empty()) return DecodePicture(clip.bytes);
  return PictureFromImage(clip.image);
}

PictureLoad PictureFromImage(const QImage& image) {
  if (image.isNull()) return Refuse(PictureRefusal::UnknownKind);
  if (!PictureSizeAllowed(image.width(), image.height())) return Refuse(PictureRefusal::TooLarge);
  try {
    std::optional<Raster> raster = RasterFromImage(image);
    if (!raster) return OutOfMemory();
    return Loaded(std::move(*raster));
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  }
}

}  // namespace glimmora
