#pragma once
// A temporary program folder for the main window's tests, with hand-made language files.
// Kept in a namespace of its own: other test helpers of the same names live in glimmora::testing.

#include <array>
#include <deque>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "text/LanguageSource.h"
#include "common/ShellServices.h"
#include "support/ScriptedShell.h"
#include "support/TempDir.h"

namespace glimmora::mwtest {

namespace fs = std::filesystem;

// The shared test helpers under the names these tests use.
using TempFolder = testing::TempDir;
using ScriptedBrowser = testing::ScriptedFolderBrowser;

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Language files holding `rows` (row -> English, GB, BIG5) with `stored` as the chosen language.
inline void WriteLanguageFiles(const fs::path& folder,
                               const std::map<int, std::array<std::string, 3>>& rows,
                               unsigned char stored = 0) {
  std::vector<LangSourceRow> source;
  for (const auto& [row, text] : rows) source.push_back({row, text, "test", ""});
  LanguageFileBytes files;
  std::string error;
  ASSERT_TRUE(MakeLanguageFileBytes(source, files, error)) << error;
  files.shortFile[0] = static_cast<char>(stored);
  files.longFile[0] = static_cast<char>(stored);
  WriteFile(folder / "chglangs.dat", files.shortFile);
  WriteFile(folder / "chglangl.dat", files.longFile);
}

// A complete installation: the executable, WebSiteLib with a file, language files whose only text
// is a row the program never shows (a captions file without any is damaged).
inline void MakeInstallation(const fs::path& folder, const std::string& exeName = "glimmora") {
  WriteFile(folder / exeName, "#!");
  WriteFile(folder / "WebSiteLib" / "HomePage.Lib", std::string(100, '\0'));
  WriteLanguageFiles(folder, {{136, {"-", "-", "-"}}});
}

}  // namespace glimmora::mwtest
