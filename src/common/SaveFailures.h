#pragma once
// The files one save command could not write, kept for the one message that tells of them: how
// many, the first few names and the system's reasons, each reason once (a full disk fails every
// file the same way).

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace glimmora {

struct SaveFailures {
  static constexpr std::size_t kNamesKept = 5;

  std::int64_t Count = 0;
  std::vector<std::string> Names;  // the first kNamesKept, in order
  std::vector<int> Reasons;        // errno values in the order met; 0 (no reason known) is not kept

  void Add(const std::string& name, int error = 0) {
    ++Count;
    if (Names.size() < kNamesKept) Names.push_back(name);
    AddReason(error);
  }
  void Add(const SaveFailures& other) {
    Count += other.Count;
    for (const std::string& name : other.Names) {
      if (Names.size() < kNamesKept) Names.push_back(name);
    }
    for (const int error : other.Reasons) AddReason(error);
  }

 private:
  void AddReason(int error) {
    if (error != 0 && std::find(Reasons.begin(), Reasons.end(), error) == Reasons.end()) Reasons.push_back(error);
  }
};

}  // namespace glimmora
