#include "files/FileOps.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "common/Paths.h"

namespace glimmora {

int PosixFileOps::Create(const std::string& path, mode_t mode) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

bool PosixFileOps::Write(int handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = writeCall_ ? writeCall_(handle, bytes.data(), bytes.size())
                                 : ::write(handle, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      if (n == 0) errno = EIO;  // no progress: retrying would spin forever
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool FileOps::WriteAt(int, off_t, std::string_view) {
  errno = ENOTSUP;
  return false;
}

bool FileOps::SetLength(int, off_t) {
  errno = ENOTSUP;
  return false;
}

int FileOps::CreateUnnamed(const std::string&, mode_t) {
  errno = ENOTSUP;
  return -1;
}

bool FileOps::Link(int, const std::string&) {
  errno = ENOTSUP;
  return false;
}

bool PosixFileOps::WriteAt(int handle, off_t offset, std::string_view bytes) {
  return ::lseek(handle, offset, SEEK_SET) == offset && Write(handle, bytes);
}

bool PosixFileOps::SetLength(int handle, off_t length) { return ::ftruncate(handle, length) == 0; }

bool PosixFileOps::SetMode(int handle, mode_t mode) { return ::fchmod(handle, mode) == 0; }

bool PosixFileOps::Flush(int handle) { return !durable_ || ::fsync(handle) == 0; }

bool PosixFileOps::Close(int handle) { return ::close(handle) == 0; }

int PosixFileOps::CreateUnnamed(const std::string& folder, mode_t mode) {
  return ::open(folder.empty() ? "." : folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
}

bool PosixFileOps::Link(int handle, const std::string& path) {
  // A file without a name is reached through its descriptor's entry in /proc, which needs no
  // privilege (unlike linking the descriptor itself).
  char self[64];
  std::snprintf(self, sizeof self, "/proc/self/fd/%d", handle);
  return ::linkat(AT_FDCWD, self, AT_FDCWD, path.c_str(), AT_SYMLINK_FOLLOW) == 0;
}

bool PosixFileOps::Rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  if (!durable_) return true;
  // Make the new name itself durable; a failure here no longer endangers either version.
  const std::string folder = FolderOfPath(to);
  const UniqueFd dir(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir) ::fsync(dir.Get());
  return true;
}

void PosixFileOps::Remove(const std::string& path) { ::unlink(path.c_str()); }

PosixFileOps& PosixFileOps::Quick() {
  static PosixFileOps ops = [] {
    PosixFileOps quick;
    quick.durable_ = false;
    return quick;
  }();
  return ops;
}

PosixFileOps& DefaultFileOps() {
  static PosixFileOps ops;
  return ops;
}

namespace {

// A name of the folder itself: one component, so that nothing is reached through another folder.
bool PlainName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\0') == std::string_view::npos;
}

}  // namespace

OwnFolder::OwnFolder(const std::string& path) {
  std::string p = path.empty() ? "." : path;
  // A trailing slash would make the open follow a link in the folder's place.
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  fd_.Reset(::open(p.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
  if (!fd_) openError_ = errno;
}

bool OwnFolder::NotReal() const { return openError_ == ELOOP || openError_ == ENOTDIR; }

std::vector<std::string> OwnFolder::Names() const {
  std::vector<std::string> names;
  UniqueFd fd(fd_ ? ::openat(fd_.Get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC) : -1);
  if (!fd) return names;
  DIR* dir = ::fdopendir(fd.Get());
  if (dir == nullptr) return names;
  (void)fd.Release();  // the stream closes it now
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (name != "." && name != "..") names.emplace_back(name);
  }
  ::closedir(dir);
  return names;
}

bool OwnFolder::Remove(std::string_view name, bool links) const {
  if (!fd_) return openError_ == ENOENT;
  if (!PlainName(name)) return false;
  const std::string n(name);
  struct stat st {};
  if (::fstatat(fd_.Get(), n.c_str(), &st, AT_SYMLINK_NOFOLLOW) != 0) return errno == ENOENT;
  if (!S_ISREG(st.st_mode) && !(links && S_ISLNK(st.st_mode))) return false;
  return ::unlinkat(fd_.Get(), n.c_str(), 0) == 0 || errno == ENOENT;
}

bool OwnFolder::RemoveFile(std::string_view name) const { return Remove(name, false); }

bool OwnFolder::RemoveNonFolder(std::string_view name) const { return Remove(name, true); }

bool OwnFolder::CreateFile(std::string_view name, std::string_view bytes) const {
  if (!fd_ || !PlainName(name)) return false;
  const std::string n(name);
  UniqueFd h(::openat(fd_.Get(), n.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644));
  if (!h) return false;
  const bool written = PosixFileOps::Quick().Write(h.Get(), bytes);
  if (h.Close() && written) return true;
  ::unlinkat(fd_.Get(), n.c_str(), 0);
  return false;
}

}  // namespace glimmora
