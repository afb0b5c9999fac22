#include "files/Folders.h"

#include <sys/stat.h>

#include <cerrno>

namespace glimmora {

bool PathExists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

bool IsFolderPath(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolder(const std::string& path, bool& exists, int* errorNumber) {
  if (::mkdir(path.c_str(), 0777) == 0) {
    exists = true;
    return true;
  }
  const int err = errno;
  exists = err == EEXIST && IsFolderPath(path);
  if (errorNumber) *errorNumber = exists ? 0 : (err == EEXIST ? ENOTDIR : err);
  return false;
}

}  // namespace glimmora
