#include "source/SizeText.h"

#include <cmath>

#include "text/NumberText.h"

namespace glimmora {

SizeAmount KbAmount(std::uint64_t bytes) {
  double value = static_cast<double>(bytes) / 1024.0;
  SizeAmount out{{}, "KB"};
  if (value > 1024.0) {
    value /= 1024.0;
    out.Unit = "MB";
  }
  // nearbyint rounds halves to the even neighbour in the default rounding mode.
  const double tenths = std::nearbyint(value * 10.0);
  out.Amount = NumToStr(tenths / 10.0);
  return out;
}

std::string FileSizeText(std::uint64_t bytes) {
  const SizeAmount a = KbAmount(bytes);
  return std::to_string(bytes) + " (" + a.Amount + a.Unit + ")";
}

long long LeadingNumber(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  long long n = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (n > (INT64_MAX - 9) / 10) break;
    n = n * 10 + (text[i] - '0');
  }
  return negative ? -n : n;
}

}  // namespace glimmora
