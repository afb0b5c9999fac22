#include "source/IconPages.h"

#include <gtest/gtest.h>

#include "support/IconFileMaker.h"
#include "support/IconFixtures.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

using testing::IconSourceFile;
using testing::RowNumberTable;
using testing::TempDir;

TEST(IconPagesTest, PageCountFollowsTheFiftyIconPages) {
  EXPECT_EQ(PageCountOf(0, 50), 0);
  EXPECT_EQ(PageCountOf(1, 50), 1);
  EXPECT_EQ(PageCountOf(50, 50), 1);
  EXPECT_EQ(PageCountOf(51, 50), 2);
  EXPECT_EQ(PageCountOf(120, 50), 3);
  // Far beyond the old limit of 500 recorded pages.
  EXPECT_EQ(PageCountOf(30000, 50), 600);
}

IconPageState StateWithPages(std::int64_t pages) {
  IconPageState s;
  s.Folder = "/d";
  s.FileName = "f.bin";
  s.SourceFile = "/d/f.bin";
  s.GrpCount = pages;
  for (std::int64_t p = 0; p < pages; ++p) s.GrpStart.push_back(1 + p * 1000);
  return s;
}

TEST(IconPagesTest, TurningClampsAtBothEndsAndStillRescans) {
  IconPageState s = StateWithPages(3);
  EXPECT_EQ(PageControlsFor(s), (PageControls{true, false, true}));
  EXPECT_TRUE(TurnPage(s, -1));  // already on page 1: stays, scanned again
  EXPECT_EQ(s.GrpNo, 1);
  EXPECT_TRUE(TurnPage(s, 1));
  EXPECT_EQ(s.GrpNo, 2);
  EXPECT_EQ(s.PageStart(), 1001);
  EXPECT_EQ(PageControlsFor(s), (PageControls{true, true, true}));
  EXPECT_TRUE(TurnPage(s, 1));
  EXPECT_TRUE(TurnPage(s, 1));
  EXPECT_EQ(s.GrpNo, 3);
  EXPECT_EQ(PageControlsFor(s), (PageControls{true, true, false}));
  EXPECT_EQ(s.IcoCount, 0);
  EXPECT_EQ(s.GrpCount, 3);
}

TEST(IconPagesTest, NoTurnWithoutASecondPageOrForAPicture) {
  IconPageState none = StateWithPages(0);
  EXPECT_FALSE(TurnPage(none, 1));
  EXPECT_EQ(none.GrpNo, 1);
  EXPECT_EQ(PageControlsFor(none), PageControls{});
  IconPageState one = StateWithPages(1);
  EXPECT_FALSE(TurnPage(one, 1));
  IconPageState empty;
  EXPECT_FALSE(TurnPage(empty, 1));
  IconPageState picture = StateWithPages(3);
  ApplyPictureIcon(picture, "/p/", "a.gif");
  EXPECT_EQ(picture.SourceFile, "/p/a.gif");
  EXPECT_EQ(picture.GrpCount, 1);
  EXPECT_FALSE(TurnPage(picture, 1));
  EXPECT_FALSE(PageControlsFor(picture).ArrowsVisible);
}

TEST(IconPagesTest, HeadingShowsThePagePositionOnlyWithSeveralPages) {
  LanguageTable lang = RowNumberTable();
  IconPageState s = StateWithPages(1);
  NameHeading h = NameColumnHeading(s, lang);
  EXPECT_EQ(h.Text, "         <218>");
  EXPECT_EQ(h.WidthPx, 215);
  s = StateWithPages(3);
  s.GrpNo = 2;
  h = NameColumnHeading(s, lang);
  EXPECT_EQ(h.Text, "  <218> ( <219>2 <220> 3 <389> )");
  EXPECT_EQ(h.WidthPx, 280);
  lang.CurLang = Language::ChineseGB;
  EXPECT_EQ(NameColumnHeading(s, lang).WidthPx, 233);
  EXPECT_EQ(IconCountColumn(37), "   37");
  EXPECT_EQ(IconCountColumn(0), "   0");
}

TEST(IconPagesTest, NewFileScanRecordsWherePagesTwoAndThreeStart) {
  TempDir dir;
  const IconSourceFile file = testing::ManyIcons(120, 16);
  testing::WriteBytes(dir.path() / "many.bin", file.Bytes);
  LanguageTable lang = RowNumberTable();
  testing::ScriptedPrompter prompter;
  ScanResult result = SearchIconInFile(NewFileScanRequest(dir.str(), "many.bin"), ScanServices{lang, prompter});
  IconPageState s;
  ApplyNewFileScan(s, dir.str() + "/", "many.bin", result);
  EXPECT_EQ(s.TotalIcons, 120);
  EXPECT_EQ(s.GrpCount, 3);
  ASSERT_EQ(s.GrpStart.size(), 3u);
  EXPECT_EQ(s.GrpStart[1], file.Positions[50]);
  EXPECT_EQ(s.GrpStart[2], file.Positions[100]);
  EXPECT_EQ(s.SourceFile, dir.str() + "/many.bin");

  // The last page lists icons 101 to 120 from its recorded start.
  ASSERT_TRUE(TurnPage(s, 1));
  ASSERT_TRUE(TurnPage(s, 1));
  struct Names : FoundIconSink {
    std::vector<std::string> texts;
    void AddFoundIcon(const FoundIconItem& item) override { texts.push_back(item.text); }
  } names;
  SearchIconInFile(PageScanRequest(s), ScanServices{lang, prompter, &names});
  ASSERT_EQ(names.texts.size(), 20u);
  EXPECT_EQ(names.texts.front(), "many.bin_101.ico");
  EXPECT_EQ(names.texts.back(), "many.bin_120.ico");
}

}  // namespace
}  // namespace glimmora
