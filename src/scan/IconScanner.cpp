#include "scan/IconScanner.h"

#include <algorithm>
#include <cerrno>

#include "text/AsciiCase.h"
#include "icons/IcoFile.h"
#include "text/LangRows.h"
#include "text/NumberText.h"
#include "common/Paths.h"

namespace glimmora {
namespace {

// x / 1024 * 10 rounded to a whole number of tenths, halves to even.
std::int64_t KibTenths(std::int64_t bytes) {
  const std::int64_t num = bytes * 10;
  std::int64_t q = num / 1024;
  const std::int64_t r2 = (num % 1024) * 2;
  if (r2 > 1024 || (r2 == 1024 && q % 2 != 0)) ++q;
  return q;
}

}  // namespace

void ProgressReporter::Value(int value) {
  if (progress_ != nullptr && value != last_) {
    last_ = value;
    progress_->SetProgressValue(value);
  }
}

void ProgressReporter::Show() {
  if (progress_ != nullptr) progress_->ShowProgress();
}

void ProgressReporter::Hide() {
  if (progress_ != nullptr) progress_->HideProgress();
}

int PercentOf(std::int64_t part, std::int64_t whole) {
  if (whole <= 0) return 1;
  return static_cast<int>(part * 100 / whole) + 1;
}

std::vector<std::uint8_t> IcoFileOf(const AcceptedImage& image, std::span<const std::uint8_t> bytes) {
  const CandidateHeader& h = image.header;
  const IcoFileHead head =
      MakeIcoFileHead(h.width, h.Height(), h.bitCount, static_cast<std::uint32_t>(image.imageSize));
  return MakeSingleImageIco(head, bytes);
}

std::string FoundIconKey(std::int64_t position, std::int64_t imageSize) {
  return VbStr(position) + "-" + VbStr(imageSize);
}

std::string DepthColumnText(int bitCount, const LanguageTable& lang) {
  const std::string pad = lang.CurLang == Language::English ? "  " : " ";
  switch (bitCount) {
    case 1: return "  " + lang.Row(kRowDepth1);
    case 4: return "  " + lang.Row(kRowDepth4);
    case 8: return "  " + lang.Row(kRowDepth8);
    case 16: return pad + lang.Row(kRowDepth16);
    case 24: return pad + lang.Row(kRowDepth24);
    default: return std::string();
  }
}

std::string FoundStatusText(std::int64_t count, std::int64_t totalBytes, const LanguageTable& lang) {
  const int word = count != 1 ? kRowIconsPlural : kRowIconSingular;
  return lang.Row(kRowSourceTotal) + VbStr(count) + " " + lang.Row(word) + " (" +
         NumToStr(static_cast<double>(KibTenths(totalBytes)) / 10) + " KB)";
}

NonStandardDecision MakeNonStandardDecision(int nostanAns, const LanguageTable& lang, Prompter& prompter) {
  if (nostanAns == kNostanSkip) return [](const CandidateHeader&) { return false; };
  if (nostanAns != kNostanAsk) return nullptr;  // taken without asking
  return [&lang, &prompter](const CandidateHeader& h) {
    PromptRequest r;
    r.text = lang.Row(kRowNonStandardAsk) + " " + VbStr(h.width) + " x" + VbStr(h.Height()) + " " +
             lang.Row(kRowNonStandardTail);
    r.title = "Glimmora";
    r.buttons = PromptButtons::OkCancel;
    r.row = kRowNonStandardAsk;
    return prompter.Ask(r) == PromptAnswer::Ok;
  };
}

ScanResult SearchIconInFile(const ScanRequest& request, const ScanServices& services) {
  ScanResult result;
  const std::string folder = DropTrailingSlash(request.FolderPath);
  result.SourceFile = JoinPath(folder, request.FileName);
  result.SourceName = request.FileName;
  const std::int64_t startPosition = request.GrpStartIco > 0 ? request.GrpStartIco : 1;
  if (request.FirstMod) result.GrpStart.push_back(1);

  ScanFile file;
  if (Result<void> opened = file.Open(result.SourceFile); !opened) {
    result.status = ScanStatus::SourceUnreadable;
    result.failure = opened.Error();
    return result;
  }

  const std::int64_t groupSize = std::max(1, request.GrpSize);
  const std::int64_t length = file.Length();
  ProgressReporter progress(services.progress);
  IconWalker walker(file, request.pattern, startPosition,
                    MakeNonStandardDecision(request.NostanAns, services.lang, services.prompter),
                    request.bufferBytes);
  std::int64_t count = 0;
  if (request.FirstMod) {
    walker.SetProgressHook([&](std::int64_t pos) { progress.Value(PercentOf(pos, length)); });
  } else {
    progress.Value(1);
  }

  AcceptedImage image;
  std::vector<std::uint8_t> bytes;
  while (walker.Next(image)) {
    ++count;
    if (request.FirstMod) {
      progress.Value(PercentOf(image.position, length));
    } else {
      progress.Value(PercentOf(count, groupSize));
    }
    if (count == 1) progress.Show();
    if (count > groupSize) {
      if (!request.FirstMod) break;
      // The first icon of every later page; (count - 1) so that pages of one icon count too.
      if ((count - 1) % groupSize == 0) result.GrpStart.push_back(image.position);
      continue;
    }

    const std::int64_t number = static_cast<std::int64_t>(request.GrpNo - 1) * request.GrpSizeSet + count;
    FoundIconItem item;
    item.text = request.FileName + "_" + std::to_string(number) + ".ico";
    item.key = FoundIconKey(image.position, image.imageSize);
    item.position = image.position;
    item.imageSize = image.imageSize;
    item.number = number;
    item.index = count;
    const CandidateHeader& h = image.header;
    item.columns[0] = "  " + VbStr(h.width) + " x" + VbStr(h.Height());
    item.columns[1] = DepthColumnText(h.bitCount, services.lang);
    item.columns[2] = "   " + VbStr(image.imageSize + 22);
    item.columns[3] = "   " + VbStr(count);
    item.useFileTypeIcon = number == 1 && EndsWithIgnoringCase(request.FileName, ".ico");
    if (walker.ImageBytes(image, bytes)) item.icoFile = IcoFileOf(image, bytes);
    result.listedBytes += 22 + image.imageSize;
    item.statusText = FoundStatusText(count, result.listedBytes, services.lang);
    ++result.listed;
    if (services.sink != nullptr) services.sink->AddFoundIcon(item);
  }

  result.found = count;
  result.IcoTypeCount = walker.Tally();
  if (request.FirstMod) result.IcoCount = count;
  if (walker.ReadFailed()) {
    result.status = ScanStatus::ReadError;
    result.failure = Fail(Fault::CannotRead, result.SourceFile, EIO);
  }
  return result;
}

}  // namespace glimmora
