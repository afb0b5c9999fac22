#pragma once
// Making the folders that saved icons go into.

#include <string>

namespace glimmora {

// True when anything (file, folder, link) stands at `path`.
bool PathExists(const std::string& path);

// True when `path` names an existing folder.
bool IsFolderPath(const std::string& path);

// Makes `path` as a folder. Returns true when it was made by this call; `exists` tells whether a
// folder is there afterwards (made now or already there). A plain file of that name is no folder.
// When no folder is there, `errorNumber` (when given) holds the system's reason.
bool MakeFolder(const std::string& path, bool& exists, int* errorNumber = nullptr);

}  // namespace glimmora
