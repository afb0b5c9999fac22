#pragma once
// Hand-made bytes for the scanner and saver tests: bitmap headers written field by field, images
// of a stated size, files laid out at stated positions.

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "text/LanguageFiles.h"
#include "text/LanguageTable.h"
#include "support/IconTestBytes.h"
#include "support/TempDir.h"

namespace glimmora::testing {

using Bytes = std::vector<std::uint8_t>;

inline void Put16(Bytes& b, std::size_t at, int v) {
  b[at] = static_cast<std::uint8_t>(v & 0xFF);
  b[at + 1] = static_cast<std::uint8_t>((v >> 8) & 0xFF);
}
inline void Put32(Bytes& b, std::size_t at, std::int64_t v) {
  for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
}

// An image of `totalBytes` bytes: the header (its height as stored, twice the picture's), then
// bytes counting up from `seed` (never 0x28, so the body holds no pattern of its own).
inline Bytes Image(int width, int doubledHeight, int bitCount, std::size_t totalBytes, int seed = 1) {
  Bytes b = InfoHeader(width, doubledHeight, bitCount);
  b.resize(totalBytes);
  for (std::size_t i = 40; i < totalBytes; ++i) {
    std::uint8_t v = static_cast<std::uint8_t>((seed + i) % 251);
    if (v == 0x28) v = 0x29;
    b[i] = v;
  }
  return b;
}

// A file of `length` bytes of `fill` with each part placed at its 1-based position; a part that
// runs past `length` is cut there.
struct Placed {
  std::int64_t position;
  Bytes bytes;
};
inline Bytes Layout(std::size_t length, const std::vector<Placed>& parts, std::uint8_t fill = 0) {
  Bytes b(length, fill);
  for (const auto& p : parts) {
    for (std::size_t i = 0; i < p.bytes.size(); ++i) {
      const std::size_t at = static_cast<std::size_t>(p.position - 1) + i;
      if (at < length) b[at] = p.bytes[i];
    }
  }
  return b;
}

inline void WriteBytes(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

inline Bytes ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline std::string ReadText(const std::filesystem::path& path) {
  const Bytes b = ReadBytes(path);
  return std::string(b.begin(), b.end());
}

// A language table whose rows are "<row>" in every language, so texts show which rows they use. A
// row with slots keeps them after its number ("<799> %1 %2"), so what fills them shows too.
inline LanguageTable RowNumberTable(Language lang = Language::English) {
  static const LanguageTable shipped = [] {
    LanguageTable t;
    (void)LoadLanguageStrings(GLIMMORA_APP_DIR, t);
    return t;
  }();
  LanguageTable t;
  for (auto& texts : t.LangStr)
    for (int r = 1; r <= kLangRows; ++r) {
      std::string text = "<" + std::to_string(r) + ">";
      for (const char* slot : {"%1", "%2", "%3"})
        if (shipped.Text(Language::English, r).find(slot) != std::string::npos) text += std::string(" ") + slot;
      texts[static_cast<std::size_t>(r)] = std::move(text);
    }
  t.CurLang = lang;
  return t;
}

}  // namespace glimmora::testing
