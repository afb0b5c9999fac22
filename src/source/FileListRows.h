#pragma once
// The rows of the file list, GUI-free: what each column says, and the check state.

#include <cstdint>
#include <string>
#include <vector>

#include "common/Result.h"
#include "source/FileListStatus.h"
#include "source/FolderReader.h"

namespace glimmora {

inline constexpr const char* kIconsNotSearched = "   ?";

struct FileListRow {
  std::string Name;
  std::uint64_t Size = 0;
  std::string SizeText;  // "512 (.5KB)"
  std::string DateText;  // "2000-6-6  9:5:0", local time
  std::string Icons = kIconsNotSearched;
  std::string Details;
  long long IconCount = 0;  // the number in Icons; 0 before a search
  bool Checked = false;
};

// One row per listed file, in listing order.
std::vector<FileListRow> MakeFileRows(const FileListing& listing);

// The rows as the status sees them.
std::vector<FileStatusRow> StatusRows(const std::vector<FileListRow>& rows);

// Deletes one file from disk.
[[nodiscard]] Result<void> DeleteFileFromDisk(const std::string& path);

}  // namespace glimmora
