#include "source/TypedPath.h"

#include "common/Paths.h"

namespace glimmora {

namespace {

std::vector<std::string> Split(std::string_view path) {
  std::vector<std::string> parts;
  std::size_t pos = 0;
  while (pos <= path.size()) {
    const std::size_t slash = path.find('/', pos);
    const std::size_t end = slash == std::string_view::npos ? path.size() : slash;
    if (end > pos) parts.emplace_back(path.substr(pos, end - pos));
    if (slash == std::string_view::npos) break;
    pos = slash + 1;
  }
  return parts;
}

}  // namespace

std::string NormaliseTypedPath(std::string_view typed, const std::string& home, const std::string& currentRoot) {
  std::string t(typed);
  for (char& c : t)
    if (c == '\\') c = '/';
  // Blanks around a typed path are never meant (a folder name may hold inner blanks).
  const auto first = t.find_first_not_of(' ');
  const auto last = t.find_last_not_of(' ');
  t = first == std::string::npos ? std::string() : t.substr(first, last - first + 1);
  if (t == "~" || t.starts_with("~/")) t = home + "/" + t.substr(1);
  if (!IsAbsolutePath(t)) t = (currentRoot.empty() ? std::string("/") : currentRoot) + "/" + t;

  std::vector<std::string> out;
  for (std::string& part : Split(t)) {
    if (part == ".") continue;
    if (part == "..") {
      if (!out.empty()) out.pop_back();
      continue;
    }
    out.push_back(std::move(part));
  }
  std::string path;
  for (const std::string& part : out) path += "/" + part;
  return path.empty() ? "/" : path;
}

std::vector<std::string> ComponentsBelow(const std::string& path, const std::string& base) {
  if (base == "/" ) return Split(path);
  if (path.size() <= base.size()) return {};
  return Split(std::string_view(path).substr(base.size()));
}

}  // namespace glimmora
