#include "source/ui/FileListIcons.h"

#include <QApplication>
#include <QMimeDatabase>
#include <QStyle>

#include "text/AsciiCase.h"
#include "common/Paths.h"
#include "shared/ui/ListRowIcons.h"

namespace glimmora {

namespace {

// Names of the same kind: the same extensions ("tar.gz"), or the same whole name when there is
// no extension ("Makefile").
QString KindKey(const QString& name) {
  const int dot = name.indexOf(QLatin1Char('.'), 1);
  return (dot < 0 ? name : name.mid(dot + 1)).toLower();
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

QString FileListIcons::TypeName(const std::string& name) { return KindOf(name).TypeName; }

QIcon FileListIcons::Icon(const std::string& folder, const std::string& name) {
  if (EndsWithIgnoringCase(name, ".ico")) {
    ++iconFilesRead_;
    const QIcon own = ListRowIconOfFile(JoinPath(folder, name));
    if (!own.isNull()) return own;
  }
  return KindOf(name).Icon;
}

}  // namespace glimmora
