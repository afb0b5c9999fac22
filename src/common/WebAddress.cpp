#include "common/WebAddress.h"

#include <cctype>

#include "common/AsciiCase.h"

namespace glimmora {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\0' || c == '\t'; }

// "scheme://..." with a scheme of a letter followed by letters, digits, "+", "-" or ".".
bool HasSchemeWithAuthority(std::string_view s) {
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  for (std::size_t i = 1; i < s.size(); ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    if (c == ':') return s.substr(i).starts_with("://");
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return false;
}

}  // namespace

std::string WebAddressToOpen(std::string_view address, std::string_view kind) {
  while (!address.empty() && IsBlank(address.back())) address.remove_suffix(1);
  while (!address.empty() && IsBlank(address.front())) address.remove_prefix(1);
  if (address.empty()) return {};
  const bool isMail = StartsWithIgnoringCase(address, "mailto:");
  if (EqualsIgnoringCase(kind, "WEB")) {
    if (!HasSchemeWithAuthority(address) && !isMail) return "http://" + std::string(address);
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
