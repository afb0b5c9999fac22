// The scripted session of glimmora_snapshot: a file with several icons is scanned and saved every
// way the program saves, a library and a web site are made and changed, options are set and the
// configuration written; then every file written is listed with its size and SHA-256, and every
// question asked is printed in each language, with a few operations that fail.
#include <QCryptographicHash>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "text/LangRows.h"
#include "save/SaveAllIcons.h"
#include "save/SaveInSize.h"
#include "library/LibFiles.h"
#include "library/LibraryReader.h"
#include "library/LibraryWriter.h"
#include "mainwindow/StartupSequence.h"
#include "settings/AppState.h"
#include "settings/OptionsLogic.h"
#include "support/FixedClock.h"
#include "support/LibTestFiles.h"
#include "support/ScriptedPrompter.h"
#include "websites/WebSiteStore.h"

namespace glimmora::snapshot {

namespace fs = std::filesystem;

// A fixed folder, so that the paths the program writes into its files are the same every run.
fs::path WorkRoot() {
  const char* dir = std::getenv("GLIMMORA_SNAPSHOT_DIR");
  return dir != nullptr && *dir != '\0' ? fs::path(dir) : fs::temp_directory_path() / "glimmora-snapshot";
}

void ResetWorkRoot() {
  std::error_code ec;
  fs::remove_all(WorkRoot(), ec);
}

// A program folder as an installation has it: the shipped files of this build, and a stand-in
// for the executable. The stored language is `lang`.
fs::path MakeProgramFolder(const std::string& name, Language lang) {
  const fs::path app = WorkRoot() / name / "app";
  const fs::path shipped = GLIMMORA_APP_DIR;
  fs::create_directories(app / "IconLib");
  fs::create_directories(app / "WebSiteLib");
  for (const char* f : {"chglangs.dat", "chglangl.dat", "IconHead.dat", "WebSiteLib/HomePage.Lib"})
    fs::copy_file(shipped / f, app / f);
  fs::copy(shipped / "help", app / "help", fs::copy_options::recursive);
  fs::remove(app / "help" / ".stamp");
  libtest::WriteAll(app / "glimmora", std::string("#!"));
  for (const char* f : {"chglangs.dat", "chglangl.dat"}) {
    std::string bytes = libtest::ReadAll(app / f);
    bytes[0] = static_cast<char>(lang);
    libtest::WriteAll(app / f, bytes);
  }
  return app;
}

namespace {

struct Sink : FoundIconSink {
  std::vector<FoundIconItem> items;
  void AddFoundIcon(const FoundIconItem& item) override { items.push_back(item); }
};

// Writes that fail as on a full disk.
ssize_t DiskFull(int, const void*, std::size_t) {
  errno = ENOSPC;
  return -1;
}
class FullLibraryOps : public PosixLibraryFileOps {
 public:
  bool Write(int, std::string_view) override {
    errno = ENOSPC;
    return false;
  }
};

struct Session {
  fs::path app, save, library;  // the program folder, the folder saved into, the library made
  AppState state;
  testing::ScriptedPrompter prompter;
  testing::FixedClock clock;
  std::vector<std::string> details;  // what failed operations report besides their questions

  const LanguageTable& Lang() const { return state.LangStr; }
  std::string Rel(const std::string& text) const {
    std::string s = text;
    const std::string root = WorkRoot().string();
    for (std::size_t at; (at = s.find(root)) != std::string::npos;) s.replace(at, root.size(), "<root>");
    for (std::size_t at; (at = s.find_first_of("\r\n")) != std::string::npos;) s.replace(at, 1, s[at] == '\n' ? "\\n" : "\\r");
    return s;
  }
  void Detail(const std::string& what, const std::string& text) { details.push_back(what + ": " + Rel(text)); }
};

// Six icon images of several sizes and depths (one of a size no menu offers) between filler bytes.
void MakeSourceFile(const fs::path& path) {
  const int kinds[][3] = {{16, 16, 4}, {32, 32, 8}, {48, 48, 24}, {32, 32, 1}, {20, 20, 4}, {16, 16, 24}};
  libtest::Bytes file;
  int seed = 1;
  for (const auto& k : kinds) {
    file.insert(file.end(), 37, 0xAA);
    const libtest::Bytes image = libtest::TestImage(k[0], k[1], k[2], seed++);
    file.insert(file.end(), image.begin(), image.end());
  }
  file.insert(file.end(), 200, 0xAA);
  fs::create_directories(path.parent_path());
  libtest::WriteAll(path, file);
}

SaveAllRequest SaveAll(Session& s, const fs::path& source, SaveFormat format) {
  SaveAllRequest r;
  r.FolderPath = source.parent_path().string();
  r.FileName = source.filename().string();
  r.IcoBmp = format;
  r.clipboardDir = (s.app / "IconClipBoard").string();
  r.AppTitle = s.state.AppTitle;
  r.NostanAns = kNostanAsk;
  return r;
}

std::vector<EntryId> Entries(const std::string& src) {
  std::vector<EntryId> ids;
  const LibraryReader reader = LibraryReader::Open(src);
  for (int e = 1; e <= reader.IconCount(); ++e)
    if (auto item = reader.Item(e)) ids.push_back({e, EntryStamp(*item)});
  return ids;
}

void RunScript(Session& s) {
  const fs::path source = s.save / "source" / "icons.bin";
  MakeSourceFile(source);

  Sink sink;
  ScanRequest scan;
  scan.FolderPath = source.parent_path().string();
  scan.FileName = source.filename().string();
  SearchIconInFile(scan, ScanServices{s.Lang(), s.prompter, &sink, nullptr});

  ClipboardNaming naming;
  const SaveAllServices services{s.Lang(), s.prompter, s.clock};
  for (SaveFormat f : {SaveFormat::Ico, SaveFormat::Bmp}) SaveAllIconsToFolder(SaveAll(s, source, f), naming, services);
  fs::create_directories(s.save / "sizes");
  for (const FoundIconItem& item : sink.items)
    for (int size = 0; size < kSizeChoiceCount; ++size)
      for (SaveFormat f : {SaveFormat::Ico, SaveFormat::Bmp}) {
        SaveInSizeRequest r;
        r.icoFile = item.icoFile;
        r.targetDir = (s.save / "sizes").string();
        r.targetName = item.text;
        r.sizeSel = size;
        r.icoBmp = f;
        SaveIconInSize(r, s.prompter, s.Lang());
      }
  SaveAllRequest toClip = SaveAll(s, source, SaveFormat::Ico);
  toClip.ToClipBoard = true;
  ClipboardNaming clipNaming;
  SaveAllIconsToFolder(toClip, clipNaming, services);

  const fs::path category = s.app / "IconLib" / CategoryFolderName("snpc", "Snapshots");
  fs::create_directories(category);
  s.library = category / (LibraryFileBase("snp", "Gallery") + ".src");
  const std::string src = s.library.string();
  s.Detail("create library", CreateLibraryFiles(src, NewSrcHead(s.state.AppTitle, "Gallery", "snp")).Error);
  std::vector<LibIconBody> bodies;
  for (const FoundIconItem& item : sink.items)
    if (auto body = IconBodyForLibrary(item.icoFile)) bodies.push_back(*body);
  s.Detail("append", AppendIcons(src, bodies).Error);
  std::vector<EntryId> ids = Entries(src);
  if (ids.size() >= 3) {
    s.Detail("keyword", SetKeyword(src, std::vector<EntryId>{ids[0], ids[1]}, "sun", DefaultLibraryFileOps(),
                                   s.state.CurLang()).Error);
    s.Detail("author", SetAuthor(src, ids[0], {"Ann", "ann@example.org", "https://example.org", "first"},
                                 DefaultLibraryFileOps(), s.state.CurLang()).Error);
    s.Detail("delete", DeleteEntries(src, std::vector<EntryId>{Entries(src)[2]}).Error);
  }

  WebSiteStore web(WebSiteStore::PathIn(s.app.string()));
  int key = 1000;
  web.SetKeySource([&key] { return key++; });
  WebSiteEntry site{"Icons Daily", "Ann", "English", "https://icons.example.org", "daily", "A site of icons"};
  const WebStoreResult added = web.Add(site, s.state.CurLang());
  site.Note = "weekly";
  s.Detail("web save", web.Save(added.RecordNo, site, s.state.CurLang()).Error);

  OptionsMemory memory;
  if (auto form = LoadOptions(Pane::ListViewPict, s.state.Params(), s.save.string(), memory, s.Lang())) {
    SelectOption(*form, OptGroup::SaveAs, 1, memory, s.Lang());
    SelectOption(*form, OptGroup::IcoSize, 4, memory, s.Lang());
    SelectOption(*form, OptGroup::Nostan, 2, memory, s.Lang());
    PressOptionsOk(*form, s.state.Params(), s.prompter, s.Lang());
  }
  SaveFaceConfig(s.state, s.state.Panes, s.prompter);
}

// Operations that fail: a missing file, an unreadable library, a full disk, a folder too long.
void RunFailures(Session& s) {
  ScanRequest scan;
  scan.FolderPath = s.save.string();
  scan.FileName = "missing.bin";
  s.Detail("scan missing", SearchIconInFile(scan, ScanServices{s.Lang(), s.prompter, nullptr, nullptr}).errorText);
  ClipboardNaming naming;
  s.Detail("save missing", SaveAllIconsToFolder(SaveAll(s, s.save / "missing.bin", SaveFormat::Ico), naming,
                                                SaveAllServices{s.Lang(), s.prompter, s.clock}).errorText);

  const fs::path broken = s.app / "IconLib" / CategoryFolderName("badc", "Broken");
  fs::create_directories(broken);
  const std::string bad = (broken / (LibraryFileBase("bad", "Damaged") + ".src")).string();
  libtest::WriteAll(bad, std::string("not a library"));
  s.Detail("open damaged", LibraryReader::Open(bad).Problem());
  s.Detail("append damaged", AppendIcons(bad, std::vector<LibIconBody>{}).Error);

  PosixFileOps full(DiskFull);
  SaveAllServices fullServices{s.Lang(), s.prompter, s.clock};
  fullServices.fileOps = &full;
  SaveAllRequest again = SaveAll(s, s.save / "source" / "icons.bin", SaveFormat::Bmp);
  again.MakeFolder = false;
  again.useTargetDir = true;
  again.TargetDir = (s.save / "full").string();
  fs::create_directories(again.TargetDir);
  const SaveAllResult lost = SaveAllIconsToFolder(again, naming, fullServices);
  std::string reasons;
  for (int r : lost.failures.Reasons) reasons += std::string(" ") + std::strerror(r);
  s.Detail("save on full disk", std::to_string(lost.failures.Count) + " lost," + reasons);
  FullLibraryOps fullLib;
  const auto body = IconBodyForLibrary(libtest::TestIco(16, 16, 4, 9));
  s.Detail("append on full disk", AppendIcons(s.library.string(), std::vector<LibIconBody>{*body}, fullLib).Error);
  WebSiteStore web(WebSiteStore::PathIn(s.app.string()));
  web.SetFileOps(full);
  s.Detail("web on full disk", web.Add(WebSiteEntry{"x", "", "", "https://x.example", "", ""}, s.state.CurLang()).Error);
  SaveFaceConfig(s.state, s.state.Panes, s.prompter, DiskFull);

  OptionsMemory memory;
  if (auto form = LoadOptions(Pane::ListViewPict, s.state.Params(), s.save.string(), memory, s.Lang())) {
    SelectOption(*form, OptGroup::TagDir, 2, memory, s.Lang());
    form->folderText = "/" + std::string(300, 'd');
    PressOptionsOk(*form, s.state.Params(), s.prompter, s.Lang());
  }
}

void StartSession(Session& s, const std::string& name, Language lang) {
  s.app = MakeProgramFolder(name, lang);
  s.save = WorkRoot() / name / "save";
  fs::create_directories(s.save);
  s.state.AppPath = s.app.string();
  if (!LoadStartupData(s.state, s.prompter)) std::cout << name << " start failed\n";
  PrepareProgramFolder(s.state.AppPath, s.state.LangStr, s.prompter);
  s.state.AppTitle = s.state.Row(kRowProgramTitle);
}

std::string Sha256(const fs::path& p) {
  return QCryptographicHash::hash(QByteArray::fromStdString(libtest::ReadAll(p)), QCryptographicHash::Sha256)
      .toHex()
      .toStdString();
}

void ListFiles(const fs::path& base, const std::string& label) {
  std::set<std::string> lines;
  for (const auto& e : fs::recursive_directory_iterator(base)) {
    const std::string rel = label + "/" + fs::relative(e.path(), base).generic_string();
    if (e.is_symlink())
      lines.insert(rel + " -> " + fs::read_symlink(e.path()).generic_string());
    else if (e.is_directory())
      lines.insert(rel + "/");
    else
      lines.insert(rel + " " + std::to_string(e.file_size()) + " " + Sha256(e.path()));
  }
  for (const std::string& l : lines) std::cout << "writes " << l << "\n";
}

}  // namespace

void Writes() {
  Session s;
  StartSession(s, "writes", Language::English);
  RunScript(s);
  ListFiles(s.app, "app");
  ListFiles(s.save, "save");
}

void Messages(Language lang) {
  Session s;
  const std::string name = "messages" + std::to_string(static_cast<int>(lang));
  StartSession(s, name, lang);
  RunScript(s);
  RunFailures(s);
  const std::string L = "messages L" + std::to_string(static_cast<int>(lang)) + " ";
  for (const PromptRequest& r : s.prompter.asked) std::cout << L << "row=" << r.row << " " << s.Rel(r.text) << "\n";
  for (const std::string& d : s.details)
    if (d.back() != ' ') std::cout << L << d << "\n";
}

}  // namespace glimmora::snapshot
