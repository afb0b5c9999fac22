#include "files/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace glimmora {

Result<UniqueFd> OpenRegularFile(const std::string& path, int flags, struct stat* info) {
  // O_NONBLOCK lets the open of a pipe return at once so that it can be refused; O_NOCTTY keeps a
  // terminal from becoming ours.
  UniqueFd fd(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (!fd) return Fail(Fault::CannotOpen, path, errno);
  struct stat st {};
  if (::fstat(fd.Get(), &st) != 0) return Fail(Fault::CannotOpen, path, errno);
  if (S_ISDIR(st.st_mode)) return Fail(Fault::CannotOpen, path, EISDIR);
  if (!S_ISREG(st.st_mode)) return Fail(Fault::CannotOpen, path, EINVAL);
  // F_SETFL takes the status flags only.
  if ((flags & O_NONBLOCK) == 0 && ::fcntl(fd.Get(), F_SETFL, flags) != 0) return Fail(Fault::CannotOpen, path, errno);
  if (info != nullptr) *info = st;
  return fd;
}

}  // namespace glimmora
