#include "shared/PictureToIcon.h"

#include <sys/stat.h>

#include <cerrno>
#include <cmath>

#include "text/AsciiCase.h"
#include "icons/BmpFile.h"
#include "files/FileBytes.h"
#include "icons/Dib.h"
#include "icons/IcoFile.h"
#include "icons/IconResize.h"
#include "scan/IconScanner.h"
#include "text/LangRows.h"
#include "text/NumberText.h"
#include "files/Folders.h"
#include "common/Paths.h"
#include "files/ReplaceFile.h"
#include "save/SaveNotes.h"
#include "text/RowPrompts.h"

namespace glimmora {

namespace {

void ClearKeys(const PictureConversionEnv& env) {
  if (env.keys != nullptr) ResetShiftKeys(*env.keys, 0);
}

bool AskYesNo(const PictureConversionEnv& env, const std::string& text, int row) {
  ClearKeys(env);
  PromptRequest r;
  r.text = text;
  r.row = row;
  r.buttons = PromptButtons::YesNo;
  r.icon = PromptIcon::Question;
  return env.prompter.Ask(r) == PromptAnswer::Yes;
}

// The folder named after the picture beside it, made when it is not there yet, shown in the
// folder tree and given a readme naming the picture. False when it is not a folder afterwards
// (a plain file of that name, or no right to make it).
bool PrepareFolder(const std::string& folder, const std::string& sourceFile, const PictureConversionEnv& env,
                   PictureToIconResult& result) {
  result.Folder = folder;
  const Result<bool> made = MakeFolder(folder);
  if (!made) return false;
  result.FolderCreated = *made;
  if (env.AddPathToTree) env.AddPathToTree(folder);
  RemoveUnfinishedSaves(folder);
  result.ReadmeWritten =
      WriteReadme(folder, ReadmeText(sourceFile, env.AppTitle, env.clock.Now()), result.FolderCreated).Ok();
  return true;
}

void WriteTarget(PictureToIconResult& result, const std::string& path, std::span<const std::uint8_t> bytes) {
  result.TargetName = path;
  result.Written = !bytes.empty() && ReplaceFileBytes(path, bytes).Ok();
  result.WriteFailed = !result.Written;
}

}  // namespace

std::string PictureType(std::string_view fileName) {
  if (fileName.size() < 3) return {};
  const std::string ext = AsciiUpper(fileName.substr(fileName.size() - 3));
  if (ext == "BMP" || ext == "JPG" || ext == "GIF" || ext == "WMF") return ext;
  return {};
}

std::vector<std::uint8_t> BmpToIcoBytes(const Raster& icon, std::optional<Rgb> maskColour, int maskColorAns,
                                        const PictureConversionEnv& env, std::optional<Rgb>& used) {
  used.reset();
  bool useMask = false;
  // The question only makes sense when there is a colour to make transparent.
  if (maskColour) {
    if (maskColorAns == 0)
      useMask = true;
    else if (maskColorAns != 2)
      useMask = AskYesNo(env, env.lang.Row(kRowAskMask), kRowAskMask);
  }
  PictureIcon made = IconFromPicture(icon, useMask ? maskColour : std::nullopt);
  if (made.maskRefused) {
    ClearKeys(env);
    AskRow(env.prompter, env.lang, kRowPictureTooLarge, PromptButtons::Ok, PromptIcon::Information);
  } else if (useMask) {
    used = maskColour;
  }
  return std::move(made.ico);
}

PictureIconItem PictureItemOf(const std::vector<std::uint8_t>& ico, const std::string& sourceFile,
                              const std::string& fileName, const LanguageTable& lang) {
  PictureIconItem item;
  item.DisplayName = fileName + ".Ico";
  item.Key = sourceFile;
  const std::optional<IcoFileHead> head = DecodeIcoFileHead(ico);
  if (!head) return item;
  item.Columns[0] = "  " + VbStr(static_cast<int>(head->width)) + " x" + VbStr(static_cast<int>(head->height));
  // The depth comes from the image's own header: the directory entry is not ours to trust.
  const auto image = IcoImageBytes(ico);
  const std::optional<DibHeader> dib = image ? ParseDibHeader(*image) : std::nullopt;
  switch (dib ? dib->bitCount : 0) {
    case 1: item.Columns[1] = "     " + lang.Row(kRowDepth1); break;
    case 4: item.Columns[1] = "     " + lang.Row(kRowDepth4); break;
    case 8: item.Columns[1] = "     " + lang.Row(kRowDepth8); break;
    case 16: item.Columns[1] = " " + lang.Row(kRowDepth16); break;
    case 24: item.Columns[1] = " " + lang.Row(kRowDepth24); break;
    default: break;
  }
  const std::int64_t bytes = static_cast<std::int64_t>(head->bytesInRes) + 22;
  item.Columns[2] = "   " + VbStr(bytes);
  item.Columns[3] = "   " + VbStr(1);
  const double tenths = std::nearbyint(static_cast<double>(bytes) / 1024.0 * 10.0);
  item.StatusText = lang.Row(kRowPictureIconStatus) + " (" + NumToStr(tenths / 10.0) + " KB)";
  return item;
}

PictureToIconResult PictureConverter::PictureToIcon(const PictureToIconRequest& request) {
  PictureToIconResult result;
  if (busy_) {
    result.Outcome = PictureOutcome::Busy;
    return result;
  }
  const std::string folder = request.FolderPath.empty() ? std::string() : DropTrailingSlash(request.FolderPath);
  result.SourceFile = JoinPath(folder, request.FileName);
  result.SourceName = request.FileName;

  const std::string ext = PictureType(request.FileName);
  if (ext.empty()) return result;  // NotPicture
  const SaveFormat format = request.IcoBmp;
  const bool search = request.Mode == PictureMode::Search;

  bool convert = request.TrPictAns == 0;
  if (request.TrPictAns != 0 && request.TrPictAns != 2) {
    const int tail = (search || format == SaveFormat::Ico) ? kRowPictureMakeIcon : kRowPictureSaveBitmap;
    const std::string text = request.FileName + " " + env_.lang.Row(kRowPictureIs) + " " + ext + " " +
                             env_.lang.Row(tail);
    convert = AskYesNo(env_, text, tail);
  }
  if (!convert) {
    result.Outcome = PictureOutcome::Declined;
    return result;
  }
  result.Converted = true;
  result.SourceIsPict = true;

  PictureToolResult made;
  busy_ = true;
  made = tool_.ShowAndWait(PictureToolRequest{result.SourceFile, request.ShowAbort});
  busy_ = false;
  result.StopSaveIco = made.StopSaveIco;
  // Only a finished tool leaves an icon: an aborted or closed one writes nothing, rather than
  // whatever an earlier picture left behind.
  if (made.Outcome != ToolOutcome::Made || made.Icon.Empty()) {
    result.Outcome = PictureOutcome::Cancelled;
    return result;
  }
  result.Outcome = PictureOutcome::Made;

  if (!search && format == SaveFormat::Bmp) {
    // A bitmap holds the whole picture; the tool's choices do not enter it.
    std::optional<Raster> picture = WholePicture(made, result.SourceFile);
    if (!picture || picture->Empty()) {
      result.PictureUnreadable = true;
      result.WriteFailed = true;
      result.TargetName = result.SourceFile;
      return result;
    }
    std::string targetFolder = folder;
    if (request.NewFolder) {
      targetFolder = JoinPath(folder, request.FileName + "_BMP");
      if (!PrepareFolder(targetFolder, result.SourceFile, env_, result)) {
        result.WriteFailed = true;
        result.TargetName = JoinPath(targetFolder, request.FileName + "_bmp.bmp");
        return result;
      }
    }
    WriteTarget(result, JoinPath(targetFolder, request.FileName + "_bmp.bmp"), WriteBmp24(*picture));
    return result;
  }

  std::string target;
  if (search) {
    target = JoinPath(env_.AppPath, "temp.ico");
  } else if (request.ToClipBoard) {
    if (request.Naming == nullptr) {
      result.WriteFailed = true;
      return result;
    }
    const ClipboardName name =
        NextClipBoardFileName(*request.Naming, request.FileName, JoinPath(env_.AppPath, "IconClipBoard"),
                              result.SourceFile, env_.clock, env_.prompter, env_.lang);
    if (name.Full) {
      result.Full = true;
      return result;
    }
    target = name.FileName;
  } else {
    std::string targetFolder = folder;
    if (request.NewFolder) {
      targetFolder = JoinPath(folder, request.FileName + "_Ico");
      if (!PrepareFolder(targetFolder, result.SourceFile, env_, result)) {
        result.WriteFailed = true;
        result.TargetName = JoinPath(targetFolder, request.FileName + ".Ico");
        return result;
      }
    }
    target = JoinPath(targetFolder, request.FileName + ".Ico");
  }

  result.Ico = BmpToIcoBytes(made.Icon, made.MaskColour, request.MaskColorAns, env_, result.MaskColour);
  WriteTarget(result, target, result.Ico);
  if (search) {
    // The pane shows the icon from memory; the work file is only a copy of it.
    result.Item = PictureItemOf(result.Ico, result.SourceFile, request.FileName, env_.lang);
    if (std::optional<Raster> picture = WholePicture(made, result.SourceFile)) result.Picture = std::move(*picture);
  }
  return result;
}

std::optional<Raster> PictureConverter::WholePicture(PictureToolResult& made, const std::string& path) {
  // The tool's own copy of the file's picture saves decoding a large photo a second time.
  if (!made.Picture.Empty()) return std::move(made.Picture);
  return reader_.ReadPicture(path);
}

bool AbortButtonVisible(bool saveAllIco, int checkedFiles) { return saveAllIco || checkedFiles > 1; }

}  // namespace glimmora
