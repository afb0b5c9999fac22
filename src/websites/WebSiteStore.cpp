#include "websites/WebSiteStore.h"

#include <sys/stat.h>

#include <random>

#include "common/Paths.h"
#include "files/ReplaceFile.h"
#include "websites/WebSiteFile.h"

namespace glimmora {

WebSiteStore::WebSiteStore(std::string path) : path_(std::move(path)), ops_(&DefaultFileOps()) {}

std::string WebSiteStore::PathIn(const std::string& appPath) {
  return JoinPath(appPath, "WebSiteLib/HomePage.Lib");
}

int WebSiteStore::NextKey() {
  if (nextKey_) return ((nextKey_() % kWebKeyLimit) + kWebKeyLimit) % kWebKeyLimit;
  static std::mt19937 engine{std::random_device{}()};
  return std::uniform_int_distribution<int>(0, kWebKeyLimit - 1)(engine);
}

bool WebSiteStore::Commit(const WebSiteFile& file, WebStoreResult& result) {
  // The list's folder may be missing in a fresh program folder; writing (never reading) makes it.
  const std::string folder = FolderOfPath(path_);
  if (!folder.empty()) ::mkdir(folder.c_str(), 0755);
  Result<void> replaced = ReplaceFileAtomically(*ops_, path_, SerializeWebSiteFile(file));
  if (replaced) return true;
  result.Error = replaced.Error();
  result.Status = WebStoreStatus::WriteFailed;
  return false;
}

std::vector<StoredWebSite> WebSiteStore::Get(Language lang, std::optional<Failure>* error, bool* countMatches) const {
  std::vector<StoredWebSite> out;
  if (error) error->reset();
  if (countMatches) *countMatches = true;
  const Result<WebSiteFile> file = ReadWebSiteFile(path_);
  if (!file) {
    if (error) *error = file.Error();
    return out;
  }
  if (countMatches) *countMatches = file->CountMatches();
  out.reserve(file->Records.size());
  for (std::size_t i = 0; i < file->Records.size(); ++i)
    out.push_back({static_cast<int>(i + 1), DecodeWebRecord(file->Records[i], lang)});
  return out;
}

std::optional<WebSiteFile> WebSiteStore::ReadForChange(WebStoreResult& result) const {
  // A list that is there but cannot be read is never written over as if it were empty.
  Result<WebSiteFile> read = ReadWebSiteFile(path_);
  if (read) return std::move(read).Value();
  result.Error = read.Error();
  result.Status = WebStoreStatus::WriteFailed;
  return std::nullopt;
}

WebStoreResult WebSiteStore::Save(int recordNo, const WebSiteEntry& entry, Language lang) {
  WebStoreResult result;
  auto read = ReadForChange(result);
  if (!read) return result;
  WebSiteFile& file = *read;
  result.Count = static_cast<int>(file.Records.size());
  if (recordNo < 1 || recordNo > result.Count) {
    result.Status = WebStoreStatus::NoSuchRecord;
    return result;
  }
  WebRecordBytes& record = file.Records[static_cast<std::size_t>(recordNo - 1)];
  const WebRecordBytes was = record;
  record = EncodeWebRecord(entry, NextKey(), was, lang);
  if (!Commit(file, result)) return result;
  result.RecordNo = recordNo;
  result.Stored = StoredWebEntry(entry, lang, was);
  return result;
}

WebStoreResult WebSiteStore::Add(const WebSiteEntry& entry, Language lang) {
  WebStoreResult result;
  auto read = ReadForChange(result);
  if (!read) return result;
  WebSiteFile& file = *read;
  result.Count = static_cast<int>(file.Records.size());
  if (result.Count >= kWebMaxRecords) {
    result.Status = WebStoreStatus::Full;
    return result;
  }
  file.Records.push_back(EncodeWebRecord(entry, NextKey()));
  if (!Commit(file, result)) return result;
  result.Count += 1;
  result.RecordNo = result.Count;
  result.Stored = StoredWebEntry(entry, lang);
  return result;
}

WebStoreResult WebSiteStore::Kill(const std::set<int>& recordNos) {
  WebStoreResult result;
  auto file = ReadForChange(result);
  if (!file) return result;
  WebSiteFile kept;
  kept.Header = file->Header;
  for (std::size_t i = 0; i < file->Records.size(); ++i)
    if (!recordNos.count(static_cast<int>(i + 1))) kept.Records.push_back(std::move(file->Records[i]));
  const std::size_t dropped = file->Records.size() - kept.Records.size();
  result.Count = static_cast<int>(dropped == 0 ? file->Records.size() : kept.Records.size());
  if (dropped == 0) return result;
  if (!Commit(kept, result)) result.Count = static_cast<int>(file->Records.size());
  return result;
}

}  // namespace glimmora
