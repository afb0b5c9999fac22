#pragma once
// HomePage.Lib as a whole: a 100-byte header whose first two bytes hold the record count (signed
// 16-bit, little-endian), then the 600-byte records.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/Result.h"
#include "websites/WebSiteRecord.h"

namespace glimmora {

struct WebSiteFile {
  std::string Header = std::string(kWebHeaderSize, '\0');  // kept as found, count excepted
  std::vector<WebRecordBytes> Records;                     // as stored, scrambled
  int HeaderCount = 0;                                     // the count the header holds
  std::string Tail;  // bytes past the last whole record, written back as found
  // False when the header's count is not the number of records the file holds.
  bool CountMatches() const { return HeaderCount == static_cast<int>(Records.size()); }
};

// The file's contents: every whole record the bytes hold, whatever the header's count says (a count
// that is damaged must not hide, and so lose at the next change, the records behind it); a short
// header is padded with zeros.
WebSiteFile ParseWebSiteFile(std::string_view bytes);

// A missing file is an empty list; a failure when the file exists but cannot be read. Never
// creates it.
[[nodiscard]] Result<WebSiteFile> ReadWebSiteFile(const std::string& path);

// The bytes to store: the header with the current count, every record, then the tail.
std::string SerializeWebSiteFile(const WebSiteFile& file);

}  // namespace glimmora
