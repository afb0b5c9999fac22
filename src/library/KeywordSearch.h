#pragma once
// The keyword search over every library of the tree: icons whose library caption and keyword
// together hold each of up to three terms. At most 50 hits, taken out into the work folder as
// AAA.ico, AAB.ico, ..; each hit carries its own library and entry.

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "common/Prompter.h"
#include "text/LanguageTable.h"
#include "library/LibPages.h"

namespace glimmora {

constexpr int kMaxKeywordHits = 50;

struct KeywordTerms {
  std::string K1, K2, K3;  // in capitals; empty when absent
  bool Empty() const { return K1.empty() && K2.empty() && K3.empty(); }
};

// The search text split at "&" into up to three terms, in capitals, each losing up to four
// blanks from either end; text after a third "&" is ignored.
KeywordTerms SplitSearchText(std::string_view text);

// Matcher: an empty `T` leaves FndKeyOK as it was. Otherwise T becomes its capitals and FndKeyOK
// tells whether each non-empty term occurs in it.
void MatchKeywords(std::string& T, const std::string& K1, const std::string& K2, const std::string& K3, bool& FndKeyOK);

// A library to search, in tree order.
struct SearchLibrary {
  std::string SrcPath;
  std::string CategoryName;  // the category node's text
  std::string Caption;       // the library name (node text before " (")
};

struct KeywordSearchResult {
  std::vector<LibPaneItem> Items;
  int Hits = 0;
  bool LimitReached = false;
  // "category-library: why" of each library that could not be read, or whose hits could not all be
  // taken out into the work folder; each library at most once for each of the two.
  std::vector<std::string> Skipped;
  bool WorkFolderNotReal = false;    // the work folder is a link or no folder: nothing was searched
};

// Searches the libraries in order, emptying the work folder first; a work folder that is a link
// or no folder is left alone and nothing is searched.
KeywordSearchResult SearchLibraries(const KeywordTerms& terms, std::span<const SearchLibrary> libraries,
                                    const std::string& workDir, Language lang, const LibProgress& progress = {});

// The whole command on the keyword box's text: kRowSearchTextMissing when there is no term (nothing else
// happens), else the search; `showHits` lists the hits, then the libraries that could not be read
// are told in one message, then kRowSearchStopped at 50 hits or kRowSearchFoundHead & Str(hits) & kRowSearchFoundTail.
// A work folder that is a link or no folder is told instead (kRowWorkFolderNotReal).
std::optional<KeywordSearchResult> SearchLibByKeyword(
    std::string_view text, std::span<const SearchLibrary> libraries, const std::string& workDir, Prompter& prompter,
    const LanguageTable& lang, const LibProgress& progress = {},
    const std::function<void(const KeywordSearchResult&)>& showHits = {});

}  // namespace glimmora
