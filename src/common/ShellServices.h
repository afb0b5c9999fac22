#pragma once
// Desktop services the GUI-free code asks for: the folder browser and the help window. The program
// implements them with Qt dialogs and windows; tests script them.

#include <string>

namespace glimmora {

class FolderBrowser {
 public:
  virtual ~FolderBrowser() = default;
  // Asks the user for a folder under the title `title` (an empty title shows the language table's
  // own browser title). Returns the folder without a trailing slash ("/" for the root), or "" when
  // the user cancelled.
  virtual std::string BrowseForFolder(const std::string& title) = 0;
};

// Help commands the callers pass.
inline constexpr int kHelpContents = 3;

class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  // Shows the program's help: `command` kHelpContents opens the contents page; `data` names a
  // topic for other commands. Nothing is reported back.
  virtual void ShowHelp(int command, const std::string& data) = 0;
};

}  // namespace glimmora
