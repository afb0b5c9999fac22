#include "text/FaultText.h"

#include <cerrno>

#include "text/LangRows.h"

namespace glimmora {

namespace {

// Each reason's row, and its English words for the one message that is shown before any language
// could be read (and for a row a damaged language file left empty).
struct ReasonRow {
  int sysErrno;
  int row;
  const char* english;
};

constexpr ReasonRow kReasonRows[] = {
    {ENOSPC, kRowReasonNoSpace, "No space left on device"},
    {EACCES, kRowReasonNoPermission, "Permission denied"},
    {EROFS, kRowReasonReadOnly, "Read-only file system"},
    {ENOENT, kRowReasonNotFound, "No such file or directory"},
    {EDQUOT, kRowReasonQuota, "Disk quota exceeded"},
    {EIO, kRowReasonInputOutput, "Input/output error"},
    {EEXIST, kRowReasonExists, "File exists"},
    {ENOTDIR, kRowReasonNotFolder, "Not a directory"},
    {EISDIR, kRowReasonIsFolder, "Is a directory"},
    {ELOOP, kRowReasonLinkLoop, "Too many levels of symbolic links"},
    {EMFILE, kRowReasonTooManyOpen, "Too many open files"},
    {ENAMETOOLONG, kRowReasonNameTooLong, "File name too long"},
    {EXDEV, kRowReasonCrossDevice, "Invalid cross-device link"},
    {EINVAL, kRowReasonNotRegularFile, "not a regular file"},
};
constexpr const char* kEnglishOtherReason = "System error %1";

int RowOf(Fault code) {
  switch (code) {
    case Fault::CannotOpen: return kRowFaultCannotOpen;
    case Fault::CannotRead: return kRowFaultCannotRead;
    case Fault::CannotCreate: return kRowFaultCannotCreate;
    case Fault::CannotCreateBeside: return kRowFaultCannotCreateBeside;
    case Fault::CannotWrite: return kRowFaultCannotWrite;
    case Fault::CannotCopyRest: return kRowFaultCannotCopyRest;
    case Fault::CannotSetMode: return kRowFaultCannotSetMode;
    case Fault::CannotFlush: return kRowFaultCannotFlush;
    case Fault::CannotClose: return kRowFaultCannotClose;
    case Fault::CannotReplace: return kRowFaultCannotReplace;
    case Fault::CannotFinishChange: return kRowFaultCannotFinishChange;
    case Fault::CannotLockLibrary: return kRowFaultCannotLockLibrary;
    case Fault::OnFile: return kRowFaultOnFile;
    case Fault::LibraryMissing: return kRowLibraryFileMissing;
    case Fault::LibraryShorterThanHeader: return kRowLibraryShorterThanHeader;
    case Fault::LibraryImpossibleCount: return kRowLibraryImpossibleCount;
    case Fault::LibraryFewerIcons: return kRowLibraryFewerIcons;
    case Fault::LibraryDataMissing: return kRowLibraryDataMissing;
    case Fault::LibraryChanged: return kRowLibraryChangedMeanwhile;
    case Fault::LibraryBusy: return kRowLibraryBusy;
    case Fault::LibraryLockNotFile: return kRowLibraryLockNotFile;
    case Fault::LibraryDataTooLarge: return kRowLibraryDataTooLarge;
    case Fault::LibraryDataTooLargeKept: return kRowLibraryDataTooLargeKept;
    case Fault::LibraryFilesExist: return kRowLibraryFilesExist;
    case Fault::LibraryNoSuchIcon: return kRowLibraryNoSuchIcon;
    case Fault::LibraryFull: return kRowLibraryFull;
    case Fault::LibraryIconOutsideData: return kRowLibraryIconOutsideData;
    case Fault::LibraryIconOutsideDataKept: return kRowLibraryIconOutsideDataKept;
    case Fault::LibraryIconUnreadable: return kRowLibraryIconUnreadable;
    case Fault::SearchIconUnreadable: return kRowSearchIconUnreadable;
    case Fault::SearchIconNoData: return kRowSearchIconNoData;
    case Fault::SearchIconNotWritten: return kRowSearchIconNotWritten;
  }
  return kRowFaultOnFile;
}

}  // namespace

std::string FillSlots(const std::string& text, const std::string& first, const std::string& second,
                      const std::string& third) {
  std::string out;
  out.reserve(text.size() + first.size() + second.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char slot = i + 1 < text.size() && text[i] == '%' ? text[i + 1] : '\0';
    if (slot == '1' || slot == '2' || slot == '3') {
      out += slot == '1' ? first : slot == '2' ? second : third;
      ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string ReasonText(const LanguageTable& lang, int sysErrno) {
  // A step that failed without saying why failed at the disk, as far as anyone can tell.
  if (sysErrno == 0) sysErrno = EIO;
  for (const ReasonRow& r : kReasonRows)
    if (r.sysErrno == sysErrno) return lang.Row(r.row).empty() ? r.english : lang.Row(r.row);
  const std::string& other = lang.Row(kRowReasonOther);
  return FillSlots(other.empty() ? kEnglishOtherReason : other, std::to_string(sysErrno));
}

std::string EnglishReasonText(int sysErrno) { return ReasonText(LanguageTable{}, sysErrno); }

std::string FaultText(const LanguageTable& lang, const Failure& failure) {
  // A row a damaged language file left empty still names the file and why.
  const std::string& filled = lang.Row(RowOf(failure.code));
  const std::string row = filled.empty() ? "%1: %2" : filled;
  // Only the rows with a second slot name a reason; the others are the program's own findings.
  const bool withReason = row.find("%2") != std::string::npos;
  return FillSlots(row, failure.subject, withReason ? ReasonText(lang, failure.sysErrno) : std::string(),
                   std::to_string(failure.number));
}

}  // namespace glimmora
