// The options dialog's choices per list, its folder preview and what OK stores.

#include <gtest/gtest.h>

#include "settings/OptionsLogic.h"
#include "support/ScriptedPrompter.h"

namespace glimmora::testing {
namespace {

struct OptionsRig {
  LanguageTable lang;
  SaveParams params;
  OptionsMemory memory;
  ScriptedPrompter prompter;

  OptionsRig() {
    lang.LangStr[0][282] = "Options";
    lang.LangStr[0][307] = "Library";
    lang.LangStr[0][310] = "Files";
    lang.LangStr[0][314] = "<name>";
    lang.LangStr[0][613] = "Editor path too long";
  }
  OptionsForm Load(Pane list, const std::string& folder = "/home/ann/icons") {
    auto form = LoadOptions(list, params, folder, memory, lang);
    EXPECT_TRUE(form.has_value());
    return form.value_or(OptionsForm{});
  }
  void Select(OptionsForm& f, OptGroup g, int i) { SelectOption(f, g, i, memory, lang); }
};

TEST(OptionsLogic, FileListAlwaysSavesInOwnSize) {
  OptionsRig rig;
  rig.params.SaveFileDir.IcoSize = 3;
  OptionsForm f = rig.Load(Pane::ListViewFile);
  EXPECT_EQ(f.Group(OptGroup::IcoSize).selected, 0);
  for (int i = 1; i < kSizeChoiceCount; ++i) EXPECT_FALSE(f.Group(OptGroup::IcoSize).enabled[i]) << i;
  EXPECT_TRUE(f.Group(OptGroup::IcoSize).enabled[0]);
  EXPECT_EQ(OptionsTitle(Pane::ListViewFile, rig.lang), "Options -- Files");
  EXPECT_EQ(PressOptionsOk(f, rig.params, rig.prompter, rig.lang), OptionsOk::Stored);
  EXPECT_EQ(rig.params.SaveFileDir.IcoSize, 0);
}

TEST(OptionsLogic, LibraryListUsesTheUserFolderAndKeepsPictureAnswers) {
  for (std::uint8_t format : {0, 1}) {
    OptionsRig rig;
    rig.params.SaveLibDir.TagDir = 0;
    rig.params.SaveLibDir.SaveAs = format;
    rig.params.SaveLibDir.TrPictAns = 2;
    rig.params.SaveLibDir.NostanAns = 1;
    rig.params.SaveLibDir.OtherDir = "/srv/icons";
    OptionsForm f = rig.Load(Pane::ListViewLIco);
    const auto& mode = f.Group(OptGroup::TagDir);
    EXPECT_EQ(mode.selected, 2);
    EXPECT_FALSE(mode.enabled[0]);
    EXPECT_FALSE(mode.enabled[1]);
    EXPECT_TRUE(mode.enabled[2]);
    EXPECT_EQ(f.folderText, "/srv/icons");
    EXPECT_TRUE(f.folderEnabled);
    for (int i = 0; i < 3; ++i) {
      EXPECT_FALSE(f.Group(OptGroup::TrPict).enabled[i]);
      EXPECT_FALSE(f.Group(OptGroup::Nostan).enabled[i]);
    }
    // ICO brings the mask choices back; BMP leaves them greyed.
    EXPECT_EQ(f.Group(OptGroup::MaskColor).enabled[0], format == 0);
    EXPECT_EQ(f.Group(OptGroup::MaskColor).enabled[1], format == 0);
    EXPECT_TRUE(f.Group(OptGroup::MaskColor).enabled[2]);
    PressOptionsOk(f, rig.params, rig.prompter, rig.lang);
    EXPECT_EQ(rig.params.SaveLibDir.TagDir, 2);
    EXPECT_EQ(rig.params.SaveLibDir.TrPictAns, 2);
    EXPECT_EQ(rig.params.SaveLibDir.NostanAns, 1);
  }
}

TEST(OptionsLogic, AutomaticFolderPreviewFollowsModeAndFormat) {
  OptionsRig rig;
  rig.params.SaveIcoDir.TagDir = 1;
  OptionsForm f = rig.Load(Pane::ListViewPict, "/home/ann/icons");
  EXPECT_EQ(f.folderText, "/home/ann/icons/");
  EXPECT_FALSE(f.folderEnabled);
  EXPECT_FALSE(f.browseShown);
  rig.Select(f, OptGroup::TagDir, 0);
  EXPECT_EQ(f.folderText, "/home/ann/icons/<name>_Ico/");
  rig.Select(f, OptGroup::SaveAs, 1);
  EXPECT_EQ(f.folderText, "/home/ann/icons/<name>_Bmp/");
  rig.Select(f, OptGroup::TagDir, 1);
  rig.Select(f, OptGroup::SaveAs, 0);
  EXPECT_EQ(f.folderText, "/home/ann/icons/");  // mode 1 leaves the box alone

  OptionsForm root = rig.Load(Pane::ListViewPict, "/");
  EXPECT_EQ(root.folderText, "/");
  rig.Select(root, OptGroup::TagDir, 0);
  EXPECT_EQ(root.folderText, "/<name>_Ico/");
}

TEST(OptionsLogic, UserFolderIsRememberedForTheRun) {
  OptionsRig rig;
  OptionsForm f = rig.Load(Pane::ListViewPict);  // mode 0, nothing remembered yet
  rig.Select(f, OptGroup::TagDir, 2);
  EXPECT_EQ(f.folderText, "");
  TakeBrowsedFolder(f, rig.memory, "/data/out");
  TakeBrowsedFolder(f, rig.memory, "");  // cancelled browser changes nothing
  EXPECT_EQ(f.folderText, "/data/out");
  OptionsForm again = rig.Load(Pane::ListViewFile);
  rig.Select(again, OptGroup::TagDir, 2);
  EXPECT_EQ(again.folderText, "/data/out");

  // A stored empty folder shows an empty box in mode 2.
  rig.params.SaveIcoDir.TagDir = 2;
  rig.params.SaveIcoDir.OtherDir = "";
  EXPECT_EQ(rig.Load(Pane::ListViewPict).folderText, "");
}

TEST(OptionsLogic, OkInAutomaticModeStoresTheShownFolder) {
  OptionsRig rig;
  OptionsForm f = rig.Load(Pane::ListViewPict, "/pics");
  rig.Select(f, OptGroup::TagDir, 1);
  PressOptionsOk(f, rig.params, rig.prompter, rig.lang);
  EXPECT_EQ(rig.params.SaveIcoDir.OtherDir, "/pics/");
  EXPECT_EQ(rig.params.SaveIcoDir.TagDir, 1);
}

TEST(OptionsLogic, TextsMustFitTheirFieldsInBytes) {
  OptionsRig rig;
  OptionsForm f = rig.Load(Pane::ListViewIcoClipboard);
  f.editorText = "/" + std::string(39, 'e');  // 40 bytes
  EXPECT_EQ(PressOptionsOk(f, rig.params, rig.prompter, rig.lang), OptionsOk::Stored);
  EXPECT_EQ(rig.params.SaveLibDir.IconEditTool, f.editorText);

  // 37 characters but 41 bytes: the two three-byte characters count three each.
  OptionsForm g = rig.Load(Pane::ListViewIcoClipboard);
  g.editorText = "/opt/" + std::string("\xE7\xBC\x96\xE8\xBE\x91") + "ab" +
                 std::string(28, 'x');
  ASSERT_EQ(g.editorText.size(), 41u);
  const SaveParams before = rig.params;
  EXPECT_EQ(PressOptionsOk(g, rig.params, rig.prompter, rig.lang), OptionsOk::EditorPathTooLong);
  EXPECT_EQ(rig.prompter.RowsAsked(), std::vector<int>{613});
  EXPECT_EQ(rig.params, before);

  // A user folder is refused rather than cut to a name of another folder; one of 50 bytes fits.
  OptionsForm h = rig.Load(Pane::ListViewLIco);
  h.folderText = "/srv/" + std::string("\xE5\x9B\xBE") + std::string(43, 'f');  // 51 bytes
  EXPECT_EQ(PressOptionsOk(h, rig.params, rig.prompter, rig.lang), OptionsOk::FolderTooLong);
  EXPECT_EQ(rig.prompter.RowsAsked(), (std::vector<int>{613, 700}));
  EXPECT_EQ(rig.params, before);
  h.folderText.pop_back();
  EXPECT_EQ(PressOptionsOk(h, rig.params, rig.prompter, rig.lang), OptionsOk::Stored);
  EXPECT_EQ(rig.params.SaveLibDir.OtherDir, h.folderText);

  // Texts read from a file written in another code page may read longer than their fields;
  // unchanged, they go back with their stored bytes and are no reason to refuse.
  rig.params.SaveLibDir.OtherDir = "/" + std::string(60, 'o');
  rig.params.SaveLibDir.IconEditTool = "/" + std::string(50, 'e');
  OptionsForm old = rig.Load(Pane::ListViewLIco);
  EXPECT_EQ(PressOptionsOk(old, rig.params, rig.prompter, rig.lang), OptionsOk::Stored);
}

TEST(OptionsLogic, ClipboardShowsOnlyTheEditorAndStoresLibraryValuesBack) {
  OptionsRig rig;
  SaveDirRec& lib = rig.params.SaveLibDir;
  lib.SaveAs = 1;
  lib.SaveSel = 1;
  lib.TagDir = 2;
  lib.OtherDir = "/srv/lib";
  lib.IcoSize = 4;
  lib.MaskColorAns = 2;
  lib.IconEditTool = "/usr/bin/iconed";
  OptionsForm f = rig.Load(Pane::ListViewIcoClipboard);
  EXPECT_TRUE(f.editorEnabled);
  EXPECT_FALSE(f.folderEnabled);
  for (int g = 0; g < kOptGroups; ++g) {
    EXPECT_FALSE(f.frameEnabled[g]);
    for (int i = 0; i < kOptChoiceCounts[g]; ++i) EXPECT_FALSE(f.groups[g].enabled[i]);
  }
  EXPECT_TRUE(f.frameEnabled[kEditorFrame]);
  EXPECT_EQ(f.editorText, "/usr/bin/iconed");
  EXPECT_EQ(f.Group(OptGroup::IcoSize).selected, 4);
  f.editorText = "/usr/bin/other";
  const SaveDirRec expected = [&] {
    SaveDirRec r = lib;
    r.IconEditTool = "/usr/bin/other";
    return r;
  }();
  PressOptionsOk(f, rig.params, rig.prompter, rig.lang);
  EXPECT_EQ(rig.params.SaveLibDir, expected);

  // The other lists show the editor greyed.
  EXPECT_FALSE(rig.Load(Pane::ListViewPict).editorEnabled);
}

TEST(OptionsLogic, OkStoresIntoTheListTheDialogWasOpenedFor) {
  OptionsRig rig;
  OptionsForm f = rig.Load(Pane::ListViewFile);
  rig.Select(f, OptGroup::SaveAs, 1);
  // Meanwhile the user made the library list current; the dialog still belongs to the file list.
  const SaveDirRec lib = rig.params.SaveLibDir;
  PressOptionsOk(f, rig.params, rig.prompter, rig.lang);
  EXPECT_EQ(rig.params.SaveFileDir.SaveAs, 1);
  EXPECT_EQ(rig.params.SaveLibDir, lib);
}

TEST(OptionsLogic, ValuesWithoutAChoiceSelectNothingAndStayAsStored) {
  OptionsRig rig;
  rig.params.SaveIcoDir.MaskColorAns = 7;
  rig.params.SaveIcoDir.SaveSel = 9;
  OptionsForm f = rig.Load(Pane::ListViewPict);
  EXPECT_FALSE(f.Group(OptGroup::MaskColor).selected.has_value());
  PressOptionsOk(f, rig.params, rig.prompter, rig.lang);
  EXPECT_EQ(rig.params.SaveIcoDir.MaskColorAns, 7);
  EXPECT_EQ(rig.params.SaveIcoDir.SaveSel, 9);
  EXPECT_FALSE(LoadOptions(Pane::TreeViewS, rig.params, "/", rig.memory, rig.lang).has_value());
}

}  // namespace
}  // namespace glimmora::testing
