#include "picturetool/ui/PictureToolDialogRunner.h"

#include <QEventLoop>
#include <QGuiApplication>

#include "picturetool/ui/PictureToolDialog.h"

namespace glimmora {

PictureToolResult PictureToolDialogRunner::ShowAndWait(const PictureToolRequest& request) {
  // One tool at a time: a second request while one waits finds it open and gets nothing.
  if (open_) return PictureToolResult{};
  // A caller busy with a long run shows the hourglass; the tool is worked with the mouse.
  QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
  QPointer<PictureToolDialog> window = new PictureToolDialog(lang_, prompter_, request.ShowAbort, mainWindow_);
  open_ = window;
  window->show();
  window->raise();
  window->activateWindow();
  window->GetPict(PictureToolDialog::PictSource::File, request.PicturePath);

  // The event loop runs until the window closes (or goes with its parent, or the program ends).
  QEventLoop wait;
  QObject::connect(window, &QDialog::finished, &wait, &QEventLoop::quit);
  QObject::connect(window, &QObject::destroyed, &wait, &QEventLoop::quit);
  if (window && window->isVisible()) wait.exec();

  PictureToolResult result;
  if (window) {
    // The wait only ends once the window's own handlers have returned, so it can go at once.
    result = window->TakeResult();
    delete window.data();
  }
  open_ = nullptr;
  QGuiApplication::restoreOverrideCursor();
  if (mainWindow_) {
    QWidget* top = mainWindow_->window();
    top->raise();
    top->activateWindow();
  }
  return result;
}

}  // namespace glimmora
