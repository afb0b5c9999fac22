#pragma once
// Whole-file reads and writes (ReplaceFile.h) for the byte buffers the icon writers
// handle.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"
#include "files/FileOps.h"

namespace glimmora {

// The bytes of `path`; a failure when it cannot be opened or read, is no regular file, or holds
// more than `maxBytes` (EFBIG). Never creates the file.
[[nodiscard]] Result<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxBytes);

// Creates or replaces `path` with `bytes` as WriteOrReplaceFile does, without waiting for the
// disk: for the icon, bitmap and note files the savers write, which can be made again. When a step
// fails an old file is left as it was. `ops`, when given, stands in for the file system.
[[nodiscard]] Result<void> ReplaceFileBytes(const std::string& path, std::span<const std::uint8_t> bytes,
                                            FileOps* ops = nullptr);

}  // namespace glimmora
