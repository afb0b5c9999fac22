#pragma once
// The keyword row over the library pane: searches every library for the words typed (the hits
// fill the pane), keeps the history of searched words, and saves a keyword to the selected icons.

#include <QObject>

#include "library/KeywordHistory.h"
#include "library/ui/LibraryPageContext.h"

class QString;

namespace glimmora {

class LibraryPaneActions;

class KeywordRowActions : public QObject {
  Q_OBJECT
 public:
  KeywordRowActions(LibraryPageContext& ctx, LibraryPaneActions& pane, QObject* parent = nullptr);

  // Returns the number of hits (-1 when nothing was searched).
  int SearchLibByKeyword();
  void KeywordChosen();  // a history entry or Enter in the search box
  void AddComLboKeyword();
  // The keyword row's save button.
  void SaveKeywordToSelectedIcons();
  const BoundedHistory& KeywordHistory() const { return keywords_; }

 signals:
  // A caption of its own for the window (the search).
  void CaptionText(const QString& caption);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  LibraryPageContext& ctx_;
  LibraryPaneActions& pane_;
  BoundedHistory keywords_;
};

}  // namespace glimmora
