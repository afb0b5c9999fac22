#include "save/SaveInSize.h"

#include "icons/BmpFile.h"
#include "icons/Dib.h"
#include "files/FileBytes.h"
#include "text/LangRows.h"
#include "common/Paths.h"
#include "icons/IcoFile.h"
#include "text/RowPrompts.h"

namespace glimmora {
namespace {

bool Decodable(std::span<const std::uint8_t> icoFile) {
  const auto image = IcoImageBytes(icoFile);
  return image && IconImageLayout(*image).has_value();
}

}  // namespace

void WriteTargetFile(SaveInSizeResult& result, const std::string& path, std::span<const std::uint8_t> bytes,
                     FileOps* ops) {
  if (Result<void> saved = ReplaceFileBytes(path, bytes, ops); saved) {
    result.written = true;
    result.targetPath = path;
  } else {
    result.writeFailure = saved.Error();
  }
}

SaveInSizeResult SaveIconInSize(const SaveInSizeRequest& request, Prompter& prompter, const LanguageTable& texts) {
  SaveInSizeResult result;
  result.targetName = request.targetName;
  const bool toBitmap = request.icoBmp == SaveFormat::Bmp || request.toSysClipboard;
  if (SizeChoicePixels(request.sizeSel) < 0) return result;
  const std::string base = SizedTargetBase(request.targetName, request.sizeSel);

  if (toBitmap) {
    result.targetName = base + ".bmp";
    std::optional<Raster> picture;
    if (request.picture != nullptr)
      picture = ScalePictureToSize(*request.picture, request.sizeSel);
    else
      picture = ResizeIconToPicture(request.icoFile, request.sizeSel);
    if (!picture || picture->Empty()) return result;
    if (request.toSysClipboard) {
      result.clipboard = std::move(*picture);
      if (request.picture == nullptr) result.clipboardAlpha = ResizeIconToArgb(request.icoFile, request.sizeSel);
      return result;
    }
    WriteTargetFile(result, JoinPath(request.targetDir, result.targetName), WriteBmp24(*picture), request.fileOps);
    return result;
  }

  result.targetName = base + ".ico";
  if (!Decodable(request.icoFile)) return result;
  bool makeMask = request.mask == MaskAnswer::Yes;
  if (request.mask == MaskAnswer::Ask)
    makeMask = AskRow(prompter, texts, kRowAskMask, PromptButtons::YesNo) == PromptAnswer::Yes;
  const auto resized = ResizeIconToIco(request.icoFile, request.sizeSel, makeMask);
  if (!resized) return result;
  result.mask = resized->mask;
  if (resized->mask == MaskResult::NoKeyColor) AskRow(prompter, texts, kRowNoKeyColor);
  WriteTargetFile(result, JoinPath(request.targetDir, result.targetName), resized->ico, request.fileOps);
  return result;
}

}  // namespace glimmora
