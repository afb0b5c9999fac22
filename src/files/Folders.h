#pragma once
// Making the folders that saved icons go into.

#include <string>

#include "common/Result.h"

namespace glimmora {

// True when `path` names an existing folder.
bool IsFolderPath(const std::string& path);

// Makes `path` as a folder. Ok when a folder is there afterwards, holding true when this call made
// it and false when it was there already; a plain file of that name is no folder (ENOTDIR).
[[nodiscard]] Result<bool> MakeFolder(const std::string& path);

}  // namespace glimmora
