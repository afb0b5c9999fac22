#include "text/LangRows.h"
#include "save/SaveInSize.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/FileBytes.h"
#include "support/IconTestBytes.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"

namespace glimmora {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;

// A 2 x 1 24-bit icon: a transparent black pixel and an opaque grey one.
Bytes SmallIcon(Rgb opaque) {
  const Bytes image = testing::Cat({testing::InfoHeader(2, 2, 24),
                                    {0, 0, 0, BlueOf(opaque), GreenOf(opaque), RedOf(opaque), 0, 0},
                                    {0x80, 0, 0, 0}});
  return testing::WithIcoHead(image, 2, 1, 24);
}

class SaveInSizeTest : public ::testing::Test {
 protected:
  SaveInSizeResult Save(const Bytes& ico, int sizeSel, SaveFormat format, bool clipboard = false,
                        MaskAnswer mask = MaskAnswer::Yes, const Raster* picture = nullptr) {
    SaveInSizeRequest r;
    r.icoFile = ico;
    r.picture = picture;
    r.targetDir = dir_ + "/";
    r.targetName = "a.ico";
    r.sizeSel = sizeSel;
    r.icoBmp = format;
    r.toSysClipboard = clipboard;
    r.mask = mask;
    return SaveIconInSize(r, prompter_, texts_);
  }

  testing::TempDir temp_;
  std::string dir_ = temp_.str();
  testing::ScriptedPrompter prompter_;
  LanguageTable texts_;
};

TEST_F(SaveInSizeTest, IconAndBitmapTargets) {
  std::ofstream(dir_ + "/a_32x32.ico") << std::string(5000, 'x');  // replaced, not appended to
  auto r = Save(SmallIcon(0x808080), 2, SaveFormat::Ico);
  EXPECT_EQ(r.targetName, "a_32x32.ico");
  EXPECT_EQ(r.targetPath, dir_ + "/a_32x32.ico");
  EXPECT_EQ(r.mask, MaskResult::Made);
  EXPECT_EQ(fs::file_size(dir_ + "/a_32x32.ico"), 3262u);

  r = Save(SmallIcon(0x808080), 2, SaveFormat::Bmp);
  EXPECT_EQ(r.targetName, "a_32x32.bmp");
  EXPECT_EQ(fs::file_size(dir_ + "/a_32x32.bmp"), 54u + 96 * 32);

  // Own size as a bitmap of a picture-made icon: the whole picture, not the icon.
  const Raster picture(5, 3, 0x123456);
  r = Save(SmallIcon(0x808080), 0, SaveFormat::Bmp, false, MaskAnswer::Yes, &picture);
  EXPECT_EQ(r.targetName, "a.bmp");
  const auto bmp = ReadFileBytes(dir_ + "/a.bmp", 1 << 20);
  ASSERT_TRUE(bmp);
  EXPECT_EQ(bmp->size(), 54u + 16 * 3);

  const auto before = std::distance(fs::directory_iterator(dir_), fs::directory_iterator());
  r = Save(SmallIcon(0x808080), 1, SaveFormat::Ico, true);
  ASSERT_TRUE(r.clipboard);
  EXPECT_EQ(r.clipboard->Width(), 16);
  EXPECT_EQ(r.clipboard->At(0, 0), kWhite);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), before);
  EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(SaveInSizeTest, MaskQuestionAndNoFreeKey) {
  texts_.LangStr[0][kRowAskMask] = "Keep transparency?";
  prompter_.answers = {PromptAnswer::No};
  auto r = Save(SmallIcon(0x808080), 1, SaveFormat::Ico, false, MaskAnswer::Ask);
  EXPECT_EQ(prompter_.RowsAsked(), std::vector<int>{kRowAskMask});
  EXPECT_EQ(prompter_.asked[0].text, "Keep transparency?");
  EXPECT_EQ(r.mask, MaskResult::NotWanted);
  EXPECT_TRUE(r.written);

  // A 107-pixel icon whose opaque pixels use white and every grey down to 150 twice.
  std::vector<Rgb> colours{kBlack};
  for (int g = 255; g >= 150; --g) colours.insert(colours.end(), 2, Grey(static_cast<std::uint8_t>(g)));
  const int w = static_cast<int>(colours.size());
  Bytes image = testing::InfoHeader(w, 2, 24);
  for (Rgb c : colours) image.insert(image.end(), {BlueOf(c), GreenOf(c), RedOf(c)});
  image.resize(40 + (w * 3 + 3) / 4 * 4, 0);
  Bytes mask((w + 31) / 32 * 4, 0);
  mask[0] = 0x80;
  testing::Append(image, mask);
  prompter_.asked.clear();
  r = Save(testing::WithIcoHead(image, static_cast<std::uint8_t>(w), 1, 24), 2, SaveFormat::Ico);
  EXPECT_EQ(r.mask, MaskResult::NoKeyColor);
  EXPECT_EQ(prompter_.RowsAsked(), std::vector<int>{kRowNoKeyColor});
  EXPECT_TRUE(r.written);
}

}  // namespace
}  // namespace glimmora
