#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

#include "common/LangRows.h"

namespace glimmora {

bool DesktopWebOpener::OpenAddress(const std::string& address) {
  // TolerantMode keeps what the user typed (blanks, non-ASCII) as a browser would.
  const QUrl url(QString::fromStdString(address), QUrl::TolerantMode);
  // With no browser or mail program the desktop only writes a warning nobody sees.
  if (url.isValid() && QDesktopServices::openUrl(url)) return true;
  if (prompter_ != nullptr) {
    const std::string why = lang_ != nullptr ? lang_->Row(kRowNoAddressHandler) : std::string();
    prompter_->Tell(why + "\n" + address, kRowNoAddressHandler, PromptIcon::Warning);
  }
  return false;
}

}  // namespace glimmora
