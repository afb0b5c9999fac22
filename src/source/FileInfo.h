#pragma once
// A file's find record (size and last-write time) and its display texts.

#include <cstdint>
#include <ctime>
#include <string>

namespace glimmora {

struct FileFindData {
  bool Found = false;              // the file exists (a missing file leaves every field zero)
  bool IsFolder = false;
  std::uint64_t Size = 0;          // bytes, 64-bit: files past 4 GB keep their size
  std::int64_t LastWriteTime = 0;  // seconds since 1970-01-01 UTC
};

// stat() of `fileName` (a symbolic link is followed).
FileFindData GetFileFindData(const std::string& fileName);

// "2000-6-6  9:5:0": year-month-day, two blanks, hour:minute:second, no leading zeros, in the
// local time zone.
std::string FormatFileDate(std::int64_t unixSeconds);

// The date text of a file that was not found.
inline constexpr const char* kNoFileDate = "1601-1-1  0:0:0";

struct FileDateText {
  std::uint64_t Size = 0;
  std::string SizeText;  // the size as decimal text, no blank
  std::string DateText;  // last-write time, FormatFileDate
  std::string DateCopy;  // the same text (callers keep one for sorting)
};

// Size and last-write date of a file as numbers and text; a missing file gives size 0, "0" and
// kNoFileDate.
FileDateText GetFileDateText(const std::string& fileName);

}  // namespace glimmora
