#include "files/ReplaceFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <random>
#include <unordered_set>
#include <vector>

#include "common/Paths.h"
#include "files/RegularFile.h"
#include "files/UniqueFd.h"

namespace glimmora {

namespace {

constexpr const char* kNewFileMark = ".new";

// The file a path stands for: a symbolic link is replaced at its target, not by a plain file.
std::string ResolveTarget(const std::string& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode)) {
    char buf[PATH_MAX];
    if (::realpath(path.c_str(), buf) != nullptr) return buf;
  }
  return path;
}

// Copies what `from` holds from `offset` to its end into `handle` at the same offsets, data
// extent by data extent, and gives the new file the old one's length (a hole at the end stays
// one). Where the file system cannot tell holes from data, everything counts as data.
bool CopyTail(FileOps& ops, int handle, int from, off_t offset) {
  struct stat st {};
  if (::fstat(from, &st) != 0) return false;
  off_t end = st.st_size;
  if (offset >= end) return true;
  std::string buffer(std::size_t{1} << 20, '\0');
  for (off_t pos = offset; pos < end;) {
    off_t data = ::lseek(from, pos, SEEK_DATA);
    if (data < 0) {
      if (errno == ENXIO) break;  // only a hole is left
      data = pos;
    }
    off_t hole = ::lseek(from, data, SEEK_HOLE);
    if (hole < 0 || hole > end) hole = end;
    for (pos = data; pos < hole;) {
      const auto want = static_cast<std::size_t>(std::min<off_t>(hole - pos, static_cast<off_t>(buffer.size())));
      const ssize_t n = ::pread(from, buffer.data(), want, pos);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return false;
      if (n == 0) {  // the old file shrank meanwhile: it ends here
        end = pos;
        break;
      }
      if (!ops.WriteAt(handle, pos, std::string_view(buffer.data(), static_cast<std::size_t>(n)))) return false;
      pos += n;
    }
    pos = std::max(pos, hole);
  }
  return ops.SetLength(handle, std::max(end, offset));
}

// Which step of writing `target` failed, with the system's reason the step left in errno.
struct StepFailure {
  std::string target;
  Failure operator()(Fault step) const { return Fail(step, target, errno != 0 ? errno : EIO); }
};

// Fills the new file `handle`: `bytes`, then what `tailFrom` holds past them (when open), then the
// mode (when given), flushed.
Result<void> FillNewFile(FileOps& ops, int handle, std::string_view bytes, int tailFrom, const mode_t* mode,
                         const StepFailure& failed) {
  errno = 0;
  if (!ops.Write(handle, bytes)) return failed(Fault::CannotWrite);
  if (tailFrom >= 0 && !CopyTail(ops, handle, tailFrom, static_cast<off_t>(bytes.size())))
    return failed(Fault::CannotCopyRest);
  if (mode != nullptr && !ops.SetMode(handle, *mode)) return failed(Fault::CannotSetMode);
  if (!ops.Flush(handle)) return failed(Fault::CannotFlush);
  return {};
}

Result<void> FillAndClose(FileOps& ops, int handle, std::string_view bytes, int tailFrom, const mode_t* mode,
                          const StepFailure& failed) {
  Result<void> filled = FillNewFile(ops, handle, bytes, tailFrom, mode, failed);
  if (!ops.Close(handle) && filled.Ok()) return failed(Fault::CannotClose);
  return filled;
}

// How the temporary name of a replacement is made.
enum class TempName {
  // target + ".new" + digits: found again at start-up (RemoveUnfinishedReplacements), for the
  // program's own files whose names are short and fixed.
  Marked,
  // ".~" + 6 random letters and digits + the target's name less its first 8 bytes, in the same
  // folder: never longer than the target's own name (nor shorter than 8 bytes), so a name that
  // fits the file system's limit keeps fitting. Hidden, for files among the user's.
  Short,
};

// Where a short temporary name's own part ends: the rest is the target's name from the same place.
constexpr std::size_t kShortMarkBytes = 8;
constexpr char kShortChars[] = "abcdefghijklmnopqrstuvwxyz0123456789";

// The part of the target's name `own` that its short temporary names end with.
std::string_view ShortNameRest(std::string_view own) {
  std::size_t from = std::min(own.size(), kShortMarkBytes);
  // The rest starts on a whole character, never inside one.
  while (from < own.size() && (static_cast<unsigned char>(own[from]) & 0xC0) == 0x80) ++from;
  return own.substr(from);
}

std::string TempNameFor(const std::string& target, TempName kind) {
  static thread_local std::minstd_rand pick{std::random_device{}()};
  if (kind == TempName::Marked) return target + kNewFileMark + std::to_string(pick() % 1000000);
  std::string name = ".~";
  while (name.size() < kShortMarkBytes) name += kShortChars[pick() % (sizeof kShortChars - 1)];
  return JoinPath(FolderOfPath(target), name + std::string(ShortNameRest(NameOfPath(target))));
}

// Whether the name a replacement writes may be a link to another file.
enum class Links {
  // The program's own stores: a link the user put there leads to where the store really lives.
  Follow,
  // Among the user's files: a link in the way is replaced itself, its target never written.
  Replace,
};

Result<void> Replace(FileOps& ops, const std::string& path, std::string_view bytes, bool keepTail,
                     TempName naming, Links links) {
  const std::string target = links == Links::Follow ? ResolveTarget(path) : path;
  struct stat old {};
  // Only a regular file is replaced as such (its mode and tail kept); a link or anything else of
  // that name is replaced like a name that is free.
  const bool replacing = links == Links::Follow ? ::stat(target.c_str(), &old) == 0
                                                : ::lstat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  const StepFailure failed{target};

  // The old file is opened before anything is written, so its tail is read from the very file
  // that is being replaced.
  UniqueFd tail;
  if (keepTail && replacing) {
    Result<UniqueFd> opened = OpenRegularFile(target, O_RDONLY);
    if (!opened) return Fail(Fault::CannotRead, target, opened.Error().sysErrno);
    tail = std::move(opened).Value();
  }
  const int tailFrom = tail.Get();

  // In place of an existing file the new one starts readable by us alone and takes the old file's
  // mode once written, so the contents are never more open.
  const mode_t startMode = replacing ? 0600 : 0644;
  const mode_t mode = old.st_mode & 07777;
  const mode_t* keepMode = replacing ? &mode : nullptr;
  const auto renameOver = [&](const std::string& temp) -> Result<void> {
    if (ops.Rename(temp, target)) return {};
    Failure error = failed(Fault::CannotReplace);
    ops.Remove(temp);
    return error;
  };

  // Among the user's files the new contents are written, where the file system allows, into a
  // file without a name. A free name is given to it once it is whole; in place of an existing file
  // it gets a hidden name just before the rename. A save killed at any moment leaves no partial
  // file under any name.
  if (naming == TempName::Short) {
    errno = 0;
    const int unnamed = ops.CreateUnnamed(FolderOfPath(target), startMode);
    if (unnamed >= 0) {
      Result<void> filled = FillNewFile(ops, unnamed, bytes, tailFrom, keepMode, failed);
      bool done = false;
      if (filled.Ok() && !replacing) {
        errno = 0;
        done = ops.Link(unnamed, target);
        // Taken meanwhile, or a link or such in the way: replaced below like an existing file.
        if (!done && errno != EEXIST && errno != ENOTSUP && errno != EOPNOTSUPP) filled = failed(Fault::CannotCreate);
      }
      std::string temp;
      bool named = false, nameable = true;
      for (int attempt = 0; filled.Ok() && !done && nameable && !named && attempt < 16; ++attempt) {
        temp = TempNameFor(target, naming);
        errno = 0;
        named = ops.Link(unnamed, temp);
        nameable = named || errno == EEXIST;
      }
      if (!ops.Close(unnamed) && filled.Ok()) filled = failed(Fault::CannotClose);
      if (!filled) {
        if (named) ops.Remove(temp);
        if (done) ops.Remove(target);
        return filled;
      }
      if (done) return {};
      if (named) return renameOver(temp);
      // It cannot be given a name here: written again under a name of its own, below.
    }
  }

  // A fresh name that nobody else writes to.
  std::string temp;
  int handle = -1;
  for (int attempt = 0; attempt < 16 && handle < 0; ++attempt) {
    temp = TempNameFor(target, naming);
    errno = 0;
    handle = ops.Create(temp, startMode);
    if (handle < 0 && errno != EEXIST) break;
  }
  if (handle < 0) return failed(replacing ? Fault::CannotCreateBeside : Fault::CannotCreate);
  Result<void> filled = FillAndClose(ops, handle, bytes, tailFrom, keepMode, failed);
  if (!filled) {
    ops.Remove(temp);
    return filled;
  }
  return renameOver(temp);
}

}  // namespace

Result<std::string> ReadFileStart(const std::string& path, std::size_t maxBytes) {
  Result<UniqueFd> opened = OpenRegularFile(path, O_RDONLY);
  if (!opened) {
    const int err = opened.Error().sysErrno;
    return Fail(err == EISDIR || err == EINVAL ? Fault::CannotRead : Fault::CannotOpen, path, err);
  }
  const int fd = opened->Get();
  struct stat st {};
  if (::fstat(fd, &st) != 0) return Fail(Fault::CannotRead, path, errno);
  std::string bytes;
  bytes.reserve(std::min(static_cast<std::size_t>(st.st_size), maxBytes));
  char buf[65536];
  while (bytes.size() < maxBytes) {
    const ssize_t n = ::read(fd, buf, std::min(sizeof buf, maxBytes - bytes.size()));
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Fail(Fault::CannotRead, path, errno);
    }
    bytes.append(buf, static_cast<std::size_t>(n));
  }
  return bytes;
}

bool IsMissingFile(const Failure& failure) {
  return failure.code == Fault::CannotOpen && failure.sysErrno == ENOENT;
}

Result<void> ReplaceFileAtomically(const std::string& path, std::string_view bytes, const WriteCall& writeCall) {
  PosixFileOps ops(writeCall);
  return ReplaceFileAtomically(ops, path, bytes);
}

Result<void> ReplaceFileAtomically(FileOps& ops, const std::string& path, std::string_view bytes) {
  return Replace(ops, path, bytes, false, TempName::Marked, Links::Follow);
}

Result<void> WriteOrReplaceFile(FileOps& ops, const std::string& path, std::string_view bytes) {
  return Replace(ops, path, bytes, false, TempName::Short, Links::Replace);
}

Result<void> ReplaceFileHead(const std::string& path, std::string_view head, const WriteCall& writeCall) {
  PosixFileOps ops(writeCall);
  return Replace(ops, path, head, true, TempName::Marked, Links::Follow);
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

int RemoveUnfinishedSaves(const std::string& folder) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (dir == nullptr) return 0;
  const int fd = ::dirfd(dir);
  std::vector<std::string> names;
  while (const dirent* e = ::readdir(dir)) names.emplace_back(e->d_name);
  // A replacement's temporary name stands beside the file it was to replace, which the kill left
  // as it was: only a name whose rest matches a file beside it is one of ours.
  std::unordered_set<std::string_view> rests;
  for (const std::string& name : names)
    if (!name.starts_with(".~")) rests.insert(ShortNameRest(name));
  const auto isTemp = [&](std::string_view name) {
    if (name.size() < kShortMarkBytes || !name.starts_with(".~")) return false;
    const std::string_view mark = name.substr(2, kShortMarkBytes - 2);
    return mark.find_first_not_of(kShortChars) == std::string_view::npos &&
           rests.contains(name.substr(kShortMarkBytes));
  };
  int removed = 0;
  for (const std::string& name : names) {
    struct stat st {};
    if (isTemp(name) && ::fstatat(fd, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISREG(st.st_mode) &&
        ::unlinkat(fd, name.c_str(), 0) == 0)
      ++removed;
  }
  ::closedir(dir);
  return removed;
}

}  // namespace glimmora
