#pragma once
// The small text files written beside saved icons: the readme of a folder of saved icons and the
// note that records where an icon of the icon clipboard came from. Both are UTF-8 with CR LF line
// ends.

#include <string>

#include "common/Clock.h"
#include "common/Result.h"

namespace glimmora {

// "mm-dd-yyyy" and "hh:mm:ss" (24-hour).
std::string DateText(const LocalDateTime& t);
std::string TimeText(const LocalDateTime& t);

// The five lines of readme.txt: where the files come from, the program title indented by 25
// blanks, and the date and time indented by `dateIndent` blanks (31 for a save of all icons, 36
// for the icon pane's save), with empty lines between.
std::string ReadmeText(const std::string& sourceFile, const std::string& appTitle, const LocalDateTime& now,
                       int dateIndent = 31);

// True when the file at `path` is a readme this program wrote (it starts with our first line).
bool IsOurReadme(const std::string& path);

// True when no readme is at `path` (the folder has none, or a killed save left it empty).
bool ReadmeWanted(const std::string& path);

// Writes `text` as folder/readme.txt when the folder was just created by this save, when it has no
// readme (ReadmeWanted), or when the readme there is one of ours; a file of that name that belongs
// to the user is never overwritten.
// A failure when nothing was written: refused (EEXIST, the user's own file is there) or failed.
[[nodiscard]] Result<void> WriteReadme(const std::string& folder, const std::string& text, bool folderCreatedNow);

// The one line of an icon clipboard note: the source path, three blanks, the date, one blank and
// the time.
std::string ClipboardNoteText(const std::string& sourceFile, const LocalDateTime& now);

}  // namespace glimmora
