#pragma once
// Replacing a user's data file so that a failure at any step leaves the old file whole: the new
// contents go to a file beside it, are flushed to the disk and only then renamed over the old one.
// The file operations sit behind an interface so that tests can fail each step.

#include <optional>
#include <string>
#include <string_view>

namespace glimmora {

class FileOps {
 public:
  virtual ~FileOps() = default;
  // Creates or truncates `path` for writing; returns a handle, or -1.
  virtual int Create(const std::string& path) = 0;
  virtual bool Write(int handle, std::string_view bytes) = 0;
  virtual bool Flush(int handle) = 0;  // down to the disk
  virtual bool Close(int handle) = 0;
  virtual bool Rename(const std::string& from, const std::string& to) = 0;
  virtual void Remove(const std::string& path) = 0;
};

// The real file system (POSIX calls).
class PosixFileOps : public FileOps {
 public:
  int Create(const std::string& path) override;
  bool Write(int handle, std::string_view bytes) override;
  bool Flush(int handle) override;
  bool Close(int handle) override;
  bool Rename(const std::string& from, const std::string& to) override;
  void Remove(const std::string& path) override;
};

PosixFileOps& DefaultFileOps();

// Writes `bytes` as the new contents of `path`. Returns an empty text on success, otherwise what
// went wrong; the old file is then untouched and no new file is left behind.
std::string ReplaceFileThrough(FileOps& ops, const std::string& path, std::string_view bytes);

// Up to `maxBytes` bytes from the start of `path`; nothing when it cannot be opened.
std::optional<std::string> ReadFileStart(const std::string& path, std::size_t maxBytes);

}  // namespace glimmora
