#include "save/SaveFailures.h"

#include <algorithm>

#include "text/FaultText.h"
#include "text/LangRows.h"
#include "text/NumberText.h"

namespace glimmora {
namespace {

void AddReason(std::vector<int>& reasons, int error) {
  if (error != 0 && std::find(reasons.begin(), reasons.end(), error) == reasons.end()) reasons.push_back(error);
}

}  // namespace

void SaveFailures::KeepName(const std::string& name) {
  if (Names.size() < kNamesKept)
    Names.push_back(name);
  else
    NamesLeftOff = true;
}

void SaveFailures::Add(const std::string& name, int error, std::int64_t files) {
  Count += files;
  KeepName(name);
  AddReason(Reasons, error);
}

void SaveFailures::Add(const SaveFailures& other) {
  Count += other.Count;
  for (const std::string& name : other.Names) KeepName(name);
  NamesLeftOff = NamesLeftOff || other.NamesLeftOff;
  for (const int error : other.Reasons) AddReason(Reasons, error);
}

std::string FailedSaveText(const SaveFailures& failures, std::size_t written, int headingRow,
                           const LanguageTable& lang) {
  if (failures.Count <= 0) return {};
  std::string text = lang.Row(headingRow);
  for (const int error : failures.Reasons) text += "\n" + ReasonText(lang, error);
  for (const std::string& name : failures.Names) text += "\n" + name;
  if (failures.NamesLeftOff) text += "\n\u2026";
  return text + "\n" + JoinedCount(lang.Row(kRowFilesSaved), static_cast<long long>(written)) + "\n" +
         JoinedCount(lang.Row(kRowFilesNotSaved), failures.Count);
}

}  // namespace glimmora
