#include "library/KeywordHistory.h"

#include "text/AsciiCase.h"

namespace glimmora {

int BoundedHistory::Find(const std::string& text) const {
  for (std::size_t i = 0; i < entries_.size(); ++i)
    if (EqualsIgnoringCase(entries_[i], text)) return static_cast<int>(i);
  return -1;
}

bool BoundedHistory::Add(const std::string& text) {
  if (Find(text) >= 0) return false;
  entries_.push_back(text);
  if (entries_.size() > kHistoryLimit) entries_.erase(entries_.begin());
  return true;
}

}  // namespace glimmora
