#pragma once
// The files one save command could not write, kept for the one message that tells of them: how
// many, the first few names and the system's reasons, each reason once (a full disk fails every
// file the same way), so the message stays the size of a message however many files were lost.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "text/LanguageTable.h"

namespace glimmora {

struct SaveFailures {
  static constexpr std::size_t kNamesKept = 5;

  std::int64_t Count = 0;
  std::vector<std::string> Names;  // the first kNamesKept, in order
  bool NamesLeftOff = false;       // names came after those kept
  std::vector<int> Reasons;        // errno values in the order met; 0 (no reason known) is not kept

  // `name` failed for `files` files at once (a source that cannot be read loses every icon taken
  // from it).
  void Add(const std::string& name, int error = 0, std::int64_t files = 1);
  void Add(const SaveFailures& other);

 private:
  void KeepName(const std::string& name);
};

// Row `headingRow`, the reasons (in the reader's language), the names kept (an ellipsis after them when
// there were more), and the two counts, `written` being the files the command did write. Empty
// when nothing failed.
std::string FailedSaveText(const SaveFailures& failures, std::size_t written, int headingRow,
                           const LanguageTable& lang);

}  // namespace glimmora
