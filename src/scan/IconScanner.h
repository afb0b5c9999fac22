#pragma once
// Finding the icons inside any file and listing one page of them into the icon pane.
//
// The pane's state (which file, how many icons, where each page starts, the size tally) belongs to
// the caller: a scan takes what it needs in a ScanRequest and hands everything it found back in a
// ScanResult. The listed icons, the progress and the question about non-standard sizes reach the
// user through the small interfaces below, so the same scan runs under the window and in tests.

#include <array>
#include <optional>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "scan/IconTypeTally.h"
#include "scan/IconWalker.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"

namespace glimmora {

// The answer of the save parameters to an image of a non-standard size: 1 ask, 2 skip, any other
// value take it.
constexpr int kNostanAsk = 1;
constexpr int kNostanSkip = 2;

// One icon as the icon pane lists it.
struct FoundIconItem {
  std::string text;                    // file name & "_" & number & ".ico", e.g. "a.dll_7.ico"
  std::string key;                     // Str(position) & "-" & Str(bytes in resource): " 10234- 744"
  std::int64_t position = 0;           // 1-based file position of the image's BITMAPINFOHEADER
  std::int64_t imageSize = 0;          // bytes in resource
  std::int64_t number = 0;             // running number in the file
  std::int64_t index = 0;              // 1-based place in the pane
  std::array<std::string, 4> columns;  // size, colour depth, file size, index (with their blanks)
  std::vector<std::uint8_t> icoFile;   // the image as a single-image icon file (the work icon)
  bool useFileTypeIcon = false;        // the first icon of an .ico file shows the file's own icon
  std::string statusText;              // panel 2 of the pane's status bar once this item is listed
};

// Receives the listed icons in order.
class FoundIconSink {
 public:
  virtual ~FoundIconSink() = default;
  virtual void AddFoundIcon(const FoundIconItem& item) = 0;
};

// The progress bar of the source page.
class ScanProgress {
 public:
  virtual ~ScanProgress() = default;
  virtual void ShowProgress() = 0;              // the first icon was found
  virtual void SetProgressValue(int value) = 0; // 1..101, only when it changes
  virtual void HideProgress() {}                // at the end of a save of all icons
};

// Passes progress on to a ScanProgress that may be absent, each value only when it changed: the
// scan and the save of all icons report alike.
class ProgressReporter {
 public:
  explicit ProgressReporter(ScanProgress* progress) : progress_(progress) {}
  void Value(int value);
  void Show();
  void Hide();

 private:
  ScanProgress* progress_;
  int last_ = -1;
};

// The progress value of `part` of `whole`: the whole percent plus one, 1 for an empty whole.
int PercentOf(std::int64_t part, std::int64_t whole);

struct ScanRequest {
  std::string FolderPath;  // a trailing '/' is dropped
  std::string FileName;
  bool FirstMod = true;    // true: a newly chosen file, scanned to its end
  int GrpNo = 1;           // the page to list (1-based)
  int GrpSize = 50;        // icons per page for this file
  int GrpSizeSet = 50;     // the page-size setting, for the running numbers
  std::int64_t GrpStartIco = 1;  // 1-based position where the scan starts; 0 or less means 1
  int NostanAns = 0;       // the icon pane's answer to non-standard sizes
  SearchPattern pattern = kDefaultSearchPattern;
  std::int64_t bufferBytes = IconWalker::kDefaultBufferBytes;
};

enum class ScanStatus {
  Done,
  SourceUnreadable,  // missing, not a regular file, or cannot be opened: nothing is created
  ReadError,         // reading failed part-way; what was found until then is kept
};

struct ScanResult {
  ScanStatus status = ScanStatus::Done;
  std::optional<Failure> failure;  // why it is not Done
  std::string SourceFile;  // full path of the scanned file
  std::string SourceName;  // its name
  std::int64_t found = 0;  // accepted images in this run (on a page scan, the page and one more)
  std::int64_t listed = 0;
  // A new-file scan: the icons of the whole file, and where each page starts (GrpStart[p - 1] is
  // the 1-based position of the first header of page p; GrpStart[0] = 1).
  std::int64_t IcoCount = 0;
  std::vector<std::int64_t> GrpStart;
  IcoTypeTally IcoTypeCount;  // tally of every image this run accepted
  std::int64_t listedBytes = 0;  // the listed icons as files (22 + bytes in resource each)
};

struct ScanServices {
  const LanguageTable& lang;
  Prompter& prompter;
  FoundIconSink* sink = nullptr;    // null: count only
  ScanProgress* progress = nullptr;
};

// Scans FolderPath/FileName. A new-file scan (FirstMod) runs to the end of the file, lists its
// first page, counts every icon and records where each later page starts; a page scan starts at
// GrpStartIco, lists page GrpNo and stops at the first icon beyond it.
ScanResult SearchIconInFile(const ScanRequest& request, const ScanServices& services);

// The question about a non-standard image, answered by the answer of the save parameters (asking
// through the prompter for kNostanAsk); shared by the scan and the save of all icons.
NonStandardDecision MakeNonStandardDecision(int nostanAns, const LanguageTable& lang, Prompter& prompter);

// Texts of a listed icon, also used by the save of all icons and by the pane.
std::string FoundIconKey(std::int64_t position, std::int64_t imageSize);
std::string DepthColumnText(int bitCount, const LanguageTable& lang);
// kRowSourceTotal Str(C) kRowIconsPlural/kRowIconSingular (K KB), K the listed bytes in KiB to the
// nearest tenth (halves to even).
std::string FoundStatusText(std::int64_t count, std::int64_t totalBytes, const LanguageTable& lang);

// The single-image icon file of an accepted image, `bytes` being the image as read from the file.
std::vector<std::uint8_t> IcoFileOf(const AcceptedImage& image, std::span<const std::uint8_t> bytes);

}  // namespace glimmora
