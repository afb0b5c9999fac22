#include "common/Prompter.h"

#include <algorithm>

namespace glimmora {

std::vector<PromptAnswer> AnswersOf(PromptButtons buttons) {
  using A = PromptAnswer;
  switch (buttons) {
    case PromptButtons::Ok: return {A::Ok};
    case PromptButtons::OkCancel: return {A::Ok, A::Cancel};
    case PromptButtons::YesNo: return {A::Yes, A::No};
    case PromptButtons::YesNoCancel: return {A::Yes, A::No, A::Cancel};
    case PromptButtons::RetryCancel: return {A::Retry, A::Cancel};
    case PromptButtons::AbortRetryIgnore: return {A::Abort, A::Retry, A::Ignore};
  }
  return {A::Ok};
}

PromptAnswer CautiousAnswer(PromptButtons buttons) {
  switch (buttons) {
    case PromptButtons::Ok: return PromptAnswer::Ok;
    case PromptButtons::YesNo: return PromptAnswer::No;
    case PromptButtons::AbortRetryIgnore: return PromptAnswer::Abort;
    default: return PromptAnswer::Cancel;
  }
}

PromptAnswer DefaultAnswer(const PromptRequest& request) {
  const std::vector<PromptAnswer> answers = AnswersOf(request.buttons);
  if (request.defaultAnswer &&
      std::find(answers.begin(), answers.end(), *request.defaultAnswer) != answers.end())
    return *request.defaultAnswer;
  return answers.front();
}

}  // namespace glimmora
