#include "save/SaveIconFromSource.h"

#include <vector>

#include "icons/Dib.h"
#include "icons/IcoFile.h"
#include "icons/IconHeaderCheck.h"
#include "common/Paths.h"

namespace glimmora {
namespace {

// The single-image icon of the image at `pos` (1-based) of `file`, when it is still there as the
// item describes it.
std::optional<std::vector<std::uint8_t>> ReadFoundIcon(const ScanFile& file, std::int64_t pos, std::int64_t size) {
  if (!file.IsOpen() || pos < 1 || size < kInfoHeaderBytes || size > kMaxIconImageBytes) return std::nullopt;
  std::vector<std::uint8_t> image;
  if (!file.ReadAt(pos - 1, size, image)) return std::nullopt;
  CandidateHeader h;
  const HeaderVerdict verdict = CheckIconHeader(image.data(), &h);
  if (verdict == HeaderVerdict::Step6 || verdict == HeaderVerdict::Step14) return std::nullopt;
  const auto sizes = IconRowSizes(h.width, h.doubledHeight, h.bitCount, h.clrUsed);
  if (!sizes || sizes->imageSize != size) return std::nullopt;
  // A header whose height field equals its width gets that width as its height byte, as icons
  // saved from such images always have.
  const int heightByte = h.doubledHeight == h.width ? h.width : h.Height();
  const IcoFileHead head = MakeIcoFileHead(h.width, heightByte, h.bitCount, static_cast<std::uint32_t>(size));
  return MakeSingleImageIco(head, image);
}

// The first image of an icon file behind a head of its own: one standard directory entry with the
// file's width and height bytes and the image's bit count, the image at offset 22, nothing behind it.
std::optional<std::vector<std::uint8_t>> WholeIcon(std::span<const std::uint8_t> file) {
  const auto head = DecodeIcoFileHead(file);
  const auto image = IcoImageBytes(file);
  const auto info = image ? ParseDibHeader(*image) : std::nullopt;
  if (!head || !info) return std::nullopt;
  IcoFileHead own = MakeIcoFileHead(0, 0, info->bitCount, static_cast<std::uint32_t>(image->size()));
  own.width = head->width;
  own.height = head->height;
  return MakeSingleImageIco(own, *image);
}

}  // namespace

IconWriteResult WriteIconInChoice(std::span<const std::uint8_t> icoFile, const Raster* picture,
                                  const std::string& targetDir, const std::string& targetName, int sizeSel,
                                  SaveFormat format, bool toSysClipboard, MaskAnswer mask,
                                  Prompter& prompter, const LanguageTable& lang, FileOps* fileOps) {
  IconWriteResult result;
  result.targetName = targetName;
  const auto whole = WholeIcon(icoFile);
  if (!whole && picture == nullptr) {
    result.sourceUnreadable = true;
    return result;
  }
  if (format == SaveFormat::Ico && !toSysClipboard && sizeSel == 0) {
    if (!whole) {
      result.sourceUnreadable = true;
      return result;
    }
    WriteTargetFile(result, JoinPath(targetDir, targetName), *whole, fileOps);
    return result;
  }
  SaveInSizeRequest r;
  r.icoFile = icoFile;
  r.picture = picture;
  r.targetDir = targetDir;
  r.targetName = targetName;
  r.sizeSel = sizeSel;
  r.icoBmp = format;
  r.toSysClipboard = toSysClipboard;
  r.mask = mask;
  r.fileOps = fileOps;
  static_cast<SaveInSizeResult&>(result) = SaveIconInSize(r, prompter, lang);
  return result;
}

IconWriteResult SaveIconFromSource(const SaveFromSourceRequest& request, Prompter& prompter,
                                   const LanguageTable& lang) {
  const SaveFormat format = request.IcoBmp;
  if (request.SourceIsPict) {
    // The whole picture only stands in for the icon in the bitmap and clipboard cases.
    const bool asPicture = format != SaveFormat::Ico || request.ToSysClipboard;
    return WriteIconInChoice(request.pictureIco, asPicture ? request.picture : nullptr, request.TargetDir,
                             request.TargetName, request.SizeSel, format, request.ToSysClipboard, request.mask,
                             prompter, lang, request.fileOps);
  }
  ScanFile opened;
  // A source that cannot be opened gives no icon below, which is what is told.
  if (request.source == nullptr) (void)opened.Open(request.SourceFile);
  const auto ico = ReadFoundIcon(request.source != nullptr ? *request.source : opened, request.FilePos,
                                 request.ImageSize);
  if (!ico) {
    IconWriteResult failed;
    failed.targetName = request.TargetName;
    failed.sourceUnreadable = true;
    return failed;
  }
  return WriteIconInChoice(*ico, nullptr, request.TargetDir, request.TargetName, request.SizeSel, format,
                           request.ToSysClipboard, request.mask, prompter, lang, request.fileOps);
}

}  // namespace glimmora
