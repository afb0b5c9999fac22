#include "settings/SaveParams.h"

#include <gtest/gtest.h>

namespace glimmora {
namespace {

std::string Blanks(std::size_t n) { return std::string(n, ' '); }

// A record with every field set, as it must appear in the file.
const std::string kGolden = std::string("\xFF\xFF\x01\x01\x02", 5) +  // UseNow -1, BMP, all, OtherDir
                            "/home/u/ic//" + Blanks(38) +               // OtherDir: 10 + mark + blanks
                            std::string("\x03\x01\x02\x01", 4) +        // 40x40, ask, don't, ask
                            "/usr/bin/gimp//" + Blanks(25) +            // IconEditTool
                            std::string("\x02", 1);                     // Lang

SaveDirRec GoldenRec() {
  SaveDirRec r;
  r.UseNow = -1;
  r.SaveAs = 1;
  r.SaveSel = 1;
  r.TagDir = 2;
  r.OtherDir = "/home/u/ic";
  r.IcoSize = 3;
  r.MaskColorAns = 1;
  r.TrPictAns = 2;
  r.NostanAns = 1;
  r.IconEditTool = "/usr/bin/gimp";
  r.Lang = 2;
  return r;
}

TEST(SaveDirRecLayout, EveryFieldAtItsOffset) {
  ASSERT_EQ(kGolden.size(), 100u);
  EXPECT_EQ(EncodeSaveDirRec(GoldenRec()), kGolden);
  EXPECT_EQ(DecodeSaveDirRec(kGolden, Language::English), GoldenRec());
}

TEST(SaveDirRecLayout, ZeroBytesAndShortInputAreTheDefaults) {
  EXPECT_EQ(DecodeSaveDirRec(std::string(100, '\0'), Language::English), SaveDirRec{});
  EXPECT_EQ(DecodeSaveDirRec("", Language::English), SaveDirRec{});
  // A file that ends inside the record: the rest reads as zeros.
  const SaveDirRec r = DecodeSaveDirRec(kGolden.substr(0, 56), Language::English);
  EXPECT_EQ(r.IcoSize, 3);
  EXPECT_EQ(r.OtherDir, "/home/u/ic");
  EXPECT_EQ(r.MaskColorAns, 0);
  EXPECT_EQ(r.IconEditTool, "");
}

TEST(SaveDirRecLayout, DefaultsStoreEmptyTextsWithTheirMarks) {
  const std::string expected = std::string(5, '\0') + "//" + Blanks(48) + std::string(4, '\0') + "//" +
                               Blanks(38) + std::string(1, '\0');
  EXPECT_EQ(EncodeSaveDirRec(SaveDirRec{}), expected);
}

TEST(SaveDirRecTexts, RootFolderKeepsItsSlash) {
  SaveDirRec r;
  r.OtherDir = "/";
  const std::string bytes = EncodeSaveDirRec(r);
  EXPECT_EQ(bytes.substr(5, 50), "///" + Blanks(47));
  EXPECT_EQ(DecodeSaveDirRec(bytes, Language::English).OtherDir, "/");
}

TEST(SaveDirRecTexts, EditorPathsNearTheFieldLengthReadBackWhole) {
  for (std::size_t len : {37u, 38u, 39u, 40u}) {
    SCOPED_TRACE(len);
    SaveDirRec r;
    r.IconEditTool = "/" + std::string(len - 1, 'e');
    const std::string field = EncodeSaveDirRec(r).substr(59, 40);
    if (len <= 38)
      EXPECT_EQ(field, r.IconEditTool + "//" + Blanks(38 - len));
    else
      EXPECT_EQ(field, r.IconEditTool + Blanks(40 - len));  // no room for the mark: blank padding
    EXPECT_EQ(DecodeSaveDirRec(EncodeSaveDirRec(r), Language::English).IconEditTool, r.IconEditTool);
  }
}

TEST(SaveDirRecTexts, LongTextsAreCutAtACharacterBoundary) {
  SaveDirRec r;
  r.IconEditTool = std::string(39, 'a') + "\xC3\xA9" + "z";  // "é" would straddle byte 40
  r.OtherDir = "/" + std::string(48, 'b') + "\xE4\xB8\xAD";   // 52 bytes, the CJK char does not fit
  const std::string bytes = EncodeSaveDirRec(r);
  EXPECT_EQ(bytes.substr(59, 40), std::string(39, 'a') + " ");
  EXPECT_EQ(bytes.substr(5, 50), "/" + std::string(48, 'b') + " ");
  const SaveDirRec back = DecodeSaveDirRec(bytes, Language::English);
  EXPECT_EQ(back.IconEditTool, std::string(39, 'a'));
  EXPECT_EQ(back.OtherDir, "/" + std::string(48, 'b'));
}

TEST(SaveDirRecTexts, FieldsFromOlderDesktopsAreReadInTheirCodePage) {
  std::string bytes(100, '\0');
  // "C:\图标//" in GBK: 图 = CD BC, 标 = B1 EA.
  bytes.replace(5, 50, std::string("C:\\\xCD\xBC\xB1\xEA//") + Blanks(41));
  bytes.replace(59, 40, std::string("C:\\ed.exe//") + Blanks(29));
  const SaveDirRec r = DecodeSaveDirRec(bytes, Language::ChineseGB);
  EXPECT_EQ(r.OtherDir, "C:\\\xE5\x9B\xBE\xE6\xA0\x87");
  EXPECT_EQ(r.IconEditTool, "C:\\ed.exe");
  // A Windows folder names nothing here: the savers get no folder.
  EXPECT_EQ(UsableOtherDir(r), "");
}

TEST(SaveDirRecTexts, TextEndingInBlanksKeepsThemBeforeItsMark) {
  SaveDirRec r;
  r.OtherDir = "/tmp/a b ";
  EXPECT_EQ(DecodeSaveDirRec(EncodeSaveDirRec(r), Language::English).OtherDir, "/tmp/a b ");
}

TEST(SaveParamsCopies, ListsShareTheirCopies) {
  SaveParams p;
  EXPECT_EQ(p.ForList("ListViewLIco"), &p.SaveLibDir);
  EXPECT_EQ(p.ForList("ListViewIcoClipboard"), &p.SaveLibDir);
  EXPECT_EQ(p.ForList("ListViewFile"), &p.SaveFileDir);
  EXPECT_EQ(p.ForList("ListViewPict"), &p.SaveIcoDir);
  EXPECT_EQ(p.ForList("ListViewWebSite"), nullptr);
  p.SetLang(2);
  EXPECT_EQ(p.SaveLibDir.Lang + p.SaveFileDir.Lang + p.SaveIcoDir.Lang, 6);
}

TEST(SaveDirRecMask, AnswersOneAskTwoNoAnyOtherUseTheColour) {
  SaveDirRec rec;
  EXPECT_EQ(MaskAnswerOf(rec), MaskAnswer::Yes);
  rec.MaskColorAns = 1;
  EXPECT_EQ(MaskAnswerOf(rec), MaskAnswer::Ask);
  rec.MaskColorAns = 2;
  EXPECT_EQ(MaskAnswerOf(rec), MaskAnswer::No);
  rec.MaskColorAns = 3;
  EXPECT_EQ(MaskAnswerOf(rec), MaskAnswer::Yes);
  rec.MaskColorAns = 255;
  EXPECT_EQ(MaskAnswerOf(rec), MaskAnswer::Yes);
}

}  // namespace
}  // namespace glimmora
