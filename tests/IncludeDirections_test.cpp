// Includes between the folders of src/ run one way: basics at the bottom, the shared layers above
// them, the pages above those without knowing each other, the frame on top. This reads every
// quoted include and fails on one that runs against that order, or from a folder the table does
// not know yet (a new folder gets its place in the table first).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The folder a path under src/ belongs to: its first part, with a page's widgets ("x/ui") apart
// from its GUI-free logic; "main" for the files directly in src/.
std::string FolderOf(const fs::path& relative) {
  auto it = relative.begin();
  if (std::next(it) == relative.end()) return "main";
  std::string folder = it->string();
  if (++it != relative.end() && std::next(it) != relative.end() && it->string() == "ui") folder += "/ui";
  return folder;
}

// Which folders each folder may include besides itself.
std::map<std::string, std::set<std::string>> MayInclude() {
  const std::set<std::string> pages = {"source", "library", "picturetool", "websites"};
  std::map<std::string, std::set<std::string>> may = {
      {"common", {}},
      {"settings", {"common"}},
      {"shared", {"common", "settings"}},
      {"platform", {"common", "settings", "shared"}},
      {"shared/ui", {"common", "settings", "shared", "platform"}},
      {"mainwindow", {"common", "settings", "shared"}},
  };
  for (const std::string& page : pages) {
    may[page] = {"common", "settings", "shared"};
    may[page + "/ui"] = {"common", "settings", "shared", "platform", "shared/ui", page};
    may["mainwindow"].insert(page);
  }
  may["mainwindow/ui"] = {"mainwindow"};
  for (const auto& [folder, below] : may)
    if (folder != "mainwindow/ui") may["mainwindow/ui"].insert(folder);
  may["main"] = may["mainwindow/ui"];
  may["main"].insert("mainwindow/ui");
  return may;
}

TEST(IncludeDirections, NoIncludeRunsUpOrAcross) {
  const fs::path src = fs::path(GLIMMORA_SOURCE_DIR) / "src";
  const auto may = MayInclude();
  const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<std::string> wrong;
  int files = 0;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    ++files;
    const fs::path relative = fs::relative(entry.path(), src);
    const std::string from = FolderOf(relative);
    const auto allowed = may.find(from);
    std::ifstream in(entry.path());
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
      std::smatch m;
      if (!std::regex_search(line, m, include)) continue;
      if (m[1].str().find('/') == std::string::npos) continue;  // beside the file itself
      const std::string to = FolderOf(fs::path(m[1].str()));
      if (to == from || (allowed != may.end() && allowed->second.count(to) != 0)) continue;
      wrong.push_back(relative.string() + ":" + std::to_string(n) + " (" + from + " -> " + to + "): " + line);
    }
  }
  EXPECT_GT(files, 100);
  std::string report;
  for (const std::string& w : wrong) report += "\n  " + w;
  EXPECT_TRUE(wrong.empty()) << "includes against the direction of the layers:" << report;
}

}  // namespace
