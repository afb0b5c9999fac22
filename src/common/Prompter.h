#pragma once
// Every message box of the program goes through this interface, so that the GUI-free code can ask
// a question and tests can answer it from a script.

#include <optional>
#include <string>
#include <vector>


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
  // The answer Enter gives; none (or one the buttons do not offer) means the first button's.
  std::optional<PromptAnswer> defaultAnswer;
};

// The answers of the buttons, in the order the box shows them.
std::vector<PromptAnswer> AnswersOf(PromptButtons buttons);

// The most cautious answer the buttons offer, the one that changes nothing: No, Cancel or Abort
// (OK when it is the only button). Closing a box without a button gives it.
PromptAnswer CautiousAnswer(PromptButtons buttons);

// The answer Enter gives for `request`.
PromptAnswer DefaultAnswer(const PromptRequest& request);

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

  // A question whose Yes or OK deletes files or icons: Enter gives the answer that keeps them, so
  // that no stray keystroke deletes anything.
  PromptAnswer AskToDelete(PromptRequest request) {
    request.defaultAnswer = CautiousAnswer(request.buttons);
    return Ask(request);
  }
};

}  // namespace glimmora
