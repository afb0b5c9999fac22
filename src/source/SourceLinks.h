#pragma once
// The two halves of the source page talk through these interfaces: the file side (folder tree,
// path box, file list) and the icon side (icon pane, pages, saving, preview). Neither includes
// the other's widgets, and tests fake either half.

#include <string>
#include <vector>

namespace glimmora {

// What an icon search leaves in the file list: the texts of the searched file's "Icons" and
// "Details" columns. HasColumnTexts false leaves both columns as they are.
struct FoundIcons {
  bool HasColumnTexts = false;
  std::string Icons;    // "   37"; "   0" for a picture made into one icon
  std::string Details;  // the kinds of icons found, "" when none
  bool PictureToolOpened = false;  // the search handed the file to the picture-to-icon tool
};

// What the file side asks of the icon pane.
class IconPaneLink {
 public:
  virtual ~IconPaneLink() = default;
  // Searches a newly chosen file (page 1, every icon counted). `folder` has no trailing slash
  // (except the root "/").
  virtual FoundIcons SearchIcon(const std::string& folder, const std::string& fileName) = 0;
  // Empties the icon pane (before every fill of the file list and on collapse); it then shows no
  // file, so its page heading and page arrows go too.
  virtual void ClearListViewPict() = 0;
  // Recomputes the icon pane's status and the enabling of its commands.
  virtual void SelectIco() = 0;
  // Real-size preview of a file of the file list; called only while the left button that asked
  // for it is still held. HidePreview ends it when the button is released.
  virtual void ShowFilePreview(const std::string& filePath) = 0;
  virtual void HidePreview() = 0;
  // True while the picture-to-icon tool is open: a pending picture preview is then dropped.
  virtual bool PictureToolOpen() const { return false; }
};

// One file of the file list as the icon side sees it.
struct ListedFile {
  std::string Name;
  bool Checked = false;
};

inline int CheckedFileCount(const std::vector<ListedFile>& files) {
  int count = 0;
  for (const ListedFile& f : files) count += f.Checked ? 1 : 0;
  return count;
}

// Result of deleting the checked files from disk.
struct DeleteOutcome {
  bool Asked = false;      // the question was asked (false: nothing was checked)
  bool Confirmed = false;  // the user answered Yes
  int Deleted = 0;
  std::vector<std::string> Failed;  // full paths whose delete failed; their rows stay, checked
};

// What the icon side asks of the file list (saving the icons of checked files, moving them into
// the icon clipboard).
class FileListLink {
 public:
  virtual ~FileListLink() = default;
  // The folder the file list shows ("" before the first fill).
  virtual std::string CurrentFolder() const = 0;
  // Every row in list order, with its check state.
  virtual std::vector<ListedFile> ListedFiles() const = 0;
  // Writes the "Icons" and "Details" columns of the row of `fileName` (no row: nothing).
  virtual void SetFoundIcons(const std::string& fileName, const FoundIcons& found) = 0;
  // Recomputes the file list's status and the enabling of the file commands.
  virtual void SelectIcoSourceIco() = 0;
  // Deletes the checked files from disk after the Yes/No question (`ask` false: without it).
  // Rows whose file was deleted go in one pass; a failure is reported once.
  virtual DeleteOutcome DeleteCheckedFiles(bool ask) = 0;
  // The checked rows leave the list, at most `limit` of them in list order, after the Yes/No
  // question whether their files go too: Yes deletes each file first (a row whose file stays on
  // disk stays, checked), No leaves the files alone.
  virtual DeleteOutcome MoveCheckedFilesOut(int /*limit*/) { return {}; }
  // Adds the nodes of a folder (one just created beside a source file) to the folder tree.
  virtual void AddPathToTree(const std::string& folder) = 0;
  // Selects the row of `fileName` and scrolls it into view without searching it, so that a save
  // of the checked files shows which file it is at.
  virtual void ShowFileInList(const std::string& /*fileName*/) {}
};

}  // namespace glimmora
