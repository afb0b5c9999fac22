#pragma once
// Reading a library without changing anything on disk: the index file is read whole (at most
// 256 + 180 x 32767 bytes), icon bodies are read one by one from the data file as they are asked
// for. A change that was committed but not yet finished (see LibraryWriter.h) is read as the new
// library, so a reader always sees exactly the old or the new set of icons.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/Result.h"
#include "files/UniqueFd.h"
#include "library/LibFormat.h"

namespace glimmora {

// The largest body an entry can have: a 255 x 255 icon of 32 bits with its mask.
constexpr std::int32_t kMaxLibBodyBytes = 255 * 255 * 4 + 32 * 255 + 1024;

class LibraryReader {
 public:
  LibraryReader() = default;
  LibraryReader(LibraryReader&& other) noexcept = default;
  LibraryReader& operator=(LibraryReader&& other) noexcept = default;

  // Opens the library whose index file is `srcPath`.
  static LibraryReader Open(const std::string& srcPath);

  // Not Ok: the index file is missing (Fault::LibraryMissing), cannot be read, is shorter than its
  // header, or its count is not 0..32767. Problem() says which.
  bool Ok() const { return !problem_.has_value(); }
  const Failure& Problem() const { return *problem_; }
  const std::string& SrcPath() const { return srcPath_; }

  const LibSrcHead& Head() const { return head_; }
  // The entries the index file really holds (fewer than the header's count when it was cut off).
  int IconCount() const { return entries_; }
  bool Truncated() const { return entries_ < head_.IconCount; }

  bool HasDat() const { return datFd_.Valid(); }
  std::int64_t DatSize() const { return datSize_; }
  const std::string& DatPath() const { return datPath_; }  // the data file read (empty: none)

  // Entry `entry` (1..IconCount()); nothing outside that range.
  std::optional<LibSrcItem> Item(int entry) const;
  // The raw 180 bytes of an entry as stored.
  std::optional<std::string> RawItem(int entry) const;

  // How far into the data file the entries' bodies reach (0 for none).
  std::int64_t DataReach() const;
  // The first entry whose body reaches past the data file's end (0 when none does): the file
  // lost its tail, and bytes written there would be read as part of that entry.
  int FirstEntryPastDat() const;

  // The body of an entry; nothing when the entry points outside the data file or the data file
  // cannot be read.
  std::optional<std::vector<std::uint8_t>> Body(const LibSrcItem& item) const;
  // The entry as a whole single-image icon file.
  std::optional<std::vector<std::uint8_t>> IcoBytes(int entry) const;

  // The index file as read (header and entries).
  const std::string& SrcBytes() const { return src_; }

 private:
  std::string srcPath_;
  std::optional<Failure> problem_ = Fail(Fault::LibraryMissing, "");
  std::string src_;
  LibSrcHead head_;
  int entries_ = 0;
  UniqueFd datFd_;
  std::int64_t datSize_ = 0;
  std::string datPath_;
};

// An entry's identity beyond its number: its stored position and size in the data file. Pane
// items keep it, and writes check it, so that an entry renumbered since the pane was filled is
// never taken for another icon.
std::uint64_t EntryStamp(const LibSrcItem& item);

}  // namespace glimmora
