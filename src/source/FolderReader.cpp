#include "source/FolderReader.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace glimmora {

namespace {

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Closes the folder handle on every path out.
struct DirHandle {
  DIR* dir = nullptr;
  ~DirHandle() {
    if (dir) ::closedir(dir);
  }
};

FsError OpenDir(const std::string& folder, DirHandle& h) {
  if (folder.empty()) return FsError::NotFound;
  h.dir = ::opendir(folder.c_str());
  return h.dir ? FsError::None : FsErrorFromErrno(errno);
}

}  // namespace

bool IsRetryable(FsError error) {
  return error == FsError::DeviceUnavailable || error == FsError::NotFound || error == FsError::AccessDenied;
}

FsError FsErrorFromErrno(int err) {
  switch (err) {
    case 0:
      return FsError::None;
    case ENOENT:
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
      return FsError::NotFound;
    case EACCES:
    case EPERM:
      return FsError::AccessDenied;
    case EIO:
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
    case ESTALE:
    case EHOSTDOWN:
    case ETIMEDOUT:
      return FsError::DeviceUnavailable;
    default:
      return FsError::Other;
  }
}

bool NameLess(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char x = Lower(a[i]), y = Lower(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

SubFolderList DiskFolderReader::SubFolders(const std::string& folder) {
  SubFolderList out;
  DirHandle h;
  out.Error = OpenDir(folder, h);
  if (out.Error != FsError::None) return out;
  const int fd = ::dirfd(h.dir);
  while (const dirent* e = ::readdir(h.dir)) {
    if (e->d_name[0] == '.') continue;  // ".", ".." and hidden folders
    bool isDir = e->d_type == DT_DIR;
    if (e->d_type == DT_LNK || e->d_type == DT_UNKNOWN) {
      struct stat st {};
      isDir = ::fstatat(fd, e->d_name, &st, 0) == 0 && S_ISDIR(st.st_mode);
    }
    if (isDir) out.Names.emplace_back(e->d_name);
  }
  std::sort(out.Names.begin(), out.Names.end(), NameLess);
  return out;
}

FileListing ReadFolderFiles(const std::string& folder, ListingProgress* progress) {
  FileListing out;
  DirHandle h;
  out.Error = OpenDir(folder, h);
  if (out.Error != FsError::None) return out;
  const int fd = ::dirfd(h.dir);
  // The names first, so that the pass over the files can say how far it is.
  std::vector<std::string> names;
  while (const dirent* e = ::readdir(h.dir)) {
    if (e->d_name[0] == '.') continue;
    if (e->d_type != DT_REG && e->d_type != DT_LNK && e->d_type != DT_UNKNOWN) continue;
    names.emplace_back(e->d_name);
  }
  if (progress) progress->Total = names.size();
  out.Files.reserve(names.size());
  for (std::string& name : names) {
    if (progress) {
      if (progress->Stop) break;
      ++progress->Done;
    }
    struct stat st {};
    // A link counts as what it points to; a link to a pipe or device is no file for us.
    if (::fstatat(fd, name.c_str(), &st, 0) != 0 || !S_ISREG(st.st_mode)) continue;
    out.Files.push_back({std::move(name), static_cast<std::uint64_t>(st.st_size),
                         static_cast<std::int64_t>(st.st_mtim.tv_sec)});
  }
  std::sort(out.Files.begin(), out.Files.end(),
            [](const ListedFileInfo& a, const ListedFileInfo& b) { return NameLess(a.Name, b.Name); });
  return out;
}

FileListing DiskFolderReader::Files(const std::string& folder) { return ReadFolderFiles(folder); }

FsError DiskFolderReader::CheckFolder(const std::string& folder) {
  DirHandle h;
  return OpenDir(folder, h);
}

}  // namespace glimmora
