// Builds the first web-site list from the tab-separated entry files: one site a line with the six
// fields Name, Auth, Lang, Add, Note, Detail; lines starting with '#' and empty lines are skipped.
// Files are read in name order. Every record is scrambled with the same fixed key so that the
// build gives the same bytes every time.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "DataGen.h"
#include "files/ReplaceFile.h"
#include "websites/WebSiteFile.h"
#include "websites/WebSiteRecord.h"

namespace glimmora::datagen {

namespace {
constexpr int kShippedKey = 4321;
constexpr const char* kFieldNames[] = {"Name", "Auth", "Lang", "Add", "Note", "Detail"};

std::vector<std::string> SplitTabs(const std::string& line) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const auto tab = line.find('\t', start);
    parts.push_back(line.substr(start, tab == std::string::npos ? std::string::npos : tab - start));
    if (tab == std::string::npos) return parts;
    start = tab + 1;
  }
}
}  // namespace

int MakeWebSiteList(const char* entryFolder, const char* outputFile) {
  namespace fs = std::filesystem;
  std::vector<fs::path> sources;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(entryFolder, ec))
    if (e.path().extension() == ".tsv") sources.push_back(e.path());
  if (ec) {
    std::fprintf(stderr, "websites: cannot read %s: %s\n", entryFolder, ec.message().c_str());
    return 1;
  }
  std::sort(sources.begin(), sources.end());

  WebSiteFile file;
  for (const auto& source : sources) {
    std::ifstream in(source, std::ios::binary);
    std::string line;
    for (int lineNo = 1; std::getline(in, line); ++lineNo) {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      if (line.empty() || line[0] == '#') continue;
      const auto parts = SplitTabs(line);
      if (parts.size() != kWebFieldCount) {
        std::fprintf(stderr, "%s:%d: %zu fields, expected %d\n", source.c_str(), lineNo, parts.size(), kWebFieldCount);
        return 1;
      }
      WebSiteEntry entry;
      for (int i = 0; i < kWebFieldCount; ++i) {
        const std::string& text = parts[static_cast<std::size_t>(i)];
        // A shipped text must come back whole: it has to fit its field with the end marker.
        if (!IsValidUtf8(text) || text.size() + 2 > kWebFields[static_cast<std::size_t>(i)].width ||
            text.find("\\\\") != std::string::npos) {
          std::fprintf(stderr, "%s:%d: field %s does not fit or is not UTF-8\n", source.c_str(), lineNo, kFieldNames[i]);
          return 1;
        }
        entry.Field(i) = text;
      }
      if (file.Records.size() >= static_cast<std::size_t>(kWebMaxRecords)) {
        std::fprintf(stderr, "websites: more than %d entries\n", kWebMaxRecords);
        return 1;
      }
      file.Records.push_back(EncodeWebRecord(entry, kShippedKey));
    }
  }
  const Result<void> written = ReplaceFileAtomically(outputFile, SerializeWebSiteFile(file));
  if (!written) {
    std::fprintf(stderr, "websites: cannot write %s (error %d)\n", written.Error().subject.c_str(),
                 written.Error().sysErrno);
    return 1;
  }
  return 0;
}

}  // namespace glimmora::datagen
