#include "library/LibCatalog.h"

#include <span>
#include <unordered_set>

#include "text/AsciiCase.h"
#include "files/FileBytes.h"
#include "icons/IcoFile.h"
#include "icons/IconResize.h"
#include "text/NumberText.h"
#include "common/Paths.h"
#include "library/LibFiles.h"
#include "library/LibraryWriter.h"

namespace glimmora {

std::string LibraryInfo::NodeText(const std::string& unreadableMark) const {
  if (Unreadable()) {
    const std::string file = NameOfPath(SrcPath);
    return file.substr(0, file.size() - std::min<std::size_t>(file.size(), 4)) + " " + unreadableMark;
  }
  return LibName + " (" + NumToStr(IconCount) + ")";
}

LibraryInfo ReadLibraryInfo(const std::string& srcPath, Language lang) {
  LibraryInfo info;
  info.SrcPath = srcPath;
  info.CategoryFolder = FolderOfPath(srcPath);
  const LibraryReader reader = LibraryReader::Open(srcPath);
  if (!reader.Ok()) info.Problem = reader.Problem();
  if (reader.Ok()) {
    info.LibName = HeadFieldText(reader.Head().LibName, lang);
    info.LibKey = HeadFieldText(reader.Head().LibKey, lang);
    info.IconCount = reader.IconCount();
    info.HasDat = reader.HasDat();
  }
  info.PicturePath = TreePicturePath(info.CategoryFolder, info.LibKey);
  if (info.LibKey.empty()) info.LibKey = srcPath;
  info.HasPicture = !info.PicturePath.empty() && FileExists(info.PicturePath);
  return info;
}

std::vector<CategoryInfo> ReadLibraryFolders(const std::string& iconLibDir, Language lang) {
  std::vector<CategoryInfo> out;
  std::unordered_set<std::string> keys;
  for (const auto& name : ListSubfolders(iconLibDir)) {
    CategoryInfo cat;
    cat.Folder = JoinPath(iconLibDir, name);
    cat.Name = CategoryDisplayName(name);
    if (const auto pic = FindNameIgnoringCase(cat.Folder, name + ".ico"); pic && FileExists(JoinPath(cat.Folder, *pic)))
      cat.PicturePath = JoinPath(cat.Folder, *pic);
    keys.insert(cat.Folder);
    out.push_back(std::move(cat));
  }
  for (auto& cat : out) {
    TidyCategoryFolder(cat.Folder);
    for (const auto& file : ListFolderFiles(cat.Folder)) {
      if (!EndsWithIgnoringCase(file, ".src")) continue;
      LibraryInfo lib = ReadLibraryInfo(JoinPath(cat.Folder, file), lang);
      if (!keys.insert(lib.LibKey).second) continue;
      cat.Libraries.push_back(std::move(lib));
    }
  }
  return out;
}

namespace {

std::optional<std::vector<std::uint8_t>> Shrunk(std::span<const std::uint8_t> ico) {
  const auto head = DecodeIcoFileHead(ico);
  if (!head) return std::nullopt;
  if (head->width <= 16 && head->height <= 16 && head->width != 0 && head->height != 0)
    return std::vector<std::uint8_t>(ico.begin(), ico.end());
  auto resized = ResizeIconToIco(ico, 1, true);
  if (!resized) return std::nullopt;
  return std::move(resized->ico);
}

constexpr std::size_t kMaxPictureFile = 4u << 20;

}  // namespace

bool CheckIco16x16(const std::string& icoPath) {
  const auto bytes = ReadFileBytes(icoPath, kMaxPictureFile);
  if (!bytes) return false;
  const auto head = DecodeIcoFileHead(*bytes);
  if (head && head->width != 0 && head->height != 0 && head->width <= 16 && head->height <= 16) return true;
  const auto small = Shrunk(*bytes);
  // The picture is replaced only once its 16 x 16 version is whole on disk.
  return small && ReplaceFileBytes(icoPath, *small).Ok();
}

std::optional<std::string> EnsureTreePicture(const LibraryInfo& lib) {
  if (!lib.ShowsOwnPicture() || lib.PicturePath.empty()) return std::nullopt;
  if (lib.HasPicture || FileExists(lib.PicturePath)) {
    if (!CheckIco16x16(lib.PicturePath)) return std::nullopt;
    return lib.PicturePath;
  }
  const LibraryReader reader = LibraryReader::Open(lib.SrcPath);
  const auto ico = reader.IcoBytes(1);
  if (!ico) return std::nullopt;
  const auto small = Shrunk(*ico);
  if (!small || !ReplaceFileBytes(lib.PicturePath, *small).Ok()) return std::nullopt;
  return lib.PicturePath;
}

}  // namespace glimmora
