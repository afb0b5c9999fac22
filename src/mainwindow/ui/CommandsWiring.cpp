#include "mainwindow/ui/CommandsWiring.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QKeyEvent>
#include <QListView>
#include <QTreeView>
#include <QMenu>
#include <QMouseEvent>
#include <QStackedWidget>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTreeWidget>
#include <optional>
#include <utility>

#include "library/ui/ClipboardPane.h"
#include "library/ui/IconClipboardActions.h"
#include "library/ui/LibraryController.h"
#include "library/ui/LibraryPaneActions.h"
#include "library/ui/LibraryTreeActions.h"
#include "library/ui/LibraryPage.h"
#include "mainwindow/CommandMenus.h"
#include "mainwindow/ui/MainWindow.h"
#include "shared/ui/QtText.h"
#include "source/ui/FileListModel.h"
#include "source/ui/IconPane.h"
#include "source/ui/SourcePage.h"
#include "source/ui/FileListPanel.h"
#include "source/ui/FolderTreePanel.h"
#include "source/ui/SourcePanel.h"
#include "websites/ui/WebSitePage.h"
#include "websites/ui/WebSitePanel.h"
#include "mainwindow/ui/OptionsDialog.h"
#include "mainwindow/ui/Toolbar.h"
#include "platform/FolderBrowser.h"
#include "shared/ToolbarSlots.h"

namespace glimmora {
namespace {

// The address the support mail button writes to.
constexpr std::string_view kSupportMail = "support@glimmora.example";

// The page of a box that takes the focus without being a pane; nullopt for any other name.
std::optional<Page> InputBoxPage(const QString& name) {
  if (name == "ImageComboPath") return Page::Source;
  if (name == "TextSelIcoKeyword" || name == "ComboLKeyword") return Page::Library;
  return std::nullopt;
}

// The pane or box a focused widget belongs to: the nearest ancestor named after a control.
QWidget* ControlOf(QWidget* w, Pane* pane) {
  for (; w; w = w->parentWidget()) {
    const QString name = w->objectName();
    if (name.isEmpty()) continue;
    const Pane p = PaneFromName(name.toStdString());
    if (p != Pane::None || InputBoxPage(name)) {
      *pane = p;
      return w;
    }
  }
  return nullptr;
}

// X keeps Ctrl+Alt+F1..F12 for switching to a text console: the key comes as the keysym
// XF86Switch_VT_n (1..12) rather than as Fn, and where the server acts on it itself, only the
// key's release reaches the window. 0 for any other key.
constexpr quint32 kSwitchVt1 = 0x1008FE01;
int ConsoleSwitchNumber(const QKeyEvent& event) {
  const quint32 sym = event.nativeVirtualKey();
  return sym >= kSwitchVt1 && sym < kSwitchVt1 + 12 ? static_cast<int>(sym - kSwitchVt1) + 1 : 0;
}

}  // namespace

int WindowsKeyCode(const QKeyEvent& event) {
  if (const int n = ConsoleSwitchNumber(event)) return kVkF1 + n - 1;
  const int key = event.key();
  if (event.modifiers() & Qt::KeypadModifier) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return kVkNumpad0 + (key - Qt::Key_0);
    if (key == Qt::Key_Enter) return kVkEnter;
    if (key == Qt::Key_Delete) return kVkDelete;
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return 'A' + (key - Qt::Key_A);
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return '0' + (key - Qt::Key_0);
  if (key >= Qt::Key_F1 && key <= Qt::Key_F12) return kVkF1 + (key - Qt::Key_F1);
  // Shift with a main-row digit arrives as the symbol above it.
  static const std::pair<int, char> kShifted[] = {
      {Qt::Key_Exclam, '1'},      {Qt::Key_At, '2'},        {Qt::Key_NumberSign, '3'},
      {Qt::Key_Dollar, '4'},      {Qt::Key_Percent, '5'},   {Qt::Key_AsciiCircum, '6'},
      {Qt::Key_Ampersand, '7'},   {Qt::Key_Asterisk, '8'},  {Qt::Key_ParenLeft, '9'},
      {Qt::Key_ParenRight, '0'}};
  if (event.modifiers() & Qt::ShiftModifier)
    for (auto [k, digit] : kShifted)
      if (key == k) return digit;
  switch (key) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return kVkEnter;
    case Qt::Key_Space: return kVkSpace;
    case Qt::Key_PageUp: return kVkPageUp;
    case Qt::Key_PageDown: return kVkPageDown;
    case Qt::Key_Delete: return kVkDelete;
    case Qt::Key_Shift: return kVkShift;
    case Qt::Key_Control: return kVkControl;
    case Qt::Key_Alt: return kVkAlt;
    default: return 0;
  }
}

// ----- the window as the frame sees it -----

class FrameWiring::WindowView : public FrameView {
 public:
  WindowView(MainWindow& w, CommandToolbar& toolbar, FrameWiring& wiring)
      : w_(w), toolbar_(toolbar), wiring_(wiring) {}

  void FocusPane(Pane pane) override {
    QWidget* target = w_.findChild<QWidget*>(Q(PaneName(pane)));
    if (auto* stack = qobject_cast<QStackedWidget*>(target)) target = stack->currentWidget();
    if (target && target->isVisible()) target->setFocus(Qt::OtherFocusReason);
  }
  void SetMenuEnabled(std::string_view name, bool enabled) override {
    if (QAction* a = Action(name)) a->setEnabled(enabled);
  }
  void SetMenuVisible(std::string_view name, bool visible) override {
    if (QAction* a = Action(name)) a->setVisible(visible);
  }
  void SetMenuItemEnabled(std::string_view name, int index, bool enabled) override {
    if (QAction* a = w_.MenuAction(name, index)) a->setEnabled(enabled);
  }
  void SetMenuItemVisible(std::string_view name, int index, bool visible) override {
    if (QAction* a = w_.MenuAction(name, index)) a->setVisible(visible);
  }
  void ShowPopup(std::string_view menu) override {
    if (QMenu* m = w_.Menu(menu)) m->exec(QCursor::pos());
  }
  void ShowToolbar(const ToolbarState& state) override { toolbar_.ShowState(state); }
  void ShowPageFrame(Page page) override {
    const int index = static_cast<int>(page) - 1;
    const QSignalBlocker block(w_.TabStrip1());
    w_.TabStrip1()->setCurrentIndex(index);
    w_.Pages()->setCurrentIndex(index);
  }
  void SetWaitCursor(bool wait) override {
    if (wait && !waiting_) QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    if (!wait && waiting_) QGuiApplication::restoreOverrideCursor();
    waiting_ = wait;
  }
  void Repaint() override { w_.repaint(); }
  void SetCaption(const std::string& caption) override { w_.setWindowTitle(Q(caption)); }
  ScreenPoint PointerPos() const override {
    const QPoint p = QCursor::pos();
    return {p.x(), p.y()};
  }
  void MovePointer(ScreenPoint pos) override { QCursor::setPos(pos.x, pos.y); }
  void OpenOptionsDialog(Pane list) override { wiring_.OpenOptions(list); }

 private:
  // A menu's own action, or a single item's.
  QAction* Action(std::string_view name) const {
    if (QMenu* m = w_.Menu(name)) return m->menuAction();
    return w_.MenuAction(name);
  }

  MainWindow& w_;
  CommandToolbar& toolbar_;
  FrameWiring& wiring_;
  bool waiting_ = false;
};

// ----- the procedures the main window and the library page's lists carry themselves -----

class FrameWiring::WindowPages : public Pages {
 public:
  WindowPages(MainWindow& w, WebOpener& opener) : w_(w), opener_(opener) {}

  void CollapseFolderTree() override {
    if (SourcePanel* p = Source()) p->Folders().CollapseFolderTree();
  }
  void RefreshFolderTree() override {
    if (SourcePanel* p = Source()) p->Folders().RefreshFolderTree(w_.State().TreeViewSDirty);
  }
  void GotoCurrentFolder() override {
    if (SourcePanel* p = Source()) p->Folders().GotoCurrentFolder();
  }
  void SaveFileIconsWithDefaults() override {
    if (IconPane* p = Icons()) p->SaveFileIconsWithDefaults();
  }
  void SaveCheckedFileIconsAsIco() override { SaveFileIcons(SaveFormat::Ico, false); }
  void SaveCheckedFileIconsAsBmp() override { SaveFileIcons(SaveFormat::Bmp, false); }
  void SaveAllFileIconsAsIco() override { SaveFileIcons(SaveFormat::Ico, true); }
  void SaveAllFileIconsAsBmp() override { SaveFileIcons(SaveFormat::Bmp, true); }
  void SaveFileIconsToIconClipboard(int index) override {
    if (IconPane* p = Icons()) p->SaveFileIconsToIconClipboard(index);
  }
  void MoveFileIconsToIconClipboard(int index) override {
    if (IconPane* p = Icons()) p->MoveFileIconsToIconClipboard(index);
  }
  void RemoveCheckedFiles() override {
    if (SourcePanel* p = Source()) p->Files().RemoveCheckedFiles();
  }
  void DeleteCheckedFiles() override {
    if (SourcePanel* p = Source()) p->Files().DeleteCheckedFiles(true);
  }
  void SelectAllFiles() override {
    if (SourcePanel* p = Source()) p->Files().SelectAllFiles();
  }
  void CancelFileSelection() override {
    if (SourcePanel* p = Source()) p->Files().CancelFileSelection();
  }
  void InvertFileTicks() override {
    if (SourcePanel* p = Source()) p->Files().InvertFileTicks();
  }
  void SaveSelectedIconsAsIco(int size) override { SaveIcons(size, SaveFormat::Ico, false); }
  void SaveSelectedIconsAsBmp(int size) override { SaveIcons(size, SaveFormat::Bmp, false); }
  void SaveAllIconsAsIco(int size) override { SaveIcons(size, SaveFormat::Ico, true); }
  void SaveAllIconsAsBmp(int size) override { SaveIcons(size, SaveFormat::Bmp, true); }
  // Saving with the parameters goes by the current list: the file list has parameters of its own.
  void SaveIconsWithDefaults() override {
    const Pane list = w_.State().CurListView;
    if (list == Pane::ListViewFile) SaveFileIconsWithDefaults();
    else if (list == Pane::ListViewPict) {
      if (IconPane* p = Icons()) p->SaveIconsWithDefaults();
    } else if (LibraryController* l = LibIcons()) l->PaneActions().SaveIconsWithDefaults();
  }
  void SelectAllIcons() override {
    if (IconPane* p = PictPane()) p->SelectAllIcons();
    else if (LibraryController* l = LibIcons()) l->PaneActions().SelectAllIcons();
  }
  void CancelIconSelection() override {
    if (IconPane* p = PictPane()) p->CancelIconSelection();
    else if (LibraryController* l = LibIcons()) l->PaneActions().CancelIconSelection();
  }
  void SelectIconsOfSize(int index) override {
    if (IconPane* p = PictPane()) p->SelSomeIco(index, -1);
    else if (LibraryController* l = LibIcons()) l->PaneActions().SelSomeIco(index, -1);
  }
  void SelectIconsOfColors(int index) override {
    if (IconPane* p = PictPane()) p->SelSomeIco(-1, index);
    else if (LibraryController* l = LibIcons()) l->PaneActions().SelSomeIco(-1, index);
  }
  void CopyIconToSystemClipboard(int size) override {
    if (IconPane* p = PictPane()) p->CopyIcotoSysClipBoard(size, false);
    else if (LibraryController* l = LibShown()) ToSystemClipboard(*l, size, false);
  }
  void CutIconToSystemClipboard(int size) override {
    if (IconPane* p = PictPane()) p->CopyIcotoSysClipBoard(size, true);
    else if (LibraryController* l = LibShown()) ToSystemClipboard(*l, size, true);
  }
  void PreviousIconPage() override {
    if (IconPane* p = PictPane()) p->TurnIconPage(0);
    else if (LibraryController* l = LibShown()) l->PaneActions().TurnIconPage(0);
  }
  void NextIconPage() override {
    if (IconPane* p = PictPane()) p->TurnIconPage(1);
    else if (LibraryController* l = LibShown()) l->PaneActions().TurnIconPage(1);
  }
  void DeleteSelectedIcons() override {
    if (IconPane* p = PictPane()) p->DeleteSelectedIcons();
    else if (LibraryController* l = LibIcons()) l->PaneActions().DeleteSelectedIcons();
  }
  void CopyIconsToIconClipboard(int size) override { ToIconClipboard(size, false); }
  void CutIconsToIconClipboard(int size) override { ToIconClipboard(size, true); }
  void RunLibraryTreeCommand(LibTreeCommand command) override {
    if (LibraryController* l = LibPage()) l->TreeActions().RunLibraryTreeCommand(command);
  }
  void RunClipboardCommand(ClipCommand command) override {
    if (LibraryController* l = LibPage()) l->ClipboardActions().RunClipboardCommand(command);
  }
  void RunWebSiteCommand(WebCommand command) override {
    if (WebSitePanel* p = Web()) p->RunWebSiteCommand(command);
  }
  void SelectIco() override {
    if (IconPane* p = Icons()) p->SelectIco();
  }
  void SelectIcoSourceIco() override {
    if (SourcePanel* p = Source()) p->Files().SelectIcoSourceIco();
  }
  void SelectLibIco() override {
    if (LibraryController* l = LibPage()) l->PaneActions().SelectLibIco();
  }
  bool LibraryBusy() const override {
    const LibraryController* l = LibPage();
    return l != nullptr && l->Busy();
  }
  void SelectClipIco() override {
    if (LibraryController* l = LibPage()) l->ClipboardActions().SelectClipIco();
  }

  void SetListViewMode(Pane list, ListViewMode mode) override {
    if (LibraryPageList* l = List(list)) l->SetMode(mode);
    // The clipboard's tooltip names its one selected icon in every view but the report; the
    // menus' switches stay as the focus left them.
    if (list == Pane::ListViewIcoClipboard)
      if (LibraryController* l = LibPage()) l->ClipboardActions().ShowToolTip();
    if (list == Pane::ListViewFile) {
      if (SourcePanel* p = Source()) p->Files().SetFileViewMode(mode);
    }
    if (list == Pane::ListViewPict) {
      if (IconPane* p = Icons()) p->SetViewMode(mode);
    }
  }
  int ListItemCount(Pane list) const override {
    if (list == Pane::ListViewFile) {
      SourcePanel* p = Source();
      return p ? p->Files().FileModel()->rowCount() : 0;
    }
    if (list == Pane::ListViewPict) {
      IconPane* p = Icons();
      return p ? p->Status().ItemCount : 0;
    }
    if (list == Pane::ListViewWebSite) {
      WebSitePanel* p = Web();
      return p ? p->ListViewWebSite()->topLevelItemCount() : 0;
    }
    LibraryPageList* l = List(list);
    return l ? l->Model()->rowCount() : 0;
  }
  void InvertSelection(Pane list) override {
    if (list == Pane::ListViewFile) {
      if (SourcePanel* p = Source()) p->Files().InvertFileTicks();
      return;
    }
    if (list == Pane::ListViewPict) {
      if (IconPane* p = Icons()) p->InvertSelection();
      return;
    }
    LibraryPageList* l = List(list);
    if (!l) return;
    QItemSelection all(l->Model()->index(0, 0),
                       l->Model()->index(l->Model()->rowCount() - 1, l->Model()->columnCount() - 1));
    l->Selection()->select(all, QItemSelectionModel::Toggle);
  }
  std::optional<TreeNodeInfo> SelectedTreeViewLNode() const override {
    QTreeWidgetItem* item = w_.FrameL() ? w_.FrameL()->TreeViewL()->currentItem() : nullptr;
    if (!item) return std::nullopt;
    TreeNodeInfo info;
    info.text = item->text(0).toStdString();
    info.hasParent = item->parent() != nullptr;
    if (info.hasParent) info.parentText = item->parent()->text(0).toStdString();
    return info;
  }
  std::optional<std::string> SelectedTreeViewSKey() const override {
    SourcePanel* p = Source();
    if (!p) return std::nullopt;
    std::string key = p->Folders().SelectedNodeKey();
    if (key.empty()) return std::nullopt;
    return key;
  }

  void ShowHelpContents() override { w_.ShowHelpContents(); }
  void ShowHomePage() override { w_.ShowHomePage(); }
  void ShowFriendLinks() override { w_.ShowFriendLinks(); }
  void ShowAbout() override { w_.ShowAbout(); }
  void ChangeLanguage(int language) override { w_.ChangeLanguage(language); }
  void OpenSupportMail() override { OpenWebAddress(opener_, kSupportMail, "MAIL"); }

 private:
  SourcePanel* Source() const { return w_.FrameS() ? w_.FrameS()->Panel() : nullptr; }
  WebSitePanel* Web() const { return w_.FrameW() ? w_.FrameW()->Panel() : nullptr; }
  IconPane* Icons() const { return w_.FrameS() ? w_.FrameS()->Icons() : nullptr; }
  // The icon commands act on the icon list of the page shown, whichever of its panes is current:
  // with the file list current they still reach the source page's icon pane, never the hidden
  // library list.
  Page Shown() const { return static_cast<Page>(w_.TabStrip1()->currentIndex() + 1); }
  IconPane* PictPane() const { return Shown() == Page::Source ? Icons() : nullptr; }

  // The library page's commands; its icon list answers the icon commands while the library page
  // is shown and the icon clipboard is not the current list.
  LibraryController* LibPage() const { return w_.FrameL() ? w_.FrameL()->Controller() : nullptr; }
  LibraryController* LibShown() const { return Shown() == Page::Library ? LibPage() : nullptr; }
  LibraryController* LibIcons() const { return ClipCurrent() ? nullptr : LibShown(); }
  bool ClipCurrent() const { return w_.State().CurListView == Pane::ListViewIcoClipboard; }

  // The icons of the current icon list (the icon pane's or the library's), selected or all.
  void SaveIcons(int size, SaveFormat format, bool all) {
    if (IconPane* p = PictPane()) p->SaveIcotoIcoBmp(size, SaveSource::Pane, format, all, false);
    else if (LibraryController* l = LibIcons()) l->PaneActions().CopyLibIco(size, format, all, false);
  }
  // The icons of the checked (or all) files, in their own size.
  void SaveFileIcons(SaveFormat format, bool all) {
    if (IconPane* p = Icons()) p->SaveIcotoIcoBmp(0, SaveSource::File, format, all, false);
  }

  // The current icon of the current library list; `cut` takes it out of a library, never out of
  // the icon clipboard.
  void ToSystemClipboard(LibraryController& l, int size, bool cut) {
    if (ClipCurrent()) l.ClipboardActions().CopyIcotoSysClipBoard(size);
    else l.PaneActions().CopyIcotoSysClipBoard(size, cut);
  }

  void ToIconClipboard(int size, bool cut) {
    if (IconPane* p = PictPane()) p->CopyIcotoIcoClipBoard(size, cut);
    else if (LibraryController* l = LibIcons()) l->PaneActions().CopyIcotoIcoClipBoard(size, cut);
  }

  LibraryPageList* List(Pane list) const {
    LibraryPage* page = w_.FrameL();
    if (!page) return nullptr;
    if (list == Pane::ListViewLIco) return page->ListViewLIco();
    if (list == Pane::ListViewIcoClipboard) return page->ListViewIcoClipboard();
    return nullptr;
  }

  MainWindow& w_;
  WebOpener& opener_;
};

// ----- wiring -----

FrameWiring::FrameWiring(MainWindow& window, WebOpener& opener, Pages* pages)
    : QObject(&window), window_(window), opener_(opener) {
  AppState& state = window.State();
  toolbar_ = new CommandToolbar(state.LangStr, &window);
  window.addToolBar(Qt::TopToolBarArea, toolbar_);
  view_ = std::make_unique<WindowView>(window, *toolbar_, *this);
  ownPages_ = std::make_unique<WindowPages>(window, opener);
  browser_ = std::make_unique<QtFolderBrowser>(state.LangStr, &window);
  frame_ = std::make_unique<MainFrame>(pages ? *pages : *ownPages_, *view_, state.LangStr,
                                       state.AppTitle, state.TreeViewSDirty);
  fileListFolder_ = [] { return QDir::homePath().toStdString(); };
  ConnectPages();

  // The shared state the pages read follows the frame's model.
  frame_->OnModelChanged([&state](const PaneModel& m) {
    for (int i = 1; i <= 3; ++i) state.TabObj[static_cast<std::size_t>(i)] = m.TabObj[static_cast<std::size_t>(i)];
    state.FocusObj = m.FocusObj;
    state.CurListView = m.CurListView;
  });

  connect(toolbar_, &CommandToolbar::commandClicked, this,
          [this](int index) { frame_->RunToolbarButton(index); });
  for (const CommandRow& row : CommandRows()) {
    if (row.menu.empty()) continue;
    const std::string name(row.menu);
    window.OnMenuItem(name, [this, name](int index) { frame_->RunMenuItem(name, index); });
  }
  connect(window.TabStrip1(), &QTabBar::currentChanged, this,
          [this](int index) { frame_->SwitchToPage(static_cast<Page>(index + 1)); });
  connect(qApp, &QApplication::focusChanged, this, &FrameWiring::OnFocusChanged);
  qApp->installEventFilter(this);

  if (LibraryPage* lib = window.FrameL()) {
    auto popupOn = [this](QWidget* w, Pane pane) {
      w->setContextMenuPolicy(Qt::CustomContextMenu);
      connect(w, &QWidget::customContextMenuRequested, this,
              [this, pane] { frame_->PopMenuFromMouse(pane); });
    };
    popupOn(lib->TreeViewL(), Pane::TreeViewL);
    for (QWidget* v : {static_cast<QWidget*>(lib->ListViewLIco()->ReportView()),
                       static_cast<QWidget*>(lib->ListViewLIco()->IconView())})
      popupOn(v, Pane::ListViewLIco);
    for (QWidget* v : {static_cast<QWidget*>(lib->ListViewIcoClipboard()->ReportView()),
                       static_cast<QWidget*>(lib->ListViewIcoClipboard()->IconView())})
      popupOn(v, Pane::ListViewIcoClipboard);
  }
}

void FrameWiring::ConnectPages() {
  if (SourcePage* page = window_.FrameS()) {
    FolderTreePanel* folders = &page->Panel()->Folders();
    FileListPanel* files = &page->Panel()->Files();
    connect(folders, &FolderTreePanel::PopupRequested, this, [this](Pane pane) { frame_->PopMenuFromMouse(pane); });
    connect(files, &FileListPanel::PopupRequested, this, [this](Pane pane) { frame_->PopMenuFromMouse(pane); });
    connect(folders, &FolderTreePanel::CaptionChanged, this, [this] { frame_->SetMeCaption(); });
    connect(files, &FileListPanel::FileStatusChanged, this, [this, files] {
      const FileListStatus& status = files->FileStatus();
      for (const auto& [button, on] : status.ToolbarButtons()) frame_->SetToolButtonEnabled(button, on);
      for (const auto& item : status.MenuItems()) {
        if (item.index < 0) view_->SetMenuEnabled(item.name, item.enabled);
        else view_->SetMenuItemEnabled(item.name, item.index, item.enabled);
      }
    });
    fileListFolder_ = [files] { return files->CurrentFolder(); };
    if (IconPane* icons = page->Icons()) {
      connect(icons, &IconPane::PopupRequested, this, [this](Pane pane) { frame_->PopMenuFromMouse(pane); });
      connect(icons, &IconPane::StatusChanged, this, [this, icons] {
        const IconPaneStatus& status = icons->Status();
        for (const auto& [button, on] : status.ToolbarButtons()) frame_->SetToolButtonEnabled(button, on);
        for (const auto& [name, on] : status.MenuItems()) view_->SetMenuEnabled(name, on);
      });
      // The page-turn items follow the pane's arrows.
      connect(icons, &IconPane::PageControlsChanged, this, [this, icons] {
        const PageControls arrows = icons->PageControlState();
        view_->SetMenuEnabled("mn9LastGrpIcon", arrows.PrevEnabled);
        view_->SetMenuEnabled("mn10NextGrpIcon", arrows.NextEnabled);
      });
    }
  }
  if (LibraryPage* page = window_.FrameL(); page && page->Controller()) {
    LibraryController* lib = page->Controller();
    LibraryServices services;
    services.Ask = &window_.Prompts();
    services.Browser = browser_.get();
    services.Opener = &opener_;
    services.EditorPath = [this] { return EditorPathForClipboard(); };
    lib->SetServices(std::move(services));
    connect(lib, &LibraryController::SwitchesChanged, this, [this](const CommandSwitches& w) {
      for (const auto& [button, on] : w.Buttons) frame_->SetToolButtonEnabled(button, on);
      for (const MenuSwitch& m : w.Menus) view_->SetMenuEnabled(m.Menu, m.Enabled);
      for (const auto& [command, on] : w.ClipItems) view_->SetMenuItemEnabled(kClipMenu, ClipPlace(command), on);
    });
    connect(lib, &LibraryController::CaptionChanged, this, [this] { frame_->SetMeCaption(); });
    connect(lib, &LibraryController::CaptionText, this, [this](const QString& c) { window_.setWindowTitle(c); });
    // Icons the source page puts into the icon clipboard show in its pane at once.
    if (SourcePage* source = window_.FrameS(); source && source->Icons())
      source->Icons()->SetIconClipboard(lib->Clip());
  }
  if (WebSitePage* page = window_.FrameW()) {
    WebSitePanel* web = page->Panel();
    connect(web, &WebSitePanel::PopupMenuRequested, this, [this] { frame_->PopMenuFromMouse(Pane::ListViewWebSite); });
    connect(web, &WebSitePanel::DeleteButtonEnabled, this, [this] { frame_->SetToolButtonEnabled(kToolDelete, true); });
  }
}

FrameWiring::~FrameWiring() {
  qApp->removeEventFilter(this);
  if (options_) delete options_.data();
}

void FrameWiring::AfterPagesBuilt() {
  // The library page is shown first; the clipboard starts in report view, so its report item
  // is the one greyed.
  if (QMenu* m = window_.Menu("PopIcoMenu")) m->menuAction()->setEnabled(false);
  if (QAction* a = window_.MenuAction(kClipMenu, ClipViewPlace(ListViewMode::Report))) a->setEnabled(false);
  // Every button starts usable; the page and the missing pane switch off what they must, and
  // help and mail are never switched off afterwards.
  frame_->SetToolButtonsEnabled(kToolCollapseTree, kToolSupportMail, true);
  frame_->SwitchToPage(Page::Library);
  frame_->SetToolBarEn("TabStrip1", 0);
  frame_->SetPopMenu();
  frame_->SetToolButtonsEnabled(kToolFirstPaneCommand, kToolLastPaneCommand, false);
}

OptionsDialog* FrameWiring::Options() const { return options_.data(); }

std::string FrameWiring::EditorPathForClipboard() const {
  if (options_) return options_->EditorText();
  return StoredEditorPath(window_.State().Params());
}

void FrameWiring::OpenOptions(Pane list) {
  if (options_) delete options_.data();  // a new opening discards unsaved changes
  AppState& state = window_.State();
  // Before the file list has shown a folder, the previews start from the program folder.
  std::string folder = fileListFolder_();
  if (folder.empty()) folder = state.AppPath;
  auto form = LoadOptions(list, state.Params(), folder, optionsMemory_, state.LangStr);
  if (!form) return;
  auto chooser = [this](const std::string& title) {
    return OptionsDialog::ChooseProgramFile(&window_, title, window_.State().LangStr);
  };
  options_ = new OptionsDialog(std::move(*form), state.Params(), optionsMemory_, state.LangStr,
                               window_.Prompts(), *browser_, chooser, &window_);
  options_->setWindowFlag(Qt::Window);
  options_->show();
  options_->raise();
  options_->activateWindow();
}

void FrameWiring::OnFocusChanged(QWidget* old, QWidget* now) {
  Pane pane = Pane::None;
  if (old && old->window() == &window_) {
    if (QWidget* c = ControlOf(old, &pane)) {
      if (pane != Pane::None) frame_->PaneLostFocus(pane);
      else if (c->objectName() == "ComboLKeyword") frame_->ComboLKeywordLostFocus();
    }
  }
  if (now && now->window() == &window_) {
    if (now == window_.TabStrip1()) {
      frame_->TabStripGotFocus();
    } else if (QWidget* c = ControlOf(now, &pane)) {
      if (pane != Pane::None) {
        frame_->PaneGotFocus(pane);
        if (pane == Pane::ListViewPict || pane == Pane::ListViewLIco ||
            pane == Pane::ListViewIcoClipboard)
          frame_->SetListViewType();
      } else {
        frame_->InputBoxGotFocus(*InputBoxPage(c->objectName()));
      }
    }
  }
}

bool FrameWiring::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::MouseMove) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  // Only keys typed in the main window itself; a dialog's keys are its own.
  if (!widget || widget->window() != &window_) return false;
  if (type == QEvent::MouseMove) {
    const QPoint p = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    frame_->RecordCursorPos({p.x(), p.y()});
    return false;
  }
  auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers m = key->modifiers();
  const auto dispatch = [&](int vk) {
    return frame_->DispatchKey(vk, {bool(m & Qt::ControlModifier), bool(m & Qt::AltModifier),
                                    bool(m & Qt::ShiftModifier)});
  };
  if (type == QEvent::KeyRelease) {
    // A console-switch key whose press the X server kept for itself: its release stands for the
    // press. It goes no further, so that it counts once however far up the window it would travel.
    if (ConsoleSwitchNumber(*key) == 0) return false;
    if (!std::exchange(consoleKeyPressed_, false) && !key->isAutoRepeat()) dispatch(WindowsKeyCode(*key));
    return true;
  }
  if (ConsoleSwitchNumber(*key) != 0) consoleKeyPressed_ = true;
  const int vk = WindowsKeyCode(*key);
  if (vk == 0 || IsModifierKey(vk)) return false;
  return dispatch(vk);
}

}  // namespace glimmora
