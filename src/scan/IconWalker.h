#pragma once
// Walks a file for icon images: finds the 4-byte search pattern, tests the header behind it, sizes
// the image and hands every accepted image to its caller, who then lets the walk go on.
//
// The positions and steps are those of a walk through the file in 740-byte chunks that overlap by 3
// bytes (a miss moves on 737 bytes, so a pattern is never cut in two); a rejected candidate moves
// on 6 or 14 bytes; after an accepted image the walk goes on 5 bytes before the image's end; it
// stops once the position reaches the last 150 bytes of the file. The file is read with pread into
// one large buffer, so the results do not depend on the buffer size, and a file of any length is
// walked in constant memory.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "common/Result.h"
#include "files/UniqueFd.h"
#include "icons/IconHeaderCheck.h"
#include "scan/IconTypeTally.h"

namespace glimmora {

using SearchPattern = std::array<std::uint8_t, 4>;

// The pattern every icon image starts with: biSize = 40, little-endian.
constexpr SearchPattern kDefaultSearchPattern{0x28, 0x00, 0x00, 0x00};

// Reads the search pattern from bytes 22 to 25 of `iconHeadPath`. A missing or short file gives
// the default pattern; nothing is ever created.
SearchPattern ReadSearchPattern(const std::string& iconHeadPath);

// An image larger than this is no icon, whatever its header claims; it is not taken.
constexpr std::int64_t kMaxIconImageBytes = 16 * 1024 * 1024;

// A read-only open file for scanning. Only regular files are accepted, so a FIFO or a device can
// never block or run forever.
class ScanFile {
 public:
  // Opens `path`; fails when it is missing, not a regular file or unreadable.
  [[nodiscard]] Result<void> Open(const std::string& path);
  bool IsOpen() const { return fd_.Valid(); }
  std::int64_t Length() const { return length_; }
  int Fd() const { return fd_.Get(); }

  // Reads `count` bytes at the 0-based `offset` into `out` (resized); false when the file cannot
  // give all of them.
  bool ReadAt(std::int64_t offset, std::int64_t count, std::vector<std::uint8_t>& out) const;

 private:
  UniqueFd fd_;
  std::int64_t length_ = 0;
};

// What the walk asks about an image of a non-standard size: true takes it.
using NonStandardDecision = std::function<bool(const CandidateHeader&)>;

struct AcceptedImage {
  std::int64_t position = 0;   // 1-based file position of the image's BITMAPINFOHEADER
  std::int64_t imageSize = 0;  // bytes from the header to the end of the mask
  CandidateHeader header;
};

class IconWalker {
 public:
  static constexpr std::int64_t kDefaultBufferBytes = 4 * 1024 * 1024;

  // `startPosition` is 1-based; 0 or less starts at 1. `bufferBytes` is clamped to at least 4 KiB,
  // and to the file's length.
  IconWalker(const ScanFile& file, const SearchPattern& pattern, std::int64_t startPosition,
             NonStandardDecision decideNonStandard,
             std::int64_t bufferBytes = kDefaultBufferBytes);

  // Finds the next accepted image and tallies it; false at the end of the walk. After a true
  // result the walk goes on only after Next() is called again, from 5 bytes before the image end.
  bool Next(AcceptedImage& image);

  // The bytes of `image` (its header to the end of its mask): from the walk's buffer when that
  // holds them all, so that saving every icon of a file reads each only once; else from the file.
  bool ImageBytes(const AcceptedImage& image, std::vector<std::uint8_t>& out) const;

  // The current 1-based walk position (for progress).
  std::int64_t Position() const { return pos_; }

  // Called with the walk position each time a new stretch of the file is read.
  void SetProgressHook(std::function<void(std::int64_t)> hook) { progress_ = std::move(hook); }

  // Tally of every accepted image so far.
  const IcoTypeTally& Tally() const { return tally_; }

  // True when a read failed in the middle of the file (the walk then ended early).
  bool ReadFailed() const { return readFailed_; }

 private:
  bool Fill(std::int64_t offset);
  // First 0-based offset >= `from` where the whole pattern lies in the file, or -1.
  std::int64_t FindPattern(std::int64_t from);
  void CopyHeader(std::int64_t offset, std::uint8_t* out);

  const ScanFile& file_;
  SearchPattern pattern_;
  NonStandardDecision decide_;
  std::int64_t bufferBytes_;
  std::unique_ptr<std::uint8_t[]> buffer_;
  std::int64_t bufStart_ = 0;  // 0-based file offset of buffer_[0]
  std::int64_t bufLen_ = 0;
  std::int64_t pos_ = 1;       // 1-based walk position
  std::int64_t pendingNext_ = -1;
  IcoTypeTally tally_;
  std::function<void(std::int64_t)> progress_;
  bool readFailed_ = false;
};

}  // namespace glimmora
