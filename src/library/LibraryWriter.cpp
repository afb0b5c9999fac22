#include "library/LibraryWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <functional>
#include <limits>
#include <optional>
#include <unordered_set>

#include "text/AsciiCase.h"
#include "common/Paths.h"
#include "files/RegularFile.h"
#include "library/LibFiles.h"
#include "library/LibraryLock.h"
#include "library/LibraryReader.h"

namespace glimmora {

int PosixLibraryFileOps::OpenAppend(const std::string& path) {
  Result<UniqueFd> fd = OpenRegularFile(path, O_WRONLY | O_APPEND);
  if (!fd) {
    errno = fd.Error().sysErrno;
    return -1;
  }
  return fd->Release();  // the caller closes it through Close
}

LibraryFileOps& DefaultLibraryFileOps() {
  static PosixLibraryFileOps ops;
  return ops;
}

namespace {

// Chunk of bodies gathered before one write while compacting.
constexpr std::size_t kCopyChunk = std::size_t{4} << 20;

// The largest data file: every byte's 1-based position must fit the signed 32-bit field.
constexpr std::int64_t kMaxDatBytes = std::numeric_limits<std::int32_t>::max();

bool IsEmptyFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size == 0;
}

bool BodyInDat(const LibSrcItem& item, std::int64_t datSize) {
  return item.DataPos >= 1 && item.DataSize >= 0 && item.DataSize <= kMaxLibBodyBytes &&
         static_cast<std::int64_t>(item.DataPos) - 1 + item.DataSize <= datSize;
}

// Step `step` on `path` failed; the system's reason is in errno.
Failure Why(Fault step, const std::string& path) { return Fail(step, path, errno != 0 ? errno : EIO); }

std::string_view AsChars(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Writes `bytes` as a new file `path` (which must not exist) and flushes it; on failure the file
// is removed again.
Result<void> WriteNewFile(FileOps& ops, const std::string& path, std::string_view bytes) {
  errno = 0;
  const int h = ops.Create(path, 0644);
  if (h < 0) return Why(Fault::CannotCreate, path);
  std::optional<Failure> error;
  if (!ops.Write(h, bytes))
    error = Why(Fault::CannotWrite, path);
  else if (!ops.Flush(h))
    error = Why(Fault::CannotFlush, path);
  if (!ops.Close(h) && !error) error = Why(Fault::CannotClose, path);
  if (!error) return {};
  ops.Remove(path);
  return *error;
}

// Cuts `path` back to `length`.
bool CutDataFile(LibraryFileOps& ops, const std::string& path, std::int64_t length) {
  const int h = ops.OpenAppend(path);
  if (h < 0) return false;
  const bool cut = ops.SetLength(h, static_cast<off_t>(length)) && ops.Flush(h);
  return ops.Close(h) && cut;
}

// Where the bodies end that the library's index accounts for, when the data file is longer: its
// header's data length, or as far as an entry reaches when that is further (a header written
// elsewhere may not keep it). Nothing when there is nothing behind that, or when the library has a
// change half committed or an index that is cut off.
std::optional<std::int64_t> UnusedDataFrom(const LibraryReader& reader) {
  if (!reader.Ok() || !reader.HasDat() || reader.Truncated()) return std::nullopt;
  const std::int64_t size = reader.DatSize();
  std::int64_t reach = std::max<std::int64_t>(0, reader.Head().DatFileLength);
  if (size <= reach) return std::nullopt;
  // The recovery finishes a committed change; its data file is not this one's to cut.
  if (FileExists(SrcCommitPath(reader.SrcPath()))) return std::nullopt;
  reach = std::max(reach, reader.DataReach());
  if (size <= reach) return std::nullopt;
  return reach;
}

// Cuts what UnusedDataFrom finds; the caller holds the library's lock, so no change of another
// window is in progress and those bytes are what a killed append left.
bool CutUnusedDataLocked(const LibraryReader& reader, LibraryFileOps& ops) {
  const auto from = UnusedDataFrom(reader);
  return from && CutDataFile(ops, reader.DatPath(), *from);
}

// TidyLibraryFiles with the library's lock held.
void TidyLibraryFilesLocked(const std::string& srcPath, FileOps& ops) {
  // A look that cannot finish an old change leaves it for the next change, which says why.
  (void)RecoverLibrary(srcPath, ops);
  // A create killed before it was committed by earlier versions left an empty data file alone.
  if (FileExists(srcPath) || FindNameIgnoringCase(FolderOfPath(srcPath), NameOfPath(srcPath))) return;
  if (const auto dat = FindDatPath(srcPath); dat && IsEmptyFile(*dat)) ops.Remove(*dat);
}

// Opens the library for a change: locked, recovered, readable and whole.
Result<void> OpenForChange(const std::string& srcPath, LibraryFileOps& ops, LibraryLock& lock, LibraryReader& reader) {
  lock = LibraryLock::Acquire(srcPath);
  if (!lock.Held()) return lock.Problem();
  if (Result<void> recovered = RecoverLibrary(srcPath, ops); !recovered) return recovered;
  reader = LibraryReader::Open(srcPath);
  if (!reader.Ok()) return reader.Problem();
  if (reader.Truncated()) return Fail(Fault::LibraryFewerIcons, srcPath);
  if (reader.IconCount() > 0 && !reader.HasDat()) return Fail(Fault::LibraryDataMissing, srcPath);
  // New bodies go behind what the index accounts for, not behind what a killed append left.
  if (CutUnusedDataLocked(reader, ops)) reader = LibraryReader::Open(srcPath);
  return {};
}

// Checks that every entry is in 1..count and still the icon its stamp names.
Result<void> CheckEntries(const LibraryReader& reader, std::span<const EntryId> entries) {
  for (const EntryId& id : entries) {
    const auto item = reader.Item(id.Entry);
    if (!item) return FailAt(Fault::LibraryNoSuchIcon, reader.SrcPath(), id.Entry);
    if (EntryStamp(*item) != id.Stamp) return Fail(Fault::LibraryChanged, reader.SrcPath());
  }
  return {};
}

// Replaces the index file alone with `bytes` (appending, rewriting fields).
Result<void> ReplaceIndex(FileOps& ops, const std::string& srcPath, std::string_view bytes) {
  const std::string temp = SrcNewPath(srcPath);
  if (Result<void> written = WriteNewFile(ops, temp, bytes); !written) return written;
  errno = 0;
  if (!ops.Rename(temp, srcPath)) {
    Failure e = Why(Fault::CannotReplace, srcPath);
    ops.Remove(temp);
    return e;
  }
  return {};
}

LibWriteResult Failed(const LibraryReader& reader, Failure error) {
  LibWriteResult r;
  r.Error = std::move(error);
  r.IconCount = reader.Ok() ? reader.IconCount() : 0;
  return r;
}

void PutLength(std::string& src, std::size_t at, std::int64_t value) {
  const auto v = static_cast<std::uint32_t>(std::clamp<std::int64_t>(value, 0, std::numeric_limits<std::int32_t>::max()));
  src[at] = static_cast<char>(v & 0xFF);
  src[at + 1] = static_cast<char>((v >> 8) & 0xFF);
  src[at + 2] = static_cast<char>((v >> 16) & 0xFF);
  src[at + 3] = static_cast<char>(v >> 24);
}

// The header bytes of `src` with a new count and file lengths; the other 244 bytes as they were.
void SetHeadCounts(std::string& src, int count, std::int64_t srcLength, std::int64_t datLength) {
  PutLength(src, 140, count);
  PutLength(src, 144, srcLength);
  PutLength(src, 148, datLength);
}

}  // namespace

Result<void> RecoverLibrary(const std::string& srcPath, FileOps& ops) {
  const std::string commit = SrcCommitPath(srcPath);
  const std::string datNew = DatNewPath(srcPath);
  if (FileExists(commit)) {
    if (FileExists(datNew)) {
      const std::string dat = FindDatPath(srcPath).value_or(DefaultDatPath(srcPath));
      errno = 0;
      if (!ops.Rename(datNew, dat)) return Why(Fault::CannotFinishChange, srcPath);
    }
    errno = 0;
    if (!ops.Rename(commit, srcPath)) return Why(Fault::CannotFinishChange, srcPath);
  } else if (FileExists(datNew)) {
    ops.Remove(datNew);
  }
  if (FileExists(SrcNewPath(srcPath))) ops.Remove(SrcNewPath(srcPath));
  return {};
}

LibWriteResult AppendIcons(const std::string& srcPath, std::span<const LibIconBody> icons, LibraryFileOps& ops) {
  LibraryLock lock;
  LibraryReader reader;
  if (Result<void> open = OpenForChange(srcPath, ops, lock, reader); !open) return Failed(reader, open.Error());
  const int oldCount = reader.IconCount();
  LibWriteResult result;
  result.IconCount = oldCount;
  if (icons.empty()) {
    result.Ok = true;
    return result;
  }
  if (static_cast<std::size_t>(oldCount) + icons.size() > static_cast<std::size_t>(kMaxLibIcons)) {
    return Failed(reader, FailAt(Fault::LibraryFull, srcPath, kMaxLibIcons - oldCount));
  }
  // New bodies go at the data file's end: an entry that reaches past it (the file lost its tail)
  // would take them for its own.
  if (const int e = reader.FirstEntryPastDat())
    return Failed(reader, FailAt(Fault::LibraryIconOutsideData, srcPath, e));
  std::int64_t datLength = reader.DatSize();
  std::int64_t added = 0;
  for (const auto& icon : icons) added += static_cast<std::int64_t>(icon.Body.size());
  if (datLength + added >= kMaxDatBytes)
    return Failed(reader, Fail(Fault::LibraryDataTooLarge, srcPath));

  // The new index: the old header and entries, then the new entries.
  std::string src = reader.SrcBytes().substr(0, kSrcHeadSize + kSrcItemSize * static_cast<std::size_t>(oldCount));
  std::string bodies;
  bodies.reserve(static_cast<std::size_t>(added));
  int entry = oldCount;
  for (const auto& icon : icons) {
    ++entry;
    const auto dataPos = static_cast<std::int32_t>(datLength + static_cast<std::int64_t>(bodies.size()) + 1);
    const LibSrcItem item = NewSrcItem(icon.Width, icon.Height, icon.BitCount, dataPos,
                                       static_cast<std::int32_t>(icon.Body.size()));
    src += EncodeSrcItem(item, EntryPos(entry));
    bodies += AsChars(icon.Body);
  }
  SetHeadCounts(src, entry, static_cast<std::int64_t>(src.size()), datLength + added);

  // The bodies first, behind everything the old entries use.
  const std::string datPath = reader.HasDat() ? reader.DatPath() : DefaultDatPath(srcPath);
  errno = 0;
  const int h = reader.HasDat() ? ops.OpenAppend(datPath) : ops.Create(datPath, 0644);
  if (h < 0) return Failed(reader, Why(Fault::CannotOpen, datPath));
  std::optional<Failure> error;
  if (!ops.Write(h, bodies))
    error = Why(Fault::CannotWrite, datPath);
  else if (!ops.Flush(h))
    error = Why(Fault::CannotFlush, datPath);
  if (!ops.Close(h) && !error) error = Why(Fault::CannotClose, datPath);
  if (!error)
    if (Result<void> replaced = ReplaceIndex(ops, srcPath, src); !replaced) error = replaced.Error();
  if (error) {
    // The old index stays: what was appended for it goes again, so the data file keeps the
    // length its header gives.
    if (reader.HasDat())
      (void)CutDataFile(ops, datPath, reader.DatSize());  // what is left over is cut at the next opening
    else
      ops.Remove(datPath);
    return Failed(reader, *error);
  }
  result.Ok = true;
  result.IconCount = entry;
  return result;
}

DeleteResult DeleteEntries(const std::string& srcPath, std::span<const EntryId> entries, LibraryFileOps& ops) {
  DeleteResult result;
  LibraryLock lock;
  LibraryReader reader;
  const auto fail = [&](Failure e) {
    static_cast<LibWriteResult&>(result) = Failed(reader, std::move(e));
    return result;
  };
  if (Result<void> open = OpenForChange(srcPath, ops, lock, reader); !open) return fail(open.Error());
  if (Result<void> checked = CheckEntries(reader, entries); !checked) return fail(checked.Error());
  const int oldCount = reader.IconCount();
  std::vector<bool> gone(static_cast<std::size_t>(oldCount) + 1, false);
  for (const EntryId& id : entries) gone[static_cast<std::size_t>(id.Entry)] = true;
  const int deleted = static_cast<int>(std::count(gone.begin(), gone.end(), true));
  result.IconCount = oldCount;
  if (deleted == 0) {
    result.Ok = true;
    return result;
  }

  // Every kept entry must point inside the data file, and the compacted file must fit the 32-bit
  // positions: entries that share one body each get a copy of it, so the new file can be larger
  // than the old one. Both are checked before anything is written.
  std::int64_t keptBytes = 0;
  for (int i = 1; i <= oldCount; ++i) {
    if (gone[static_cast<std::size_t>(i)]) continue;
    const LibSrcItem item = *reader.Item(i);
    if (!BodyInDat(item, reader.DatSize()))
      return fail(FailAt(Fault::LibraryIconOutsideDataKept, srcPath, i));
    keptBytes += item.DataSize;
  }
  if (keptBytes >= kMaxDatBytes)
    return fail(Fail(Fault::LibraryDataTooLargeKept, srcPath));

  const std::string datNew = DatNewPath(srcPath);
  const std::string srcNew = SrcNewPath(srcPath);
  const std::string commit = SrcCommitPath(srcPath);

  // The kept bodies, in their old order, streamed into the new data file.
  errno = 0;
  const int h = ops.Create(datNew, 0644);
  if (h < 0) return fail(Why(Fault::CannotCreate, datNew));
  std::string src = reader.SrcBytes().substr(0, kSrcHeadSize);
  src.reserve(kSrcHeadSize + kSrcItemSize * static_cast<std::size_t>(oldCount - deleted));
  std::string chunk;
  std::int64_t written = 0;
  int kept = 0;
  std::optional<Failure> error;
  for (int i = 1; i <= oldCount && !error; ++i) {
    if (gone[static_cast<std::size_t>(i)]) continue;
    LibSrcItem item = *reader.Item(i);
    const auto body = reader.Body(item);
    if (!body) {
      error = FailAt(Fault::LibraryIconUnreadable, srcPath, i);
      break;
    }
    ++kept;
    item.DataPos = static_cast<std::int32_t>(written + static_cast<std::int64_t>(chunk.size()) + 1);
    src += EncodeSrcItem(item, EntryPos(kept));
    chunk += AsChars(*body);
    if (chunk.size() >= kCopyChunk) {
      if (!ops.Write(h, chunk)) error = Why(Fault::CannotWrite, datNew);
      written += static_cast<std::int64_t>(chunk.size());
      chunk.clear();
    }
  }
  if (!error && !chunk.empty()) {
    if (!ops.Write(h, chunk)) error = Why(Fault::CannotWrite, datNew);
    written += static_cast<std::int64_t>(chunk.size());
  }
  if (!error && !ops.Flush(h)) error = Why(Fault::CannotFlush, datNew);
  if (!ops.Close(h) && !error) error = Why(Fault::CannotClose, datNew);
  if (error) {
    ops.Remove(datNew);
    return fail(*error);
  }
  SetHeadCounts(src, kept, static_cast<std::int64_t>(src.size()), written);
  if (Result<void> indexed = WriteNewFile(ops, srcNew, src); !indexed) {
    ops.Remove(datNew);
    return fail(indexed.Error());
  }
  errno = 0;
  if (!ops.Rename(srcNew, commit)) {
    Failure e = Why(Fault::CannotReplace, srcPath);
    ops.Remove(srcNew);
    ops.Remove(datNew);
    return fail(e);
  }
  // Committed: the new pair is the library now, whatever happens to the two renames below (a
  // reader takes the committed files, and the next change finishes the renames).
  const std::string datPath = reader.HasDat() ? reader.DatPath() : DefaultDatPath(srcPath);
  if (ops.Rename(datNew, datPath)) (void)ops.Rename(commit, srcPath);
  result.Ok = true;
  result.Error = {};
  result.IconCount = kept;
  result.Deleted = deleted;
  result.FirstEntryGone = gone[1];
  return result;
}

namespace {

// Rewrites the bytes from `fieldAt` of each of `entries` with what `bytesFor` makes of the entry.
LibWriteResult RewriteEntries(const std::string& srcPath, std::span<const EntryId> entries, LibraryFileOps& ops,
                              std::size_t fieldAt, const std::function<std::string(const LibSrcItem&)>& bytesFor) {
  LibraryLock lock;
  LibraryReader reader;
  if (Result<void> open = OpenForChange(srcPath, ops, lock, reader); !open) return Failed(reader, open.Error());
  if (Result<void> checked = CheckEntries(reader, entries); !checked) return Failed(reader, checked.Error());
  LibWriteResult result;
  result.IconCount = reader.IconCount();
  if (entries.empty()) {
    result.Ok = true;
    return result;
  }
  std::string src = reader.SrcBytes();
  for (const EntryId& id : entries) {
    const std::string fieldBytes = bytesFor(*reader.Item(id.Entry));
    const auto at = static_cast<std::size_t>(EntryPos(id.Entry) - 1) + fieldAt;
    src.replace(at, fieldBytes.size(), fieldBytes);
  }
  if (Result<void> replaced = ReplaceIndex(ops, srcPath, src); !replaced) return Failed(reader, replaced.Error());
  result.Ok = true;
  return result;
}

// The byte offsets of the author fields in an entry, and their widths.
struct AuthorField {
  std::string AuthorFields::*text;
  std::string LibSrcItem::*stored;
  std::size_t width;
};
constexpr AuthorField kAuthorFields[] = {
    {&AuthorFields::AuthorName, &LibSrcItem::AuthorName, kAuthorNameBytes},
    {&AuthorFields::AuthorEmail, &LibSrcItem::AuthorEmail, kAuthorEmailBytes},
    {&AuthorFields::AuthorHomepage, &LibSrcItem::AuthorHomepage, kAuthorHomepageBytes},
    {&AuthorFields::Note, &LibSrcItem::Note, kNoteBytes},
};

}  // namespace

LibWriteResult SetKeyword(const std::string& srcPath, std::span<const EntryId> entries, std::string_view keyword,
                          LibraryFileOps& ops, Language lang) {
  return RewriteEntries(srcPath, entries, ops, 13, [&](const LibSrcItem& entry) {
    return KeptFieldBytes(keyword, entry.Keyword, kKeywordBytes, lang);
  });
}

LibWriteResult SetAuthor(const std::string& srcPath, EntryId entry, const AuthorFields& fields, LibraryFileOps& ops,
                         Language lang) {
  return RewriteEntries(srcPath, std::span<const EntryId>(&entry, 1), ops, 50, [&](const LibSrcItem& stored) {
    std::string bytes;
    for (const AuthorField& f : kAuthorFields) bytes += KeptFieldBytes(fields.*f.text, stored.*f.stored, f.width, lang);
    return bytes;
  });
}

AuthorFields StoredAuthorFields(const AuthorFields& fields, const LibSrcItem& entry, Language lang) {
  AuthorFields out;
  for (const AuthorField& f : kAuthorFields)
    out.*f.text = FieldText(KeptFieldBytes(fields.*f.text, entry.*f.stored, f.width, lang), lang);
  return out;
}

LibWriteResult CreateLibraryFiles(const std::string& srcPath, const LibSrcHead& head, LibraryFileOps& ops) {
  LibWriteResult result;
  const LibraryLock lock = LibraryLock::Acquire(srcPath);
  if (!lock.Held()) {
    result.Error = lock.Problem();
    return result;
  }
  // What a create killed halfway left behind is no library: it must not block this one.
  TidyLibraryFilesLocked(srcPath, ops);
  if (FileExists(srcPath) || FindDatPath(srcPath)) {
    result.Error = Fail(Fault::LibraryFilesExist, LibBasePath(srcPath));
    return result;
  }
  // Committed like every other change: the pair appears whole or not at all.
  const std::string datNew = DatNewPath(srcPath);
  const std::string srcNew = SrcNewPath(srcPath);
  const std::string commit = SrcCommitPath(srcPath);
  if (Result<void> written = WriteNewFile(ops, datNew, {}); !written) {
    result.Error = written.Error();
    return result;
  }
  if (Result<void> written = WriteNewFile(ops, srcNew, EncodeSrcHead(head)); !written) {
    ops.Remove(datNew);
    result.Error = written.Error();
    return result;
  }
  errno = 0;
  if (!ops.Rename(srcNew, commit)) {
    result.Error = Why(Fault::CannotCreate, srcPath);
    ops.Remove(srcNew);
    ops.Remove(datNew);
    return result;
  }
  // Committed: a reader takes the committed files, and the next look at the library finishes.
  if (ops.Rename(datNew, DefaultDatPath(srcPath))) (void)ops.Rename(commit, srcPath);
  result.Ok = true;
  return result;
}

bool CutUnusedData(const LibraryReader& reader, LibraryFileOps& ops) {
  if (!UnusedDataFrom(reader)) return false;
  // Held by another window: the bytes are its append in progress.
  const LibraryLock lock = LibraryLock::TryAcquire(reader.SrcPath());
  if (!lock.Held()) return false;
  // An append may have been committed since `reader` read the index: look again under the lock.
  return CutUnusedDataLocked(LibraryReader::Open(reader.SrcPath()), ops);
}

void TidyLibraryFiles(const std::string& srcPath, FileOps& ops) {
  // Nothing to tidy is the common case, and costs no lock (nor a lock file).
  const bool scratch = FileExists(SrcCommitPath(srcPath)) || FileExists(DatNewPath(srcPath)) ||
                       FileExists(SrcNewPath(srcPath)) || FileExists(SrcLockPath(srcPath));
  if (!scratch && (FileExists(srcPath) || !FindDatPath(srcPath))) return;
  // Held by another window: the scratch files are its change in progress.
  const LibraryLock lock = LibraryLock::TryAcquire(srcPath);
  if (lock.Held()) TidyLibraryFilesLocked(srcPath, ops);
}

void TidyCategoryFolder(const std::string& folder, FileOps& ops) {
  const std::vector<std::string> names = ListFolderFiles(folder);
  std::unordered_set<std::string> indexes;  // the index files, in capitals
  for (const auto& name : names)
    if (EndsWithIgnoringCase(name, ".src")) indexes.insert(AsciiUpper(name));
  // Only a library with scratch files, or a data file without its index file, has anything to
  // tidy: a whole pair is left alone, so a look at a large category costs one listing.
  std::vector<std::string> libraries;
  for (const auto& name : names) {
    std::string_view base = name;
    for (const std::string_view tail : {".src.commit", ".src.new", ".dat.new", ".src.lock", ".dat"}) {
      if (!EndsWithIgnoringCase(base, tail)) continue;
      base.remove_suffix(tail.size());
      const std::string src = std::string(base) + ".src";
      if (tail != ".dat" || !indexes.contains(AsciiUpper(src))) libraries.push_back(JoinPath(folder, src));
      break;
    }
  }
  for (std::string src : libraries) {
    // The index file under its own spelling, when there is one.
    if (const auto found = FindNameIgnoringCase(folder, NameOfPath(src))) src = JoinPath(folder, *found);
    TidyLibraryFiles(src, ops);
  }
}

}  // namespace glimmora
