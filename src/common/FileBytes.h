#pragma once
// Whole-file reads and writes for the small files the icon writers handle.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace glimmora {

// The bytes of `path`; nullopt when it cannot be opened or read, or holds more than `maxBytes`.
// Never creates the file.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& path, std::size_t maxBytes);

// Replaces (or creates) `path` with `bytes`: written beside it, flushed and renamed over it, so the
// file is never seen half written. False when any step fails; the old file is then left as it was.
bool ReplaceFileBytes(const std::string& path, std::span<const std::uint8_t> bytes);

}  // namespace glimmora
