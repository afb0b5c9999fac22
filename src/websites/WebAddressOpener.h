#pragma once
// Hands a web or mail address to the desktop. The program's implementation opens it with the
// user's browser; tests record what would have been opened.

#include <string>

namespace glimmora {

class WebAddressOpener {
 public:
  virtual ~WebAddressOpener() = default;
  // `kind` is "WEB" or "MAIL".
  virtual void OpenWebAddress(const std::string& address, const std::string& kind) = 0;
};

}  // namespace glimmora
