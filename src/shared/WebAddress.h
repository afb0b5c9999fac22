#pragma once
// Web and mail addresses handed to the desktop. The rule that turns what a list or label shows into
// the address actually opened is GUI-free; the opening itself goes through WebOpener, which the
// program implements with the desktop's URL handler and tests record.

#include <string>
#include <string_view>

namespace glimmora {

class WebOpener {
 public:
  virtual ~WebOpener() = default;
  // Opens `address` (already complete, with its scheme). Returns false when nothing took it or
  // the address is not one IsAddressToOpen allows.
  virtual bool OpenAddress(const std::string& address) = 0;
};

// The address to open for `address` of kind `kind` ("WEB", "MAIL" or other; any case):
// blanks and NUL characters around it are dropped; "WEB" puts "http://" in front unless the
// address starts with "http://", "https://", "ftp://" or "mailto:" (so "file:///x" becomes
// "http://file:///x"); "MAIL" puts "mailto:" in front unless it is there already; any other kind
// adds nothing. The case of the address is kept. An address that is empty after trimming gives "".
std::string WebAddressToOpen(std::string_view address, std::string_view kind);

// True for the addresses the desktop may be handed: "http://", "https://", "ftp://" or "mailto:"
// at the very start, in any case. Openers refuse every other address.
bool IsAddressToOpen(std::string_view address);

// Opens the address that WebAddressToOpen gives, unless it is empty. Returns the address opened
// ("" when none).
std::string OpenWebAddress(WebOpener& opener, std::string_view address, std::string_view kind);

}  // namespace glimmora
