#pragma once
// The icon clipboard pane (ListViewIcoClipboard): lists the icon clipboard folder, recomputes its
// status and the enabling of the clipboard commands, deletes icons with their notes, exports them
// to a folder and hands one to the external icon editor. Each row keeps the file's real name, so
// a file copied in with small letters is still found on a case-sensitive disk.

#include <QObject>
#include <functional>
#include <string>
#include <vector>

#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "common/ShellServices.h"
#include "library/IconClipboard.h"
#include "library/ui/CommandSwitches.h"
#include "shared/IconClipboardLink.h"

class QLabel;
class QModelIndex;

namespace glimmora {

class LibraryPageList;

class ClipboardPane : public QObject, public IconClipboardLink {
  Q_OBJECT
 public:
  ClipboardPane(LibraryPageList* list, QLabel* panel1, std::string clipDir, const LanguageTable& lang,
                int clipGrpSize = 50, QObject* parent = nullptr);

  LibraryPageList* List() const { return list_; }
  const std::string& ClipDir() const { return clipDir_; }

  // --- IconClipboardLink ---
  IconClipboardState ClipboardState() const override;
  // Icons were saved into the clipboard from elsewhere: the pane is listed again.
  void RelistIconClipboard() override { RelistIconClipboard(false); }

  // Full rebuild (false), or the files of the folder not listed yet appended with numbers that
  // go on from the last item (true). Ends with SelectClipIco.
  void RelistIconClipboard(bool addNewIco);
  // Status panel 1 and the enabling of the clipboard commands, from the selection.
  ClipSelectState SelectClipIco();
  // Puts the tooltip the current view and selection call for on both views; the commands' switches
  // stay as they are.
  void ShowToolTip();

  // Deletes all or the selected icons with their notes. Files that could not be deleted stay
  // listed and are reported once.
  void DelIcoClipBoard(bool delAll, Prompter& prompter);

  // Takes the rows of these files out of the pane (their files are gone); numbers of the others
  // stay until the pane has added more than 52 pictures since it was last listed whole.
  void RemoveFiles(const std::vector<std::string>& fileNames);

  void SelectAll();
  void ClearSelection();

  int Count() const { return static_cast<int>(files_.size()); }
  std::vector<int> SelectedRows() const;
  // Real file names of the selected rows (all rows with `all`), in pane order.
  std::vector<std::string> Files(bool all) const;
  const ClipFile& File(int row) const { return files_[static_cast<std::size_t>(row)]; }
  // The row of the current item when it is selected, else the first selected row; -1 for none.
  int FocusedRow() const;
  std::string PathOf(int row) const;

  // Copies the selected icons (all with `all`) under their shown names into a folder from
  // `browser` ("" = cancelled); with `move` they then leave the clipboard. An existing file of the
  // same name is kept: the copy gets "-k" before its extension (kRowClipNameTaken tells).
  void Export(bool all, bool move, FolderBrowser& browser, Prompter& prompter);

  // Opens the current icon in the external editor `editor`; `start` runs it (program, file).
  void OpenInEditor(const std::string& editor, Prompter& prompter,
                    const std::function<bool(const std::string&, const std::string&)>& start);
  bool Dirty() const { return dirty_; }
  void SetDirty(bool dirty) { dirty_ = dirty; }

  // The tooltip of the pane for its current selection.
  QString ToolTip() const;

 signals:
  void SwitchesChanged(const glimmora::CommandSwitches& switches);

 private:
  void AddRows(const std::vector<ClipFile>& files, int firstNumber);

  LibraryPageList* list_;
  QLabel* panel1_;
  std::string clipDir_;
  const LanguageTable& lang_;
  int clipGrpSize_;
  std::vector<ClipFile> files_;
  int imagesAdded_ = 0;  // pictures added since the last full rebuild
  bool dirty_ = false;
};

// The command line the editor gets: the program and the icon's path as two separate arguments.
bool StartDetachedEditor(const std::string& program, const std::string& file);

}  // namespace glimmora
