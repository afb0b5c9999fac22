#pragma once
// The web-site list kept in WebSiteLib/HomePage.Lib below the program folder. Every change
// rewrites the whole file and replaces it atomically, so the file is always either the old list
// or the new one; the caller updates what it shows only when the change was stored.

#include <functional>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "common/Result.h"
#include "files/FileOps.h"
#include "websites/WebSiteFile.h"
#include "websites/WebSiteRecord.h"

namespace glimmora {

// One entry as read from the file, with its 1-based record number.
struct StoredWebSite {
  int RecordNo = 0;
  WebSiteEntry Fields;
};

enum class WebStoreStatus {
  Ok,
  Full,          // the list already holds 32767 entries
  NoSuchRecord,  // the record to overwrite is not in the file
  WriteFailed,   // the file could not be read or replaced; it is unchanged
};

struct WebStoreResult {
  WebStoreStatus Status = WebStoreStatus::Ok;
  int RecordNo = 0;     // the record written (Save, Add)
  int Count = 0;        // records in the file afterwards
  WebSiteEntry Stored;  // the entry as it now reads back (Save, Add)
  Failure Error;        // what failed (WriteFailed)
  bool Ok() const { return Status == WebStoreStatus::Ok; }
};

class WebSiteStore {
 public:
  explicit WebSiteStore(std::string path);

  // AppPath/WebSiteLib/HomePage.Lib.
  static std::string PathIn(const std::string& appPath);
  const std::string& Path() const { return path_; }

  // Replaces the file operations (tests fail them on purpose) and the source of scramble keys.
  void SetFileOps(FileOps& ops) { ops_ = &ops; }
  void SetKeySource(std::function<int()> nextKey) { nextKey_ = std::move(nextKey); }

  // Every entry of the file in record order; empty when the file is missing or holds none, and
  // when it cannot be read: `error`, when given, then says why (none otherwise). `countMatches`,
  // when given, is false when the header's count is not the number of entries the file holds
  // (every entry it holds is returned, and the next change stores the right count).
  std::vector<StoredWebSite> Get(Language lang, std::optional<Failure>* error = nullptr,
                                 bool* countMatches = nullptr) const;

  // Overwrites record `recordNo` (1 .. count) with `entry`.
  [[nodiscard]] WebStoreResult Save(int recordNo, const WebSiteEntry& entry, Language lang);

  // Appends `entry` as the record after the last; creates the file when it is missing.
  [[nodiscard]] WebStoreResult Add(const WebSiteEntry& entry, Language lang);

  // Drops the records whose numbers are in `recordNos` and keeps every other one byte for byte.
  // The file is not rewritten when none of them is in it.
  [[nodiscard]] WebStoreResult Kill(const std::set<int>& recordNos);

 private:
  int NextKey();
  // Replaces the file with `file`; on failure sets the result's status and error.
  [[nodiscard]] bool Commit(const WebSiteFile& file, WebStoreResult& result);
  // The list as it is before a change; a list that cannot be read gives nothing and WriteFailed.
  std::optional<WebSiteFile> ReadForChange(WebStoreResult& result) const;

  std::string path_;
  FileOps* ops_;
  std::function<int()> nextKey_;
};

}  // namespace glimmora
