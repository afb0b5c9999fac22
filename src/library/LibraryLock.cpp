#include "library/LibraryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
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
    fd_ = std::move(other.fd_);
    path_ = std::move(other.path_);
    problem_ = std::move(other.problem_);
  }
  return *this;
}

LibraryLock::~LibraryLock() { Release(); }

void LibraryLock::Release() {
  if (!fd_) return;
  // Removed while still held, and only when the name is still this file's.
  if (StillNamed(fd_.Get(), path_)) ::unlink(path_.c_str());
  fd_.Reset();
}

LibraryLock LibraryLock::TryAcquire(const std::string& srcPath) { return Acquire(srcPath, std::chrono::milliseconds(0)); }

LibraryLock LibraryLock::Acquire(const std::string& srcPath, std::chrono::milliseconds wait) {
  LibraryLock lock;
  lock.path_ = SrcLockPath(srcPath);
  const auto deadline = std::chrono::steady_clock::now() + wait;
  auto pause = std::chrono::milliseconds(1);
  for (;;) {
    // Never through a link, and never blocking on whatever else may stand under the name.
    UniqueFd fd(::open(lock.path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0644));
    if (!fd) {
      lock.problem_ = Fail(Fault::CannotLockLibrary, srcPath, errno);
      return lock;
    }
    struct stat st {};
    if (::fstat(fd.Get(), &st) != 0 || !S_ISREG(st.st_mode)) {
      lock.problem_ = Fail(Fault::LibraryLockNotFile, srcPath);
      return lock;
    }
    if (::flock(fd.Get(), LOCK_EX | LOCK_NB) == 0) {
      if (StillNamed(fd.Get(), lock.path_)) {
        lock.fd_ = std::move(fd);
        return lock;
      }
      continue;  // its holder removed it meanwhile: lock the file under the name now
    }
    const int err = errno;
    fd.Reset();
    if (err != EWOULDBLOCK && err != EINTR) {
      lock.problem_ = Fail(Fault::CannotLockLibrary, srcPath, err);
      return lock;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) {
      lock.problem_ = Fail(Fault::LibraryBusy, srcPath);
      return lock;
    }
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
    pause = std::min(pause * 2, std::chrono::milliseconds(50));
  }
}

}  // namespace glimmora
