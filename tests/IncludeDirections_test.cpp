// Includes between the folders of src/ run one way: basics at the bottom, the shared layers above
// them, the pages above those without knowing each other, the frame on top. This reads every
// quoted include and fails on one that runs against that order, or from a folder the table does
// not know yet (a new folder gets its place in the table first).
//
// The same reading keeps the code's own names plain: an event-handler name ("Control_Click") or
// a misspelt word of the old program may stand in a string or a comment, never as a name.

#include <gtest/gtest.h>

#include <filesystem>
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

// Calls `visit` with each line of code under src/ (its path and number), strings, characters and
// comments blanked out.
void ForEachCodeLine(const std::function<void(const std::string&, int, const std::string&)>& visit) {
  const fs::path src = fs::path(GLIMMORA_SOURCE_DIR) / "src";
  const std::regex literal(R"("(?:[^"\\]|\\.)*"|'(?:[^'\\]|\\.)+')");
  for (const auto& entry : fs::recursive_directory_iterator(src)) {
    const std::string ext = entry.path().extension().string();
    if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
    const std::string relative = fs::relative(entry.path(), src).string();
    std::ifstream in(entry.path());
    std::string line;
    bool inBlock = false;
    for (int n = 1; std::getline(in, line); ++n) {
      std::string code = std::regex_replace(line, literal, "\"\"");
      if (inBlock) {
        const auto end = code.find("*/");
        if (end == std::string::npos) continue;
        code.erase(0, end + 2);
        inBlock = false;
      }
      if (const auto c = code.find("//"); c != std::string::npos) code.erase(c);
      if (const auto b = code.find("/*"); b != std::string::npos) {
        inBlock = code.find("*/", b) == std::string::npos;
        code.erase(b);
      }
      visit(relative, n, code);
    }
  }
}

TEST(SourceNames, NoHandlerNamesOrMisspellingsInCode) {
  const std::regex handler(
      R"(\b[A-Za-z]\w*_(Click|DblClick|ItemClick|ItemCheck|MouseDown|MouseUp|KeyUp|KeyDown|Change)\b)");
  const std::regex misspelt(R"(\w*(cancle|Refesh|Cobom)\w*)", std::regex::icase);
  std::vector<std::string> wrong;
  ForEachCodeLine([&](const std::string& file, int n, const std::string& code) {
    std::smatch m;
    if (std::regex_search(code, m, handler) || std::regex_search(code, m, misspelt))
      wrong.push_back(file + ":" + std::to_string(n) + ": " + m[0].str());
  });
  std::string report;
  for (const std::string& w : wrong) report += "\n  " + w;
  EXPECT_TRUE(wrong.empty()) << "names to say what they do:" << report;
}

}  // namespace
