// Includes between the folders of src/ run one way: basics at the bottom, the shared layers above
// them, the pages above those without knowing each other, the frame on top. This reads every
// quoted include and fails on one that runs against that order, or from a folder the table does
// not know yet (a new folder gets its place in the table first), or that closes a circle through
// files of other folders.

#include <gtest/gtest.h>

#include <filesystem>
#include <algorithm>
#include <fstream>
#include <functional>
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

// The quoted includes of every file under src/, by file without its extension: a header and its
// source count as one file.
std::map<std::string, std::set<std::string>> IncludesByFile() {
  const fs::path src = fs::path(GLIMMORA_SOURCE_DIR) / "src";
  const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::map<std::string, std::set<std::string>> graph;
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    const fs::path relative = fs::relative(entry.path(), src);
    const fs::path self = relative.parent_path() / relative.stem();
    std::set<std::string>& out = graph[self.string()];
    std::ifstream in(entry.path());
    std::string line;
    while (std::getline(in, line)) {
      std::smatch m;
      if (!std::regex_search(line, m, include)) continue;
      fs::path to(m[1].str());
      if (m[1].str().find('/') == std::string::npos) to = relative.parent_path() / to;
      if (to.parent_path() / to.stem() != self) out.insert((to.parent_path() / to.stem()).string());
    }
  }
  return graph;
}

// Two classes of one folder may know each other (a page and its controller), but files of
// different folders never lead back to themselves: the picture loaders use the metafile player,
// so nothing of the player may use the loaders.
TEST(IncludeDirections, NoCycleLeavesItsFolder) {
  const auto graph = IncludesByFile();
  // Tarjan's strongly connected components: each one is a set of files that reach each other.
  std::map<std::string, int> index, low;
  std::vector<std::string> stack;
  std::set<std::string> onStack;
  std::vector<std::string> wrong;
  std::function<void(const std::string&)> visit = [&](const std::string& file) {
    index[file] = low[file] = static_cast<int>(index.size());
    stack.push_back(file);
    onStack.insert(file);
    if (const auto it = graph.find(file); it != graph.end())
      for (const std::string& next : it->second) {
        if (!index.count(next)) {
          visit(next);
          low[file] = std::min(low[file], low[next]);
        } else if (onStack.count(next)) {
          low[file] = std::min(low[file], index[next]);
        }
      }
    if (low[file] != index[file]) return;
    std::set<std::string> component, folders;
    for (std::string top; top != file;) {
      top = stack.back();
      stack.pop_back();
      onStack.erase(top);
      component.insert(top);
      folders.insert(fs::path(top).parent_path().string());
    }
    if (folders.size() > 1) {
      std::string files;
      for (const std::string& c : component) files += " " + c;
      wrong.push_back(files);
    }
  };
  for (const auto& [file, includes] : graph)
    if (!index.count(file)) visit(file);
  EXPECT_GT(graph.size(), 100u);
  std::string report;
  for (const std::string& w : wrong) report += "\n " + w;
  EXPECT_TRUE(wrong.empty()) << "files of different folders that include each other:" << report;
}

}  // namespace
