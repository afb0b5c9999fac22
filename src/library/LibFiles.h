#pragma once
// Where a library's files lie. A library is named by its index file (the ".src" path as it is on
// disk); its data file is the same name with ".dat", found without regard to letter case so that
// libraries copied from a desktop that ignores case still open. The scratch files of a change lie
// beside them under the same base name (see LibraryWriter.h).

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace glimmora {

// The names in `folder` (files and folders alike), sorted the way the program lists them:
// ascending without regard to ASCII case, exact name as tie-break. Empty when it cannot be read.
std::vector<std::string> ListFolderNames(const std::string& folder);
std::vector<std::string> ListFolderFiles(const std::string& folder);    // regular files only
std::vector<std::string> ListSubfolders(const std::string& folder);     // folders only

// The name in `folder` equal to `name` ignoring ASCII case, the exact name first; nothing when
// there is none.
std::optional<std::string> FindNameIgnoringCase(const std::string& folder, std::string_view name);

bool FileExists(const std::string& path);    // a regular file
bool FolderExists(const std::string& path);

// `srcPath` less its 4-character extension.
std::string LibBasePath(const std::string& srcPath);

// The data file of a library: the existing file whose name is the base & ".dat" in any case;
// nothing when there is none.
std::optional<std::string> FindDatPath(const std::string& srcPath);
// Where the data file goes when there is none yet.
std::string DefaultDatPath(const std::string& srcPath);

// Scratch files of a change to the library `srcPath`.
std::string SrcNewPath(const std::string& srcPath);     // base + ".src.new"
std::string DatNewPath(const std::string& srcPath);     // base + ".dat.new"
std::string SrcCommitPath(const std::string& srcPath);  // base + ".src.commit"
// The file whose lock every change of the library holds (see LibraryLock.h).
std::string SrcLockPath(const std::string& srcPath);    // base + ".src.lock"

// Names made from keys and display names.
std::string CategoryFolderName(std::string_view libKey, std::string_view libName);  // z_key_(name)
std::string LibraryFileBase(std::string_view libKey, std::string_view libName);     // key_(name)
// A category's display name: the folder name's part between its first "_(" and its last
// character ("z_an_(Animals)" -> "Animals"); the whole name when it has no "_(".
std::string CategoryDisplayName(std::string_view folderName);

// The tree picture of a library (`libKey` & ".ico" in the category folder, any case): the
// existing file, or the exact name when there is none. Empty for a key that is no plain file name
// (it holds "/", or is "." or "..").
std::string TreePicturePath(const std::string& categoryFolder, std::string_view libKey);

}  // namespace glimmora
