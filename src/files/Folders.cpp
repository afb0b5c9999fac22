#include "files/Folders.h"

#include <sys/stat.h>

#include <cerrno>

namespace glimmora {

bool IsFolderPath(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

Result<bool> MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) == 0) return true;
  const int err = errno;
  if (err == EEXIST && IsFolderPath(path)) return false;
  return Fail(Fault::CannotCreate, path, err == EEXIST ? ENOTDIR : err);
}

}  // namespace glimmora
