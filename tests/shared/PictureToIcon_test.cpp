// Turning a picture file into an icon: which files count as pictures, what the save parameters
// and the user decide, what the tool's outcome leaves, and the files and bytes written.
#include "shared/PictureToIcon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "files/FileBytes.h"
#include "support/FixedClock.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;
using testing::ScriptedPrompter;
using testing::TempDir;

class FakeTool : public PictureToolRunner {
 public:
  PictureToolResult result;
  std::vector<PictureToolRequest> shown;
  std::function<void()> duringWait;
  PictureToolResult ShowAndWait(const PictureToolRequest& request) override {
    shown.push_back(request);
    if (duringWait) duringWait();
    return result;
  }
};

class FakeReader : public PictureReader {
 public:
  std::optional<Raster> picture;
  std::vector<std::string> read;
  std::optional<Raster> ReadPicture(const std::string& path) override {
    read.push_back(path);
    return picture;
  }
};

LanguageTable Texts() {
  LanguageTable lang;
  auto& rows = lang.LangStr[0];
  rows[347] = "Transparent?";
  rows[348] = "picture. Make an icon?";
  rows[349] = "is a";
  rows[371] = "24 bits";
  rows[388] = "Made from the picture";
  rows[625] = "picture. Save a bitmap?";
  return lang;
}

Raster RedBlue() {
  Raster r(2, 1);
  r.Set(0, 0, MakeRgb(255, 0, 0));
  r.Set(1, 0, MakeRgb(0, 0, 255));
  return r;
}

class PictureToIconTest : public ::testing::Test {
 protected:
  TempDir dir;
  std::string app = (dir.path() / "app").string();
  std::string pics = (dir.path() / "p").string();
  LanguageTable lang = Texts();
  ScriptedPrompter prompter;
  testing::FixedClock clock{LocalDateTime{2024, 3, 5, 14, 7, 9}};
  ModifierKeys keys{-1, -1, -1};
  FakeTool tool;
  FakeReader reader;
  std::vector<std::string> treeFolders;
  PictureConverter converter{tool, reader,
                             PictureConversionEnv{lang, prompter, clock, &keys, app, "Glimmora",
                                                  [this](const std::string& f) { treeFolders.push_back(f); }}};

  void SetUp() override {
    fs::create_directories(app + "/IconClipBoard");
    fs::create_directories(pics);
    tool.result.Outcome = ToolOutcome::Made;
    tool.result.Icon = RedBlue();
    reader.picture = Raster(3, 2, MakeRgb(1, 2, 3));
  }

  PictureToIconRequest Request(PictureMode mode, const std::string& name, SaveFormat icoBmp = SaveFormat::Ico) {
    PictureToIconRequest r;
    r.Mode = mode;
    r.FolderPath = pics + "/";
    r.FileName = name;
    r.IcoBmp = icoBmp;
    return r;
  }
};

TEST(PictureToIconRules, AbortButtonOnlyWhenMorePicturesFollow) {
  EXPECT_FALSE(AbortButtonVisible(false, 1));
  EXPECT_TRUE(AbortButtonVisible(false, 2));
  EXPECT_TRUE(AbortButtonVisible(true, 0));
}

TEST_F(PictureToIconTest, OnlyTheFourPictureTypesAreTaken) {
  EXPECT_EQ(PictureType("a.png"), "");
  EXPECT_EQ(PictureType("A.BMP"), "BMP");
  EXPECT_EQ(PictureType("x.bmp"), "BMP");
  EXPECT_EQ(PictureType("photo.Jpg"), "JPG");
  EXPECT_EQ(PictureType("mf"), "");
  const PictureToIconResult r = converter.PictureToIcon(Request(PictureMode::Search, "a.png"));
  EXPECT_EQ(r.Outcome, PictureOutcome::NotPicture);
  EXPECT_FALSE(r.Converted);
  EXPECT_FALSE(r.SourceIsPict);
  EXPECT_TRUE(tool.shown.empty());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(PictureToIconTest, SaveParametersConvertAskOrRefuse) {
  PictureToIconRequest req = Request(PictureMode::Search, "a.jpg");
  req.TrPictAns = 2;
  EXPECT_EQ(converter.PictureToIcon(req).Outcome, PictureOutcome::Declined);
  EXPECT_TRUE(tool.shown.empty());

  req.TrPictAns = 1;
  prompter.answers = {PromptAnswer::No};
  const PictureToIconResult no = converter.PictureToIcon(req);
  EXPECT_EQ(no.Outcome, PictureOutcome::Declined);
  EXPECT_FALSE(no.SourceIsPict);
  ASSERT_EQ(prompter.asked.size(), 1u);
  EXPECT_EQ(prompter.asked[0].text, "a.jpg is a JPG picture. Make an icon?");
  EXPECT_EQ(prompter.asked[0].buttons, PromptButtons::YesNo);
  EXPECT_EQ(keys.CtrlDown, 0);  // the modifier keys are cleared before the question
  EXPECT_TRUE(tool.shown.empty());

  prompter.answers = {PromptAnswer::Yes};
  EXPECT_EQ(converter.PictureToIcon(req).Outcome, PictureOutcome::Made);
  ASSERT_EQ(tool.shown.size(), 1u);
  EXPECT_EQ(tool.shown[0].PicturePath, pics + "/a.jpg");

  // Saving as a bitmap asks its own question.
  PictureToIconRequest bmp = Request(PictureMode::File, "b.gif", SaveFormat::Bmp);
  bmp.TrPictAns = 1;
  prompter.asked.clear();
  prompter.answers = {PromptAnswer::No};
  converter.PictureToIcon(bmp);
  EXPECT_EQ(prompter.asked.at(0).text, "b.gif is a GIF picture. Save a bitmap?");

  // Converting without a question.
  prompter.asked.clear();
  req.TrPictAns = 0;
  EXPECT_EQ(converter.PictureToIcon(req).Outcome, PictureOutcome::Made);
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(PictureToIconTest, SearchModeWritesTheWorkIconAndThePaneItem) {
  tool.result.MaskColour = MakeRgb(0, 0, 255);
  const PictureToIconResult r = converter.PictureToIcon(Request(PictureMode::Search, "a.jpg"));
  ASSERT_EQ(r.Outcome, PictureOutcome::Made);
  EXPECT_TRUE(r.Converted);
  EXPECT_TRUE(r.SourceIsPict);
  EXPECT_EQ(r.SourceFile, pics + "/a.jpg");
  EXPECT_EQ(r.TargetName, app + "/temp.ico");
  // The icon by hand: head, 24-bit header with the doubled height, one colour row (red, then the
  // blue pixel made black), one mask row with the blue pixel's bit set.
  const std::vector<std::uint8_t> golden = {
      0x00, 0x00, 0x01, 0x00, 0x01, 0x00, 0x02, 0x01, 0x00, 0x00, 0x01, 0x00, 0x18, 0x00,
      0x34, 0x00, 0x00, 0x00, 0x16, 0x00, 0x00, 0x00,  // head
      0x28, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x01, 0x00,
      0x18, 0x00, 0x00, 0x00, 0x00, 0x00, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,  // header
      0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0x00, 0x00,  // colours
      0x40, 0x00, 0x00, 0x00};                         // mask
  EXPECT_EQ(r.Ico, golden);
  EXPECT_EQ(ReadFileBytes(app + "/temp.ico", 1 << 20).Value(), golden);
  EXPECT_EQ(r.MaskColour, MakeRgb(0, 0, 255));
  EXPECT_EQ(r.Item.Key, pics + "/a.jpg");
  EXPECT_EQ(r.Item.DisplayName, "a.jpg.Ico");
  EXPECT_EQ(r.Item.Columns[0], "   2 x 1");
  EXPECT_EQ(r.Item.Columns[1], " 24 bits");
  EXPECT_EQ(r.Item.Columns[2], "    74");  // three blanks and the number with its own
  EXPECT_EQ(r.Item.Columns[3], "    1");
  EXPECT_EQ(r.Item.StatusText, "Made from the picture (.1 KB)");
  EXPECT_EQ(r.Picture, *reader.picture);  // for bitmaps and clipboard copies of this icon
}

TEST_F(PictureToIconTest, OnlyExactlyThePickedColourBecomesTransparent) {
  Raster near(4, 1);
  near.Set(0, 0, MakeRgb(10, 20, 30));
  near.Set(1, 0, MakeRgb(11, 20, 30));
  near.Set(2, 0, MakeRgb(10, 20, 31));
  near.Set(3, 0, MakeRgb(10, 20, 30));
  tool.result.Icon = near;
  tool.result.MaskColour = MakeRgb(10, 20, 30);
  const PictureToIconResult r = converter.PictureToIcon(Request(PictureMode::Search, "n.bmp"));
  const std::size_t colours = 22 + 40;
  ASSERT_EQ(r.Ico.size(), colours + 12 + 4);
  EXPECT_EQ(r.Ico[colours + 12], 0x90);  // pixels 0 and 3
  EXPECT_EQ(std::vector<std::uint8_t>(r.Ico.begin() + colours, r.Ico.begin() + colours + 12),
            (std::vector<std::uint8_t>{0, 0, 0, 30, 20, 11, 31, 20, 10, 0, 0, 0}));
}

TEST_F(PictureToIconTest, MaskAnswerAsksOnlyWhenAColourWasPicked) {
  PictureToIconRequest req = Request(PictureMode::Search, "a.jpg");
  req.MaskColorAns = 1;
  EXPECT_FALSE(converter.PictureToIcon(req).MaskColour.has_value());
  EXPECT_TRUE(prompter.asked.empty());

  tool.result.MaskColour = MakeRgb(0, 0, 255);
  prompter.answers = {PromptAnswer::No};
  PictureToIconResult r = converter.PictureToIcon(req);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{347});
  EXPECT_FALSE(r.MaskColour.has_value());
  EXPECT_EQ(r.Ico.back() | r.Ico[r.Ico.size() - 4], 0);  // all opaque
  EXPECT_EQ(r.Ico[22 + 40 + 3], 0xFF);                    // blue kept

  req.MaskColorAns = 2;
  prompter.asked.clear();
  EXPECT_FALSE(converter.PictureToIcon(req).MaskColour.has_value());
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(PictureToIconTest, ClosedOrAbortedToolWritesNothing) {
  tool.result.Outcome = ToolOutcome::Aborted;
  tool.result.StopSaveIco = true;
  PictureToIconResult r = converter.PictureToIcon(Request(PictureMode::Search, "a.jpg"));
  EXPECT_EQ(r.Outcome, PictureOutcome::Cancelled);
  EXPECT_TRUE(r.Converted);  // the search must not scan the picture instead
  EXPECT_TRUE(r.StopSaveIco);
  EXPECT_FALSE(fs::exists(app + "/temp.ico"));

  tool.result.Outcome = ToolOutcome::Closed;
  PictureToIconRequest file = Request(PictureMode::File, "a.jpg");
  file.NewFolder = true;
  r = converter.PictureToIcon(file);
  EXPECT_EQ(r.Outcome, PictureOutcome::Cancelled);
  EXPECT_FALSE(fs::exists(pics + "/a.jpg_Ico"));
  EXPECT_FALSE(fs::exists(pics + "/a.jpg.Ico"));
}

TEST_F(PictureToIconTest, IconFilesBesideThePictureOrInAFolderNamedAfterIt) {
  PictureToIconRequest req = Request(PictureMode::File, "a.jpg");
  PictureToIconResult r = converter.PictureToIcon(req);
  EXPECT_TRUE(r.Written);
  EXPECT_EQ(r.TargetName, pics + "/a.jpg.Ico");
  EXPECT_TRUE(fs::exists(pics + "/a.jpg.Ico"));
  EXPECT_TRUE(treeFolders.empty());

  req.NewFolder = true;
  r = converter.PictureToIcon(req);
  EXPECT_TRUE(r.Written);
  EXPECT_TRUE(r.FolderCreated);
  EXPECT_EQ(r.TargetName, pics + "/a.jpg_Ico/a.jpg.Ico");
  EXPECT_EQ(treeFolders, std::vector<std::string>{pics + "/a.jpg_Ico"});
  std::ifstream readme(pics + "/a.jpg_Ico/readme.txt", std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(readme)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "These ICO/BMP Files are from " + pics + "/a.jpg.\r\n\r\n" + std::string(25, ' ') +
                      "Glimmora\r\n\r\n" + std::string(31, ' ') + "03-05-2024  14:07:09\r\n");

  // A plain file where the folder should be: reported, nothing written.
  std::ofstream(pics + "/b.gif_Ico") << "x";
  req.FileName = "b.gif";
  r = converter.PictureToIcon(req);
  EXPECT_FALSE(r.Written);
  EXPECT_TRUE(r.WriteFailed);
  EXPECT_EQ(fs::file_size(pics + "/b.gif_Ico"), 1u);
}

TEST_F(PictureToIconTest, BitmapHoldsTheWholePicture) {
  PictureToIconRequest req = Request(PictureMode::File, "a.jpg", SaveFormat::Bmp);
  req.NewFolder = true;
  const PictureToIconResult r = converter.PictureToIcon(req);
  EXPECT_TRUE(r.Written);
  EXPECT_EQ(r.TargetName, pics + "/a.jpg_BMP/a.jpg_bmp.bmp");
  EXPECT_EQ(reader.read, std::vector<std::string>{pics + "/a.jpg"});
  const auto bytes = ReadFileBytes(r.TargetName, 1 << 20);
  ASSERT_TRUE(bytes.Ok());
  ASSERT_EQ(bytes->size(), 54u + 2 * 12);  // 3 x 2 pixels, rows of 9 bytes filled to 12
  EXPECT_EQ((*bytes)[18], 3);
  EXPECT_EQ((*bytes)[22], 2);
  EXPECT_EQ((*bytes)[54], 3);  // blue, green, red of the picture's pixels
  EXPECT_EQ((*bytes)[55], 2);
  EXPECT_EQ((*bytes)[56], 1);
  EXPECT_TRUE(fs::exists(pics + "/a.jpg_BMP/readme.txt"));

  // A picture that cannot be read writes nothing and says so.
  reader.picture.reset();
  req.FileName = "c.wmf";
  const PictureToIconResult bad = converter.PictureToIcon(req);
  EXPECT_TRUE(bad.PictureUnreadable);
  EXPECT_FALSE(bad.Written);
  EXPECT_FALSE(fs::exists(pics + "/c.wmf_BMP"));
}

TEST_F(PictureToIconTest, IconClipboardNamesAndItsLimit) {
  ClipboardNaming naming;
  naming.ClipIcoCount = 3;
  PictureToIconRequest req = Request(PictureMode::File, "a.jpg");
  req.ToClipBoard = true;
  req.Naming = &naming;
  PictureToIconResult r = converter.PictureToIcon(req);
  EXPECT_TRUE(r.Written);
  EXPECT_EQ(r.TargetName, app + "/IconClipBoard/A1_a.jpg.ico");
  EXPECT_TRUE(fs::exists(app + "/IconClipBoard/A1_a.jpg.sur"));

  naming.ClipIcoCount = 50;
  r = converter.PictureToIcon(req);
  EXPECT_TRUE(r.Full);
  EXPECT_FALSE(r.Written);
  EXPECT_FALSE(fs::exists(app + "/IconClipBoard/A2_a.jpg.ico"));
}

TEST_F(PictureToIconTest, ASecondRequestWhileTheToolIsOpenIsTurnedAway) {
  PictureToIconResult inner;
  tool.duringWait = [&] {
    EXPECT_TRUE(converter.DispPictBusy());
    tool.duringWait = nullptr;
    inner = converter.PictureToIcon(Request(PictureMode::Search, "b.gif"));
  };
  const PictureToIconResult outer = converter.PictureToIcon(Request(PictureMode::Search, "a.jpg"));
  EXPECT_EQ(inner.Outcome, PictureOutcome::Busy);
  EXPECT_EQ(outer.Outcome, PictureOutcome::Made);
  EXPECT_EQ(tool.shown.size(), 1u);
  EXPECT_FALSE(converter.DispPictBusy());
}

}  // namespace
}  // namespace glimmora
