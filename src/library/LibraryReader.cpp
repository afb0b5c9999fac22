#include "library/LibraryReader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

#include "files/RegularFile.h"
#include "files/ReplaceFile.h"
#include "library/LibFiles.h"

namespace glimmora {

LibraryReader LibraryReader::Open(const std::string& srcPath) {
  LibraryReader r;
  r.srcPath_ = srcPath;
  // A committed change whose renames did not finish: its new files are the library.
  const std::string commit = SrcCommitPath(srcPath);
  const bool committed = FileExists(commit);
  std::optional<std::string> dat;
  if (committed && FileExists(DatNewPath(srcPath)))
    dat = DatNewPath(srcPath);
  else
    dat = FindDatPath(srcPath);

  // The whole index file, but never more than the largest library can hold.
  const std::size_t maxSrc = kSrcHeadSize + kSrcItemSize * static_cast<std::size_t>(kMaxLibIcons);
  Result<std::string> read = ReadFileStart(committed ? commit : srcPath, maxSrc);
  if (!read && IsMissingFile(read.Error())) {
    r.problem_ = Fail(Fault::LibraryMissing, srcPath);
    return r;
  }
  if (!read) {
    r.problem_ = read.Error();
    return r;
  }
  r.src_ = std::move(read).Value();
  if (r.src_.size() < kSrcHeadSize) {
    r.problem_ = Fail(Fault::LibraryShorterThanHeader, srcPath);
    return r;
  }
  r.head_ = DecodeSrcHead(r.src_);
  if (r.head_.IconCount < 0 || r.head_.IconCount > kMaxLibIcons) {
    r.problem_ = Fail(Fault::LibraryImpossibleCount, srcPath);
    return r;
  }
  const auto whole = static_cast<int>((r.src_.size() - kSrcHeadSize) / kSrcItemSize);
  r.entries_ = std::min(whole, static_cast<int>(r.head_.IconCount));
  if (dat) {
    struct stat sb {};
    if (Result<UniqueFd> opened = OpenRegularFile(*dat, O_RDONLY, &sb)) {
      r.datFd_ = std::move(opened).Value();
      r.datSize_ = sb.st_size;
      r.datPath_ = *dat;
    }
  }
  r.problem_.reset();
  return r;
}

std::optional<std::string> LibraryReader::RawItem(int entry) const {
  if (!Ok() || entry < 1 || entry > entries_) return std::nullopt;
  return src_.substr(static_cast<std::size_t>(EntryPos(entry) - 1), kSrcItemSize);
}

namespace {

// The byte behind the body of entry `entry`; 0 for an entry that names no body.
std::int64_t BodyEnd(const std::string& src, int entry) {
  const auto at = static_cast<std::size_t>(EntryPos(entry) - 1);
  const BodyRange r = DecodeBodyRange(std::string_view(src).substr(at, kSrcItemSize), EntryPos(entry));
  if (r.DataPos < 1 || r.DataSize < 0) return 0;
  return std::int64_t{r.DataPos} - 1 + r.DataSize;
}

}  // namespace

std::int64_t LibraryReader::DataReach() const {
  std::int64_t reach = 0;
  for (int i = 1; i <= entries_; ++i) reach = std::max(reach, BodyEnd(src_, i));
  return reach;
}

int LibraryReader::FirstEntryPastDat() const {
  for (int i = 1; i <= entries_; ++i)
    if (BodyEnd(src_, i) > datSize_) return i;
  return 0;
}

std::optional<LibSrcItem> LibraryReader::Item(int entry) const {
  const auto raw = RawItem(entry);
  if (!raw) return std::nullopt;
  return DecodeSrcItem(*raw, EntryPos(entry));
}

std::optional<std::vector<std::uint8_t>> LibraryReader::Body(const LibSrcItem& item) const {
  if (!datFd_ || item.DataPos < 1 || item.DataSize < 0 || item.DataSize > kMaxLibBodyBytes) return std::nullopt;
  const std::int64_t start = static_cast<std::int64_t>(item.DataPos) - 1;
  if (start + item.DataSize > datSize_) return std::nullopt;
  std::vector<std::uint8_t> body(static_cast<std::size_t>(item.DataSize));
  std::size_t done = 0;
  while (done < body.size()) {
    const ssize_t n = ::pread(datFd_.Get(), body.data() + done, body.size() - done, static_cast<off_t>(start + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    done += static_cast<std::size_t>(n);
  }
  return body;
}

std::optional<std::vector<std::uint8_t>> LibraryReader::IcoBytes(int entry) const {
  const auto item = Item(entry);
  if (!item) return std::nullopt;
  const auto body = Body(*item);
  if (!body) return std::nullopt;
  return LibraryIcoBytes(*item, *body);
}

std::uint64_t EntryStamp(const LibSrcItem& item) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(item.DataPos)) << 32) |
         static_cast<std::uint32_t>(item.DataSize);
}

}  // namespace glimmora
