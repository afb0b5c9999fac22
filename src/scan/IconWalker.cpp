#include "scan/IconWalker.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "icons/IcoFile.h"
#include "files/RegularFile.h"

namespace glimmora {
namespace {

constexpr std::int64_t kChunkSearchSpan = 737;  // pattern starts one 740-byte chunk can hold
constexpr std::int64_t kTailBytes = 150;        // the walk stops this close to the end

// Reads up to `count` bytes at `offset`, retrying short reads; the bytes read, or -1 on error.
std::int64_t ReadFully(int fd, std::int64_t offset, std::uint8_t* out, std::int64_t count) {
  std::int64_t done = 0;
  while (done < count) {
    const ssize_t n = ::pread(fd, out + done, static_cast<std::size_t>(count - done), offset + done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    if (n == 0) break;
    done += n;
  }
  return done;
}

}  // namespace

SearchPattern ReadSearchPattern(const std::string& iconHeadPath) {
  SearchPattern pattern = kDefaultSearchPattern;
  Result<UniqueFd> fd = OpenRegularFile(iconHeadPath, O_RDONLY);
  if (!fd) return pattern;
  std::uint8_t bytes[4];
  if (ReadFully(fd->Get(), 22, bytes, 4) == 4) {
    std::copy(bytes, bytes + 4, pattern.begin());
  }
  return pattern;
}

Result<void> ScanFile::Open(const std::string& path) {
  fd_.Reset();
  length_ = 0;
  struct stat st {};
  Result<UniqueFd> fd = OpenRegularFile(path, O_RDONLY | O_NONBLOCK, &st);
  if (!fd) return fd.Error();
  // Read-ahead matters only for a file the walk reads in many pieces.
  if (st.st_size > IconWalker::kDefaultBufferBytes) ::posix_fadvise(fd->Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
  fd_ = std::move(fd).Value();
  length_ = st.st_size;
  return {};
}

bool ScanFile::ReadAt(std::int64_t offset, std::int64_t count, std::vector<std::uint8_t>& out) const {
  out.clear();
  if (!fd_ || offset < 0 || count < 0 || offset + count > length_) return false;
  out.resize(static_cast<std::size_t>(count));
  return ReadFully(fd_.Get(), offset, out.data(), count) == count;
}

IconWalker::IconWalker(const ScanFile& file, const SearchPattern& pattern, std::int64_t startPosition,
                       NonStandardDecision decideNonStandard, std::int64_t bufferBytes)
    : file_(file),
      pattern_(pattern),
      decide_(std::move(decideNonStandard)),
      // A small file is read whole into a buffer of its size; a large one a few MiB at a time.
      bufferBytes_(std::min(std::max<std::int64_t>(bufferBytes, 4096), std::max<std::int64_t>(file.Length(), 4))),
      pos_(startPosition > 0 ? startPosition : 1) {}

bool IconWalker::Fill(std::int64_t offset) {
  const std::int64_t want = std::min(bufferBytes_, file_.Length() - offset);
  bufStart_ = offset;
  bufLen_ = 0;
  if (want <= 0) return false;
  // Made at the first read, and not cleared: every byte used is read first.
  if (!buffer_) buffer_.reset(new std::uint8_t[static_cast<std::size_t>(bufferBytes_)]);
  const std::int64_t got = ReadFully(file_.Fd(), offset, buffer_.get(), want);
  if (got < 0) {
    readFailed_ = true;
    return false;
  }
  bufLen_ = got;
  if (progress_) progress_(offset + 1);
  return got > 0;
}

std::int64_t IconWalker::FindPattern(std::int64_t from) {
  const std::int64_t length = file_.Length();
  while (from + 4 <= length) {
    if (from < bufStart_ || from + 4 > bufStart_ + bufLen_) {
      if (!Fill(from) || bufLen_ < 4) return -1;  // a read error or a file cut short meanwhile
    }
    const std::uint8_t* base = buffer_.get();
    std::int64_t i = from - bufStart_;
    std::int64_t next = bufStart_ + bufLen_;  // where to go on when this buffer holds no hit
    while (i < bufLen_) {
      const void* hit = std::memchr(base + i, pattern_[0], static_cast<std::size_t>(bufLen_ - i));
      if (hit == nullptr) break;
      const std::int64_t h = static_cast<const std::uint8_t*>(hit) - base;
      if (h + 4 > bufLen_) {  // the pattern would run over the buffer's end: read on from here
        next = bufStart_ + h;
        break;
      }
      if (base[h + 1] == pattern_[1] && base[h + 2] == pattern_[2] && base[h + 3] == pattern_[3]) {
        return bufStart_ + h;
      }
      i = h + 1;
    }
    if (next == from) return -1;  // no progress possible (cannot happen with a buffer >= 4 bytes)
    from = next;
  }
  return -1;
}

void IconWalker::CopyHeader(std::int64_t offset, std::uint8_t* out) {
  // Bytes past the end of the file read as zeros, as the header of a short read would.
  std::fill(out, out + kInfoHeaderBytes, 0);
  const std::int64_t avail = std::min<std::int64_t>(kInfoHeaderBytes, file_.Length() - offset);
  if (avail <= 0) return;
  if (offset < bufStart_ || offset + avail > bufStart_ + bufLen_) {
    if (!Fill(offset)) return;
  }
  const std::int64_t have = std::min(avail, bufStart_ + bufLen_ - offset);
  if (have > 0) std::memcpy(out, buffer_.get() + (offset - bufStart_), static_cast<std::size_t>(have));
}

bool IconWalker::ImageBytes(const AcceptedImage& image, std::vector<std::uint8_t>& out) const {
  const std::int64_t offset = image.position - 1;
  if (offset < bufStart_ || image.imageSize < 0 || offset + image.imageSize > bufStart_ + bufLen_)
    return file_.ReadAt(offset, image.imageSize, out);
  const auto* from = buffer_.get() + (offset - bufStart_);
  out.assign(from, from + image.imageSize);
  return true;
}

bool IconWalker::Next(AcceptedImage& image) {
  if (pendingNext_ >= 0) {
    pos_ = pendingNext_;
    pendingNext_ = -1;
  }
  const std::int64_t length = file_.Length();
  if (!file_.IsOpen()) return false;
  for (;;) {
    if (pos_ >= length - kTailBytes) return false;
    const std::int64_t found = FindPattern(pos_ - 1);
    if (found < 0) return false;
    const std::int64_t q = found + 1;
    if (q > pos_ + kChunkSearchSpan - 1) {
      // The 740-byte chunks that missed: the walk reaches q only if the chunk holding it still
      // starts before the file's last 150 bytes.
      const std::int64_t misses = (q - pos_ - (kChunkSearchSpan - 1) + kChunkSearchSpan - 1) / kChunkSearchSpan;
      pos_ += misses * kChunkSearchSpan;
      if (pos_ >= length - kTailBytes) return false;
    }
    pos_ = q;

    std::uint8_t header[kInfoHeaderBytes];
    CopyHeader(found, header);
    CandidateHeader candidate;
    const HeaderVerdict verdict = CheckIconHeader(header, &candidate);
    if (verdict == HeaderVerdict::Step6) {
      pos_ += 6;
      continue;
    }
    if (verdict == HeaderVerdict::Step14) {
      pos_ += 14;
      continue;
    }
    const std::optional<DibRowSizes> sizes =
        IconRowSizes(candidate.width, candidate.doubledHeight, candidate.bitCount, candidate.clrUsed);
    // An image that would run past the end of the file, or that no icon could be, is not taken;
    // this is settled before anybody is asked about its size.
    if (!sizes || sizes->imageSize > kMaxIconImageBytes || found + sizes->imageSize > length) {
      pos_ += 14;
      continue;
    }
    if (verdict == HeaderVerdict::NonStandard && decide_ && !decide_(candidate)) {
      pos_ += 14;
      continue;
    }
    TallyImage(tally_, candidate.width, candidate.Height(), candidate.bitCount);
    image.position = q;
    image.imageSize = sizes->imageSize;
    image.header = candidate;
    pendingNext_ = q + sizes->imageSize - 5;
    return true;
  }
}

}  // namespace glimmora
