#pragma once
// Names of the icons put into the icon clipboard folder: a letter, a digit 1 to 9 and the source's
// name ("A1_a.dll.ico" .. "A9_a.dll.ico", then "B1_a.dll.ico"; after "Z9" comes "a1", after "z9"
// "A1"), each with a one-line ".sur" note beside it saying where the icon came from. The folder
// holds at most 50 icons.

#include <string>

#include "common/Clock.h"
#include "text/LanguageTable.h"
#include "common/Prompter.h"

namespace glimmora {

constexpr int kClipboardCapacity = 50;

// Kept by the caller for the length of one save command.
struct ClipboardNaming {
  int Counter = 0;      // the digit last used (0 before the first name)
  char Letter = 'A';
  int ClipIcoCount = 0; // icons in the icon clipboard, this run's included
};

struct ClipboardName {
  bool Full = false;         // the clipboard refused the icon (the user was told)
  std::string FileName;      // the full path of the icon to write; empty when Full
  bool noteWritten = false;  // the ".sur" note beside it
};

// Advances the naming to the next name not already taken by a file in `clipboardDir`, counts the
// icon and writes its note (source path, date and time from `clock`). When the clipboard would
// hold more than 50 icons, shows kRowClipboardFull and returns Full.
ClipboardName NextClipBoardFileName(ClipboardNaming& naming, const std::string& baseName,
                                    const std::string& clipboardDir, const std::string& sourceFile,
                                    const Clock& clock, Prompter& prompter, const LanguageTable& lang);

// The letter after `letter` in the order A..Z, a..z, A.
char NextClipboardLetter(char letter);

}  // namespace glimmora
