#pragma once
// The library folders as the library tree shows them: every folder under IconLib is a category,
// every ".src" file in a category (any letter case) a library. Reading changes nothing on disk
// but for one deliberate write: a change or a create cut off by a crash is finished or rolled back
// first (TidyCategoryFolder), so that no scratch file outlives a look at the category. The tree
// pictures are made by their own calls.

#include <optional>
#include <string>
#include <vector>

#include "text/TextCodec.h"
#include "library/LibraryReader.h"

namespace glimmora {

struct LibraryInfo {
  std::string SrcPath;       // the library's identity (LibRef) everywhere
  std::string CategoryFolder;
  std::string LibName;       // from the header; empty when its field lacks its mark
  std::string LibKey;        // likewise; the tree node's key
  int IconCount = 0;         // icons the index file holds
  bool HasDat = false;       // the data file exists
  std::optional<Failure> Problem;  // why the library cannot be read
  std::string PicturePath;   // LibKey & ".ico" in the category folder (the existing name in any case)
  bool HasPicture = false;   // that file exists

  // LibName & " (" & count & ")", the node text; a library that cannot be read shows the name of
  // its index file less ".src", a blank and `unreadableMark`, so that the user can find and delete it.
  std::string NodeText(const std::string& unreadableMark = {}) const;
  bool Unreadable() const { return Problem.has_value(); }
  // Whether the tree shows the library's own picture (else the fixed library picture).
  bool ShowsOwnPicture() const { return IconCount >= 1 && HasDat; }
};

struct CategoryInfo {
  std::string Folder;       // full path: the node key
  std::string Name;         // display name, the node text
  std::string PicturePath;  // folder-name & ".ico" inside the folder when it exists, else ""
  std::vector<LibraryInfo> Libraries;
};

// The categories in folder order and their libraries in file order. A library whose key is
// already taken by an earlier library (or equals a category path) is left out: node keys are
// one key space, and only the first gets a node. A library without a key of its own (it cannot be
// read, or its header's key lost its mark) is keyed by its index file's path, so each gets a node.
std::vector<CategoryInfo> ReadLibraryFolders(const std::string& iconLibDir, Language lang);

// One library as ReadLibraryFolders describes it.
LibraryInfo ReadLibraryInfo(const std::string& srcPath, Language lang);

// Replaces a picture file larger than 16 pixels on a side with a 16 x 16 version, atomically.
// True when the file is now at most 16 x 16.
[[nodiscard]] bool CheckIco16x16(const std::string& icoPath);

// The library's tree picture: when missing it is made from entry 1 (at most 16 x 16); an
// existing one larger than that is shrunk. The picture's path, or nothing when the library shows
// no picture of its own.
std::optional<std::string> EnsureTreePicture(const LibraryInfo& lib);

}  // namespace glimmora
