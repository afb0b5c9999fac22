#include "text/TextCodec.h"

#include <gtest/gtest.h>

namespace glimmora {
namespace {

TEST(TextCodec, CutNeverSplitsACharacter) {
  const std::string text = "ab\xE6\x96\x87\xE4\xBB\xB6";  // "ab" + two 3-byte characters
  EXPECT_EQ(CutUtf8(text, 2), "ab");
  EXPECT_EQ(CutUtf8(text, 4), "ab");
  EXPECT_EQ(CutUtf8(text, 5), "ab\xE6\x96\x87");
  EXPECT_EQ(CutUtf8(text, 7), "ab\xE6\x96\x87");
  EXPECT_EQ(CutUtf8(text, 8), text);
  EXPECT_EQ(CutUtf8(text, 100), text);
  EXPECT_EQ(CutUtf8("", 3), "");
}

TEST(TextCodec, ValidUtf8IsStrict) {
  EXPECT_TRUE(IsValidUtf8("plain"));
  EXPECT_TRUE(IsValidUtf8("\xE6\x96\x87"));
  EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
  EXPECT_FALSE(IsValidUtf8("\xE6\x96"));          // cut short
  EXPECT_FALSE(IsValidUtf8("\xB5\xE7\xC4\xD4"));  // GBK bytes
}

TEST(TextCodec, InvalidUtf8IsReadWithTheLanguagesCodePage) {
  // "电脑" in GBK and "電腦" in BIG5.
  EXPECT_EQ(DecodeStoredText("\xB5\xE7\xC4\xD4", Language::ChineseGB), "\xE7\x94\xB5\xE8\x84\x91");
  EXPECT_EQ(DecodeStoredText("\xB9\x71\xB8\xA3", Language::ChineseBig5), "\xE9\x9B\xBB\xE8\x85\xA6");
  EXPECT_EQ(DecodeStoredText("caf\xE9", Language::English), "caf\xC3\xA9");
  // Valid UTF-8 stays as it is whatever the language.
  EXPECT_EQ(DecodeStoredText("caf\xC3\xA9", Language::ChineseGB), "caf\xC3\xA9");
  // A lone lead byte at the end is replaced, not dropped silently or read past.
  EXPECT_EQ(DecodeStoredText("a\xB5", Language::ChineseGB), "a\xEF\xBF\xBD");
}

}  // namespace
}  // namespace glimmora
