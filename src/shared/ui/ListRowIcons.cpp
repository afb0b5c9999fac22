#include "shared/ui/ListRowIcons.h"

#include <QPainter>
#include <QPixmap>

#include <algorithm>

#include "files/FileBytes.h"
#include "shared/ui/IconImages.h"

namespace glimmora {

QIcon ListRowIcon(const QImage& image) {
  if (image.isNull()) return {};
  QIcon icon;
  for (const int side : {16, 32}) {
    const double scale = std::min({1.0, double(side) / image.width(), double(side) / image.height()});
    const int w = std::max(1, static_cast<int>(image.width() * scale + 0.5));
    const int h = std::max(1, static_cast<int>(image.height() * scale + 0.5));
    QImage canvas(side, side, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, scale < 1.0);
    painter.drawImage(QRect((side - w) / 2, (side - h) / 2, w, h), image);
    painter.end();
    icon.addPixmap(QPixmap::fromImage(canvas));
  }
  return icon;
}

QIcon ListRowIconOfFile(const std::string& path) {
  constexpr std::size_t kLargestPaneIcon = 4u << 20;
  const auto bytes = ReadFileBytes(path, kLargestPaneIcon);
  return bytes ? ListRowIcon(IcoFileToImage(*bytes)) : QIcon();
}

}  // namespace glimmora
