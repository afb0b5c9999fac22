// Includes between the folders of src/ run one way: basics at the bottom, the shared layers above
// them, the pages above those without knowing each other, the frame on top. This reads every
// quoted include and fails on one that runs against that order, or from a folder the table does
// not know yet (a new folder gets its place in the table first), or that closes a circle through
// files of other folders.
// Language rows go by their names (kRow... of the generated text/LangRows.h), never by number, and
// the code's own names are plain: an event-handler name ("Control_Click") or a misspelt word of the
// old program may stand in a string or a comment, never as a name.
// Toolbar slots and key codes go by their names (kTool..., kVk...), never by number.
// A menu name written as a text outside its table must be one the table has: a slip in it would
// otherwise be silently ignored where the menu is looked up.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "mainwindow/MenuTable.h"

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

// The engine's rooms, from the bottom up: each may include the rooms below it.
const std::vector<std::string> kEngineRooms = {"common", "files", "text", "icons", "scan", "save"};

// Which folders each folder may include besides itself.
std::map<std::string, std::set<std::string>> MayInclude() {
  const std::set<std::string> pages = {"source", "library", "picturetool", "websites"};
  const std::set<std::string> engine(kEngineRooms.begin(), kEngineRooms.end());
  auto engineAnd = [&](std::initializer_list<std::string> more) {
    std::set<std::string> s = engine;
    s.insert(more.begin(), more.end());
    return s;
  };
  std::map<std::string, std::set<std::string>> may = {
      {"settings", engineAnd({})},
      {"shared", engineAnd({"settings"})},
      {"platform", engineAnd({"settings", "shared"})},
      {"shared/ui", engineAnd({"settings", "shared", "platform"})},
      {"mainwindow", engineAnd({"settings", "shared"})},
  };
  for (std::size_t i = 0; i < kEngineRooms.size(); ++i)
    may[kEngineRooms[i]] = std::set<std::string>(kEngineRooms.begin(), kEngineRooms.begin() + i);
  for (const std::string& page : pages) {
    may[page] = engineAnd({"settings", "shared"});
    may[page + "/ui"] = engineAnd({"settings", "shared", "platform", "shared/ui", page});
    may["mainwindow"].insert(page);
  }
  may["mainwindow/ui"] = {"mainwindow"};
  for (const auto& [folder, below] : may)
    if (folder != "mainwindow/ui") may["mainwindow/ui"].insert(folder);
  may["main"] = may["mainwindow/ui"];
  may["main"].insert("mainwindow/ui");
  return may;
}

struct SourceFile {
  fs::path relative;  // to src/
  std::string text;
};

// Every source file under src/, read once for all the checks.
const std::vector<SourceFile>& SourceFiles() {
  static const std::vector<SourceFile> files = [] {
    const fs::path src = fs::path(GLIMMORA_SOURCE_DIR) / "src";
    std::vector<SourceFile> read;
    for (const auto& entry : fs::recursive_directory_iterator(src)) {
      const std::string ext = entry.path().extension().string();
      if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) continue;
      std::ifstream in(entry.path());
      std::ostringstream text;
      text << in.rdbuf();
      read.push_back({fs::relative(entry.path(), src), text.str()});
    }
    return read;
  }();
  EXPECT_GT(files.size(), 100u);
  return files;
}

TEST(IncludeDirections, NoIncludeRunsUpOrAcross) {
  const auto may = MayInclude();
  const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<std::string> wrong;
  for (const SourceFile& file : SourceFiles()) {
    const std::string from = FolderOf(file.relative);
    const auto allowed = may.find(from);
    std::istringstream in(file.text);
    std::string line;
    for (int n = 1; std::getline(in, line); ++n) {
      std::smatch m;
      if (!std::regex_search(line, m, include)) continue;
      if (m[1].str().find('/') == std::string::npos) continue;  // beside the file itself
      const std::string to = FolderOf(fs::path(m[1].str()));
      if (to == from || (allowed != may.end() && allowed->second.count(to) != 0)) continue;
      wrong.push_back(file.relative.string() + ":" + std::to_string(n) + " (" + from + " -> " + to + "): " + line);
    }
  }
  std::string report;
  for (const std::string& w : wrong) report += "\n  " + w;
  EXPECT_TRUE(wrong.empty()) << "includes against the direction of the layers:" << report;
}

// Texts and comments may hold any number: they become blanks, a text keeping its quotes.
std::string BlankTextsAndComments(std::string code) {
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code.compare(i, 2, "//") == 0) {
      for (; i < code.size() && code[i] != '\n'; ++i) code[i] = ' ';
    } else if (code[i] == '"' ||
               (code[i] == '\'' && (i == 0 || !std::isalnum(static_cast<unsigned char>(code[i - 1]))))) {
      const char quote = code[i];
      for (++i; i < code.size() && code[i] != quote && code[i] != '\n'; ++i) {
        if (code[i] == '\\') code[i++] = ' ';
        if (i < code.size()) code[i] = ' ';
      }
    }
  }
  return code;
}

// Where the code (texts and comments blanked) of the files `wanted` picks matches any of the
// patterns: "file:line: the line" for each, one a line.
template <std::size_t N>
std::string CodeMatches(const std::regex (&patterns)[N],
                        const std::function<bool(const SourceFile&)>& wanted = [](const SourceFile&) { return true; }) {
  std::string report;
  for (const SourceFile& file : SourceFiles()) {
    if (!wanted(file)) continue;
    const std::string code = BlankTextsAndComments(file.text);
    for (const std::regex& pattern : patterns) {
      for (std::sregex_iterator m(code.begin(), code.end(), pattern), end; m != end; ++m) {
        const auto at = code.begin() + m->position();
        const auto line = std::count(code.begin(), at, '\n') + 1;
        const auto from = code.rfind('\n', m->position()) + 1;
        report += "\n  " + file.relative.string() + ":" + std::to_string(line) + ": " +
                  file.text.substr(from, code.find('\n', m->position()) - from);
      }
    }
  }
  return report;
}

TEST(LanguageRowNames, NoRowIsWrittenAsANumber) {
  // Where the code hands a row over: the row argument of the calls that take one (a number, a
  // branch of ?: or the base of `N + index`), a row field or constant, and the menu tables.
  const std::regex bare[] = {
      std::regex(R"(\b(Row|Summary|refuse|Tell)\(\s*\d)"),
      std::regex(R"(\b(Row|AskRow|AskRowToDelete|RowRequest|Text)\([^();]*[?:]\s*\d)"),
      std::regex(R"(\b(AskRow|AskRowToDelete|RowRequest|Text)\([^,;()]*,\s*\d)"),
      std::regex(R"(\b(Tell|AskText|AskYesNo|Failed|TellFailure|Refuse|Summary|TextQuestion|AgreesToDelete|)"
                 R"(AskYesToDelete|FailedSaveText)\([^;]*[,?:]\s*[1-9]\d*\s*[,):])"),
      std::regex(R"(\b(row|\w*[a-z0-9]Row)\s*(=|==|!=)\s*([^;,}]*[?:]\s*)?[1-9])"),
      std::regex(R"(\bkRow[A-Z]\w*\s*=\s*\d)"),
      std::regex(R"(\bt\.(Menu|Item|Run)\([^,;]*,[^,;]*,\s*[1-9])"),
      std::regex(R"(\bt\.Element\([^,;]*,[^,;]*,[^,;]*,\s*[1-9])"),
      std::regex(R"(\{\s*"[^"]*"\s*,\s*[1-9]\d*\s*,(?!\s*(true|false)))"),
      std::regex(R"(\{\s*"[^"]*"\s*,\s*-?\d+\s*,\s*(true|false)\s*,\s*[1-9])"),
      std::regex(R"(\{\s*\d+\s*,\s*[1-9]\d*\s*,\s*("[^"]*"|\{\}))"),
      std::regex(R"(\{\s*[1-9]\d*\s*,\s*\{\s*\d)"),
  };
  EXPECT_EQ(CodeMatches(bare), "") << "language rows by number (use their kRow names)";
}

TEST(SourceNames, NoHandlerNamesOrMisspellingsInCode) {
  const std::regex wrongNames[] = {
      std::regex(R"(\b[A-Za-z]\w*_(Click|DblClick|ItemClick|ItemCheck|MouseDown|MouseUp|KeyUp|KeyDown|Change)\b)"),
      std::regex(R"(\w*(cancle|Refesh|Cobom)\w*)", std::regex::icase),
  };
  EXPECT_EQ(CodeMatches(wrongNames), "") << "names to say what they do";
}

// The quoted includes of every file under src/, by file without its extension: a header and its
// source count as one file.
std::map<std::string, std::set<std::string>> IncludesByFile() {
  const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::map<std::string, std::set<std::string>> graph;
  for (const SourceFile& file : SourceFiles()) {
    const fs::path& relative = file.relative;
    const fs::path self = relative.parent_path() / relative.stem();
    std::set<std::string>& out = graph[self.string()];
    std::istringstream in(file.text);
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

TEST(SourceNames, ToolbarSlotsAndKeyCodesGoByName) {
  const std::regex bare[] = {
      std::regex(R"(\.command\s*=\s*\d)"),
      std::regex(R"(\b(Button|SetToolButtonEnabled|SetToolButtonsEnabled|SetEnabled|emplace_back)\(\s*\d)"),
      std::regex(R"(\bfor\s*\(\s*int\s+b\s*[:=]\s*\{?\s*\d)"),
      std::regex(R"(\b(pressedView|buttonIndex|command|button)\s*(==|!=|<=|>=|<|>|-)\s*[1-9])"),
      std::regex(R"(\bvk\s*(==|!=|<=|>=|<|>)\s*[1-9])"),
  };
  // Where toolbar buttons are switched, and the frame's files.
  EXPECT_EQ(CodeMatches(bare,
                        [](const SourceFile& f) {
                          return f.relative.parent_path().string().starts_with("mainwindow") ||
                                 f.text.find("Button(") != std::string::npos;
                        }),
            "")
      << "toolbar slots or key codes by number (use kTool... / kVk...)";
  // The key translation hands back key codes by name.
  const std::regex codes[] = {std::regex(R"(\breturn\s+[1-9]\d*\s*(\+[^;]*)?;)")};
  EXPECT_EQ(CodeMatches(codes, [](const SourceFile& f) { return f.relative == "mainwindow/ui/CommandsWiring.cpp"; }), "")
      << "key codes by number (use kVk...)";
}

TEST(SourceNames, MenuNamesInTextsAreInTheTable) {
  std::set<std::string> menus;
  for (const glimmora::MenuEntry& entry : glimmora::MenuTable()) menus.insert(std::string(entry.name));
  const std::set<std::string> tables = {"mainwindow/MenuTable.cpp", "mainwindow/CommandTable.cpp"};
  // A menu name is mn... or Pop.../PoP....
  const std::regex menuText(R"re("((mn|Pop|PoP)[A-Z0-9a-z][A-Za-z0-9]*)")re");
  std::vector<std::string> wrong;
  for (const SourceFile& file : SourceFiles()) {
    const auto where = [&](const std::smatch& m) {
      return file.relative.string() + ":" +
             std::to_string(std::count(file.text.begin(), file.text.begin() + m.position(), '\n') + 1) + ": ";
    };
    // Comments may still give an item's former name.
    const auto inComment = [&](const std::smatch& m) {
      const std::size_t from = file.text.rfind('\n', static_cast<std::size_t>(m.position())) + 1;
      return file.text.substr(from, static_cast<std::size_t>(m.position()) - from).find("//") != std::string::npos;
    };
    if (tables.count(file.relative.string()) == 0) {
      for (std::sregex_iterator m(file.text.begin(), file.text.end(), menuText), end; m != end; ++m)
        if (menus.count((*m)[1].str()) == 0 && !inComment(*m)) wrong.push_back(where(*m) + (*m)[1].str());
    }
  }
  std::string report;
  for (const std::string& w : wrong) report += "\n  " + w;
  EXPECT_TRUE(wrong.empty()) << "menu names the table does not have:" << report;
}

}  // namespace
