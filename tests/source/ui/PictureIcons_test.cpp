// Picture files on the source page: the icon search and the save of the checked files hand them to
// the picture-to-icon tool (a scripted stand-in here) instead of the scanner, and an icon made from
// a picture is saved afterwards from what the pane keeps.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QLabel>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <functional>

#include "icons/BmpFile.h"
#include "icons/Dib.h"
#include "files/FileBytes.h"
#include "icons/IcoFile.h"
#include "text/LangRows.h"
#include "picturetool/ui/PictureConversionService.h"
#include "source/ui/IconListModel.h"
#include "source/ui/IconPane.h"
#include "support/FixedClock.h"
#include "support/IconFileMaker.h"
#include "support/IconFixtures.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;
using testing::RowNumberTable;
using testing::ScriptedPrompter;
using testing::TempDir;

constexpr Rgb kRed = MakeRgb(200, 0, 0);
constexpr Rgb kBlue = MakeRgb(0, 0, 200);

// Stands in for the tool window: each opening returns the next scripted result.
class ScriptedTool : public PictureToolRunner {
 public:
  std::deque<PictureToolResult> results;
  std::vector<PictureToolRequest> shown;
  std::function<void()> duringWait;  // what the user does in the main window meanwhile
  PictureToolResult ShowAndWait(const PictureToolRequest& request) override {
    shown.push_back(request);
    if (duringWait) duringWait();
    if (results.empty()) return {};
    PictureToolResult r = results.front();
    results.pop_front();
    return r;
  }
};

class FakeFileList : public FileListLink {
 public:
  std::string folder;
  std::vector<ListedFile> rows;
  std::vector<std::pair<std::string, FoundIcons>> found;
  std::vector<std::string> treeFolders;
  std::string CurrentFolder() const override { return folder; }
  std::vector<ListedFile> ListedFiles() const override { return rows; }
  void SetFoundIcons(const std::string& name, const FoundIcons& f) override { found.emplace_back(name, f); }
  void SelectIcoSourceIco() override {}
  DeleteOutcome DeleteCheckedFiles(bool) override { return {}; }
  void AddPathToTree(const std::string& f) override { treeFolders.push_back(f); }
  void SetChecked(const std::string& name, bool checked) {
    for (ListedFile& r : rows)
      if (r.Name == name) r.Checked = checked;
  }
  const FoundIcons* FoundFor(const std::string& name) const {
    for (const auto& [n, f] : found)
      if (n == name) return &f;
    return nullptr;
  }
};

// Left half red, right half blue.
Raster HalfAndHalf(int w, int h) {
  Raster r(w, h, kRed);
  for (int y = 0; y < h; ++y)
    for (int x = w / 2; x < w; ++x) r.Set(x, y, kBlue);
  return r;
}

PictureToolResult Made(const Raster& icon) {
  PictureToolResult r;
  r.Outcome = ToolOutcome::Made;
  r.Icon = icon;
  return r;
}

PictureToolResult Closed(bool stop = false) {
  PictureToolResult r;
  r.Outcome = stop ? ToolOutcome::Aborted : ToolOutcome::Closed;
  r.StopSaveIco = stop;
  return r;
}

class PictureIconsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(app / "IconClipBoard");
    fs::create_directories(src);
    IconPaneEnv env;
    env.Lang = &lang;
    env.Ask = &prompter;
    env.Params = &params;
    env.Time = &clock;
    env.AppPath = app.string();
    env.AppTitle = "Glimmora";
    env.Pictures = &converter;
    pane = std::make_unique<IconPane>(std::move(env));
    pane->resize(600, 400);
    files.folder = src.string();
    pane->SetFileList(&files);
    pane->SetCheckMarks([this](const std::string& name, bool checked) { files.SetChecked(name, checked); });
  }

  // A 40 x 30 bitmap, and behind it icon images that a scan would find.
  void WritePictureWithIcons(const std::string& name) {
    std::vector<std::uint8_t> bytes = WriteBmp24(HalfAndHalf(40, 30));
    const auto icons = testing::LayIcons({testing::SolidIconImage(16), testing::SolidIconImage(32)}).Bytes;
    bytes.insert(bytes.end(), icons.begin(), icons.end());
    testing::WriteBytes(src / name, bytes);
  }
  void WriteIcons(const std::string& name, int count) { testing::WriteBytes(src / name, testing::ManyIcons(count, 16).Bytes); }
  std::vector<std::uint8_t> Read(const fs::path& p) {
    Result<std::vector<std::uint8_t>> bytes = ReadFileBytes(p.string(), 1 << 20);
    return bytes ? std::move(bytes).Value() : std::vector<std::uint8_t>{};
  }

  TempDir dir;
  fs::path app = dir.path() / "app";
  fs::path src = dir.path() / "src";
  LanguageTable lang = RowNumberTable();
  ScriptedPrompter prompter;
  SaveParams params;
  testing::FixedClock clock;
  ScriptedTool tool;
  FilePictureReader reader;
  std::vector<std::string> treeFolders;
  PictureConverter converter{tool, reader,
                             PictureConversionEnv{lang, prompter, clock, nullptr, app.string(), "Glimmora",
                                                  [this](const std::string& f) { treeFolders.push_back(f); }}};
  FakeFileList files;
  std::unique_ptr<IconPane> pane;
};

TEST_F(PictureIconsTest, ASearchedPictureShowsTheMadeIconAndIsNotScanned) {
  WritePictureWithIcons("p.bmp");
  WriteIcons("many.bin", 60);
  pane->SearchIcon(src.string(), "many.bin");  // two pages before the picture
  ASSERT_TRUE(pane->Arrow(1)->isVisibleTo(pane.get()));
  EXPECT_TRUE(tool.shown.empty());

  tool.results = {Made(HalfAndHalf(20, 16))};
  const FoundIcons found = pane->SearchIcon(src.string() + "/", "p.bmp");
  ASSERT_EQ(tool.shown.size(), 1u);
  EXPECT_EQ(tool.shown[0].PicturePath, (src / "p.bmp").string());
  EXPECT_FALSE(tool.shown[0].ShowAbort);
  EXPECT_TRUE(found.HasColumnTexts);
  EXPECT_TRUE(found.PictureToolOpened);
  EXPECT_EQ(found.Icons, "   0");
  EXPECT_EQ(found.Details, "");

  ASSERT_EQ(pane->Model()->rowCount(), 1);
  const IconRow& row = pane->Model()->Row(0);
  EXPECT_EQ(row.Text, "p.bmp.Ico");
  EXPECT_EQ(row.Key, (src / "p.bmp").string());
  EXPECT_EQ(row.Columns[0], "   20 x 16");
  EXPECT_EQ(row.Columns[1], " <371>");
  EXPECT_EQ(row.Width, 20);
  EXPECT_EQ(row.Height, 16);
  EXPECT_EQ(pane->StatusPanel(2)->text().toStdString(), "<388> (1.1 KB)");
  EXPECT_TRUE(pane->PageState().SourceIsPict);
  EXPECT_FALSE(pane->Arrow(1)->isVisibleTo(pane.get()));
  EXPECT_TRUE(fs::exists(app / "temp.ico"));

  // The same picture with the conversion refused in the parameters is scanned like any file.
  params.SaveFileDir.TrPictAns = 2;
  const FoundIcons scanned = pane->SearchIcon(src.string(), "p.bmp");
  EXPECT_EQ(tool.shown.size(), 1u);
  // The two icons behind the bitmap, and the bitmap's own header.
  EXPECT_EQ(scanned.Icons, "   3");
  EXPECT_FALSE(scanned.PictureToolOpened);
  EXPECT_EQ(pane->Model()->rowCount(), 3);
  EXPECT_FALSE(pane->PageState().SourceIsPict);
}

TEST_F(PictureIconsTest, AToolClosedWithoutAnIconLeavesThePaneEmptyAndUnscanned) {
  WritePictureWithIcons("p.gif");
  WriteIcons("one.bin", 3);
  pane->SearchIcon(src.string(), "one.bin");
  ASSERT_EQ(pane->Model()->rowCount(), 3);

  tool.results = {Closed()};
  files.rows = {{"one.bin", true}, {"p.gif", true}};
  const FoundIcons found = pane->SearchIcon(src.string(), "p.gif");
  ASSERT_EQ(tool.shown.size(), 1u);
  EXPECT_TRUE(tool.shown[0].ShowAbort);  // several files are ticked, whatever opened the tool
  EXPECT_EQ(pane->Model()->rowCount(), 0);
  EXPECT_TRUE(found.PictureToolOpened);
  EXPECT_EQ(found.Icons, "   0");
  EXPECT_FALSE(fs::exists(app / "temp.ico"));
  EXPECT_FALSE(pane->PageState().SourceIsPict);
  EXPECT_EQ(pane->PageState().GrpCount, 0);
  EXPECT_FALSE(pane->Status().PopIcoMenu);
  // Nothing to save from an empty pane, and no question about it.
  pane->SaveIcotoIcoBmp(0, SaveSource::Pane, SaveFormat::Ico, false, false);
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(PictureIconsTest, WhileTheToolIsOpenNoOtherSearchOrSaveStarts) {
  WritePictureWithIcons("p.jpg");
  WriteIcons("one.bin", 3);
  files.rows = {{"one.bin", true}};
  FoundIcons inner;
  bool openMeanwhile = false;
  tool.duringWait = [&] {
    openMeanwhile = pane->PictureToolOpen();
    inner = pane->SearchIcon(src.string(), "one.bin");
    pane->SaveIcotoIcoBmp(0, SaveSource::File, SaveFormat::Ico, false, false);
  };
  tool.results = {Made(HalfAndHalf(8, 8))};
  pane->SearchIcon(src.string(), "p.jpg");
  EXPECT_TRUE(openMeanwhile);
  EXPECT_FALSE(inner.HasColumnTexts);
  EXPECT_TRUE(prompter.asked.empty());  // the save never reached its folder question
  EXPECT_FALSE(fs::exists(src / "one.bin_Ico"));
  EXPECT_FALSE(pane->PictureToolOpen());
  EXPECT_EQ(pane->Model()->rowCount(), 1);
}

TEST_F(PictureIconsTest, CheckedFilesSaveConvertsPicturesAndScansTheRest) {
  WritePictureWithIcons("a.bmp");
  WriteIcons("b.bin", 2);
  WritePictureWithIcons("c.gif");
  files.rows = {{"a.bmp", true}, {"b.bin", true}, {"c.gif", false}};
  tool.results = {Made(HalfAndHalf(16, 16))};
  prompter.answers = {PromptAnswer::Yes};  // each file into a new folder named after it
  pane->SaveIcotoIcoBmp(0, SaveSource::File, SaveFormat::Ico, false, false);

  ASSERT_EQ(tool.shown.size(), 1u);
  EXPECT_EQ(tool.shown[0].PicturePath, (src / "a.bmp").string());
  EXPECT_TRUE(tool.shown[0].ShowAbort);  // two files are ticked
  const std::vector<std::uint8_t> ico = Read(src / "a.bmp_Ico" / "a.bmp.Ico");
  ASSERT_GE(ico.size(), 22u + 40u);
  const std::vector<std::uint8_t> head(ico.begin(), ico.begin() + 22);
  // One image, 16 x 16, one plane of 24 bits, 872 bytes (40 + 16 x 48 colour + 16 x 4 mask) at 22.
  const std::vector<std::uint8_t> expected = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0, 1, 0, 24, 0,
                                              0x68, 0x03, 0, 0, 22, 0, 0, 0};
  EXPECT_EQ(head, expected);
  const auto decoded = DecodeIcoFile(ico);
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->onWhite.At(0, 0), kRed);
  EXPECT_EQ(decoded->onWhite.At(15, 15), kBlue);
  EXPECT_TRUE(fs::exists(src / "a.bmp_Ico" / "readme.txt"));
  EXPECT_FALSE(fs::exists(src / "a.bmp_Ico" / "a.bmp_Ico1.ico"));  // the picture was not scanned
  EXPECT_EQ(treeFolders, std::vector<std::string>{(src / "a.bmp_Ico").string()});

  EXPECT_TRUE(fs::exists(src / "b.bin_Ico" / "b.bin_Ico1.ico"));
  EXPECT_TRUE(fs::exists(src / "b.bin_Ico" / "b.bin_Ico2.ico"));
  EXPECT_FALSE(fs::exists(src / "c.gif_Ico"));
  ASSERT_NE(files.FoundFor("a.bmp"), nullptr);
  EXPECT_EQ(files.FoundFor("a.bmp")->Icons, "   0");
  EXPECT_EQ(files.FoundFor("b.bin")->Icons, "   2");
  EXPECT_EQ(files.FoundFor("c.gif"), nullptr);
}

TEST_F(PictureIconsTest, AbortStopsTheRunAndAFailedWriteIsReported) {
  WritePictureWithIcons("a.bmp");
  WritePictureWithIcons("b.jpg");
  WriteIcons("c.bin", 2);
  files.rows = {{"a.bmp", true}, {"b.jpg", true}, {"c.bin", true}};
  // A plain file where a.bmp's folder would go: its icon cannot be written.
  testing::WriteBytes(src / "a.bmp_Ico", std::vector<std::uint8_t>{1});
  tool.results = {Made(HalfAndHalf(16, 16)), Closed(true)};
  prompter.answers = {PromptAnswer::Yes};
  pane->SaveIcotoIcoBmp(0, SaveSource::File, SaveFormat::Ico, false, false);

  EXPECT_EQ(tool.shown.size(), 2u);
  EXPECT_FALSE(fs::exists(src / "b.jpg_Ico"));
  EXPECT_FALSE(fs::exists(src / "c.bin_Ico"));  // the run ended with the aborted picture
  EXPECT_EQ(files.FoundFor("c.bin"), nullptr);
  EXPECT_TRUE(files.rows[0].Checked);
  EXPECT_FALSE(files.rows[1].Checked);
  EXPECT_FALSE(files.rows[2].Checked);
  ASSERT_EQ(prompter.asked.size(), 2u);
  EXPECT_EQ(prompter.asked[1].row, kRowSaveFailed);
  EXPECT_NE(prompter.asked[1].text.find((src / "a.bmp_Ico" / "a.bmp.Ico").string()), std::string::npos);
}

TEST_F(PictureIconsTest, AListMovedToAnotherFolderWhileTheToolWasOpenEndsTheRun) {
  WritePictureWithIcons("a.bmp");
  WriteIcons("b.bin", 2);
  files.rows = {{"a.bmp", true}, {"b.bin", true}};
  tool.results = {Made(HalfAndHalf(16, 16))};
  tool.duringWait = [&] {
    files.folder = dir.path().string();  // the user opened another folder meanwhile
    files.rows = {{"b.bin", false}};
  };
  prompter.answers = {PromptAnswer::No};
  pane->SaveIcotoIcoBmp(0, SaveSource::File, SaveFormat::Ico, false, false);
  EXPECT_TRUE(fs::exists(src / "a.bmp.Ico"));  // the icon made is kept
  EXPECT_FALSE(fs::exists(src / "b.bin_Ico1.ico"));
  EXPECT_TRUE(files.found.empty());  // no row of the other folder is written to
  EXPECT_FALSE(files.rows[0].Checked);
}

TEST_F(PictureIconsTest, TheIconMadeFromAPictureIsSavedFromWhatThePaneKeeps) {
  WritePictureWithIcons("p.bmp");
  tool.results = {Made(HalfAndHalf(16, 16))};
  pane->SearchIcon(src.string(), "p.bmp");
  ASSERT_EQ(pane->Model()->rowCount(), 1);

  // 32 x 32 into the listed folder: the made icon enlarged, not the picture and not a scan.
  prompter.answers = {PromptAnswer::No};
  pane->SaveIcotoIcoBmp(2, SaveSource::Pane, SaveFormat::Ico, false, false);
  const auto sized = DecodeIcoFile(Read(src / "p.bmp_32x32.ico"));
  ASSERT_TRUE(sized);
  EXPECT_EQ(sized->onWhite.Width(), 32);
  EXPECT_EQ(sized->onWhite.Height(), 32);
  EXPECT_EQ(sized->onWhite.At(0, 0), kRed);
  EXPECT_EQ(sized->onWhite.At(15, 31), kRed);
  EXPECT_EQ(sized->onWhite.At(16, 0), kBlue);
  EXPECT_EQ(sized->onWhite.At(31, 31), kBlue);

  // In its own size: the made icon as it is.
  prompter.answers = {PromptAnswer::No};
  pane->SaveIcotoIcoBmp(0, SaveSource::Pane, SaveFormat::Ico, false, false);
  EXPECT_EQ(Read(src / "p.bmp.Ico"), Read(app / "temp.ico"));

  // As a bitmap in its own size and on the system clipboard: the whole 40 x 30 picture.
  prompter.answers = {PromptAnswer::No};
  pane->SaveIcotoIcoBmp(0, SaveSource::Pane, SaveFormat::Bmp, false, false);
  const DibPicture bitmap = ReadBmpPicture(Read(src / "p.bmp.bmp"), kMaxDecodedPixels);
  ASSERT_TRUE(bitmap.Ok());
  EXPECT_EQ(bitmap.picture.Width(), 40);
  EXPECT_EQ(bitmap.picture.Height(), 30);
  pane->SelectAllIcons();
  pane->CopyIcotoSysClipBoard(0, false);
  const QImage copied = QGuiApplication::clipboard()->image();
  EXPECT_EQ(copied.size(), QSize(40, 30));
}

}  // namespace
}  // namespace glimmora
