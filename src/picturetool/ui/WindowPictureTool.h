#pragma once
// The picture-to-icon tool as the conversion sees it: a fresh tool window for each picture, shown
// beside the main window, and a wait that keeps the whole program working (the event loop runs)
// until the window is closed. Afterwards the main window comes to the front again.

#include <QPointer>
#include <QWidget>

#include "common/LanguageTable.h"
#include "common/Prompter.h"
#include "shared/PictureTool.h"
#include "picturetool/ui/PictureToolWindow.h"

namespace glimmora {

class WindowPictureTool : public PictureToolRunner {
 public:
  WindowPictureTool(const LanguageTable& lang, Prompter& prompter, QWidget* mainWindow = nullptr)
      : lang_(lang), prompter_(prompter), mainWindow_(mainWindow) {}

  PictureToolResult ShowAndWait(const PictureToolRequest& request) override;

  // The window while a wait runs, else null.
  PictureToolWindow* OpenWindow() const { return open_.data(); }

 private:
  const LanguageTable& lang_;
  Prompter& prompter_;
  QPointer<QWidget> mainWindow_;
  QPointer<PictureToolWindow> open_;
};

}  // namespace glimmora
