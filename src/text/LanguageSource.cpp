#include "text/LanguageSource.h"

#include <map>

#include "text/LanguageFiles.h"
#include "text/LanguageTable.h"
#include "text/TextCodec.h"

namespace glimmora {

namespace {

constexpr const char* kLanguageNames[3] = {"English", "Chinese GB", "Chinese BIG5"};

std::string Unescape(std::string_view field) {
  std::string out;
  out.reserve(field.size());
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] == '\\' && i + 1 < field.size()) {
      const char next = field[i + 1];
      if (next == 'n' || next == 't' || next == '\\') {
        out += next == 'n' ? '\n' : next == 't' ? '\t' : '\\';
        ++i;
        continue;
      }
    }
    out += field[i];
  }
  return out;
}

bool ParseRowNumber(std::string_view field, int& row) {
  if (field.empty() || field.size() > 6) return false;
  row = 0;
  for (char c : field) {
    if (c < '0' || c > '9') return false;
    row = row * 10 + (c - '0');
  }
  return true;
}

// A name becomes part of a C++ identifier: an upper-case letter, then letters and digits.
bool IsRowName(std::string_view name) {
  if (name.empty() || name.front() < 'A' || name.front() > 'Z') return false;
  for (char c : name)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))) return false;
  return true;
}

}  // namespace

bool ParseLanguageSource(std::string_view content, const std::string& fileName, std::vector<LangSourceRow>& rows,
                         std::string& error) {
  if (content.substr(0, 3) == "\xEF\xBB\xBF") content.remove_prefix(3);
  int lineNo = 0;
  while (!content.empty()) {
    ++lineNo;
    const std::size_t nl = content.find('\n');
    std::string_view line = content.substr(0, nl);
    content.remove_prefix(nl == std::string_view::npos ? content.size() : nl + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == '#') continue;

    const std::string origin = fileName + ":" + std::to_string(lineNo);
    auto fail = [&](const std::string& reason) {
      error = origin + ": " + reason;
      return false;
    };
    if (!IsValidUtf8(line)) return fail("the line is not valid UTF-8");

    std::vector<std::string_view> fields;
    for (std::size_t start = 0;;) {
      const std::size_t tab = line.find('\t', start);
      fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
      if (tab == std::string_view::npos) break;
      start = tab + 1;
    }
    if (fields.size() != 5)
      return fail("expected 5 fields separated by tabs (row, name, English, Chinese GB, Chinese BIG5), found " +
                  std::to_string(fields.size()));

    LangSourceRow row;
    if (!ParseRowNumber(fields[0], row.row)) return fail("the row number \"" + std::string(fields[0]) + "\" is not a number");
    if (row.row < 1 || row.row > kLangRows)
      return fail("row " + std::to_string(row.row) + " is outside 1.." + std::to_string(kLangRows));
    if (fields[1] != "-" && !fields[1].empty()) {
      if (!IsRowName(fields[1]))
        return fail("the name \"" + std::string(fields[1]) +
                    "\" is not an upper-case letter followed by letters and digits");
      row.name = fields[1];
    }
    for (int lang = 0; lang < 3; ++lang) row.text[lang] = Unescape(fields[lang + 2]);
    row.origin = origin;
    rows.push_back(std::move(row));
  }
  return true;
}

bool MakeLangBlock(const std::array<std::string, 3>& text, std::size_t blockSize, std::string& block,
                   std::string& error) {
  block = text[1] + "@@" + text[0] + "@@@" + text[2] + "###";
  if (block.size() > blockSize) {
    error = "the block needs " + std::to_string(block.size()) + " bytes, more than the " + std::to_string(blockSize) +
            " a row of this file holds";
    return false;
  }
  block.resize(blockSize, '\0');

  // Whatever the texts hold, the block is good exactly when the loader cuts it back into them. A
  // language the cut leaves alone reads as empty: nothing else ever fills a generated row.
  const LangBlockTexts cut = CutLangBlock(block);
  for (int lang = 0; lang < 3; ++lang) {
    if (cut[lang].value_or(std::string()) != text[lang]) {
      // An empty English text lets the BIG5 text start at the "@@" before it.
      error = text[0].empty() ? std::string("the English text is empty, which a block cannot hold")
                              : std::string("the ") + kLanguageNames[lang] +
                                    " text would not read back as written: it holds, begins or ends with separator "
                                    "characters (\"@@\", \"@@@\", \"###\")";
      return false;
    }
  }
  return true;
}

bool MakeLangRowsHeader(const std::vector<LangSourceRow>& rows, std::string& header, std::string& error) {
  std::map<std::string, const LangSourceRow*> byName;
  std::map<int, const std::string*> named;
  for (const LangSourceRow& row : rows) {
    if (row.name.empty()) continue;
    const auto [it, added] = byName.emplace(row.name, &row);
    if (!added) {
      error = row.origin + ": the name " + row.name + " is already given at " + it->second->origin;
      return false;
    }
    named.emplace(row.row, &row.name);
  }
  header = "// Made from the language texts (data/lang/*.tsv) at build time: change the names there.\n"
           "#pragma once\n\nnamespace glimmora {\n";
  for (const auto& [number, name] : named)
    header += "inline constexpr int kRow" + *name + " = " + std::to_string(number) + ";\n";
  header += "}  // namespace glimmora\n";
  return true;
}

bool MakeLanguageFileBytes(const std::vector<LangSourceRow>& rows, LanguageFileBytes& files, std::string& error) {
  std::map<int, const LangSourceRow*> byRow;
  for (const LangSourceRow& row : rows) {
    if (row.row < 1 || row.row > kLangRows) {
      error = row.origin + ": row " + std::to_string(row.row) + " is outside 1.." + std::to_string(kLangRows);
      return false;
    }
    const auto [it, added] = byRow.emplace(row.row, &row);
    if (!added) {
      error = row.origin + ": row " + std::to_string(row.row) + " is already given at " + it->second->origin;
      return false;
    }
  }

  files.shortFile.assign(kLangFileHeadSize, '\0');
  files.longFile.assign(kLangFileHeadSize, '\0');
  for (const auto& [number, row] : byRow) {
    const bool isLong = number > kShortLangRows;
    const std::size_t blockSize = isLong ? kLongLangBlockSize : kShortLangBlockSize;
    const std::size_t index = static_cast<std::size_t>(isLong ? number - kShortLangRows : number) - 1;
    std::string& file = isLong ? files.longFile : files.shortFile;
    std::string block;
    std::string reason;
    if (!MakeLangBlock(row->text, blockSize, block, reason)) {
      error = row->origin + ": row " + std::to_string(number) + ": " + reason;
      return false;
    }
    // Rows are visited in order, so the file only ever grows to this block's end.
    file.resize(kLangFileHeadSize + index * blockSize, '\0');
    file += block;
  }
  return true;
}

}  // namespace glimmora
