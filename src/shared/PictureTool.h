#pragma once
// What the picture conversion needs from the desktop, as small interfaces: the picture-to-icon
// tool, shown and waited for, and a reader of picture files. The program implements them with the
// tool window and the Qt and WMF decoders; tests fake them.

#include <optional>
#include <string>

#include "icons/Raster.h"

namespace glimmora {

struct PictureToolRequest {
  std::string PicturePath;  // the picture to load when the tool opens
  bool ShowAbort = false;   // more pictures follow: offer the abort button
};

enum class ToolOutcome {
  Made,     // the make-icon button: Icon holds the chosen part at the chosen size
  Aborted,  // the abort button, confirmed
  Closed,   // the window was closed (or the program is ending)
};

struct PictureToolResult {
  ToolOutcome Outcome = ToolOutcome::Closed;
  Raster Icon;                     // with Made: the icon's picture, 1..100 pixels a side
  std::optional<Rgb> MaskColour;   // the colour picked in the preview, if any
  bool StopSaveIco = false;        // the user asked to stop the remaining pictures
  // The whole picture as the tool loaded it from the file, so that it need not be decoded again;
  // empty when a paste replaced it or nothing was loaded.
  Raster Picture;
};

class PictureToolRunner {
 public:
  virtual ~PictureToolRunner() = default;
  // Opens a fresh tool on the picture and returns once it is closed. The rest of the program keeps
  // working meanwhile.
  virtual PictureToolResult ShowAndWait(const PictureToolRequest& request) = 0;
};

class PictureReader {
 public:
  virtual ~PictureReader() = default;
  // The whole picture of a BMP, JPG, GIF or WMF file drawn on white; nullopt when it cannot be
  // read (missing, damaged, not a picture, too large). The program's reader keeps the windows
  // working while a large picture decodes.
  virtual std::optional<Raster> ReadPicture(const std::string& path) = 0;
};

}  // namespace glimmora
