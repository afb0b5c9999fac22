#include "source/FileListStatus.h"

#include "text/LangRows.h"
#include "text/NumberText.h"
#include "source/SizeText.h"
#include "shared/ToolbarSlots.h"

namespace glimmora {

namespace {

std::string SizePart(std::uint64_t bytes) {
  const SizeAmount a = KbAmount(bytes);
  return " (" + a.Amount + " " + a.Unit + ")";
}

}  // namespace

FileListStatus SelectIcoSourceIco(const std::vector<FileStatusRow>& rows, const LanguageTable& lang) {
  std::uint64_t allBytes = 0, checkedBytes = 0;
  long long checkedFiles = 0, checkedIcons = 0;
  for (const FileStatusRow& r : rows) {
    allBytes += r.Bytes;
    if (!r.Checked) continue;
    checkedBytes += r.Bytes;
    ++checkedFiles;
    checkedIcons += r.Icons > 0 ? r.Icons : 0;
  }
  const long long count = static_cast<long long>(rows.size());

  FileListStatus s;
  s.CheckedFileCommands = checkedFiles > 0;
  s.SelectAllItem = count > 0 && checkedFiles < count;
  s.ListButtons = count > 0;
  s.PopFileMenu = count > 0;

  if (count > 0)
    s.Panel[0] = lang.Row(kRowSourceTotal) + VbStr(count) + " " +
                 lang.Row(count > 1 ? kRowFilesPlural : kRowFileSingular) + SizePart(allBytes);
  if (checkedFiles > 0)
    s.Panel[1] = lang.Row(kRowPaneSelected) + VbStr(checkedFiles) + " " +
                 lang.Row(checkedFiles > 1 ? kRowTickedFiles : kRowTickedFile) + SizePart(checkedBytes);
  if (checkedIcons > 0) {
    int tail;
    if (checkedFiles > 1)
      tail = checkedIcons > 1 ? kRowIconsInTickedFiles : kRowIconInTickedFiles;
    else
      tail = checkedIcons > 1 ? kRowIconsInTickedFile : kRowIconInTickedFile;
    s.Panel[2] = lang.Row(kRowFoundInTicked) + VbStr(checkedIcons) + " " + lang.Row(tail);
  }
  return s;
}

std::vector<std::pair<int, bool>> FileListStatus::ToolbarButtons() const {
  std::vector<std::pair<int, bool>> buttons;
  for (int b = kToolMoveClipboardIntoLibrary; b <= kToolSaveAsBmp; ++b) buttons.emplace_back(b, false);
  buttons.emplace_back(kToolCopyToIconClipboard, false);
  buttons.emplace_back(kToolDelete, CheckedFileCommands);
  buttons.emplace_back(kToolCancelSelection, CheckedFileCommands);
  buttons.emplace_back(kToolSaveWithOptions, ListButtons);
  buttons.emplace_back(kToolSelectAll, ListButtons);
  for (int b = kToolOpenWebSite; b <= kToolAddWebSite; ++b) buttons.emplace_back(b, false);
  return buttons;
}

std::vector<FileListStatus::MenuSwitch> FileListStatus::MenuItems() const {
  const bool c = CheckedFileCommands;
  return {{"mn5DelSelectedFile", -1, c},     {"mnSaveSelFileIcotoBmp", -1, c},
          {"mnSaveSelFileIcotoIco", -1, c},  {"mn1SaveIcoOfSelectedFile", -1, c},
          {"mn4antiselectedFile", -1, c},    {"mn4cancleselectedFile", -1, c},
          {"mn5RealDelSelectedFile", -1, c}, {"mnMoveFileIcotoIcoClipBoardSub", 0, c},
          {"mn3SelectedAllFile", -1, SelectAllItem}, {"PopFileMenu", -1, PopFileMenu}};
}

}  // namespace glimmora
