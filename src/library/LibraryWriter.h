#pragma once
// Changing a library so that after a crash at any moment it is exactly the old set of icons or
// exactly the new one.
//
// Scratch files lie beside the index file under its base name: base.src.new, base.dat.new and
// base.src.commit.
//
// Rewriting both files (deleting icons):
//   1. the kept bodies go to base.dat.new and the new index to base.src.new; both are flushed;
//   2. base.src.new is renamed to base.src.commit: from here on the new pair is the library;
//   3. base.dat.new is renamed over the data file, then base.src.commit over the index file.
// A reader that finds base.src.commit reads it with base.dat.new (or, once that was renamed, the
// data file). RecoverLibrary, run before every change and whenever the library is opened or its
// category is read, finishes steps 3 after a crash, or removes the scratch files of a change that
// never reached step 2.
//
// Appending icons needs no second data file: the new bodies are appended behind the old ones
// (no old entry points there), flushed, and then the index is replaced by base.src.new in one
// rename. An append that fails cuts the data file back to its old length; one killed before that
// rename leaves the old index over a data file with unused bytes at its end, which the next
// opening of the library cuts off (CutUnusedData).
//
// Rewriting entry fields (keyword, author) replaces the index file alone the same way.
//
// Creating a library writes base.dat.new (empty) and base.src.new, then commits and renames as a
// rewrite does, so that a new library appears as a whole pair or not at all.
//
// Every change holds the library's lock (LibraryLock.h) throughout, waiting for another window's
// change to end. The tidy-ups a look at a library does (RecoverLibrary, CutUnusedData) take it
// without waiting: while another window holds it, its scratch files and the bytes behind the index
// are that window's change in progress and are left alone.

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/Result.h"
#include "files/FileOps.h"
#include "library/LibFormat.h"

namespace glimmora {

class LibraryReader;

// The file steps of a library change; tests fail or stop each one.
class LibraryFileOps : public FileOps {
 public:
  // Opens an existing file for writing at its end; -1 with errno set on failure.
  [[nodiscard]] virtual int OpenAppend(const std::string& path) = 0;
};

class PosixLibraryFileOps : public LibraryFileOps {
 public:
  int Create(const std::string& path, mode_t mode) override { return posix_.Create(path, mode); }
  bool Write(int handle, std::string_view bytes) override { return posix_.Write(handle, bytes); }
  bool SetMode(int handle, mode_t mode) override { return posix_.SetMode(handle, mode); }
  bool Flush(int handle) override { return posix_.Flush(handle); }
  bool Close(int handle) override { return posix_.Close(handle); }
  bool Rename(const std::string& from, const std::string& to) override { return posix_.Rename(from, to); }
  void Remove(const std::string& path) override { posix_.Remove(path); }
  bool SetLength(int handle, off_t length) override { return posix_.SetLength(handle, length); }
  int OpenAppend(const std::string& path) override;

 private:
  PosixFileOps posix_;
};

LibraryFileOps& DefaultLibraryFileOps();

struct LibWriteResult {
  bool Ok = false;
  Failure Error;       // what went wrong, for one message, when not Ok
  int IconCount = 0;   // the library's count afterwards (the old one when not Ok)
};

// One entry named by number and stamp (EntryStamp of LibraryReader.h).
struct EntryId {
  int Entry = 0;
  std::uint64_t Stamp = 0;
};

// Finishes a committed change or removes the scratch files of an unfinished one, for a caller that
// holds the library's lock. Ok when the library is whole afterwards.
[[nodiscard]] Result<void> RecoverLibrary(const std::string& srcPath, FileOps& ops);

// Cuts the data file of the library `reader` holds back to the length its index accounts for:
// the header's data length, or as far as an entry reaches when that is further (a header written
// elsewhere may not keep it). Bodies behind that are what an append killed before its commit left.
// A sound file costs nothing beyond the reader's own look at the data file's size; a library with a
// change half committed, or whose index is cut off, is left alone, and so is one another window is
// changing. True when the file was cut: the reader no longer matches it.
[[nodiscard]] bool CutUnusedData(const LibraryReader& reader, LibraryFileOps& ops = DefaultLibraryFileOps());

// RecoverLibrary, and for a library without index file also its empty data file: what a create
// killed halfway leaves; and a lock file a killed change left. Run whenever a library is opened, so
// that no scratch file outlives a look; a library another window is changing is left alone.
void TidyLibraryFiles(const std::string& srcPath, FileOps& ops = DefaultFileOps());
// TidyLibraryFiles for every library of a category folder that has scratch files or a data file
// without its index file (the category is about to be read); a whole pair is not touched.
void TidyCategoryFolder(const std::string& folder, FileOps& ops = DefaultFileOps());

// Appends the icons as new entries behind the old ones (empty keyword, no author). Refused as a
// whole when the library is missing or damaged (an entry reaching past the data file's end among
// it) or would hold more than 32767 icons.
[[nodiscard]] LibWriteResult AppendIcons(const std::string& srcPath, std::span<const LibIconBody> icons,
                           LibraryFileOps& ops = DefaultLibraryFileOps());

struct DeleteResult : LibWriteResult {
  int Deleted = 0;
  bool FirstEntryGone = false;  // entry 1 went: the library's tree picture is out of date
};

// Deletes the entries and compacts both files: the kept entries keep their order, their fields
// and their bodies byte for byte. Refused as a whole when an entry is outside 1..IconCount or is
// no longer the icon its stamp names, or when a kept body cannot be read.
[[nodiscard]] DeleteResult DeleteEntries(const std::string& srcPath, std::span<const EntryId> entries,
                           LibraryFileOps& ops = DefaultLibraryFileOps());

// Stores `keyword` as the keyword of each entry (the other bytes of the entries stay). A field that
// already reads as the text it is given (in `lang`) keeps its bytes (see KeptFieldBytes).
[[nodiscard]] LibWriteResult SetKeyword(const std::string& srcPath, std::span<const EntryId> entries, std::string_view keyword,
                          LibraryFileOps& ops = DefaultLibraryFileOps(), Language lang = Language::English);

struct AuthorFields {
  std::string AuthorName, AuthorEmail, AuthorHomepage, Note;
};
// Stores the four author fields of one entry (bytes 50 to 179 of the entry); a field the user left
// as it reads keeps its bytes, as in SetKeyword.
[[nodiscard]] LibWriteResult SetAuthor(const std::string& srcPath, EntryId entry, const AuthorFields& fields,
                         LibraryFileOps& ops = DefaultLibraryFileOps(), Language lang = Language::English);

// The author fields as an entry stores them: each the text it is given, or the stored bytes it
// keeps (KeptFieldBytes), read back.
AuthorFields StoredAuthorFields(const AuthorFields& fields, const LibSrcItem& entry, Language lang);

// Creates a new, empty library: the index file with its header and an empty data file, committed
// as one change. Refused when either file already exists (its icons would be overwritten by the
// next append).
[[nodiscard]] LibWriteResult CreateLibraryFiles(const std::string& srcPath, const LibSrcHead& head,
                                  LibraryFileOps& ops = DefaultLibraryFileOps());

}  // namespace glimmora
