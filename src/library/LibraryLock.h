#pragma once
// An exclusive lock on one library, so that two windows on one program folder never change it at
// the same time. Every change holds it from its first look at the files to its last rename; a
// look that tidies (finishing or rolling back a change cut off by a crash, cutting off bytes a
// killed append left) takes it without waiting and leaves the files alone while another window
// holds it: their scratch files and unused bytes are then that window's change in progress.
//
// The lock is flock(2) on the file base.src.lock beside the index file. The system lets go of it
// when its holder ends, however it ends, so a lock file a killed process left behind locks
// nothing. The holder removes the file before it lets go; whoever then finds the name gone or
// given to another file after getting the lock tries again, so two holders never lock two files.

#include <chrono>
#include <string>

#include "common/Result.h"
#include "files/UniqueFd.h"

namespace glimmora {

// How long a change waits for another window's change of the same library before it gives up.
constexpr std::chrono::milliseconds kLibraryLockWait{20000};

class LibraryLock {
 public:
  LibraryLock() = default;
  LibraryLock(LibraryLock&& other) noexcept;
  LibraryLock& operator=(LibraryLock&& other) noexcept;
  LibraryLock(const LibraryLock&) = delete;
  LibraryLock& operator=(const LibraryLock&) = delete;
  ~LibraryLock();

  // Waits up to `wait` for the lock of the library whose index file is `srcPath`.
  static LibraryLock Acquire(const std::string& srcPath, std::chrono::milliseconds wait = kLibraryLockWait);
  // Takes the lock only when no one holds it.
  static LibraryLock TryAcquire(const std::string& srcPath);

  bool Held() const { return fd_.Valid(); }
  // Why it is not held, for a message.
  const Failure& Problem() const { return problem_; }

 private:
  void Release();

  UniqueFd fd_;
  std::string path_;
  Failure problem_;
};

}  // namespace glimmora
