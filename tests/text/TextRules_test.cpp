#include <gtest/gtest.h>

#include "text/AsciiCase.h"
#include "text/NumberText.h"
#include "text/TextCodec.h"

namespace glimmora {
namespace {

TEST(NumberText, KeepsTheSignBlankThatListTextsRelyOn) {
  EXPECT_EQ(VbStr(5), " 5");
  EXPECT_EQ(VbStr(-5), "-5");
  EXPECT_EQ(VbStr(0), " 0");
  EXPECT_EQ(VbStr(0.5), " .5");
  EXPECT_EQ(VbStr(-0.5), "-.5");
  EXPECT_EQ(VbStr(12.1), " 12.1");
  EXPECT_EQ(VbStr(100.0), " 100");
  EXPECT_EQ(VbStr(0.0001), " .0001");
  EXPECT_EQ(VbStr(0.00001), " 1E-05");
  EXPECT_EQ(VbStr(-1.5e-5), "-1.5E-05");
  EXPECT_EQ(VbStr(123456789012345.0), " 123456789012345");
  EXPECT_EQ(VbStr(1234567890123456.0), " 1.23456789012346E+15");
  EXPECT_EQ(VbStr(1e15), " 1E+15");
  // Single precision: seven digits, so a float's binary noise never shows.
  EXPECT_EQ(VbStr(0.1f), " .1");
  EXPECT_EQ(VbStr(2.9f), " 2.9");
  EXPECT_EQ(VbStr(9999999.0f), " 9999999");
  EXPECT_EQ(VbStr(12345678.0f), " 1.234568E+07");
}

TEST(NumberText, NumToStrDropsOnlyTheBlank) {
  EXPECT_EQ(NumToStr(120), "120");
  EXPECT_EQ(NumToStr(-5), "-5");
  EXPECT_EQ(NumToStr(0.5), ".5");
  EXPECT_EQ(NumToStr(12.1), "12.1");
  EXPECT_EQ(NumToStr(std::uint64_t{5368709120}), "5368709120");
  EXPECT_EQ(NumToStr(std::uint32_t{4294967295u}), "4294967295");
  EXPECT_EQ(NumToStr(LLONG_MIN), "-9223372036854775808");
}

TEST(NumberText, KillSpKeepsTrailingBlanks) {
  EXPECT_EQ(KillSp("   abc "), "abc ");
  EXPECT_EQ(KillSp("    "), "");
  EXPECT_EQ(KillSp(""), "");
}

TEST(AsciiCase, OnlyAsciiLettersChangeCase) {
  EXPECT_EQ(AsciiUpper("ico Bmp-9\xC3\xA4"), "ICO BMP-9\xC3\xA4");  // the UTF-8 bytes of an umlaut stay
  EXPECT_TRUE(EqualsIgnoringCase("Mail", "MAIL"));
  EXPECT_FALSE(EqualsIgnoringCase("Mail", "MAILS"));
  EXPECT_TRUE(StartsWithIgnoringCase("MailTo:a@b", "mailto:"));
  EXPECT_FALSE(StartsWithIgnoringCase("mail", "mailto:"));
  EXPECT_TRUE(EndsWithIgnoringCase("A.ICO", ".ico"));
  EXPECT_FALSE(EndsWithIgnoringCase("ico", ".ico"));
  EXPECT_FALSE(EqualsIgnoringCase("@", "`"));  // neighbours of the letters are no letters
  // Names the program upper-cases: every letter that has a capital, and only letters; bytes that
  // are not UTF-8 (a legacy name) keep all but their ASCII letters.
  EXPECT_EQ(UpperCase("a5-Système 图标_ÿ.ico"), "A5-SYSTÈME 图标_Ÿ.ICO");
  EXPECT_EQ(UpperCase("straße ǆ ıi"), "STRAßE Ǆ II");  // one capital for one letter
  EXPECT_EQ(UpperCase("ab\xB9\xCF" "cd"), "AB\xB9\xCF" "CD");
}

}  // namespace
}  // namespace glimmora
