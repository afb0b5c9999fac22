#pragma once
// Web and mail addresses opened with the desktop's handler for their scheme.

#include "common/LanguageTable.h"
#include "common/Prompter.h"
#include "common/WebAddress.h"

namespace glimmora {

// Says so when no program took the address (no browser or mail program is set up).
constexpr int kRowNoAddressHandler = 710;
// Says so when the address is not a web, file-transfer or mail address and so is not handed on.
constexpr int kRowAddressRefused = 720;

class DesktopWebOpener : public WebOpener {
 public:
  // `prompter` (not owned; may be null) tells the user when an address was refused or could not
  // be opened, in the language of the table given to SetLanguage.
  explicit DesktopWebOpener(Prompter* prompter = nullptr) : prompter_(prompter) {}
  void SetLanguage(const LanguageTable* lang) { lang_ = lang; }
  bool OpenAddress(const std::string& address) override;

 private:
  void Tell(int row, const std::string& address);

  Prompter* prompter_;
  const LanguageTable* lang_ = nullptr;
};

}  // namespace glimmora
