// Loading pictures: each kind from bytes made in the test, the clipboard's picture, pictures too
// large to decode, and damaged files that must fail quietly.
#include "platform/PictureFiles.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QClipboard>
#include <QGuiApplication>
#include <QImageWriter>
#include <QLoggingCategory>
#include <QMimeData>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <thread>

#include "platform/BackgroundJob.h"
#include "support/PictureTestFiles.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

using testing::TempDir;

constexpr Rgb kRed = MakeRgb(255, 0, 0);
constexpr Rgb kGreen = MakeRgb(0, 255, 0);
constexpr Rgb kBlue = MakeRgb(0, 0, 255);

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
}

// The picture a load gave; nullopt when it was refused.
std::optional<Raster> PictureOf(PictureLoad load) {
  if (!load.Ok()) return std::nullopt;
  return std::move(load.Picture);
}

// Within a few steps per channel (for lossy pictures).
bool Near(Rgb a, Rgb b, int tolerance) {
  return std::abs(RedOf(a) - RedOf(b)) <= tolerance && std::abs(GreenOf(a) - GreenOf(b)) <= tolerance &&
         std::abs(BlueOf(a) - BlueOf(b)) <= tolerance;
}

TEST(PictureFilesTest, EachKindLoadsAtItsSizeWithItsColours) {
  TempDir dir;
  const std::string bmp = dir.str() + "/a.bmp";
  WriteBytes(bmp, testing::Bmp2x2());
  std::optional<Raster> r = PictureOf(LoadPicture(bmp));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->Width(), 2);
  EXPECT_EQ(r->At(0, 0), kRed);
  EXPECT_EQ(r->At(1, 0), kGreen);
  EXPECT_EQ(r->At(0, 1), kBlue);
  EXPECT_EQ(r->At(1, 1), kWhite);

  const std::string gif = dir.str() + "/a.gif";
  WriteBytes(gif, testing::Gif2x2());
  r = PictureOf(LoadPicture(gif));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->Width(), 2);
  EXPECT_EQ(r->Height(), 2);
  EXPECT_EQ(r->At(0, 0), kRed);
  EXPECT_EQ(r->At(1, 0), kGreen);
  EXPECT_EQ(r->At(0, 1), kBlue);
  EXPECT_EQ(r->At(1, 1), kWhite);

  QImage halves(16, 8, QImage::Format_RGB32);
  halves.fill(QColor(255, 0, 0));
  for (int y = 0; y < 8; ++y)
    for (int x = 8; x < 16; ++x) halves.setPixel(x, y, qRgb(0, 0, 255));
  const std::string jpg = dir.str() + "/a.jpg";
  QImageWriter writer(QString::fromStdString(jpg), "jpeg");
  writer.setQuality(100);
  ASSERT_TRUE(writer.write(halves));
  r = PictureOf(LoadPicture(jpg));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->Width(), 16);
  EXPECT_EQ(r->Height(), 8);
  EXPECT_TRUE(Near(r->At(2, 4), kRed, 24));
  EXPECT_TRUE(Near(r->At(13, 4), kBlue, 24));

  const std::string wmf = dir.str() + "/a.wmf";
  WriteBytes(wmf, testing::Wmf64x48());
  r = PictureOf(LoadPicture(wmf));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->Width(), 64);
  EXPECT_EQ(r->Height(), 48);
  EXPECT_TRUE(Near(r->At(3, 3), kRed, 8));
  EXPECT_TRUE(Near(r->At(32, 24), kBlue, 8));
  EXPECT_TRUE(Near(r->At(60, 44), kRed, 8));

  // The name does not decide: a bitmap called .jpg is still read.
  const std::string named = dir.str() + "/bmp.jpg";
  WriteBytes(named, testing::Bmp2x2());
  ASSERT_TRUE(LoadPicture(named).Ok());

  EXPECT_FALSE(LoadPicture(dir.str() + "/missing.gif").Ok());
  WriteBytes(dir.str() + "/empty.bmp", {});
  EXPECT_FALSE(LoadPicture(dir.str() + "/empty.bmp").Ok());
}

// Each kind of refusal carries its reason, and each reason has its message row; nothing is decoded
// past the size limit, a damaged bitmap is never filled up to the size its header claims (nor shown
// as a preview), and a pipe is refused without waiting for a writer.
TEST(PictureFilesTest, RefusalsSayWhy) {
  TempDir dir;
  const std::vector<std::uint8_t> bmp = testing::Bmp2x2();
  std::vector<std::uint8_t> jpegInBmp = testing::Bmp2x2();
  jpegInBmp[30] = 4;  // pixels kept as a JPEG stream
  std::vector<std::uint8_t> wmfCut = testing::Wmf64x48();
  std::fill_n(wmfCut.begin() + 40, 4, 0);  // the first record is 0 words long
  const std::string text = "plain words, no picture at all";
  const unsigned side = 10000;
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    PictureRefusal why;
  } cases[] = {
      {"empty.bmp", {}, PictureRefusal::Empty},
      {"text.jpg", std::vector<std::uint8_t>(text.begin(), text.end()), PictureRefusal::UnknownKind},
      {"huge.gif", testing::Gif2x2(65535, 65535), PictureRefusal::TooLarge},
      {"over.gif", testing::Gif2x2(side, side + 1), PictureRefusal::TooLarge},  // one row past the limit
      // 246 bytes claiming 9600 x 9600 pixels; and 100000 x 100000 with four bytes behind.
      {"claims.bmp", testing::BmpClaiming(9600, 9600, 24, 192), PictureRefusal::BmpPixelsShort},
      {"huge.bmp", testing::BmpClaiming(100000, 100000, 24, 4), PictureRefusal::BmpPixelsShort},
      {"short.bmp", testing::BmpClaiming(64, 64, 24, 16), PictureRefusal::BmpPixelsShort},
      {"over.bmp", testing::BmpClaiming(side + 1, side, 1, 1252 * side), PictureRefusal::TooLarge},
      {"cut.bmp", std::vector<std::uint8_t>(bmp.begin(), bmp.begin() + 40), PictureRefusal::BmpHeaderDamaged},
      {"jpeg-in.bmp", jpegInBmp, PictureRefusal::BmpNotRead},
      {"huge.wmf", testing::Wmf64x48(32767, 32767, 1), PictureRefusal::WmfTooLarge},  // 32767 inches a side
      {"no-inch.wmf", testing::Wmf64x48(64, 48, 0), PictureRefusal::WmfHeaderDamaged},
      {"cut.wmf", wmfCut, PictureRefusal::WmfNothingDrawn},
      {"no-size.wmf", std::vector<std::uint8_t>(wmfCut.begin() + 22, wmfCut.begin() + 40),
       PictureRefusal::WmfNoSize},
      // A few bytes whose header claims 10000 x 10000 pixels: refused before anything is decoded.
      {"claims.gif", testing::GifClaiming(), PictureRefusal::Damaged},
      {"claims.jpg", testing::JpegClaiming(), PictureRefusal::Damaged},
      {"claims.png", testing::PngClaiming(), PictureRefusal::Damaged},
      {"claims.wmf", testing::WmfClaiming(), PictureRefusal::WmfHeaderDamaged},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(dir.str() + "/" + c.name, c.bytes);
    const PictureLoad load = LoadPicture(dir.str() + "/" + c.name);
    EXPECT_EQ(PictureRefusalName(load.Refusal), std::string(PictureRefusalName(c.why)));
    EXPECT_TRUE(load.Picture.Empty());
    EXPECT_TRUE(SmallPictureImage(dir.str() + "/" + c.name, 1024).isNull());
  }
  const std::string big = dir.str() + "/big.bmp";
  WriteBytes(big, bmp);
  ASSERT_EQ(::truncate(big.c_str(), static_cast<off_t>(kMaxPictureFileBytes) + 1), 0);  // sparse
  EXPECT_EQ(LoadPicture(big).Refusal, PictureRefusal::FileTooLarge);
  EXPECT_EQ(LoadPicture(dir.str() + "/missing.gif").Refusal, PictureRefusal::CannotOpen);
  EXPECT_EQ(LoadPicture(dir.str()).Refusal, PictureRefusal::NotRegularFile);
  const std::string fifo = dir.str() + "/pipe.jpg";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(LoadPicture(fifo).Refusal, PictureRefusal::NotRegularFile);
  EXPECT_TRUE(SmallPictureImage(fifo, 100).isNull());
  EXPECT_FALSE(RasterFromImage(QImage()).has_value());
}

std::uint64_t BytesReadSoFar() {
  std::ifstream io("/proc/self/io");
  std::string key;
  std::uint64_t value = 0;
  while (io >> key >> value) {
    if (key == "rchar:") return value;
  }
  return 0;
}

// A file's kind is known from its first bytes: a large file of zeros named as a photo is refused
// having read no more than those.
TEST(PictureFilesTest, KindIsToldBeforeTheFileIsRead) {
  TempDir dir;
  const std::string zeros = dir.str() + "/zeros.jpg";
  WriteBytes(zeros, {0});
  ASSERT_EQ(::truncate(zeros.c_str(), off_t{380} << 20), 0);  // sparse
  const std::uint64_t before = BytesReadSoFar();
  EXPECT_EQ(LoadPicture(zeros).Refusal, PictureRefusal::UnknownKind);
  EXPECT_LT(BytesReadSoFar() - before, std::uint64_t{1} << 20);
}

// Sound pictures as compressible as their kind allows still load, larger than the size up to
// which no claim is questioned; one whose data stops early loads as far as it goes and says so.
TEST(PictureFilesTest, SoundPicturesLoadAndCutOnesSaySo) {
  const int side = 2000;
  const unsigned wmfSide = 4100;  // past 4096 x 4096
  const std::vector<std::vector<std::uint8_t>> sound = {
      testing::Jpeg(side, side, true), testing::Jpeg(side, side, false),
      testing::Encoded(side, side, "png"), testing::RectangleWmf(wmfSide, wmfSide)};
  for (const auto& bytes : sound) {
    const PictureLoad load = DecodePicture(bytes);
    ASSERT_TRUE(load.Ok()) << PictureRefusalName(load.Refusal) << " " << bytes.size();
    EXPECT_EQ(load.Picture.Width(), &bytes == &sound.back() ? static_cast<int>(wmfSide) : side);
    EXPECT_FALSE(load.CutShort);
  }

  QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
  const std::vector<std::uint8_t> jpeg = testing::Jpeg(64, 64);
  const std::vector<std::uint8_t> gif = testing::Gif2x2();
  std::vector<std::uint8_t> wmf = testing::Wmf64x48();
  wmf.resize(wmf.size() - 12);  // the second rectangle is cut and the end record lost
  for (const auto& cut : {std::vector<std::uint8_t>(jpeg.begin(), jpeg.end() - 2),
                          std::vector<std::uint8_t>(gif.begin(), gif.end() - 2), wmf}) {
    const PictureLoad load = DecodePicture(cut);
    ASSERT_TRUE(load.Ok()) << PictureRefusalName(load.Refusal) << " " << cut.size();
    EXPECT_TRUE(load.CutShort) << cut.size();
  }
}

// Images in other formats than 32-bit are converted a band of rows at a time: every band lands
// in its own rows.
TEST(PictureFilesTest, LargeImagesConvertBandByBand) {
  QImage grey(3000, 700, QImage::Format_Grayscale8);
  for (int y = 0; y < grey.height(); ++y) std::memset(grey.scanLine(y), y % 251, static_cast<std::size_t>(grey.width()));
  const std::optional<Raster> r = RasterFromImage(grey);
  ASSERT_TRUE(r.has_value());
  for (int y : {0, 348, 349, 350, 699}) EXPECT_EQ(r->At(2999, y), Grey(static_cast<std::uint8_t>(y % 251))) << y;
}

// Another program's clipboard offers file bytes, which the toolkit's image() decodes with its own
// readers; this one turns the bytes into an image the way the system's clipboard does.
class OfferedBytes : public QMimeData {
 public:
  OfferedBytes(const QString& kind, const std::vector<std::uint8_t>& bytes) {
    setData(kind, QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())));
  }

 protected:
  QVariant retrieveData(const QString& kind, QMetaType type) const override {
    if (kind == QStringLiteral("application/x-qt-image")) return QImage::fromData(data(formats().first()));
    return QMimeData::retrieveData(kind, type);
  }
};

TEST(PictureFilesTest, ClipboardPictureIsDrawnOnWhite) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  clipboard->clear();
  EXPECT_EQ(DecodeClipboardPicture(TakeClipboardPicture()).Refusal, PictureRefusal::UnknownKind);
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(255, 0, 0, 255));
  image.setPixel(1, 0, qRgba(255, 0, 0, 0));
  image.setPixel(2, 0, qRgba(0, 0, 0, 128));
  clipboard->setImage(image);
  std::optional<Raster> r = PictureOf(DecodeClipboardPicture(TakeClipboardPicture()));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->At(0, 0), kRed);
  EXPECT_EQ(r->At(1, 0), kWhite);
  EXPECT_TRUE(Near(r->At(2, 0), Grey(127), 1));

  // A bitmap from another program is read by our decoder: a sound one loads, a damaged one is
  // refused instead of being filled up to its claimed size.
  clipboard->setMimeData(new OfferedBytes(QStringLiteral("image/bmp"), testing::Bmp2x2()));
  r = PictureOf(DecodeClipboardPicture(TakeClipboardPicture()));
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->At(1, 1), kWhite);
  clipboard->setMimeData(new OfferedBytes(QStringLiteral("image/bmp"), testing::BmpClaiming(1000, 1000, 24, 300)));
  EXPECT_EQ(DecodeClipboardPicture(TakeClipboardPicture()).Refusal, PictureRefusal::BmpPixelsShort);
  clipboard->clear();
}

// Damaged pictures: every cut and a few hundred random changes of each kind load or fail, and
// never crash or hang (the sanitizer build runs this too).
TEST(PictureFilesTest, DamagedPicturesFailQuietly) {
  QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
  QImage small(12, 9, QImage::Format_RGB32);
  small.fill(QColor(10, 200, 30));
  QByteArray jpgBytes;
  {
    QBuffer buffer(&jpgBytes);
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(small.save(&buffer, "JPG"));
  }
  const std::vector<std::vector<std::uint8_t>> samples = {
      testing::Bmp2x2(), testing::Gif2x2(), testing::Wmf64x48(),
      std::vector<std::uint8_t>(jpgBytes.begin(), jpgBytes.end())};
  std::mt19937 random(20240305);
  int loaded = 0;
  for (const auto& sample : samples) {
    for (std::size_t cut = 0; cut < sample.size(); ++cut) {
      if (DecodePicture(std::span(sample).first(cut)).Ok()) ++loaded;
    }
    for (int round = 0; round < 300; ++round) {
      std::vector<std::uint8_t> bytes = sample;
      const int changes = 1 + static_cast<int>(random() % 4);
      for (int c = 0; c < changes; ++c) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      if (std::optional<Raster> r = PictureOf(DecodePicture(bytes))) {
        ++loaded;
        EXPECT_LE(static_cast<std::int64_t>(r->Width()) * r->Height(), kMaxPicturePixels);
      }
    }
  }
  EXPECT_GT(loaded, 0);
}

// A metafile that takes its full second to draw: a load stopped while it draws, one at a time or
// all at the program's end, is refused, not handed back half drawn. (How soon it ends is timed by
// picture_bench --stop-after.)
TEST(PictureFilesTest, StoppedMetafileLoadsEndAtOnce) {
  TempDir dir;
  const std::string slow = dir.str() + "/slow.wmf";
  WriteBytes(slow, testing::RandomPolyWmf(40, 8000, 300, false));
  for (const bool all : {false, true}) {
    BackgroundJob<PictureLoad> job =
        StartInBackground<PictureLoad>([&](const std::atomic<bool>& stop) { return LoadPicture(slow, &stop); });
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    if (all) StopBackgroundJobs();
    else job.Stop();
    job.future.waitForFinished();
    EXPECT_FALSE(job.future.result().Ok()) << all;
  }
}

}  // namespace
}  // namespace glimmora
