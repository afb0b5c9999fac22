#include "save/SaveNotes.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <span>

#include "files/FileBytes.h"
#include "common/Paths.h"
#include "files/ReplaceFile.h"

namespace glimmora {
namespace {

constexpr const char* kReadmeFirstWords = "These ICO/BMP Files are from ";

std::string TwoDigits(int n) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d", n);
  return buf;
}

}  // namespace

std::string DateText(const LocalDateTime& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%02d-%02d-%04d", t.month, t.day, t.year);
  return buf;
}

std::string TimeText(const LocalDateTime& t) {
  return TwoDigits(t.hour) + ":" + TwoDigits(t.minute) + ":" + TwoDigits(t.second);
}

std::string ReadmeText(const std::string& sourceFile, const std::string& appTitle, const LocalDateTime& now,
                       int dateIndent) {
  const std::string crlf = "\r\n";
  return kReadmeFirstWords + sourceFile + "." + crlf + crlf + std::string(25, ' ') + appTitle + crlf + crlf +
         std::string(static_cast<std::size_t>(dateIndent), ' ') + DateText(now) + "  " + TimeText(now) + crlf;
}

bool IsOurReadme(const std::string& path) {
  const std::string want = kReadmeFirstWords;
  const Result<std::string> got = ReadFileStart(path, want.size());
  return got && *got == want;
}

bool ReadmeWanted(const std::string& path) {
  struct stat st {};
  // Missing, or left empty by a save that was killed before it wrote the readme.
  if (::lstat(path.c_str(), &st) != 0) return errno == ENOENT;
  return S_ISREG(st.st_mode) && st.st_size == 0;
}

Result<void> WriteReadme(const std::string& folder, const std::string& text, bool folderCreatedNow) {
  const std::string path = JoinPath(folder, "readme.txt");
  if (!folderCreatedNow && !ReadmeWanted(path) && !IsOurReadme(path)) return Fail(Fault::CannotReplace, path, EEXIST);
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return ReplaceFileBytes(path, std::span<const std::uint8_t>(bytes, text.size()));
}

std::string ClipboardNoteText(const std::string& sourceFile, const LocalDateTime& now) {
  return sourceFile + "   " + DateText(now) + " " + TimeText(now) + "\r\n";
}

}  // namespace glimmora
