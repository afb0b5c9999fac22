#include "save/ClipboardNames.h"

#include <span>
#include <sys/stat.h>

#include "files/FileBytes.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "save/SaveNotes.h"
#include "text/RowPrompts.h"

namespace glimmora {
namespace {

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

void Advance(ClipboardNaming& naming) {
  naming.Counter += 1;
  if (naming.Counter >= 10 || naming.Counter < 1) {
    naming.Counter = 1;
    naming.Letter = NextClipboardLetter(naming.Letter);
  }
}

std::string Stem(const ClipboardNaming& naming, const std::string& baseName) {
  return std::string(1, naming.Letter) + std::to_string(naming.Counter) + "_" + baseName;
}

}  // namespace

char NextClipboardLetter(char letter) {
  if (letter >= 'A' && letter < 'Z') return static_cast<char>(letter + 1);
  if (letter == 'Z') return 'a';
  if (letter >= 'a' && letter < 'z') return static_cast<char>(letter + 1);
  return 'A';  // after 'z', and for anything that is no letter
}

ClipboardName NextClipBoardFileName(ClipboardNaming& naming, const std::string& baseName,
                                    const std::string& clipboardDir, const std::string& sourceFile,
                                    const Clock& clock, Prompter& prompter, const LanguageTable& lang) {
  ClipboardName result;
  Advance(naming);
  naming.ClipIcoCount += 1;
  // 9 digits x 52 letters: when that many names are taken, none is free.
  constexpr int kNames = 9 * 52;
  bool taken = true;
  if (naming.ClipIcoCount <= kClipboardCapacity) {
    for (int tries = 1;; ++tries) {
      if (!Exists(JoinPath(clipboardDir, Stem(naming, baseName) + ".ico"))) {
        taken = false;
        break;
      }
      if (tries >= kNames) break;
      Advance(naming);
    }
  }
  if (naming.ClipIcoCount > kClipboardCapacity || taken) {
    AskRow(prompter, lang, kRowClipboardFull);
    result.Full = true;
    return result;
  }
  const std::string stem = JoinPath(clipboardDir, Stem(naming, baseName));
  result.FileName = stem + ".ico";
  const std::string note = ClipboardNoteText(sourceFile, clock.Now());
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(note.data());
  result.noteWritten = ReplaceFileBytes(stem + ".sur", std::span<const std::uint8_t>(bytes, note.size())).Ok();
  return result;
}

}  // namespace glimmora
