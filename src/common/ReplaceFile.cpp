#include "common/ReplaceFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <random>

#include "common/Paths.h"
#include "common/RegularFile.h"

namespace glimmora {

namespace {

constexpr const char* kNewFileMark = ".new";

std::string Describe(const std::string& what, const std::string& path, int err) {
  return what + " " + path + ": " + std::strerror(err != 0 ? err : EIO);
}

// The file a path stands for: a symbolic link is replaced at its target, not by a plain file.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) != nullptr) return buf;
  }
  return path;
}

}  // namespace

ReadStatus ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes,
                         std::string* error) {
  bytes.clear();
  const int fd = OpenRegularFile(path, O_RDONLY);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT) return ReadStatus::Missing;
    if (error) *error = Describe(err == EISDIR || err == EINVAL ? "Cannot read" : "Cannot open", path, err);
    return ReadStatus::Failed;
  }
  const auto fail = [&](const char* what, int err) {
    ::close(fd);
    bytes.clear();
    if (error) *error = Describe(what, path, err);
    return ReadStatus::Failed;
  };
  struct stat st {};
  if (::fstat(fd, &st) != 0) return fail("Cannot read", errno);
  bytes.reserve(std::min(static_cast<std::size_t>(st.st_size), maxBytes));
  char buf[65536];
  while (bytes.size() < maxBytes) {
    const ssize_t n = ::read(fd, buf, std::min(sizeof buf, maxBytes - bytes.size()));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return fail("Cannot read", errno);
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return ReadStatus::Ok;
}

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes, std::string* error) {
  return ReadFileStart(path, bytes.max_size(), bytes, error);
}

std::string ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                                  const WriteCall& writeCall) {
  PosixFileOps ops(writeCall);
  return ReplaceFileAtomically(ops, path, bytes);
}

std::string ReplaceFileAtomically(FileOps& ops, const std::string& path, std::string_view bytes,
                                  int* errorNumber) {
  const std::string target = ResolveTarget(path);
  struct stat old {};
  const bool replacing = ::stat(target.c_str(), &old) == 0;
  int failedErr = 0;
  const auto describe = [&](const char* what) {
    failedErr = errno != 0 ? errno : EIO;
    return Describe(what, target, failedErr);
  };

  // A fresh name that nobody else writes to. In place of an existing file it starts readable by
  // us alone and takes the old file's mode once written, so the contents are never more open.
  std::random_device rd;
  std::string temp;
  int handle = -1;
  for (int attempt = 0; attempt < 16 && handle < 0; ++attempt) {
    temp = target + kNewFileMark + std::to_string(rd() % 1000000);
    errno = 0;
    handle = ops.Create(temp, replacing ? 0600 : 0644);
    if (handle < 0 && errno != EEXIST) break;
  }
  std::string error;
  if (handle < 0) {
    error = describe("Cannot create a file beside");
    if (errorNumber) *errorNumber = failedErr;
    return error;
  }

  errno = 0;
  if (!ops.Write(handle, bytes))
    error = describe("Cannot write");
  else if (replacing && !ops.SetMode(handle, old.st_mode & 07777))
    error = describe("Cannot set the mode of");
  else if (!ops.Flush(handle))
    error = describe("Cannot flush");
  if (!ops.Close(handle) && error.empty()) error = describe("Cannot close");
  if (error.empty() && !ops.Rename(temp, target)) error = describe("Cannot replace");
  if (!error.empty()) ops.Remove(temp);
  if (errorNumber) *errorNumber = failedErr;
  return error;
}

int RemoveUnfinishedReplacements(const std::string& path) {
  const std::string target = ResolveTarget(path);
  const std::string folder = FolderOfPath(target);
  const std::string prefix = NameOfPath(target) + kNewFileMark;
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return 0;
  int removed = 0;
  while (const dirent* e = ::readdir(dir)) {
    const std::string_view name = e->d_name;
    if (!name.starts_with(prefix) || name.size() == prefix.size()) continue;
    const std::string_view digits = name.substr(prefix.size());
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
    // Only what a replacement writes: a plain file, never a folder or a link of the user's.
    const std::string full = JoinPath(folder, name);
    struct stat st {};
    if (::lstat(full.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::unlink(full.c_str()) == 0) ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace glimmora
