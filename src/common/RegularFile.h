#pragma once
// Opening files that the program reads or writes. Only regular files are opened: a pipe would
// block the open (and the whole window) until some other process writes to it, and a device or
// socket is nothing the program's data could be in.

#include <string>

namespace glimmora {

// open(2) of `path` with `flags` (O_RDONLY, O_WRONLY, O_RDWR, O_APPEND; O_CLOEXEC is added) that
// never waits on a pipe and refuses anything but a regular file: -1 with errno EISDIR for a
// folder, EINVAL for any other kind. The handle comes back in blocking mode.
int OpenRegularFile(const std::string& path, int flags);

// Why OpenRegularFile failed with errno `err`, in English: "not a regular file" for a pipe,
// device or socket, else the system's words ("Is a directory", "Permission denied", ...).
std::string OpenFailureText(int err);

}  // namespace glimmora
