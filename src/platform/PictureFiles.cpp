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

// What a file holds, told by its first bytes (at most kHeadBytes of them).
enum class Kind { Unknown, Bmp, Wmf, Gif, Jpeg, Png, OtherForQt };

constexpr std::size_t kHeadBytes = std::size_t{64} << 10;

bool StartsWith(std::span<const std::uint8_t> bytes, std::initializer_list<std::uint8_t> magic) {
  return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

Kind KindOf(std::span<const std::uint8_t> head) {
  head = head.first(std::min(head.size(), kHeadBytes));
  if (IsBmp(head)) return Kind::Bmp;
  if (LooksLikeWmf(head)) return Kind::Wmf;
  if (StartsWith(head, {'G', 'I', 'F', '8'})) return Kind::Gif;
  if (StartsWith(head, {0xFF, 0xD8, 0xFF})) return Kind::Jpeg;
  if (StartsWith(head, {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'})) return Kind::Png;
  // Any other kind the toolkit reads is known to it by its first bytes too.
  QBuffer buffer;
  buffer.setData(reinterpret_cast<const char*>(head.data()), static_cast<qsizetype>(head.size()));
  if (!buffer.open(QIODevice::ReadOnly)) return Kind::Unknown;
  return QImageReader(&buffer).canRead() ? Kind::OtherForQt : Kind::Unknown;
}

std::uint32_t Be16(std::span<const std::uint8_t> b, std::size_t at) {
  return (std::uint32_t{b[at]} << 8) | b[at + 1];
}
std::uint32_t Be32(std::span<const std::uint8_t> b, std::size_t at) { return (Be16(b, at) << 16) | Be16(b, at + 2); }

// What a file's header claims and what its data can bear out, read before anything is decoded.
struct Claim {
  std::int64_t pixels = 0;   // the picture's pixels as the header claims them; 0 when not read
  std::int64_t canPaint = 0;  // the most pixels the data could paint, whatever its content
  bool endsEarly = false;     // the data stops before its own end mark
  bool refuse = false;        // a claim that no sound file of this kind makes
};

// Pixels that `codes` LZW codes can give at the most: each code adds at most one pixel to the
// longest string the table holds, and no string is longer than the table's 4096 entries.
std::int64_t LzwMostPixels(std::int64_t codes) {
  constexpr std::int64_t kTable = 4096;
  if (codes <= kTable) return codes * (codes + 1) / 2;
  return kTable * (kTable + 1) / 2 + (codes - kTable) * kTable;
}

// The first frame of a GIF: its pixels against what its LZW data can give. A logical screen far
// larger than its first frame is a claim too: the reader fills all of it.
Claim GifClaim(std::span<const std::uint8_t> b) {
  Claim c;
  if (b.size() < 13) return c;
  const std::int64_t screen = std::int64_t{le::U16(b.data() + 6)} * le::U16(b.data() + 8);
  std::size_t pos = 13 + ((b[10] & 0x80) != 0 ? std::size_t{3} << ((b[10] & 7) + 1) : 0);
  const auto skipBlocks = [&](std::int64_t* data) {
    while (pos < b.size()) {
      const std::size_t n = b[pos++];
      if (n == 0) return true;
      if (data != nullptr) *data += static_cast<std::int64_t>(std::min(n, b.size() - pos));
      pos += n;
    }
    return false;
  };
  while (pos < b.size() && b[pos] == 0x21) {  // extensions before the frame
    pos += 2;
    skipBlocks(nullptr);
  }
  if (pos + 11 > b.size() || b[pos] != 0x2C) return c;
  c.pixels = std::int64_t{le::U16(b.data() + pos + 5)} * le::U16(b.data() + pos + 7);
  const std::uint8_t flags = b[pos + 9];
  pos += 10 + ((flags & 0x80) != 0 ? std::size_t{3} << ((flags & 7) + 1) : 0);
  if (pos >= b.size()) return c;
  const int codeBits = std::clamp(b[pos++] + 1, 2, 12);  // the narrowest code the stream starts with
  std::int64_t data = 0;
  c.endsEarly = !skipBlocks(&data);
  c.canPaint = LzwMostPixels(data * 8 / codeBits);
  c.refuse = screen > kUnjustifiedPixels && screen > 4 * c.pixels;
  return c;
}

// A JPEG's frame against its bytes: a complete file codes every 8 x 8 block of every component in
// at least one bit, and no sampling puts more than 128 pixels on a block.
Claim JpegClaim(std::span<const std::uint8_t> b) {
  Claim c;
  std::size_t pos = 2;
  std::size_t frameAt = 0;
  while (pos + 4 <= b.size() && b[pos] == 0xFF) {
    const std::uint8_t marker = b[pos + 1];
    if (marker == 0xFF) {
      ++pos;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) {
      pos += 2;
      continue;
    }
    const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    if (frame && pos + 9 <= b.size()) {
      c.pixels = std::int64_t{Be16(b, pos + 5)} * Be16(b, pos + 7);
      frameAt = pos;
      break;
    }
    if (marker == 0xDA) break;
    pos += 2 + Be16(b, pos + 2);
  }
  if (frameAt == 0) return c;
  c.canPaint = static_cast<std::int64_t>(b.size()) * 8 * 128;
  // The entropy data never holds the end mark, so one behind the frame header ends the picture.
  bool ended = false;
  for (std::size_t i = b.size() - 1; i > frameAt + 1 && !ended; --i) ended = b[i] == 0xD9 && b[i - 1] == 0xFF;
  c.endsEarly = !ended;
  return c;
}

// A PNG's rows against its compressed data: deflate gives at most 1032 bytes for each byte.
Claim PngClaim(std::span<const std::uint8_t> b) {
  Claim c;
  if (b.size() < 33 || Be32(b, 12) != 0x49484452) return c;  // IHDR
  const std::int64_t width = Be32(b, 16);
  const std::int64_t height = Be32(b, 20);
  if (width > kMaxPicturePixels || height > kMaxPicturePixels) return c;  // refused by size anyway
  c.pixels = width * height;
  static constexpr int kChannels[] = {1, 0, 3, 1, 2, 0, 4};
  const int type = b[25];
  const std::int64_t bits = std::int64_t{b[24]} * (type < 7 ? kChannels[type] : 0);
  std::int64_t compressed = 0;
  for (std::size_t pos = 8; pos + 8 <= b.size();) {
    const std::size_t length = Be32(b, pos);
    const std::uint32_t chunk = Be32(b, pos + 4);
    if (chunk == 0x49444154) compressed += static_cast<std::int64_t>(std::min(length, b.size() - pos - 8));  // IDAT
    if (chunk == 0x49454E44 || length > b.size()) break;  // IEND
    pos += 12 + length;
  }
  const std::int64_t rowBytes = (width * std::max<std::int64_t>(bits, 1) + 7) / 8;
  // In pixels: how many rows of this width the data could fill, times the width.
  c.canPaint = rowBytes > 0 ? std::min(c.pixels, (compressed * 1032 + 1024) / rowBytes * width) : c.pixels;
  return c;
}

// Kinds we do not look into: no picture takes less than a bit a pixel, compressed at most as far
// as deflate goes.
Claim OtherClaim(std::span<const std::uint8_t> b, std::int64_t pixels) {
  Claim c;
  c.pixels = pixels;
  c.canPaint = static_cast<std::int64_t>(b.size()) * 8 * 1032;
  return c;
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

// Reads the image `reader` holds, of `size` when the reader knows it beforehand.
PictureLoad ReadImage(QImageReader& reader, QSize size, Kind kind) {
  QImage image;
  if (kind == Kind::Jpeg && size.isValid()) {
    // A photo decodes straight into the raster, so the largest picture is held once, not twice.
    // Other kinds make an image of their own whatever they are handed.
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

PictureLoad DecodeWithQt(std::span<const std::uint8_t> bytes, Kind kind) {
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
  // A header that claims more pixels than its data could paint is refused before anything is
  // decoded: the reader would fill the whole claim, grey or black, from a few bytes.
  const std::int64_t pixels = size.isValid() ? std::int64_t{size.width()} * size.height() : 0;
  const Claim claim = kind == Kind::Gif    ? GifClaim(bytes)
                      : kind == Kind::Jpeg ? JpegClaim(bytes)
                      : kind == Kind::Png  ? PngClaim(bytes)
                                           : OtherClaim(bytes, pixels);
  if (claim.refuse || claim.pixels > claim.canPaint) return Refuse(PictureRefusal::Damaged);
  PictureLoad load = ReadImage(reader, size, kind);
  load.CutShort = load.Ok() && claim.endsEarly;
  return load;
}

// Reads up to `size` bytes at the start of `bytes`' free room; false on a read error. Stops early
// when the file shrank meanwhile (what is there is decoded).
bool ReadInto(int fd, std::vector<std::uint8_t>& bytes, std::size_t size) {
  while (bytes.size() < size) {
    const std::size_t got = bytes.size();
    bytes.resize(size);
    const ssize_t n = ::read(fd, bytes.data() + got, size - got);
    bytes.resize(got + static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
    if (n == 0) return true;
    if (n < 0 && errno != EINTR) return false;
  }
  return true;
}

// The bytes of a regular file. The size is checked before anything is read, and the kind from the
// first bytes before the rest is read: a large file that holds no picture is refused at once.
std::optional<std::vector<std::uint8_t>> ReadPictureBytes(const std::string& path, PictureLoad& refusal) {
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) {
    // A folder or a pipe, device or socket is refused by kind, without waiting on it.
    const int err = errno;
    refusal = Refuse(err == EISDIR || err == EINVAL ? PictureRefusal::NotRegularFile : PictureRefusal::CannotOpen);
    return std::nullopt;
  }
  struct stat st {};
  std::optional<std::vector<std::uint8_t>> bytes;
  if (::fstat(fd, &st) != 0) {
    refusal = Refuse(PictureRefusal::CannotOpen);
  } else if (st.st_size == 0) {
    refusal = Refuse(PictureRefusal::Empty);
  } else if (static_cast<std::uint64_t>(st.st_size) > kMaxPictureFileBytes) {
    refusal = Refuse(PictureRefusal::FileTooLarge);
  } else {
    const auto size = static_cast<std::size_t>(st.st_size);
    bytes.emplace();
    bytes->reserve(size);
    if (!ReadInto(fd, *bytes, std::min(size, kHeadBytes))) {
      refusal = Refuse(PictureRefusal::CannotOpen);
      bytes.reset();
    } else if (KindOf(*bytes) == Kind::Unknown) {
      refusal = Refuse(bytes->empty() ? PictureRefusal::Empty : PictureRefusal::UnknownKind);
      bytes.reset();
    } else if (!ReadInto(fd, *bytes, size)) {
      refusal = Refuse(PictureRefusal::CannotOpen);
      bytes.reset();
    }
  }
  ::close(fd);
  return bytes;
}

PictureLoad DecodeWmf(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop) {
  WmfBudget budget;
  budget.cancel = stop;
  // Drawn straight into the raster: a large picture is held once.
  Raster canvas;
  WmfPicture picture = PlayWmf(bytes, budget, &canvas);
  // Nobody waits for a stopped load; it is never shown, so it needs no reason of its own.
  if (stop != nullptr && stop->load()) return Refuse(PictureRefusal::Damaged);
  if (picture.image.isNull()) return Refuse(picture.refusal);
  picture.image = QImage();  // a view of the canvas
  Rgb* pixels = canvas.MutablePixels();
  const std::size_t count = canvas.Pixels().size();
  for (std::size_t i = 0; i < count; ++i) pixels[i] &= 0xFFFFFF;
  PictureLoad load = Loaded(std::move(canvas));
  load.CutShort = picture.partial;
  return load;
}

PictureLoad DecodeUnguarded(std::span<const std::uint8_t> bytes, const std::atomic<bool>* stop) {
  if (bytes.empty()) return Refuse(PictureRefusal::Empty);
  const Kind kind = KindOf(bytes);
  if (kind == Kind::Unknown) return Refuse(PictureRefusal::UnknownKind);
  if (kind == Kind::Bmp) {
    // What our decoder refuses stays refused: Qt's reader would fill the missing rows and accept a
    // damaged file at whatever size its header claims.
    DibPicture bmp = ReadBmpPicture(bytes, kMaxPicturePixels);
    return bmp.Ok() ? Loaded(std::move(bmp.picture)) : Refuse(bmp.refusal);
  }
  if (kind == Kind::Wmf) return DecodeWmf(bytes, stop);
  if (GifScreenPixels(bytes) > kMaxPicturePixels) return Refuse(PictureRefusal::TooLarge);
  return DecodeWithQt(bytes, kind);
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
