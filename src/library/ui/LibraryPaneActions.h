#pragma once
// The library pane: shows a library's icons a page at a time (or the hits of a search), turns its
// pages, keeps its selection and the keyword box under it in step, deletes and copies its icons,
// opens the author window, and records each library shown in the recent-library box.

#include <QObject>
#include <QPointer>
#include <string>
#include <vector>

#include "library/KeywordHistory.h"
#include "library/LibPane.h"
#include "library/ui/CommandSwitches.h"
#include "library/ui/LibraryPageContext.h"
#include "save/SaveFormat.h"

namespace glimmora {

class AuthorInfoDialog;

// Where the library pane's rows came from.
enum class LibPaneSource { None, Page, Search };

class LibraryPaneActions : public QObject {
  Q_OBJECT
 public:
  explicit LibraryPaneActions(LibraryPageContext& ctx, QObject* parent = nullptr);
  ~LibraryPaneActions() override;

  // Lists the page LibGrpNo() of the library selected in the tree (a category: an empty pane).
  void GetIcoFromLib();
  // The first page of the library selected in the tree.
  void OpenFirstPage();
  // Index 0 previous, 1 next page: the page buttons and the page commands.
  void TurnIconPage(int index);
  // The hits of a keyword search, from every library: no page caption, no page buttons.
  void ShowSearchHits(const std::vector<LibPaneItem>& items);
  // Icons moved into the library shown join the pane at its end.
  void AddMovedIcons(const std::vector<LibPaneItem>& items);
  LibPaneSource Source() const { return source_; }
  int LibGrpNo() const { return libGrpNo_; }
  int LibGrpCount() const { return libGrpCount_; }
  // The page caption and the page buttons for a library of `iconCount` icons.
  void ShowLibPages(int iconCount);

  void SelectLibIco();
  void SelectAllIcons();
  void CancelIconSelection();
  void SelSomeIco(int acSize, int acColor);
  void DeleteSelectedIcons();
  // Copies the selected (or all) icons into a folder or into the icon clipboard; returns the rows copied.
  std::vector<int> CopyLibIco(int subMnindex, SaveFormat icoBmp, bool allIco, bool toClipboard);
  void CopyIcotoIcoClipBoard(int size, bool cut);
  // The current icon on the system clipboard; `cut` deletes it from its library afterwards.
  void CopyIcotoSysClipBoard(int size, bool cut);
  void SaveIconsWithDefaults();
  void OpenAuthorInf();
  AuthorInfoDialog* Author() const;

  // Adds the library named in the recent-library box to the box's list.
  void AddImageComboLRD();

 signals:
  void SwitchesChanged(const glimmora::CommandSwitches& switches);
  void CaptionChanged();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowPageButtons(bool shown, bool prev, bool next);
  // Recounts the pane into the status bar; its commands are switched only while it is the
  // current list.
  void RecountLibIco();
  void RenumberAfterDelete(const std::string& srcPath, const std::vector<int>& deletedEntries);
  void LoadAuthor();
  void SaveAuthor();
  bool IsViewport(QObject* watched) const;

  LibraryPageContext& ctx_;
  QPointer<AuthorInfoDialog> author_;
  int authorRow_ = -1;
  int libGrpNo_ = 0;
  int libGrpCount_ = 0;
  LibPaneSource source_ = LibPaneSource::None;
  BoundedHistory recent_;
};

}  // namespace glimmora
