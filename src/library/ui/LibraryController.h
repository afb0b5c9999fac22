#pragma once
// The behaviour of the library page: the tree, the library pane with its pages, the icon
// clipboard, the keyword row, the recent-library box and the two dialogs. The page lays the
// controls out; this object fills them and carries out the commands the frame sends.
//
// Loops that yield to the event loop (copying many icons) run under a guard: while one runs, the
// page's commands do nothing, so a key or click in between cannot start a second run.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "common/Clock.h"
#include "common/Prompter.h"
#include "save/SaveFormat.h"
#include "common/ShellServices.h"
#include "shared/WebAddress.h"
#include "library/KeywordHistory.h"
#include "library/LibraryCommands.h"
#include "library/ui/CommandSwitches.h"
#include "settings/Panes.h"

class QTreeWidgetItem;

namespace glimmora {

struct AppState;
class AuthorInfoDialog;
class ClipboardPane;
class LibIconList;
class LibraryManagerDialog;
class LibraryPage;
class LibraryTree;
class RealSizePreview;

struct LibraryServices {
  Prompter* Ask = nullptr;            // required for every command
  FolderBrowser* Browser = nullptr;   // export folders
  WebOpener* Opener = nullptr;        // the author window's mail and web buttons
  const Clock* Time = nullptr;        // notes of copied icons; null: the system clock
  std::function<std::string()> EditorPath;  // the external icon editor now set
  // Starts the editor with the icon's path as its one argument; null: a detached process.
  std::function<bool(const std::string& program, const std::string& file)> StartEditor;
};

// Where the library pane's rows came from.
enum class LibPaneSource { None, Page, Search };

class LibraryController : public QObject {
  Q_OBJECT
 public:
  LibraryController(LibraryPage& page, AppState& state, QObject* parent = nullptr);
  ~LibraryController() override;

  void SetServices(LibraryServices services);
  // Stops watching the page's controls (the page is going).
  void Detach();

  LibraryTree* Tree() const { return tree_; }
  ClipboardPane* Clip() const { return clip_; }
  LibIconList* Icons() const { return icons_; }
  AuthorInfoDialog* Author() const;
  LibraryManagerDialog* Manager() const;
  int LibGrpNo() const { return libGrpNo_; }
  int LibGrpCount() const { return libGrpCount_; }
  bool Busy() const { return busy_; }
  const BoundedHistory& KeywordHistory() const { return keywords_; }

  // Start-up: the tree, the clipboard and the pane's status.
  void Start();

  // --- tree ---
  void ResetTreeViewL();
  void RunLibraryTreeCommand(LibTreeCommand command);
  void NodeClick();

  // --- library pane ---
  void GetIcoFromLib();
  // Index 0 previous, 1 next page of the library pane: the page buttons and the page commands.
  void TurnIconPage(int index);
  void SelectLibIco();
  void SelectAllIcons();
  void CancelIconSelection();
  void SelSomeIco(int acSize, int acColor);
  void DeleteSelectedIcons();
  // Copies the selected (or all) icons into a folder or into the icon clipboard; returns the rows copied.
  std::vector<int> CopyLibIco(int subMnindex, SaveFormat icoBmp, bool allIco, bool toClipboard);
  void CopyIcotoIcoClipBoard(int size, bool cut);
  // The current icon of the library pane (or of the clipboard pane) on the system clipboard.
  void CopyIcotoSysClipBoard(int size, bool cut, bool fromClipboardPane);
  void SaveIconsWithDefaults();
  void OpenAuthorInf();

  // --- icon clipboard ---
  void RunClipboardCommand(ClipCommand command);
  void SelectClipIco();
  void MoveIcoToLib(bool allIco);

  // --- keyword row and recent box ---
  // Returns the number of hits (-1 when nothing was searched).
  int SearchLibByKeyword();
  void KeywordChosen();  // a history entry or Enter in the search box
  void AddComLboKeyword();
  // The keyword row's save button.
  void SaveKeywordToSelectedIcons();
  void AddImageComboLRD();
  // Opens the library named in the recent-library box.
  void OpenRecentLibrary();

 signals:
  void SwitchesChanged(const glimmora::CommandSwitches& switches);
  // The tree's selection changed what the window caption shows.
  void CaptionChanged();
  // A caption of its own for the window (the search).
  void CaptionText(const QString& caption);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Prompter& Ask();
  const Clock& Time() const;
  void ShowLibPages(int iconCount);
  void ShowPageButtons(bool shown, bool prev, bool next);
  void LoadAuthor();
  void SaveAuthor();
  void Progress(int value);
  void EndProgress();
  void RenumberAfterDelete(const std::string& srcPath, const std::vector<int>& deletedEntries);
  void ConnectWidgets();
  bool CurrentIs(Pane pane) const;
  // Recounts the library pane into the status bar; its commands are switched only while it is
  // the current list.
  void RecountLibIco();

  LibraryPage& page_;
  AppState& state_;
  LibraryServices services_;
  std::unique_ptr<Prompter> fallbackPrompter_;
  std::unique_ptr<Clock> systemClock_;
  LibraryTree* tree_ = nullptr;
  ClipboardPane* clip_ = nullptr;
  LibIconList* icons_ = nullptr;
  RealSizePreview* preview_ = nullptr;
  QPointer<AuthorInfoDialog> author_;
  QPointer<LibraryManagerDialog> manager_;
  int authorRow_ = -1;

  int libGrpNo_ = 0;
  int libGrpCount_ = 0;
  LibPaneSource paneSource_ = LibPaneSource::None;
  BoundedHistory keywords_;
  BoundedHistory recent_;
  bool busy_ = false;
  QTreeWidgetItem* justLoaded_ = nullptr;
  bool leftPressed_ = false;
  bool detached_ = false;
};

}  // namespace glimmora
