#pragma once
// Folder paths typed into the path box. The user may write "\" for "/", start with "~" for the
// home folder, or leave out the leading "/" to mean a folder on the current volume.

#include <string>
#include <string_view>
#include <vector>

namespace glimmora {

// The absolute folder a typed text names, "." and ".." resolved by the text alone, no trailing
// slash (except "/"). `home` replaces a leading "~"; a relative text is taken below
// `currentRoot`, the mount point of the volume of the folder shown now.
std::string NormaliseTypedPath(std::string_view typed, const std::string& home, const std::string& currentRoot);

// The components of an absolute path below `base` ("/home/a/b" below "/home" -> {"a", "b"}).
std::vector<std::string> ComponentsBelow(const std::string& path, const std::string& base);

}  // namespace glimmora
