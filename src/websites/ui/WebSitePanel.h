#pragma once
// What the web-site page shows: the list of icon web sites with a check box per entry, the detail
// text of the selected entry below it, a splitter between the two and a status bar. The main
// window's web-site page holds it; its toolbar, keys and popup menu reach the commands through the
// public methods.

#include <QPointer>
#include <QWidget>

#include <array>
#include <optional>
#include <string>

#include "settings/PaneTwips.h"
#include "settings/Panes.h"
#include "websites/WebSiteCommands.h"
#include "websites/WebSiteStore.h"

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace glimmora {

struct LanguageTable;
class Prompter;
class WebOpener;
class WebSiteEditor;

class WebSitePanel : public QWidget {
  Q_OBJECT

 public:
  WebSitePanel(const LanguageTable& lang, Prompter& prompter, WebOpener& opener,
              const std::string& appPath, QWidget* parent = nullptr);
  ~WebSitePanel() override;

  // Fills the list from the file. A file that is missing or holds no entry leaves it as it is; one
  // that cannot be read (no permission, a folder or a pipe in its place) is told, and leaves it too.
  void LoadList();

  void RunWebSiteCommand(WebCommand command);
  void OpenSite();
  void EditEntry();
  void AddEntry();
  void DeleteCheckedEntries();

  bool HasItems() const;

  // The list's height in twips, as kept in the configuration (0 when it does not fit). Setting it
  // applies the start-up limits against the page's height (at once, or when the page first gets
  // its size).
  int ListHeightTwips() const;
  void SetListHeightTwips(int savedTwips);

  QTreeWidget* ListViewWebSite() const { return list_; }
  QPlainTextEdit* TextWebSite() const { return text_; }
  QSplitter* Splitter() const { return splitter_; }
  // Null until the first edit or add command, and again after the editor was dropped with Esc.
  WebSiteEditor* Editor() const;
  WebSiteStore& Store() { return store_; }

 signals:
  // A right click on the list: the main window shows the web-site popup menu there.
  void PopupMenuRequested(const QPoint& globalPos);
  // An entry was clicked: the toolbar's delete button applies to this list now.
  void DeleteButtonEnabled();

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  QTreeWidgetItem* MakeItem(int recordNo, const WebSiteEntry& entry) const;
  void ShowEntry(QTreeWidgetItem* item, const WebSiteEntry& entry) const;
  WebSiteEntry EntryOf(const QTreeWidgetItem* item) const;
  QTreeWidgetItem* ItemOfRecord(int recordNo) const;
  int RecordOf(const QTreeWidgetItem* item) const;

  WebSiteEditor& EnsureEditor();
  void ShowEditor();
  void SetStepButtons(int position);
  void FillEditor(QTreeWidgetItem* item);
  void OnEditorButton(int index);
  void SaveFromEditor();
  void AddFromEditor();
  // Tells that a text was too long for its field, and shows the editor what was stored.
  void ShowShortened(const WebSiteEntry& stored);
  void StepEditor(int delta);
  void ReportFailure(const WebStoreResult& result);

  void ApplyListHeight();
  void SizeColumns();
  void OnSplitterMoved();

  const LanguageTable& lang_;
  Prompter& prompter_;
  WebOpener& opener_;
  WebSiteStore store_;

  QTreeWidget* list_ = nullptr;
  QPlainTextEdit* text_ = nullptr;
  QSplitter* splitter_ = nullptr;
  QStatusBar* status_ = nullptr;
  std::array<QLabel*, 3> panels_{};
  QPointer<WebSiteEditor> editor_;

  std::optional<int> pendingListHeight_;  // saved height waiting for the page's first size
  ShownPaneSize shownList_;
  bool columnsSized_ = false;
};

}  // namespace glimmora
