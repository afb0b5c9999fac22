#pragma once
// Shell services for tests: a folder browser answering from a script, and an address opener and a
// help viewer that record what they were asked.

#include <deque>
#include <string>
#include <vector>

#include "common/ShellServices.h"
#include "shared/WebAddress.h"

namespace glimmora::testing {

class ScriptedFolderBrowser : public FolderBrowser {
 public:
  std::deque<std::string> answers;  // "" is a cancel; an empty queue cancels
  std::vector<std::string> titles;  // the titles asked with, in order

  std::string BrowseForFolder(const std::string& title) override {
    titles.push_back(title);
    if (answers.empty()) return {};
    std::string a = answers.front();
    answers.pop_front();
    return a;
  }
};

class RecordingWebOpener : public WebOpener {
 public:
  std::vector<std::string> opened;
  bool result = true;
  bool OpenAddress(const std::string& address) override {
    opened.push_back(address);
    return result;
  }
};

class RecordingHelpViewer : public HelpViewer {
 public:
  struct Call {
    int command;
    std::string data;
  };
  std::vector<Call> calls;
  void ShowHelp(int command, const std::string& data) override { calls.push_back({command, data}); }
};

}  // namespace glimmora::testing
