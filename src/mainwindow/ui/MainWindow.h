#pragma once
// The main window: the menu bar built from the menu table, the tab strip with the three pages, the
// help, about and link windows, and the shut-down that writes Glimmora.cfg.
//
// Commands are attached to menu items by name: OnMenuItem("mn8DeleteIco", handler) runs the
// handler with the item's index (-1 for an item that is no menu array) whenever that item is
// chosen, from the menu bar or from a popup. Menu(name) and MenuAction(name, index) give the Qt
// objects for enabling, hiding and popping up.

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "common/Clock.h"
#include "common/Prompter.h"
#include "common/ShellServices.h"
#include "shared/WebAddress.h"
#include "settings/AppState.h"
#include "mainwindow/ui/HelpWindow.h"
#include "mainwindow/ui/LinkWindow.h"
#include "mainwindow/ui/SplashWindow.h"

class QAction;
class QKeyEvent;
class QMenu;
class QStackedWidget;
class QTabBar;

namespace glimmora {

class FrameWiring;
class LibraryPage;
class MainPage;
class PictureConversionService;
class SourcePage;
class WebSitePage;

class MainWindow : public QMainWindow, public HelpViewer {
  Q_OBJECT
 public:
  using MenuHandler = std::function<void(int index)>;
  // Sees every key pressed anywhere in the main window before the control with the focus does;
  // Shift, Ctrl and Alt alone never reach it. Returns true when it used the key.
  using KeyPreview = std::function<bool(QKeyEvent* event)>;

  // `appPath` is the program folder start-up settled on; `splash` (may be null) is the splash
  // window already on screen, which the main window keeps as its about box.
  MainWindow(const std::string& appPath, Prompter& prompter, WebOpener& opener,
             SplashWindow* splash = nullptr, QWidget* parent = nullptr);
  ~MainWindow() override;

  // The rest of start-up: work folders, language table, captions, configuration, pages, title;
  // ends with the window shown maximised. False, with nothing shown, when the program cannot go
  // on (its captions cannot be read; the user has been told) and must end.
  bool Start();

  AppState& State() { return state_; }
  const AppState& State() const { return state_; }
  Prompter& Prompts() { return prompter_; }

  // Menus.
  void OnMenuItem(std::string_view name, MenuHandler handler);
  QMenu* Menu(std::string_view name) const;
  QAction* MenuAction(std::string_view name, int index = -1) const;
  // Puts the language table's captions on every menu item (once, at start-up).
  void SetChgLang();

  // Keys: the modifier flags of the state follow the keys pressed in the main window.
  void SetKeyPreview(KeyPreview preview) { keyPreview_ = std::move(preview); }

  // Pages.
  QTabBar* TabStrip1() const { return tabStrip_; }
  QStackedWidget* Pages() const { return pages_; }
  LibraryPage* FrameL() const { return frameL_; }
  SourcePage* FrameS() const { return frameS_; }
  WebSitePage* FrameW() const { return frameW_; }
  // The toolbar, the keys and the commands of the menus (null before Start()).
  FrameWiring* Commands() const { return commands_; }
  // The picture-to-icon conversion the source page hands picture files to (null before Start()).
  PictureConversionService* Pictures() const { return pictures_.get(); }

  // Help menu.
  void ShowAbout();
  void ShowHelpContents();
  void ShowFriendLinks();
  void ShowHomePage();
  void ChangeLanguage(int index);
  void ShowHelp(int command, const std::string& data) override;

  // The open windows of the help menu (null when closed); for the pages and tests.
  HelpWindow* Help() const { return help_; }
  HomePageWindow* HomePage() const { return homePage_; }
  FriendLinkWindow* FrdLink() const { return frdLink_; }
  SplashWindow* Splash() const { return splash_; }

  // The pane sizes (twips) to store now: what start-up read, overwritten by the pages' panes.
  PaneSizes CurrentPaneSizes() const;

 signals:
  // The window has closed and its settings are written: the program ends.
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenus();
  void BuildPages();
  void Dispatch(std::string_view name, int index);

  AppState state_;
  Prompter& prompter_;
  SystemClock clock_;
  // Declared after the state it reads, so it goes before it.
  std::unique_ptr<PictureConversionService> pictures_;
  WebOpener& opener_;
  std::map<std::string, QMenu*, std::less<>> menus_;
  std::map<std::string, QAction*, std::less<>> actions_;  // by MenuEntryKey
  std::map<std::string, MenuHandler, std::less<>> handlers_;
  KeyPreview keyPreview_;

  QTabBar* tabStrip_ = nullptr;
  QStackedWidget* pages_ = nullptr;
  LibraryPage* frameL_ = nullptr;
  SourcePage* frameS_ = nullptr;
  WebSitePage* frameW_ = nullptr;
  FrameWiring* commands_ = nullptr;

  QPointer<SplashWindow> splash_;
  QPointer<HelpWindow> help_;
  QPointer<HomePageWindow> homePage_;
  QPointer<FriendLinkWindow> frdLink_;
  bool closed_ = false;
};

}  // namespace glimmora
