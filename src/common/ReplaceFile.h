#pragma once
// Reading a whole small file, and replacing a file atomically: the new contents go to a file beside
// it, are flushed to the disk, and renamed over the old one, so that after a crash at any point the
// file is either the old one or the new one.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace glimmora {

// The write(2) call used for the new file; tests pass one that fails after a number of calls.
using WriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

enum class ReadStatus { Ok, Missing, Failed };

// Reads the whole file into `bytes`. Missing: the file does not exist (nothing is created).
// Failed: it exists but cannot be read; `error` says why.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::string* error = nullptr);

// Replaces `path` with `bytes` atomically (a symbolic link is followed, the mode of an existing
// file kept). Returns "" on success, else a description; on failure the old file is untouched
// and no temporary file is left behind.
std::string ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                  const WriteCall& writeCall = {});

}  // namespace glimmora
