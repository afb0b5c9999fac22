#pragma once
// Web and mail addresses opened with the desktop's handler for their scheme.

#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "shared/WebAddress.h"

namespace glimmora {

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
