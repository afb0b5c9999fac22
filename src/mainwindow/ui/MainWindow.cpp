#include "mainwindow/ui/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QTabBar>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "text/LangRows.h"
#include "library/LibraryLayout.h"
#include "mainwindow/MenuTable.h"
#include "mainwindow/StartupSequence.h"
#include "mainwindow/ui/CommandsWiring.h"
#include "mainwindow/ui/HelpWindow.h"
#include "library/ui/LibraryPage.h"
#include "mainwindow/ui/LinkWindow.h"
#include "mainwindow/ui/SplashWindow.h"
#include "picturetool/ui/PictureConversionService.h"
#include "platform/DesktopLanguage.h"
#include "shared/ui/QtText.h"
#include "source/ui/SourcePage.h"
#include "source/ui/FolderTreePanel.h"
#include "source/ui/SourcePanel.h"
#include "websites/ui/WebSitePage.h"

namespace glimmora {
namespace {

// Opens a window again from the start: a window already open is closed first, so its contents
// are laid out anew, then the new one is shown in front.
template <typename Window, typename Make>
void ShowAfresh(QPointer<Window>& window, Make make) {
  if (window) {
    window->close();
    delete window.data();
  }
  window = make();
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace

MainWindow::MainWindow(const std::string& appPath, Prompter& prompter, WebOpener& opener,
                       SplashWindow* splash, QWidget* parent)
    : QMainWindow(parent), prompter_(prompter), opener_(opener), splash_(splash) {
  setObjectName("MainForm");
  state_.AppPath = appPath;

  tabStrip_ = new QTabBar(this);
  tabStrip_->setObjectName("TabStrip1");
  tabStrip_->setExpanding(false);
  pages_ = new QStackedWidget(this);
  connect(tabStrip_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(2, 2, 2, 2);
  layout->setSpacing(0);
  layout->addWidget(tabStrip_);
  layout->addWidget(pages_, 1);
  setCentralWidget(central);

  BuildMenus();
  OnMenuItem("mnchglangsub", [this](int index) { ChangeLanguage(index); });
  OnMenuItem("mnHelpContents", [this](int) { ShowHelpContents(); });
  OnMenuItem("mnHelpWebsite", [this](int) { ShowHomePage(); });
  OnMenuItem("mnHelpFrdLink", [this](int) { ShowFriendLinks(); });
  OnMenuItem("mnHelpAbout", [this](int) { ShowAbout(); });
}

MainWindow::~MainWindow() {
  // The small windows are top-level windows of their own; they go with the main window.
  delete splash_.data();
  delete help_.data();
  delete homePage_.data();
  delete frdLink_.data();
  // The pages and the command wiring read the shared state (texts, settings) while they are torn
  // down, so they go before the state does; Qt would delete them only after it.
  delete commands_;
  commands_ = nullptr;
  delete pages_;
  pages_ = nullptr;
  frameL_ = nullptr;
  frameS_ = nullptr;
  frameW_ = nullptr;
}

bool MainWindow::Start() {
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  // Every key of the window passes here first; keys typed in other windows do not.
  qApp->installEventFilter(this);
  // The language goes first: the folder problems are told in it.
  if (!LoadStartupData(state_, prompter_)) {
    if (splash_) splash_->hide();
    QGuiApplication::restoreOverrideCursor();
    return false;
  }
  UseDesktopLanguage(state_.CurLang());
  PrepareProgramFolder(state_.AppPath, state_.LangStr, prompter_);
  SetChgLang();
  // The pages write the title into the readme files of saved icons.
  state_.AppTitle = state_.Row(kRowProgramTitle);
  BuildPages();
  commands_ = new FrameWiring(*this, opener_);
  commands_->AfterPagesBuilt();

  // The folder tree's and the file list's menus serve only as popups until the source page shows.
  if (QMenu* m = Menu("PopFileMenu")) m->menuAction()->setVisible(false);
  if (QMenu* m = Menu("PopTreeViewSMenu")) m->menuAction()->setVisible(false);

  if (splash_) splash_->hide();
  showMaximized();
  state_.TreeViewSDirty = true;
  setWindowTitle(Q(state_.AppTitle));
  commands_->Frame().SetMeCaption();
  QGuiApplication::restoreOverrideCursor();
  return true;
}

void MainWindow::BuildMenus() {
  QMenuBar* bar = menuBar();
  for (const MenuEntry& e : MenuTable()) {
    const std::string key = MenuEntryKey(e.name, e.index);
    QMenu* parentMenu = nullptr;
    if (!e.parent.empty()) {
      auto it = menus_.find(e.parent);
      if (it == menus_.end()) continue;  // the table lists parents first
      parentMenu = it->second;
    }
    QAction* action = nullptr;
    switch (e.kind) {
      case MenuKind::Menu: {
        QMenu* menu = parentMenu ? parentMenu->addMenu(QString()) : bar->addMenu(QString());
        menu->setObjectName(Q(key));
        menus_.emplace(std::string(e.name), menu);
        action = menu->menuAction();
        break;
      }
      case MenuKind::Separator:
        action = parentMenu ? parentMenu->addSeparator() : bar->addSeparator();
        break;
      case MenuKind::Item: {
        action = parentMenu ? parentMenu->addAction(QString()) : bar->addAction(QString());
        const std::string name(e.name);
        const int index = e.index;
        connect(action, &QAction::triggered, this, [this, name, index] { Dispatch(name, index); });
        break;
      }
    }
    action->setObjectName(Q(key));
    actions_.emplace(key, action);
  }
}

void MainWindow::SetChgLang() {
  for (const MenuEntry& e : MenuTable()) {
    if (e.kind == MenuKind::Separator) continue;
    if (QAction* action = MenuAction(e.name, e.index))
      action->setText(Q(MenuCaption(e, state_.LangStr)));
  }
}

void MainWindow::BuildPages() {
  // Library, source files, web sites: the order of the tabs and of the layouts.
  frameL_ = new LibraryPage(state_, pages_);
  // Folders the conversion makes beside a picture appear in the source page's folder tree.
  pictures_ = std::make_unique<PictureConversionService>(
      state_.LangStr, prompter_, clock_, this, state_.AppPath, state_.AppTitle, &state_,
      [this](const std::string& folder) {
        if (frameS_ != nullptr) frameS_->Panel()->Folders().AddPathToTree(folder);
      });
  frameS_ = new SourcePage(state_, prompter_, &pictures_->Converter(), pages_);
  frameW_ = new WebSitePage(state_, prompter_, opener_, pages_);
  const QSignalBlocker blocker(tabStrip_);
  int tab = 1;
  for (MainPage* page : std::initializer_list<MainPage*>{frameL_, frameS_, frameW_}) {
    pages_->addWidget(page);
    tabStrip_->addTab(Q(TabCaption(tab++, state_.LangStr)));
  }
  tabStrip_->setCurrentIndex(0);
  pages_->setCurrentIndex(0);
}

void MainWindow::OnMenuItem(std::string_view name, MenuHandler handler) {
  handlers_[std::string(name)] = std::move(handler);
}

QMenu* MainWindow::Menu(std::string_view name) const {
  auto it = menus_.find(name);
  return it == menus_.end() ? nullptr : it->second;
}

QAction* MainWindow::MenuAction(std::string_view name, int index) const {
  auto it = actions_.find(MenuEntryKey(name, index));
  return it == actions_.end() ? nullptr : it->second;
}

void MainWindow::Dispatch(std::string_view name, int index) {
  auto it = handlers_.find(name);
  if (it != handlers_.end() && it->second) it->second(index);
}

void MainWindow::ChangeLanguage(int index) {
  if (index < 0 || index > 2) return;
  ChooseLanguage(state_, static_cast<Language>(index), prompter_);
}

void MainWindow::ShowAbout() {
  if (!splash_) splash_ = new SplashWindow(Q(state_.AppTitle));
  splash_->setWindowTitle(Q(state_.AppTitle));
  splash_->show();
  splash_->raise();
  splash_->activateWindow();
}

void MainWindow::ShowHelpContents() { ShowHelp(kHelpContents, std::string()); }

void MainWindow::ShowHelp(int command, const std::string& data) {
  const QString contents = HelpContentsFile(Q(state_.AppPath), state_.CurLang());
  if (contents.isEmpty()) {
    prompter_.Tell(state_.Row(kRowHelpNotFound) + "\n" + state_.AppPath + "/help", kRowHelpNotFound,
                   PromptIcon::Warning);
    return;
  }
  if (!help_) {
    help_ = new HelpWindow(
        contents, Q(state_.AppTitle),
        [this](const std::string& address) { opener_.OpenAddress(address); }, Q(state_.Row(kRowHelpContents)));
  }
  if (command != kHelpContents && !data.empty())
    help_->Browser()->setSource(QUrl::fromLocalFile(
        QFileInfo(contents).dir().filePath(Q(data))));
  help_->show();
  help_->raise();
  help_->activateWindow();
}

void MainWindow::ShowHomePage() {
  ShowAfresh(homePage_, [this] {
    return new HomePageWindow(state_, [this](const std::string& address) {
      OpenWebAddress(opener_, address, "WEB");
    });
  });
}

void MainWindow::ShowFriendLinks() {
  ShowAfresh(frdLink_, [this] { return new FriendLinkWindow(state_); });
}

PaneSizes MainWindow::CurrentPaneSizes() const {
  PaneSizes sizes = state_.Panes;
  for (const MainPage* page : std::initializer_list<const MainPage*>{frameL_, frameS_, frameW_})
    if (page) page->StorePaneSizes(sizes);
  return sizes;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget || widget->window() != this) return false;

  auto* key = static_cast<QKeyEvent*>(event);
  // The flags follow each event's own modifier state, so a release missed while a dialog had the
  // keyboard cannot leave a flag stuck.
  const Qt::KeyboardModifiers mods = key->modifiers();
  state_.ShiftDown = (mods & Qt::ShiftModifier) ? -1 : 0;
  state_.CtrlDown = (mods & Qt::ControlModifier) ? -1 : 0;
  state_.AltDown = (mods & Qt::AltModifier) ? -1 : 0;
  const bool press = type == QEvent::KeyPress;
  switch (key->key()) {
    case Qt::Key_Shift: state_.ShiftDown = press ? -1 : 0; return false;
    case Qt::Key_Control: state_.CtrlDown = press ? -1 : 0; return false;
    case Qt::Key_Alt: state_.AltDown = press ? -1 : 0; return false;
    default: break;
  }
  if (!press || !keyPreview_) return false;
  return keyPreview_(key);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // Closing is never refused; the settings are written once, however often the window is asked
  // to close.
  event->accept();
  if (closed_) return;
  closed_ = true;
  for (MainPage* page : std::initializer_list<MainPage*>{frameL_, frameS_, frameW_})
    if (page) page->StoreExitState();
  SaveFaceConfig(state_, CurrentPaneSizes(), prompter_);
  for (QWidget* w : std::initializer_list<QWidget*>{splash_, help_, homePage_, frdLink_})
    if (w) w->close();
  qApp->removeEventFilter(this);
  emit Closed();
}

}  // namespace glimmora
