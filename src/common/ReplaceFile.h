#pragma once
// Reading a small file whole, and replacing a file atomically: the new contents go to a file beside
// it, are flushed to the disk, and renamed over the old one, so that after a crash at any point the
// file is either the old one or the new one. Files that can be made again (saved icons) are
// written under their own name when it is free.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/FileOps.h"

namespace glimmora {

enum class ReadStatus { Ok, Missing, Failed };

// Reads at most `maxBytes` from the start of `path` into `bytes`. Missing: the file does not
// exist (nothing is created). Failed: it exists but cannot be read, or is no regular file (a pipe
// or a device would never end); `error` says why.
ReadStatus ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes,
                         std::string* error = nullptr);

// Replaces `path` with `bytes` atomically (a symbolic link is followed, the mode of an existing
// file kept). Returns "" on success, else a description; on failure the old file is untouched
// and no temporary file is left behind.
std::string ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                  const WriteCall& writeCall = {});

// The same, each step going through `ops`; `errorNumber`, when given, gets the errno of the step
// that failed (0 on success).
std::string ReplaceFileAtomically(FileOps& ops, const std::string& path, std::string_view bytes,
                                  int* errorNumber = nullptr);

// Writes `bytes` as `path`, for files that can be made again from their source (saved icons and
// bitmaps, their notes, work copies): a name that is free is created exclusively and written
// under itself, so a save killed midway leaves at most that one partial file, which the next save
// of the name replaces; an existing file is replaced atomically as above, its new contents written
// into a file without a name where the file system has them (a kill then leaves nothing) and
// renamed from a hidden name in its folder never longer than its own. On failure the file this call
// created is removed and an existing one is left as it was. Nothing waits for the disk unless
// `ops` does. Returns "" or a description; `errorNumber` as above.
std::string WriteOrReplaceFile(FileOps& ops, const std::string& path, std::string_view bytes,
                               int* errorNumber = nullptr);

// Removes the new files a replacement of `path` that never finished (the program was killed
// between writing and renaming) left beside it. Returns how many were removed.
int RemoveUnfinishedReplacements(const std::string& path);

// Replaces the start of `path` atomically: the new file is `head` followed by whatever the old
// file holds past the end of `head`. That tail is copied a piece at a time and its holes stay
// holes, so a file of any size costs neither memory nor disk space.
std::string ReplaceFileHead(const std::string& path, std::string_view head, const WriteCall& writeCall = {});

}  // namespace glimmora
