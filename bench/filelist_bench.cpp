// Times the file list's fill of a folder against a plain readdir + stat + sort of the same folder
// in the same run, and measures the longest time the window's event loop stood still meanwhile.
//
//   filelist_bench --make N DIR     fills DIR with N files, one in five a small icon file
//   filelist_bench [--rounds R] [--check] DIR
//
// Goals: the fill at most 1.5 times the plain pass, the event loop never still for more than
// 0.3 s. With --check the program fails when either is missed (run it on a quiet machine).

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <strings.h>
#include <vector>

#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/SourcePanel.h"
#include "SmallIcon.h"

using namespace glimmora;

namespace {

struct SaysOk : Prompter {
  PromptAnswer Ask(const PromptRequest&) override { return PromptAnswer::Ok; }
};

double Ms(std::chrono::steady_clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// What any program listing a folder with sizes and dates does: read the names, stat each, sort.
double PlainPass(const std::string& dir, std::size_t& files) {
  const auto t0 = std::chrono::steady_clock::now();
  struct Entry {
    std::string name;
    off_t size;
    time_t mtime;
  };
  std::vector<Entry> entries;
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return -1;
  const int fd = ::dirfd(d);
  while (const dirent* e = ::readdir(d)) {
    if (e->d_name[0] == '.') continue;
    struct stat st {};
    if (::fstatat(fd, e->d_name, &st, 0) == 0 && S_ISREG(st.st_mode)) entries.push_back({e->d_name, st.st_size, st.st_mtime});
  }
  ::closedir(d);
  std::sort(entries.begin(), entries.end(),
            [](const Entry& a, const Entry& b) { return ::strcasecmp(a.name.c_str(), b.name.c_str()) < 0; });
  files = entries.size();
  return Ms(std::chrono::steady_clock::now() - t0);
}

int Make(int n, const std::string& dir) {
  ::mkdir(dir.c_str(), 0755);
  std::uint32_t seed = 1;
  const std::vector<std::uint8_t> ico = bench::SmallIconFile(seed);
  const char* kinds[] = {".dll", ".txt", ".png", ".exe"};
  for (int i = 0; i < n; ++i) {
    const bool isIco = i % 5 == 0;
    const std::string path = dir + "/file" + std::to_string(i) + (isIco ? ".ico" : kinds[i % 4]);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) return 1;
    const std::string filler(static_cast<std::size_t>(i % 97), 'x');
    const bool ok = isIco ? ::write(fd, ico.data(), ico.size()) == static_cast<ssize_t>(ico.size())
                          : ::write(fd, filler.data(), filler.size()) == static_cast<ssize_t>(filler.size());
    ::close(fd);
    if (!ok) return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = 3;
  bool check = false;
  std::string dir;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--make" && i + 2 < argc) return Make(std::atoi(argv[i + 1]), argv[i + 2]);
    if (a == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
    else if (a == "--check") check = true;
    else dir = a;
  }
  if (dir.empty()) {
    std::fprintf(stderr, "usage: filelist_bench [--rounds R] [--check] DIR\n       filelist_bench --make N DIR\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
  QApplication app(argc, argv);
  LanguageTable lang;
  SaysOk prompter;
  SourcePanelEnv env;
  env.Lang = &lang;
  env.Ask = &prompter;
  env.Roots = [dir] { return SourceRoots{{}, dir, dir}; };
  SourcePanel panel(env);
  panel.resize(1000, 700);
  panel.show();
  QApplication::processEvents();

  // The event loop's heartbeat: the longest gap between two beats is the longest stall.
  QElapsedTimer beat;
  double longest = 0;
  QTimer heart;
  heart.setInterval(1);
  QObject::connect(&heart, &QTimer::timeout, [&] {
    longest = std::max(longest, static_cast<double>(beat.nsecsElapsed()) / 1e6);
    beat.restart();
  });

  // Between rounds the list shows an empty folder, so that every round fills it anew.
  char emptyDir[] = "/tmp/filelist_bench_XXXXXX";
  if (::mkdtemp(emptyDir) == nullptr) return 1;
  std::size_t files = 0;
  double plain = 1e30, fill = 1e30, stall = 0;
  for (int r = 0; r < rounds; ++r) {
    plain = std::min(plain, PlainPass(dir, files));
    panel.Files().ShowFolder(emptyDir);
    QApplication::processEvents();
    longest = 0;
    beat.start();
    heart.start();
    const auto t0 = std::chrono::steady_clock::now();
    panel.Files().ShowFolder(dir);
    panel.grab();  // the rows on screen are drawn, their icons with them
    fill = std::min(fill, Ms(std::chrono::steady_clock::now() - t0));
    QApplication::processEvents();
    heart.stop();
    longest = std::max(longest, static_cast<double>(beat.nsecsElapsed()) / 1e6);
    stall = std::max(stall, longest);
  }
  std::printf("%s: %zu files, fill %.0f ms, plain readdir+stat+sort %.0f ms, fill/plain %.2f, longest stall %.0f ms "
              "(best fill of %d, worst stall)\n",
              dir.c_str(), files, fill, plain, fill / plain, stall, rounds);
  ::rmdir(emptyDir);
  if (check && (fill > 1.5 * plain || stall > 300)) return 1;
  return 0;
}
