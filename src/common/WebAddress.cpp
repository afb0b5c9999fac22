#include "common/WebAddress.h"

#include "common/AsciiCase.h"

namespace glimmora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\0' || c == '\t'; }

// The only kinds of address the desktop is ever handed: a store may hold anything, and the
// desktop opens "file://", "smb://" or a program's own scheme as readily as a web page.
constexpr std::string_view kWebPrefixes[] = {"http://", "https://", "ftp://"};
constexpr std::string_view kMailPrefix = "mailto:";

bool HasWebPrefix(std::string_view s) {
  for (std::string_view p : kWebPrefixes)
    if (StartsWithIgnoringCase(s, p)) return true;
  return false;
}

}  // namespace

bool IsAddressToOpen(std::string_view address) {
  return HasWebPrefix(address) || StartsWithIgnoringCase(address, kMailPrefix);
}

std::string WebAddressToOpen(std::string_view address, std::string_view kind) {
  while (!address.empty() && IsBlank(address.back())) address.remove_suffix(1);
  while (!address.empty() && IsBlank(address.front())) address.remove_prefix(1);
  if (address.empty()) return {};
  const bool isMail = StartsWithIgnoringCase(address, kMailPrefix);
  if (EqualsIgnoringCase(kind, "WEB")) {
    // Any other scheme is taken for part of a web address, so it can only reach a browser.
    if (!IsAddressToOpen(address)) return "http://" + std::string(address);
  } else if (EqualsIgnoringCase(kind, "MAIL")) {
    if (!isMail) return "mailto:" + std::string(address);
  }
  return std::string(address);
}

std::string OpenWebAddress(WebOpener& opener, std::string_view address, std::string_view kind) {
  std::string url = WebAddressToOpen(address, kind);
  if (!url.empty()) opener.OpenAddress(url);
  return url;
}

}  // namespace glimmora
