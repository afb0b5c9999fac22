#pragma once
// Reading a small file whole, and replacing a file atomically: the new contents go to a file beside
// it, are flushed to the disk, and renamed over the old one, so that after a crash at any point the
// file is either the old one or the new one. Files that can be made again (saved icons) are
// written under their own name when it is free.

#include <cstddef>
#include <string>
#include <string_view>

#include "common/Result.h"
#include "files/FileOps.h"

namespace glimmora {

// At most `maxBytes` from the start of `path`. It fails when the file does not exist (nothing is
// created; IsMissingFile tells), cannot be read, or is no regular file (a pipe or a device would
// never end).
[[nodiscard]] Result<std::string> ReadFileStart(const std::string& path, std::size_t maxBytes);

// The failure of ReadFileStart for a file that is not there.
bool IsMissingFile(const Failure& failure);

// Replaces `path` with `bytes` atomically (a symbolic link is followed, the mode of an existing
// file kept). On failure the old file is untouched and no temporary file is left behind.
[[nodiscard]] Result<void> ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                                 const WriteCall& writeCall = {});

// The same, each step going through `ops`.
[[nodiscard]] Result<void> ReplaceFileAtomically(FileOps& ops, const std::string& path, std::string_view bytes);

// Writes `bytes` as `path`, for files that can be made again from their source (saved icons and
// bitmaps, their notes, work copies), among the user's files: the contents go into a file without
// a name where the file system has them, which gets the name once whole (a kill leaves nothing),
// or over an existing file by a rename from a hidden name in its folder never longer than its own
// (elsewhere the new file is written under that hidden name in both cases). A symbolic link of that
// name is replaced itself: its target is never written. On failure nothing this call wrote is left
// and an existing file stays as it was. Nothing waits for the disk unless `ops` does.
[[nodiscard]] Result<void> WriteOrReplaceFile(FileOps& ops, const std::string& path, std::string_view bytes);

// Removes the new files a replacement of `path` that never finished (the program was killed
// between writing and renaming) left beside it. Returns how many were removed.
int RemoveUnfinishedReplacements(const std::string& path);

// Removes from `folder` the hidden files a save killed between naming and renaming a replacement
// left beside the file it was to replace (see WriteOrReplaceFile). Returns how many were removed.
int RemoveUnfinishedSaves(const std::string& folder);

// Replaces the start of `path` atomically: the new file is `head` followed by whatever the old
// file holds past the end of `head`. That tail is copied a piece at a time and its holes stay
// holes, so a file of any size costs neither memory nor disk space.
[[nodiscard]] Result<void> ReplaceFileHead(const std::string& path, std::string_view head,
                                           const WriteCall& writeCall = {});

}  // namespace glimmora
