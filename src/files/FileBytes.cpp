#include "files/FileBytes.h"

#include <cerrno>

#include "files/ReplaceFile.h"

namespace glimmora {

Result<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxBytes) {
  // One byte past the limit tells a file that is too large from one that just fits.
  const std::size_t limit = maxBytes < std::string().max_size() ? maxBytes + 1 : maxBytes;
  Result<std::string> bytes = ReadFileStart(path, limit);
  if (!bytes) return bytes.Error();
  if (bytes->size() > maxBytes) return Fail(Fault::CannotRead, path, EFBIG);
  return std::vector<std::uint8_t>(bytes->begin(), bytes->end());
}

Result<void> ReplaceFileBytes(const std::string& path, std::span<const std::uint8_t> bytes, FileOps* ops) {
  const std::string_view view(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  // Icon and bitmap files written here are copies the user can make again from their source.
  return WriteOrReplaceFile(ops != nullptr ? *ops : PosixFileOps::Quick(), path, view);
}

}  // namespace glimmora
