#pragma once
// Text inside metafiles: the bytes of a text record are in the code page of the font's character
// set, and the font names are those of a Windows desktop. Both are turned into what Qt draws here.

#include <QFont>
#include <QString>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace glimmora {

// One character of a text record and the number of bytes it took (2 for a double-byte character),
// so that per-byte advance widths can be summed per character.
struct WmfChar {
  QString text;
  int bytes = 1;
};

// The characters of `bytes` written with a font of character set `charset` named `face`. The
// bytes of the symbol fonts ("Symbol", "MT Extra", "Wingdings", "Wingdings 2", "Wingdings 3",
// "Webdings", and any other face of the symbol character set, read as "Symbol") become the
// characters those fonts show.
std::vector<WmfChar> DecodeWmfText(std::span<const std::uint8_t> bytes, std::uint8_t charset, const QString& face);

// A font's face name as stored (up to 32 bytes, ended by a zero byte), in its character set.
QString DecodeFaceName(std::span<const std::uint8_t> bytes, std::uint8_t charset);

// The installed font that stands for a Windows font name: the common Windows names are mapped to
// their installed metric twins or close families, any other name goes to the system's font
// matching, so every name gives a font; a symbol font gives one that has the characters
// DecodeWmfText made of its bytes. `pitchAndFamily` is the low byte pair of the stored font record.
QFont MatchWmfFont(const QString& face, std::uint8_t charset, std::uint8_t pitchAndFamily);

}  // namespace glimmora
