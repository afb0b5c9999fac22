// The shipped language texts, read back from the built program folder: every row the program shows
// is there in all three languages, and the texts that are joined with numbers, names and other rows
// read as whole sentences once joined the way the windows join them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cctype>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "text/FaultText.h"
#include "text/LanguageFiles.h"
#include "text/LanguageTable.h"
#include "text/NumberText.h"
#include "icons/PictureRefusal.h"
#include "text/TextCodec.h"

namespace glimmora {
namespace {

using std::string;

// Every row that a caption, tooltip, column, status text or message of the program uses.
constexpr std::pair<int, int> kRowsInUse[] = {
    {1, 135},   {137, 150}, {152, 192}, {201, 209}, {211, 220}, {222, 228}, {231, 289},
    {291, 316}, {319, 345}, {347, 351}, {354, 372}, {374, 391}, {393, 411}, {413, 413},
    {419, 422}, {434, 438}, {441, 460}, {605, 608}, {610, 626}, {628, 656}, {660, 666},
    {670, 670}, {680, 680}, {700, 700}, {710, 714}, {720, 724}, {729, 739}, {740, 749},
    {750, 769}, {770, 800}};

constexpr Language kLanguages[] = {Language::English, Language::ChineseGB, Language::ChineseBig5};

const char* Name(Language lang) {
  switch (lang) {
    case Language::English: return "English";
    case Language::ChineseGB: return "Chinese GB";
    case Language::ChineseBig5: return "Chinese BIG5";
  }
  return "?";
}

const LanguageTable& Shipped() {
  static const LanguageTable table = [] {
    LanguageTable t;
    LoadLanguageStrings(GLIMMORA_APP_DIR, t);
    return t;
  }();
  return table;
}

// Number texts as the windows write them: Str puts a blank before a number that is not negative,
// NumToStr writes the digits alone.
string Str(long n) { return (n >= 0 ? " " : "") + std::to_string(n); }
string NumToStr(long n) { return std::to_string(n); }

class Texts : public ::testing::TestWithParam<Language> {
 protected:
  const string& R(int row) const { return Shipped().Text(GetParam(), row); }
  bool English() const { return GetParam() == Language::English; }

  // A composed text that must read as one whole text: no doubled blank, no blank at either end or
  // before a closing punctuation mark, no number glued to a word, nothing left unfilled.
  void ExpectWhole(const string& text, const string& what) const {
    SCOPED_TRACE(string(Name(GetParam())) + ", " + what + ": [" + text + "]");
    ASSERT_FALSE(text.empty());
    EXPECT_TRUE(IsValidUtf8(text));
    EXPECT_EQ(text.find("  "), string::npos) << "doubled blank";
    EXPECT_NE(text.front(), ' ') << "leading blank";
    EXPECT_NE(text.back(), ' ') << "trailing blank";
    for (const char* mark : {" ,", " .", " ?", " :", " ;", " !", " \n", "\n ", "( )", "()", "\"\""}) {
      EXPECT_EQ(text.find(mark), string::npos) << "found [" << mark << "]";
    }
    for (const char* wide : {"，", "。", "？", "：", "；", "！", "、", "”", "」"}) {
      EXPECT_EQ(text.find(string(" ") + wide), string::npos) << "blank before " << wide;
    }
    for (const char* wide : {"，", "。", "？", "：", "；", "！", "、", "“", "「"}) {
      EXPECT_EQ(text.find(string(wide) + " "), string::npos) << "blank after " << wide;
    }
    static const std::regex glued("[A-Za-z][0-9]|[0-9][A-Za-z]");
    EXPECT_FALSE(std::regex_search(text, glued)) << "a number glued to a word";
  }
};

INSTANTIATE_TEST_SUITE_P(AllLanguages, Texts, ::testing::ValuesIn(kLanguages), [](const auto& info) {
  string name = Name(info.param);
  std::erase(name, ' ');
  return name;
});

TEST_P(Texts, EveryRowInUseHasText) {
  int rows = 0;
  for (const auto& [first, last] : kRowsInUse) {
    for (int row = first; row <= last; ++row) {
      ++rows;
      EXPECT_FALSE(R(row).empty()) << Name(GetParam()) << " row " << row;
      EXPECT_TRUE(IsValidUtf8(R(row))) << Name(GetParam()) << " row " << row;
    }
  }
  EXPECT_EQ(rows, 561);
  // Each reason a picture is refused for is told by a row of its own.
  std::set<int> reasonRows;
  for (const PictureRefusalText& t : kPictureRefusalTexts) {
    if (t.refusal == PictureRefusal::None) continue;
    EXPECT_FALSE(R(t.row).empty()) << Name(GetParam()) << " " << t.name;
    EXPECT_TRUE(reasonRows.insert(t.row).second) << t.name;
  }
}

TEST(ChineseTexts, AreTranslatedAndEachInItsOwnWords) {
  const LanguageTable& t = Shipped();
  for (Language lang : {Language::ChineseGB, Language::ChineseBig5}) {
    // A row left in English in a Chinese language is a row nobody translated.
    for (int row : {8, 27, 161, 216, 224, 282, 319, 441, 617, 621}) {
      bool wide = false;
      for (unsigned char c : t.Text(lang, row)) wide = wide || c >= 0xE0;
      EXPECT_TRUE(wide) << Name(lang) << " row " << row << ": " << t.Text(lang, row);
    }
  }
  // The two Chinese languages use their own words (files, folders, clipboard, settings), so a
  // column copied from the other one shows up here.
  for (int row : {8, 120, 217, 295, 390, 643, 650}) {
    EXPECT_NE(t.Text(Language::ChineseGB, row), t.Text(Language::ChineseBig5, row)) << "row " << row;
  }
}

TEST_P(Texts, StatusLinesOfTheFoundIconsAndTheFileList) {
  for (int c : {1, 12}) {
    ExpectWhole(R(216) + Str(c) + " " + R(c > 1 ? 386 : 387) + " (" + "8.5" + " KB)", "scan status");
    ExpectWhole(R(222) + Str(c) + " " + R(c == 1 ? 387 : 223) + " (" + "12.5" + " KB)", "found icons");
    ExpectWhole(R(224) + Str(c) + " " + R(c > 1 ? 357 : 393) + " (" + ".7" + " KB)", "selected icons");
    ExpectWhole(R(216) + Str(c) + " " + R(c > 1 ? 217 : 391) + " (" + "1.2" + " " + "MB" + ")", "file count");
    ExpectWhole(R(224) + Str(c) + " " + R(c > 1 ? 358 : 394) + " (" + "5" + " " + "KB" + ")", "ticked files");
  }
  for (int files : {1, 2}) {
    for (int icons : {1, 6}) {
      const int tail = files > 1 ? (icons > 1 ? 360 : 361) : (icons > 1 ? 395 : 396);
      ExpectWhole(R(359) + Str(icons) + " " + R(tail), "icons of the ticked files");
    }
  }
  ExpectWhole(R(388) + " (" + "1.2" + " KB)", "icon made from a picture");
  if (English()) {
    EXPECT_EQ(R(216) + Str(25) + " " + R(217) + " (1.2 MB)", "Total: 25 files (1.2 MB)");
    EXPECT_EQ(R(359) + Str(1) + " " + R(396), "Found 1 icon in the selected file");
  }
}

TEST_P(Texts, ClipboardStatusLine) {
  // The clipboard joins two counts into one line; with none or one icon it takes the singular rows.
  for (const auto& [n, sel] : {std::pair{1, 1}, {2, 1}, {3, 2}, {40, 0}}) {
    const string line = R(222) + Str(n) + " " + R(n > 1 ? 372 : 397) + Str(sel) + " " + R(sel > 1 ? 357 : 393);
    ExpectWhole(line, "clipboard status");
  }
  if (English()) {
    EXPECT_EQ(R(222) + Str(3) + " " + R(372) + Str(2) + " " + R(357), "Total: 3 icons, selected: 2 icons");
  }
}

TEST_P(Texts, PageHeadings) {
  const string found = "  " + R(218) + " ( " + R(219) + NumToStr(2) + " " + R(220) + " " + NumToStr(5) + " " +
                       R(389) + " )";
  ASSERT_EQ(found.rfind("  ", 0), 0u);
  ExpectWhole(found.substr(2), "found-icon page heading");
  const string library = R(350) + NumToStr(2) + " " + R(351) + " " + NumToStr(5) + " " + R(389) + " )";
  ExpectWhole(library, "library page heading");
  // The library heading replaces the first column's caption, so it starts with that caption.
  EXPECT_EQ(library.rfind(R(170), 0), 0u) << library;
  if (English()) {
    EXPECT_EQ(library, "No. ( Page 2 of 5 total )");
  }
}

TEST_P(Texts, NonStandardSizeQuestion) {
  // The question puts a blank after the first part and Str another one before the width: that one
  // doubled blank is the question's own; the rest must read whole.
  const string q = R(345) + " " + Str(40) + " x" + Str(40) + " " + R(626);
  EXPECT_EQ(q.find("  "), R(345).size()) << q;
  string single = q;
  single.erase(R(345).size(), 1);
  ExpectWhole(single, "non-standard size question");
}

TEST_P(Texts, PictureQuestionsAndTargetFolders) {
  for (const char* type : {"BMP", "JPG", "GIF", "WMF"}) {
    for (int tail : {348, 625}) {
      ExpectWhole(string("photo.") + type + " " + R(349) + " " + type + " " + R(tail), "picture question");
    }
  }
  const string source = "/home/ann/icons/tools.dll";
  // The found-icon question names the proposed folder: the source path and its suffix.
  const string ico = R(225) + source + R(226) + "\r\r" + R(621);
  const string bmp = R(227) + source + R(228) + "\r\r" + R(621);
  EXPECT_NE(ico.find(source + "_Ico"), string::npos) << ico;
  EXPECT_NE(bmp.find(source + "_Bmp"), string::npos) << bmp;
  for (const string& q : {ico, bmp, R(620) + "\r\r" + R(621), R(622) + "\r\r" + R(621)}) {
    ExpectWhole(q, "target-folder question");
  }
  ExpectWhole(R(374) + " " + "/home/ann/export" + R(375), "export folder question");
  ExpectWhole(R(215) + " " + "/media/cdrom", "folder that cannot be opened");
}

TEST_P(Texts, LibraryQuestions) {
  const string category = English() ? "Animals" : "动物";
  const string library = English() ? "Cats" : "猫";
  ExpectWhole(R(234) + category + R(235), "category without libraries");
  ExpectWhole(R(236) + category + R(237), "category with libraries");
  ExpectWhole(R(238) + category + "-" + library + R(239), "move selected icons");
  ExpectWhole(R(240) + category + "-" + library + R(239), "move all icons");
  ExpectWhole(R(339) + category + R(340), "create a library");
  ExpectWhole(R(343) + library + R(342), "delete a library");
  ExpectWhole(R(343) + category + R(344), "delete a category");
  ExpectWhole(R(420) + "red" + R(421) + Str(3) + R(422), "keyword for several icons");
  for (int hits : {0, 3, 49}) ExpectWhole(R(434) + Str(hits) + R(435), "search result");
  if (English()) {
    EXPECT_EQ(R(420) + "red" + R(421) + Str(3) + R(422), "Give the keyword \"red\" to all 3 selected icons?");
  }
}

TEST_P(Texts, FailureMessagesReadWholeWithWhatFailedBelow) {
  // A failure row is followed by a newline and the file, folder or system reason.
  for (int row : {630, 633, 634, 635, 636, 637, 638, 639, 640, 641, 642, 643, 644, 645, 646, 647, 648, 649, 650, 651,
                  652, 653, 654, 655, 656, 710, 712, 713, 720, 721, 782}) {
    ExpectWhole(R(row) + "\n" + "/home/ann/icons/tools.dll: No space left on device", "row " + std::to_string(row));
  }
  ExpectWhole(JoinedCount(R(711), 12), "files not saved");
  ExpectWhole(JoinedCount(R(735), 26), "files saved");
  ExpectWhole(R(670) + "\n" + "Animals-Cats: The library file /home/ann/cats.src does not exist.", "row 670");
  // A picture that cannot be loaded: the message, then why; the size limit is named.
  for (int reason = 663; reason <= 666; ++reason) ExpectWhole(R(631) + "\n" + R(reason), "picture refused");
  EXPECT_NE(R(662).find("100"), string::npos);
}

// Why a file step failed reads in the reader's language, the system's reason included: a
// Chinese user whose disk is full is told so in Chinese. English keeps the system's own words.
TEST_P(Texts, FileFailuresReadInTheReadersLanguage) {
  LanguageTable table = Shipped();
  table.CurLang = GetParam();
  struct Case {
    int sysErrno;
    const char* english;
  };
  const Case reasons[] = {
      {ENOSPC, "No space left on device"},   {EACCES, "Permission denied"},
      {EROFS, "Read-only file system"},      {ENOENT, "No such file or directory"},
      {EDQUOT, "Disk quota exceeded"},       {EIO, "Input/output error"},
      {EEXIST, "File exists"},               {ENOTDIR, "Not a directory"},
      {EISDIR, "Is a directory"},            {ELOOP, "Too many levels of symbolic links"},
      {EMFILE, "Too many open files"},       {ENAMETOOLONG, "File name too long"},
      {EXDEV, "Invalid cross-device link"},  {EINVAL, "not a regular file"},
      {0, "Input/output error"},             {ETIMEDOUT, "System error 110"},
  };
  std::set<string> seen;
  for (const Case& c : reasons) {
    const string reason = ReasonText(table, c.sysErrno);
    SCOPED_TRACE(string(Name(GetParam())) + ", errno " + std::to_string(c.sysErrno) + ": " + reason);
    if (English()) {
      EXPECT_EQ(reason, c.english);
    } else {
      EXPECT_TRUE(std::any_of(reason.begin(), reason.end(), [](char ch) { return (ch & 0x80) != 0; }));
    }
    if (c.sysErrno != 0) {
      EXPECT_TRUE(seen.insert(reason).second) << "two reasons read the same";
    }
    ExpectWhole(FaultText(table, Failure{Fault::CannotWrite, c.sysErrno, "/home/ann/icon-%2-.ico"}), "write failure");
  }
  const string full = FaultText(table, Failure{Fault::CannotWrite, ENOSPC, "/home/ann/icon-%2-.ico"});
  if (English()) {
    EXPECT_EQ(full, "Cannot write /home/ann/icon-%2-.ico: No space left on device");
  }
  if (GetParam() == Language::ChineseGB) {
    EXPECT_EQ(full, "无法写入 /home/ann/icon-%2-.ico：磁盘空间不足");
  }
  // Every fault has a sentence of its own that names its file and, where a system call failed, why.
  std::set<string> sentences;
  for (int code = 0; code <= static_cast<int>(Fault::SearchIconNotWritten); ++code) {
    const auto fault = static_cast<Fault>(code);
    const string text = FaultText(table, Failure{fault, ENOSPC, "/home/ann/cats.src", 12});
    ExpectWhole(text, "fault " + std::to_string(code));
    // A missing data file has no name to give; the library is named before the sentence.
    if (fault != Fault::SearchIconNoData) {
      EXPECT_NE(text.find("/home/ann/cats.src"), string::npos) << text;
    }
    EXPECT_EQ(text.find('%'), string::npos) << text;
    EXPECT_TRUE(sentences.insert(text).second) << text;
  }
  EXPECT_EQ(FaultText(table, Failure{Fault::LibraryBusy, 0, "/l/a.src"}).find(ReasonText(table, EIO)), string::npos);
}

TEST_P(Texts, CaptionsJoinedWithFixedText) {
  const string title = R(438);
  EXPECT_NE(title.find("Glimmora"), string::npos);
  ExpectWhole(title + " -> " + R(354) + " -> " + "Animals -> Cats", "library page caption");
  ExpectWhole(title + " -> " + R(355) + " -> " + "/home/ann", "source page caption");
  ExpectWhole(title + " -> " + R(356), "web-site page caption");
  ExpectWhole(title + " -> " + R(354) + " -> " + R(265), "search caption");
  for (int list : {307, 310, 313, 615}) ExpectWhole(R(282) + " -- " + R(list), "options title");
  ExpectWhole("Ico " + R(284), "format choice");
  ExpectWhole("/home/ann/" + R(314) + "_Ico/", "automatic folder preview");
  const string filter = R(315) + "(*.exe;*.com;*.bat)|*.exe;*.com;*.bat|" + R(316) + "(*.*)|*.*";
  EXPECT_EQ(filter.find("  "), string::npos) << filter;
  for (int row : {315, 316}) {
    EXPECT_EQ(R(row).find('|'), string::npos) << "row " << row << " would split the filter";
    ExpectWhole(R(row) + "(*.*)", "file filter");
  }
  ExpectWhole(R(270) + " 640 x 480", "picture size");
  ExpectWhole(R(271) + " 45%", "zoom");
  ExpectWhole(R(272) + Str(120) + " x" + Str(80), "selection size");
  // Texts shown with blanks of their own around them carry none themselves.
  for (int row : {161, 162, 163, 168, 218, 438}) ExpectWhole(R(row), "row " + std::to_string(row));
}

TEST_P(Texts, IconTypeSummary) {
  // Size & "-" & depth & row 160, then the count: "x " & n & "," in English, n & row 398 otherwise;
  // the summary's last character goes.
  auto name = [&](const string& size, int depth) { return size + "-" + R(depth) + R(160); };
  const std::vector<std::pair<string, int>> found = {{name("32x32", 156), 3}, {name("48x48", 157), 1},
                                                     {name(R(154), 159), 2}};
  string summary;
  for (const auto& [type, n] : found) summary += English() ? type + "x " + NumToStr(n) + "," : type + NumToStr(n) + R(398);
  summary = CutUtf8(summary, summary.size() - 1);
  SCOPED_TRACE(summary);
  EXPECT_TRUE(IsValidUtf8(summary));
  EXPECT_EQ(summary.find("  "), string::npos);
  EXPECT_TRUE(std::isdigit(static_cast<unsigned char>(summary.back()))) << "the cut must take the whole separator";
  const string separator = R(398);
  EXPECT_EQ(std::count_if(separator.begin(), separator.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; }), 1)
      << "the separator is one character";
  if (English()) {
    EXPECT_EQ(summary, "32x32-4bit x 3,48x48-8bit x 1,Other-24bit x 2");
  }
}

TEST_P(Texts, ColourDepthTextsTellTheDepthsApart) {
  // Selecting by colour looks for a depth text inside the colour column: no depth text may hold
  // another, and the 16-bit and 24-bit choices must find what the lists write for those depths.
  const std::map<int, int> written = {{1, 362}, {4, 363}, {8, 364}, {16, 370}, {24, 371}};
  const std::map<int, int> sought = {{1, 362}, {4, 363}, {8, 364}, {16, 365}, {24, 366}};
  for (const auto& [bits, row] : sought) {
    for (const auto& [otherBits, otherRow] : written) {
      const bool holds = ("  " + R(otherRow)).find(R(row)) != string::npos;
      EXPECT_EQ(holds, bits == otherBits) << bits << "-bit choice against the " << otherBits << "-bit text";
    }
  }
  const std::map<int, int> clipboard = {{1, 367}, {4, 368}, {8, 369}, {16, 370}, {24, 371}};
  std::set<string> distinct;
  for (const auto& [bits, row] : clipboard) distinct.insert(R(row));
  EXPECT_EQ(distinct.size(), clipboard.size());
}

// The access key of a menu caption: the character after a single "&", in capitals; 0 when none.
char AccessKey(const string& caption) {
  char key = 0;
  int count = 0;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    key = static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1])));
    ++count;
  }
  return count == 1 ? key : 0;
}

TEST_P(Texts, MenuAccessKeysAreUniqueWithinEachMenu) {
  const std::vector<std::vector<int>> menus = {
      {5, 27, 120, 143, 144, 148},  // menu bar, library page
      {1, 8, 27, 143, 144, 148},    // menu bar, source page
      {138, 143, 144, 148},         // menu bar, web-site page
      {2, 3, 4},
      {6, 411, 2, 454, 3, 7},
      {9, 12, 15, 16, 19, 22, 23, 24, 25, 26},
      {10, 11},
      {13, 14},
      {17, 18},
      {20, 21},
      {28, 47, 66, 67, 68, 73, 80, 81, 90, 99, 108, 117, 118, 119, 455, 456, 457},
      {29, 38},
      {48, 57},
      {30, 31, 32, 33, 34, 35, 36, 37},
      {69, 70, 71, 72},
      {74, 75, 76, 77, 78, 79},
      {121, 122, 123, 124, 125, 126, 127, 128, 129, 130, 131, 132, 133, 134, 135, 137, 413},
      {139, 140, 141, 142},
      {145, 146, 147},
      {149, 150, 152, 153},
  };
  auto sizeMenu = [](int first) {
    std::vector<int> rows;
    for (int i = 0; i < 8; ++i) rows.push_back(first + i);
    return rows;
  };
  std::vector<std::vector<int>> all = menus;
  for (int first : {39, 49, 58, 82, 91, 100, 109}) all.push_back(sizeMenu(first));
  for (const auto& menu : all) {
    std::map<char, int> seen;
    for (int row : menu) {
      const char key = AccessKey(R(row));
      EXPECT_NE(key, 0) << "row " << row << " needs exactly one access key: " << R(row);
      if (key == 0) continue;
      const auto [it, fresh] = seen.emplace(key, row);
      EXPECT_TRUE(fresh) << "rows " << it->second << " and " << row << " share the key " << key;
    }
  }
  // The web-site items show their keys at the end of the caption.
  for (const auto& [row, keys] : {std::pair{139, "Ctrl+I"}, {140, "Ctrl+E"}, {141, "Ctrl+A"}, {142, "Del"}}) {
    const string tail = string("\t") + keys;
    EXPECT_TRUE(R(row).size() > tail.size() && R(row).compare(R(row).size() - tail.size(), tail.size(), tail) == 0)
        << "row " << row << ": " << R(row);
  }
}

}  // namespace
}  // namespace glimmora
