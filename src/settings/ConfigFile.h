#pragma once
// Glimmora.cfg in the program folder: pane sizes, the three save-parameter records and the
// folder-path history of the source page, each at a fixed byte position (1-based below):
//
//   1     10 bytes  five int16 pane sizes in twips
//   100   100       SaveLibDir      200  100  SaveFileDir      300  100  SaveIcoDir
//   1000  2         int16 N, the number of history entries
//   1201  200       PathRec of the text shown in the path box
//   1401 + 200*(i-1)  PathRec of history entry i, i = 1..N
//
// PathRec: 198 bytes of text (path, end mark "\\", blanks) and an int16 image index. Integers are
// little-endian. Bytes in the gaps are not ours: they keep whatever value they had, and the file
// is never shortened.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "files/ReplaceFile.h"
#include "text/TextCodec.h"
#include "settings/SaveParams.h"

namespace glimmora {

inline constexpr const char* kConfigFileName = "Glimmora.cfg";

// Pane sizes in twips (pixels x 15), as the layouts store and accept them.
struct PaneSizes {
  std::int16_t TreeViewSWidth = 0;
  std::int16_t ListViewFileHeight = 0;
  std::int16_t TreeViewLWidth = 0;
  std::int16_t TreeViewLHeight = 0;
  std::int16_t ListViewWebSiteHeight = 0;

  bool operator==(const PaneSizes&) const = default;
};

// One entry of the path box's list: a folder and its image index in the box's image list.
struct PathEntry {
  std::string Path;
  std::int16_t Image = 0;

  bool operator==(const PathEntry&) const = default;
};

// Everything the file holds. A missing or empty file reads as all zeros and no history.
struct ConfigData {
  PaneSizes Panes;
  SaveParams Params;
  std::string PathText;                // the text shown in the path box ("" = none)
  std::vector<PathEntry> PathHistory;  // the box's list, in list order

  bool operator==(const ConfigData&) const = default;
};

// The configuration file in the program folder `appPath`.
std::string ConfigFilePath(const std::string& appPath);

// Reads the fields from the file's bytes; positions past the end read as zeros. Texts that are not
// valid UTF-8 are decoded with the legacy code page of `lang`.
ConfigData DecodeConfig(std::string_view bytes, Language lang);

// The new file: `oldBytes` with every field of `data` written over it; never shorter than
// `oldBytes`. The count and the shown text are always written, so nothing of an earlier run is read
// back as if it were this run's. A record whose contents did not change keeps the bytes it had
// (read in `lang`, as DecodeConfig reads them), so what was written elsewhere, in another code
// page or with other padding, goes back as it came. A new path that cannot be stored whole (more
// than 198 bytes) is left out of the history; such a shown text is stored empty. A path the old
// file holds goes back with the bytes it was read from, in its code page, and is kept however long
// its text has become in UTF-8. `leftOut` (when given) receives the folders left out (the shown
// text first, then the history), each once.
std::string EncodeConfig(std::string_view oldBytes, const ConfigData& data, Language lang,
                         std::vector<std::string>* leftOut = nullptr);

struct ConfigLoad {
  ConfigData Data;    // defaults when the file is missing or unreadable
  bool Found = false; // the file exists and was read
  std::optional<Failure> Error;  // why an existing file could not be read
};

// Reads the file once. A missing file gives the defaults and is not created.
ConfigLoad LoadConfigFile(const std::string& path, Language lang);

// Writes `data` into the file at `path`: reads the old file as far as its layout reaches,
// overwrites the fields, and replaces the file atomically with every byte past them kept.
// On failure the old file is left whole.
// After a successful write, `tooLong` (when given) receives the folders EncodeConfig left out.
// `writeCall` lets tests inject failing writes.
[[nodiscard]] Result<void> SaveConfigFile(const std::string& path, const ConfigData& data, Language lang,
                                          const WriteCall& writeCall = {},
                                          std::vector<std::string>* tooLong = nullptr);

// What the path box shows after start-up: the stored list in its order, and the stored text, or
// `appPath` when none was stored.
struct ComboPath {
  std::vector<PathEntry> Items;
  std::string Text;
};
ComboPath SetComboPath(const ConfigData& data, const std::string& appPath);

}  // namespace glimmora
