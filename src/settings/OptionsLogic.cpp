#include "settings/OptionsLogic.h"

#include "text/LangRows.h"

namespace glimmora {
namespace {

std::string FolderPreview(const OptionsForm& form, int mode, const LanguageTable& lang) {
  if (mode == 1) return form.DlgBaseDir + "/";
  const bool bmp = form.Group(OptGroup::SaveAs).selected == 1;
  return form.DlgBaseDir + "/" + lang.Row(kRowSourceFilePlaceholder) + (bmp ? "_Bmp/" : "_Ico/");
}

// The folder box follows the selected folder mode: an automatic folder shown greyed in modes 0
// and 1, the user's own folder to edit in mode 2.
void ShowFolderMode(OptionsForm& form, const std::string& userFolder, const LanguageTable& lang) {
  const auto mode = form.Group(OptGroup::TagDir).selected;
  if (mode == 1 || mode == 0) {
    form.folderEnabled = false;
    form.browseShown = false;
    form.folderText = FolderPreview(form, *mode, lang);
  } else {
    form.folderEnabled = true;
    form.browseShown = true;
    form.folderText = userFolder;
  }
}

void FormatReaction(OptionsForm& form, const LanguageTable& lang) {
  auto& mask = form.Group(OptGroup::MaskColor);
  const auto format = form.Group(OptGroup::SaveAs).selected;
  if (format == 0) mask.enabled[0] = mask.enabled[1] = true;
  if (format == 1) mask.enabled[0] = mask.enabled[1] = false;
  if (form.Group(OptGroup::TagDir).selected == 0)
    form.folderText = FolderPreview(form, 0, lang);
}

void SelectValue(OptionsForm& form, OptGroup group, int value, const OptionsMemory& memory,
                 const LanguageTable& lang) {
  if (value < 0 || value >= kOptChoiceCounts[static_cast<int>(group)]) return;
  SelectOption(form, group, value, memory, lang);
}

}  // namespace

std::string OptionsTitle(Pane list, const LanguageTable& lang) {
  int row = 0;
  switch (list) {
    case Pane::ListViewLIco: row = kRowOptionsForLibraryIcons; break;
    case Pane::ListViewFile: row = kRowOptionsForFileList; break;
    case Pane::ListViewPict: row = kRowOptionsForFoundIcons; break;
    case Pane::ListViewIcoClipboard: row = kRowIconEditorFrame; break;
    default: return lang.Row(kRowOptionsTitle);
  }
  return lang.Row(kRowOptionsTitle) + " -- " + lang.Row(row);
}

std::array<int, 2> SaveSelRows(Pane list) {
  switch (list) {
    case Pane::ListViewLIco:
    case Pane::ListViewPict: return {kRowPaneSelectedIcons, kRowPaneAllIcons};
    case Pane::ListViewFile: return {kRowTickedFilesIcons, kRowAllFilesIcons};
    default: return {kRowWhichSelectedIcons, kRowWhichAllIcons};
  }
}

void SelectOption(OptionsForm& form, OptGroup group, int index, const OptionsMemory& memory,
                  const LanguageTable& lang) {
  form.Group(group).selected = index;
  if (group == OptGroup::SaveAs) FormatReaction(form, lang);
  if (group == OptGroup::TagDir) ShowFolderMode(form, memory.DlgOtherDir, lang);
}

std::optional<OptionsForm> LoadOptions(Pane list, const SaveParams& params,
                                       const std::string& fileListFolder, OptionsMemory& memory,
                                       const LanguageTable& lang) {
  const SaveDirRec* rec = params.ForList(PaneName(list));
  if (!rec) return std::nullopt;
  OptionsForm form;
  form.list = list;
  form.DlgRec = *rec;
  form.editorText = params.SaveLibDir.IconEditTool;

  // The folder the automatic previews start from; the root is written without its slash so
  // that appending "/" gives "/" again.
  form.DlgBaseDir = fileListFolder;
  while (!form.DlgBaseDir.empty() && form.DlgBaseDir.back() == '/') form.DlgBaseDir.pop_back();

  auto off = [&](OptGroup g, int first, int last) {
    for (int i = first; i <= last; ++i) form.Group(g).enabled[static_cast<std::size_t>(i)] = false;
  };
  if (list == Pane::ListViewLIco) {
    off(OptGroup::TrPict, 0, 2);
    off(OptGroup::Nostan, 0, 2);
    off(OptGroup::MaskColor, 0, 1);
  }
  if (list == Pane::ListViewFile) off(OptGroup::IcoSize, 1, kSizeChoiceCount - 1);

  const SaveDirRec& r = form.DlgRec;
  SelectValue(form, OptGroup::MaskColor, r.MaskColorAns, memory, lang);
  SelectValue(form, OptGroup::SaveAs, r.SaveAs, memory, lang);
  SelectValue(form, OptGroup::SaveSel, r.SaveSel, memory, lang);
  SelectValue(form, OptGroup::IcoSize, r.IcoSize, memory, lang);
  SelectValue(form, OptGroup::TagDir, r.TagDir, memory, lang);
  SelectValue(form, OptGroup::TrPict, r.TrPictAns, memory, lang);
  SelectValue(form, OptGroup::Nostan, r.NostanAns, memory, lang);

  // The file list always saves icons in their own size; the library list into the user's folder.
  if (list == Pane::ListViewFile) form.Group(OptGroup::IcoSize).selected = 0;
  if (list == Pane::ListViewLIco) {
    off(OptGroup::TagDir, 0, 1);
    form.Group(OptGroup::TagDir).selected = 2;
  }

  const auto mode = form.Group(OptGroup::TagDir).selected;
  if (mode == 0 || mode == 1) {
    ShowFolderMode(form, memory.DlgOtherDir, lang);
  } else {
    memory.DlgOtherDir = UsableOtherDir(form.DlgRec);
    form.folderEnabled = true;
    form.browseShown = true;
    form.folderText = memory.DlgOtherDir;
  }

  form.editorEnabled = false;
  if (list == Pane::ListViewIcoClipboard) {
    // Only the editor belongs to the icon clipboard; the rest shows the library's record greyed.
    form.editorEnabled = true;
    form.folderEnabled = false;
    for (int g = 0; g < kOptGroups; ++g) {
      form.groups[static_cast<std::size_t>(g)].enabled.fill(false);
      form.frameEnabled[static_cast<std::size_t>(g)] = false;
    }
  }
  return form;
}

void TakeBrowsedFolder(OptionsForm& form, OptionsMemory& memory, const std::string& folder) {
  if (folder.empty()) return;
  memory.DlgOtherDir = folder;
  form.folderText = folder;
}

OptionsOk PressOptionsOk(OptionsForm& form, SaveParams& params, Prompter& prompter,
                         const LanguageTable& lang) {
  SaveDirRec rec = form.DlgRec;
  auto take = [&](OptGroup g, std::uint8_t& field) {
    if (const auto s = form.Group(g).selected) field = static_cast<std::uint8_t>(*s);
  };
  take(OptGroup::SaveAs, rec.SaveAs);
  take(OptGroup::SaveSel, rec.SaveSel);
  take(OptGroup::IcoSize, rec.IcoSize);
  take(OptGroup::MaskColor, rec.MaskColorAns);
  take(OptGroup::TagDir, rec.TagDir);
  take(OptGroup::TrPict, rec.TrPictAns);
  take(OptGroup::Nostan, rec.NostanAns);
  rec.OtherDir = form.folderText;

  auto refuse = [&](int row, OptionsOk outcome) {
    PromptRequest ask;
    ask.text = lang.Row(row);
    ask.row = row;
    ask.buttons = PromptButtons::Ok;
    ask.icon = PromptIcon::Warning;
    prompter.Ask(ask);
    return outcome;
  };
  // Texts must fit their stored fields as bytes, not as characters: a user folder cut to its
  // field would name another folder after the next start. A text that comes back as it was read
  // goes back with its stored bytes, whatever length it reads as now.
  auto tooLong = [](const std::string& text, const std::string& stored, std::size_t field) {
    return text != stored && LenDbcs(text) > field;
  };
  if (rec.TagDir == 2 && tooLong(rec.OtherDir, form.DlgRec.OtherDir, kOtherDirBytes))
    return refuse(kRowFolderTooLong, OptionsOk::FolderTooLong);
  if (tooLong(form.editorText, form.DlgRec.IconEditTool, kIconEditToolBytes))
    return refuse(kRowEditorPathTooLong, OptionsOk::EditorPathTooLong);
  rec.IconEditTool = form.editorText;
  form.DlgRec = rec;

  if (SaveDirRec* target = params.ForList(PaneName(form.list))) *target = rec;
  return OptionsOk::Stored;
}

std::array<std::string, 2> ProgramChooserFilters(const LanguageTable& lang) {
  return {lang.Row(kRowProgramsFilter) + "(*)", lang.Row(kRowAllFilesFilter) + "(*)"};
}

std::string StoredEditorPath(const SaveParams& params) { return params.SaveLibDir.IconEditTool; }

}  // namespace glimmora
