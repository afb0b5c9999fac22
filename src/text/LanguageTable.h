#pragma once
// The language table: every caption and message of the program is a numbered row, held in three
// languages and loaded at start-up from chglangs.dat (rows 1-600) and chglangl.dat (rows 601-800).

#include <array>
#include <string>
#include <vector>

#include "text/TextCodec.h"

namespace glimmora {

constexpr int kLangRows = 800;

struct LanguageTable {
  // LangStr[language][row], row 1..800; index 0 is unused. A row nobody filled is empty text.
  std::array<std::vector<std::string>, kLanguageCount> LangStr{std::vector<std::string>(kLangRows + 1),
                                                  std::vector<std::string>(kLangRows + 1),
                                                  std::vector<std::string>(kLangRows + 1)};
  Language CurLang = Language::English;

  // The text of `row` in the current language; empty for a row outside 1..800.
  const std::string& Row(int row) const { return Text(CurLang, row); }
  const std::string& Text(Language lang, int row) const {
    static const std::string kEmpty;
    if (row < 1 || row > kLangRows) return kEmpty;
    return LangStr[static_cast<int>(lang)][static_cast<std::size_t>(row)];
  }
};

}  // namespace glimmora
