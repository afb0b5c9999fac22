#pragma once
// HomePage.Lib as a whole: a 100-byte header whose first two bytes hold the record count (signed
// 16-bit, little-endian), then the 600-byte records.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "websites/WebSiteRecord.h"

namespace glimmora {

struct WebSiteFile {
  std::string Header = std::string(kWebHeaderSize, '\0');  // kept as found, count excepted
  std::vector<WebRecordBytes> Records;                     // as stored, scrambled
};

// The file's contents. A count that is negative or larger than the records present is cut to the
// whole records the bytes hold; a short header is padded with zeros.
WebSiteFile ParseWebSiteFile(std::string_view bytes);

// A missing file is an empty list; nothing when the file exists but cannot be read (`error` says
// why). Never creates it.
std::optional<WebSiteFile> ReadWebSiteFile(const std::string& path, std::string* error = nullptr);

// The bytes to store: the header with the current count, then every record.
std::string SerializeWebSiteFile(const WebSiteFile& file);

}  // namespace glimmora
