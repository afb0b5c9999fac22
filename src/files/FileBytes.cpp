#include "files/FileBytes.h"

#include "files/ReplaceFile.h"

namespace glimmora {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  std::string bytes;
  // One byte past the limit tells a file that is too large from one that just fits.
  const std::size_t limit = maxBytes < bytes.max_size() ? maxBytes + 1 : maxBytes;
  if (ReadFileStart(path, limit, bytes) != ReadStatus::Ok || bytes.size() > maxBytes) return std::nullopt;
  return std::vector<std::uint8_t>(bytes.begin(), bytes.end());
}

bool ReplaceFileBytes(const std::string& path, std::span<const std::uint8_t> bytes, int* errorNumber,
                      FileOps* ops) {
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // Icon and bitmap files written here are copies the user can make again from their source.
  return WriteOrReplaceFile(ops != nullptr ? *ops : PosixFileOps::Quick(), path, view, errorNumber).empty();
}

}  // namespace glimmora
