#include "text/NumberText.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace glimmora {

namespace {

// The runtime's text of a floating-point number with `digits` significant digits.
std::string FloatText(double x, int digits) {
  if (std::isnan(x)) return "NaN";
  if (std::isinf(x)) return x < 0 ? "-Inf" : " Inf";
  if (x == 0) return " 0";
  const char* sign = x < 0 ? "-" : " ";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*e", digits - 1, std::fabs(x));
  // buf: d.ddddde[+-]xx
  std::string mantissa;
  const char* p = buf;
  for (; *p != 'e'; ++p)
    if (*p != '.') mantissa += *p;
  const int exponent = std::atoi(p + 1);
  while (mantissa.size() > 1 && mantissa.back() == '0') mantissa.pop_back();

  std::string out = sign;
  if (exponent >= digits || exponent < -4) {
    out += mantissa[0];
    if (mantissa.size() > 1) out += "." + mantissa.substr(1);
    char e[16];
    std::snprintf(e, sizeof e, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
    return out + e;
  }
  if (exponent < 0) return out + "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + mantissa;
  const auto intDigits = static_cast<std::size_t>(exponent) + 1;
  if (mantissa.size() <= intDigits) return out + mantissa + std::string(intDigits - mantissa.size(), '0');
  return out + mantissa.substr(0, intDigits) + "." + mantissa.substr(intDigits);
}

}  // namespace

std::string VbStrSigned(long long n) {
  if (n < 0) {
    // The magnitude as unsigned, so that the smallest value has no overflow.
    return "-" + std::to_string(0ULL - static_cast<unsigned long long>(n));
  }
  return " " + std::to_string(n);
}

std::string VbStrUnsigned(unsigned long long n) { return " " + std::to_string(n); }

std::string VbStr(double x) { return FloatText(x, 15); }
std::string VbStr(float x) { return FloatText(static_cast<double>(x), 7); }

std::string NumToStr(const std::string& vbStrText) {
  if (!vbStrText.empty() && vbStrText.front() == ' ') return vbStrText.substr(1);
  return vbStrText;
}

std::string JoinedCount(const std::string& caption, long long count) {
  const bool wideEnd = !caption.empty() && static_cast<unsigned char>(caption.back()) >= 0x80;
  return caption + (caption.empty() || wideEnd ? "" : " ") + std::to_string(count);
}

std::string KillSp(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first));
}

}  // namespace glimmora
