#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace glimmora {

bool DesktopWebOpener::OpenAddress(const std::string& address) {
  // TolerantMode keeps what the user typed (blanks, non-ASCII) as a browser would.
  const QUrl url(QString::fromStdString(address), QUrl::TolerantMode);
  if (!url.isValid()) return false;
  return QDesktopServices::openUrl(url);
}

}  // namespace glimmora
