#include "settings/ConfigFile.h"

#include <algorithm>
#include <unordered_map>

#include "common/LeBytes.h"
#include "text/MarkedField.h"
#include "common/Paths.h"

namespace glimmora {

namespace {

// 0-based offsets of the fields.
constexpr std::size_t kPanesAt = 0;
constexpr std::size_t kSaveLibDirAt = 99;
constexpr std::size_t kSaveFileDirAt = 199;
constexpr std::size_t kSaveIcoDirAt = 299;
constexpr std::size_t kHistoryCountAt = 999;
constexpr std::size_t kPathTextAt = 1200;
constexpr std::size_t kHistoryAt = 1400;
constexpr std::size_t kPathRecBytes = 200;
constexpr std::size_t kPathBytes = 198;
constexpr std::string_view kPathMark = "\\\\";
constexpr std::size_t kMaxEntries = 32767;

// `count` bytes at `at`, zeros past the end of the file.
std::string_view Slice(std::string_view bytes, std::size_t at, std::size_t count, std::string& scratch) {
  if (at + count <= bytes.size()) return bytes.substr(at, count);
  scratch.assign(count, '\0');
  if (at < bytes.size()) scratch.replace(0, bytes.size() - at, bytes.substr(at));
  return scratch;
}

PathEntry DecodePathRec(std::string_view bytes, std::size_t at, Language lang) {
  std::string scratch;
  const std::string_view rec = Slice(bytes, at, kPathRecBytes, scratch);
  PathEntry entry;
  entry.Path = DecodeMarkedField(rec.substr(0, kPathBytes), kPathMark, lang).Text;
  entry.Image = le::I16At(rec, kPathBytes);
  return entry;
}

// The stored bytes of the paths the old file holds (its shown text and its history), by the text
// they read as: a path that comes back unchanged is written with the bytes it was read from.
class OldPaths {
 public:
  OldPaths(std::string_view bytes, Language lang) {
    auto read = [&](std::size_t at) {
      std::string scratch;
      const std::string_view raw = Slice(bytes, at, kPathBytes, scratch);
      return std::make_pair(DecodeMarkedField(raw, kPathMark, lang).Text, std::string(raw));
    };
    shown_ = read(kPathTextAt);
    for (std::size_t i = 0; i < StoredCount(bytes); ++i) {
      auto [text, raw] = read(kHistoryAt + kPathRecBytes * i);
      byText_[text].push_back(std::move(raw));
    }
  }

  // The bytes to store for the shown text `path`: its own record's while it reads the same, else as
  // for a history entry.
  std::string Shown(const std::string& path) const {
    return shown_.first == path ? shown_.second : Field(path, 0);
  }

  // The bytes to store for the `occurrence`-th (from 0) history entry of `path`: those of the
  // records that held the path, in their order (the same text may stand in records with different
  // bytes, each goes back to its own place), else of the shown text when it held it, else the path
  // encoded anew; empty when it fits no record.
  std::string Field(const std::string& path, std::size_t occurrence) const {
    if (auto it = byText_.find(path); it != byText_.end())
      return it->second[std::min(occurrence, it->second.size() - 1)];
    if (shown_.first == path) return shown_.second;
    if (path.size() > kPathBytes) return {};
    return EncodeMarkedField(path, kPathBytes, kPathMark);
  }

  // A count larger than the file can hold (a damaged file) is bounded by the records present.
  static std::size_t StoredCount(std::string_view bytes) {
    const int count = le::I16At(bytes, kHistoryCountAt);
    std::size_t present = 0;
    if (bytes.size() > kHistoryAt) present = (bytes.size() - kHistoryAt + kPathRecBytes - 1) / kPathRecBytes;
    return count > 0 ? std::min<std::size_t>(static_cast<std::size_t>(count), present) : 0;
  }

 private:
  std::pair<std::string, std::string> shown_;
  std::unordered_map<std::string, std::vector<std::string>> byText_;
};

// A save-parameter record as it goes back: the bytes it was read from while it reads the same.
std::string SaveDirRecBytes(std::string_view oldBytes, std::size_t at, const SaveDirRec& rec, Language lang) {
  std::string scratch;
  const std::string_view old = Slice(oldBytes, at, kSaveDirRecBytes, scratch);
  if (DecodeSaveDirRec(old, lang) == rec) return std::string(old);
  return EncodeSaveDirRec(rec);
}

}  // namespace

std::string ConfigFilePath(const std::string& appPath) { return JoinPath(appPath, kConfigFileName); }

ConfigData DecodeConfig(std::string_view bytes, Language lang) {
  ConfigData data;
  data.Panes.TreeViewSWidth = le::I16At(bytes, kPanesAt);
  data.Panes.ListViewFileHeight = le::I16At(bytes, kPanesAt + 2);
  data.Panes.TreeViewLWidth = le::I16At(bytes, kPanesAt + 4);
  data.Panes.TreeViewLHeight = le::I16At(bytes, kPanesAt + 6);
  data.Panes.ListViewWebSiteHeight = le::I16At(bytes, kPanesAt + 8);

  std::string scratch;
  data.Params.SaveLibDir = DecodeSaveDirRec(Slice(bytes, kSaveLibDirAt, kSaveDirRecBytes, scratch), lang);
  data.Params.SaveFileDir = DecodeSaveDirRec(Slice(bytes, kSaveFileDirAt, kSaveDirRecBytes, scratch), lang);
  data.Params.SaveIcoDir = DecodeSaveDirRec(Slice(bytes, kSaveIcoDirAt, kSaveDirRecBytes, scratch), lang);

  data.PathText = DecodePathRec(bytes, kPathTextAt, lang).Path;

  const std::size_t n = OldPaths::StoredCount(bytes);
  for (std::size_t i = 0; i < n; ++i) {
    PathEntry entry = DecodePathRec(bytes, kHistoryAt + kPathRecBytes * i, lang);
    if (!entry.Path.empty()) data.PathHistory.push_back(std::move(entry));
  }
  return data;
}

std::string EncodeConfig(std::string_view oldBytes, const ConfigData& data, Language lang,
                         std::vector<std::string>* leftOut) {
  const OldPaths old(oldBytes, lang);
  if (leftOut != nullptr) leftOut->clear();
  auto noteLeftOut = [&](const std::string& path) {
    if (leftOut == nullptr) return;
    if (std::find(leftOut->begin(), leftOut->end(), path) == leftOut->end()) leftOut->push_back(path);
  };

  // A text that cannot be stored whole is stored empty: a cut path would name another folder.
  std::string text = old.Shown(data.PathText);
  if (text.empty()) {
    noteLeftOut(data.PathText);
    text = old.Shown("");
  }

  std::vector<std::pair<std::string, std::int16_t>> stored;
  std::unordered_map<std::string, std::size_t> seen;
  for (const PathEntry& e : data.PathHistory) {
    if (e.Path.empty()) continue;
    std::string field = old.Field(e.Path, seen[e.Path]++);
    if (field.empty()) {
      noteLeftOut(e.Path);
      continue;
    }
    if (stored.size() == kMaxEntries) {
      // The history is full; what comes after is only looked at for what is left out.
      if (leftOut == nullptr) break;
      continue;
    }
    stored.emplace_back(std::move(field), e.Image);
  }

  std::string out(oldBytes);
  const std::size_t needed = kHistoryAt + kPathRecBytes * stored.size();
  if (out.size() < needed) out.resize(needed, '\0');

  le::PutI16At(out, kPanesAt, data.Panes.TreeViewSWidth);
  le::PutI16At(out, kPanesAt + 2, data.Panes.ListViewFileHeight);
  le::PutI16At(out, kPanesAt + 4, data.Panes.TreeViewLWidth);
  le::PutI16At(out, kPanesAt + 6, data.Panes.TreeViewLHeight);
  le::PutI16At(out, kPanesAt + 8, data.Panes.ListViewWebSiteHeight);
  out.replace(kSaveLibDirAt, kSaveDirRecBytes, SaveDirRecBytes(oldBytes, kSaveLibDirAt, data.Params.SaveLibDir, lang));
  out.replace(kSaveFileDirAt, kSaveDirRecBytes, SaveDirRecBytes(oldBytes, kSaveFileDirAt, data.Params.SaveFileDir, lang));
  out.replace(kSaveIcoDirAt, kSaveDirRecBytes, SaveDirRecBytes(oldBytes, kSaveIcoDirAt, data.Params.SaveIcoDir, lang));

  le::PutI16At(out, kHistoryCountAt, static_cast<std::int16_t>(stored.size()));
  out.replace(kPathTextAt, kPathBytes, text);
  le::PutI16At(out, kPathTextAt + kPathBytes, 0);
  for (std::size_t i = 0; i < stored.size(); ++i) {
    const std::size_t at = kHistoryAt + kPathRecBytes * i;
    out.replace(at, kPathBytes, stored[i].first);
    le::PutI16At(out, at + kPathBytes, stored[i].second);
  }
  return out;
}

namespace {

// How far the file's layout reaches: the records up to the last history entry its count names.
std::size_t ConfigLayoutEnd(std::string_view firstBytes) {
  const int count = le::I16At(firstBytes, kHistoryCountAt);
  return kHistoryAt + kPathRecBytes * static_cast<std::size_t>(std::max(count, 0));
}

// The file as far as its layout reaches: the fixed records first, then the history its count
// names.
Result<std::string> ReadConfigBytes(const std::string& path) {
  Result<std::string> bytes = ReadFileStart(path, kHistoryAt);
  if (bytes && bytes->size() == kHistoryAt && ConfigLayoutEnd(*bytes) > kHistoryAt)
    return ReadFileStart(path, ConfigLayoutEnd(*bytes));
  return bytes;
}

}  // namespace

ConfigLoad LoadConfigFile(const std::string& path, Language lang) {
  ConfigLoad load;
  const Result<std::string> bytes = ReadConfigBytes(path);
  if (bytes) {
    load.Found = true;
    load.Data = DecodeConfig(*bytes, lang);
  } else if (!IsMissingFile(bytes.Error())) {
    load.Error = bytes.Error();
  }
  return load;
}

Result<void> SaveConfigFile(const std::string& path, const ConfigData& data, Language lang,
                            const WriteCall& writeCall, std::vector<std::string>* tooLong) {
  Result<std::string> old = ReadConfigBytes(path);
  // An existing file we cannot read is left alone: writing without its bytes would lose them.
  if (!old && !IsMissingFile(old.Error())) return old.Error();
  std::vector<std::string> leftOut;
  Result<void> saved = ReplaceFileHead(
      path, EncodeConfig(old ? *old : std::string(), data, lang, tooLong != nullptr ? &leftOut : nullptr), writeCall);
  if (saved && tooLong != nullptr) *tooLong = std::move(leftOut);
  return saved;
}

ComboPath SetComboPath(const ConfigData& data, const std::string& appPath) {
  ComboPath combo;
  combo.Items = data.PathHistory;
  combo.Text = data.PathText.empty() ? appPath : data.PathText;
  return combo;
}

}  // namespace glimmora
