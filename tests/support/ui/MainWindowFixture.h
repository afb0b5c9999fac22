#pragma once
// A main window on a fresh temporary installation, with a scripted prompter and a web opener that
// only records: the set-up every test of the whole window starts from.

#include <gtest/gtest.h>

#include <memory>

#include "mainwindow/ui/MainWindow.h"
#include "support/ProgramFolderFixture.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedShell.h"

namespace glimmora::testing {

class MainWindowFixture : public ::testing::Test {
 protected:
  mwtest::TempFolder app;
  ScriptedPrompter prompter;
  RecordingWebOpener opener;
  std::unique_ptr<MainWindow> w;  // last member: it goes before the folder and fakes it uses

  // The installation alone; a test may change its files before it starts the window.
  void SetUp() override { mwtest::MakeInstallation(app.path()); }

  // Starts `w` on the installation as it stands now. A window already there goes first, as a
  // program run ends before the next one starts.
  MainWindow& StartWindow() {
    w.reset();
    w = std::make_unique<MainWindow>(app.str(), prompter, opener);
    w->Start();
    return *w;
  }
};

}  // namespace glimmora::testing
