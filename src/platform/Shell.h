#pragma once
// Web and mail addresses opened with the desktop's handler for their scheme.

#include "common/WebAddress.h"

namespace glimmora {

class DesktopWebOpener : public WebOpener {
 public:
  bool OpenAddress(const std::string& address) override;
};

}  // namespace glimmora
