#pragma once
// Sizes as the source page shows them: kilobytes with one decimal, megabytes past 1024 KB.
// Values stay 64-bit all the way, so files of any size and folders of any total show right.

#include <cstdint>
#include <string>

namespace glimmora {

struct SizeAmount {
  std::string Amount;  // one decimal at most, no leading zero: ".5", "12.1", "1024", "1"
  std::string Unit;    // "KB" or "MB"
};

// bytes / 1024 in KB, or in MB when that is above 1024 KB; the tenths are rounded half to even.
SizeAmount KbAmount(std::uint64_t bytes);

// A file's size column: "512 (.5KB)", "12345 (12.1KB)", "3000000 (2.9MB)".
std::string FileSizeText(std::uint64_t bytes);

// The leading whole number of a text after blanks ("   37" -> 37); 0 when there is none.
long long LeadingNumber(const std::string& text);

}  // namespace glimmora
