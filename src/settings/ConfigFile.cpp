#include "settings/ConfigFile.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

#include "common/LeBytes.h"
#include "common/MarkedField.h"
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

void PutPathRec(std::string& bytes, std::size_t at, std::string_view path, std::int16_t image) {
  bytes.replace(at, kPathBytes, EncodeMarkedField(path, kPathBytes, kPathMark));
  le::PutI16At(bytes, at + kPathBytes, image);
}

}  // namespace

std::int16_t TwipsToInteger(double twips) {
  if (!std::isfinite(twips)) return 0;
  const int saved = std::fegetround();
  std::fesetround(FE_TONEAREST);
  const double r = std::nearbyint(twips);
  std::fesetround(saved);
  if (r < -32768.0 || r > 32767.0) return 0;
  return static_cast<std::int16_t>(r);
}

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

  // A count larger than the file can hold (a damaged file) is bounded by the records present.
  const int count = le::I16At(bytes, kHistoryCountAt);
  std::size_t present = 0;
  if (bytes.size() > kHistoryAt) present = (bytes.size() - kHistoryAt + kPathRecBytes - 1) / kPathRecBytes;
  const std::size_t n = count > 0 ? std::min<std::size_t>(static_cast<std::size_t>(count), present) : 0;
  for (std::size_t i = 0; i < n; ++i) {
    PathEntry entry = DecodePathRec(bytes, kHistoryAt + kPathRecBytes * i, lang);
    if (!entry.Path.empty()) data.PathHistory.push_back(std::move(entry));
  }
  return data;
}

std::string EncodeConfig(std::string_view oldBytes, const ConfigData& data) {
  std::vector<const PathEntry*> stored;
  for (const PathEntry& e : data.PathHistory) {
    if (e.Path.empty() || e.Path.size() > kPathBytes) continue;
    if (stored.size() == kMaxEntries) break;
    stored.push_back(&e);
  }

  std::string out(oldBytes);
  const std::size_t needed = kHistoryAt + kPathRecBytes * stored.size();
  if (out.size() < needed) out.resize(needed, '\0');

  le::PutI16At(out, kPanesAt, data.Panes.TreeViewSWidth);
  le::PutI16At(out, kPanesAt + 2, data.Panes.ListViewFileHeight);
  le::PutI16At(out, kPanesAt + 4, data.Panes.TreeViewLWidth);
  le::PutI16At(out, kPanesAt + 6, data.Panes.TreeViewLHeight);
  le::PutI16At(out, kPanesAt + 8, data.Panes.ListViewWebSiteHeight);
  out.replace(kSaveLibDirAt, kSaveDirRecBytes, EncodeSaveDirRec(data.Params.SaveLibDir));
  out.replace(kSaveFileDirAt, kSaveDirRecBytes, EncodeSaveDirRec(data.Params.SaveFileDir));
  out.replace(kSaveIcoDirAt, kSaveDirRecBytes, EncodeSaveDirRec(data.Params.SaveIcoDir));

  le::PutI16At(out, kHistoryCountAt, static_cast<std::int16_t>(stored.size()));
  // A text that cannot be stored whole is stored empty: a cut path would name another folder.
  const std::string_view text = data.PathText.size() <= kPathBytes ? std::string_view(data.PathText) : "";
  PutPathRec(out, kPathTextAt, text, 0);
  for (std::size_t i = 0; i < stored.size(); ++i)
    PutPathRec(out, kHistoryAt + kPathRecBytes * i, stored[i]->Path, stored[i]->Image);
  return out;
}

ConfigLoad LoadConfigFile(const std::string& path, Language lang) {
  ConfigLoad load;
  std::string bytes;
  switch (ReadWholeFile(path, bytes, &load.Error)) {
    case ReadStatus::Ok:
      load.Found = true;
      load.Data = DecodeConfig(bytes, lang);
      break;
    case ReadStatus::Missing:
      break;
    case ReadStatus::Failed:
      break;
  }
  return load;
}

std::string SaveConfigFile(const std::string& path, const ConfigData& data, const WriteCall& writeCall) {
  std::string old;
  std::string error;
  // An existing file we cannot read is left alone: writing without its bytes would lose them.
  if (ReadWholeFile(path, old, &error) == ReadStatus::Failed) return error;
  return ReplaceFileAtomically(path, EncodeConfig(old, data), writeCall);
}

ComboPath SetComboPath(const ConfigData& data, const std::string& appPath) {
  ComboPath combo;
  combo.Items = data.PathHistory;
  combo.Text = data.PathText.empty() ? appPath : data.PathText;
  return combo;
}

}  // namespace glimmora
