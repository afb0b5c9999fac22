#pragma once
// The toolbar: its slots in their fixed layout, built from the command table. Hidden slots and
// separators carry no command; a click on a command button reports its number.

#include <QToolBar>

#include "text/LanguageTable.h"
#include "mainwindow/ToolbarState.h"

class QAction;

namespace glimmora {

class CommandToolbar : public QToolBar {
  Q_OBJECT
 public:
  explicit CommandToolbar(const LanguageTable& lang, QWidget* parent = nullptr);

  // Shows the enabled states and the pressed view button.
  void ShowState(const ToolbarState& state);
  // The action of button `index`; nullptr for a separator or a number that is no slot.
  QAction* Button(int index) const;

 signals:
  void commandClicked(int index);

 private:
  PerToolbarSlot<QAction*> buttons_{};
};

}  // namespace glimmora
