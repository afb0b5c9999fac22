#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>
#include <vector>

#include "DataGen.h"
#include "text/LanguageFiles.h"
#include "text/LanguageSource.h"

namespace glimmora::datagen {

namespace {

namespace fs = std::filesystem;

bool ReadWhole(const fs::path& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buf;
  buf << in.rdbuf();
  content = buf.str();
  return !in.bad();
}

// Writes beside the target and renames, so an interrupted build never leaves half a file.
bool WriteWhole(const fs::path& path, const std::string& bytes) {
  const fs::path temp = path.string() + ".new";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) return false;
  }
  std::error_code ec;
  fs::rename(temp, path, ec);
  return !ec;
}

// Every *.tsv of `textFolder`, in name order, makes up the texts; a missing folder gives no rows.
bool ReadLanguageSources(const char* textFolder, std::vector<LangSourceRow>& rows) {
  std::vector<fs::path> sources;
  std::error_code ec;
  if (fs::is_directory(textFolder, ec)) {
    for (const auto& entry : fs::directory_iterator(textFolder, ec)) {
      if (entry.path().extension() == ".tsv" && entry.is_regular_file(ec)) sources.push_back(entry.path());
    }
    if (ec) {
      std::fprintf(stderr, "%s: %s\n", textFolder, ec.message().c_str());
      return false;
    }
  }
  std::sort(sources.begin(), sources.end());

  std::string error;
  for (const fs::path& source : sources) {
    std::string content;
    if (!ReadWhole(source, content)) {
      std::fprintf(stderr, "%s: cannot be read\n", source.c_str());
      return false;
    }
    if (!ParseLanguageSource(content, source.string(), rows, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

int MakeLanguageFiles(const char* textFolder, const char* programFolder) {
  std::vector<LangSourceRow> rows;
  if (!ReadLanguageSources(textFolder, rows)) return 1;
  std::string error;
  LanguageFileBytes files;
  if (!MakeLanguageFileBytes(rows, files, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  const fs::path folder(programFolder);
  for (const auto& [name, bytes] : {std::pair{kShortLangFileName, &files.shortFile},
                                    std::pair{kLongLangFileName, &files.longFile}}) {
    if (!WriteWhole(folder / name, *bytes)) {
      std::fprintf(stderr, "%s: cannot be written\n", (folder / name).c_str());
      return 1;
    }
  }
  return 0;
}

int MakeLangRowsHeaderFile(const char* textFolder, const char* headerFile) {
  std::vector<LangSourceRow> rows;
  if (!ReadLanguageSources(textFolder, rows)) return 1;
  std::string header, error;
  if (!MakeLangRowsHeader(rows, header, error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  // An unchanged header keeps its time, so a change to a text alone recompiles nothing.
  std::string old;
  if (ReadWhole(headerFile, old) && old == header) return 0;
  std::error_code ec;
  fs::create_directories(fs::path(headerFile).parent_path(), ec);
  if (!WriteWhole(headerFile, header)) {
    std::fprintf(stderr, "%s: cannot be written\n", headerFile);
    return 1;
  }
  return 0;
}

}  // namespace glimmora::datagen
