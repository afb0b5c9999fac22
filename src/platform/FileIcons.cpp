#include "platform/FileIcons.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImageReader>
#include <QMimeDatabase>
#include <QPainter>

#include "platform/PictureFiles.h"

namespace glimmora {

namespace {

QImage ReadFirstIcoImage(const QString& fileName) {
  QFile file;
  if (!OpenPictureFile(file, QFile::encodeName(fileName).toStdString())) return QImage();
  QImageReader reader(&file, "ico");
  return reader.read();
}

// `source` drawn at the top left of a cleared square of `pixels`, scaled down to fit when larger.
QImage Fit(const QImage& source, int pixels) {
  QImage out(pixels, pixels, QImage::Format_ARGB32);
  out.fill(Qt::transparent);
  if (source.isNull()) return out;
  QPainter p(&out);
  const QImage scaled = (source.width() > pixels || source.height() > pixels)
                            ? source.scaled(pixels, pixels, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                            : source;
  p.drawImage(0, 0, scaled);
  return out;
}

QImage FromIcon(const QIcon& icon, int pixels) {
  return Fit(icon.pixmap(pixels, pixels).toImage(), pixels);
}

}  // namespace

FileTypeIcon DrawFileTypeIcon(const QString& fileName, int target) {
  const QFileInfo info(fileName);
  FileTypeIcon out;
  out.DisplayName = info.fileName();
  const QMimeDatabase mimeDb;
  out.TypeName = mimeDb.mimeTypeForFile(info).comment();
  if (target < 1 || target > 3) return out;

  QImage own;
  if (info.suffix().compare("ico", Qt::CaseInsensitive) == 0) own = ReadFirstIcoImage(fileName);
  const QFileIconProvider provider;
  const QIcon icon = own.isNull() ? provider.icon(info) : QIcon();
  auto draw = [&](int pixels) { return own.isNull() ? FromIcon(icon, pixels) : Fit(own, pixels); };
  if (target == 1 || target == 3) out.Small = draw(kSmallIconPixels);
  if (target == 2 || target == 3) out.Large = draw(kLargeIconPixels);
  return out;
}

}  // namespace glimmora
