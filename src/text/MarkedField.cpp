#include "text/MarkedField.h"

namespace glimmora {

std::string EncodeMarkedField(std::string_view text, std::size_t fieldBytes, std::string_view mark) {
  std::string field = CutUtf8(text, fieldBytes);
  if (field.size() + mark.size() <= fieldBytes) field += mark;
  field.resize(fieldBytes, ' ');
  return field;
}

MarkedText DecodeMarkedField(std::string_view field, std::string_view mark, Language lang) {
  std::size_t end = field.size();
  while (end > 0 && (field[end - 1] == ' ' || field[end - 1] == '\0')) --end;
  std::string_view body = field.substr(0, end);
  MarkedText out;
  if (!mark.empty() && body.size() >= mark.size() && body.ends_with(mark)) {
    body.remove_suffix(mark.size());
    out.HadMark = true;
  }
  out.Text = DecodeStoredText(body, lang);
  return out;
}

}  // namespace glimmora
