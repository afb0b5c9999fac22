#include "source/ui/FileListIcons.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QPixmap>
#include <QStyle>

#include "common/Paths.h"
#include "platform/FileIcons.h"

namespace glimmora {

namespace {

// Names of the same kind: the same extensions ("tar.gz"), or the same whole name when there is
// no extension ("Makefile").
QString KindKey(const QString& name) {
  const int dot = name.indexOf(QLatin1Char('.'), 1);
  return (dot < 0 ? name : name.mid(dot + 1)).toLower();
}

bool IsIconFile(const std::string& name) {
  if (name.size() < 4) return false;
  std::string ext = name.substr(name.size() - 4);
  for (char& c : ext) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return ext == ".ico";
}

// The icon reader draws a failed decode as a clear square.
bool HasVisiblePixels(const QImage& image) {
  if (image.isNull()) return false;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (qAlpha(image.pixel(x, y)) != 0) return true;
  return false;
}

}  // namespace

const FileListIcons::Kind& FileListIcons::KindOf(const std::string& name) {
  const QString qname = QString::fromStdString(name);
  const QString key = KindKey(qname);
  auto it = kinds_.find(key);
  if (it != kinds_.end()) return *it;
  static const QMimeDatabase db;
  const QMimeType mime = db.mimeTypeForFile(qname, QMimeDatabase::MatchExtension);
  Kind kind;
  kind.TypeName = mime.comment();
  kind.Icon = QIcon::fromTheme(mime.iconName());
  if (kind.Icon.isNull()) kind.Icon = QIcon::fromTheme(mime.genericIconName());
  if (kind.Icon.isNull()) kind.Icon = QApplication::style()->standardIcon(QStyle::SP_FileIcon);
  return *kinds_.insert(key, kind);
}

std::vector<QIcon> FileListIcons::Apply(const std::string& folder, std::vector<FileListRow>& rows,
                                        const std::function<void(std::size_t)>& beforeRow) {
  std::vector<QIcon> icons;
  QHash<QString, int> indexOfKind;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    if (beforeRow) beforeRow(i);
    FileListRow& r = rows[i];
    const Kind& kind = KindOf(r.Name);
    r.TypeName = kind.TypeName.toStdString();
    if (IsIconFile(r.Name)) {
      const FileTypeIcon own = DrawOwnIcoIcon(QString::fromStdString(JoinPath(folder, r.Name)));
      if (HasVisiblePixels(own.Small)) {
        QIcon icon;
        icon.addPixmap(QPixmap::fromImage(own.Small));
        icon.addPixmap(QPixmap::fromImage(own.Large));
        r.IconIndex = static_cast<int>(icons.size());
        icons.push_back(icon);
        continue;
      }
    }
    const QString key = KindKey(QString::fromStdString(r.Name));
    auto it = indexOfKind.find(key);
    if (it == indexOfKind.end()) {
      it = indexOfKind.insert(key, static_cast<int>(icons.size()));
      icons.push_back(kind.Icon);
    }
    r.IconIndex = *it;
  }
  return icons;
}

}  // namespace glimmora
