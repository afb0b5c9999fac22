#include "library/LibraryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <thread>
#include <utility>

#include "library/LibFiles.h"

namespace glimmora {
namespace {

// Whether the open file `fd` is still the file named `path`.
bool StillNamed(int fd, const std::string& path) {
  struct stat held {}, named {};
  return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
         held.st_ino == named.st_ino;
}

}  // namespace

LibraryLock::LibraryLock(LibraryLock&& other) noexcept { *this = std::move(other); }

LibraryLock& LibraryLock::operator=(LibraryLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    path_ = std::move(other.path_);
    problem_ = std::move(other.problem_);
  }
  return *this;
}

LibraryLock::~LibraryLock() { Release(); }

void LibraryLock::Release() {
  if (fd_ < 0) return;
  // Removed while still held, and only when the name is still this file's.
  if (StillNamed(fd_, path_)) ::unlink(path_.c_str());
  ::close(fd_);
  fd_ = -1;
}

LibraryLock LibraryLock::TryAcquire(const std::string& srcPath) { return Acquire(srcPath, std::chrono::milliseconds(0)); }

LibraryLock LibraryLock::Acquire(const std::string& srcPath, std::chrono::milliseconds wait) {
  LibraryLock lock;
  lock.path_ = SrcLockPath(srcPath);
  const auto deadline = std::chrono::steady_clock::now() + wait;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    // Never through a link, and never blocking on whatever else may stand under the name.
    const int fd = ::open(lock.path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644);
    if (fd < 0) {
      lock.problem_ = "Cannot lock the library " + srcPath + ": " + std::strerror(errno);
      return lock;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
      ::close(fd);
      lock.problem_ = "Cannot lock the library " + srcPath + ": " + lock.path_ + " is not a regular file.";
      return lock;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      if (StillNamed(fd, lock.path_)) {
        lock.fd_ = fd;
        return lock;
      }
      ::close(fd);  // its holder removed it meanwhile: lock the file under the name now
      continue;
    }
    const int err = errno;
    ::close(fd);
    if (err != EWOULDBLOCK && err != EINTR) {
      lock.problem_ = "Cannot lock the library " + srcPath + ": " + std::strerror(err);
      return lock;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      lock.problem_ = "The library " + srcPath + " is being changed by another window of the program; try again.";
      return lock;
    }
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}

}  // namespace glimmora
