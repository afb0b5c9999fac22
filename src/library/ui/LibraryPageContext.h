#pragma once
// What the library page's command classes share: the page and its three lists, the services the
// frame lends, the progress bar, and the busy mark. Loops that yield to the event loop (copying
// many icons) run under a BusyGuard on Busy: while one runs, the page's commands do nothing, so a key or
// click in between cannot start a second run.

#include <functional>
#include <memory>
#include <string>

#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/ShellServices.h"
#include "settings/Panes.h"
#include "shared/WebAddress.h"
#include "shared/ui/Preview.h"

class QMouseEvent;
class QObject;

namespace glimmora {

struct AppState;
class ClipboardPane;
class LibIconList;
class LibraryPage;
class LibraryTree;

struct LibraryServices {
  Prompter* Ask = nullptr;            // required for every command
  FolderBrowser* Browser = nullptr;   // export folders
  WebOpener* Opener = nullptr;        // the author window's mail and web buttons
  const Clock* Time = nullptr;        // notes of copied icons; null: the system clock
  std::function<std::string()> EditorPath;  // the external icon editor now set
  // Starts the editor with the icon's path as its one argument; null: a detached process.
  std::function<bool(const std::string& program, const std::string& file)> StartEditor;
};

class LibraryPageContext {
 public:
  LibraryPageContext(LibraryPage& page, AppState& state);
  ~LibraryPageContext();

  LibraryPage& Page;
  AppState& State;
  LibraryServices Services;
  LibraryTree* Tree = nullptr;
  ClipboardPane* Clip = nullptr;
  LibIconList* Icons = nullptr;
  RealSizePreview* Preview = nullptr;
  bool Busy = false;
  bool Detached = false;  // the page is going: its controls are no longer watched

  Prompter& Ask();
  const Clock& Time() const;
  bool CurrentIs(Pane pane) const;
  void Progress(int value);
  void EndProgress();
  // The real-size preview of the icon under a left press on a viewport of `list`.
  void PreviewPressed(QObject* viewport, const QMouseEvent& mouse, PreviewList list);
  // Puts icon file `fileName` of `dir` at size `size` on the system clipboard; false when nothing
  // went there.
  bool CopyToSystemClipboard(const std::string& dir, const std::string& fileName, int size);

 private:
  std::unique_ptr<Prompter> fallbackPrompter_;
  std::unique_ptr<Clock> systemClock_;
};

}  // namespace glimmora
