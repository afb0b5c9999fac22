#include "library/KeywordSearch.h"

#include "text/TextCodec.h"
#include "text/FaultText.h"
#include "text/LangRows.h"
#include "text/NumberText.h"
#include "common/Paths.h"
#include "text/RowPrompts.h"

namespace glimmora {

KeywordTerms SplitSearchText(std::string_view text) {
  const std::string s = UpperCase(text);
  std::string terms[3];
  std::string_view rest = s;
  for (int t = 0; t < 3; ++t) {
    const std::size_t p = rest.find('&');
    if (p == std::string_view::npos) {
      terms[t] = std::string(rest);
      break;
    }
    terms[t] = std::string(rest.substr(0, p));
    rest = rest.substr(p + 1);
    if (rest.empty()) break;
  }
  for (int round = 0; round < 4; ++round) {
    for (auto& term : terms) {
      if (!term.empty() && term.front() == ' ') term.erase(0, 1);
      if (!term.empty() && term.back() == ' ') term.pop_back();
    }
  }
  return {terms[0], terms[1], terms[2]};
}

void MatchKeywords(std::string& T, const std::string& K1, const std::string& K2, const std::string& K3, bool& FndKeyOK) {
  if (T.empty()) return;
  T = UpperCase(T);
  const auto found = [&](const std::string& k) { return k.empty() || T.find(k) != std::string::npos; };
  FndKeyOK = found(K1) && found(K2) && found(K3);
}

KeywordSearchResult SearchLibraries(const KeywordTerms& terms, std::span<const SearchLibrary> libraries,
                                    const std::string& workDir, Language lang, const LibProgress& progress) {
  KeywordSearchResult result;
  const OwnFolder work(workDir);
  result.WorkFolderNotReal = !EmptyWorkFolder(work);
  if (result.WorkFolderNotReal) return result;
  std::string name;
  const auto count = static_cast<double>(libraries.size());
  for (std::size_t i = 0; i < libraries.size() && !result.LimitReached; ++i) {
    if (progress) progress(static_cast<int>((static_cast<double>(i) + 1) / count * 105) + 1);
    const SearchLibrary& lib = libraries[i];
    const LibraryReader reader = LibraryReader::Open(lib.SrcPath);
    const std::string libName = lib.CategoryName + "-" + lib.Caption;
    if (!reader.Ok()) {
      result.Skipped.push_back({libName, reader.Problem()});
      continue;
    }
    bool told = false;       // an icon that could not be read
    bool toldWrite = false;  // a hit that could not be taken out
    const std::string prefix = lib.Caption + " ";
    for (int entry = 1; entry <= reader.IconCount(); ++entry) {
      const auto raw = reader.RawItem(entry);
      // The keyword alone is decoded; the rest of the entry only for a hit.
      std::string T = prefix + FieldText(std::string_view(*raw).substr(13, kKeywordBytes), lang);
      bool ok = false;
      MatchKeywords(T, terms.K1, terms.K2, terms.K3, ok);
      if (!ok) continue;
      const LibSrcItem item = *reader.Item(entry);
      const auto body = reader.Body(item);
      if (!body) {  // a hit whose icon cannot be read is no hit, but the library is named once
        if (!told)
          result.Skipped.push_back(
              {libName, reader.HasDat() ? FailAt(Fault::SearchIconUnreadable, reader.DatPath(), entry)
                                        : FailAt(Fault::SearchIconNoData, lib.SrcPath, entry)});
        told = true;
        continue;
      }
      name = NextWorkName(name);
      const std::string key = name + ".ico";
      if (!WriteWorkFile(work, key, LibraryIcoBytes(item, *body))) {
        // A link or folder of that name, a missing work folder or a full disk: the hit is lost,
        // and the library is named once.
        if (!toldWrite)
          result.Skipped.push_back({libName, FailAt(Fault::SearchIconNotWritten, JoinPath(workDir, key), entry)});
        toldWrite = true;
        continue;
      }
      LibPaneItem p = MakeLibPaneItem(lib.SrcPath, entry, item, key, static_cast<int>(result.Items.size()) + 1,
                                      lib.CategoryName, lib.Caption, lang);
      p.Gap = " ";
      result.Items.push_back(std::move(p));
      ++result.Hits;
      if (result.Hits >= kMaxKeywordHits) {
        result.LimitReached = true;
        break;
      }
    }
  }
  if (progress) progress(110);
  return result;
}

std::optional<KeywordSearchResult> SearchLibByKeyword(std::string_view text, std::span<const SearchLibrary> libraries,
                                                      const std::string& workDir, Prompter& prompter,
                                                      const LanguageTable& lang, const LibProgress& progress,
                                                      const std::function<void(const KeywordSearchResult&)>& showHits) {
  const KeywordTerms terms = SplitSearchText(text);
  if (terms.Empty()) {
    AskRow(prompter, lang, kRowSearchTextMissing);
    return std::nullopt;
  }
  KeywordSearchResult result = SearchLibraries(terms, libraries, workDir, lang.CurLang, progress);
  if (showHits) showHits(result);
  if (result.WorkFolderNotReal) {
    TellNotRealFolder(workDir, prompter, lang);
    return result;
  }
  if (!result.Skipped.empty()) {
    std::string list;
    for (const SkippedLibrary& s : result.Skipped)
      list += "\n" + s.Library + ": " + FaultText(lang, s.Problem);
    prompter.Tell(lang.Row(kRowLibrariesNotSearched) + list, kRowLibrariesNotSearched, PromptIcon::Warning);
  }
  if (result.LimitReached)
    AskRow(prompter, lang, kRowSearchStopped);
  else
    prompter.Tell(lang.Row(kRowSearchFoundHead) + VbStr(result.Hits) + lang.Row(kRowSearchFoundTail),
                  kRowSearchFoundHead);
  return result;
}

}  // namespace glimmora
