#include "mainwindow/ui/Startup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include "mainwindow/StartupSequence.h"
#include "mainwindow/ui/MainWindow.h"
#include "mainwindow/ui/SplashWindow.h"
#include "platform/BackgroundJob.h"
#include "platform/FolderBrowser.h"
#include "platform/QtPrompter.h"
#include "platform/Shell.h"

namespace glimmora {

int RunGlimmora(QApplication& app) {
  QApplication::setApplicationName(QStringLiteral("Glimmora"));

  // The splash window first, painted at once: the rest of start-up does not yield.
  auto* splash = new SplashWindow(QString());
  splash->show();
  splash->raise();
  QApplication::processEvents();

  QtPrompter prompter;
  const LanguageTable noTexts;  // the language table is not loaded before the program folder
  QtFolderBrowser browser(noTexts);
  ProgramFolderSearch search;
  search.exeFolder = QCoreApplication::applicationDirPath().toStdString();
  search.exeName = QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString();
  search.fallbackFolder = QDir::home().filePath(QStringLiteral("glimmora")).toStdString();
  const std::optional<std::string> appPath = FindProgramFolder(search, browser, prompter);
  if (!appPath) {
    delete splash;
    return 0;
  }

  DesktopWebOpener opener(&prompter);
  MainWindow window(*appPath, prompter, opener, splash);
  prompter.SetParent(&window);
  prompter.SetLanguage(&window.State().LangStr);
  opener.SetLanguage(&window.State().LangStr);
  QObject::connect(&window, &MainWindow::Closed, &app, &QCoreApplication::quit,
                   Qt::QueuedConnection);
  // At the end the application waits for the background jobs; those still running stop at once.
  QObject::connect(&app, &QCoreApplication::aboutToQuit, &StopBackgroundJobs);
  if (!window.Start()) return 1;
  return app.exec();
}

}  // namespace glimmora
