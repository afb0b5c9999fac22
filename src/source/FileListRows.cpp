#include "source/FileListRows.h"

#include <unistd.h>

#include <cerrno>

#include "source/FileInfo.h"
#include "source/SizeText.h"

namespace glimmora {

std::vector<FileListRow> MakeFileRows(const FileListing& listing) {
  std::vector<FileListRow> rows;
  rows.reserve(listing.Files.size());
  for (const ListedFileInfo& f : listing.Files) {
    FileListRow r;
    r.Name = f.Name;
    r.Size = f.Size;
    r.SizeText = FileSizeText(f.Size);
    r.DateText = FormatFileDate(f.LastWriteTime);
    rows.push_back(std::move(r));
  }
  return rows;
}

std::vector<FileStatusRow> StatusRows(const std::vector<FileListRow>& rows) {
  std::vector<FileStatusRow> out;
  out.reserve(rows.size());
  for (const FileListRow& r : rows) out.push_back({r.Size, r.Checked, r.IconCount});
  return out;
}

Result<void> DeleteFileFromDisk(const std::string& path) {
  if (::unlink(path.c_str()) == 0) return {};
  return Fail(Fault::OnFile, path, errno);
}

}  // namespace glimmora
