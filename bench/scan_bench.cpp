// Times the new-file icon scan of each file given against a plain read() + memchr pass over the
// same bytes in the same run.
//
//   scan_bench [--list] [--nostan N] [--buffer BYTES] [--rounds N] FILE...
//   scan_bench --folder DIR [--rounds N]      every file of DIR, one scan each, against the same
//                                              files read and searched (goal: at most 1.3x)
//   scan_bench --make-small DIR               fills DIR with 2,000 small .ico files and 8,000
//                                              files of 200 bytes
//
// Prints per file the icons found, the MB/s of both passes and their ratio. With --list, prints
// one line per found image instead: 1-based position, bytes in resource, width, height, bit count.

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "scan/IconScanner.h"
#include "scan/IconWalker.h"
#include "SmallIcon.h"

using namespace glimmora;

namespace {

struct AlwaysOk : Prompter {
  PromptAnswer Ask(const PromptRequest&) override { return PromptAnswer::Ok; }
};

struct CountingSink : FoundIconSink {
  std::int64_t items = 0;
  void AddFoundIcon(const FoundIconItem&) override { ++items; }
};

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// read() the whole file in large blocks and count the bytes equal to `first` with memchr.
double PlainPass(const std::string& path, std::uint8_t first, std::int64_t& hits, std::int64_t& bytes) {
  const auto t0 = std::chrono::steady_clock::now();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return -1;
  std::vector<std::uint8_t> buf(IconWalker::kDefaultBufferBytes);
  hits = 0;
  bytes = 0;
  for (;;) {
    const ssize_t n = ::read(fd, buf.data(), buf.size());
    if (n <= 0) break;
    bytes += n;
    const std::uint8_t* p = buf.data();
    const std::uint8_t* end = p + n;
    while (p < end) {
      const void* h = std::memchr(p, first, static_cast<std::size_t>(end - p));
      if (h == nullptr) break;
      ++hits;
      p = static_cast<const std::uint8_t*>(h) + 1;
    }
  }
  ::close(fd);
  return Seconds(std::chrono::steady_clock::now() - t0);
}

// One scan of `path` as a newly chosen file, with the language table and prompter the caller keeps.
double ScanPass(const std::string& path, int nostan, std::int64_t buffer, ScanResult& result,
                const LanguageTable& lang, Prompter& prompter) {
  CountingSink sink;
  ScanRequest req;
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) {
    req.FolderPath = std::string(".");
    req.FileName = path;
  } else {
    req.FolderPath = slash == 0 ? std::string("/") : path.substr(0, slash);
    req.FileName = path.substr(slash + 1);
  }
  req.NostanAns = nostan;
  req.bufferBytes = buffer;
  const auto t0 = std::chrono::steady_clock::now();
  result = SearchIconInFile(req, ScanServices{lang, prompter, &sink, nullptr});
  return Seconds(std::chrono::steady_clock::now() - t0);
}

// The regular files of `dir`, by name.
std::vector<std::string> FilesOf(const std::string& dir) {
  std::vector<std::string> files;
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return files;
  while (const dirent* e = ::readdir(d)) {
    const std::string path = dir + "/" + e->d_name;
    struct stat st {};
    if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode)) files.push_back(path);
  }
  ::closedir(d);
  std::sort(files.begin(), files.end());
  return files;
}

// Each file opened, read whole with read() into one buffer and searched with memchr: what a scan
// of many small files should cost.
double PlainFiles(const std::vector<std::string>& files, std::int64_t& hits) {
  static std::vector<std::uint8_t> buf(IconWalker::kDefaultBufferBytes);
  const auto t0 = std::chrono::steady_clock::now();
  hits = 0;
  for (const std::string& f : files) {
    const int fd = ::open(f.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) continue;
    for (ssize_t n; (n = ::read(fd, buf.data(), buf.size())) > 0;)
      for (const std::uint8_t *p = buf.data(), *end = p + n; p < end; ++hits) {
        const void* h = std::memchr(p, kDefaultSearchPattern[0], static_cast<std::size_t>(end - p));
        if (h == nullptr) break;
        p = static_cast<const std::uint8_t*>(h) + 1;
      }
    ::close(fd);
  }
  return Seconds(std::chrono::steady_clock::now() - t0);
}

int Folder(const std::string& dir, int rounds) {
  const std::vector<std::string> files = FilesOf(dir);
  if (files.empty()) {
    std::fprintf(stderr, "%s: no files\n", dir.c_str());
    return 1;
  }
  std::int64_t hits = 0, icons = 0;
  const LanguageTable lang;
  AlwaysOk prompter;
  PlainFiles(files, hits);  // warms the page cache
  double plain = 1e30, scan = 1e30;
  for (int r = 0; r < rounds; ++r) {
    plain = std::min(plain, PlainFiles(files, hits));
    double t = 0;
    icons = 0;
    for (const std::string& f : files) {
      ScanResult result;
      t += ScanPass(f, 0, IconWalker::kDefaultBufferBytes, result, lang, prompter);
      icons += result.IcoCount;
    }
    scan = std::min(scan, t);
  }
  std::printf("%s: %zu files, %lld icons, scan %.1f us/file (%.3f s), plain read+memchr %.1f us/file (%.3f s), "
              "scan/plain time %.2f (best of %d)\n",
              dir.c_str(), files.size(), static_cast<long long>(icons), 1e6 * scan / files.size(), scan,
              1e6 * plain / files.size(), plain, scan / plain, rounds);
  return 0;
}

// 2,000 icon files of one 16 x 16 image of 16 colours (318 bytes) and 8,000 files of 200 bytes
// that hold no icon.
int MakeSmall(const std::string& dir) {
  ::mkdir(dir.c_str(), 0755);
  std::uint32_t seed = 12345;
  const auto next = [&] { return static_cast<std::uint8_t>(0x80 | ((seed = seed * 1103515245u + 12345u) >> 24)); };
  for (int i = 0; i < 10000; ++i) {
    std::vector<std::uint8_t> bytes;
    if (i < 2000) {
      bytes = bench::SmallIconFile(seed);
    } else {
      for (int k = 0; k < 200; ++k) bytes.push_back(next());
    }
    const std::string path = dir + "/" + std::to_string(i) + (i < 2000 ? ".ico" : ".dat");
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0 || ::write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) return 1;
    ::close(fd);
  }
  return 0;
}

int List(const std::string& path, int nostan, std::int64_t buffer) {
  ScanFile file;
  if (Result<void> opened = file.Open(path); !opened) {
    std::fprintf(stderr, "%s: error %d\n", path.c_str(), opened.Error().sysErrno);
    return 1;
  }
  NonStandardDecision decide;
  if (nostan == kNostanSkip) decide = [](const CandidateHeader&) { return false; };
  IconWalker walker(file, kDefaultSearchPattern, 1, decide, buffer);
  AcceptedImage image;
  while (walker.Next(image)) {
    std::printf("%lld %lld %d %d %d\n", static_cast<long long>(image.position),
                static_cast<long long>(image.imageSize), image.header.width, image.header.Height(),
                image.header.bitCount);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool list = false;
  int nostan = 0;
  int rounds = 3;
  std::int64_t buffer = IconWalker::kDefaultBufferBytes;
  std::vector<std::string> files;
  std::string folder;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--list") list = true;
    else if (a == "--nostan" && i + 1 < argc) nostan = std::atoi(argv[++i]);
    else if (a == "--buffer" && i + 1 < argc) buffer = std::atoll(argv[++i]);
    else if (a == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
    else if (a == "--folder" && i + 1 < argc) folder = argv[++i];
    else if (a == "--make-small" && i + 1 < argc) return MakeSmall(argv[++i]);
    else files.push_back(a);
  }
  if (!folder.empty()) return Folder(folder, rounds);
  if (files.empty()) {
    std::fprintf(stderr,
                 "usage: scan_bench [--list] [--nostan N] [--buffer BYTES] [--rounds N] FILE...\n"
                 "       scan_bench --folder DIR [--rounds N]\n       scan_bench --make-small DIR\n");
    return 2;
  }
  int rc = 0;
  const LanguageTable lang;
  AlwaysOk prompter;
  for (const auto& f : files) {
    if (list) {
      rc |= List(f, nostan, buffer);
      continue;
    }
    std::int64_t hits = 0, bytes = 0;
    PlainPass(f, kDefaultSearchPattern[0], hits, bytes);  // warms the page cache
    double plain = 1e30, scan = 1e30;
    ScanResult result;
    for (int r = 0; r < rounds; ++r) {
      plain = std::min(plain, PlainPass(f, kDefaultSearchPattern[0], hits, bytes));
      scan = std::min(scan, ScanPass(f, nostan, buffer, result, lang, prompter));
    }
    if (result.status == ScanStatus::SourceUnreadable) {
      std::fprintf(stderr, "%s: error %d\n", f.c_str(), result.failure ? result.failure->sysErrno : 0);
      rc = 1;
      continue;
    }
    const double mb = static_cast<double>(bytes) / 1e6;
    std::printf("%s: %lld bytes, %lld icons, scan %.1f MB/s (%.3f s), plain read+memchr %.1f MB/s (%.3f s), "
                "scan/plain time %.2f\n",
                f.c_str(), static_cast<long long>(bytes), static_cast<long long>(result.IcoCount), mb / scan, scan,
                mb / plain, plain, scan / plain);
  }
  return rc;
}
