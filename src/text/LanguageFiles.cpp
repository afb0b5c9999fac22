#include "text/LanguageFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

#include "files/RegularFile.h"

namespace glimmora {

namespace {

constexpr int kLanguages = 3;

// Length of the UTF-8 part at the start of `texts`: all of it when it is valid UTF-8, nothing when
// it is a legacy block. A text that runs to the end of the block (`atBlockEnd`) may have lost the
// end of its last character; that stub does not make the block legacy.
std::optional<std::size_t> Utf8Extent(std::string_view texts, bool atBlockEnd) {
  if (IsValidUtf8(texts)) return texts.size();
  if (!atBlockEnd) return std::nullopt;
  for (std::size_t back = 1; back <= 3 && back <= texts.size(); ++back) {
    const auto b = static_cast<unsigned char>(texts[texts.size() - back]);
    if (b >= 0xC0) {
      if (IsValidUtf8(texts.substr(0, texts.size() - back))) return texts.size() - back;
      break;
    }
    if (b < 0x80) break;
  }
  return std::nullopt;
}

// Start offsets of the characters of `block`, plus block.size() at the end. Separators are only
// ever found at character boundaries, so a double-byte character whose second byte is '@' or a
// UTF-8 character is never taken for part of one.
std::vector<std::size_t> CharacterStarts(std::string_view block) {
  // The texts end at the first "###"; what follows is filler and says nothing about the encoding.
  // '#' is never the second byte of a GBK or BIG5 character, so a byte search finds the right one.
  const std::size_t end = block.find("###");
  const std::optional<std::size_t> utf8Extent = Utf8Extent(block.substr(0, end), end == std::string_view::npos);
  const bool utf8 = utf8Extent.has_value();
  const std::size_t utf8End = utf8Extent.value_or(0);

  std::vector<std::size_t> starts;
  starts.reserve(block.size() + 1);
  for (std::size_t i = 0; i < block.size();) {
    starts.push_back(i);
    const auto b = static_cast<unsigned char>(block[i]);
    std::size_t len = 1;
    if (utf8) {
      // Step over whole UTF-8 characters so that positions count characters; past the texts
      // every byte is one position.
      if (i < utf8End && b >= 0xC0) len = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : 2;
    } else if (b >= 0x81 && b <= 0xFE && i + 1 < block.size()) {
      // A GBK or BIG5 lead byte takes the byte after it when that can be a second byte.
      const auto t = static_cast<unsigned char>(block[i + 1]);
      if (t >= 0x40 && t <= 0xFE && t != 0x7F) len = 2;
    }
    i += len;
  }
  starts.push_back(block.size());
  return starts;
}

// Position (counted from 1, in characters) of the first `sep` in the block, 0 when absent.
int FindSeparator(std::string_view block, const std::vector<std::size_t>& starts, std::string_view sep) {
  const std::size_t chars = starts.size() - 1;
  for (std::size_t c = 0; c + sep.size() <= chars; ++c) {
    bool match = true;
    for (std::size_t k = 0; k < sep.size() && match; ++k) {
      const std::size_t at = starts[c + k];
      match = starts[c + k + 1] - at == 1 && block[at] == sep[k];
    }
    if (match) return static_cast<int>(c) + 1;
  }
  return 0;
}

// Reads a whole language file, or fails when it is missing or not a regular file. Only the first
// `maxBytes` bytes are kept; `length` is the file's real length.
Result<void> ReadLanguageFile(const std::filesystem::path& path, std::size_t maxBytes, std::string& bytes,
                              std::uint64_t& length) {
  bytes.clear();
  length = 0;
  Result<UniqueFd> fd = OpenRegularFile(path, O_RDONLY);
  if (!fd) return Fail(Fault::OnFile, path.string(), fd.Error().sysErrno);
  struct stat st {};
  if (::fstat(fd->Get(), &st) != 0) return Fail(Fault::OnFile, path.string(), errno);
  length = static_cast<std::uint64_t>(st.st_size);
  bytes.resize(static_cast<std::size_t>(std::min<std::uint64_t>(length, maxBytes)));
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::pread(fd->Get(), bytes.data() + got, bytes.size() - got, static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  // A file that shrank or failed while we read counts as what we could read.
  if (got < bytes.size()) {
    bytes.resize(got);
    length = got;
  }
  return {};
}

// Cuts blocks 1..count of `bytes` into rows firstRow, firstRow + 1, ... up to row 800. A last block
// that is only partly in the file reads as zeros where the file ends. Returns how many blocks are
// laid out as blocks are (their separators in order, giving at least the GB and English texts).
int CutBlocksIntoRows(const std::string& bytes, std::size_t blockSize, std::size_t count, int firstRow,
                       LanguageTable& table) {
  std::string block;
  int whole = 0;
  for (std::size_t k = 0; k < count; ++k) {
    const int row = firstRow + static_cast<int>(k);
    if (row > kLangRows) break;
    const std::size_t at = kLangFileHeadSize + k * blockSize;
    block.assign(blockSize, '\0');
    if (at < bytes.size()) block.replace(0, std::min(blockSize, bytes.size() - at), bytes, at, blockSize);
    const LangBlockTexts texts = CutLangBlock(block);
    for (int lang = 0; lang < kLanguages; ++lang) {
      if (texts[lang]) table.LangStr[lang][static_cast<std::size_t>(row)] = *texts[lang];
    }
    whole += texts[0].has_value() && texts[1].has_value();
  }
  return whole;
}

Result<void> WriteFirstByte(const std::filesystem::path& path, unsigned char value) {
  // No O_CREAT: choosing a language must not invent a language file.
  Result<UniqueFd> fd = OpenRegularFile(path, O_WRONLY);
  if (!fd) return fd.Error();
  ssize_t n;
  do n = ::pwrite(fd->Get(), &value, 1, 0);
  while (n < 0 && errno == EINTR);
  if (n != 1) return Fail(Fault::CannotWrite, path.string(), n < 0 ? errno : EIO);
  if (!fd->Close()) return Fail(Fault::CannotClose, path.string(), errno);
  return {};
}

}  // namespace

LangBlockTexts CutLangBlock(std::string_view block) {
  const std::vector<std::size_t> starts = CharacterStarts(block);
  const int p1 = FindSeparator(block, starts, "@@");
  const int p2 = FindSeparator(block, starts, "@@@");
  const int p3 = FindSeparator(block, starts, "###");

  // `count` characters from character `from` (both counted as the positions above).
  auto mid = [&](int from, int count, Language lang) {
    const std::size_t b = starts[static_cast<std::size_t>(from - 1)];
    const std::size_t e = starts[static_cast<std::size_t>(from - 1 + count)];
    return DecodeStoredText(block.substr(b, e - b), lang);
  };

  LangBlockTexts texts;
  if (p1 > 0) texts[1] = mid(1, p1 - 1, Language::ChineseGB);
  if (p2 > p1 + 2) {
    texts[0] = mid(p1 + 2, p2 - p1 - 2, Language::English);
  } else if (p2 == 0 && p3 > p1 + 2) {
    texts[0] = mid(p1 + 2, p3 - p1 - 2, Language::English);
  }
  if (p2 > 0 && p3 > p2 + 3) texts[2] = mid(p2 + 3, p3 - p2 - 3, Language::ChineseBig5);
  return texts;
}

std::size_t LangBlockCount(std::uint64_t fileLength, std::size_t blockSize) {
  if (fileLength <= kLangFileHeadSize || blockSize == 0) return 0;
  const std::uint64_t rest = fileLength - kLangFileHeadSize;
  std::uint64_t whole = rest / blockSize;
  const std::uint64_t part = rest % blockSize;
  // Exactly half a block rounds to the even count.
  if (2 * part > blockSize || (2 * part == blockSize && whole % 2 == 1)) ++whole;
  return static_cast<std::size_t>(whole);
}

LanguageLoad LoadLanguageStrings(const std::filesystem::path& appPath, LanguageTable& table) {
  LanguageLoad load;
  std::string shortBytes, longBytes;
  std::uint64_t shortLength = 0, longLength = 0;
  // Rows stop at 800, so no more than 800 short and 200 long blocks are ever used.
  const std::size_t shortMax = kLangFileHeadSize + kShortLangBlockSize * kLangRows;
  const std::size_t longMax = kLangFileHeadSize + kLongLangBlockSize * (kLangRows - kShortLangRows);
  Result<void> readShort = ReadLanguageFile(appPath / kShortLangFileName, shortMax, shortBytes, shortLength);
  Result<void> readLong = ReadLanguageFile(appPath / kLongLangFileName, longMax, longBytes, longLength);
  const bool haveShort = readShort.Ok(), haveLong = readLong.Ok();
  if (!haveShort) load.ShortError = readShort.Error();
  if (!haveLong) load.LongError = readLong.Error();

  if (table.CurLang == Language::English) {
    const auto stored = shortBytes.empty() ? 0 : static_cast<unsigned char>(shortBytes[0]);
    table.CurLang = stored <= 2 ? static_cast<Language>(stored) : Language::English;
  }
  // A captions file that is empty or damaged throughout gives a window without a single caption:
  // it is told like a missing one.
  if (haveShort && CutBlocksIntoRows(shortBytes, kShortLangBlockSize,
                                     LangBlockCount(shortLength, kShortLangBlockSize), 1, table) == 0)
    load.ShortError = Fail(Fault::OnFile, (appPath / kShortLangFileName).string(), kNoCaptions);
  // Long blocks come second so that their texts win for rows 601 to 800.
  if (haveLong) CutBlocksIntoRows(longBytes, kLongLangBlockSize, LangBlockCount(longLength, kLongLangBlockSize),
                                  kShortLangRows + 1, table);
  return load;
}

Result<void> WriteLanguageChoice(const std::filesystem::path& appPath, Language lang) {
  const auto value = static_cast<unsigned char>(lang);
  Result<void> shortDone = WriteFirstByte(appPath / kShortLangFileName, value);
  Result<void> longDone = WriteFirstByte(appPath / kLongLangFileName, value);
  return shortDone.Ok() ? longDone : shortDone;
}

}  // namespace glimmora
