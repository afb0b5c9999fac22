#pragma once
// Reading the disk for the source page: the sub-folders of a folder (for the folder tree) and its
// files (for the file list). Only regular files are listed: devices, pipes and sockets would hang
// or harm whoever opens them, and the icon search opens what the list shows.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace glimmora {

// Why a folder could not be read. DeviceUnavailable, NotFound and AccessDenied are offered to the
// user to retry, AccessDenied with a question of its own.
enum class FsError { None, DeviceUnavailable, NotFound, AccessDenied, Other };

// True for the failures the folder tree and the path box offer to retry.
bool IsRetryable(FsError error);

struct SubFolderList {
  std::vector<std::string> Names;  // names only, dot-folders left out, sorted ignoring case
  FsError Error = FsError::None;
};

struct ListedFileInfo {
  std::string Name;
  std::uint64_t Size = 0;
  std::int64_t LastWriteTime = 0;  // seconds since 1970 UTC
};

struct FileListing {
  std::vector<ListedFileInfo> Files;  // regular files, dot-files left out, sorted ignoring case
  FsError Error = FsError::None;
};

// How far a listing has come, for a progress bar on another thread: Total is set once the names
// are read, Done counts the files looked at since. Setting Stop ends the listing early.
struct ListingProgress {
  std::atomic<std::size_t> Total{0};
  std::atomic<std::size_t> Done{0};
  std::atomic<bool> Stop{false};
};

// The files of `folder` as DiskFolderReader lists them, telling `progress` (when given) as it goes.
FileListing ReadFolderFiles(const std::string& folder, ListingProgress* progress = nullptr);

class FolderReader {
 public:
  virtual ~FolderReader() = default;
  virtual SubFolderList SubFolders(const std::string& folder) = 0;
  virtual FileListing Files(const std::string& folder) = 0;
  // Whether `folder` can be opened as a folder; the error says why not.
  virtual FsError CheckFolder(const std::string& folder) = 0;
};

class DiskFolderReader : public FolderReader {
 public:
  SubFolderList SubFolders(const std::string& folder) override;
  FileListing Files(const std::string& folder) override;
  FsError CheckFolder(const std::string& folder) override;
};

// The order of both lists: ASCII letters compared without case, then byte order.
bool NameLess(const std::string& a, const std::string& b);

// errno of a failed open of a folder, as an FsError.
FsError FsErrorFromErrno(int err);

}  // namespace glimmora
