#include "source/FileInfo.h"

#include <sys/stat.h>

#include "text/NumberText.h"

namespace glimmora {

FileFindData GetFileFindData(const std::string& fileName) {
  FileFindData data;
  struct stat st {};
  if (fileName.empty() || ::stat(fileName.c_str(), &st) != 0) return data;
  data.Found = true;
  data.IsFolder = S_ISDIR(st.st_mode);
  data.Size = static_cast<std::uint64_t>(st.st_size);
  data.LastWriteTime = static_cast<std::int64_t>(st.st_mtim.tv_sec);
  return data;
}

std::string FormatFileDate(std::int64_t unixSeconds) {
  const auto t = static_cast<std::time_t>(unixSeconds);
  std::tm tm {};
  if (localtime_r(&t, &tm) == nullptr) return kNoFileDate;
  return std::to_string(tm.tm_year + 1900) + "-" + std::to_string(tm.tm_mon + 1) + "-" +
         std::to_string(tm.tm_mday) + "  " + std::to_string(tm.tm_hour) + ":" + std::to_string(tm.tm_min) +
         ":" + std::to_string(tm.tm_sec);
}

FileDateText GetFileDateText(const std::string& fileName) {
  const FileFindData find = GetFileFindData(fileName);
  FileDateText out;
  out.Size = find.Size;
  out.SizeText = NumToStr(find.Size);
  out.DateText = find.Found ? FormatFileDate(find.LastWriteTime) : kNoFileDate;
  out.DateCopy = out.DateText;
  return out;
}

}  // namespace glimmora
