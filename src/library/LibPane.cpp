#include "library/LibPane.h"

#include <algorithm>
#include <cmath>

#include "text/LangRows.h"
#include "text/NumberText.h"
#include "library/LibraryReader.h"

namespace glimmora {
std::string LibPaneItem::SubItem1() const { return CategoryName + "-" + LibraryName + Gap + "[" + Keyword + "]"; }

std::string LibPaneItem::SizeText() const { return VbStr(int{Width}) + " x" + VbStr(int{Height}); }

std::string LibPaneItem::ColorText(const LanguageTable& lang) const { return LibColorText(BitCount, lang); }

std::string LibPaneItem::BytesText() const { return " " + VbStr(Bytes); }

std::string LibPaneItem::InfoText(const LanguageTable& lang) const {
  return KillSp(Text) + ": " + KillSp(SubItem1()) + " (" + KillSp(SizeText()) + " - " + KillSp(ColorText(lang)) + ")";
}

std::string LibColorText(int bitCount, const LanguageTable& lang) {
  switch (bitCount) {
    case 1: return lang.Row(kRowDepth1);
    case 4: return lang.Row(kRowDepth4);
    case 8: return lang.Row(kRowDepth8);
    case 16: return lang.Row(kRowDepth16);
    case 24: return lang.Row(kRowDepth24);
    default: return {};
  }
}

std::string NextWorkName(std::string_view name) {
  if (name.size() != 3) return "AAA";
  std::string next(name);
  for (int i = 2; i >= 0; --i) {
    char& c = next[static_cast<std::size_t>(i)];
    if (c >= 'A' && c < 'Z') {
      ++c;
      return next;
    }
    c = 'A';  // past Z (or no capital at all): back to A, carry on
  }
  return next;
}

bool IsWorkFileName(std::string_view name) {
  return name.size() == 7 && name.substr(3) == ".ico" &&
         std::all_of(name.begin(), name.begin() + 3, [](char c) { return c >= 'A' && c <= 'Z'; });
}

bool EmptyWorkFolder(const OwnFolder& workDir) {
  if (workDir.NotReal()) return false;
  for (const auto& name : workDir.Names())
    if (IsWorkFileName(name)) (void)workDir.RemoveFile(name);  // one left is written over by name
  return true;
}

bool WriteWorkFile(const OwnFolder& workDir, std::string_view name, std::span<const std::uint8_t> bytes) {
  return workDir.RemoveFile(name) &&
         workDir.CreateFile(name, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

void TellNotRealFolder(const std::string& folder, Prompter& prompter, const LanguageTable& lang) {
  prompter.Tell(lang.Row(kRowWorkFolderNotReal) + "\n" + folder, kRowWorkFolderNotReal, PromptIcon::Warning);
}

LibPaneItem MakeLibPaneItem(const std::string& srcPath, int entry, const LibSrcItem& item, const std::string& key,
                            int position, const std::string& categoryName, const std::string& libraryName,
                            Language lang) {
  LibPaneItem p;
  p.Key = key;
  p.Text = " " + VbStr(position);
  p.SrcPath = srcPath;
  p.Entry = entry;
  p.Stamp = EntryStamp(item);
  p.CategoryName = categoryName;
  p.LibraryName = libraryName;
  p.Keyword = FieldText(item.Keyword, lang);
  p.Width = item.Width;
  p.Height = item.Height;
  p.BitCount = item.BitCount;
  p.Bytes = static_cast<std::uint64_t>(std::max<std::int64_t>(0, std::int64_t{item.DataSize} + 40 + 22));
  p.AuthorName = FieldText(item.AuthorName, lang);
  p.AuthorEmail = FieldText(item.AuthorEmail, lang);
  p.AuthorHomepage = FieldText(item.AuthorHomepage, lang);
  p.Note = FieldText(item.Note, lang);
  return p;
}

std::string KbText(std::uint64_t bytes) {
  const double tenths = std::nearbyint(static_cast<double>(bytes) / 1024.0 * 10.0);
  return NumToStr(tenths / 10.0);
}

std::string LibPaneStatus(int count, std::uint64_t bytes, const LanguageTable& lang) {
  return lang.Row(kRowPaneTotal) + VbStr(count) + " " + lang.Row(count != 1 ? kRowPaneIcons : kRowIconSingular) + " (" +
         KbText(bytes) + " KB)";
}

std::string LibPaneSelStatus(int selCount, std::uint64_t selBytes, const LanguageTable& lang) {
  return lang.Row(kRowPaneSelected) + VbStr(selCount) + " " +
         lang.Row(selCount > 1 ? kRowSelectedIcons : kRowSelectedIcon) + " (" + KbText(selBytes) + " KB)";
}

LibSelectState SelectLibIco(std::span<const LibPaneItem> items, std::span<const bool> selected,
                            const LanguageTable& lang) {
  LibSelectState s;
  const int count = static_cast<int>(items.size());
  std::uint64_t total = 0, selTotal = 0;
  int selCount = 0;
  const LibPaneItem* single = nullptr;
  for (std::size_t i = 0; i < items.size(); ++i) {
    total += items[i].Bytes;
    if (i < selected.size() && selected[i]) {
      selTotal += items[i].Bytes;
      ++selCount;
      single = &items[i];
    }
  }
  s.PopIcoMenu = count > 0;
  if (count > 0) s.Panel2 = LibPaneStatus(count, total, lang);
  if (selCount > 0) {
    s.KeywordBox = true;
    s.Panel3 = LibPaneSelStatus(selCount, selTotal, lang);
    if (selCount != 1) {
      s.SelectAll = selCount < count;
      s.CopyToSysClipboard = false;
    } else {
      s.CopyToSysClipboard = true;
      s.SelectAll = true;
      s.SetKeywordText = true;
      s.KeywordText = single->Keyword;
    }
    s.SelectedCommands = true;
  } else {
    s.SelectAll = true;
  }
  if (count == 0) s.SelectAll = false;
  return s;
}

}  // namespace glimmora
