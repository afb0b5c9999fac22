#include <gtest/gtest.h>

#include <cerrno>

#include <filesystem>

#include "save/ClipboardNames.h"
#include "save/CopyIcoFile.h"
#include "text/LangRows.h"
#include "save/SaveAllIcons.h"
#include "save/SaveIconFromSource.h"
#include "save/SaveNotes.h"
#include "support/IconFixtures.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;
using testing::Image;
using testing::Layout;

struct FixedClock : Clock {
  LocalDateTime Now() const override { return LocalDateTime{2021, 3, 4, 5, 6, 7}; }
};

struct RecordingObserver : SaveAllObserver {
  std::vector<std::string> added;
  void FolderAdded(const std::string& parent, const std::string& name) override {
    added.push_back(parent + "|" + name);
  }
};

// A 16 x 16 icon image of 1 bit whose palette entry 0 is red and 1 is blue, every pixel entry 0,
// all opaque: 40 + 8 + 64 + 64 = 176 bytes.
Bytes RedImage() {
  Bytes b = testing::InfoHeader(16, 32, 1);
  const Bytes palette = {0x00, 0x00, 0xFF, 0x00, 0xFF, 0x00, 0x00, 0x00};
  b.insert(b.end(), palette.begin(), palette.end());
  b.resize(176, 0);
  return b;
}

// The 22-byte head of a 16 x 16 icon of `bits` bits whose image is `size` bytes.
Bytes Head16(int bits, int size) {
  return {0, 0, 1, 0, 1, 0, 16, 16, static_cast<std::uint8_t>(bits < 8 ? 1 << bits : 0), 0, 1, 0,
          static_cast<std::uint8_t>(bits), 0,
          static_cast<std::uint8_t>(size & 0xFF), static_cast<std::uint8_t>(size >> 8), 0, 0, 22, 0, 0, 0};
}

Bytes Concat(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

class SaveTest : public ::testing::Test {
 protected:
  SaveTest() {
    fs::create_directories(clip());
    fs::create_directories(src());
  }
  fs::path clip() const { return dir.path() / "IconClipBoard"; }
  fs::path src() const { return dir.path() / "p"; }
  SaveAllServices Services() { return SaveAllServices{lang, prompter, clock, nullptr, &observer}; }
  SaveAllRequest AllRequest(SaveFormat format = SaveFormat::Ico) {
    SaveAllRequest r;
    r.FolderPath = src().string() + "/";
    r.FileName = "a.dll";
    r.IcoBmp = format;
    r.clipboardDir = clip().string();
    r.AppTitle = "Glimmora";
    return r;
  }
  // a.dll with three 16 x 16 icons of 4 bits at 11, 400 and 800.
  std::vector<Bytes> WriteThreeIcons() {
    std::vector<Bytes> images = {Image(16, 32, 4, 296, 1), Image(16, 32, 4, 296, 2), Image(16, 32, 4, 296, 3)};
    testing::WriteBytes(src() / "a.dll", Layout(1300, {{11, images[0]}, {400, images[1]}, {800, images[2]}}));
    return images;
  }

  testing::TempDir dir;
  LanguageTable lang = testing::RowNumberTable();
  testing::ScriptedPrompter prompter;
  FixedClock clock;
  RecordingObserver observer;
};

TEST_F(SaveTest, ClipboardNamesRunThroughTheLetters) {
  ClipboardNaming n;
  n.Counter = 9;
  n.Letter = 'A';
  EXPECT_EQ(NextClipBoardFileName(n, "a.dll", clip().string(), "/x/a.dll", clock, prompter, lang).FileName,
            (clip() / "B1_a.dll.ico").string());
  n.Counter = 9;
  n.Letter = 'Z';
  EXPECT_EQ(NextClipBoardFileName(n, "a.dll", clip().string(), "/x/a.dll", clock, prompter, lang).FileName,
            (clip() / "a1_a.dll.ico").string());
  n.Counter = 9;
  n.Letter = 'z';
  EXPECT_EQ(NextClipBoardFileName(n, "a.dll", clip().string(), "/x/a.dll", clock, prompter, lang).FileName,
            (clip() / "A1_a.dll.ico").string());
  EXPECT_EQ(n.ClipIcoCount, 3);
  EXPECT_EQ(testing::ReadText(clip() / "A1_a.dll.sur"), "/x/a.dll   03-04-2021 05:06:07\r\n");
  EXPECT_TRUE(prompter.asked.empty());
}

TEST_F(SaveTest, ClipboardNamesSkipFilesAlreadyThere) {
  testing::WriteBytes(clip() / "A1_a.dll.ico", {1});
  testing::WriteBytes(clip() / "A2_a.dll.ico", {2});
  ClipboardNaming n;
  const ClipboardName name = NextClipBoardFileName(n, "a.dll", clip().string(), "/x/a.dll", clock, prompter, lang);
  EXPECT_EQ(name.FileName, (clip() / "A3_a.dll.ico").string());
  EXPECT_EQ(n.ClipIcoCount, 1);
  EXPECT_EQ(testing::ReadBytes(clip() / "A1_a.dll.ico"), Bytes{1});
  EXPECT_FALSE(fs::exists(clip() / "A1_a.dll.sur"));
}

TEST_F(SaveTest, TheFiftyFirstClipboardIconIsRefused) {
  ClipboardNaming n;
  n.ClipIcoCount = 49;
  EXPECT_FALSE(NextClipBoardFileName(n, "a.dll", clip().string(), "/x/a.dll", clock, prompter, lang).Full);
  const ClipboardName refused = NextClipBoardFileName(n, "a.dll", clip().string(), "/x/a.dll", clock, prompter, lang);
  EXPECT_TRUE(refused.Full);
  EXPECT_TRUE(refused.FileName.empty());
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{kRowClipboardFull});
  EXPECT_EQ(prompter.asked[0].text, "<241>");
  EXPECT_FALSE(fs::exists(clip() / "A2_a.dll.sur"));
}

TEST_F(SaveTest, ReadmeBytes) {
  const std::string expected =
      "These ICO/BMP Files are from /p/a.dll.\r\n"
      "\r\n"
      "                         Glimmora\r\n"
      "\r\n"
      "                               03-04-2021  05:06:07\r\n";
  EXPECT_EQ(ReadmeText("/p/a.dll", "Glimmora", clock.Now()), expected);
  const std::string pane = ReadmeText("/p/a.dll", "G", clock.Now(), 36);
  EXPECT_EQ(pane.substr(pane.size() - 58), std::string(36, ' ') + "03-04-2021  05:06:07\r\n");
}

TEST_F(SaveTest, SavingAllIconsMakesAFolderWithReadmeAndNumberedIcons) {
  const auto images = WriteThreeIcons();
  ClipboardNaming n;
  const SaveAllResult r = SaveAllIconsToFolder(AllRequest(), n, Services());
  EXPECT_EQ(r.IcoCount, 3);
  EXPECT_EQ(r.SourceFile, (src() / "a.dll").string());
  EXPECT_TRUE(r.folderCreated);
  const fs::path folder = src() / "a.dll_Ico";
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(testing::ReadBytes(folder / ("a.dll_Ico" + std::to_string(k + 1) + ".ico")),
              Concat(Head16(4, 296), images[k]));
  }
  EXPECT_EQ(testing::ReadText(folder / "readme.txt"),
            ReadmeText((src() / "a.dll").string(), "Glimmora", clock.Now()));
  EXPECT_EQ(observer.added, std::vector<std::string>{src().string() + "|a.dll_Ico"});
  EXPECT_EQ(r.IcoTypeCount.At(0, 1), 3);

  // An image that runs past the end of what the walk has read is read whole all the same.
  testing::WriteBytes(src() / "b.dll", Layout(6000, {{4000, images[1]}}));
  SaveAllRequest req = AllRequest();
  req.FileName = "b.dll";
  req.bufferBytes = 4096;
  ASSERT_EQ(SaveAllIconsToFolder(req, n, Services()).written.size(), 1u);
  EXPECT_EQ(testing::ReadBytes(src() / "b.dll_Ico" / "b.dll_Ico1.ico"), Concat(Head16(4, 296), images[1]));
}

TEST_F(SaveTest, SavingAllIconsBesideTheFileOrAsBitmaps) {
  WriteThreeIcons();
  ClipboardNaming n;
  SaveAllRequest req = AllRequest();
  req.MakeFolder = false;
  SaveAllResult r = SaveAllIconsToFolder(req, n, Services());
  EXPECT_EQ(r.written.size(), 3u);
  EXPECT_TRUE(fs::exists(src() / "a.dll_Ico3.ico"));
  EXPECT_FALSE(fs::exists(src() / "a.dll_Ico"));

  testing::WriteBytes(src() / "r.dll", Layout(600, {{5, RedImage()}}));
  req = AllRequest(SaveFormat::Bmp);
  req.FileName = "r.dll";
  r = SaveAllIconsToFolder(req, n, Services());
  const Bytes bmp = testing::ReadBytes(src() / "r.dll_Bmp" / "r.dll_Bmp1.bmp");
  ASSERT_EQ(bmp.size(), 54u + 48 * 16);
  EXPECT_EQ(Bytes(bmp.begin(), bmp.begin() + 6), (Bytes{'B', 'M', 0x36, 0x03, 0, 0}));
  EXPECT_EQ(Bytes(bmp.begin() + 54, bmp.begin() + 57), (Bytes{0x00, 0x00, 0xFF}));  // red
}

TEST_F(SaveTest, AFileWithoutIconsMakesNoFolder) {
  testing::WriteBytes(src() / "a.dll", Bytes(5000, 7));
  ClipboardNaming n;
  const SaveAllResult r = SaveAllIconsToFolder(AllRequest(), n, Services());
  EXPECT_EQ(r.IcoCount, 0);
  EXPECT_FALSE(fs::exists(src() / "a.dll_Ico"));
  EXPECT_TRUE(observer.added.empty());
}

TEST_F(SaveTest, AFolderThatCannotBeMadeIsToldOnceAndTheIconsStillCounted) {
  WriteThreeIcons();
  testing::WriteBytes(src() / "a.dll_Ico", {'x'});  // a plain file where the folder goes
  ClipboardNaming n;
  const SaveAllResult r = SaveAllIconsToFolder(AllRequest(), n, Services());
  ASSERT_TRUE(r.folderFailure.has_value());
  EXPECT_EQ(r.folderFailure->sysErrno, ENOTDIR);
  EXPECT_EQ(r.failures.Count, 0);
  EXPECT_TRUE(r.written.empty());
  EXPECT_EQ(r.IcoCount, 3);
  EXPECT_TRUE(observer.added.empty());
}

TEST_F(SaveTest, TheReadmeInTheUsersOwnFolderIsLeftAlone) {
  WriteThreeIcons();
  const fs::path own = dir.path() / "mine";
  fs::create_directories(own);
  testing::WriteBytes(own / "readme.txt", {'m', 'y'});
  SaveAllRequest req = AllRequest();
  req.useTargetDir = true;
  req.TargetDir = own.string();
  ClipboardNaming n;
  SaveAllResult r = SaveAllIconsToFolder(req, n, Services());
  EXPECT_EQ(testing::ReadBytes(own / "readme.txt"), (Bytes{'m', 'y'}));
  EXPECT_FALSE(r.readmeWritten);
  EXPECT_TRUE(fs::exists(own / "a.dll_Ico1.ico"));
  EXPECT_TRUE(observer.added.empty());  // not a folder named after the file

  // A readme this program wrote there earlier is brought up to date.
  testing::WriteBytes(own / "readme.txt", Bytes{'T', 'h', 'e', 's', 'e', ' ', 'I', 'C', 'O', '/', 'B', 'M', 'P', ' ',
                                                'F', 'i', 'l', 'e', 's', ' ', 'a', 'r', 'e', ' ', 'f', 'r', 'o', 'm',
                                                ' ', 'x', '.'});
  r = SaveAllIconsToFolder(req, n, Services());
  EXPECT_TRUE(r.readmeWritten);
  EXPECT_EQ(testing::ReadText(own / "readme.txt"), ReadmeText((src() / "a.dll").string(), "Glimmora", clock.Now()));
}

TEST_F(SaveTest, SavingAllIconsIntoTheClipboardStopsWhenFull) {
  WriteThreeIcons();
  ClipboardNaming n;
  n.ClipIcoCount = 48;
  SaveAllRequest req = AllRequest();
  req.ToClipBoard = true;
  const SaveAllResult r = SaveAllIconsToFolder(req, n, Services());
  EXPECT_TRUE(r.Full);
  EXPECT_EQ(r.IcoCount, 2);
  EXPECT_TRUE(fs::exists(clip() / "A1_a.dll.ico"));
  EXPECT_TRUE(fs::exists(clip() / "A2_a.dll.sur"));
  EXPECT_FALSE(fs::exists(clip() / "A3_a.dll.ico"));
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{kRowClipboardFull});
  EXPECT_FALSE(fs::exists(src() / "a.dll_Ico"));
}

TEST_F(SaveTest, SavingAllIconsAsksWithTheFileListsAnswer) {
  testing::WriteBytes(src() / "a.dll", Layout(4000, {{1, Image(40, 80, 8, 2984)}}));
  ClipboardNaming n;
  SaveAllRequest req = AllRequest();
  req.NostanAns = 1;
  prompter.answers = {PromptAnswer::Cancel};
  EXPECT_EQ(SaveAllIconsToFolder(req, n, Services()).IcoCount, 0);
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{345});
  req.NostanAns = 2;
  EXPECT_EQ(SaveAllIconsToFolder(req, n, Services()).IcoCount, 0);
  EXPECT_EQ(prompter.asked.size(), 1u);
}

TEST_F(SaveTest, OneIconInItsOwnSizeIsTheHeadAndTheSourceBytes) {
  const auto images = WriteThreeIcons();
  testing::WriteBytes(dir.path() / "a.dll_2.ico", Bytes(5000, 9));  // replaced, not appended to
  SaveFromSourceRequest req;
  req.FilePos = 400;
  req.ImageSize = 296;
  req.TargetDir = dir.str() + "/";
  req.TargetName = "a.dll_2.ico";
  req.IcoBmp = SaveFormat::Ico;
  req.SourceFile = (src() / "a.dll").string();
  IconWriteResult r = SaveIconFromSource(req, prompter, lang);
  EXPECT_TRUE(r.written);
  EXPECT_EQ(testing::ReadBytes(dir.path() / "a.dll_2.ico"), Concat(Head16(4, 296), images[1]));

  // The key no longer matches the file: nothing is written.
  req.FilePos = 401;
  req.TargetName = "b.ico";
  r = SaveIconFromSource(req, prompter, lang);
  EXPECT_TRUE(r.sourceUnreadable);
  EXPECT_FALSE(fs::exists(dir.path() / "b.ico"));
  req.FilePos = 400;
  req.ImageSize = 300;
  EXPECT_TRUE(SaveIconFromSource(req, prompter, lang).sourceUnreadable);
}

TEST_F(SaveTest, OneIconAsBitmapClipboardOrOtherSize) {
  testing::WriteBytes(src() / "r.dll", Layout(600, {{5, RedImage()}}));
  SaveFromSourceRequest req;
  req.FilePos = 5;
  req.ImageSize = 176;
  req.TargetDir = dir.str();
  req.TargetName = "r.dll_1.ico";
  req.IcoBmp = SaveFormat::Bmp;
  req.SourceFile = (src() / "r.dll").string();
  IconWriteResult r = SaveIconFromSource(req, prompter, lang);
  EXPECT_EQ(r.targetName, "r.dll_1.bmp");
  EXPECT_EQ(testing::ReadBytes(dir.path() / "r.dll_1.bmp").size(), 54u + 48 * 16);

  req.ToSysClipboard = true;
  req.TargetName = "CopytoSysClipboard";
  r = SaveIconFromSource(req, prompter, lang);
  ASSERT_TRUE(r.clipboard.has_value());
  EXPECT_EQ(r.clipboard->Width(), 16);
  EXPECT_EQ(r.clipboard->At(3, 3), 0xFF0000u);
  EXPECT_FALSE(r.written);

  req.ToSysClipboard = false;
  req.IcoBmp = SaveFormat::Ico;
  req.SizeSel = 2;
  req.TargetName = "r.dll_1.ico";
  req.mask = MaskAnswer::No;
  r = SaveIconFromSource(req, prompter, lang);
  EXPECT_EQ(r.targetName, "r.dll_1_32x32.ico");
  EXPECT_EQ(testing::ReadBytes(dir.path() / "r.dll_1_32x32.ico").size(), 3262u);
}

TEST_F(SaveTest, AnIconMadeFromAPictureIsSavedFromTheWorkIcon) {
  const Bytes work = Concat(Head16(1, 176), RedImage());
  const Raster whole(30, 20, 0x00FF00);
  SaveFromSourceRequest req;
  req.SourceIsPict = true;
  req.pictureIco = work;
  req.picture = &whole;
  req.TargetDir = dir.str();
  req.TargetName = "a.jpg.Ico";
  req.IcoBmp = SaveFormat::Ico;
  EXPECT_TRUE(SaveIconFromSource(req, prompter, lang).written);
  EXPECT_EQ(testing::ReadBytes(dir.path() / "a.jpg.Ico"), work);

  // Bitmaps and clipboard copies in the own size show the whole picture.
  req.IcoBmp = SaveFormat::Bmp;
  req.ToSysClipboard = true;
  const IconWriteResult r = SaveIconFromSource(req, prompter, lang);
  ASSERT_TRUE(r.clipboard.has_value());
  EXPECT_EQ(*r.clipboard, whole);
  EXPECT_FALSE(fs::exists(dir.path() / "a.jpg.bmp"));
}

TEST_F(SaveTest, CopyingAnIconFile) {
  const Bytes icon = Concat(Head16(1, 176), RedImage());
  testing::WriteBytes(dir.path() / "A1_a.dll.ico", Concat(icon, Bytes{9, 9, 9}));  // trailing junk
  CopyIcoRequest req;
  req.SourceDir = dir.str();
  req.FileName = "A1_a.dll.ico";
  req.TargetDir = src().string();
  req.TargetName = "a_1.ico";
  req.IcoBmp = SaveFormat::Ico;
  testing::WriteBytes(src() / "a_1.ico", Bytes(900, 1));
  CopyIcoResult r = CopyIcoFile(req, prompter, lang);
  EXPECT_EQ(r.FullSourcePath, dir.str() + "/A1_a.dll.ico");
  EXPECT_EQ(testing::ReadBytes(src() / "a_1.ico"), icon);

  req.IcoBmp = SaveFormat::Bmp;
  r = CopyIcoFile(req, prompter, lang);
  EXPECT_EQ(r.targetName, "a_1.bmp");
  EXPECT_EQ(testing::ReadBytes(src() / "a_1.bmp").size(), 54u + 48 * 16);

  req.ToSysClipboard = true;
  req.TargetDir = "CopytoSysClipboard";
  req.TargetName = "CopytoSysClipboard";
  r = CopyIcoFile(req, prompter, lang);
  ASSERT_TRUE(r.clipboard.has_value());
  EXPECT_FALSE(fs::exists("CopytoSysClipboard"));

  req.ToSysClipboard = false;
  req.TargetDir = src().string();
  req.TargetName = "a_1.ico";
  req.IcoBmp = SaveFormat::Ico;
  req.SizeSel = 3;
  req.mask = MaskAnswer::No;
  r = CopyIcoFile(req, prompter, lang);
  EXPECT_EQ(r.targetName, "a_1_40x40.ico");
  EXPECT_TRUE(fs::exists(src() / "a_1_40x40.ico"));
}

TEST_F(SaveTest, CopyingAMissingOrBrokenIconWritesNothing) {
  CopyIcoRequest req;
  req.SourceDir = dir.str();
  req.FileName = "gone.ico";
  req.TargetDir = src().string();
  req.TargetName = "t.ico";
  req.IcoBmp = SaveFormat::Ico;
  CopyIcoResult r = CopyIcoFile(req, prompter, lang);
  EXPECT_TRUE(r.sourceUnreadable);
  EXPECT_FALSE(fs::exists(dir.path() / "gone.ico"));
  EXPECT_FALSE(fs::exists(src() / "t.ico"));
  testing::WriteBytes(dir.path() / "gone.ico", Bytes(30, 0));
  EXPECT_TRUE(CopyIcoFile(req, prompter, lang).sourceUnreadable);
  EXPECT_FALSE(fs::exists(src() / "t.ico"));
}

}  // namespace
}  // namespace glimmora
