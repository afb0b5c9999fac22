// The icon clipboard folder as its pane lists it, and moving its icons into a library.

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <set>

#include "icons/Dib.h"
#include "library/IconClipboard.h"
#include "library/KeywordSearch.h"
#include "library/LibCatalog.h"
#include "library/LibPages.h"
#include "library/LibraryReader.h"
#include "library/MoveToLib.h"
#include "support/IconFixtures.h"
#include "support/LibTestFiles.h"
#include "support/ScriptedPrompter.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace glimmora {
namespace {

using namespace libtest;

class ClipboardMoveTest : public ::testing::Test {
 protected:
  testing::TempDir dir;
  LanguageTable lang = testing::RowNumberTable();
  testing::ScriptedPrompter prompter;
  fs::path clip() const { return dir.path() / "IconClipBoard"; }
  fs::path work() const { return dir.path() / "LibIconTemp"; }
  std::string src() const { return (dir.path() / "cats_(Cats).src").string(); }

  void SetUp() override {
    fs::create_directories(clip());
    fs::create_directories(work());
  }

  void Put(const std::string& name, const Bytes& ico, const std::string& note = "") {
    WriteAll(clip() / name, ico);
    if (!note.empty()) WriteAll(clip() / (name.substr(0, name.size() - 4) + ".sur"), note);
  }

  MoveRequest Request(std::vector<std::string> files, int paneCount = 0, std::string lastKey = "") {
    MoveRequest r;
    r.Target.NodeText = "Cats (0)";
    r.Target.ParentText = "Animals";
    r.Target.SrcPath = src();
    r.ClipFiles = std::move(files);
    r.ClipDir = clip().string();
    r.WorkDir = work().string();
    r.PaneCount = paneCount;
    r.LastPaneKey = std::move(lastKey);
    return r;
  }
};

TEST_F(ClipboardMoveTest, ListingTakesIcoFilesInAnyCaseWithTheirNotes) {
  Put("A1_x.Ico", TestIco(32, 32, 4, 1), "/home/u/x.dll   01-02-2024 10:11:12\r\nsecond line\r\n");
  Put("A2_x.ico", TestIco(16, 16, 24, 2));
  // A strip 752 pixels wide, stored as every icon of 256 pixels or more is: width and height
  // bytes 0. It is listed with its real size, so the pane counts and moves what the folder holds.
  Bytes wide = TestIco(752, 8, 8, 3);
  wide[6] = wide[7] = 0;
  Put("A3_x.ico", wide);
  Put("A4_x.ico", TestIco(16, 16, 32, 4));
  // Size and depth come from the image's own header: a head that says 14 x 14 for a 14 x 7
  // picture, and a standard directory entry (16 colours, 1 plane, 4 bits).
  Bytes flat = TestIco(14, 7, 24, 5);
  flat[7] = 14;
  Put("A5_x.ico", flat);
  Bytes standard = TestIco(32, 32, 4, 6);
  standard[8] = 16;
  standard[10] = 1;
  standard[12] = 4;
  Put("A6_x.ico", standard);
  Bytes cut = TestIco(16, 16, 4, 7);
  cut.resize(40);  // a head without the image's header behind it: nothing to show
  Put("A7_x.ico", cut);
  WriteAll(clip() / "readme.txt", std::string("text"));
  const auto files = ListIcoClipBoard(clip().string(), Language::English);
  ASSERT_EQ(files.size(), 6u);
  EXPECT_EQ(files[0].FileName, "A1_x.Ico");
  EXPECT_EQ(files[0].Key(), "A1_X.ICO");
  EXPECT_EQ(files[0].Source, "/home/u/x.dll   01-02-2024 10:11:12");
  const ClipItemTexts t = MakeClipItemTexts(files[0], 1, lang);
  EXPECT_EQ(t.Text, " 1");
  EXPECT_EQ(t.Size, " 32 x 32");
  EXPECT_EQ(t.Color, "<368>");
  EXPECT_EQ(t.Bytes, " " + std::to_string(TestIco(32, 32, 4, 1).size()) + " ");
  EXPECT_EQ(ClipInfoText(t), "1: A1_X.ICO (32 x 32 - <368>)");
  EXPECT_EQ(MakeClipItemTexts(files[1], 2, lang).Color, "<371>");
  EXPECT_EQ(MakeClipItemTexts(files[2], 3, lang).Size, " 752 x 8");
  EXPECT_EQ(MakeClipItemTexts(files[3], 4, lang).Color, "");
  EXPECT_EQ(files[3].Source, "");
  EXPECT_EQ(MakeClipItemTexts(files[4], 5, lang).Size, " 14 x 7");
  EXPECT_EQ(MakeClipItemTexts(files[5], 6, lang).Color, "<368>");

  const std::string listed[] = {"A1_x.Ico"};
  const auto added = ListIcoClipBoard(clip().string(), Language::English, listed);
  ASSERT_EQ(added.size(), 5u);
  EXPECT_EQ(added[0].FileName, "A2_x.ico");
}

TEST_F(ClipboardMoveTest, StatusRowsAndEnabledCommands) {
  EXPECT_EQ(SelectClipIco(2, 1, lang).Panel1, "<222> 2 <372> 1 <393>");
  EXPECT_EQ(SelectClipIco(1, 1, lang).Panel1, "<222> 1 <397> 1 <393>");
  EXPECT_EQ(SelectClipIco(3, 2, lang).Panel1, "<222> 3 <372> 2 <357>");
  const ClipSelectState all = SelectClipIco(3, 3, lang);
  EXPECT_TRUE(all.SelectAll);
  EXPECT_FALSE(all.SysClipboardItems);
  EXPECT_TRUE(all.SelectedItems);
  const ClipSelectState none = SelectClipIco(0, 0, lang);
  EXPECT_FALSE(none.Menu || none.SelectAll || none.SelectedItems);
  // An empty clipboard reads "0 icons", not "0 icon".
  EXPECT_EQ(none.Panel1, "<222> 0 <372> 0 <357>");
}

TEST_F(ClipboardMoveTest, DeletingTakesTheNotesAlong) {
  Put("A1_x.ico", TestIco(16, 16, 4, 1), "n\r\n");
  Put("A2_x.ico", TestIco(16, 16, 4, 2));
  const std::string names[] = {"A1_x.ico", "A2_x.ico"};
  EXPECT_TRUE(DelClipFiles(clip().string(), names).empty());
  EXPECT_TRUE(fs::is_empty(clip()));
}

TEST_F(ClipboardMoveTest, MovedIconsGoInByteForByteAndLeaveTheClipboard) {
  WriteAll(src(), HandHead("Cats", "cats", 0));
  WriteAll(dir.path() / "cats_(Cats).dat", std::string());
  const Bytes a = TestIco(32, 32, 4, 1), b = TestIco(16, 16, 8, 2);
  Put("A1_a.ico", a, "note\r\n");
  Put("A2_b.ico", b, "note\r\n");
  prompter.answers = {PromptAnswer::Yes};
  const MoveResult r = MoveIcoToLib(Request({"A1_a.ico", "A2_b.ico"}), prompter, lang);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(prompter.asked[0].text, "<238>Animals-Cats<239>");
  EXPECT_EQ(r.IconCount, 2);
  EXPECT_EQ(r.NodeText, "Cats (2)");
  const std::uint32_t sa = std::uint32_t(a.size() - 62), sb = std::uint32_t(b.size() - 62);
  EXPECT_EQ(ReadAll(src()), HandHead("Cats", "cats", 2, 616, sa + sb) + HandEntry(257, 1, sa, 32, 32, 4) +
                                HandEntry(437, 1 + sa, sb, 16, 16, 8));
  EXPECT_EQ(ReadAll(dir.path() / "cats_(Cats).dat"), BodyOf(a) + BodyOf(b));
  // Taken out again, each icon is the file that went in, but for the image-size field the
  // library has always written as half the bit count, and a standard directory entry (colours,
  // planes, bit count) in place of the clipboard file's.
  const LibraryReader lib = LibraryReader::Open(src());
  Bytes wantA = a, wantB = b;
  wantA[22 + 20] = 2;
  wantB[22 + 20] = 4;
  for (auto [want, colours, bits] : {std::tuple{&wantA, 16, 4}, {&wantB, 0, 8}}) {
    (*want)[8] = static_cast<std::uint8_t>(colours);
    (*want)[10] = 1;
    (*want)[12] = static_cast<std::uint8_t>(bits);
  }
  EXPECT_EQ(*lib.IcoBytes(1), wantA);
  EXPECT_EQ(*lib.IcoBytes(2), wantB);
  EXPECT_TRUE(fs::is_empty(clip()));
  ASSERT_EQ(r.NewPaneItems.size(), 2u);
  EXPECT_EQ(r.NewPaneItems[0].Key, "AAA.ico");
  EXPECT_EQ(r.NewPaneItems[1].Entry, 2);
  EXPECT_EQ(r.NewPaneItems[1].SubItem1(), "Animals-Cats  []");
  EXPECT_EQ(ReadAll(work() / "AAB.ico"), std::string(b.begin(), b.end()));
}

// The library's headers always say "full palette": an icon whose header counts fewer colours
// must still come out showing what went in.
TEST_F(ClipboardMoveTest, IconsComeOutShowingTheSamePixelsAndMaskAsWentIn) {
  WriteAll(src(), HandHead("Cats", "cats", 0));
  WriteAll(dir.path() / "cats_(Cats).dat", std::string());
  // 16 x 16 at 8 bits with a 16-colour table.
  const std::string shortFile = testing::TestDataBytes("icon-palette-shorter-than-its-depth.ico");
  const Bytes short8(shortFile.begin(), shortFile.end());
  const std::vector<Bytes> in = {TestIco(32, 32, 4, 3), short8, TestIco(16, 16, 32, 7)};
  std::vector<std::string> names;
  for (std::size_t i = 0; i < in.size(); ++i) {
    names.push_back("A" + std::to_string(i + 1) + "_x.ico");
    Put(names.back(), in[i]);
  }
  prompter.answers = {PromptAnswer::Yes};
  ASSERT_TRUE(MoveIcoToLib(Request(names), prompter, lang).Ok);
  const LibraryReader lib = LibraryReader::Open(src());
  ASSERT_EQ(lib.IconCount(), 3);
  for (int e = 1; e <= 3; ++e) {
    const auto want = DecodeIcoFile(in[static_cast<std::size_t>(e - 1)]);
    const auto got = DecodeIcoFile(*lib.IcoBytes(e));
    ASSERT_TRUE(want && got) << "icon " << e;
    EXPECT_TRUE(got->onWhite == want->onWhite) << "icon " << e;
    EXPECT_EQ(got->transparent, want->transparent) << "icon " << e;
  }
}

TEST_F(ClipboardMoveTest, OnlyTwoOfFiveFitOnAPaneOf48) {
  WriteAll(src(), HandHead("Cats", "cats", 0));
  WriteAll(dir.path() / "cats_(Cats).dat", std::string());
  std::vector<std::string> names;
  for (int i = 1; i <= 5; ++i) {
    names.push_back("A" + std::to_string(i) + "_x.ico");
    Put(names.back(), TestIco(16, 16, 4, i));
  }
  prompter.answers = {PromptAnswer::Yes};
  const MoveResult r = MoveIcoToLib(Request(names, 48, "ABV.ico"), prompter, lang);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.IconCount, 5);
  ASSERT_EQ(r.NewPaneItems.size(), 2u);
  EXPECT_EQ(r.NewPaneItems[0].Key, "ABW.ico");
  EXPECT_EQ(r.NewPaneItems[1].Text, "  50");
}

TEST_F(ClipboardMoveTest, RefusalsAndAnswersOtherThanYesChangeNothing) {
  WriteAll(src(), HandHead("Cats", "cats", 0));
  Put("A1_a.ico", TestIco(16, 16, 4, 1));
  MoveRequest cat = Request({"A1_a.ico"});
  cat.Target.IsCategory = true;
  cat.Target.NodeText = "Animals";
  MoveIcoToLib(cat, prompter, lang);
  cat.Target.CategoryHasChildren = true;
  MoveIcoToLib(cat, prompter, lang);
  prompter.answers = {PromptAnswer::No};
  MoveRequest all = Request({"A1_a.ico"});
  all.AllIco = true;
  EXPECT_FALSE(MoveIcoToLib(all, prompter, lang).Asked);
  EXPECT_EQ(prompter.asked[0].text, "<234>Animals<235>");
  EXPECT_EQ(prompter.asked[1].text, "<236>Animals<237>");
  EXPECT_EQ(prompter.asked[2].text, "<240>Animals-Cats<239>");
  EXPECT_EQ(ReadAll(src()), HandHead("Cats", "cats", 0));
  EXPECT_TRUE(fs::exists(clip() / "A1_a.ico"));
}

TEST_F(ClipboardMoveTest, AFailedWriteKeepsEveryIconInTheClipboard) {
  WriteAll(src(), HandHead("Cats", "cats", 0));
  WriteAll(dir.path() / "cats_(Cats).dat", std::string());
  Bytes broken = TestIco(16, 16, 4, 9);
  broken.resize(40);
  Put("A1_a.ico", TestIco(16, 16, 4, 1));
  Put("A2_b.ico", broken);
  Put("A3_c.ico", TestIco(16, 16, 4, 3));
  // A write failure: nothing goes in, nothing leaves the clipboard, one message.
  for (int step = 1; step <= 6; ++step) {
    FaultyOps ops;
    ops.failAt = step;
    prompter.asked.clear();
    prompter.answers = {PromptAnswer::Yes};
    const MoveResult r = MoveIcoToLib(Request({"A1_a.ico", "A2_b.ico", "A3_c.ico"}), prompter, lang, ops);
    EXPECT_FALSE(r.Ok) << step;
    EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{238, 633, 634})) << step;  // question, refused icon, failure
    EXPECT_EQ(prompter.asked[1].text, "<633>\nA2_b.ico") << step;
    EXPECT_EQ(prompter.asked[2].text.rfind("<634>\n", 0), 0u) << step;
    EXPECT_EQ(LibraryReader::Open(src()).IconCount(), 0);
    EXPECT_EQ(fs::directory_iterator(clip()) != fs::directory_iterator(), true);
    EXPECT_TRUE(fs::exists(clip() / "A1_a.ico") && fs::exists(clip() / "A3_c.ico"));
  }
  // Without failure: the broken icon stays behind, the others move.
  prompter.answers = {PromptAnswer::Yes};
  const MoveResult r = MoveIcoToLib(Request({"A1_a.ico", "A2_b.ico", "A3_c.ico"}), prompter, lang);
  ASSERT_TRUE(r.Ok);
  EXPECT_EQ(r.Refused, std::vector<std::string>{"A2_b.ico"});
  EXPECT_EQ(r.IconCount, 2);
  EXPECT_TRUE(fs::exists(clip() / "A2_b.ico"));
  EXPECT_FALSE(fs::exists(clip() / "A1_a.ico"));
}

// A link where a work folder should be, or in one under a work file's name, is never followed:
// what it leads to is neither deleted nor written, and a linked folder is told once per command.
TEST_F(ClipboardMoveTest, WorkFoldersAreNeverEmptiedOrWrittenThroughALink) {
  const fs::path user = dir.path() / "user";
  fs::create_directories(user);
  const Bytes icon = TestIco(16, 16, 4, 1);
  for (const char* name : {"AAA.ico", "A1_x.ico", "A1_x.sur", "notes.txt"}) WriteAll(user / name, icon);
  const auto userUntouched = [&] {
    for (const char* name : {"AAA.ico", "A1_x.ico", "A1_x.sur", "notes.txt"})
      if (ReadAll(user / name) != std::string(icon.begin(), icon.end())) return false;
    return true;
  };
  WriteAll(src(), HandHead("Cats", "cats", 0));
  const LibIconBody body = *IconBodyForLibrary(TestIco(16, 16, 4, 2));
  ASSERT_TRUE(AppendIcons(src(), std::span<const LibIconBody>(&body, 1)).Ok);

  // Links inside real folders, named like a work file and like a clipboard icon.
  fs::create_symlink(user / "AAA.ico", work() / "AAA.ico");
  fs::create_symlink(user / "A1_x.ico", clip() / "A2_y.ico");
  const LibPage page = GetIcoFromLib({src(), "Animals", "Cats", 0, 50, work().string()}, lang);
  EXPECT_FALSE(page.WorkFolderNotReal);
  EXPECT_EQ(page.Unreadable, 1);
  EXPECT_EQ(DelAllClipFiles(clip().string()), std::vector<std::string>{"A2_y.ico"});
  EXPECT_TRUE(userUntouched());
  // The keyword search's hit cannot be taken out either: it is told with its library, not lost.
  const SearchLibrary cats{src(), "Animals", "Cats"};
  const auto blocked =
      SearchLibByKeyword("cats", std::span<const SearchLibrary>(&cats, 1), work().string(), prompter, lang);
  ASSERT_TRUE(blocked);
  EXPECT_EQ(blocked->Hits, 0);
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{670, 434}));
  EXPECT_EQ(prompter.asked[0].text,
            "<670>\nAnimals-Cats: icon 1 cannot be written to " + (work() / "AAA.ico").string() + ".");
  EXPECT_TRUE(userUntouched());
  prompter.asked.clear();

  // The folders themselves links.
  fs::remove_all(work());
  fs::remove_all(clip());
  fs::create_directory_symlink(user, work());
  fs::create_directory_symlink(user, clip());
  const LibPage linked = GetIcoFromLib({src(), "Animals", "Cats", 0, 50, work().string()}, lang);
  EXPECT_TRUE(linked.WorkFolderNotReal);
  EXPECT_EQ(linked.IconCount, 1);
  EXPECT_TRUE(linked.Items.empty());
  CategoryPage(work().string(), lang);
  const SearchLibrary lib{src(), "Animals", "Cats"};
  const auto hits = SearchLibByKeyword("cats", std::span<const SearchLibrary>(&lib, 1), work().string(), prompter, lang);
  ASSERT_TRUE(hits);
  EXPECT_TRUE(hits->Items.empty());
  EXPECT_EQ(prompter.RowsAsked(), std::vector<int>{730});
  EXPECT_EQ(prompter.asked[0].text, "<730>\n" + work().string());
  const std::vector<std::string> all = DelAllClipFiles(clip().string());
  EXPECT_EQ(all, (std::vector<std::string>{"A1_x.ico", "A1_x.sur", "AAA.ico"}));
  prompter.asked.clear();
  prompter.answers = {PromptAnswer::Yes};
  const MoveResult moved = MoveIcoToLib(Request({"A1_x.ico"}), prompter, lang);
  EXPECT_TRUE(moved.Ok);
  EXPECT_EQ(moved.NotDeleted, std::vector<std::string>{"A1_x.ico"});
  EXPECT_TRUE(moved.NewPaneItems.empty());
  EXPECT_EQ(prompter.RowsAsked(), (std::vector<int>{238, 730, 730}));  // the work folder, the clipboard
  EXPECT_TRUE(userUntouched());
}


// The file steps of a change that stop before call `pauseAt` until the other process, told
// through `toOther`, answers on `fromOther`: it looks at the library in the middle of the change.
class PausingOps : public LibraryFileOps {
 public:
  PausingOps(int pauseAt, int toOther, int fromOther) : pauseAt_(pauseAt), to_(toOther), from_(fromOther) {}
  int Create(const std::string& path, mode_t mode) override { return Step(), real_.Create(path, mode); }
  int OpenAppend(const std::string& path) override { return Step(), real_.OpenAppend(path); }
  bool Write(int handle, std::string_view bytes) override { return Step(), real_.Write(handle, bytes); }
  bool SetMode(int handle, mode_t mode) override { return Step(), real_.SetMode(handle, mode); }
  bool SetLength(int handle, off_t length) override { return Step(), real_.SetLength(handle, length); }
  bool Flush(int handle) override { return Step(), real_.Flush(handle); }
  bool Close(int handle) override { return Step(), real_.Close(handle); }
  bool Rename(const std::string& from, const std::string& to) override { return Step(), real_.Rename(from, to); }
  void Remove(const std::string& path) override { Step(), real_.Remove(path); }

 private:
  void Step() {
    if (++calls_ != pauseAt_) return;
    char c = 0;
    if (::write(to_, &c, 1) != 1 || ::read(from_, &c, 1) != 1) ::_exit(3);
  }
  int pauseAt_, to_, from_, calls_ = 0;
  PosixLibraryFileOps real_;
};

// Two windows on one program folder: one moves 50 icons into a library while the other opens that
// library and reads its category. Run after run, the move is held before each of its file steps in
// turn until the other has looked; whatever that one saw, every icon ends in the library or in the
// clipboard, and the move does not fail for it.
TEST_F(ClipboardMoveTest, AnotherWindowLookingAtTheLibraryNeverLosesMovedIcons) {
  std::vector<std::string> names;
  std::vector<std::string> bodies;
  for (int i = 0; i < 50; ++i) {
    names.push_back("A" + std::to_string(i) + "_x.ico");
    bodies.push_back(BodyOf(TestIco(16, 16, 4, 100 + i)));
  }
  const fs::path otherWork = dir.path() / "OtherLibIconTemp";
  fs::create_directories(otherWork);
  int runs = 0, lost = 0, failed = 0;
  for (int step = 1;; ++step) {
    fs::remove(src());
    fs::remove(dir.path() / "cats_(Cats).dat");
    const std::string first = BodyOf(TestIco(16, 16, 4, 1));
    WriteAll(src(), HandHead("Cats", "cats", 1) + HandEntry(257, 1, std::uint32_t(first.size()), 16, 16, 4));
    WriteAll(dir.path() / "cats_(Cats).dat", first);
    for (int i = 0; i < 50; ++i) Put(names[std::size_t(i)], TestIco(16, 16, 4, 100 + i));
    int toParent[2], toChild[2];
    ASSERT_EQ(::pipe(toParent), 0);
    ASSERT_EQ(::pipe(toChild), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
      PausingOps ops(step, toParent[1], toChild[0]);
      testing::ScriptedPrompter yes;
      yes.fallback = PromptAnswer::Yes;
      const MoveResult r = MoveIcoToLib(Request(names), yes, lang, ops);
      ::_exit(r.Ok && r.Moved.size() == 50 ? 0 : 1);
    }
    ::close(toParent[1]);
    ::close(toChild[0]);
    // Held in the middle of its change (or done: the pipe closes), the move waits for one look.
    char c = 0;
    const bool paused = ::read(toParent[0], &c, 1) == 1;
    if (paused) {
      GetIcoFromLib({src(), "Animals", "Cats", 0, 50, otherWork.string()}, lang);
      ReadLibraryFolders(dir.path().string(), Language::English);
      EXPECT_EQ(::write(toChild[1], &c, 1), 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ::close(toParent[0]);
    ::close(toChild[1]);
    if (!paused) break;
    ++runs;
    failed += WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1;
    const LibraryReader lib = LibraryReader::Open(src());
    std::set<std::string> inLibrary;
    for (int e = 1; e <= lib.IconCount(); ++e)
      if (const auto body = lib.Body(*lib.Item(e))) inLibrary.emplace(body->begin(), body->end());
    for (int i = 0; i < 50; ++i)
      if (!fs::exists(clip() / names[std::size_t(i)]) && !inLibrary.contains(bodies[std::size_t(i)])) ++lost;
    for (const auto& name : names) fs::remove(clip() / name);
  }
  EXPECT_GE(runs, 9);  // the bodies' four steps, the index's four, its rename
  EXPECT_EQ(lost, 0) << "in " << runs << " runs";
  EXPECT_EQ(failed, 0) << "in " << runs << " runs";
}

}  // namespace
}  // namespace glimmora
