#include "common/TextCodec.h"

#include "common/Languages.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

namespace glimmora {

const char* LegacyCodePage(Language lang) {
  if (static_cast<std::size_t>(lang) >= kLanguageFacts.size()) return FactsOf(Language::English).codePage;
  return FactsOf(lang).codePage;
}

namespace {

// Length of the well-formed UTF-8 sequence starting at s[i], or 0 when it is not one.
std::size_t SequenceLength(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) return 1;
  std::size_t len = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  const auto b1 = static_cast<unsigned char>(s[i + 1]);
  if (b1 < lo || b1 > hi) return 0;
  for (std::size_t k = 2; k < len; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (b < 0x80 || b > 0xBF) return 0;
  }
  return len;
}

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t len = SequenceLength(bytes, i);
    if (len == 0) return false;
    i += len;
  }
  return true;
}

std::size_t Utf8CutLength(std::string_view text, std::size_t maxBytes) {
  std::size_t i = 0;
  while (i < text.size()) {
    std::size_t len = SequenceLength(text, i);
    if (len == 0) len = 1;
    if (i + len > maxBytes) break;
    i += len;
  }
  return i;
}

std::string CutUtf8(std::string_view text, std::size_t maxBytes) {
  return std::string(text.substr(0, Utf8CutLength(text, maxBytes)));
}

std::string LegacyToUtf8(std::string_view bytes, const char* codePage) {
  std::string out;
  iconv_t cd = iconv_open("UTF-8", codePage);
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    // No converter: keep the ASCII and mark the rest.
    for (char c : bytes) out += (static_cast<unsigned char>(c) < 0x80) ? std::string(1, c) : "\xEF\xBF\xBD";
    return out;
  }
  std::vector<char> buf(bytes.size() * 4 + 16);
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    char* in = const_cast<char*>(bytes.data() + pos);
    std::size_t inLeft = bytes.size() - pos;
    char* outPtr = buf.data();
    std::size_t outLeft = buf.size();
    const std::size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    out.append(buf.data(), static_cast<std::size_t>(outPtr - buf.data()));
    pos = bytes.size() - inLeft;
    if (rc == static_cast<std::size_t>(-1) && (errno == EILSEQ || errno == EINVAL)) {
      // An unmappable or cut-off byte: replace it and go on after it.
      out += "\xEF\xBF\xBD";
      ++pos;
      iconv(cd, nullptr, nullptr, nullptr, nullptr);
    } else if (rc == static_cast<std::size_t>(-1)) {
      break;
    }
  }
  iconv_close(cd);
  return out;
}

std::size_t FindAtCharacterStart(std::string_view field, std::string_view mark, Language lang) {
  const std::size_t first = field.find(mark);
  // In UTF-8 no byte of a longer character is ASCII, so every match starts a character.
  if (first == std::string_view::npos || IsValidUtf8(field.substr(0, first)) || lang == Language::English)
    return first;
  for (std::size_t i = 0; i + mark.size() <= field.size();) {
    if (field.compare(i, mark.size(), mark) == 0) return i;
    const auto b = static_cast<unsigned char>(field[i]);
    // A GBK or BIG5 lead byte takes the byte after it when that can be a second byte.
    const bool pair = b >= 0x81 && b <= 0xFE && i + 1 < field.size() &&
                      static_cast<unsigned char>(field[i + 1]) >= 0x40 && field[i + 1] != 0x7F;
    i += pair ? 2 : 1;
  }
  return std::string_view::npos;
}

std::string DecodeStoredText(std::string_view bytes, Language lang) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return LegacyToUtf8(bytes, LegacyCodePage(lang));
}

}  // namespace glimmora
