#pragma once
// A page of the main window's tab strip. The main window asks each page for the sizes of its
// panes when the program ends, so a page that lays out real panes reports them here.

#include <QWidget>

#include "settings/ConfigFile.h"

namespace glimmora {

class MainPage : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;

  // Writes the sizes (twips) of the panes this page owns into `sizes`; entries of panes the page
  // does not show keep what they hold (the values read at start-up).
  virtual void StorePaneSizes(PaneSizes& sizes) const { (void)sizes; }

  // Copies what the page keeps for the next run (besides pane sizes) into the shared state just
  // before the configuration is written.
  virtual void StoreExitState() {}
};

}  // namespace glimmora
