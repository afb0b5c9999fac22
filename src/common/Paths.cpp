#include "common/Paths.h"

namespace glimmora {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (out.empty()) return std::string(name);
  if (out.back() != '/') out += '/';
  out += name;
  return out;
}

std::string DropTrailingSlash(std::string_view path) {
  std::size_t end = path.size();
  while (end > 1 && path[end - 1] == '/') --end;
  return std::string(path.substr(0, end));
}

std::string FolderOfPath(std::string_view path) {
  const auto slash = path.rfind('/');
  if (slash == std::string_view::npos) return {};
  if (slash == 0) return "/";
  return std::string(path.substr(0, slash));
}

std::string NameOfPath(std::string_view path) {
  const auto slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

bool IsAbsolutePath(std::string_view path) { return !path.empty() && path.front() == '/'; }

}  // namespace glimmora
