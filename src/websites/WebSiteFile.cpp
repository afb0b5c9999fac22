#include "websites/WebSiteFile.h"

#include <algorithm>
#include <cstdint>

#include "websites/AtomicFile.h"

namespace glimmora {

WebSiteFile ParseWebSiteFile(std::string_view bytes) {
  WebSiteFile file;
  const std::size_t headLen = std::min(bytes.size(), kWebHeaderSize);
  file.Header.replace(0, headLen, bytes.substr(0, headLen));
  int count = 0;
  if (bytes.size() >= 2) {
    const auto lo = static_cast<unsigned char>(bytes[0]);
    const auto hi = static_cast<unsigned char>(bytes[1]);
    count = static_cast<std::int16_t>(static_cast<std::uint16_t>(lo | (hi << 8)));
  }
  const std::size_t present =
      bytes.size() > kWebHeaderSize ? (bytes.size() - kWebHeaderSize) / kWebRecordSize : 0;
  const std::size_t n = count > 0 ? std::min(static_cast<std::size_t>(count), present) : 0;
  file.Records.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    file.Records.emplace_back(bytes.substr(kWebHeaderSize + i * kWebRecordSize, kWebRecordSize));
  return file;
}

std::optional<WebSiteFile> ReadWebSiteFile(const std::string& path) {
  const auto bytes = ReadFileStart(path, kWebHeaderSize + kWebRecordSize * kWebMaxRecords);
  if (!bytes) return std::nullopt;
  return ParseWebSiteFile(*bytes);
}

std::string SerializeWebSiteFile(const WebSiteFile& file) {
  std::string out = file.Header;
  out.resize(kWebHeaderSize, '\0');
  const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(file.Records.size(), kWebMaxRecords));
  out[0] = static_cast<char>(count & 0xFF);
  out[1] = static_cast<char>(count >> 8);
  out.reserve(kWebHeaderSize + count * kWebRecordSize);
  for (std::size_t i = 0; i < count; ++i) {
    WebRecordBytes r = file.Records[i];
    r.resize(kWebRecordSize, '\0');
    out += r;
  }
  return out;
}

}  // namespace glimmora
