#include "library/LibFiles.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "text/AsciiCase.h"
#include "text/TextCodec.h"
#include "common/Paths.h"

namespace glimmora {
namespace {

enum class Kind { Any, File, Folder };

std::vector<std::string> List(const std::string& folder, Kind kind) {
  std::vector<std::string> names;
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return names;
  while (const dirent* e = ::readdir(dir)) {
    const std::string name = e->d_name;
    if (name == "." || name == "..") continue;
    if (kind != Kind::Any) {
      struct stat st {};
      if (::stat(JoinPath(folder, name).c_str(), &st) != 0) continue;
      if (kind == Kind::File && !S_ISREG(st.st_mode)) continue;
      if (kind == Kind::Folder && !S_ISDIR(st.st_mode)) continue;
    }
    names.push_back(name);
  }
  ::closedir(dir);
  std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
    const std::string ua = UpperCase(a), ub = UpperCase(b);
    return ua != ub ? ua < ub : a < b;
  });
  return names;
}

}  // namespace

std::vector<std::string> ListFolderNames(const std::string& folder) { return List(folder, Kind::Any); }
std::vector<std::string> ListFolderFiles(const std::string& folder) { return List(folder, Kind::File); }
std::vector<std::string> ListSubfolders(const std::string& folder) { return List(folder, Kind::Folder); }

std::optional<std::string> FindNameIgnoringCase(const std::string& folder, std::string_view name) {
  if (FileExists(JoinPath(folder, name)) || FolderExists(JoinPath(folder, name))) return std::string(name);
  for (const auto& n : ListFolderNames(folder))
    if (EqualsIgnoringCase(n, name)) return n;
  return std::nullopt;
}

bool FileExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string LibBasePath(const std::string& srcPath) {
  return srcPath.size() >= 4 ? srcPath.substr(0, srcPath.size() - 4) : srcPath;
}

std::optional<std::string> FindDatPath(const std::string& srcPath) {
  const std::string exact = DefaultDatPath(srcPath);
  if (FileExists(exact)) return exact;
  const std::string folder = FolderOfPath(srcPath);
  const auto name = FindNameIgnoringCase(folder, NameOfPath(exact));
  if (!name) return std::nullopt;
  const std::string path = JoinPath(folder, *name);
  if (!FileExists(path)) return std::nullopt;
  return path;
}

std::string DefaultDatPath(const std::string& srcPath) { return LibBasePath(srcPath) + ".dat"; }

std::string SrcNewPath(const std::string& srcPath) { return LibBasePath(srcPath) + ".src.new"; }
std::string DatNewPath(const std::string& srcPath) { return LibBasePath(srcPath) + ".dat.new"; }
std::string SrcCommitPath(const std::string& srcPath) { return LibBasePath(srcPath) + ".src.commit"; }
std::string SrcLockPath(const std::string& srcPath) { return LibBasePath(srcPath) + ".src.lock"; }

std::string CategoryFolderName(std::string_view libKey, std::string_view libName) {
  return "z_" + std::string(libKey) + "_(" + std::string(libName) + ")";
}

std::string LibraryFileBase(std::string_view libKey, std::string_view libName) {
  return std::string(libKey) + "_(" + std::string(libName) + ")";
}

std::string CategoryDisplayName(std::string_view folderName) {
  const std::size_t p = folderName.find("_(");
  if (p == std::string_view::npos) return std::string(folderName);
  std::string_view rest = folderName.substr(p + 2);
  if (!rest.empty()) rest.remove_suffix(1);
  return std::string(rest);
}

std::string TreePicturePath(const std::string& categoryFolder, std::string_view libKey) {
  // The key comes from a file: one that would name a file elsewhere names no picture at all.
  if (libKey.empty() || libKey.find('/') != std::string_view::npos || libKey.find('\0') != std::string_view::npos ||
      libKey == "." || libKey == "..")
    return {};
  const std::string name = std::string(libKey) + ".ico";
  const auto found = FindNameIgnoringCase(categoryFolder, name);
  return JoinPath(categoryFolder, found ? *found : name);
}

}  // namespace glimmora
