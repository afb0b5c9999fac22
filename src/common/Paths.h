#pragma once
// Path text rules. Paths use "/"; the root "/" is the one folder whose text ends in a slash.

#include <string>
#include <string_view>

namespace glimmora {

// folder + "/" + name; the root keeps its single slash ("/" + "a" = "/a"), a folder that already
// ends in "/" gets no second one, and an empty folder gives the name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

// Drops trailing slashes but keeps "/" itself: "/a/b/" -> "/a/b", "/" -> "/", "//" -> "/".
std::string DropTrailingSlash(std::string_view path);

// The folder of a full path, before its last slash ("/usr/bin/ed" -> "/usr/bin", "/ed" -> "/",
// "ed" -> ""), and the name after it ("ed").
std::string FolderOfPath(std::string_view path);
std::string NameOfPath(std::string_view path);

// True for an absolute path (one that names a folder whatever the current folder is).
bool IsAbsolutePath(std::string_view path);

}  // namespace glimmora
