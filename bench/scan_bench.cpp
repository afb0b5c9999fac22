// Times the new-file icon scan of each file given against a plain read() + memchr pass over the
// same bytes in the same run.
//
//   scan_bench [--list] [--nostan N] [--buffer BYTES] [--rounds N] FILE...
//
// Prints per file the icons found, the MB/s of both passes and their ratio. With --list, prints
// one line per found image instead: 1-based position, bytes in resource, width, height, bit count.

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/IconScanner.h"
#include "common/IconWalker.h"

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

double ScanPass(const std::string& path, int nostan, std::int64_t buffer, ScanResult& result) {
  LanguageTable lang;
  AlwaysOk prompter;
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

int List(const std::string& path, int nostan, std::int64_t buffer) {
  ScanFile file;
  if (!file.Open(path)) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), file.ErrorText().c_str());
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
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--list") list = true;
    else if (a == "--nostan" && i + 1 < argc) nostan = std::atoi(argv[++i]);
    else if (a == "--buffer" && i + 1 < argc) buffer = std::atoll(argv[++i]);
    else if (a == "--rounds" && i + 1 < argc) rounds = std::max(1, std::atoi(argv[++i]));
    else files.push_back(a);
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: scan_bench [--list] [--nostan N] [--buffer BYTES] [--rounds N] FILE...\n");
    return 2;
  }
  int rc = 0;
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
      scan = std::min(scan, ScanPass(f, nostan, buffer, result));
    }
    if (result.status == ScanStatus::SourceUnreadable) {
      std::fprintf(stderr, "%s: %s\n", f.c_str(), result.errorText.c_str());
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
