#pragma once
// Turning a picture file (BMP, JPG, GIF, WMF) into an icon. The icon search and the save of the
// checked files hand picture files here instead of to the scanner: the save parameters decide
// whether to convert at all (possibly asking), the picture-to-icon tool lets the user cut out a
// part, choose the icon's size and pick a transparent colour, and the icon made from that is shown
// in the icon pane (search) or written beside the picture, into a folder named after it, or into
// the icon clipboard. Saved as a bitmap, the whole picture is written instead.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "save/ClipboardNames.h"
#include "common/Clock.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "icons/Raster.h"
#include "save/SaveFormat.h"
#include "settings/ModifierKeys.h"
#include "shared/PictureTool.h"

namespace glimmora {

// The type of a picture file: the last three characters of its name upper-cased when they are
// "BMP", "JPG", "GIF" or "WMF", else empty (not a picture).
std::string PictureType(std::string_view fileName);

enum class PictureMode {
  Search,  // the icon goes into the icon pane (and the work icon temp.ico)
  File,    // the icon (or a bitmap of the picture) is saved as a file
};

struct PictureToIconRequest {
  PictureMode Mode = PictureMode::Search;
  std::string FolderPath;  // the picture's folder; a trailing '/' is dropped
  std::string FileName;
  SaveFormat IcoBmp = SaveFormat::Ico;  // File mode
  bool NewFolder = false;      // File mode: into a folder named after the picture
  bool ToClipBoard = false;    // File mode, icons: into the icon clipboard
  ClipboardNaming* Naming = nullptr;  // the save run's clipboard names; required with ToClipBoard
  std::uint8_t TrPictAns = 0;     // the file list's answer: 0 convert, 1 ask, 2 do not convert
  std::uint8_t MaskColorAns = 0;  // the icon pane's answer: 0 use the picked colour, 1 ask, 2 no
  bool ShowAbort = false;         // more pictures follow (the tool offers its abort button)
};

enum class PictureOutcome {
  NotPicture,  // not a picture type: the caller treats the file like any other
  Declined,    // the save parameters or the user said no
  Busy,        // the tool is already open for another picture: nothing was done
  Cancelled,   // the tool was closed or aborted: nothing was written
  Made,        // the icon (or bitmap) was made; see the written fields for the file
};

// The icon pane's item for an icon made in search mode.
struct PictureIconItem {
  std::string DisplayName;            // the picture's name & ".Ico"
  std::string Key;                    // the picture's full path
  std::array<std::string, 4> Columns; // size, colour depth, bytes, index
  std::string StatusText;             // panel 2 of the pane's status bar
};

struct PictureToIconResult {
  PictureOutcome Outcome = PictureOutcome::NotPicture;
  // The picture was accepted (converted or the tool shown). A caller that searched stops here and
  // does not scan the file when this is set, whatever the tool's outcome.
  bool Converted = false;
  bool SourceIsPict = false;
  std::string SourceFile;  // the picture's full path
  std::string SourceName;
  bool StopSaveIco = false;  // the user asked to stop the remaining pictures
  std::optional<Rgb> MaskColour;  // the colour made transparent; nullopt: the icon is opaque

  std::vector<std::uint8_t> Ico;  // the icon made (search mode, and icons saved as files)

  // Search mode.
  PictureIconItem Item;
  Raster Picture;  // the whole picture: what bitmaps and clipboard copies of this icon show

  // File mode.
  std::string TargetName;   // the file written (or that failed)
  bool Written = false;
  bool WriteFailed = false;  // the target (or its folder) could not be written
  bool PictureUnreadable = false;  // a bitmap of the picture was asked for and it could not be read
  bool Full = false;         // the icon clipboard refused the icon
  std::string Folder;        // the folder named after the picture, when one was used
  bool FolderCreated = false;
  bool ReadmeWritten = false;
};

struct PictureConversionEnv {
  const LanguageTable& lang;
  Prompter& prompter;
  const Clock& clock;
  ModifierKeys* keys = nullptr;  // cleared before each question
  std::string AppPath;
  std::string AppTitle;
  // A folder was made (or used) beside the picture: the folder tree shows it.
  std::function<void(const std::string& folder)> AddPathToTree;
};

// The conversion, with the tool and the picture reader it shows and reads through. One conversion
// runs at a time: the tool is waited for while the rest of the program keeps working, and a second
// request meanwhile is turned away (Busy) rather than closing the tool under the first.
class PictureConverter {
 public:
  PictureConverter(PictureToolRunner& tool, PictureReader& reader, PictureConversionEnv env)
      : tool_(tool), reader_(reader), env_(std::move(env)) {}

  PictureToIconResult PictureToIcon(const PictureToIconRequest& request);

  // True while the tool is open (the file preview keeps away from it meanwhile).
  bool DispPictBusy() const { return busy_; }

 private:
  std::optional<Raster> WholePicture(PictureToolResult& made, const std::string& path);

  PictureToolRunner& tool_;
  PictureReader& reader_;
  PictureConversionEnv env_;
  bool busy_ = false;
};

// What the icon writer does with the tool's result: the icon of `icon` with every pixel of exactly
// `maskColour` transparent when a colour was picked and the mask answer (0 yes, 1 ask, 2 no) says
// so. kRowAskMask is asked only when there is a colour to use; kRowPictureTooLarge is told when the picture is too
// large for a mask. Returns the icon bytes and sets `used` to the colour made transparent.
std::vector<std::uint8_t> BmpToIcoBytes(const Raster& icon, std::optional<Rgb> maskColour, int maskColorAns,
                                        const PictureConversionEnv& env, std::optional<Rgb>& used);

// The icon pane's item for an icon file made from the picture `sourceFile` named `fileName`.
PictureIconItem PictureItemOf(const std::vector<std::uint8_t>& ico, const std::string& sourceFile,
                              const std::string& fileName, const LanguageTable& lang);

// The abort button only helps when more pictures follow: during a save of all files or with more
// than one ticked file.
bool AbortButtonVisible(bool saveAllIco, int checkedFiles);

}  // namespace glimmora
