#include "scan/IconWalker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "icons/IcoFile.h"
#include "scan/IconScanner.h"
#include "save/SaveAllIcons.h"
#include "support/IconFixtures.h"
#include "support/ScriptedPrompter.h"

namespace glimmora {
namespace {

using testing::Bytes;

struct Found {
  std::int64_t position;
  std::int64_t size;
  bool operator==(const Found&) const = default;
};

// The walk as one would write it with one 740-byte read per step: a chunk is searched for the
// pattern at offsets 0 to 736, a miss moves on 737 bytes, bytes past the end read as zeros.
std::vector<Found> ChunkByChunk(const Bytes& file) {
  const std::int64_t length = static_cast<std::int64_t>(file.size());
  auto at = [&](std::int64_t i) -> std::uint8_t { return i < length ? file[static_cast<std::size_t>(i)] : 0; };
  std::vector<Found> found;
  std::int64_t p = 1;
  while (p < length - 150) {
    std::int64_t k = -1;
    for (std::int64_t o = 0; o <= 736 && p - 1 + o + 4 <= length; ++o) {
      const std::int64_t i = p - 1 + o;
      if (at(i) == 0x28 && at(i + 1) == 0 && at(i + 2) == 0 && at(i + 3) == 0) {
        k = o;
        break;
      }
    }
    if (k < 0) {
      p += 737;
      continue;
    }
    p += k;
    std::uint8_t header[40];
    for (int j = 0; j < 40; ++j) header[j] = at(p - 1 + j);
    CandidateHeader h;
    const HeaderVerdict v = CheckIconHeader(header, &h);
    if (v == HeaderVerdict::Step6) {
      p += 6;
      continue;
    }
    if (v == HeaderVerdict::Step14) {
      p += 14;
      continue;
    }
    const auto sizes = IconRowSizes(h.width, h.doubledHeight, h.bitCount, h.clrUsed);
    if (!sizes || p - 1 + sizes->imageSize > length || sizes->imageSize > kMaxIconImageBytes) {
      p += 14;
      continue;
    }
    found.push_back({p, sizes->imageSize});
    p += sizes->imageSize - 5;
  }
  return found;
}

std::vector<Found> Walk(const testing::TempDir& dir, const Bytes& file, std::int64_t buffer) {
  testing::WriteBytes(dir.path() / "f.bin", file);
  ScanFile f;
  EXPECT_TRUE(f.Open((dir.path() / "f.bin").string()));
  IconWalker walker(f, kDefaultSearchPattern, 1, nullptr, buffer);
  std::vector<Found> found;
  AcceptedImage image;
  while (walker.Next(image)) found.push_back({image.position, image.imageSize});
  return found;
}

// Random bytes rich in 0x28 and zeros, with small icons and decoy headers planted among them.
Bytes Noisy(std::mt19937& rng, std::size_t length) {
  Bytes b(length);
  for (auto& v : b) {
    const unsigned r = rng() % 10;
    v = r < 5 ? 0 : r < 7 ? 0x28 : r < 8 ? 1 : static_cast<std::uint8_t>(rng());
  }
  const int plants = static_cast<int>(length / 400);
  for (int i = 0; i < plants && length > 400; ++i) {
    const std::size_t at = rng() % (length - 60);
    const int kind = static_cast<int>(rng() % 4);
    Bytes h = kind == 0   ? testing::InfoHeader(1, 2, 1)           // 56 bytes
              : kind == 1 ? testing::InfoHeader(2, 4, 8)           // 40 + 1024 + 8 + 8
              : kind == 2 ? testing::InfoHeader(16, 32, 4)         // 296
                          : testing::InfoHeader(16, 32, 4, 0, 0);  // decoy: no planes
    std::copy(h.begin(), h.end(), b.begin() + static_cast<std::ptrdiff_t>(at));
  }
  return b;
}

TEST(IconWalker, MatchesTheChunkByChunkWalkForEveryBufferSize) {
  testing::TempDir dir;
  std::mt19937 rng(12345);
  std::size_t total = 0;
  for (int round = 0; round < 40; ++round) {
    const std::size_t length = rng() % 30000;
    const Bytes file = Noisy(rng, length);
    const std::vector<Found> expected = ChunkByChunk(file);
    total += expected.size();
    for (std::int64_t buffer : {4096, 4097, 4099, 6000, 1 << 16}) {
      ASSERT_EQ(Walk(dir, file, buffer), expected) << "round " << round << " buffer " << buffer;
    }
  }
  EXPECT_GT(total, 200u);  // the files really hold images to find
}

TEST(IconWalker, StartsWhereItIsToldAndReadsNothingPastTheEnd) {
  testing::TempDir dir;
  const Bytes file = testing::Layout(3000, {{100, testing::Image(16, 32, 4, 296)},
                                            {1000, testing::Image(16, 32, 4, 296)}});
  testing::WriteBytes(dir.path() / "f.bin", file);
  ScanFile f;
  ASSERT_TRUE(f.Open((dir.path() / "f.bin").string()));
  IconWalker walker(f, kDefaultSearchPattern, 101, nullptr);
  AcceptedImage image;
  ASSERT_TRUE(walker.Next(image));
  EXPECT_EQ(image.position, 1000);
  EXPECT_FALSE(walker.Next(image));
  std::vector<std::uint8_t> out;
  EXPECT_FALSE(f.ReadAt(2990, 11, out));
  EXPECT_TRUE(f.ReadAt(2990, 10, out));
}

// Random, cut and forged inputs: every run ends, nothing crashes, and memory stays bounded (the
// sanitizer build runs this too).
TEST(IconWalker, SurvivesMutatedAndTruncatedFiles) {
  testing::TempDir dir;
  LanguageTable lang = testing::RowNumberTable();
  testing::ScriptedPrompter prompter;
  struct CountSink : FoundIconSink {
    std::size_t n = 0;
    void AddFoundIcon(const FoundIconItem& item) override { n += item.icoFile.size() > 0 ? 1 : 0; }
  } sink;

  std::vector<testing::Placed> parts;
  for (int k = 0; k < 6; ++k) parts.push_back({1 + 300 * k, testing::Image(16, 32, 4, 296, k)});
  Bytes forged = testing::InfoHeader(32767, 32766, 32);  // about 4 GB of pixels
  parts.push_back({1900, forged});
  parts.push_back({1960, testing::InfoHeader(256, 512, 8)});  // believable, far past the end
  const Bytes base = testing::Layout(2400, parts);

  std::mt19937 rng(99);
  for (std::size_t cut = 0; cut <= base.size(); cut += 7) {
    testing::WriteBytes(dir.path() / "f.bin", Bytes(base.begin(), base.begin() + static_cast<std::ptrdiff_t>(cut)));
    ScanRequest req;
    req.FolderPath = dir.str();
    req.FileName = "f.bin";
    req.bufferBytes = 4096;
    const ScanResult r = SearchIconInFile(req, ScanServices{lang, prompter, &sink, nullptr});
    EXPECT_LE(r.IcoCount, 6);
  }
  for (int round = 0; round < 60; ++round) {
    Bytes m = base;
    const int flips = 1 + static_cast<int>(rng() % 40);
    for (int i = 0; i < flips; ++i) m[rng() % m.size()] = static_cast<std::uint8_t>(rng());
    testing::WriteBytes(dir.path() / "f.bin", m);
    ScanRequest req;
    req.FolderPath = dir.str();
    req.FileName = "f.bin";
    const ScanResult r = SearchIconInFile(req, ScanServices{lang, prompter, &sink, nullptr});
    EXPECT_EQ(r.status, ScanStatus::Done);

    SaveAllRequest save;
    save.FolderPath = dir.str();
    save.FileName = "f.bin";
    save.IcoBmp = round % 2 ? SaveFormat::Ico : SaveFormat::Bmp;
    ClipboardNaming naming;
    struct NoClock : Clock {
      LocalDateTime Now() const override { return {}; }
    } clock;
    (void)SaveAllIconsToFolder(save, naming, SaveAllServices{lang, prompter, clock, nullptr, nullptr});
  }
  Bytes random(50000);
  for (auto& v : random) v = static_cast<std::uint8_t>(rng());
  testing::WriteBytes(dir.path() / "r.bin", random);
  ScanRequest req;
  req.FolderPath = dir.str();
  req.FileName = "r.bin";
  EXPECT_EQ(SearchIconInFile(req, ScanServices{lang, prompter, &sink, nullptr}).status, ScanStatus::Done);
}

}  // namespace
}  // namespace glimmora
