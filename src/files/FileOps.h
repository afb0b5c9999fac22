#pragma once
// The file-system steps of replacing a file (see ReplaceFile.h), behind an interface so that tests
// can fail each step and see that the old file stays whole; and a folder of the program's own
// work files, changed without ever following a link. The steps answer as the system calls they
// stand for do (a handle or false, the reason in errno): ReplaceFile.h turns that into a Result.

#include <sys/types.h>

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "files/UniqueFd.h"

namespace glimmora {

// The write(2) call used for the new file; tests pass one that fails after a number of calls.
using WriteCall = std::function<ssize_t(int fd, const void* data, std::size_t size)>;

class FileOps {
 public:
  virtual ~FileOps() = default;
  // Creates `path`, which must not exist yet, for writing; returns a handle, or -1 with errno set
  // (EEXIST when the name is taken).
  [[nodiscard]] virtual int Create(const std::string& path, mode_t mode) = 0;
  [[nodiscard]] virtual bool Write(int handle, std::string_view bytes) = 0;  // all of them
  // Writes at `offset`, leaving a hole before it where nothing was written; and sets the file's
  // length. Only files that keep an old file's tail need them: by default they fail (ENOTSUP).
  [[nodiscard]] virtual bool WriteAt(int handle, off_t offset, std::string_view bytes);
  [[nodiscard]] virtual bool SetLength(int handle, off_t length);
  [[nodiscard]] virtual bool SetMode(int handle, mode_t mode) = 0;
  [[nodiscard]] virtual bool Flush(int handle) = 0;  // down to the disk
  [[nodiscard]] virtual bool Close(int handle) = 0;
  // Creates a file without a name in `folder`, for writing; Link then names it once it is whole.
  // By default, and where the file system has no such files, it fails (ENOTSUP).
  [[nodiscard]] virtual int CreateUnnamed(const std::string& folder, mode_t mode);
  // Gives the unnamed file `handle` the name `path`, which must be free (EEXIST when taken).
  [[nodiscard]] virtual bool Link(int handle, const std::string& path);
  [[nodiscard]] virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// The real file system (POSIX calls); `writeCall` stands in for write(2) when given.
class PosixFileOps : public FileOps {
 public:
  explicit PosixFileOps(WriteCall writeCall = {}) : writeCall_(std::move(writeCall)) {}

  // Without durability the new file still replaces the old one in a single rename (never seen
  // half written), but nothing waits for the disk: for files that can be made again, such as
  // saved copies of icons, where a flush per file would make a save of many icons crawl.
  static PosixFileOps& Quick();

  int Create(const std::string& path, mode_t mode) override;
  bool Write(int handle, std::string_view bytes) override;
  bool WriteAt(int handle, off_t offset, std::string_view bytes) override;
  bool SetLength(int handle, off_t length) override;
  bool SetMode(int handle, mode_t mode) override;
  bool Flush(int handle) override;
  bool Close(int handle) override;
  int CreateUnnamed(const std::string& folder, mode_t mode) override;
  bool Link(int handle, const std::string& path) override;
  bool Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;

 private:
  WriteCall writeCall_;
  bool durable_ = true;
};

PosixFileOps& DefaultFileOps();

// A folder the program keeps work files in (the icon clipboard, the library pane's copies),
// opened without following a link: when a link stands where the folder should be, or in it under
// the name of a work file, deleting or writing never reaches the files the link leads to.
class OwnFolder {
 public:
  explicit OwnFolder(const std::string& path);
  OwnFolder(const OwnFolder&) = delete;
  OwnFolder& operator=(const OwnFolder&) = delete;

  bool Open() const { return fd_.Valid(); }
  // Something is there, but a link or no folder: nothing in it is touched.
  bool NotReal() const;
  // Every name in it (links and folders too), in no particular order.
  std::vector<std::string> Names() const;
  // Deletes `name` when it is a regular file. True when no file of that name is left, also when
  // there was none; a link, folder or anything else of that name stays, and gives false.
  [[nodiscard]] bool RemoveFile(std::string_view name) const;
  // Deletes `name` when it is a regular file or a link (the link itself, never what it leads to).
  // True when nothing of that name is left; a folder stays, and gives false.
  [[nodiscard]] bool RemoveNonFolder(std::string_view name) const;
  // Creates `name`, which must not exist yet (not even as a link), holding `bytes`; on failure
  // nothing of it is left.
  [[nodiscard]] bool CreateFile(std::string_view name, std::string_view bytes) const;

 private:
  bool Remove(std::string_view name, bool links) const;

  UniqueFd fd_;
  int openError_ = 0;  // errno of the failed open
};

}  // namespace glimmora
