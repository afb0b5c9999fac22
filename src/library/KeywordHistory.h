#pragma once
// A short history list kept for the run of the program (the keyword box's successful searches,
// the recently used libraries): at most 20 texts, oldest first, no two alike when compared in
// capitals. A text already there keeps its place.

#include <cstddef>
#include <string>
#include <vector>

namespace glimmora {

constexpr std::size_t kHistoryLimit = 20;

class BoundedHistory {
 public:
  // Adds `text` at the end unless it is there already (in capitals); past 20 texts the oldest
  // goes. True when it was added.
  bool Add(const std::string& text);
  const std::vector<std::string>& Entries() const { return entries_; }
  // Index of `text` compared in capitals; -1 when absent.
  int Find(const std::string& text) const;

 private:
  std::vector<std::string> entries_;
};

}  // namespace glimmora
