#pragma once
// Attaches the command logic to the main window: the toolbar, the menu items, the keyboard, the
// focus of the panes, the tab strip and the options dialog all lead to the one MainFrame, which
// runs the commands of the command table on the pages.

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>

#include "shared/WebAddress.h"
#include "mainwindow/Commands.h"
#include "settings/OptionsLogic.h"

class QKeyEvent;

namespace glimmora {

class CommandToolbar;
class FolderBrowser;
class MainWindow;
class OptionsDialog;

// The Windows key code of a key event: letters and main-row digits as their capital character
// (Shift+digit is still the digit), number-pad digits 96..105, F1..F12 112..123, Enter 13,
// Space 32, Page Up/Down 33/34, Delete 46, Shift/Ctrl/Alt 16/17/18; 0 for keys no command uses.
// The keysyms X gives Ctrl+Alt+F1..F12 (XF86Switch_VT_1..12) count as F1..F12.
int WindowsKeyCode(const QKeyEvent& event);

class FrameWiring : public QObject {
  Q_OBJECT
 public:
  // `pages` runs the page procedures; nullptr leaves the window's own (help, languages, mail) and
  // the library page's lists as the only ones that answer until the pages attach theirs.
  FrameWiring(MainWindow& window, WebOpener& opener, Pages* pages = nullptr);
  ~FrameWiring() override;

  MainFrame& Frame() { return *frame_; }
  CommandToolbar* Toolbar() const { return toolbar_; }
  OptionsDialog* Options() const;

  // The start-up steps of the frame once the pages are built: the library page shown, the toolbar
  // set for it, the start-up disabled items and buttons.
  void AfterPagesBuilt();

  // The editor program the icon clipboard starts: the open dialog's box, else the stored path.
  std::string EditorPathForClipboard() const;

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  class WindowView;
  class WindowPages;

  // The pages' popup requests, status changes and caption changes reach the frame.
  void ConnectPages();
  void OnFocusChanged(QWidget* old, QWidget* now);
  void OpenOptions(Pane list);

  MainWindow& window_;
  WebOpener& opener_;
  CommandToolbar* toolbar_ = nullptr;
  std::unique_ptr<WindowView> view_;
  std::unique_ptr<WindowPages> ownPages_;
  std::unique_ptr<FolderBrowser> browser_;
  std::unique_ptr<MainFrame> frame_;
  QPointer<OptionsDialog> options_;
  OptionsMemory optionsMemory_;
  std::function<std::string()> fileListFolder_;
  bool consoleKeyPressed_ = false;  // a Ctrl+Alt+Fn press arrived, so its release is no command
};

}  // namespace glimmora
