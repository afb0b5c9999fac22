#include "websites/WebSiteRecord.h"

#include <gtest/gtest.h>

namespace glimmora {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

TEST(WebSiteField, MarkerIsWholeOrAbsentAtTheFieldsEdge) {
  // The language field is 5 bytes wide.
  EXPECT_EQ(EncodeWebField("ABC", 5), "ABC\\\\");    // width - 2: the whole marker
  EXPECT_EQ(EncodeWebField("ABCD", 5), "ABCD ");     // width - 1: no lone backslash
  EXPECT_EQ(EncodeWebField("ABCDE", 5), "ABCDE");    // width: no marker
  EXPECT_EQ(EncodeWebField("ABCDEFG", 5), "ABCDE");  // longer: cut
  EXPECT_EQ(EncodeWebField("", 5), "\\\\   ");
  EXPECT_EQ(EncodeWebField("A", 5), "A\\\\  ");

  for (const char* text : {"ABC", "ABCD", "ABCDE"})
    EXPECT_EQ(DecodeWebField(EncodeWebField(text, 5), Language::English), text);
  EXPECT_EQ(DecodeWebField("ABCDE", Language::English), "ABCDE");
  EXPECT_EQ(DecodeWebField("\\\\   ", Language::English), "");
}

TEST(WebSiteField, ChineseTextIsCutBetweenCharacters) {
  const std::string zhong = "\xE4\xB8\xAD";  // 中, three bytes
  const std::string wen = "\xE6\x96\x87";    // 文
  // Six bytes into five: the second character does not fit, the marker does.
  EXPECT_EQ(EncodeWebField(zhong + wen, 5), zhong + "\\\\");
  EXPECT_EQ(DecodeWebField(zhong + "\\\\", Language::ChineseGB), zhong);

  // Thirteen characters (39 bytes) in the 40-byte author field: one byte short, blank-padded.
  std::string thirteen;
  for (int i = 0; i < 13; ++i) thirteen += zhong;
  EXPECT_EQ(EncodeWebField(thirteen, 40), thirteen + " ");
  EXPECT_EQ(DecodeWebField(thirteen + " ", Language::English), thirteen);

  // 'a' and twenty characters (61 bytes) in the 60-byte name field: the last character goes and
  // the marker takes the two bytes left over.
  std::string name = "a";
  for (int i = 0; i < 20; ++i) name += wen;
  std::string cut = "a";
  for (int i = 0; i < 19; ++i) cut += wen;
  EXPECT_EQ(EncodeWebField(name, 60), cut + "\\\\");
}

TEST(WebSiteField, ReadingStopsAtTheFirstMarkerAndHandlesLegacyBytes) {
  EXPECT_EQ(DecodeWebField("ab\\\\cd\\\\  ", Language::English), "ab");
  // A field written in GBK: "电脑" and the marker.
  EXPECT_EQ(DecodeWebField("\xB5\xE7\xC4\xD4\\\\  ", Language::ChineseGB), "\xE7\x94\xB5\xE8\x84\x91");
  // A GBK character whose second byte is a backslash, then the marker: only the marker ends it.
  const std::string field = std::string("\x81\x5C") + "\\\\" + Blanks(4);
  const std::string text = DecodeWebField(field, Language::ChineseGB);
  EXPECT_FALSE(text.empty());
  EXPECT_EQ(text.find('\\'), std::string::npos);
  EXPECT_EQ(text, "\xE4\xB9\x97");
  // CP1252 in the English list.
  EXPECT_EQ(DecodeWebField("caf\xE9\\\\ ", Language::English), "caf\xC3\xA9");
}

TEST(WebSiteRecord, ShortAddressScramblesItsPaddingBlanks) {
  WebSiteEntry e;
  e.Address = "a.test";
  const WebRecordBytes r = EncodeWebRecord(e, 1234);
  ASSERT_EQ(r.size(), 600u);
  EXPECT_EQ(r.substr(105, 11), "a.test\\\\   ");
  EXPECT_EQ(r.substr(116, 11), std::string(11, '\xF2'));  // 0x20 ^ 0xD2
  EXPECT_EQ(r.substr(127, 118), Blanks(118));
  EXPECT_EQ(r.substr(574, 2), "\xD2\x04");
  EXPECT_EQ(DecodeWebRecord(r, Language::English).Address, "a.test");
}

TEST(WebSiteRecord, KeyWithZeroLowByteLeavesTheAddressPlain) {
  WebSiteEntry e;
  e.Address = "https://icons.example.com";
  const WebRecordBytes r = EncodeWebRecord(e, 512);
  EXPECT_EQ(r.substr(105, 27), "https://icons.example.com\\\\");
  EXPECT_EQ(r.substr(574, 2), std::string("\x00\x02", 2));
}

TEST(WebSiteRecord, AnyKeyReadsBackWhatWasStored) {
  WebSiteEntry e{"Icon Gallery", "Example Studio", "EN", "https://icons.example.com/a/b?c=d",
                 "note", "detail text"};
  for (int key : {0, 1, 255, 256, 9999, 19999}) {
    SCOPED_TRACE(key);
    EXPECT_EQ(DecodeWebRecord(EncodeWebRecord(e, key), Language::English), e);
  }
  // A record from a damaged file with a negative key still reads without harm.
  WebRecordBytes r = EncodeWebRecord(e, 7);
  r[574] = '\xFF';
  r[575] = '\xFF';
  EXPECT_EQ(DecodeWebRecord(r, Language::English).Name, "Icon Gallery");
}

TEST(WebSiteRecord, StoredEntryIsWhatReadingGivesBack) {
  WebSiteEntry e{std::string(70, 'n'), "auth", "ENGL", "x\\\\y", "", "d"};
  const WebSiteEntry s = StoredWebEntry(e, Language::English);
  EXPECT_EQ(s.Name, std::string(60, 'n'));
  EXPECT_EQ(s.Lang, "ENGL");
  EXPECT_EQ(s.Address, "x");
  EXPECT_EQ(s, DecodeWebRecord(EncodeWebRecord(e, 42), Language::English));
}

}  // namespace
}  // namespace glimmora
