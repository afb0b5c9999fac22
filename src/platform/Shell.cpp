#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "text/LangRows.h"

namespace glimmora {

bool DesktopWebOpener::OpenAddress(const std::string& address) {
  // TolerantMode keeps what the user typed (blanks, non-ASCII) as a browser would.
  const QUrl url(QString::fromStdString(address), QUrl::TolerantMode);
  if (!IsAddressToOpen(address) || !url.isValid()) {
    Tell(kRowAddressRefused, address);
    return false;
  }
  // With no browser or mail program the desktop only writes a warning nobody sees.
  if (QDesktopServices::openUrl(url)) return true;
  Tell(kRowNoAddressHandler, address);
  return false;
}

void DesktopWebOpener::Tell(int row, const std::string& address) {
  if (prompter_ == nullptr) return;
  const std::string why = lang_ != nullptr ? lang_->Row(row) : std::string();
  prompter_->Tell(why + "\n" + address, row, PromptIcon::Warning);
}

}  // namespace glimmora
