#include "platform/PictureFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <limits>
#include <new>
#include <system_error>
#include <utility>

#include <QBuffer>
#include <QByteArray>
#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImageReader>

#include "common/BmpFile.h"
#include "common/LeBytes.h"
#include "common/RegularFile.h"
#include "platform/wmf/WmfPlayer.h"

namespace glimmora {

namespace {

bool SizeAllowed(qint64 width, qint64 height) {
  return width > 0 && height > 0 && width * height <= kMaxPicturePixels;
}

PictureLoad Refuse(PictureRefusal why, std::string detail) {
  PictureLoad load;
  load.Refusal = why;
  load.Detail = std::move(detail);
  return load;
}

PictureLoad Loaded(Raster picture) {
  PictureLoad load;
  load.Picture = std::move(picture);
  return load;
}

PictureLoad TooManyPixels(qint64 width, qint64 height) {
  return Refuse(PictureRefusal::TooLarge, "the picture is " + std::to_string(width) + " x " + std::to_string(height) +
                                              " pixels, more than " + std::to_string(kMaxPictureMegapixels) +
                                              " megapixels");
}

// The size a bitmap's header claims, so that a picture over the limit is refused before its
// pixels are decoded. Zero when the header is too short to tell.
std::int64_t BmpClaimedPixels(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 26) return 0;
  const std::uint8_t* b = bytes.data();
  if (le::U32(b + 14) == 12) return std::int64_t{le::U16(b + 18)} * le::U16(b + 20);
  const std::int32_t width = le::I32(b + 18);
  const std::int32_t height = le::I32(b + 22);
  return std::abs(std::int64_t{width}) * std::abs(std::int64_t{height});
}

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
    return Refuse(PictureRefusal::TooLarge, "the file is too large");
  AllowLargestPicture();
  const QByteArray data = QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                                  static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return Refuse(PictureRefusal::CannotOpen, "cannot read the bytes");
  QImageReader reader(&buffer);
  reader.setAutoTransform(false);  // pictures show as stored, whatever their camera notes say
  if (!reader.canRead()) return Refuse(PictureRefusal::UnknownKind, "not a kind of picture this program reads");
  const QSize size = reader.size();
  if (size.isValid() && !SizeAllowed(size.width(), size.height())) return TooManyPixels(size.width(), size.height());

  QImage image;
  if (size.isValid()) {
    // A photo decodes straight into the raster when the reader can fill an image of that size and
    // format in place, so the largest picture is held once, not twice.
    Raster out(size.width(), size.height());
    image = QImage(reinterpret_cast<uchar*>(out.MutablePixels()), size.width(), size.height(), size.width() * 4,
                   QImage::Format_RGB32);
    const uchar* const inPlace = image.constBits();
    if (!reader.read(&image) || image.isNull())
      return Refuse(PictureRefusal::Damaged, "damaged picture: " + reader.errorString().toStdString());
    if (image.constBits() == inPlace && image.format() == QImage::Format_RGB32 && image.size() == size) {
      image = QImage();
      Rgb* pixels = out.MutablePixels();
      const std::size_t count = static_cast<std::size_t>(size.width()) * static_cast<std::size_t>(size.height());
      for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0xFFFFFF;
      return Loaded(std::move(out));
    }
  } else {
    image = reader.read();  // the first frame of an animation
    if (image.isNull()) return Refuse(PictureRefusal::Damaged, "damaged picture: " + reader.errorString().toStdString());
  }
  if (!SizeAllowed(image.width(), image.height())) return TooManyPixels(image.width(), image.height());
  std::optional<Raster> raster = RasterFromImage(image);
  if (!raster) return Refuse(PictureRefusal::Damaged, "the picture could not be converted");
  return Loaded(std::move(*raster));
}

// The bytes of a regular file; the size is checked before anything is read.
std::optional<std::vector<std::uint8_t>> ReadPictureBytes(const std::string& path, PictureLoad& refusal) {
  const auto systemReason = [](int err) { return std::error_code(err, std::generic_category()).message(); };
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) {
    // A folder or a pipe, device or socket is refused by kind, without waiting on it.
    const int err = errno;
    refusal = err == EISDIR || err == EINVAL
                  ? Refuse(PictureRefusal::NotRegularFile, "not a regular file")
                  : Refuse(PictureRefusal::CannotOpen, "cannot open the file: " + systemReason(err));
    return std::nullopt;
  }
  struct stat st {};
  std::optional<std::vector<std::uint8_t>> bytes;
  if (::fstat(fd, &st) != 0) {
    refusal = Refuse(PictureRefusal::CannotOpen, "cannot read the file: " + systemReason(errno));
  } else if (st.st_size == 0) {
    refusal = Refuse(PictureRefusal::Empty, "the file is empty");
  } else if (static_cast<std::uint64_t>(st.st_size) > kMaxPictureFileBytes) {
    refusal = Refuse(PictureRefusal::TooLarge, "the file is " + std::to_string(st.st_size) + " bytes, more than " +
                                                   std::to_string(kMaxPictureFileBytes));
  } else {
    bytes.emplace(static_cast<std::size_t>(st.st_size));
    std::size_t got = 0;
    while (got < bytes->size()) {
      const ssize_t n = ::read(fd, bytes->data() + got, bytes->size() - got);
      if (n == 0) break;  // the file shrank meanwhile: decode what is there
      if (n < 0) {
        if (errno == EINTR) continue;
        refusal = Refuse(PictureRefusal::CannotOpen, "cannot read the file: " + systemReason(errno));
        bytes.reset();
        break;
      }
      got += static_cast<std::size_t>(n);
    }
    if (bytes) bytes->resize(got);
  }
  ::close(fd);
  return bytes;
}

PictureLoad DecodeWmf(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop) {
  WmfBudget budget;
  budget.cancel = stop;
  WmfPicture picture = PlayWmf(bytes, budget);
  // Nobody waits for a stopped load; it is never shown, so it needs no reason of its own.
  if (stop != nullptr && stop->load()) return Refuse(PictureRefusal::Damaged, "metafile: the load was stopped");
  if (picture.image.isNull()) {
    return Refuse(picture.tooLarge ? PictureRefusal::TooLarge : PictureRefusal::Damaged, "metafile: " + picture.refusal);
  }
  return PictureFromImage(std::exchange(picture.image, QImage()));
}

}  // namespace

std::optional<Raster> RasterFromImage(const QImage& image) {
  if (image.isNull() || !SizeAllowed(image.width(), image.height())) return std::nullopt;
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

namespace {

PictureLoad DecodeUnguarded(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop) {
  if (bytes.empty()) return Refuse(PictureRefusal::Empty, "the file is empty");
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
    if (BmpClaimedPixels(bytes) > kMaxPicturePixels) {
      return Refuse(PictureRefusal::TooLarge,
                    "the bitmap claims more than " + std::to_string(kMaxPictureMegapixels) + " megapixels");
    }
    if (std::optional<Raster> bmp = ReadBmpFile(bytes)) return Loaded(std::move(*bmp));
    // Compressed bitmaps are left to Qt's reader.
    PictureLoad load = DecodeWithQt(bytes);
    if (load.Refusal == PictureRefusal::UnknownKind) load = Refuse(PictureRefusal::Damaged, "damaged bitmap");
    return load;
  }
  if (LooksLikeWmf(bytes)) {
    return DecodeWmf(bytes, stop);
  }
  if (GifScreenPixels(bytes) > kMaxPicturePixels) {
    return Refuse(PictureRefusal::TooLarge,
                  "the picture's screen is more than " + std::to_string(kMaxPictureMegapixels) + " megapixels");
  }
  return DecodeWithQt(bytes);
}

PictureLoad OutOfMemory() { return Refuse(PictureRefusal::TooLarge, "not enough memory for the picture"); }

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
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) return false;
  if (file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) return true;
  ::close(fd);
  return false;
}

QImage SmallPictureImage(const std::string& path, int maxSide) {
  // Checked before Qt reads it, so a pipe never holds the window.
  QFile file;
  if (!OpenPictureFile(file, path)) return {};
  QImageReader reader(&file);
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > maxSide || size.height() > maxSide) return {};
  return reader.read();
}

QImage ClipboardImage() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard != nullptr ? clipboard->image() : QImage();
}

PictureLoad PictureFromImage(const QImage& image) {
  if (image.isNull()) return Refuse(PictureRefusal::UnknownKind, "no picture");
  if (!SizeAllowed(image.width(), image.height())) return TooManyPixels(image.width(), image.height());
  try {
    std::optional<Raster> raster = RasterFromImage(image);
    if (!raster) return OutOfMemory();
    return Loaded(std::move(*raster));
  } catch (const std::bad_alloc&) {
    return OutOfMemory();
  }
}

}  // namespace glimmora
