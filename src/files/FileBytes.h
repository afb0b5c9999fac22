#pragma once
// Whole-file reads and writes (ReplaceFile.h) for the byte buffers the icon writers
// handle.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "files/FileOps.h"

namespace glimmora {

// The bytes of `path`; nullopt when it cannot be opened or read, is no regular file, or holds
// more than `maxBytes`. Never creates the file.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxBytes);

// Creates or replaces `path` with `bytes` as WriteOrReplaceFile does, without waiting for the
// disk: for the icon, bitmap and note files the savers write, which can be made again. False when
// any step fails; an old file is then left as it was and `errorNumber`, when given, holds the
// system's reason (an errno value). `ops`, when given, stands in for the file system.
bool ReplaceFileBytes(const std::string& path, std::span<const std::uint8_t> bytes, int* errorNumber = nullptr,
                      FileOps* ops = nullptr);

}  // namespace glimmora
