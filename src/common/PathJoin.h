#pragma once
// Joining a folder and a name with '/', the way every writer of found icons names its targets.

#include <string>

namespace glimmora {

// `folder` without one trailing '/'; the root "/" keeps its slash.
inline std::string DropTrailingSlash(std::string folder) {
  if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

// folder + "/" + name; an empty folder gives the name alone, the root gives "/name".
inline std::string JoinPath(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  const std::string f = DropTrailingSlash(folder);
  return f == "/" ? "/" + name : f + "/" + name;
}

}  // namespace glimmora
