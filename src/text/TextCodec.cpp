#include "text/TextCodec.h"

#include "text/Languages.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

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

namespace {

char32_t CodePointAt(std::string_view s, std::size_t i, std::size_t len) {
  const auto b = [&](std::size_t k) { return static_cast<char32_t>(static_cast<unsigned char>(s[i + k])); };
  if (len == 1) return b(0);
  if (len == 2) return ((b(0) & 0x1F) << 6) | (b(1) & 0x3F);
  if (len == 3) return ((b(0) & 0x0F) << 12) | ((b(1) & 0x3F) << 6) | (b(2) & 0x3F);
  return ((b(0) & 0x07) << 18) | ((b(1) & 0x3F) << 12) | ((b(2) & 0x3F) << 6) | (b(3) & 0x3F);
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::string UpperCase(std::string_view text) {
  // The built-in UTF-8 locale of the C library: Unicode's case pairs, and no Turkish dotless i.
  static const locale_t unicode = ::newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const std::size_t len = SequenceLength(text, i);
    const auto byte = static_cast<unsigned char>(text[i]);
    if (len == 0 || len == 1 || unicode == static_cast<locale_t>(nullptr)) {
      out += static_cast<char>(byte >= 'a' && byte <= 'z' ? byte - 'a' + 'A' : byte);
      i += len == 0 ? 1 : len;
      continue;
    }
    const char32_t c = CodePointAt(text, i, len);
    const auto up = static_cast<char32_t>(::towupper_l(static_cast<wint_t>(c), unicode));
    // A capital outside the plain planes or a surrogate would be no character to write back.
    if (up == c || up == 0 || (up >= 0xD800 && up <= 0xDFFF) || up > 0x10FFFF) out.append(text.substr(i, len));
    else AppendUtf8(out, up);
    i += len;
  }
  return out;
}

std::string DecodeStoredText(std::string_view bytes, Language lang) {
  if (IsValidUtf8(bytes)) return std::string(bytes);
  return LegacyToUtf8(bytes, LegacyCodePage(lang));
}

}  // namespace glimmora
