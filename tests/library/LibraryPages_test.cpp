// Pages of a library taken out into the work folder, the pane's texts, and the keyword search
// over several libraries.

#include <gtest/gtest.h>

#include "library/KeywordSearch.h"
#include "library/LibEdits.h"
#include "library/LibPages.h"
#include "library/LibPane.h"
#include "support/IconFixtures.h"
#include "support/LibTestFiles.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

using namespace libtest;

class LibraryPagesTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  LanguageTable lang = testing::RowNumberTable();
  fs::path work() const { return dir.path() / "LibIconTemp"; }
  void SetUp() override { fs::create_directories(work()); }

  // A library of `n` icons (16 x 16, 4 bits), keywords from `keyword(i)`.
  std::string MakeLib(const std::string& base, int n, const std::function<std::string(int)>& keyword,
                      bool withDat = true) {
    std::string entries, bodies;
    for (int i = 1; i <= n; ++i) {
      const std::string body = BodyOf(TestIco(16, 16, 4, i));
      entries += HandEntry(257 + 180 * (i - 1), std::uint32_t(bodies.size() + 1), std::uint32_t(body.size()), 16, 16,
                           4, keyword(i));
      bodies += body;
    }
    const fs::path src = dir.path() / (base + ".src");
    WriteAll(src, HandHead(base, base, std::uint32_t(n)) + entries);
    if (withDat) WriteAll(dir.path() / (base + ".dat"), bodies);
    return src.string();
  }

  std::vector<std::string> WorkFiles() const {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(work())) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

TEST_F(LibraryPagesTest, WorkNamesCountFromAAAWithTheLastLetterFastest) {
  EXPECT_EQ(NextWorkName(""), "AAA");
  EXPECT_EQ(NextWorkName("AAZ"), "ABA");
  EXPECT_EQ(NextWorkName("AZZ"), "BAA");
}

TEST_F(LibraryPagesTest, PageThreeOf120IconsIsEntries101To120AsAAAToAAT) {
  const std::string src = MakeLib("big", 120, [](int i) { return "k" + std::to_string(i) + "\\\\"; });
  // A work file of an earlier page goes; a file of any other name is not the program's own.
  WriteAll(work() / "ZZZ.ico", std::string("x"));
  WriteAll(work() / "mine.ico", std::string("x"));
  std::vector<int> progress;
  LibPageRequest req{src, "Animals", "Big", 3, 50, work().string()};
  const LibPage page = GetIcoFromLib(req, lang, [&](int v) { progress.push_back(v); });
  ASSERT_EQ(page.Items.size(), 20u);
  EXPECT_EQ(page.LibGrpCount, 3);
  EXPECT_EQ(page.Items.front().Entry, 101);
  EXPECT_EQ(page.Items.back().Entry, 120);
  EXPECT_EQ(page.Items.front().Key, "AAA.ico");
  EXPECT_EQ(page.Items.back().Key, "AAT.ico");
  EXPECT_EQ(page.Items[2].Text, "  3");
  EXPECT_EQ(page.Items[0].SubItem1(), "Animals-Big  [k101]");
  EXPECT_EQ(page.Items[0].SizeText(), " 16 x 16");
  EXPECT_EQ(page.Items[0].ColorText(lang), "<363>");
  const std::uint64_t fileSize = TestIco(16, 16, 4, 1).size();
  EXPECT_EQ(page.Items[0].BytesText(), "  " + std::to_string(fileSize));
  std::vector<std::string> want;
  for (std::string name = "AAA"; want.size() < 20; name = NextWorkName(name)) want.push_back(name + ".ico");
  want.push_back("mine.ico");
  EXPECT_EQ(WorkFiles(), want);
  // The work file of item k is entry 100 + k, with the library's own headers.
  const LibraryReader r = LibraryReader::Open(src);
  EXPECT_EQ(ReadAll(work() / "AAE.ico"), [&] { auto b = *r.IcoBytes(105); return std::string(b.begin(), b.end()); }());
  EXPECT_EQ(progress.back(), 110);
  EXPECT_EQ(page.Status2, "<222> 20 <223> (" + KbText(20 * fileSize) + " KB)");
}

TEST_F(LibraryPagesTest, EmptyMissingAndDamagedLibraries) {
  const std::string empty = MakeLib("empty", 0, [](int) { return ""; });
  const LibPage e = GetIcoFromLib({empty, "C", "Empty", 0, 50, work().string()}, lang);
  EXPECT_TRUE(e.Items.empty());
  EXPECT_EQ(e.Status2, "");
  const std::string missing = (dir.path() / "gone.src").string();
  const LibPage m = GetIcoFromLib({missing, "C", "Gone", 0, 50, work().string()}, lang);
  ASSERT_TRUE(m.Problem.has_value());
  EXPECT_EQ(m.Problem->code, Fault::LibraryMissing);
  EXPECT_FALSE(fs::exists(missing));
  EXPECT_FALSE(fs::exists(dir.path() / "gone.dat"));
  // A library whose data file went away lists nothing and creates nothing.
  const std::string noDat = MakeLib("nodat", 3, [](int) { return "\\\\"; }, false);
  const LibPage n = GetIcoFromLib({noDat, "C", "NoDat", 1, 50, work().string()}, lang);
  EXPECT_TRUE(n.Items.empty());
  EXPECT_EQ(n.Unreadable, 3);
  EXPECT_FALSE(fs::exists(dir.path() / "nodat.dat"));
  const LibPage c = CategoryPage(work().string(), lang);
  EXPECT_EQ(c.Status2, "<222> 0 <223> (0 KB)");
}

TEST_F(LibraryPagesTest, KeywordWithoutMarkShowsAll37Bytes) {
  const std::string src = MakeLib("full", 1, [](int) { return std::string(37, 'q'); });
  const LibPage page = GetIcoFromLib({src, "C", "Full", 1, 50, work().string()}, lang);
  ASSERT_EQ(page.Items.size(), 1u);
  EXPECT_EQ(page.Items[0].Keyword, std::string(37, 'q'));
}

TEST_F(LibraryPagesTest, KilobyteTextsAndSelectionState) {
  EXPECT_EQ(KbText(1536), "1.5");
  EXPECT_EQ(KbText(512), ".5");
  EXPECT_EQ(KbText(0), "0");
  // Past the old 16-bit limit the figure stays right.
  EXPECT_EQ(KbText(4u * 1024 * 1024), "4096");

  std::vector<LibPaneItem> items(3);
  for (auto& i : items) i.Bytes = 1024;
  items[1].Keyword = " ";
  std::vector<char> none(3, 0);
  const bool sel1[] = {false, true, false};
  const LibSelectState one = SelectLibIco(items, sel1, lang);
  EXPECT_TRUE(one.SelectAll);
  EXPECT_TRUE(one.CopyToSysClipboard);
  EXPECT_TRUE(one.SetKeywordText);
  EXPECT_EQ(one.KeywordText, " ");
  EXPECT_EQ(one.Panel3, "<224> 1 <393> (1 KB)");
  const bool all[] = {true, true, true};
  const LibSelectState three = SelectLibIco(items, all, lang);
  EXPECT_FALSE(three.SelectAll);
  EXPECT_FALSE(three.CopyToSysClipboard);
  EXPECT_EQ(three.Panel2, "<222> 3 <223> (3 KB)");
  const LibSelectState empty = SelectLibIco({}, {}, lang);
  EXPECT_FALSE(empty.PopIcoMenu);
  EXPECT_FALSE(empty.SelectAll);
  EXPECT_FALSE(empty.KeywordBox);
  EXPECT_EQ(empty.Panel2, "");
}

TEST_F(LibraryPagesTest, PageCaptionAndButtons) {
  const LibPagesState one = MakeLibPagesState(50, 50, 1, 50, lang);
  EXPECT_FALSE(one.MultiPage);
  const LibPagesState mid = MakeLibPagesState(120, 50, 2, 50, lang);
  EXPECT_EQ(mid.LibGrpCount, 3);
  EXPECT_EQ(mid.Caption, "<350>2 <351> 3 <389> )");
  EXPECT_TRUE(mid.PrevEnabled && mid.NextEnabled);
  const LibPagesState last = MakeLibPagesState(120, 20, 3, 50, lang);
  EXPECT_TRUE(last.PrevEnabled);
  EXPECT_FALSE(last.NextEnabled);
  EXPECT_EQ(ClampLibPage(3, 100, 50), 2);
  EXPECT_EQ(ClampLibPage(2, 120, 50), 2);
}

TEST_F(LibraryPagesTest, SearchTextSplitsIntoThreeTrimmedTerms) {
  const KeywordTerms t = SplitSearchText(" red  &  16 ");
  EXPECT_EQ(t.K1, "RED");
  EXPECT_EQ(t.K2, "16");
  EXPECT_EQ(t.K3, "");
  EXPECT_EQ(SplitSearchText("red&").K1, "RED");
  EXPECT_EQ(SplitSearchText("&red").K1, "");
  EXPECT_EQ(SplitSearchText("&red").K2, "RED");
  const KeywordTerms four = SplitSearchText("a&b&c&d");
  EXPECT_EQ(four.K3, "C");
  EXPECT_EQ(SplitSearchText("      x      ").K1, "  X  ");  // four blanks at most from each side
  std::string T = "Cats blue";
  bool ok = false;
  MatchKeywords(T, "TS BL", "", "", ok);  // across the blank between caption and keyword
  EXPECT_TRUE(ok);
  std::string empty;
  ok = true;
  MatchKeywords(empty, "X", "", "", ok);
  EXPECT_TRUE(ok);  // an empty text leaves the answer alone
}

TEST_F(LibraryPagesTest, SearchFindsHitsAcrossLibrariesEachCarryingItsOwnEntry) {
  const std::string a = MakeLib("a", 4, [](int i) { return i % 2 ? std::string("Red cat\\\\") : std::string("blue\\\\"); });
  const std::string b = MakeLib("b", 3, [](int i) { return i == 3 ? std::string("red\\\\") : std::string("\\\\"); });
  const std::string gone = (dir.path() / "gone.src").string();
  const std::string noDat = MakeLib("nodat", 2, [](int) { return std::string("red\\\\"); }, false);
  const std::vector<SearchLibrary> libs = {{a, "Pets", "Cats"}, {gone, "Pets", "Gone"}, {noDat, "Pets", "NoDat"},
                                           {b, "Home", "Reds"}};
  testing::ScriptedPrompter prompter;
  std::size_t askedBeforeHits = 99;
  const auto r = SearchLibByKeyword("RED", libs, work().string(), prompter, lang, {},
                                    [&](const KeywordSearchResult&) { askedBeforeHits = prompter.asked.size(); });
  ASSERT_TRUE(r);
  // The hits are listed first; then one message names the libraries that could not be read
  // (missing, or a hit's icon unreadable) with why; the count comes last.
  EXPECT_EQ(askedBeforeHits, 0u);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{670, 434}));
  const std::string& told = prompter.asked[0].text;
  EXPECT_EQ(told.rfind("<670>\nPets-Gone: ", 0), 0u) << told;
  EXPECT_NE(told.find("\nPets-NoDat: "), std::string::npos) << told;
  // Cats 1 and 3 by keyword, every icon of "Reds" by its caption.
  ASSERT_EQ(r->Hits, 5);
  EXPECT_EQ(r->Items[0].SrcPath, a);
  EXPECT_EQ(r->Items[0].Entry, 1);
  EXPECT_EQ(r->Items[1].Entry, 3);
  EXPECT_EQ(r->Items[2].SrcPath, b);
  EXPECT_EQ(r->Items[4].Entry, 3);
  EXPECT_EQ(r->Items[0].SubItem1(), "Pets-Cats [Red cat]");
  EXPECT_EQ(r->Items[4].Key, "AAE.ico");
  EXPECT_EQ(prompter.asked.back().text, "<434> 5<435>");
  EXPECT_FALSE(fs::exists(gone));
  EXPECT_FALSE(fs::exists(dir.path() / "nodat.dat"));

  // Writing a keyword through a hit goes to that hit's library and entry.
  std::vector<LibPaneItem> hits = r->Items;
  LibPaneItem* item = &hits[3];  // Reds entry 2
  ASSERT_TRUE(SaveKeyWord(std::span<LibPaneItem* const>(&item, 1), "green", prompter, lang));
  EXPECT_EQ(FieldText(LibraryReader::Open(b).Item(2)->Keyword, Language::English), "green");
  EXPECT_EQ(FieldText(LibraryReader::Open(a).Item(2)->Keyword, Language::English), "blue");
  EXPECT_EQ(hits[3].SubItem1(), "Home-Reds [green]");
}

TEST_F(LibraryPagesTest, SearchStopsAtFiftyHitsAndAsksForATerm) {
  const std::string a = MakeLib("a", 60, [](int) { return std::string("star\\\\"); });
  const std::vector<SearchLibrary> libs = {{a, "C", "Stars"}};
  testing::ScriptedPrompter prompter;
  EXPECT_FALSE(SearchLibByKeyword(" & ", libs, work().string(), prompter, lang));
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{437});
  const auto r = SearchLibByKeyword("star", libs, work().string(), prompter, lang);
  ASSERT_EQ(r->Items.size(), 50u);
  EXPECT_TRUE(r->LimitReached);
  EXPECT_EQ(r->Items.back().Key, "ABX.ico");
  EXPECT_EQ(WorkFiles().size(), 50u);
  EXPECT_EQ(prompter.RowsAsked().back(), 436);
}

TEST_F(LibraryPagesTest, DeleteFromAPaneAfterPaneOnlyRemovalsHitsTheShownIcons) {
  const std::string src = MakeLib("lib", 5, [](int i) { return "k" + std::to_string(i) + "\\\\"; });
  LibPage page = GetIcoFromLib({src, "C", "Lib", 1, 50, work().string()}, lang);
  // Items 1 and 2 were removed from the pane only; the user now deletes the first two shown.
  page.Items.erase(page.Items.begin(), page.Items.begin() + 2);
  std::vector<LibPaneItem> chosen = {page.Items[0], page.Items[1]};  // entries 3 and 4
  testing::ScriptedPrompter prompter;
  prompter.answers = {PromptAnswer::Ok};
  const KillResult k = KillIcoFromLib(chosen, prompter, lang);
  ASSERT_TRUE(k.Ok);
  EXPECT_EQ(k.NewCounts.at(src), 3);
  const LibraryReader r = LibraryReader::Open(src);
  EXPECT_EQ(FieldText(r.Item(3)->Keyword, Language::English), "k5");
  // Cancel changes nothing.
  const std::string before = ReadAll(src);
  prompter.answers = {PromptAnswer::Cancel};
  EXPECT_TRUE(KillIcoFromLib(chosen, prompter, lang).Cancelled);
  EXPECT_EQ(ReadAll(src), before);
  // The stale items name icons that moved: deleting them again is refused, nothing changes.
  prompter.answers = {PromptAnswer::Ok};
  prompter.asked.clear();
  EXPECT_FALSE(KillIcoFromLib(std::span<const LibPaneItem>(&page.Items[2], 1), prompter, lang).Ok);  // was entry 5, now entry 3
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{629, 641}));
  EXPECT_EQ(prompter.DefaultsAsked()[0], PromptAnswer::Cancel);  // Enter keeps the icons
  EXPECT_EQ(ReadAll(src), before);
}

TEST_F(LibraryPagesTest, KeywordSaveQuestions) {
  testing::ScriptedPrompter p;
  p.answers = {PromptAnswer::Yes};
  EXPECT_TRUE(ConfirmKeywordSave("", 3, p, lang));
  EXPECT_EQ(p.RowsAsked(), std::vector<int>{419});
  p.asked.clear();
  p.answers = {PromptAnswer::No};
  EXPECT_FALSE(ConfirmKeywordSave("red", 3, p, lang));
  EXPECT_EQ(p.asked[0].text, "<420>red<421> 3<422>");
  p.asked.clear();
  EXPECT_TRUE(ConfirmKeywordSave("red", 1, p, lang));
  EXPECT_TRUE(p.asked.empty());
}

TEST_F(LibraryPagesTest, AFailedKeywordOrAuthorWriteIsToldAndLeavesTheItemAsShown) {
  const std::string src = MakeLib("lib", 2, [](int i) { return "k" + std::to_string(i) + "\\\\"; });
  LibPage page = GetIcoFromLib({src, "C", "Lib", 1, 50, work().string()}, lang);
  LibPaneItem* item = &page.Items[1];
  const std::string before = ReadAll(src);
  testing::ScriptedPrompter p;
  FaultyOps ops;
  ops.failAt = 1;
  EXPECT_FALSE(SaveKeyWord(std::span<LibPaneItem* const>(&item, 1), "green", p, lang, ops));
  EXPECT_EQ(item->Keyword, "k2");
  ops.calls = 0;
  EXPECT_FALSE(SaveAuthorInf(*item, {"Ann", "a@b.c", "", ""}, p, lang, ops));
  EXPECT_EQ(item->AuthorName, "");
  EXPECT_EQ(ReadAll(src), before);
  EXPECT_EQ(p.RowsAsked(), (std::vector<int>{639, 640}));
  // What failed follows the row on its own line.
  for (const auto& asked : p.asked) {
    EXPECT_EQ(asked.text.find("\n"), asked.text.find('>') + 1) << asked.text;
    EXPECT_GT(asked.text.size(), asked.text.find('\n') + 1) << asked.text;
  }
}

}  // namespace
}  // namespace glimmora
