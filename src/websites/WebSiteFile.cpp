#include "websites/WebSiteFile.h"

#include <algorithm>
#include <cstdint>

#include "common/LeBytes.h"
#include "files/ReplaceFile.h"

namespace glimmora {

WebSiteFile ParseWebSiteFile(std::string_view bytes) {
  WebSiteFile file;
  const std::size_t headLen = std::min(bytes.size(), kWebHeaderSize);
  file.Header.replace(0, headLen, bytes.substr(0, headLen));
  file.HeaderCount = bytes.empty() ? 0 : le::I16At(bytes, 0);
  const std::size_t body = bytes.size() > kWebHeaderSize ? bytes.size() - kWebHeaderSize : 0;
  const std::size_t n = std::min(body / kWebRecordSize, static_cast<std::size_t>(kWebMaxRecords));
  file.Records.reserve(n);
  for (std::size_t i = 0; i < n; ++i)
    file.Records.emplace_back(bytes.substr(kWebHeaderSize + i * kWebRecordSize, kWebRecordSize));
  if (body > n * kWebRecordSize) file.Tail = bytes.substr(kWebHeaderSize + n * kWebRecordSize);
  return file;
}

Result<WebSiteFile> ReadWebSiteFile(const std::string& path) {
  const Result<std::string> bytes = ReadFileStart(path, kWebHeaderSize + kWebRecordSize * kWebMaxRecords);
  if (bytes) return ParseWebSiteFile(*bytes);
  if (IsMissingFile(bytes.Error())) return WebSiteFile{};
  return bytes.Error();
}

std::string SerializeWebSiteFile(const WebSiteFile& file) {
  std::string out = file.Header;
  out.resize(kWebHeaderSize, '\0');
  const auto count = static_cast<std::uint16_t>(std::min<std::size_t>(file.Records.size(), kWebMaxRecords));
  le::PutI16At(out, 0, static_cast<std::int16_t>(count));
  out.reserve(kWebHeaderSize + count * kWebRecordSize);
  for (std::size_t i = 0; i < count; ++i) {
    WebRecordBytes r = file.Records[i];
    r.resize(kWebRecordSize, '\0');
    out += r;
  }
  return out + file.Tail;
}

}  // namespace glimmora
