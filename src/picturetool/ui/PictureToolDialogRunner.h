#pragma once
// What runs the picture-to-icon tool for the conversion: a fresh PictureToolDialog for each
// picture, shown beside the main window, and a wait that keeps the whole program working (the
// event loop runs) until the dialog is closed. Afterwards the main window comes to the front again.

#include <QPointer>
#include <QWidget>

#include "text/LanguageTable.h"
#include "common/Prompter.h"
#include "shared/PictureTool.h"
#include "picturetool/ui/PictureToolDialog.h"

namespace glimmora {

class PictureToolDialogRunner : public PictureToolRunner {
 public:
  PictureToolDialogRunner(const LanguageTable& lang, Prompter& prompter, QWidget* mainWindow = nullptr)
      : lang_(lang), prompter_(prompter), mainWindow_(mainWindow) {}

  PictureToolResult ShowAndWait(const PictureToolRequest& request) override;

  // The window while a wait runs, else null.
  PictureToolDialog* OpenWindow() const { return open_.data(); }

 private:
  const LanguageTable& lang_;
  Prompter& prompter_;
  QPointer<QWidget> mainWindow_;
  QPointer<PictureToolDialog> open_;
};

}  // namespace glimmora
