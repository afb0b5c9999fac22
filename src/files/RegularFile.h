#pragma once
// Opening files that the program reads or writes. Only regular files are opened: a pipe would
// block the open (and the whole window) until some other process writes to it, and a device or
// socket is nothing the program's data could be in.

#include <sys/stat.h>

#include <string>

#include "common/Result.h"
#include "files/UniqueFd.h"

namespace glimmora {

// open(2) of `path` with `flags` (O_RDONLY, O_WRONLY, O_RDWR, O_APPEND; O_CLOEXEC is added) that
// never waits on a pipe and refuses anything but a regular file: Fault::CannotOpen with EISDIR for
// a folder, EINVAL for any other kind. The handle comes back in blocking mode unless `flags` holds
// O_NONBLOCK (reads of a regular file never wait either way; it saves a call where many small
// files are read). `info`, when given, gets the file's status.
[[nodiscard]] Result<UniqueFd> OpenRegularFile(const std::string& path, int flags, struct stat* info = nullptr);

}  // namespace glimmora
