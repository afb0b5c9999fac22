#include "websites/AtomicFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace glimmora {

int PosixFileOps::Create(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

bool PosixFileOps::Write(int handle, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(handle, bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool PosixFileOps::Flush(int handle) { return ::fsync(handle) == 0; }

bool PosixFileOps::Close(int handle) { return ::close(handle) == 0; }

bool PosixFileOps::Rename(const std::string& from, const std::string& to) {
  if (std::rename(from.c_str(), to.c_str()) != 0) return false;
  // Make the new name itself durable; a failure here no longer endangers either version.
  const auto slash = to.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : (slash == 0 ? "/" : to.substr(0, slash));
  const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dir >= 0) {
    ::fsync(dir);
    ::close(dir);
  }
  return true;
}

void PosixFileOps::Remove(const std::string& path) { ::unlink(path.c_str()); }

PosixFileOps& DefaultFileOps() {
  static PosixFileOps ops;
  return ops;
}

std::string ReplaceFileThrough(FileOps& ops, const std::string& path, std::string_view bytes) {
  const std::string temp = path + ".new";
  errno = 0;
  const int h = ops.Create(temp);
  if (h < 0) return "cannot create " + temp + ": " + std::strerror(errno);
  std::string error;
  const auto failed = [&error](const std::string& what) {
    error = what + ": " + std::strerror(errno);
  };
  errno = 0;
  if (!ops.Write(h, bytes)) failed("cannot write " + temp);
  else if (!ops.Flush(h)) failed("cannot flush " + temp);
  if (!ops.Close(h) && error.empty()) failed("cannot close " + temp);
  if (error.empty() && !ops.Rename(temp, path)) failed("cannot rename " + temp + " to " + path);
  if (!error.empty()) ops.Remove(temp);
  return error;
}

std::optional<std::string> ReadFileStart(const std::string& path, std::size_t maxBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string out;
  char buffer[65536];
  while (out.size() < maxBytes) {
    const std::size_t want = std::min(sizeof buffer, maxBytes - out.size());
    const ssize_t n = ::read(fd, buffer, want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    out.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

}  // namespace glimmora
