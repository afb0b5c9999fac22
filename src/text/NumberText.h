#pragma once
// Numbers as display text. The list texts are built from the runtime conversion that puts a blank
// where a non-negative number's sign would go (" 5", "-5", " .5"); NumToStr is the same text
// without that blank.

#include <concepts>
#include <string>
#include <string_view>

namespace glimmora {

std::string VbStrSigned(long long n);
std::string VbStrUnsigned(unsigned long long n);

// Whole numbers: " 120", "-5", " 0"; sizes past 4 GB stay exact.
template <std::signed_integral T>
std::string VbStr(T n) { return VbStrSigned(n); }
template <std::unsigned_integral T>
std::string VbStr(T n) { return VbStrUnsigned(n); }

// Double: up to 15 significant digits, no leading zero before the point (" .5", "-.5", " 12.1"),
// exponent form past that range (" 1E+15", " 1.5E-05").
std::string VbStr(double x);
// Single: the same with 7 significant digits, so 0.1f gives " .1".
std::string VbStr(float x);

// The text without its leading blank: NumToStr(120) is "120", NumToStr(0.5) is ".5". A negative
// number keeps its minus sign: NumToStr(-5) is "-5".
std::string NumToStr(const std::string& vbStrText);
template <typename T>
  requires std::integral<T> || std::floating_point<T>
std::string NumToStr(T n) { return NumToStr(VbStr(n)); }

// A caption followed by a count: "Files not saved: 3" after a Latin caption, "未保存的文件数：3"
// after a wide one, whose punctuation carries its own space.
std::string JoinedCount(const std::string& caption, long long count);

// `text` without its leading blanks (trailing blanks stay): the info texts join the list's
// columns, VbStr's blank and the padding of the columns dropped.
std::string KillSp(std::string_view text);

}  // namespace glimmora
