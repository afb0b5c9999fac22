#pragma once
// Texts in fixed-length byte fields followed by an end mark and filled with blanks.
//
// The stored form is text, mark, blanks. A text too long for text and mark is cut at a character
// boundary to the field and padded with blanks where the mark would go, so that it reads back
// whole instead of with part of a mark attached. Readers drop the blank and NUL padding and then
// one mark at the end; a field without a mark is the text itself.

#include <cstddef>
#include <string>
#include <string_view>

#include "text/TextCodec.h"

namespace glimmora {

// Exactly `fieldBytes` bytes.
std::string EncodeMarkedField(std::string_view text, std::size_t fieldBytes, std::string_view mark);

// The stored text (UTF-8), and whether it carried its mark.
struct MarkedText {
  std::string Text;
  bool HadMark = false;
};
MarkedText DecodeMarkedField(std::string_view field, std::string_view mark, Language lang);

}  // namespace glimmora
