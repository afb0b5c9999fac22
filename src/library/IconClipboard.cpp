#include "library/IconClipboard.h"

#include <algorithm>
#include <unordered_set>

#include "text/AsciiCase.h"
#include "text/TextCodec.h"
#include "icons/Dib.h"
#include "icons/IcoFile.h"
#include "text/LangRows.h"
#include "text/NumberText.h"
#include "common/Paths.h"
#include "files/ReplaceFile.h"
#include "library/LibFiles.h"
#include "library/LibPane.h"

namespace glimmora {
namespace {

std::string FirstLine(const std::string& path, Language lang) {
  Result<std::string> read = ReadFileStart(path, 4096);
  if (!read) return {};
  std::string bytes = std::move(read).Value();
  const std::size_t end = bytes.find_first_of("\r\n");
  if (end != std::string::npos) bytes.resize(end);
  return DecodeStoredText(bytes, lang);
}

// Enough of the file's start for the head and an image header behind a directory of many entries.
constexpr std::size_t kHeadersRead = 4096;

// The bitmap header of the image the head points at, when it can describe a picture.
std::optional<DibHeader> ImageHeader(std::span<const std::uint8_t> start, const IcoFileHead& head) {
  if (head.imageOffset < kIcoFileHeadSize || head.imageOffset > start.size()) return std::nullopt;
  const auto dib = ParseDibHeader(start.subspan(head.imageOffset));
  if (!dib || dib->size != kDibHeaderSize || dib->width < 1 || dib->width > 32767 || dib->height < 2 ||
      dib->height > 32767)
    return std::nullopt;
  return dib;
}

}  // namespace

std::string ClipFile::Key() const { return UpperCase(FileName); }

std::string ClipNoteName(const std::string& icoName) {
  return (icoName.size() >= 4 ? icoName.substr(0, icoName.size() - 4) : icoName) + ".sur";
}

std::vector<ClipFile> ListIcoClipBoard(const std::string& clipDir, Language lang,
                                       std::span<const std::string> listed) {
  const std::unordered_set<std::string> have(listed.begin(), listed.end());
  std::vector<ClipFile> out;
  for (const auto& name : ListFolderFiles(clipDir)) {
    if (!EndsWithIgnoringCase(name, ".ico") || have.contains(name)) continue;
    const Result<std::string> read = ReadFileStart(JoinPath(clipDir, name), kHeadersRead);
    if (!read) continue;
    const std::string& start = *read;
    const std::span<const std::uint8_t> bytes(reinterpret_cast<const std::uint8_t*>(start.data()), start.size());
    const auto head = DecodeIcoFileHead(bytes);
    if (!head) continue;
    const auto image = ImageHeader(bytes, *head);
    if (!image) continue;
    ClipFile f;
    f.FileName = name;
    f.Width = image->width;
    f.Height = image->height / 2;
    f.BitCount = image->bitCount;
    f.BytesInRes = head->bytesInRes;
    f.Source = FirstLine(JoinPath(clipDir, ClipNoteName(name)), lang);
    out.push_back(std::move(f));
  }
  return out;
}

ClipItemTexts MakeClipItemTexts(const ClipFile& file, int number, const LanguageTable& lang) {
  ClipItemTexts t;
  t.Text = VbStr(number);
  t.Size = VbStr(file.Width) + " x" + VbStr(file.Height);
  switch (file.BitCount) {
    case 1: t.Color = lang.Row(kRowClipDepth1); break;
    case 4: t.Color = lang.Row(kRowClipDepth4); break;
    case 8: t.Color = lang.Row(kRowClipDepth8); break;
    case 16: t.Color = lang.Row(kRowDepth16); break;
    case 24: t.Color = lang.Row(kRowDepth24); break;
    default: break;
  }
  t.Bytes = VbStr(file.Bytes()) + " ";
  t.Filename = file.Key();
  t.Source = file.Source;
  return t;
}

std::string ClipInfoText(const ClipItemTexts& texts) {
  return KillSp(texts.Text) + ": " + texts.Filename + " (" + KillSp(texts.Size) + " - " + KillSp(texts.Color) + ")";
}

ClipSelectState SelectClipIco(int count, int selCount, const LanguageTable& lang) {
  ClipSelectState s;
  s.Menu = count > 0;
  s.Panel1 = lang.Row(kRowPaneTotal) + VbStr(count) + " " +
             lang.Row(count != 1 ? kRowClipIconsSelected : kRowClipIconSelected) + VbStr(selCount) + " " +
             lang.Row(selCount != 1 ? kRowSelectedIcons : kRowSelectedIcon);
  s.SysClipboardItems = selCount == 1;
  s.SelectedItems = selCount > 0;
  s.SelectAll = count > 0;
  return s;
}

std::vector<std::string> DelClipFiles(const std::string& clipDir, std::span<const std::string> fileNames) {
  const OwnFolder folder(clipDir);
  std::vector<std::string> failed;
  for (const auto& name : fileNames) {
    if (!folder.RemoveFile(name)) {
      failed.push_back(name);
      continue;
    }
    (void)folder.RemoveFile(ClipNoteName(name));  // a note left behind names no icon
  }
  return failed;
}

std::vector<std::string> DelAllClipFiles(const std::string& clipDir) {
  const OwnFolder folder(clipDir);
  const auto own = [](const std::string& name) {
    return EndsWithIgnoringCase(name, ".ico") || EndsWithIgnoringCase(name, ".sur");
  };
  std::vector<std::string> failed;
  // What the pane lists through the link stays, and is named as not deleted.
  for (const auto& name : folder.NotReal() ? ListFolderFiles(clipDir) : folder.Names())
    if (own(name) && !folder.RemoveFile(name)) failed.push_back(name);
  std::sort(failed.begin(), failed.end());
  return failed;
}

void TellClipFilesNotDeleted(const std::string& clipDir, std::span<const std::string> names, Prompter& prompter,
                             const LanguageTable& lang) {
  if (names.empty()) return;
  if (OwnFolder(clipDir).NotReal()) {
    TellNotRealFolder(clipDir, prompter, lang);
    return;
  }
  std::string text = lang.Row(kRowClipIconsNotDeleted);
  for (const auto& n : names) text += "\n" + n;
  prompter.Tell(text, kRowClipIconsNotDeleted, PromptIcon::Warning);
}

}  // namespace glimmora
