#include "shared/WebAddress.h"

#include "text/AsciiCase.h"

#include <cctype>

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

// The name of a mail link's field, percent escapes decoded, in lower case.
std::string FieldName(std::string_view pair) {
  const std::string_view name = pair.substr(0, pair.find('='));
  const auto hex = [](char c) { return std::isxdigit(static_cast<unsigned char>(c)) != 0; };
  std::string out;
  for (std::size_t i = 0; i < name.size(); ++i) {
    char c = name[i];
    if (c == '%' && i + 2 < name.size() && hex(name[i + 1]) && hex(name[i + 2])) {
      c = static_cast<char>(std::stoi(std::string(name.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    }
    out += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  return out;
}

// A mail link keeps only the fields a message needs: several mail programs take "attach=" or
// "attachment=" for a local file to send along, which a stored address must never choose.
std::string KeepMailFields(std::string_view address) {
  const std::size_t query = address.find('?');
  if (query == std::string_view::npos) return std::string(address);
  std::string out(address.substr(0, query));
  std::string_view rest = address.substr(query + 1);
  char joint = '?';
  while (!rest.empty()) {
    const std::size_t amp = rest.find('&');
    const std::string_view pair = rest.substr(0, amp);
    const std::string name = FieldName(pair);
    if (name == "subject" || name == "body" || name == "cc") {
      out += joint;
      out += pair;
      joint = '&';
    }
    rest = amp == std::string_view::npos ? std::string_view() : rest.substr(amp + 1);
  }
  return out;
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
    if (!isMail) return KeepMailFields("mailto:" + std::string(address));
  }
  return isMail ? KeepMailFields(address) : std::string(address);
}

std::string OpenWebAddress(WebOpener& opener, std::string_view address, std::string_view kind) {
  std::string url = WebAddressToOpen(address, kind);
  if (!url.empty()) opener.OpenAddress(url);
  return url;
}

}  // namespace glimmora
