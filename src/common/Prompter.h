#pragma once
// Every message box of the program goes through this interface, so that the GUI-free code can ask
// a question and tests can answer it from a script.

#include <string>

#include "common/LanguageTable.h"

namespace glimmora {

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };
enum class PromptIcon { None, Information, Question, Warning, Critical };
enum class PromptAnswer { Ok, Cancel, Yes, No, Retry, Abort, Ignore };

struct PromptRequest {
  std::string text;       // the whole message as shown
  std::string title;      // the window title; empty means the program title
  PromptButtons buttons = PromptButtons::Ok;
  PromptIcon icon = PromptIcon::None;
  int row = 0;            // the language-table row the message came from (0 when composed)
  int defaultButton = 0;  // 0-based index of the default button
};

class Prompter {
 public:
  virtual ~Prompter() = default;
  virtual PromptAnswer Ask(const PromptRequest& request) = 0;

  // Convenience: a message with only an OK button.
  void Tell(const std::string& text, int row = 0, PromptIcon icon = PromptIcon::Information) {
    PromptRequest r;
    r.text = text;
    r.row = row;
    r.icon = icon;
    Ask(r);
  }

  // Convenience: a message that is one row of the language table as it stands.
  PromptAnswer AskRow(const LanguageTable& lang, int row, PromptButtons buttons = PromptButtons::Ok,
                      PromptIcon icon = PromptIcon::None) {
    PromptRequest r;
    r.text = lang.Row(row);
    r.row = row;
    r.buttons = buttons;
    r.icon = icon;
    return Ask(r);
  }
};

}  // namespace glimmora
