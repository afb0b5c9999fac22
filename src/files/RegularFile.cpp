#include "files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace glimmora {

int OpenRegularFile(const std::string& path, int flags, struct stat* info) {
  // O_NONBLOCK lets the open of a pipe return at once so that it can be refused; O_NOCTTY keeps a
  // terminal from becoming ours.
  const int fd = ::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat st {};
  int err = 0;
  if (::fstat(fd, &st) != 0)
    err = errno;
  else if (S_ISDIR(st.st_mode))
    err = EISDIR;
  else if (!S_ISREG(st.st_mode))
    err = EINVAL;
  else if ((flags & O_NONBLOCK) == 0 && ::fcntl(fd, F_SETFL, flags) != 0)  // it takes the status flags only
    err = errno;
  if (err != 0) {
    ::close(fd);
    errno = err;
    return -1;
  }
  if (info != nullptr) *info = st;
  return fd;
}

std::string OpenFailureText(int err) { return err == EINVAL ? "not a regular file" : std::strerror(err); }

}  // namespace glimmora
